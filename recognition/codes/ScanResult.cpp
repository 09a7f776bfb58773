#include "ScanResult.h"

#include <QStringList>

namespace ScanResult {

namespace {

bool hasWebPrefix(const QString& text)
{
    return text.startsWith(QLatin1String("http://")) || text.startsWith(QLatin1String("https://"));
}

} // namespace

bool looksLikeUrl(const QString& text)
{
    if (hasWebPrefix(text))
        return QUrl(text).isValid();
    if (text.contains(QLatin1Char('.')) && !text.contains(QLatin1Char(' '))) {
        const QUrl url = QUrl::fromUserInput(text);
        return url.isValid() && url.host(QUrl::FullyDecoded) == text;
    }
    return false;
}

QUrl linkTarget(const QString& data)
{
    if (!looksLikeUrl(data))
        return {};
    const QUrl url(hasWebPrefix(data) ? data : QStringLiteral("http://") + data);
    // Only web addresses may be opened from a code; looksLikeUrl already guarantees the scheme, this
    // keeps it so should that test ever be widened.
    if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https"))
        return {};
    return url;
}

QString signature(const ScannedCodes& codes)
{
    QStringList lines;
    for (const ScannedCode& code : codes)
        lines << QStringLiteral("[%1] %2").arg(code.type, code.data);
    return lines.join(QLatin1Char('\n'));
}

PanelText panelText(const ScannedCodes& codes, const QTime& now)
{
    PanelText text;
    text.title =
        codes.size() > 1 ? QStringLiteral("Multiple Barcodes/QR Codes") : QStringLiteral("Barcode/QR Code");
    text.info = QStringLiteral("Type: %1 | Time: %2 | Count: %3")
                    .arg(text.title, now.toString(QStringLiteral("HH:mm:ss")))
                    .arg(codes.size());
    QStringList lines;
    for (const ScannedCode& code : codes) {
        const QString type = code.type.toHtmlEscaped();
        const QString data = code.data.toHtmlEscaped();
        const QUrl target = linkTarget(code.data);
        if (target.isValid())
            lines << QStringLiteral("[%1] <a href=\"%2\">%3</a>")
                         .arg(type, target.toString(QUrl::FullyEncoded).toHtmlEscaped(), data);
        else
            lines << QStringLiteral("[%1] %2").arg(type, data);
    }
    text.html = QStringLiteral("<div style='padding: 5px;'>%1</div>").arg(lines.join(QStringLiteral("<br>")));
    return text;
}

} // namespace ScanResult
