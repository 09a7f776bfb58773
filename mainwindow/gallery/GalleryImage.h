#pragma once
// Small pure helpers shared by the gallery model and its item widget: the thumbnail scaling, the
// format badge and the date and time read back from a capture's file name.

#include <QDate>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTime>

namespace gallery {

// The item's picture area; the thumbnail fits into it.
constexpr int kThumbnailWidth = 180;
constexpr int kThumbnailHeight = 124;

// Scales a capture to fit 180 x 124, first fast to twice that size and then smoothly, so adding a
// 20-megapixel capture stays cheap. A null image gives a null image.
QImage makeThumbnail(const QImage& capture);

struct FormatBadge {
    QString text;
    QString color;
};
// The badge text and background colour for a file path (by its lower-case suffix).
FormatBadge badgeForPath(const QString& filePath);
QString badgeStyleSheet(const QString& color);

struct CaptureStamp {
    bool valid = false;
    QDate date;
    QTime time;
};
// Reads "_YYYYMMDD_HHMMSS" out of a capture's base name; invalid when absent or not a real date/time.
CaptureStamp parseCaptureStamp(const QString& filePath);

// Reads an image file; null when the path is empty, missing or not a readable image.
QImage readImageFile(const QString& filePath);
// Whether the file exists and its header says it is an image this program can read back; a capture
// saved as PDF or OFD exists but could not stand in for the full image.
bool isReadableImageFile(const QString& filePath);

} // namespace gallery
