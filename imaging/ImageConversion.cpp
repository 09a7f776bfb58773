#include "ImageConversion.h"

#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <cstring>

cv::Mat qImageToMat(const QImage& image)
{
    if (image.isNull())
        return cv::Mat();
    if (image.format() == QImage::Format_Grayscale8) {
        const cv::Mat view(image.height(), image.width(), CV_8UC1, const_cast<uchar*>(image.constBits()),
                           size_t(image.bytesPerLine()));
        return view.clone();
    }
    const QImage rgb = image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
    const cv::Mat view(rgb.height(), rgb.width(), CV_8UC3, const_cast<uchar*>(rgb.constBits()),
                       size_t(rgb.bytesPerLine()));
    cv::Mat bgr;
    cv::cvtColor(view, bgr, cv::COLOR_RGB2BGR);
    return bgr;
}

QImage matToQImage(const cv::Mat& mat)
{
    if (mat.empty())
        return QImage();
    cv::Mat source = mat;
    if (source.depth() != CV_8U) {
        // Other depths come back as 8-bit three channels: scaled from the usual value range.
        cv::Mat eight;
        const double scale = (source.depth() == CV_32F || source.depth() == CV_64F) ? 255.0
                             : source.depth() == CV_16U                              ? 1.0 / 257.0
                                                                                     : 1.0;
        source.convertTo(eight, CV_8U, scale);
        source = eight;
        if (source.channels() == 1)
            cv::cvtColor(source, source, cv::COLOR_GRAY2BGR);
        else if (source.channels() == 4)
            cv::cvtColor(source, source, cv::COLOR_BGRA2BGR);
    }
    switch (source.channels()) {
    case 1: {
        QImage image(source.cols, source.rows, QImage::Format_Grayscale8);
        for (int y = 0; y < source.rows; ++y)
            std::memcpy(image.scanLine(y), source.ptr(y), size_t(source.cols));
        return image;
    }
    case 3: {
        QImage image(source.cols, source.rows, QImage::Format_RGB888);
        cv::Mat target(source.rows, source.cols, CV_8UC3, image.bits(), size_t(image.bytesPerLine()));
        cv::cvtColor(source, target, cv::COLOR_BGR2RGB);
        return image;
    }
    case 4: {
        QImage image(source.cols, source.rows, QImage::Format_RGBA8888);
        cv::Mat target(source.rows, source.cols, CV_8UC4, image.bits(), size_t(image.bytesPerLine()));
        cv::cvtColor(source, target, cv::COLOR_BGRA2RGBA);
        return image;
    }
    default:
        return QImage();
    }
}
