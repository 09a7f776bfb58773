#include "VideoWidgetUpload.h"

#include <QPainter>

#include <algorithm>

namespace videoupload {

QSize capSize(const QSize& frameSize, const QSize& targetDevicePx, bool highQuality, bool lowLatency,
              int maxTextureSize)
{
    if (highQuality) {
        // High quality shows the sensor's detail when zoomed in, so the widget size does not limit it;
        // the floor keeps small frames from being scaled at all.
        const int glLimit = maxTextureSize > 0 ? maxTextureSize : kFallbackMaxTextureSize;
        const int longer = std::max(frameSize.width(), frameSize.height());
        const int cap = std::max(kHighQualityMinCap, std::min(glLimit, longer));
        return QSize(cap, cap);
    }
    const int cap = lowLatency ? kLowLatencyCap : kDefaultCap;
    const int w = targetDevicePx.width() < kTinyTargetPx ? cap : std::min(cap, targetDevicePx.width());
    const int h = targetDevicePx.height() < kTinyTargetPx ? cap : std::min(cap, targetDevicePx.height());
    return QSize(w, h);
}

QImage prepareRgba(const QImage& frame, const QSize& cap)
{
    if (frame.isNull())
        return QImage();
    QImage scaled = frame;
    if (frame.width() > cap.width() || frame.height() > cap.height())
        scaled = frame.scaled(cap, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    if (scaled.format() == QImage::Format_RGBA8888)
        return scaled;
    return scaled.convertToFormat(QImage::Format_RGBA8888);
}

void drawOverlay(QImage& rgba, const QImage& overlay)
{
    if (rgba.isNull() || overlay.isNull())
        return;
    QPainter painter(&rgba);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rgba.rect(), overlay);
}

} // namespace videoupload
