#pragma once
// The two conversions every image-processing step uses: Qt images travel through the program,
// OpenCV matrices (8-bit BGR or 8-bit grey) inside the algorithms.
#include <QImage>

#include <opencv2/core/mat.hpp>

// RGB888 -> BGR; Grayscale8 -> one channel; every other format through RGB888 (alpha dropped).
// The matrix owns its pixels; a null image gives an empty matrix.
cv::Mat qImageToMat(const QImage& image);
// 1 channel -> Grayscale8, 3 channels (BGR) -> RGB888, 4 channels (BGRA) -> RGBA8888; other depths
// are first brought to 8-bit three channels. Always a deep copy; an empty matrix gives a null image.
QImage matToQImage(const cv::Mat& mat);
