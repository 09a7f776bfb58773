#pragma once
// One-page PDF and OFD saves hand the capture, already written as an image file, to the document
// exporters. Until an exporter is wired in, saving in that format reports "not available" instead of
// writing something that merely looks like a PDF.

#include <QString>
#include <QStringList>

class ISinglePageExporter
{
public:
    virtual ~ISinglePageExporter() = default;
    // Writes one page per entry of `imagePaths` into `outputPath`; false when nothing usable was written.
    virtual bool exportPages(const QStringList& imagePaths, const QString& outputPath) = 0;
};
