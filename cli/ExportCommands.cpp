#include "ExportCommands.h"

#include "OCRProcessor.h"
#include "OcrExport.h"
#include "OfdWriter.h"
#include "PdfExport.h"

#include <QDir>
#include <QFileInfo>

namespace cli {
namespace {

enum class DocumentKind
{
    Pdf,
    Ofd
};

const char* const kPdfUsage =
    "Usage: lumadoc-cli pdf IMAGE... -o OUT.pdf [--ocr]\n"
    "Writes the images as the pages of one PDF, in the order given, as the gallery's \"Save as PDF\"\n"
    "does: each page is its image at 300 dpi, the longer side capped at 2400 pixels. An image that\n"
    "cannot be read fails the export (exit 2); OUT is then neither written nor changed.\n"
    "--ocr makes it searchable, as the dialog's \"Searchable (OCR)\": each page is read by OCR and gets\n"
    "its words as an invisible text layer over the picture.\n";

const char* const kOfdUsage =
    "Usage: lumadoc-cli ofd IMAGE... -o OUT.ofd\n"
    "Writes the images as the pages of one OFD document, in the order given, as the gallery's \"Save as\n"
    "OFD\" does: each page is its image at 96 dpi, the longer side capped at 2400 pixels. An image that\n"
    "cannot be read fails the export (exit 2); OUT is then neither written nor changed.\n";

int runExport(DocumentKind kind, const QStringList& args, Streams io)
{
    const char* const command = kind == DocumentKind::Pdf ? "pdf" : "ofd";
    const QString suffix = kind == DocumentKind::Pdf ? QStringLiteral("pdf") : QStringLiteral("ofd");
    QStringList images;
    QString output;
    bool outputGiven = false;
    bool searchable = false;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            io.out << (kind == DocumentKind::Pdf ? kPdfUsage : kOfdUsage);
            return kSuccess;
        }
        if (arg == QLatin1String("-o")) {
            if (i + 1 >= args.size())
                return usageError(io, QStringLiteral("option -o needs a value"));
            if (outputGiven)
                return usageError(io, QStringLiteral("option -o given twice"));
            output = args[++i];
            outputGiven = true;
        } else if (arg == QLatin1String("--ocr") && kind == DocumentKind::Pdf) {
            searchable = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usageError(io, QStringLiteral("unknown option %1").arg(arg));
        } else {
            images << arg;
        }
    }
    if (images.isEmpty())
        return usageError(io, QStringLiteral("%1 takes at least one IMAGE").arg(QLatin1String(command)));
    if (!outputGiven || output.isEmpty())
        return usageError(io, QStringLiteral("%1 needs -o OUT.%2").arg(QLatin1String(command), suffix));
    const QFileInfo out(output);
    if (out.suffix().compare(suffix, Qt::CaseInsensitive) != 0)
        return usageError(io, QStringLiteral("OUT must end in .%1").arg(suffix));
    if (out.exists()) {
        for (const QString& image : images) {
            if (QFileInfo(image).canonicalFilePath() == out.canonicalFilePath()) {
                io.err << "lumadoc-cli: refusing to overwrite the input " << image << "\n";
                return kBadInput;
            }
        }
    }
    if (!out.absoluteDir().exists()) {
        io.err << "lumadoc-cli: cannot write " << output << ": the folder does not exist\n";
        return kOperationFailed;
    }

    QVector<PageSource> sources;
    for (const QString& image : images)
        sources << PageSource::fromFile(image);
    ExportReport report;
    bool ok = false;
    {
        QuietLogs quiet;
        if (searchable && !OCRProcessor::instance()->initialize()) {
            io.err << "lumadoc-cli: the OCR package is missing or unreadable: " << ocrApplicationDir()
                   << "/models.bin\n";
            return kOperationFailed;
        }
        ok = kind == DocumentKind::Pdf
                 ? writePdf(sources, output, &report, {},
                            searchable ? PageTextReader(&ocrexport::readPageText) : PageTextReader())
                                       : writeOfdFromSources(output, sources, ofd::kMaxPageSidePx, &report);
    }
    if (ok)
        return kSuccess;
    if (report.failedPage >= 0) {
        io.err << "lumadoc-cli: cannot read image " << images.value(report.failedPage) << "\n";
        return kBadInput;
    }
    io.err << "lumadoc-cli: cannot write " << output << ": " << report.error << "\n";
    return kOperationFailed;
}

} // namespace

int runPdf(const QStringList& args, Streams io)
{
    return runExport(DocumentKind::Pdf, args, io);
}

int runOfd(const QStringList& args, Streams io)
{
    return runExport(DocumentKind::Ofd, args, io);
}

} // namespace cli
