#include "CodeCommands.h"

#include "CodeScanner.h"

#include <QImageReader>

namespace cli {
namespace {

const char* const kCodesUsage =
    "Usage: lumadoc-cli codes IMAGE\n"
    "Prints every barcode and QR code in IMAGE, one per line in the decoder's order, as TYPE<Tab>DATA:\n"
    "TYPE is the symbology (QR-Code, EAN-13, ISBN-13, CODE-128, ...), DATA the text with \\\\, \\t, \\n,\n"
    "\\r and other control characters written as \\xHH. Exits 1 with no output when there is no code.\n";

} // namespace

QString escapeCodeData(const QString& data)
{
    QString out;
    out.reserve(data.size());
    for (const QChar c : data) {
        const ushort u = c.unicode();
        if (c == QLatin1Char('\\'))
            out += QLatin1String("\\\\");
        else if (c == QLatin1Char('\t'))
            out += QLatin1String("\\t");
        else if (c == QLatin1Char('\n'))
            out += QLatin1String("\\n");
        else if (c == QLatin1Char('\r'))
            out += QLatin1String("\\r");
        else if (u < 0x20 || (u >= 0x7f && u < 0xa0))
            out += QLatin1String("\\x") + QString::number(u, 16).rightJustified(2, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

int runCodes(const QStringList& args, Streams io)
{
    QString input;
    for (const QString& arg : args) {
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            io.out << kCodesUsage;
            return kSuccess;
        }
        if (arg.startsWith(QLatin1Char('-')))
            return usageError(io, QStringLiteral("unknown option %1").arg(arg));
        if (!input.isEmpty())
            return usageError(io, QStringLiteral("codes takes one IMAGE"));
        input = arg;
    }
    if (input.isEmpty())
        return usageError(io, QStringLiteral("codes needs an IMAGE"));

    const std::optional<QImage> read = readInput(input, io);
    if (!read)
        return kBadInput;
    const QImage image = *read;
    ScannedCodes codes;
    {
        QuietLogs quiet;
        codes = CodeScanner::decode(image);
    }
    if (codes.isEmpty()) {
        io.err << "lumadoc-cli: no barcode or QR code in " << input << "\n";
        return kNothingFound;
    }
    // Codes carry Chinese as often as not; the output is UTF-8 whatever the locale says.
    io.out.setCodec("UTF-8");
    for (const ScannedCode& code : codes)
        io.out << code.type << '\t' << escapeCodeData(code.data) << '\n';
    return kSuccess;
}

} // namespace cli
