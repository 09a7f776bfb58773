#pragma once
// Removing the fingers that hold an open book down, after the pages have been flattened: they sit in a
// band at the left and right edge. A finger is found as a dark object (glove, finger cot, deep shadow)
// or as skin, and painted over with the paper above and below it.
#include <opencv2/core.hpp>

// A new image with the fingers at both edges removed; `image` is 8-bit BGR or BGRA (the result has
// the same channels). An empty input gives an empty copy. Never throws out of OpenCV calls it owns.
cv::Mat removeFingersV11(const cv::Mat& image);

// The steps, on 8-bit BGR images changed in place (exposed for tests and the evaluation tool).
void removeFingerLeftV11(cv::Mat& bgr);
void removeFingerRightV11(cv::Mat& bgr);
// `fingerMask` (8-bit, the image's size) receives non-zero finger pixels; `leftPage`: the finger
// touches column 0 (else the last column).
void detectBlackFinger(const cv::Mat& bgr, cv::Mat& fingerMask, bool leftPage);
void detectSkinFinger(const cv::Mat& bgr, cv::Mat& fingerMask, bool leftPage);
void fillFingerMirror(cv::Mat& bgr, const cv::Mat& fingerMask, bool leftPage);
void removeResidualFingers(cv::Mat& bgr);
