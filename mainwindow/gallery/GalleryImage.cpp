#include "GalleryImage.h"

#include <QFileInfo>
#include <QImageReader>
#include <QRegularExpression>

namespace gallery {

QImage makeThumbnail(const QImage& capture)
{
    if (capture.isNull())
        return QImage();
    const QImage coarse = capture.scaled(kThumbnailWidth * 2, kThumbnailHeight * 2, Qt::KeepAspectRatio,
                                         Qt::FastTransformation);
    return coarse.scaled(kThumbnailWidth, kThumbnailHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation);
}

FormatBadge badgeForPath(const QString& filePath)
{
    const QString suffix = QFileInfo(filePath).suffix().toLower();
    const QString grey = QStringLiteral("rgba(76, 76, 76, 0.85)");
    if (suffix == QLatin1String("pdf"))
        return {QStringLiteral("PDF"), QStringLiteral("rgba(220, 50, 50, 0.9)")};
    if (suffix == QLatin1String("png"))
        return {QStringLiteral("PNG"), QStringLiteral("rgba(50, 120, 200, 0.85)")};
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg"))
        return {QStringLiteral("JPG"), grey};
    if (suffix == QLatin1String("bmp"))
        return {QStringLiteral("BMP"), grey};
    if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff"))
        return {QStringLiteral("TIF"), grey};
    return {QStringLiteral("IMG"), grey};
}

QString badgeStyleSheet(const QString& color)
{
    return QStringLiteral("QLabel {   font-size: 8px;   font-weight: bold;   padding: 0px;   border-radius: 2px;"
                          "   color: #ffffff;   background-color: %1;}")
        .arg(color);
}

CaptureStamp parseCaptureStamp(const QString& filePath)
{
    static const QRegularExpression stamp(QStringLiteral("_(\\d{8})_(\\d{6})"));
    const QRegularExpressionMatch match = stamp.match(QFileInfo(filePath).completeBaseName());
    CaptureStamp result;
    if (!match.hasMatch())
        return result;
    // A name like "scan_99999999_999999" only looks like a stamp; showing 9999-99-99 would mislead.
    result.date = QDate::fromString(match.captured(1), QStringLiteral("yyyyMMdd"));
    result.time = QTime::fromString(match.captured(2), QStringLiteral("HHmmss"));
    result.valid = result.date.isValid() && result.time.isValid();
    return result;
}

QImage readImageFile(const QString& filePath)
{
    if (filePath.isEmpty())
        return QImage();
    QImageReader reader(filePath);
    reader.setAutoTransform(false);
    return reader.read();
}

bool isReadableImageFile(const QString& filePath)
{
    if (filePath.isEmpty() || !QFileInfo(filePath).isFile())
        return false;
    QImageReader reader(filePath);
    return reader.canRead();
}

} // namespace gallery
