#include "FingerRemoval.h"

#include <QDebug>

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// Fingers are only looked for between these fractions of the height: the top of a held book is
// rarely touched, and the bottom rows carry the page shadow.
constexpr double kTopRowFraction = 0.15;
constexpr double kBottomRowFraction = 0.95;

int fractionOf(int length, double fraction)
{
    return int(length * fraction);
}

// Column `offset` counted from the outer edge of the side.
int outerColumn(int width, int offset, bool leftPage)
{
    return leftPage ? offset : width - 1 - offset;
}

bool isDarkPixel(const cv::Vec3b& p)
{
    return p[0] < 100 && p[1] < 100 && p[2] < 100;
}
bool isSkinTone(const cv::Vec3b& p)
{
    return p[2] >= 80 && p[2] > p[1] && p[2] > p[0] + 15;
}
bool isBlackPixel(const cv::Vec3b& p)
{
    return (p[0] <= 20 && p[1] <= 20 && p[2] <= 20) || int(p[0]) + p[1] + p[2] < 70;
}

// Elliptical skin cluster in the Cb/Cr plane; very dark pixels carry no usable chroma.
bool isSkinEllipse(const cv::Vec3b& p)
{
    const double b = p[0], g = p[1], r = p[2];
    if (0.299 * r + 0.587 * g + 0.114 * b <= 10.0)
        return false;
    const double cr = 0.5 * r - 0.41869 * g - 0.08131 * b + 128.0;
    const double cb = 0.5 * b - 0.16874 * r - 0.33126 * g + 128.0;
    static const double cosT = std::cos(2.53);
    static const double sinT = std::sin(2.53);
    const double a = cb - 109.38;
    const double c = cr - 152.02;
    const double x = a * cosT + c * sinT - 1.6;
    const double y = c * cosT - a * sinT - 2.41;
    return x * x / 696.4321 + y * y / 196.8409 < 2.0;
}

void ensureMask(const cv::Mat& bgr, cv::Mat& fingerMask)
{
    if (fingerMask.size() != bgr.size() || fingerMask.type() != CV_8UC1)
        fingerMask = cv::Mat::zeros(bgr.size(), CV_8UC1);
}

cv::Mat rectKernel(int width, int height)
{
    return cv::getStructuringElement(cv::MORPH_RECT, {width, height});
}

// ---- removeFingerLeftV11 / removeFingerRightV11 ------------------------------------------------

void removeFingerAtEdge(cv::Mat& bgr, bool leftPage)
{
    const char* name = leftPage ? "removeFingerLeftV11" : "removeFingerRightV11";
    if (bgr.empty() || bgr.type() != CV_8UC3)
        return;
    const int w = bgr.cols;
    const int h = bgr.rows;
    // On a page narrower than the strip the strip is the whole page.
    const int strip = std::min(std::max(fractionOf(w, 0.05), 20), w);
    const int lowerStart = fractionOf(h, 0.6);
    int dark = 0, skin = 0, lowerDark = 0, lowerSkin = 0;
    for (int y = 0; y < h; ++y) {
        const cv::Vec3b* row = bgr.ptr<cv::Vec3b>(y);
        for (int i = 0; i < strip; ++i) {
            const cv::Vec3b& p = row[outerColumn(w, i, leftPage)];
            const bool d = isDarkPixel(p);
            const bool s = isSkinTone(p);
            dark += d;
            skin += s;
            if (y >= lowerStart) {
                lowerDark += d;
                lowerSkin += s;
            }
        }
    }
    if (dark < 50 && lowerDark < 20 && skin < 40 && lowerSkin < 20) {
        qInfo().nospace() << name << ": No dark/skin pixels at " << (leftPage ? "left" : "right")
                          << " edge, skip";
        return;
    }
    qInfo().nospace() << name << ": dark=" << dark << " skin=" << skin << " proceed";

    // A black glove or finger cot shows as a run of nearly black pixels in one column near the edge.
    bool fingerBlack = false;
    const int testOffset = std::max(fractionOf(w, 0.032), 10);
    if (testOffset < w) {
        const int x = outerColumn(w, testOffset, leftPage);
        int black = 0;
        for (int y = 0; y < h && !fingerBlack; ++y)
            fingerBlack = (black += isBlackPixel(bgr.at<cv::Vec3b>(y, x))) >= 35;
    }
    qInfo().nospace() << name << ": bFingerBlack=" << fingerBlack;

    cv::Mat mask = cv::Mat::zeros(bgr.size(), CV_8UC1);
    if (fingerBlack)
        detectBlackFinger(bgr, mask, leftPage);
    else
        detectSkinFinger(bgr, mask, leftPage);
    fillFingerMirror(bgr, mask, leftPage);
}

// ---- detectBlackFinger --------------------------------------------------------------------------

// Pixels at or below the paper level of a left-hand region (outer edge at column 0). The level
// comes from the darkest row of a few columns a little inside the edge: where a finger covers them
// the level drops, and a level that low is raised so that the finger's shaded rim is taken too.
cv::Mat belowPaperLevel(const cv::Mat& green)
{
    const int width = green.cols;
    const int paperFrom = std::min(width - 1, 20);
    const int paperTo = std::min(width, 30);
    const int paperColumns = std::max(paperTo - paperFrom, 1);
    int smallestSum = 2550;
    for (int y = 0; y < green.rows; ++y) {
        const uchar* row = green.ptr<uchar>(y);
        int sum = 0;
        for (int x = paperFrom; x < paperTo; ++x)
            sum += row[x];
        smallestSum = std::min(smallestSum, sum);
    }
    int level = smallestSum / paperColumns;
    if (level < 70)
        level += 50;
    cv::Mat dark;
    cv::threshold(green, dark, level, 255, cv::THRESH_BINARY_INV);
    return dark;
}

// Candidates: darker than the region on average, and either very dark or reddish (a shaded finger).
cv::Mat fingerCandidates(const cv::Mat& green, const cv::Mat& red, const cv::Mat& blue)
{
    const double meanGreen = cv::mean(green)[0];
    cv::Mat candidate(green.size(), CV_8UC1);
    for (int y = 0; y < green.rows; ++y) {
        const uchar* g = green.ptr<uchar>(y);
        const uchar* r = red.ptr<uchar>(y);
        const uchar* b = blue.ptr<uchar>(y);
        uchar* k = candidate.ptr<uchar>(y);
        for (int x = 0; x < green.cols; ++x)
            k[x] = (g[x] < meanGreen && (g[x] < 55 || int(r[x]) - std::min(b[x], g[x]) >= 35)) ? 255 : 0;
    }
    return candidate;
}

// Adds the candidates of the finger's columns to `dark`: columns are taken from the edge inward
// while they hold a finger-high run of candidates, then rows up to a little beyond the last such
// column. Rows of the finger band with fewer candidates than the average row are no finger.
void addFingerCandidates(cv::Mat& dark, const cv::Mat& candidate)
{
    const int width = dark.cols;
    const int height = dark.rows;
    int boundary = 0;
    int misses = 0;
    for (int x = 0; x < width && misses <= 10; ++x) {
        int count = 0;
        for (int y = 0; y < height; ++y) {
            if (candidate.at<uchar>(y, x)) {
                dark.at<uchar>(y, x) = 255;
                ++count;
            }
        }
        if (count >= 101)
            boundary = x;
        else
            ++misses;
    }

    const int rowEnd = std::min(boundary + 30, width);
    std::vector<int> rowCounts(static_cast<size_t>(height), 0);
    long long total = 0;
    for (int y = 0; y < height; ++y) {
        const uchar* k = candidate.ptr<uchar>(y);
        uchar* d = dark.ptr<uchar>(y);
        for (int x = 0; x < rowEnd; ++x) {
            if (k[x]) {
                d[x] = 255;
                ++rowCounts[size_t(y)];
            }
        }
        total += rowCounts[size_t(y)];
    }
    const long long average = std::max<long long>(total / height, 1);
    for (int y = fractionOf(height, kTopRowFraction); y < fractionOf(height, kBottomRowFraction); ++y)
        if (rowCounts[size_t(y)] < average)
            dark.row(y).setTo(0);
}

// The dark finger of a left-hand region (outer edge at column 0) from the region's planes.
cv::Mat blackFingerInLeftRegion(const cv::Mat& green, const cv::Mat& red, const cv::Mat& blue)
{
    cv::Mat dark = belowPaperLevel(green);
    addFingerCandidates(dark, fingerCandidates(green, red, blue));

    // Open away specks and print, then close the finger's outline.
    const cv::Mat k5 = rectKernel(5, 5);
    cv::erode(dark, dark, k5);
    cv::erode(dark, dark, k5);
    cv::dilate(dark, dark, k5);
    cv::dilate(dark, dark, k5);
    cv::dilate(dark, dark, k5);
    cv::erode(dark, dark, k5);

    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(dark, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    cv::Mat finger = cv::Mat::zeros(green.size(), CV_8UC1);
    for (size_t i = 0; i < contours.size(); ++i)
        if (cv::contourArea(contours[i]) > 200.0)
            cv::drawContours(finger, contours, int(i), cv::Scalar(255), cv::FILLED);
    cv::erode(finger, finger, k5);
    cv::dilate(finger, finger, cv::Mat::ones(35, 1, CV_8UC1));
    return finger;
}

// ---- detectSkinFinger ---------------------------------------------------------------------------

// Stretches the channel values to the full range; false for an image of one single value.
bool stretchToFullRange(cv::Mat& bgr)
{
    double lo = 0.0, hi = 0.0;
    cv::minMaxLoc(bgr.reshape(1), &lo, &hi);
    if (lo == hi)
        return false;
    cv::Mat lut(1, 256, CV_8UC1);
    for (int v = 0; v < 256; ++v)
        lut.at<uchar>(v) = cv::saturate_cast<uchar>((v - int(lo)) * 255 / (int(hi) - int(lo)));
    cv::LUT(bgr, lut, bgr);
    return true;
}

// Pulls each channel's mean towards a paper-and-skin target so that the skin ellipse sees the same
// colours under warm and cold light.
void balanceColours(cv::Mat& bgr)
{
    const double targets[3] = {130.0, 160.0, 135.0};
    const cv::Scalar means = cv::mean(bgr);
    std::vector<cv::Mat> planes;
    cv::split(bgr, planes);
    for (int c = 0; c < 3; ++c) {
        double f = 0.0;
        // A channel that is (nearly) all zero has no gain to give; dividing by its mean would make
        // the table infinite or NaN.
        if (means[c] > 0.0) {
            f = 1.0 - means[c] / targets[c];
            if (f >= 0.0)
                f = 1.0 / (1.0 - f) - 1.0;
        }
        cv::Mat lut(1, 256, CV_8UC1);
        for (int v = 0; v < 256; ++v) {
            const double value = v + std::trunc(std::min(v * f + 0.5, 1024.0));
            lut.at<uchar>(v) = uchar(std::clamp(value, 0.0, 255.0));
        }
        cv::LUT(planes[size_t(c)], lut, planes[size_t(c)]);
    }
    cv::merge(planes, bgr);
}

// Chroma path: pixels clearly redder than the page, kept in rows where a good part of the widest
// red run is found. Returns the Cr mask (255 = finger-like), or an empty matrix when more than a
// tenth of the page is that red (then the chroma says nothing about a finger).
cv::Mat redderThanPage(const cv::Mat& bgr, bool leftPage)
{
    const int w = bgr.cols;
    const int h = bgr.rows;
    cv::Mat ycrcb;
    cv::cvtColor(bgr, ycrcb, cv::COLOR_BGR2YCrCb);
    cv::Mat cr;
    cv::extractChannel(ycrcb, cr, 1);
    const int threshold = int(cv::mean(cr)[0] * 1.07);
    cv::Mat crMask;
    cv::threshold(cr, crMask, threshold, 255, cv::THRESH_BINARY);
    if (double(cv::countNonZero(crMask)) > 0.1 * double(h) * double(w))
        return {};

    const int gapLimit = fractionOf(w, 0.08);
    const int rowsFrom = fractionOf(h, kTopRowFraction);
    const int rowsTo = fractionOf(h, kBottomRowFraction);
    std::vector<int> counts(size_t(h), 0);
    int greatest = 0;
    for (int y = 0; y < h; ++y) {
        uchar* row = crMask.ptr<uchar>(y);
        // Rows outside the finger band take no part on either side.
        if (y < rowsFrom || y >= rowsTo) {
            crMask.row(y).setTo(0);
            continue;
        }
        int count = 0, gaps = 0;
        for (int i = 0; i < w; ++i) {
            if (row[outerColumn(w, i, leftPage)] == 255)
                ++count;
            else
                ++gaps;
            if (gaps > gapLimit && gaps >= int(0.9 * (i + 1)))
                break;
        }
        counts[size_t(y)] = count;
        greatest = std::max(greatest, count);
    }
    const int keep = int(greatest * 0.3);
    for (int y = 0; y < h; ++y)
        if (counts[size_t(y)] < keep)
            crMask.row(y).setTo(0);
    return crMask;
}

// Majority vote of the 3 x 3 neighbourhood, in place, closing pin holes in the skin mask.
void majorityVote(cv::Mat& mask, const cv::Rect& range)
{
    const int yFrom = std::max(range.y, 1);
    const int yTo = std::min(range.y + range.height, mask.rows - 1);
    const int xFrom = std::max(range.x + 1, 1);
    const int xTo = std::min(range.x + range.width - 1, mask.cols - 1);
    for (int y = yFrom; y < yTo; ++y) {
        for (int x = xFrom; x < xTo; ++x) {
            int ones = 0;
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    ones += mask.at<uchar>(y + dy, x + dx) == 1;
            mask.at<uchar>(y, x) = ones > 4 ? 1 : 0;
        }
    }
}

// Keeps tall, sizeable blobs and widens them a little so the repaint covers the finger's rim.
void keepFingerBlobs(cv::Mat& fingerMask)
{
    cv::Mat work = fingerMask.clone();
    const cv::Mat k5 = rectKernel(5, 5);
    cv::erode(work, work, k5);
    cv::dilate(work, work, k5);
    cv::dilate(work, work, k5);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(work, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    cv::Mat kept = cv::Mat::zeros(fingerMask.size(), CV_8UC1);
    for (size_t i = 0; i < contours.size(); ++i)
        if (cv::contourArea(contours[i]) > 500.0 && cv::boundingRect(contours[i]).height > 30)
            cv::drawContours(kept, contours, int(i), cv::Scalar(255), cv::FILLED);
    cv::dilate(kept, fingerMask, cv::Mat::ones(35, 5, CV_8UC1));
}

// ---- fillFingerMirror ---------------------------------------------------------------------------

// Integer mean of three rows of one column, per channel.
cv::Vec3b meanOfThree(const cv::Vec3b& p, const cv::Vec3b& q, const cv::Vec3b& r)
{
    return {uchar((p[0] + q[0] + r[0]) / 3), uchar((p[1] + q[1] + r[1]) / 3),
            uchar((p[2] + q[2] + r[2]) / 3)};
}

cv::Vec3b blendPixel(const cv::Vec3b& from, const cv::Vec3b& to, double w)
{
    cv::Vec3b out;
    for (int c = 0; c < 3; ++c)
        out[c] = cv::saturate_cast<uchar>(std::round(from[c] * (1.0 - w) + to[c] * w));
    return out;
}

// Per-channel median of rows [from, to) of a column: the paper level of a stretch that may cross
// a few lines of print.
cv::Vec3b medianOf(const std::vector<cv::Vec3b>& column, int from, int to)
{
    cv::Vec3b out;
    std::vector<uchar> values;
    for (int c = 0; c < 3; ++c) {
        values.clear();
        for (int y = from; y < to; ++y)
            values.push_back(column[size_t(y)][c]);
        std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
        out[c] = values[values.size() / 2];
    }
    return out;
}

// Rows of one column: the finger covers [first, last]; paper is taken from the margins [a, first)
// above and (last, b] below it.
struct ColumnSpan
{
    int a, first, last, b;
};

// Repaints the finger rows of column x: paper from above grows down to the middle of the span,
// paper from below grows up to it, and the two meet in a blend so no seam shows.
//
// The growth runs over the whole span, but only the finger rows are written back: the margins keep
// their print. And each growth starts from the median of its margin rather than from the rows next
// to the span: a line of print there would otherwise be drawn out into a dark streak down the page.
void fillColumn(cv::Mat& bgr, int x, const ColumnSpan& span)
{
    const int h = bgr.rows;
    const int a = span.a, b = span.b;
    std::vector<cv::Vec3b> col(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        col[size_t(y)] = bgr.at<cv::Vec3b>(y, x);
    const int firstRow = std::max(span.first, a);
    const int lastRow = std::min(span.last, b);
    const bool paperAbove = firstRow > a;
    const bool paperBelow = lastRow < b;
    if (!paperAbove && !paperBelow)
        return; // no paper in reach of this column
    // A finger reaching the top or bottom of the image has paper on one side only.
    const cv::Vec3b above = paperAbove ? medianOf(col, a, firstRow) : medianOf(col, lastRow + 1, b + 1);
    const cv::Vec3b below = paperBelow ? medianOf(col, lastRow + 1, b + 1) : above;

    auto px = [&](int y) -> cv::Vec3b& { return col[size_t(y)]; };
    const int mid = std::min((a + b) / 2, h - 1);
    for (int y = a; y < mid; ++y) {
        auto at = [&](int r) { return r < a ? above : px(r); };
        px(y) = meanOfThree(at(y - 1), at(y - 2), at(y - 3));
    }
    for (int y = b; y >= mid; --y) {
        auto at = [&](int r) { return r > b ? below : px(r); };
        px(y) = meanOfThree(at(y + 1), at(y + 2), at(y + 3));
    }
    const int half = (b - a) / 2;
    if (half > 0) {
        for (int i = 0; i <= mid - a; ++i) {
            const int y1 = a + i;
            const int y2 = std::min(2 * mid - a - i, h - 1);
            const double w = 1.0 - 0.5 * i / half;
            px(y1) = blendPixel(px(y2), px(y1), w);
            px(y2) = blendPixel(px(y1), px(y2), w);
        }
    }
    for (int y = firstRow; y <= lastRow; ++y)
        bgr.at<cv::Vec3b>(y, x) = px(y);
}

// ---- removeResidualFingers ----------------------------------------------------------------------

struct Blob
{
    std::vector<cv::Point> contour;
    cv::Rect box;
    double score = 0.0;
};

bool touchesOuterEdge(const cv::Rect& box, int band, bool leftPage)
{
    return leftPage ? box.x <= 20 : box.x + box.width >= band - 20;
}

// The best skin blob touching the outer edge of the band (empty contour when there is none).
// The loose ellipse also takes in white and cream paper, so a skin pixel must in addition be redder
// than the page, by the same margin the chroma check of the skin detector uses; otherwise the whole
// band of every page would count as one finger and be repainted.
Blob residualSkinBlob(const cv::Mat& bandBgr, const cv::Mat& bandCr, int redderThan, bool leftPage,
                      int imageHeight)
{
    const int band = bandBgr.cols;
    cv::Mat skin = cv::Mat::zeros(bandBgr.size(), CV_8UC1);
    for (int y = fractionOf(imageHeight, kTopRowFraction); y < fractionOf(imageHeight, kBottomRowFraction);
         ++y) {
        const cv::Vec3b* row = bandBgr.ptr<cv::Vec3b>(y);
        const uchar* cr = bandCr.ptr<uchar>(y);
        uchar* out = skin.ptr<uchar>(y);
        for (int x = 0; x < band; ++x)
            out[x] = cr[x] > redderThan && isSkinEllipse(row[x]) ? 255 : 0;
    }
    const cv::Mat k = rectKernel(5, 9);
    cv::dilate(skin, skin, k);
    cv::dilate(skin, skin, k);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(skin, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    Blob best;
    for (const auto& contour : contours) {
        const double area = cv::contourArea(contour);
        const cv::Rect box = cv::boundingRect(contour);
        if (area < imageHeight * 0.002 * band || box.height < 1.5 * box.width || box.height < 30 ||
            !touchesOuterEdge(box, band, leftPage))
            continue;
        const double ratio = area / (double(box.width) * box.height);
        if (ratio < 0.2)
            continue;
        if (ratio * area > best.score)
            best = {contour, box, ratio * area};
    }
    return best;
}

// The best dark blob touching the outer edge of the band and clearly darker than the page inside it.
Blob residualDarkBlob(const cv::Mat& bandGray, double bandMean, double referenceMean, bool leftPage)
{
    const int band = bandGray.cols;
    const int imageHeight = bandGray.rows;
    cv::Mat dark;
    cv::threshold(bandGray, dark, std::min(int(bandMean + 15.0), 100), 255, cv::THRESH_BINARY_INV);
    const cv::Mat shrink = rectKernel(3, 5);
    const cv::Mat grow = rectKernel(7, 21);
    cv::erode(dark, dark, shrink);
    cv::erode(dark, dark, shrink);
    cv::dilate(dark, dark, grow);
    cv::dilate(dark, dark, grow);
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(dark, contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    Blob best;
    for (size_t i = 0; i < contours.size(); ++i) {
        const double area = cv::contourArea(contours[i]);
        const cv::Rect box = cv::boundingRect(contours[i]);
        if (area < imageHeight * 0.003 * band || box.height < 2 * box.width || box.height < 60 ||
            !touchesOuterEdge(box, band, leftPage))
            continue;
        const double ratio = area / (double(box.width) * box.height);
        if (ratio < 0.3)
            continue;
        cv::Mat inside = cv::Mat::zeros(bandGray.size(), CV_8UC1);
        cv::drawContours(inside, contours, int(i), cv::Scalar(255), cv::FILLED);
        const double contrast = referenceMean - cv::mean(bandGray, inside)[0];
        if (contrast < 25.0)
            continue;
        const double score = ratio * area * contrast / 100.0;
        if (score > best.score)
            best = {contours[i], box, score};
    }
    return best;
}

void removeResidualFingerAtEdge(cv::Mat& bgr, const cv::Mat& gray, const cv::Mat& cr, bool leftPage)
{
    const int w = bgr.cols;
    const int h = bgr.rows;
    const int w6 = w / 6;
    // A page narrower than the band is all band.
    const int band = std::min(std::max(w6, 60), w);
    const int bandX = leftPage ? 0 : w - band;
    const int referenceX = std::clamp(leftPage ? band : w - band - w6, 0, w);
    const int referenceEnd = std::clamp(referenceX + w6, 0, leftPage ? w : w - band);
    const cv::Rect bandRect(bandX, 0, band, h);

    const int redderThan = int(cv::mean(cr)[0] * 1.07);
    const Blob skin = residualSkinBlob(bgr(bandRect), cr(bandRect), redderThan, leftPage, h);
    const bool skinFound = !skin.contour.empty();
    const cv::Mat bandGray = gray(bandRect);
    const double bandMean = cv::mean(bandGray)[0];
    // Without room for a reference strip the band is its own reference: only skin can then decide.
    const double referenceMean =
        referenceEnd > referenceX ? cv::mean(gray(cv::Rect(referenceX, 0, referenceEnd - referenceX, h)))[0]
                                  : bandMean;
    if (referenceMean - bandMean < 15.0 && !skinFound)
        return;

    int veryDark = 0;
    for (int y = 0; y < h; ++y) {
        const cv::Vec3b* row = bgr.ptr<cv::Vec3b>(y);
        for (int x = bandX; x < bandX + band; ++x)
            veryDark += row[x][0] < 80 && row[x][1] < 80 && row[x][2] < 80;
    }
    if (double(veryDark) / (double(band) * h) < 0.015 && !skinFound)
        return;

    const Blob dark = residualDarkBlob(bandGray, bandMean, referenceMean, leftPage);
    cv::Mat bandMask = cv::Mat::zeros(bandGray.size(), CV_8UC1);
    if (!dark.contour.empty()) {
        cv::drawContours(bandMask, std::vector<std::vector<cv::Point>>{dark.contour}, 0, cv::Scalar(255),
                         cv::FILLED);
    } else if (skinFound) {
        const int x = std::max(skin.box.x - 15, 0);
        const int y = std::max(skin.box.y - 15, 0);
        const int right = std::min(x + skin.box.width + 30, band);
        const int bottom = std::min(y + skin.box.height + 30, h);
        bandMask(cv::Rect(x, y, right - x, bottom - y)).setTo(255);
    } else {
        return;
    }
    cv::dilate(bandMask, bandMask, cv::Mat::ones(30, 5, CV_8UC1));
    cv::Mat mask = cv::Mat::zeros(bgr.size(), CV_8UC1);
    mask(bandRect).setTo(1, bandMask > 127);
    fillFingerMirror(bgr, mask, leftPage);
}

} // namespace

cv::Mat removeFingersV11(const cv::Mat& image)
{
    if (image.empty()) {
        qWarning() << "removeFingersV11: Input is empty";
        return image.clone();
    }
    if (image.depth() != CV_8U || (image.channels() != 3 && image.channels() != 4)) {
        qWarning().nospace() << "removeFingersV11: Unsupported image type " << image.type() << ", unchanged";
        return image.clone();
    }
    const bool wasBgra = image.channels() == 4;
    try {
        cv::Mat bgr;
        if (wasBgra)
            cv::cvtColor(image, bgr, cv::COLOR_BGRA2BGR);
        else
            bgr = image.clone();
        qInfo().nospace() << "removeFingersV11: Start, wasBGRA=" << wasBgra << " size=" << bgr.cols << "x"
                          << bgr.rows;
        removeFingerLeftV11(bgr);
        removeFingerRightV11(bgr);
        removeResidualFingers(bgr);
        if (!wasBgra) {
            qInfo() << "removeFingersV11: Done";
            return bgr;
        }
        cv::Mat bgra;
        cv::cvtColor(bgr, bgra, cv::COLOR_BGR2BGRA);
        qInfo() << "removeFingersV11: Done, converted back to BGRA";
        return bgra;
    } catch (const cv::Exception& e) {
        qWarning().nospace() << "removeFingersV11: OpenCV error, image left unchanged: " << e.what();
        return image.clone();
    }
}

void removeFingerLeftV11(cv::Mat& bgr)
{
    removeFingerAtEdge(bgr, true);
}

void removeFingerRightV11(cv::Mat& bgr)
{
    removeFingerAtEdge(bgr, false);
}

void detectBlackFinger(const cv::Mat& bgr, cv::Mat& fingerMask, bool leftPage)
{
    ensureMask(bgr, fingerMask);
    if (bgr.empty() || bgr.type() != CV_8UC3)
        return;
    const int w = bgr.cols;
    const int h = bgr.rows;
    // The right-hand region is the exact mirror of the left-hand one, including the image's last
    // column where the finger enters (leaving that column out would leave a line of finger behind),
    // so it is flipped, searched as a left region, and the result flipped back.
    const int width = std::max(w / 4, 1);
    const cv::Rect region(leftPage ? 0 : w - width, 0, width, std::max(h - 1, 1));
    cv::Mat planes[3];
    cv::split(bgr(region), planes);
    if (!leftPage)
        for (cv::Mat& plane : planes)
            cv::flip(plane, plane, 1);
    cv::Mat finger = blackFingerInLeftRegion(planes[1], planes[2], planes[0]);
    if (!leftPage)
        cv::flip(finger, finger, 1);

    const int rowFrom = fractionOf(h, kTopRowFraction);
    const int rowTo = std::min(fractionOf(h, kBottomRowFraction), region.height);
    if (rowTo > rowFrom) {
        const cv::Rect rows(0, rowFrom, width, rowTo - rowFrom);
        finger(rows).copyTo(fingerMask(cv::Rect(region.x, rowFrom, width, rowTo - rowFrom)));
    }
}

void detectSkinFinger(const cv::Mat& bgr, cv::Mat& fingerMask, bool leftPage)
{
    ensureMask(bgr, fingerMask);
    if (bgr.empty() || bgr.type() != CV_8UC3)
        return;
    const int w = bgr.cols;
    const int h = bgr.rows;
    cv::Mat balanced = bgr.clone();
    if (!stretchToFullRange(balanced)) {
        qInfo() << "detectSkinFinger: Image has zero range, skip";
        return;
    }
    balanceColours(balanced);

    const int x0 = leftPage ? 0 : std::min(fractionOf(w, 0.85), w - 1);
    const int x1 = leftPage ? std::max(fractionOf(w, 0.15), 1) - 1 : w - 1;
    const int y0 = fractionOf(h, kTopRowFraction);
    const int y1 = std::max(fractionOf(h, kBottomRowFraction), y0 + 1) - 1;
    qInfo().nospace() << "detectSkinFinger: Detection range x=[" << x0 << "," << x1 << "] y=[" << y0 << ","
                      << y1 << "]";
    fingerMask.setTo(0);
    for (int y = y0; y <= y1; ++y) {
        const cv::Vec3b* row = balanced.ptr<cv::Vec3b>(y);
        uchar* out = fingerMask.ptr<uchar>(y);
        for (int x = x0; x <= x1; ++x)
            out[x] = isSkinEllipse(row[x]) ? 1 : 0;
    }

    const cv::Rect range(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    const cv::Mat crMask = redderThanPage(bgr, leftPage);
    if (!crMask.empty()) {
        for (int y = y0; y <= y1; ++y)
            for (int x = x0 + 1; x <= x1; ++x)
                fingerMask.at<uchar>(y, x) = crMask.at<uchar>(y, x) == 255 ? 1 : 0;
    } else {
        majorityVote(fingerMask, range);
    }
    keepFingerBlobs(fingerMask);
    qInfo() << "detectSkinFinger: Done";
}

void fillFingerMirror(cv::Mat& bgr, const cv::Mat& fingerMask, bool leftPage)
{
    if (bgr.empty() || bgr.type() != CV_8UC3 || fingerMask.size() != bgr.size() ||
        fingerMask.type() != CV_8UC1)
        return;
    const int w = bgr.cols;
    const int h = bgr.rows;
    std::vector<cv::Point> points;
    cv::findNonZero(fingerMask, points);
    if (points.empty()) {
        qInfo() << "fillFingerMirror: No finger region found, skip";
        return;
    }
    const cv::Rect box = cv::boundingRect(points);
    const int left = box.x, right = box.x + box.width - 1, top = box.y, bottom = box.y + box.height - 1;
    qInfo().nospace() << "fillFingerMirror: region L=" << left << " R=" << right << " T=" << top
                      << " B=" << bottom;

    const int spanTop = std::max(top - 30, 0);
    const int xs = std::max(leftPage ? left : left - 30, 0);
    const int xe = std::min(leftPage ? right + 30 : right, w - 1);
    if (!(xs + w / 64 < xe && spanTop + h / 64 < bottom)) {
        qInfo() << "fillFingerMirror: region too small, skip";
        return;
    }

    // The outermost column of the region always holds mask pixels, so a span exists before any
    // column has to repeat one.
    int first = -1, last = -1;
    for (int i = 0; i <= xe - xs; ++i) {
        const int x = leftPage ? xs + i : xe - i;
        int columnFirst = -1, columnLast = -1;
        // The bottom row itself belongs to the region too: it is the last mask row.
        for (int y = spanTop; y <= bottom; ++y) {
            if (fingerMask.at<uchar>(y, x)) {
                if (columnFirst < 0)
                    columnFirst = y;
                columnLast = y;
            }
        }
        // Paper is taken a good way above and below the finger, clear of its shadow; a column
        // without mask pixels (a gap in the mask, or the rim beyond the fingertip) repeats its
        // neighbour's span.
        if (columnFirst >= 0) {
            first = columnFirst;
            last = columnLast;
        }
        if (first < 0)
            continue;
        const ColumnSpan span{std::max(first - 70, 0), first, last, std::min(last + 70, h - 1)};
        if (span.a < span.b)
            fillColumn(bgr, x, span);
    }
    qInfo() << "fillFingerMirror: Done";
}

void removeResidualFingers(cv::Mat& bgr)
{
    if (bgr.empty() || bgr.type() != CV_8UC3)
        return;
    qInfo().nospace() << "removeResidualFingers: Start, size: " << bgr.cols << "x" << bgr.rows;
    for (const bool leftPage : {true, false}) {
        // The grey image is taken per pass: the left repaint must be seen by the right pass on a
        // narrow page whose bands overlap.
        cv::Mat gray, ycrcb, cr;
        cv::cvtColor(bgr, gray, cv::COLOR_BGR2GRAY);
        cv::cvtColor(bgr, ycrcb, cv::COLOR_BGR2YCrCb);
        cv::extractChannel(ycrcb, cr, 1);
        removeResidualFingerAtEdge(bgr, gray, cr, leftPage);
    }
    qInfo() << "removeResidualFingers: Done";
}
