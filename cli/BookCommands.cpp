#include "BookCommands.h"

#include "BookFlatten.h"
#include "ImageSaver.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>

namespace cli {
namespace {

const char* const kFlattenUsage =
    "Usage: lumadoc-cli flatten IMAGE -o OUT [--double] [--fingers]\n"
    "Finds the open book on the desk in IMAGE, straightens its bowed pages and writes them to OUT (its\n"
    "suffix names the format). --double: the picture holds two pages; when they lie apart on the desk\n"
    "each is written on its own as OUT's name with _L and _R added (OUT itself is then not written).\n"
    "--fingers paints out the fingers holding the book at the outer edges.\n"
    "Exits 1 when there is no book, 3 when its edges are not usable for flattening.\n";

// OUT's folder and name with `tag` before the suffix: /a/b.png + "_L" -> /a/b_L.png.
QString taggedPath(const QString& output, const QString& tag)
{
    const QFileInfo info(output);
    return info.dir().filePath(info.completeBaseName() + tag + QLatin1Char('.') + info.suffix());
}

} // namespace

int runFlatten(const QStringList& args, Streams io)
{
    QString input;
    QString output;
    bool outputGiven = false;
    FlattenOptions options;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            io.out << kFlattenUsage;
            return kSuccess;
        }
        if (arg == QLatin1String("-o")) {
            if (i + 1 >= args.size())
                return usageError(io, QStringLiteral("option -o needs a value"));
            if (outputGiven)
                return usageError(io, QStringLiteral("option -o given twice"));
            output = args[++i];
            outputGiven = true;
        } else if (arg == QLatin1String("--double")) {
            options.forceDoublePage = true;
        } else if (arg == QLatin1String("--fingers")) {
            options.removeFingers = true;
        } else if (arg.startsWith(QLatin1Char('-')) && arg.size() > 1) {
            return usageError(io, QStringLiteral("unknown option %1").arg(arg));
        } else if (!input.isEmpty()) {
            return usageError(io, QStringLiteral("flatten takes one IMAGE"));
        } else {
            input = arg;
        }
    }
    if (input.isEmpty())
        return usageError(io, QStringLiteral("flatten takes one IMAGE"));
    if (!outputGiven || output.isEmpty())
        return usageError(io, QStringLiteral("flatten needs -o OUT"));
    const QByteArray suffix = QFileInfo(output).suffix().toLower().toLatin1();
    if (suffix.isEmpty() || !QImageWriter::supportedImageFormats().contains(suffix)) {
        io.err << "lumadoc-cli: the suffix of " << output << " names no image format that can be written\n";
        return kBadInput;
    }
    const QString inputPath = QFileInfo(input).canonicalFilePath();
    for (const QString& target :
         {output, taggedPath(output, QStringLiteral("_L")), taggedPath(output, QStringLiteral("_R"))}) {
        if (!inputPath.isEmpty() && QFileInfo(target).canonicalFilePath() == inputPath) {
            io.err << "lumadoc-cli: refusing to overwrite the input " << input << "\n";
            return kBadInput;
        }
    }
    const std::optional<QImage> read = readInput(input, io);
    if (!read)
        return kBadInput;
    const QImage image = *read;

    FlattenResult result;
    {
        QuietLogs quiet;
        result = processFlattening(image, options);
    }
    if (!result.success) {
        if (result.regionsFound == 0) {
            io.err << "lumadoc-cli: no book found in " << input << "\n";
            return kNothingFound;
        }
        io.err << "lumadoc-cli: cannot flatten " << input << ": " << result.errorMessage << "\n";
        return kOperationFailed;
    }
    // Each write replaces its file in one step; a pair is written whole or not at all.
    if (result.pages.size() >= 2) {
        const QString left = taggedPath(output, QStringLiteral("_L"));
        const QString right = taggedPath(output, QStringLiteral("_R"));
        if (!saveImageToPath(result.pages[0], left)) {
            io.err << "lumadoc-cli: cannot write " << left << "\n";
            return kOperationFailed;
        }
        if (!saveImageToPath(result.pages[1], right)) {
            QFile::remove(left);
            io.err << "lumadoc-cli: cannot write " << right << "\n";
            return kOperationFailed;
        }
        return kSuccess;
    }
    const QImage& single = result.pages.size() == 1 ? result.pages[0] : result.image;
    if (!saveImageToPath(single, output)) {
        io.err << "lumadoc-cli: cannot write " << output << "\n";
        return kOperationFailed;
    }
    return kSuccess;
}

} // namespace cli
