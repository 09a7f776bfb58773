#pragma once
// The CPU half of putting a frame on the GPU: choosing the texture size and turning the frame into
// an RGBA8888 image of at most that size. Kept free of GL so the benchmark and tests can run it
// without a context.
#include <QImage>
#include <QSize>

namespace videoupload {

// Fallback when the driver does not report GL_MAX_TEXTURE_SIZE.
constexpr int kFallbackMaxTextureSize = 4096;
constexpr int kHighQualityMinCap = 2048;
constexpr int kLowLatencyCap = 1280;
constexpr int kDefaultCap = 1920;
// Below this many device pixels in a direction the widget size says nothing useful about the need.
constexpr int kTinyTargetPx = 16;

// Largest texture size for a frame: in high quality the frame's own resolution (at least 2048, at
// most the GL limit) on both sides whatever the widget; otherwise the widget's device size capped
// at 1280 (low latency) or 1920 per side.
QSize capSize(const QSize& frameSize, const QSize& targetDevicePx, bool highQuality, bool lowLatency,
              int maxTextureSize);

// The frame scaled down (smooth, keeping its aspect) when it exceeds `cap`, converted to RGBA8888.
// Null when the conversion fails.
QImage prepareRgba(const QImage& frame, const QSize& cap);

// Draws `overlay` (already RGBA, same size or scaled to fit) over `rgba`.
void drawOverlay(QImage& rgba, const QImage& overlay);

} // namespace videoupload
