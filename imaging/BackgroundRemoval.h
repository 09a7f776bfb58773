#pragma once
// Whitening the paper around the writing of a captured page.
#include <QImage>

// mode 0: adaptive (a pixel stays only when it is more than 30 grey levels darker than the mean of its
// 75 x 75 neighbourhood), 1: Otsu, 2: fixed `threshold` (0..255; a grey above it is background).
// Background pixels become white, the rest keep their colour; dark pixels (all channels below 80)
// within 20 px of the border become white too (the edge of a desk or the camera's shadow). Returns
// RGB888; a null image comes back null, an unknown mode or an OpenCV failure gives an unchanged copy.
QImage removeBackground(const QImage& image, int mode, int threshold);
