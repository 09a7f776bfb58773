#include "CodeImages.h"

#include <qrencode.h>
#include <zint.h>

#include <memory>
#include <stdexcept>

namespace codetest {

namespace {

cv::Mat renderQr(const QByteArray& payload, int modulePx)
{
    std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeData(payload.size(), reinterpret_cast<const unsigned char*>(payload.constData()), 0,
                          QR_ECLEVEL_M),
        QRcode_free);
    if (!code)
        throw std::runtime_error("qrencode failed");
    constexpr int kQuiet = 4;
    const int side = (code->width + 2 * kQuiet) * modulePx;
    cv::Mat out(side, side, CV_8UC1, cv::Scalar(255));
    for (int y = 0; y < code->width; ++y)
        for (int x = 0; x < code->width; ++x)
            if (code->data[y * code->width + x] & 1)
                out(cv::Rect((x + kQuiet) * modulePx, (y + kQuiet) * modulePx, modulePx, modulePx)) = 0;
    return out;
}

cv::Mat renderLinear(int zintSymbology, const QByteArray& payload, int modulePx)
{
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbol(ZBarcode_Create(), ZBarcode_Delete);
    symbol->symbology = zintSymbology;
    symbol->show_hrt = 0;
    symbol->whitespace_width = 10;
    symbol->height = 30;
    symbol->scale = static_cast<float>(modulePx) / 2.0f;
    if (ZBarcode_Encode_and_Buffer(symbol.get(), reinterpret_cast<const unsigned char*>(payload.constData()),
                                   payload.size(), 0) >= ZINT_ERROR)
        throw std::runtime_error(symbol->errtxt);
    cv::Mat out(symbol->bitmap_height, symbol->bitmap_width, CV_8UC1);
    for (int y = 0; y < out.rows; ++y)
        for (int x = 0; x < out.cols; ++x)
            out.at<uint8_t>(y, x) = symbol->bitmap[(y * out.cols + x) * 3];
    return out;
}

} // namespace

cv::Mat renderSymbol(Symbology symbology, const QByteArray& payload, int modulePx)
{
    switch (symbology) {
    case Symbology::Qr:
        return renderQr(payload, modulePx);
    case Symbology::Ean13:
        return renderLinear(BARCODE_EANX, payload, modulePx);
    case Symbology::Code128:
        return renderLinear(BARCODE_CODE128, payload, modulePx);
    }
    return {};
}

cv::Mat onSheet(const cv::Mat& symbol, int width, int height, int x, int y)
{
    cv::Mat sheet(height, width, CV_8UC1, cv::Scalar(235));
    symbol.copyTo(sheet(cv::Rect(x, y, symbol.cols, symbol.rows)));
    return sheet;
}

QImage toImage(const cv::Mat& grey)
{
    QImage image(grey.cols, grey.rows, QImage::Format_Grayscale8);
    for (int y = 0; y < grey.rows; ++y)
        std::copy_n(grey.ptr<uint8_t>(y), grey.cols, image.scanLine(y));
    return image;
}

} // namespace codetest
