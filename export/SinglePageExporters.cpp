#include "SinglePageExporters.h"

#include "OfdWriter.h"
#include "PdfExport.h"

bool PdfSinglePageExporter::exportPages(const QStringList& imagePaths, const QString& outputPath)
{
    return savePdfFromFiles(imagePaths, outputPath);
}

bool OfdSinglePageExporter::exportPages(const QStringList& imagePaths, const QString& outputPath)
{
    return saveOfdFromFiles(imagePaths, outputPath);
}
