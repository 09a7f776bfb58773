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
constexpr int kDetectLongSide = 2048;
constexpr double kSideTolerance = 0.04;     // outline points this close to a fitted side (of the shorter side) belong to it
constexpr double kSideMargin = 0.12;        // ... unless within this share of the side from a corner
constexpr double kMaxCornerShift = 0.05;
constexpr double kMaxSideTurnRad = 5.0 * CV_PI / 180.0;  // a side fitted further off is not the page's    // a refined corner further than this (of the diagonal) is not believed      // larger pictures are searched scaled down to this
constexpr size_t kRegionsTried = 3;
constexpr double kLargerRegionContrast = 0.75; // a larger clean region needs this share of the other's edge contrast
constexpr double kLocalBrighterLog = 10.0;   // on the log scale (255 = x256): about 25 % brighter than around        // the threshold search runs on a copy this large
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
    double area = 0.0;  // pixels of the picture it was found on
    double contrast = 0.0;  // grey levels across its edge
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
    const double contrast = edgeContrast(blurred, contour);
    if (contrast < kMinEdgeContrast)
        return false;
    region->contrast = contrast;
    region->contour = std::move(contour);
    region->fill = area / rectArea;
    region->area = area;
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

// Pixels clearly brighter than their wide surroundings, compared as ratios: light multiplies,
// so on a logarithmic scale a shadow or a falloff across the desk shifts paper and desk alike and
// only their ratio remains. Near its edges a page is brighter than the mix of paper and desk around
// it wherever the light falls; its middle may drop out, which leaves the outer contour - the
// outline - intact. Works on `logGrey`, the logarithm of the blurred picture on 0..255.
bool localRegion(const cv::Mat& logGrey, const cv::Mat& blurred, Region* region)
{
    int block = std::max(logGrey.cols, logGrey.rows) / 4;
    block |= 1;
    if (block < 3)
        return false;
    cv::Mat binary;
    cv::adaptiveThreshold(logGrey, binary, 200, cv::ADAPTIVE_THRESH_MEAN_C, cv::THRESH_BINARY, block,
                          -kLocalBrighterLog);
    return regionIn(binary, blurred, region);
}

cv::Mat logarithmic(const cv::Mat& grey)
{
    cv::Mat table(1, 256, CV_8U);
    for (int i = 0; i < 256; ++i)
        table.at<uchar>(i) = cv::saturate_cast<uchar>(255.0 * std::log1p(double(i)) / std::log(256.0));
    cv::Mat result;
    cv::LUT(grey, table, result);
    return result;
}

// Of two plausible regions, the one more likely the whole page: a clean rectangle beats a ragged
// one, and of two clean ones the larger wins - a shadow across the page leaves its lit part a clean
// rectangle too, but a smaller one - unless its edge is much weaker: then the extra area is bright
// desk that joined the page.
bool preferred(const Region& a, const Region& b)
{
    const bool aClean = a.fill >= kCleanRectangleFill;
    const bool bClean = b.fill >= kCleanRectangleFill;
    if (aClean != bClean)
        return aClean;
    if (aClean)
        return a.area > b.area * 1.03 && a.contrast >= kLargerRegionContrast * b.contrast;
    return a.fill > b.fill + 0.01;
}

// Blur, Otsu, closing, the largest outer contour - then a second opinion from other thresholds and
// from a local, ratio-based threshold on a small copy. Under uneven light one global threshold
// rarely fits: a brightly lit part of the desk joins the page, or a shadowed part of the page falls
// away. Returns false when there is no document.
bool findDocumentContour(const cv::Mat& grey, std::vector<cv::Point>* contour)
{
    cv::Mat blurred, ignored;
    cv::GaussianBlur(grey, blurred, cv::Size(5, 5), 0);
    const double otsu = cv::threshold(blurred, ignored, 128, 200, cv::THRESH_BINARY | cv::THRESH_OTSU);
    Region otsuRegion;
    const bool otsuFound = regionAt(blurred, otsu, &otsuRegion);

    const int longer = std::max(blurred.cols, blurred.rows);
    const double scale = longer > kSearchLongSide ? double(kSearchLongSide) / longer : 1.0;
    cv::Mat small;
    if (scale < 1.0)
        cv::resize(blurred, small, cv::Size(), scale, scale, cv::INTER_AREA);
    else
        small = blurred;

    enum class Source { None, Otsu, Threshold, Local };
    Source bestSource = Source::None;
    Region best;
    double bestThreshold = otsu;
    if (otsuFound) {
        best.fill = otsuRegion.fill;
        best.contrast = otsuRegion.contrast;
        best.area = otsuRegion.area * scale * scale;
        bestSource = Source::Otsu;
    }
    // A clean Otsu region can only be beaten by a larger clean one: lower thresholds are enough.
    const bool clean = otsuFound && otsuRegion.fill >= kCleanRectangleFill;
    for (const double offset : kThresholdOffsets) {
        if (clean && offset > 0)
            continue;
        const double threshold = otsu + offset;
        if (threshold < 5.0 || threshold > 250.0)
            continue;
        Region candidate;
        if (regionAt(small, threshold, &candidate) && (bestSource == Source::None || preferred(candidate, best))) {
            best = std::move(candidate);
            bestThreshold = threshold;
            bestSource = Source::Threshold;
        }
    }
    Region local;
    if (localRegion(logarithmic(small), small, &local) && (bestSource == Source::None || preferred(local, best))) {
        best = std::move(local);
        bestSource = Source::Local;
    }

    switch (bestSource) {
    case Source::None:
        return false;
    case Source::Otsu:
        *contour = std::move(otsuRegion.contour);
        return true;
    case Source::Threshold: {
        Region chosen;
        if (regionAt(blurred, bestThreshold, &chosen)) {
            *contour = std::move(chosen.contour);
            return true;
        }
        break;  // the small copy's outline, scaled up
    }
    case Source::Local:
        break;
    }
    contour->clear();
    for (const cv::Point& p : best.contour)
        contour->emplace_back(int(std::lround((p.x + 0.5) / scale - 0.5)), int(std::lround((p.y + 0.5) / scale - 0.5)));
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

// Straight lines along the page's four sides. A camera not quite square over the desk sees the
// page as a slightly uneven quadrilateral, whose fitted rectangle lies along one of its sides and
// misses the other corners by up to a few per cent. Each side of the fitted rectangle picks the
// outline points lying along it (away from the corners, which blur and shadows round off) and a
// robust line goes through them. False when a side has too few points.
bool fitSides(const std::vector<cv::Point2f>& contour, const cv::RotatedRect& fitted, cv::Vec4f lines[4])
{
    cv::Point2f rect[4];
    fitted.points(rect);
    const double shorter = std::min(fitted.size.width, fitted.size.height);
    if (contour.size() < 4 || shorter < 8.0)
        return false;

    // The outline every pixel or so: the simple chain keeps only the ends of straight runs.
    std::vector<cv::Point2f> dense;
    for (size_t i = 0; i < contour.size(); ++i) {
        const cv::Point2f a = contour[i];
        const cv::Point2f b = contour[(i + 1) % contour.size()];
        const int steps = std::max(1, int(std::ceil(cv::norm(b - a))));
        for (int k = 0; k < steps; ++k)
            dense.push_back(a + (b - a) * (float(k) / float(steps)));
    }

    const double tolerance = std::max(4.0, kSideTolerance * shorter);
    for (int side = 0; side < 4; ++side) {
        const cv::Point2f from = rect[side];
        const cv::Point2f to = rect[(side + 1) % 4];
        const double length = cv::norm(to - from);
        if (length < 1.0)
            return false;
        const cv::Point2f along = (to - from) * float(1.0 / length);
        const cv::Point2f normal(-along.y, along.x);
        std::vector<cv::Point2f> points;
        for (const cv::Point2f& p : dense) {
            const cv::Point2f d = p - from;
            const double t = d.dot(along) / length;
            if (t < kSideMargin || t > 1.0 - kSideMargin)
                continue;
            if (std::abs(d.dot(normal)) < tolerance)
                points.push_back(p);
        }
        if (points.size() < 8)
            return false;
        cv::fitLine(points, lines[side], cv::DIST_HUBER, 0, 0.01, 0.01);
        // Keep each line pointing the way its side runs.
        if (lines[side][0] * along.x + lines[side][1] * along.y < 0) {
            lines[side][0] = -lines[side][0];
            lines[side][1] = -lines[side][1];
        }
    }
    return true;
}

// Where neighbouring side lines meet: corner i joins the side ending there (i - 1) and the one
// starting there (i), in the fitted rectangle's corner order. Falls back to the rectangle's corners
// when the sides cannot be fitted or a corner lands implausibly far from the rectangle's.
QPolygon refinedCorners(const std::vector<cv::Point2f>& contour, const cv::RotatedRect& fitted)
{
    const QPolygon fallback = cornersOf(fitted);
    cv::Vec4f lines[4];
    if (!fitSides(contour, fitted, lines))
        return fallback;
    cv::Point2f rect[4];
    fitted.points(rect);
    const double diagonal = std::hypot(fitted.size.width, fitted.size.height);
    QPolygon corners;
    for (int corner = 0; corner < 4; ++corner) {
        const cv::Vec4f& a = lines[(corner + 3) % 4];
        const cv::Vec4f& b = lines[corner];
        const double cross = double(a[0]) * b[1] - double(a[1]) * b[0];
        if (std::abs(cross) < 1e-6)
            return fallback;
        const double dx = double(b[2]) - a[2];
        const double dy = double(b[3]) - a[3];
        const double s = (dx * b[1] - dy * b[0]) / cross;
        const cv::Point2f p(float(a[2] + s * a[0]), float(a[3] + s * a[1]));
        if (cv::norm(p - rect[corner]) > kMaxCornerShift * diagonal)
            return fallback;
        corners << QPoint(int(p.x), int(p.y));
    }
    return corners;
}

// The fitted rectangle turned to the mean direction of the page's four sides. The rectangle alone
// lies along one side, so under a slight perspective its angle is that side's, up to a degree off
// the page's; the mean of all four sides is what a reader sees as straight. Centre and size stay.
cv::RotatedRect alignedToSides(const std::vector<cv::Point2f>& contour, const cv::RotatedRect& fitted)
{
    cv::Vec4f lines[4];
    if (!fitSides(contour, fitted, lines))
        return fitted;
    cv::Point2f rect[4];
    fitted.points(rect);
    double sum = 0.0;
    for (int side = 0; side < 4; ++side) {
        const cv::Point2f edge = rect[(side + 1) % 4] - rect[side];
        const double sideAngle = std::atan2(double(lines[side][1]), double(lines[side][0]));
        double delta = sideAngle - std::atan2(double(edge.y), double(edge.x));
        delta = std::remainder(delta, 2 * CV_PI);
        if (std::abs(delta) > kMaxSideTurnRad)
            return fitted;
        sum += delta;
    }
    cv::RotatedRect aligned = fitted;
    aligned.angle = float(fitted.angle + sum / 4.0 * 180.0 / CV_PI);
    return aligned;
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
        return refinedCorners(outline, cv::minAreaRect(outline));
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

        const cv::RotatedRect fitted = alignedToSides(contour, cv::minAreaRect(contour));
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

double signedAngleDeg(double angleDeg)
{
    double a = std::fmod(angleDeg, 360.0);
    if (a > 180.0)
        a -= 360.0;
    else if (a <= -180.0)
        a += 360.0;
    return a;
}
