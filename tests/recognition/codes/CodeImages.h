#pragma once
// Test pictures of codes made by standard encoders (libqrencode, zint) with a known payload, placed on a
// sheet of paper and then degraded the way photographs are.

#include <QByteArray>
#include <QImage>

#include <opencv2/core.hpp>

namespace codetest {

enum class Symbology
{
    Qr,
    Ean13,
    Code128
};

// The symbol alone, black on white with its quiet zone, `modulePx` pixels per module.
cv::Mat renderSymbol(Symbology symbology, const QByteArray& payload, int modulePx);

// A `width` x `height` paper-grey sheet with `symbol` pasted at (x, y).
cv::Mat onSheet(const cv::Mat& symbol, int width, int height, int x, int y);

QImage toImage(const cv::Mat& grey);

} // namespace codetest
