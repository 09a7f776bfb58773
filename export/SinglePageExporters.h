#pragma once
// The one-page PDF and OFD of a saved capture (save formats 4 and 5), for ImageSaver.

#include "SinglePageExporter.h"

class PdfSinglePageExporter : public ISinglePageExporter
{
public:
    bool exportPages(const QStringList& imagePaths, const QString& outputPath) override;
};

class OfdSinglePageExporter : public ISinglePageExporter
{
public:
    bool exportPages(const QStringList& imagePaths, const QString& outputPath) override;
};
