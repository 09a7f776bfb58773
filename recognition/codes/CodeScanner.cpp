#include "CodeScanner.h"

#include "PayloadText.h"

#include <QElapsedTimer>
#include <QtDebug>

#include <opencv2/imgproc.hpp>
#include <zbar.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

// zbar.h puts its C interface into namespace zbar when compiled as C++.
using namespace zbar;

namespace {

struct ScannerDeleter
{
    void operator()(zbar_image_scanner_t* scanner) const { zbar_image_scanner_destroy(scanner); }
};
struct ImageDeleter
{
    void operator()(zbar_image_t* image) const
    {
        // The pixels belong to the caller: detach them before the image goes, so ZBar never frees them.
        zbar_image_set_data(image, nullptr, 0, nullptr);
        zbar_image_destroy(image);
    }
};
using ScannerPtr = std::unique_ptr<zbar_image_scanner_t, ScannerDeleter>;
using ImagePtr = std::unique_ptr<zbar_image_t, ImageDeleter>;

ScannerPtr makeScanner()
{
    ScannerPtr scanner(zbar_image_scanner_create());
    if (!scanner)
        return scanner;
    zbar_image_scanner_set_config(scanner.get(), ZBAR_NONE, ZBAR_CFG_ENABLE, 1);
    for (const zbar_symbol_type_t symbology : {ZBAR_QRCODE, ZBAR_EAN13, ZBAR_EAN8, ZBAR_UPCA, ZBAR_UPCE,
                                               ZBAR_ISBN13, ZBAR_ISBN10, ZBAR_I25, ZBAR_CODE39, ZBAR_CODE128})
        zbar_image_scanner_set_config(scanner.get(), symbology, ZBAR_CFG_ENABLE, 1);
    // Raw bytes: the text encoding is chosen by PayloadText, which knows GBK.
    zbar_image_scanner_set_config(scanner.get(), ZBAR_QRCODE, ZBAR_CFG_BINARY, 1);
    return scanner;
}

cv::Mat greyMat(const QImage& image)
{
    const QImage grey = image.convertToFormat(QImage::Format_Grayscale8);
    cv::Mat packed(grey.height(), grey.width(), CV_8UC1);
    for (int y = 0; y < grey.height(); ++y)
        std::copy_n(grey.constScanLine(y), grey.width(), packed.ptr<uint8_t>(y));
    return packed;
}

ScannedCodes scanMat(const cv::Mat& grey)
{
    CV_Assert(grey.type() == CV_8UC1 && grey.isContinuous());
    return CodeScanner::scanGrey(grey.data, grey.cols, grey.rows);
}

cv::Mat halfSize(const cv::Mat& grey)
{
    cv::Mat out;
    cv::resize(grey, out, cv::Size(std::max(1, grey.cols / 2), std::max(1, grey.rows / 2)), 0, 0,
               cv::INTER_AREA);
    return out;
}

// Black and white against the mean of a neighbourhood a few modules wide: lifts faint and blurred
// codes and evens out shading that ZBar's edge detector alone does not get through. The block suits
// the small modules (1 to 5 pixels) that the first pass misses; large codes the first pass reads anyway.
cv::Mat locallyThresholded(const cv::Mat& grey)
{
    constexpr int kBlockPx = 13;
    constexpr double kOffset = 3.0; // grey levels: flat paper under sensor noise stays white
    cv::Mat out;
    cv::adaptiveThreshold(grey, out, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY, kBlockPx, kOffset);
    return out;
}

// Strong unsharp mask: restores the steep edges a defocused lens or a moving hand smears out.
cv::Mat sharpened(const cv::Mat& grey)
{
    constexpr double kSigmaPx = 3.0;
    constexpr double kAmount = 4.0;
    cv::Mat blurred;
    cv::GaussianBlur(grey, blurred, cv::Size(0, 0), kSigmaPx);
    cv::Mat out;
    cv::addWeighted(grey, 1.0 + kAmount, blurred, -kAmount, 0.0, out);
    return out;
}

cv::Mat doubled(const cv::Mat& grey)
{
    cv::Mat out;
    cv::resize(grey, out, cv::Size(grey.cols * 2, grey.rows * 2), 0, 0, cv::INTER_CUBIC);
    return out;
}

struct Pass
{
    const char* name;
    double pixelFactor; // the copy's pixels relative to the picture's, for the time estimate
    std::function<cv::Mat(const cv::Mat&)> prepare;
};

// Doubling pays only for small pictures; a doubled 1920x1080 frame would take ZBar far too long.
constexpr int kDoubleMaxPixels = 800 * 600;

} // namespace

QByteArray CodeScanner::packedGrey(const QImage& image)
{
    if (image.isNull())
        return {};
    const cv::Mat grey = greyMat(image);
    return QByteArray(reinterpret_cast<const char*>(grey.data), static_cast<int>(grey.total()));
}

ScannedCodes CodeScanner::scanGrey(const uint8_t* pixels, int width, int height)
{
    ScannedCodes codes;
    if (!pixels || width <= 0 || height <= 0)
        return codes;
    ScannerPtr scanner = makeScanner();
    ImagePtr image(zbar_image_create());
    if (!scanner || !image) {
        qWarning() << "[Scan] ZBar could not be set up";
        return codes;
    }
    zbar_image_set_format(image.get(), zbar_fourcc('Y', '8', '0', '0'));
    zbar_image_set_size(image.get(), static_cast<unsigned>(width), static_cast<unsigned>(height));
    zbar_image_set_data(image.get(), pixels,
                        static_cast<unsigned long>(width) * static_cast<unsigned long>(height), nullptr);
    if (zbar_scan_image(scanner.get(), image.get()) < 1)
        return codes;
    for (const zbar_symbol_t* symbol = zbar_image_first_symbol(image.get()); symbol;
         symbol = zbar_symbol_next(symbol)) {
        const QByteArray bytes(zbar_symbol_get_data(symbol),
                               static_cast<int>(zbar_symbol_get_data_length(symbol)));
        ScannedCode code{QString::fromLatin1(zbar_get_symbol_name(zbar_symbol_get_type(symbol))),
                         PayloadText::decode(bytes)};
        qDebug().noquote() << "Code type:" << code.type;
        qDebug().noquote() << "Code data:" << code.data;
        codes.append(code);
    }
    return codes;
}

ScannedCodes CodeScanner::decode(const QImage& image, const CodeScanOptions& options)
{
    if (image.isNull())
        return {};
    QElapsedTimer clock;
    clock.start();
    const cv::Mat grey = greyMat(image);
    ScannedCodes codes = scanMat(grey);
    if (!codes.isEmpty() || !options.extraPasses)
        return codes;

    // Time of one pass per pixel of the picture, so that each further pass can be judged before it runs.
    const double firstPassMs = std::max<qint64>(1, clock.elapsed());
    std::vector<Pass> passes = {
        {"half size", 0.25, halfSize},
        // Both copies have more edges than the picture (noise turned into specks), and ZBar's time
        // grows with the edges: half as long again as the first pass, measured on noisy frames.
        {"thresholded", 1.5, locallyThresholded},
        {"sharpened", 1.5, sharpened},
    };
    if (grey.total() <= static_cast<size_t>(kDoubleMaxPixels))
        passes.push_back({"doubled", 4.0, doubled});

    int passesRun = 1;
    for (const Pass& pass : passes) {
        if (clock.elapsed() + firstPassMs * pass.pixelFactor > options.budgetMs)
            continue;
        ++passesRun;
        const qint64 startMs = clock.elapsed();
        const ScannedCodes found = scanMat(pass.prepare(grey));
        qDebug().noquote() << "[Scan] pass" << pass.name << "took" << clock.elapsed() - startMs << "ms, found"
                           << found.size();
        for (const ScannedCode& code : found)
            if (!codes.contains(code))
                codes.append(code);
    }
    if (!codes.isEmpty())
        qDebug().noquote() << "[Scan] found" << codes.size() << "code(s) in" << passesRun << "passes,"
                           << clock.elapsed() << "ms";
    return codes;
}
