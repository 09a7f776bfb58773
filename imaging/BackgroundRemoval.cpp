#include "BackgroundRemoval.h"

#include "ImageConversion.h"

#include <QDebug>

#include <opencv2/imgproc.hpp>

namespace {
constexpr int kAdaptiveBlockSize = 75;
constexpr double kAdaptiveOffset = 30.0;
constexpr int kBorderBand = 20;
constexpr int kBorderDark = 80;

void whitenIfDark(cv::Vec3b& pixel)
{
    if (pixel[0] < kBorderDark && pixel[1] < kBorderDark && pixel[2] < kBorderDark)
        pixel = cv::Vec3b(255, 255, 255);
}

void cleanBorder(cv::Mat& bgr)
{
    const int band = kBorderBand;
    if (bgr.cols < 2 * band + 1 || bgr.rows < 2 * band + 1) {
        // Too small for separate strips: every pixel is within the band of some edge.
        for (int y = 0; y < bgr.rows; ++y)
            for (int x = 0; x < bgr.cols; ++x)
                if (x < band || y < band || x >= bgr.cols - band || y >= bgr.rows - band)
                    whitenIfDark(bgr.at<cv::Vec3b>(y, x));
        return;
    }
    for (int y = 0; y < bgr.rows; ++y) {
        cv::Vec3b* row = bgr.ptr<cv::Vec3b>(y);
        if (y < band || y >= bgr.rows - band) {
            for (int x = 0; x < bgr.cols; ++x)
                whitenIfDark(row[x]);
        } else {
            for (int x = 0; x < band; ++x) {
                whitenIfDark(row[x]);
                whitenIfDark(row[bgr.cols - 1 - x]);
            }
        }
    }
}
} // namespace

QImage removeBackground(const QImage& image, int mode, int threshold)
{
    if (image.isNull())
        return image;
    try {
        const cv::Mat mat = qImageToMat(image);
        cv::Mat grey;
        if (mat.channels() == 3)
            cv::cvtColor(mat, grey, cv::COLOR_BGR2GRAY);
        else
            grey = mat.clone();

        cv::Mat mask;  // 255 = background
        switch (mode) {
        case 0:
            cv::adaptiveThreshold(grey, mask, 255, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY, kAdaptiveBlockSize,
                                  kAdaptiveOffset);
            break;
        case 1:
            cv::threshold(grey, mask, 0, 255, cv::THRESH_BINARY | cv::THRESH_OTSU);
            break;
        case 2:
            cv::threshold(grey, mask, threshold, 255, cv::THRESH_BINARY);
            break;
        default:
            return image.copy();
        }

        cv::Mat colour;
        if (mat.channels() > 1)
            colour = mat;
        else
            cv::cvtColor(grey, colour, cv::COLOR_GRAY2BGR);
        cv::Mat mask3;
        cv::cvtColor(mask, mask3, cv::COLOR_GRAY2BGR);
        cv::Mat result;
        cv::add(colour, mask3, result);  // saturates: background goes to 255
        cleanBorder(result);
        return matToQImage(result);
    } catch (const cv::Exception& e) {
        qWarning().noquote() << QStringLiteral("[Background] Background removal failed: ")
                                    + QString::fromStdString(e.what());
        return image.copy();
    }
}
