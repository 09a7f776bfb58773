#include "DocumentCrop.h"

#include "ImageConversion.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace {
constexpr int kPreviewLongSide = 1920;
}

QImage rectifyQuad(const QImage& image, const QPolygon& quad)
{
    if (image.isNull() || quad.size() != 4)
        return image;
    QImage source = image;
    std::array<cv::Point2f, 4> corners;
    for (int i = 0; i < 4; ++i)
        corners[size_t(i)] = cv::Point2f(float(quad[i].x()), float(quad[i].y()));

    // 1. Bring very large frames down first: the preview never needs more.
    const int longer = std::max(source.width(), source.height());
    if (longer > kPreviewLongSide) {
        const double factor = double(kPreviewLongSide) / longer;
        const int w = std::max(1, int(std::lround(source.width() * factor)));
        const int h = std::max(1, int(std::lround(source.height() * factor)));
        source = source.scaled(w, h, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        for (auto& c : corners)
            c *= float(factor);
    }

    // 2. Order: the two leftmost by y give top-left and bottom-left, the two rightmost the others.
    std::sort(corners.begin(), corners.end(), [](const cv::Point2f& a, const cv::Point2f& b) { return a.x < b.x; });
    const cv::Point2f tl = corners[0].y <= corners[1].y ? corners[0] : corners[1];
    const cv::Point2f bl = corners[0].y <= corners[1].y ? corners[1] : corners[0];
    const cv::Point2f tr = corners[2].y <= corners[3].y ? corners[2] : corners[3];
    const cv::Point2f br = corners[2].y <= corners[3].y ? corners[3] : corners[2];

    // 3. Output size from the longer opposite edges.
    const auto length = [](const cv::Point2f& a, const cv::Point2f& b) { return std::lround(std::hypot(b.x - a.x, b.y - a.y)); };
    const int width = int(std::max(length(tl, tr), length(bl, br)));
    const int height = int(std::max(length(tl, bl), length(tr, br)));
    if (width < 1 || height < 1)
        return image;

    // 4. Warp.
    const cv::Point2f from[4] = {tl, tr, br, bl};
    const cv::Point2f to[4] = {{0, 0}, {float(width), 0}, {float(width), float(height)}, {0, float(height)}};
    const cv::Mat transform = cv::getPerspectiveTransform(from, to);
    cv::Mat warped;
    cv::warpPerspective(qImageToMat(source), warped, transform, cv::Size(width, height), cv::INTER_LINEAR,
                        cv::BORDER_CONSTANT);
    return matToQImage(warped);
}
