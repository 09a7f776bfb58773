#include "DocumentCrop.h"

#include "ImageConversion.h"

#include <opencv2/imgproc.hpp>

#include <QDebug>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {
constexpr int kPreviewLongSide = 1920;

// Plausibility of the region the threshold found. Without these an empty desk reports its noise, a
// lighting gradient or the whole frame as a document.
constexpr double kMinAreaFraction = 0.02;   // a page under 2 % of the frame is not what anyone captures
constexpr double kMaxAreaFraction = 0.95;   // "the bright part is everything": no page edge in view
constexpr double kMinRectangleFill = 0.85;  // paper is a (slightly warped) rectangle; blobs and light pools are not
constexpr double kMinEdgeContrast = 14.0;   // grey levels between paper just inside the edge and desk just outside
constexpr int kCheckLongSide = 640;         // the contrast check needs no more resolution than this
constexpr double kCleanRectangleFill = 0.95; // Otsu's region this rectangular needs no second opinion
constexpr int kSearchLongSide = 640;
constexpr int kDetectLongSide = 2048;      // larger pictures are searched scaled down to this
constexpr size_t kRegionsTried = 3;
constexpr double kLocalBrighter = 25.0;      // grey levels above the wide neighbourhood's mean        // the threshold search runs on a copy this large
constexpr double kThresholdOffsets[] = {15, 30, 45, 60, 80, -15, -30, -45, -60};

// Mean grey just inside the region's edge minus mean grey just outside it. A threshold laid across a
// smooth lighting gradient finds a region too, but across its edge the brightness barely steps;
// paper on a desk steps sharply. The frame's own border is left out: a region cut by the picture
// edge has no outside there.
double edgeContrast(const cv::Mat& grey, const std::vector<cv::Point>& contour)
{
    const int longer = std::max(grey.cols, grey.rows);
    const double scale = longer > kCheckLongSide ? double(kCheckLongSide) / longer : 1.0;
    cv::Mat small;
    if (scale < 1.0)
        cv::resize(grey, small, cv::Size(), scale, scale, cv::INTER_AREA);
    else
        small = grey;
    std::vector<std::vector<cv::Point>> scaled(1);
    scaled[0].reserve(contour.size());
    for (const cv::Point& p : contour)
        scaled[0].emplace_back(int(std::lround(p.x * scale)), int(std::lround(p.y * scale)));

    cv::Mat region = cv::Mat::zeros(small.size(), CV_8UC1);
    cv::drawContours(region, scaled, 0, cv::Scalar(255), cv::FILLED);
    // Leave a pixel or two at the edge itself (blur, the threshold's exact place) out of both bands.
    const int gap = 2;
    const int band = std::max(3, kCheckLongSide / 100);
    const auto kernel = [](int radius) {
        return cv::getStructuringElement(cv::MORPH_RECT, cv::Size(2 * radius + 1, 2 * radius + 1));
    };
    cv::Mat innerNear, innerFar, outerNear, outerFar;
    cv::erode(region, innerNear, kernel(gap));
    cv::erode(region, innerFar, kernel(gap + band));
    cv::dilate(region, outerNear, kernel(gap));
    cv::dilate(region, outerFar, kernel(gap + band));
    cv::Mat inner = innerNear & ~innerFar;
    cv::Mat outer = outerFar & ~outerNear;
    const int border = gap + band + 1;
    if (small.cols > 2 * border && small.rows > 2 * border) {
        cv::Mat keep = cv::Mat::zeros(small.size(), CV_8UC1);
        keep(cv::Rect(border, border, small.cols - 2 * border, small.rows - 2 * border)).setTo(255);
        inner &= keep;
        outer &= keep;
    }
    if (cv::countNonZero(inner) == 0 || cv::countNonZero(outer) == 0)
        return 0.0;
    return cv::mean(small, inner)[0] - cv::mean(small, outer)[0];
}

struct Region
{
    std::vector<cv::Point> contour;
    double fill = 0.0;  // contour area / fitted rectangle area
};

bool plausibleRegion(const cv::Mat& blurred, std::vector<cv::Point>& contour, double area, Region* region)
{
    const double frameArea = double(blurred.cols) * double(blurred.rows);
    if (area < kMinAreaFraction * frameArea || area > kMaxAreaFraction * frameArea)
        return false;
    const cv::RotatedRect fitted = cv::minAreaRect(contour);
    const double rectArea = double(fitted.size.width) * double(fitted.size.height);
    if (rectArea <= 0.0 || area / rectArea < kMinRectangleFill || rectArea > kMaxAreaFraction * frameArea)
        return false;
    // A region running from one side of the picture to the opposite one is the lit part of the desk
    // beside a shadow, or a page too big to see whole: either way no outline to report.
    const cv::Rect box = cv::boundingRect(contour);
    const int edge = 2;
    if ((box.x <= edge && box.br().x >= blurred.cols - edge) || (box.y <= edge && box.br().y >= blurred.rows - edge))
        return false;
    if (edgeContrast(blurred, contour) < kMinEdgeContrast)
        return false;
    region->contour = std::move(contour);
    region->fill = area / rectArea;
    return true;
}

// Steps 5 to 7 on a binary picture (closing, outer contours, the largest) plus the plausibility
// checks. When the largest region is no document (the lit half of the desk, say), the next two
// largest get their chance. False when none is a document.
bool regionIn(cv::Mat& binary, const cv::Mat& blurred, Region* region)
{
    const cv::Mat element = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(5, 5));
    cv::morphologyEx(binary, binary, cv::MORPH_CLOSE, element, cv::Point(-1, -1), 1, cv::BORDER_CONSTANT);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(binary, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    std::vector<std::pair<double, size_t>> byArea;
    byArea.reserve(contours.size());
    for (size_t i = 0; i < contours.size(); ++i)
        byArea.emplace_back(cv::contourArea(contours[i]), i);
    // Stable: of equal areas the first found wins, as with a plain "largest".
    std::stable_sort(byArea.begin(), byArea.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    const size_t tries = std::min<size_t>(byArea.size(), kRegionsTried);
    for (size_t k = 0; k < tries; ++k)
        if (plausibleRegion(blurred, contours[byArea[k].second], byArea[k].first, region))
            return true;
    return false;
}

bool regionAt(const cv::Mat& blurred, double threshold, Region* region)
{
    cv::Mat binary;
    cv::threshold(blurred, binary, threshold, 200, cv::THRESH_BINARY);
    return regionIn(binary, blurred, region);
}

// Pixels clearly brighter than their wide surroundings. Near its edges a page is brighter than the
// mix of paper and desk around it whatever the light does across the frame; its middle may fall
// out, which leaves the outer contour - the outline - intact.
bool localRegion(const cv::Mat& blurred, Region* region)
{
    int block = std::max(blurred.cols, blurred.rows) / 4;
    block |= 1;
    if (block < 3)
        return false;
    cv::Mat binary;
    cv::adaptiveThreshold(blurred, binary, 200, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY, block,
                          -kLocalBrighter);
    return regionIn(binary, blurred, region);
}

// Blur, Otsu, closing, the largest outer contour - and when that region is no clean rectangle, other
// thresholds around Otsu's. Under uneven light one global threshold rarely fits: a brightly lit part
// of the desk joins the page, or a shadowed part of the page falls away. Both spoil the region's
// rectangle, so the threshold whose region fills its rectangle best wins. Returns false when there
// is no document.
bool findDocumentContour(const cv::Mat& grey, std::vector<cv::Point>* contour)
{
    cv::Mat blurred, ignored;
    cv::GaussianBlur(grey, blurred, cv::Size(5, 5), 0);
    const double otsu = cv::threshold(blurred, ignored, 128, 200, cv::THRESH_BINARY | cv::THRESH_OTSU);

    Region region;
    const bool otsuFound = regionAt(blurred, otsu, &region);
    if (otsuFound && region.fill >= kCleanRectangleFill) {
        *contour = std::move(region.contour);
        return true;
    }

    // Look for a better threshold on a small copy; only the winner is redone at full size.
    const int longer = std::max(blurred.cols, blurred.rows);
    const double scale = longer > kSearchLongSide ? double(kSearchLongSide) / longer : 1.0;
    cv::Mat small;
    if (scale < 1.0)
        cv::resize(blurred, small, cv::Size(), scale, scale, cv::INTER_AREA);
    else
        small = blurred;
    double bestThreshold = otsu;
    double bestFill = 0.0;
    if (otsuFound) {
        Region check;
        bestFill = regionAt(small, otsu, &check) ? check.fill : region.fill;
    }
    for (const double offset : kThresholdOffsets) {
        const double threshold = otsu + offset;
        if (threshold < 5.0 || threshold > 250.0)
            continue;
        Region candidate;
        if (regionAt(small, threshold, &candidate) && candidate.fill > bestFill + 0.01) {
            bestFill = candidate.fill;
            bestThreshold = threshold;
        }
    }
    Region local;
    if (bestFill < kCleanRectangleFill && localRegion(small, &local) && local.fill > bestFill + 0.01) {
        contour->clear();
        for (const cv::Point& p : local.contour)
            contour->emplace_back(int(std::lround(p.x / scale)), int(std::lround(p.y / scale)));
        return true;
    }
    if (bestThreshold == otsu) {
        if (!otsuFound)
            return false;
        *contour = std::move(region.contour);
        return true;
    }
    Region chosen;
    if (!regionAt(blurred, bestThreshold, &chosen)) {
        if (!otsuFound)
            return false;
        *contour = std::move(region.contour);
        return true;
    }
    *contour = std::move(chosen.contour);
    return true;
}

// A 13 MP capture holds no more outline than a 2 MP frame, only more pixels to blur and trace:
// pictures longer than kDetectLongSide are searched at that size and the outline scaled back.
bool findDocument(const cv::Mat& grey, std::vector<cv::Point2f>* outline)
{
    const int longer = std::max(grey.cols, grey.rows);
    const double scale = longer > kDetectLongSide ? double(kDetectLongSide) / longer : 1.0;
    cv::Mat searched = grey;
    if (scale < 1.0)
        cv::resize(grey, searched, cv::Size(), scale, scale, cv::INTER_AREA);
    std::vector<cv::Point> contour;
    if (!findDocumentContour(searched, &contour))
        return false;
    outline->clear();
    outline->reserve(contour.size());
    // INTER_AREA maps pixel centres with a half-pixel shift; undo it along with the scale.
    const double back = 1.0 / scale;
    for (const cv::Point& p : contour)
        outline->emplace_back(float((p.x + 0.5) * back - 0.5), float((p.y + 0.5) * back - 0.5));
    return true;
}

// The picture as 8-bit RGB (or grey) pixels viewed in place, with its grey version. Straight from
// the QImage's memory: converting a 13 MP capture to BGR and back costs more than the cut itself,
// and neither the grey weights nor the warp care about the channel order.
struct Pixels
{
    QImage holder;  // keeps converted pixels alive
    cv::Mat view;   // RGB888 or one channel, no copy
    cv::Mat grey;
};

Pixels pixelsOf(const QImage& image)
{
    Pixels p;
    if (image.format() == QImage::Format_Grayscale8) {
        p.holder = image;
        p.view = cv::Mat(image.height(), image.width(), CV_8UC1, const_cast<uchar*>(p.holder.constBits()),
                         size_t(p.holder.bytesPerLine()));
        p.grey = p.view;
        return p;
    }
    p.holder = image.format() == QImage::Format_RGB888 ? image : image.convertToFormat(QImage::Format_RGB888);
    p.view = cv::Mat(p.holder.height(), p.holder.width(), CV_8UC3, const_cast<uchar*>(p.holder.constBits()),
                     size_t(p.holder.bytesPerLine()));
    cv::cvtColor(p.view, p.grey, cv::COLOR_RGB2GRAY);
    return p;
}

QPolygon cornersOf(const cv::RotatedRect& rect)
{
    cv::Point2f points[4];
    rect.points(points);
    QPolygon polygon;
    for (const cv::Point2f& p : points)
        polygon << QPoint(int(p.x), int(p.y));
    return polygon;
}

} // namespace

QPolygon detectDocumentQuad(const QImage& image)
{
    if (image.isNull())
        return QPolygon();
    try {
        std::vector<cv::Point2f> outline;
        if (!findDocument(pixelsOf(image).grey, &outline))
            return QPolygon();
        return cornersOf(cv::minAreaRect(outline));
    } catch (const cv::Exception& e) {
        qWarning().noquote() << QStringLiteral("[Crop] Document detection failed: ") + QString::fromStdString(e.what());
        return QPolygon();
    }
}

QImage autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline)
{
    if (angleDeg)
        *angleDeg = 0.0;
    if (outline)
        *outline = QPolygon();
    if (image.isNull())
        return QImage();
    try {
        const Pixels pixels = pixelsOf(image);
        std::vector<cv::Point2f> contour;
        if (!findDocument(pixels.grey, &contour))
            return image.copy();

        const cv::RotatedRect fitted = cv::minAreaRect(contour);
        double rotation = fitted.angle;
        double width = fitted.size.width;
        double height = fitted.size.height;
        if (fitted.angle > 45.0) {
            rotation = fitted.angle + 270.0;
            std::swap(width, height);
        }
        const int cropWidth = int(std::lround(width));
        const int cropHeight = int(std::lround(height));
        const QRect crop(int(std::lround(fitted.center.x - cropWidth / 2.0)),
                         int(std::lround(fitted.center.y - cropHeight / 2.0)), cropWidth, cropHeight);
        const QRect cut = crop.intersected(image.rect());
        if (cut.isEmpty())
            return image.copy();

        // Rotating the whole picture and then cutting would turn every pixel of a 13 MP frame to keep
        // a part of them; warping straight into the cut gives the same pixels.
        cv::Mat transform = cv::getRotationMatrix2D(fitted.center, rotation, 1.0);
        transform.at<double>(0, 2) -= cut.x();
        transform.at<double>(1, 2) -= cut.y();
        QImage upright(cut.size(), pixels.view.channels() == 1 ? QImage::Format_Grayscale8 : QImage::Format_RGB888);
        cv::Mat target(upright.height(), upright.width(), pixels.view.type(), upright.bits(),
                       size_t(upright.bytesPerLine()));
        cv::warpAffine(pixels.view, target, transform, target.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT,
                       cv::Scalar::all(0));
        if (angleDeg)
            *angleDeg = rotation;
        if (outline)
            *outline = cornersOf(fitted);
        return upright;
    } catch (const cv::Exception& e) {
        qWarning().noquote() << QStringLiteral("[Crop] Auto crop failed: ") + QString::fromStdString(e.what());
        if (angleDeg)
            *angleDeg = 0.0;
        if (outline)
            *outline = QPolygon();
        return image.copy();
    }
}

QImage autoCropBoundingBox(const QImage& image, int marginPx)
{
    if (image.isNull())
        return image.copy();
    try {
        const cv::Mat grey = pixelsOf(image).grey;
        cv::Mat binary;
        cv::threshold(grey, binary, 0, 255, cv::THRESH_BINARY_INV | cv::THRESH_OTSU);
        std::vector<std::vector<cv::Point>> contours;
        cv::findContours(binary, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
        int best = -1;
        double bestArea = -1.0;
        for (size_t i = 0; i < contours.size(); ++i) {
            const double area = cv::contourArea(contours[i]);
            if (area > bestArea) {
                bestArea = area;
                best = int(i);
            }
        }
        if (best < 0)
            return image.copy();
        const cv::Rect box = cv::boundingRect(contours[size_t(best)]);
        const int margin = std::max(0, marginPx);
        const int left = std::max(0, box.x - margin);
        const int top = std::max(0, box.y - margin);
        const int width = std::min(box.width + 2 * margin, image.width() - left);
        const int height = std::min(box.height + 2 * margin, image.height() - top);
        if (width < 1 || height < 1)
            return image.copy();
        return image.copy(left, top, width, height);
    } catch (const cv::Exception& e) {
        qWarning().noquote() << QStringLiteral("[Crop] Bounding-box crop failed: ") + QString::fromStdString(e.what());
        return image.copy();
    }
}

QImage cropToRect(const QImage& image, const QRect& rect)
{
    if (!image.isNull() && rect.isValid()) {
        const QRect cut = rect.intersected(image.rect());
        if (!cut.isEmpty())
            return image.copy(cut);
    }
    return image.copy();
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
