#include "OcrCommands.h"

#include "OCRProcessor.h"
#include "OcrExport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QJsonArray>
#include <QJsonDocument>

namespace cli {
namespace {

const char* const kOcrUsage =
    "Usage: lumadoc-cli ocr IMAGE [--lang LANGS] [--blocks]\n"
    "       lumadoc-cli ocr IMAGE --word -o OUT.doc|OUT.docx\n"
    "       lumadoc-cli ocr IMAGE --pdf -o OUT.pdf\n"
    "Prints the text in IMAGE, one line per text line, as the window's OCR reads it (the picture as\n"
    "given, no crop). --blocks prints one JSON object per line instead, one per block in reading order:\n"
    "{\"text\":...,\"confidence\":...,\"x1\":...,\"y1\":...,\"x2\":...,\"y2\":...} with the box in IMAGE's "
    "pixels.\n"
    "--lang takes Tesseract language codes joined by '+' (chi_sim, eng, chi_sim+eng); the default is the\n"
    "set named by models.bin beside the program. Exits 1 when no text is found, 3 when the OCR package\n"
    "or a language is missing.\n"
    "--word writes the text as a Word document through LibreOffice, one block per line (.doc is Word\n"
    "97-2003, .docx Office Open XML); --pdf writes IMAGE as a searchable PDF, its words an invisible\n"
    "text layer over the picture. Both as the window's OCR output types do; exit 3 with the reason when\n"
    "the document could not be written (LibreOffice or python3-uno missing, for one).\n";

QString jsonString(const QString& text)
{
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

enum class DocumentType
{
    None,
    Word,
    Pdf
};

int runDocumentExport(const QImage& image, DocumentType type, const QString& output, Streams io)
{
    const QString suffix = QFileInfo(output).suffix().toLower();
    if (type == DocumentType::Word && suffix != QLatin1String("doc") && suffix != QLatin1String("docx"))
        return usageError(io, QStringLiteral("--word writes OUT.doc or OUT.docx"));
    if (type == DocumentType::Pdf && suffix != QLatin1String("pdf"))
        return usageError(io, QStringLiteral("--pdf writes OUT.pdf"));
    if (!QFileInfo(output).absoluteDir().exists()) {
        io.err << "lumadoc-cli: cannot write " << output << ": the folder does not exist\n";
        return kOperationFailed;
    }
    QString result;
    {
        QuietLogs quiet;
        if (!OCRProcessor::instance()->initialize()) {
            io.err << "lumadoc-cli: the OCR package is missing or unreadable: " << ocrApplicationDir()
                   << "/models.bin\n";
            return kOperationFailed;
        }
        // The picture goes to the export as the window's corrected frame does: a JPEG of its own.
        const QString imagePath = ocrexport::saveTemporaryImage(image);
        if (imagePath.isEmpty()) {
            io.err << "lumadoc-cli: cannot write the temporary picture\n";
            return kOperationFailed;
        }
        result = type == DocumentType::Word ? ocrexport::exportWord(imagePath, output)
                                            : ocrexport::exportSearchablePdf(imagePath, output);
        QFile::remove(imagePath);
    }
    if (result.startsWith(QLatin1String("success:")))
        return kSuccess;
    const QString message = result.mid(6);
    io.err << "lumadoc-cli: " << message << "\n";
    // The engine's "nothing recognised" endings, as plain ocr reports them.
    if (message.startsWith(QLatin1String("OCR")) || message.startsWith(QStringLiteral("未找到有效文本块")))
        return kNothingFound;
    return kOperationFailed;
}

} // namespace

int runOcr(const QStringList& args, Streams io)
{
    QStringList positional;
    QString languages;
    bool blocks = false;
    DocumentType document = DocumentType::None;
    QString output;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            io.out << kOcrUsage;
            return kSuccess;
        }
        if (arg == QLatin1String("--blocks")) {
            blocks = true;
        } else if (arg == QLatin1String("--word") || arg == QLatin1String("--pdf")) {
            if (document != DocumentType::None)
                return usageError(io, QStringLiteral("give one of --word and --pdf"));
            document = arg == QLatin1String("--word") ? DocumentType::Word : DocumentType::Pdf;
        } else if (arg == QLatin1String("-o")) {
            if (i + 1 >= args.size())
                return usageError(io, QStringLiteral("option -o needs a value"));
            output = args[++i];
        } else if (arg == QLatin1String("--lang")) {
            if (i + 1 >= args.size())
                return usageError(io, QStringLiteral("--lang needs a value"));
            languages = args[++i];
        } else if (arg.startsWith(QLatin1String("--"))) {
            return usageError(io, QStringLiteral("unknown option %1").arg(arg));
        } else {
            positional << arg;
        }
    }
    if (positional.size() != 1)
        return usageError(io, QStringLiteral("ocr takes one IMAGE"));
    if (document == DocumentType::None && !output.isEmpty())
        return usageError(io, QStringLiteral("-o goes with --word or --pdf"));
    if (document != DocumentType::None && (blocks || !languages.isEmpty()))
        return usageError(io, QStringLiteral("--word and --pdf read with the package's languages, as the window does"));
    if (document != DocumentType::None && output.isEmpty())
        return usageError(io, QStringLiteral("--word and --pdf need -o OUT"));
    if (!languages.isEmpty() && !OCRProcessor::isValidLanguageList(languages))
        return usageError(io,
                          QStringLiteral("--lang takes language codes joined by '+', such as chi_sim+eng"));

    const std::optional<QImage> read = readInput(positional[0], io);
    if (!read)
        return kBadInput;
    const QImage image = *read;
    if (document != DocumentType::None)
        return runDocumentExport(image, document, output, io);

    QuietLogs quiet;
    OCRProcessor* ocr = OCRProcessor::instance();
    if (!ocr->initialize()) {
        io.err << "lumadoc-cli: the OCR package is missing or unreadable: " << ocrApplicationDir()
               << "/models.bin\n";
        return kOperationFailed;
    }
    if (!languages.isEmpty() && !ocr->languagesAvailable(languages)) {
        io.err << "lumadoc-cli: the OCR languages " << languages << " are not installed\n";
        return kOperationFailed;
    }

    if (!blocks) {
        const QString text = ocr->performOCR(image, 0, languages);
        if (text.isEmpty())
            return kNothingFound;
        io.out << text << "\n";
        return kSuccess;
    }
    const QList<OcrTextBlockEx> found = ocr->performOCRAdvanced(image, 0, languages);
    if (found.isEmpty())
        return kNothingFound;
    // The engine saw the picture scaled to fit 1920x1080; its boxes go back to the file's pixels.
    const QSize seen = OCRProcessor::engineImageSize(image.size());
    const double sx = static_cast<double>(image.width()) / seen.width();
    const double sy = static_cast<double>(image.height()) / seen.height();
    for (const OcrTextBlockEx& b : found) {
        io.out << "{\"text\":" << jsonString(b.text)
               << ",\"confidence\":" << QString::number(b.confidence, 'f', 2)
               << ",\"x1\":" << qRound(b.x1 * sx) << ",\"y1\":" << qRound(b.y1 * sy)
               << ",\"x2\":" << qRound(b.x2 * sx) << ",\"y2\":" << qRound(b.y2 * sy) << "}\n";
    }
    return kSuccess;
}

} // namespace cli
