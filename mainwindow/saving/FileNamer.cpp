#include "FileNamer.h"

#include "CodeDecoder.h"

#include <climits>

namespace saving {

QDateTime systemNow()
{
    return QDateTime::currentDateTime();
}

namespace {

struct FormatEntry
{
    const char* extension;
    const char* name;
};

constexpr FormatEntry kFormats[] = {
    {".jpg", "JPEG"}, {".png", "PNG"}, {".bmp", "BMP"}, {".tif", "TIFF"}, {".pdf", "PDF"}, {".ofd", "OFD"},
};
constexpr int kFormatCount = int(sizeof(kFormats) / sizeof(kFormats[0]));

const FormatEntry& formatEntry(int saveFormat)
{
    // A hand-edited store may hold anything; JPEG is what such a value has always meant.
    return (saveFormat >= 0 && saveFormat < kFormatCount) ? kFormats[saveFormat] : kFormats[0];
}

int utf8Bytes(uint codePoint)
{
    if (codePoint < 0x80)
        return 1;
    if (codePoint < 0x800)
        return 2;
    if (codePoint < 0x10000)
        return 3;
    return 4;
}

} // namespace

QString saveFormatExtension(int saveFormat)
{
    return QString::fromLatin1(formatEntry(saveFormat).extension);
}

QString saveFormatName(int saveFormat)
{
    return QString::fromLatin1(formatEntry(saveFormat).name);
}

bool isInvalidFileNameChar(QChar c)
{
    static const QString refused = QStringLiteral("<>:\"/\\|?*");
    return c.category() == QChar::Other_Control || refused.contains(c);
}

bool containsInvalidFileNameChar(const QString& name)
{
    for (const QChar c : name) {
        if (isInvalidFileNameChar(c))
            return true;
    }
    return false;
}

QString withoutLeadingDotsAndBlanks(const QString& name)
{
    int start = 0;
    while (start < name.size() && (name.at(start) == QLatin1Char('.') || name.at(start).isSpace()))
        ++start;
    return name.mid(start);
}

QString safeCodeFileName(const QString& rawCode, const QString& extension)
{
    const QString code = withoutLeadingDotsAndBlanks(rawCode);
    const int budgetBytes =
        kMaxFileNameBytes - kClashSuffixReserveBytes - kTemporaryNameReserveBytes - extension.toUtf8().size();
    QString base;
    int usedBytes = 0;
    // Walk whole code points so a surrogate pair (one 4-byte UTF-8 character) is never cut in half.
    for (int i = 0; i < code.size(); ++i) {
        uint codePoint = code.at(i).unicode();
        int units = 1;
        if (code.at(i).isHighSurrogate() && i + 1 < code.size() && code.at(i + 1).isLowSurrogate()) {
            codePoint = QChar::surrogateToUcs4(code.at(i), code.at(i + 1));
            units = 2;
        }
        const bool lone = units == 1 && code.at(i).isSurrogate(); // not encodable; treat as invalid
        const bool replace = lone || isInvalidFileNameChar(code.at(i));
        const int bytes = replace ? 1 : utf8Bytes(codePoint);
        if (usedBytes + bytes > budgetBytes)
            break;
        if (replace)
            base.append(QLatin1Char('_'));
        else
            base.append(code.mid(i, units));
        usedBytes += bytes;
        i += units - 1;
    }
    if (base.isEmpty())
        return QString();
    return base + extension;
}

} // namespace saving

FileNamer::FileNamer(ICodeDecoder* decoder, saving::Clock clock)
    : m_decoder(decoder), m_clock(clock ? std::move(clock) : saving::Clock(saving::systemNow))
{
}

QString FileNamer::dateBaseName() const
{
    return QStringLiteral("IMG_%1").arg(m_clock().toString(QStringLiteral("yyyyMMdd_hhmmss_zzz")));
}

QString FileNamer::prefixBaseName(const QString& prefix, int number)
{
    return QStringLiteral("%1_%2").arg(prefix).arg(number, 4, 10, QLatin1Char('0'));
}

QString FileNamer::generateFileName(const QImage& image, const NamingOptions& options,
                                    FileNumberCounter& counter) const
{
    const QString extension = saving::saveFormatExtension(options.saveFormat);
    switch (options.namingMethod) {
    case 1:
    case 3: {
        const int number = qMax(1, counter.fileNumber);
        // At the very top the number stays put; the saver's clash suffix keeps such names apart.
        counter.fileNumber = number < INT_MAX ? number + 1 : number;
        return prefixBaseName(saving::withoutLeadingDotsAndBlanks(options.filePrefix), number) + extension;
    }
    case 2:
        if (m_decoder && !image.isNull()) {
            const QStringList codes = m_decoder->decodeAll(image);
            if (!codes.isEmpty()) {
                const QString name = saving::safeCodeFileName(codes.first(), extension);
                // A symbol without text would leave a bare extension; the date name is the honest fallback.
                if (!name.isEmpty())
                    return name;
            }
        }
        return dateBaseName() + extension;
    default:
        return dateBaseName() + extension;
    }
}
