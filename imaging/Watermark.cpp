#include "Watermark.h"

#include <QDateTime>
#include <QFileInfo>
#include <QFontMetrics>
#include <QImageReader>
#include <QPainter>
#include <QSettings>

#include <cmath>

const char* const kWatermarkSettingsOrganization = "LumadocApp";
const char* const kWatermarkSettingsApplication = "WatermarkSettings";

namespace {
constexpr int kMargin = 20;
constexpr int kTileGapX = 100;
constexpr int kTileGapY = 80;

// Row 0..2 and column 0..2 of a position index; outside 0..8 is the centre.
void rowColumn(int position, int* row, int* column)
{
    if (position < 0 || position > 8)
        position = 4;
    *row = position / 3;
    *column = position % 3;
}

int clampPercent(int value) { return std::max(0, std::min(100, value)); }

void paintText(QPainter& painter, const QSize& canvas, const WatermarkSettings& s)
{
    const int W = canvas.width();
    const int H = canvas.height();
    QFont font(s.fontFamily);
    font.setPointSize(std::max(1, s.fontSize));
    painter.setFont(font);
    QColor colour = s.textColor;
    colour.setAlphaF(clampPercent(s.textOpacity) / 100.0);
    painter.setPen(colour);
    const QFontMetrics metrics = painter.fontMetrics();
    const QRect bounds = metrics.boundingRect(s.text);
    const int tw = bounds.width();
    const int th = bounds.height();

    painter.save();
    if (s.textTiledMode) {
        const int stepX = tw + kTileGapX;
        const int stepY = th + kTileGapY;
        // The grid turns about the centre, so it must reach every point within half the diagonal of
        // it in every direction; a grid the size of the picture leaves the corners bare at steep angles.
        const double cx = W / 2.0;
        const double cy = H / 2.0;
        const double reach = std::hypot(double(W), double(H)) / 2.0;
        painter.translate(cx, cy);
        painter.rotate(s.textRotation);
        const int firstX = -int(std::ceil(reach)) - stepX;
        const int lastX = int(std::ceil(reach)) + stepX;
        const int firstY = -int(std::ceil(reach)) - stepY;
        const int lastY = int(std::ceil(reach)) + stepY + th;
        for (int y = firstY; y < lastY; y += stepY)
            for (int x = firstX; x < lastX; x += stepX)
                painter.drawText(x, y, s.text);
    } else {
        int row = 0;
        int column = 0;
        rowColumn(s.textPosition, &row, &column);
        const int y = row == 0 ? th + kMargin : row == 1 ? (th + H) / 2 : H - kMargin;
        const int x = column == 0 ? kMargin : column == 1 ? (W - tw) / 2 : W - tw - kMargin;
        // Turn about the text's own centre.
        painter.translate(x + tw / 2, y - th / 2);
        painter.rotate(s.textRotation);
        painter.drawText(-tw / 2, metrics.ascent() - th / 2, s.text);
    }
    painter.restore();
}

// The live preview paints the stamp on every frame: decode the logo only when the file changes.
QImage logoImage(const QString& path)
{
    static QString cachedPath;
    static QDateTime cachedModified;
    static qint64 cachedSize = -1;
    static QImage cached;
    const QFileInfo info(path);
    if (!info.isFile() || !info.isReadable())
        return QImage();
    if (path != cachedPath || info.lastModified() != cachedModified || info.size() != cachedSize) {
        QImageReader reader(path);
        cached = reader.read();
        cachedPath = path;
        cachedModified = info.lastModified();
        cachedSize = info.size();
    }
    return cached;
}

void paintImage(QPainter& painter, const QSize& canvas, const WatermarkSettings& s)
{
    const QImage source = logoImage(s.imagePath);
    if (source.isNull() || s.imageWidth < 1 || s.imageHeight < 1)
        return;
    // Formats without alpha ignore the destination-in fill: opacity only works after this conversion.
    QImage logo = source.scaled(s.imageWidth, s.imageHeight, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int opacity = clampPercent(s.imageOpacity);
    if (opacity < 100) {
        QPainter fade(&logo);
        fade.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        fade.fillRect(logo.rect(), QColor(255, 255, 255, opacity * 255 / 100));
    }
    // Placed by the size it really has after scaling, so a logo of another aspect still keeps its
    // 20 px margin instead of floating inside the configured box.
    const int W = canvas.width();
    const int H = canvas.height();
    const int w = logo.width();
    const int h = logo.height();
    int row = 0;
    int column = 0;
    rowColumn(s.imagePosition, &row, &column);
    const int x = column == 0 ? kMargin : column == 1 ? (W - w) / 2 : W - w - kMargin;
    const int y = row == 0 ? kMargin : row == 1 ? (H - h) / 2 : H - h - kMargin;
    painter.drawImage(x, y, logo);
}

} // namespace

WatermarkSettings loadWatermarkSettings(QSettings& store)
{
    WatermarkSettings s;
    s.textEnabled = store.value(QStringLiteral("textEnabled"), s.textEnabled).toBool();
    s.text = store.value(QStringLiteral("text"), s.text).toString();
    s.fontSize = store.value(QStringLiteral("fontSize"), s.fontSize).toInt();
    s.fontFamily = store.value(QStringLiteral("fontFamily"), s.fontFamily).toString();
    const QVariant colour = store.value(QStringLiteral("textColor"));
    if (colour.isValid()) {
        const QColor c = colour.value<QColor>();
        if (c.isValid())
            s.textColor = c;
    }
    s.textOpacity = store.value(QStringLiteral("textOpacity"), s.textOpacity).toInt();
    s.textPosition = store.value(QStringLiteral("textPosition"), s.textPosition).toInt();
    s.textRotation = store.value(QStringLiteral("textRotation"), s.textRotation).toInt();
    s.textTiledMode = store.value(QStringLiteral("textTiledMode"), s.textTiledMode).toBool();
    s.imageEnabled = store.value(QStringLiteral("imageEnabled"), s.imageEnabled).toBool();
    s.imagePath = store.value(QStringLiteral("imagePath"), s.imagePath).toString();
    s.imageWidth = store.value(QStringLiteral("imageWidth"), s.imageWidth).toInt();
    s.imageHeight = store.value(QStringLiteral("imageHeight"), s.imageHeight).toInt();
    s.imageOpacity = store.value(QStringLiteral("imageOpacity"), s.imageOpacity).toInt();
    s.imagePosition = store.value(QStringLiteral("imagePosition"), s.imagePosition).toInt();
    return s;
}

void saveWatermarkSettings(QSettings& store, const WatermarkSettings& s)
{
    store.setValue(QStringLiteral("textEnabled"), s.textEnabled);
    store.setValue(QStringLiteral("text"), s.text);
    store.setValue(QStringLiteral("fontSize"), s.fontSize);
    store.setValue(QStringLiteral("fontFamily"), s.fontFamily);
    store.setValue(QStringLiteral("textColor"), s.textColor);
    store.setValue(QStringLiteral("textOpacity"), s.textOpacity);
    store.setValue(QStringLiteral("textPosition"), s.textPosition);
    store.setValue(QStringLiteral("textRotation"), s.textRotation);
    store.setValue(QStringLiteral("textTiledMode"), s.textTiledMode);
    store.setValue(QStringLiteral("imageEnabled"), s.imageEnabled);
    store.setValue(QStringLiteral("imagePath"), s.imagePath);
    store.setValue(QStringLiteral("imageWidth"), s.imageWidth);
    store.setValue(QStringLiteral("imageHeight"), s.imageHeight);
    store.setValue(QStringLiteral("imageOpacity"), s.imageOpacity);
    store.setValue(QStringLiteral("imagePosition"), s.imagePosition);
    store.sync();
}

WatermarkSettings loadStoredWatermarkSettings()
{
    QSettings store(QString::fromLatin1(kWatermarkSettingsOrganization),
                    QString::fromLatin1(kWatermarkSettingsApplication));
    return loadWatermarkSettings(store);
}

void saveStoredWatermarkSettings(const WatermarkSettings& settings)
{
    QSettings store(QString::fromLatin1(kWatermarkSettingsOrganization),
                    QString::fromLatin1(kWatermarkSettingsApplication));
    saveWatermarkSettings(store, settings);
}

void paintWatermark(QPainter& painter, const QSize& canvas, const WatermarkSettings& settings)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    if (settings.textEnabled && !settings.text.isEmpty())
        paintText(painter, canvas, settings);
    if (settings.imageEnabled && !settings.imagePath.isEmpty())
        paintImage(painter, canvas, settings);
    painter.restore();
}

QImage applyWatermark(const QImage& image, const WatermarkSettings& settings)
{
    if (image.isNull())
        return image;
    const QImage::Format paintFormat =
        image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32;
    QImage canvas = image.convertToFormat(paintFormat);
    {
        QPainter painter(&canvas);
        paintWatermark(painter, canvas.size(), settings);
    }
    return canvas.format() == image.format() ? canvas : canvas.convertToFormat(image.format());
}
