#include "BookScene.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace bookscenes {
namespace {

constexpr double kPi = 3.14159265358979323846;

const cv::Scalar kPaper(222, 228, 230);
const cv::Scalar kInk(60, 55, 50);
const cv::Scalar kDesk(38, 40, 44);

// The page's own content, flat: text lines of "words" (or a ruled grid) between margins.
cv::Mat renderFlatPage(PageTruth& page, const BookSceneOptions& options, std::mt19937_64& rng)
{
    cv::Mat flat(page.height, page.width, CV_8UC3, kPaper);
    const int marginX = int(page.width * 0.08);
    const double spacing = page.lineRows.size() > 1 ? page.lineRows[1] - page.lineRows[0] : page.height / 2.0;
    const int thickness = std::max(3, int(spacing * 0.35));
    std::uniform_int_distribution<int> word(int(page.width * 0.03), int(page.width * 0.12));
    std::uniform_int_distribution<int> space(int(page.width * 0.012), int(page.width * 0.025));
    for (double& row : page.lineRows) {
        const int y = int(std::lround(row - thickness / 2.0));
        // The truth is where the line really lies after rounding to whole rows.
        row = y + (thickness - 1) / 2.0;
        if (options.grid) {
            cv::rectangle(flat, cv::Rect(marginX, y, page.width - 2 * marginX, thickness), kInk, cv::FILLED);
            continue;
        }
        for (int x = marginX; x < page.width - marginX;) {
            const int w = std::min(word(rng), page.width - marginX - x);
            cv::rectangle(flat, cv::Rect(x, y, w, thickness), kInk, cv::FILLED);
            x += w + space(rng);
        }
    }
    if (options.grid)
        for (double x = marginX; x < page.width - marginX; x += spacing)
            cv::line(flat, cv::Point(int(x), int(page.lineRows.front())),
                     cv::Point(int(x), int(page.lineRows.back())), kInk, 2);
    return flat;
}

// Bows the flat page onto the frame between its curved top and bottom edges.
void placePage(cv::Mat& frame, cv::Mat& pageMask, const cv::Mat& flat, const PageTruth& page)
{
    int rowMin = frame.rows;
    int rowMax = 0;
    for (int x = page.left; x < page.left + page.width; ++x) {
        rowMin = std::min(rowMin, int(std::floor(page.topAt(x))));
        rowMax = std::max(rowMax, int(std::ceil(page.bottomAt(x))));
    }
    rowMin = std::max(rowMin - 1, 0);
    rowMax = std::min(rowMax + 1, frame.rows - 1);
    const cv::Rect area(page.left, rowMin, page.width, rowMax - rowMin + 1);
    cv::Mat mapX(area.size(), CV_32FC1);
    cv::Mat mapY(area.size(), CV_32FC1);
    for (int c = 0; c < area.width; ++c) {
        const double x = page.left + c;
        const double top = page.topAt(x);
        const double scale = page.height / (page.bottomAt(x) - top);
        for (int r = 0; r < area.height; ++r) {
            mapX.at<float>(r, c) = float(c);
            mapY.at<float>(r, c) = float((area.y + r - top) * scale);
        }
    }
    cv::Mat warped;
    cv::Mat coverage;
    cv::remap(flat, warped, mapX, mapY, cv::INTER_LINEAR, cv::BORDER_CONSTANT, kDesk);
    cv::remap(cv::Mat(flat.size(), CV_8UC1, cv::Scalar(255)), coverage, mapX, mapY, cv::INTER_LINEAR,
              cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::Mat inside = coverage > 127;
    warped.copyTo(frame(area), inside);
    pageMask(area).setTo(255, inside);
}

} // namespace

double PageTruth::topAt(double x) const
{
    const double u = std::clamp((x - left) / std::max(width - 1, 1), 0.0, 1.0);
    return topBase - bowPx * std::sin(kPi * u);
}

double PageTruth::bottomAt(double x) const
{
    const double u = std::clamp((x - left) / std::max(width - 1, 1), 0.0, 1.0);
    // Bowed less than the top and not symmetrically: the book lies tilted a little towards the reader.
    return topBase + height + 0.6 * bowPx * std::sin(kPi * u) + 0.3 * bowPx * u * u;
}

double PageTruth::rowAt(double x, double row) const
{
    const double top = topAt(x);
    return top + row * (bottomAt(x) - top) / height;
}

BookScene renderBookScene(const BookSceneOptions& options)
{
    std::mt19937_64 rng(options.seed);
    BookScene scene;
    scene.bgr = cv::Mat(options.frame, CV_8UC3, kDesk);
    scene.pageMask = cv::Mat::zeros(options.frame, CV_8UC1);
    scene.fingerMask = cv::Mat::zeros(options.frame, CV_8UC1);

    const int pageWidth = int(options.frame.width * options.pageWidthFraction);
    const int pageHeight = int(options.frame.height * options.pageHeightFraction);
    const int centre = options.frame.width / 2;
    const int count = std::clamp(options.pageCount, 1, 2);
    for (int p = 0; p < count; ++p) {
        PageTruth page;
        page.width = pageWidth;
        page.height = pageHeight;
        page.topBase = (options.frame.height - pageHeight) / 2 + int(options.bowFraction * pageHeight / 2);
        page.bowPx = options.bowFraction * pageHeight;
        if (count == 1)
            page.left = centre - pageWidth / 2;
        else
            page.left =
                p == 0 ? centre - options.spineGapPx / 2 - pageWidth : centre + (options.spineGapPx + 1) / 2;
        const double first = pageHeight * 0.1;
        const double spacing = pageHeight * 0.8 / std::max(options.lineCount - 1, 1);
        for (int k = 0; k < options.lineCount; ++k)
            page.lineRows.push_back(first + k * spacing);
        const cv::Mat flat = renderFlatPage(page, options, rng);
        placePage(scene.bgr, scene.pageMask, flat, page);
        scene.pages.push_back(page);
    }

    if (options.finger != Finger::None) {
        // A finger from the left holding the first page at its outer edge, mostly over the desk.
        const PageTruth& page = scene.pages.front();
        const double length = page.width * 0.12;
        cv::RotatedRect shape(
            cv::Point2f(float(page.left + length * 0.05), float(page.rowAt(page.left, page.height * 0.62))),
            cv::Size2f(float(length), float(page.height * 0.045)), 8.0f);
        if (options.fingerAcrossBottom) {
            // A thumb pressing the bottom edge down, a third of the way in from the outer edge.
            const double x = page.left + page.width * 0.35;
            shape = cv::RotatedRect(cv::Point2f(float(x), float(page.bottomAt(x))),
                                    cv::Size2f(float(page.width * 0.06), float(page.height * 0.1)), 5.0f);
        }
        scene.fingerColor = options.finger == Finger::Skin ? cv::Vec3b(120, 150, 212) : cv::Vec3b(15, 15, 15);
        cv::ellipse(scene.fingerMask, shape, cv::Scalar(255), cv::FILLED, cv::LINE_AA);
        scene.fingerMask = scene.fingerMask > 127;
        scene.bgr.setTo(cv::Scalar(scene.fingerColor), scene.fingerMask);
    }

    if (options.unevenLight) {
        // Light falling off towards the left, and the shadow a curved spine casts.
        cv::Mat gain(options.frame, CV_32FC1);
        for (int x = 0; x < options.frame.width; ++x) {
            const double d = (x - centre) / (0.03 * options.frame.width);
            const float g = float((0.72 + 0.3 * x / options.frame.width) *
                                  (1.0 - (count == 2 ? 0.35 : 0.0) * std::exp(-d * d)));
            gain.col(x).setTo(g);
        }
        cv::Mat gain3;
        cv::merge(std::vector<cv::Mat>{gain, gain, gain}, gain3);
        cv::Mat lit;
        scene.bgr.convertTo(lit, CV_32FC3);
        lit = lit.mul(gain3);
        lit.convertTo(scene.bgr, CV_8UC3);
    }
    if (options.noiseSigma > 0.0) {
        cv::Mat noise(options.frame, CV_16SC3);
        cv::theRNG().state = options.seed;
        cv::randn(noise, 0, options.noiseSigma);
        cv::Mat noisy;
        scene.bgr.convertTo(noisy, CV_16SC3);
        noisy += noise;
        noisy.convertTo(scene.bgr, CV_8UC3);
    }
    return scene;
}

std::vector<std::vector<double>> measureLineRows(const cv::Mat& gray, int x0, int x1, int bandWidth,
                                                 int lines, double window,
                                                 const std::function<double(double x, int line)>& expected)
{
    std::vector<std::vector<double>> rows(static_cast<size_t>(lines));
    for (int k = 0; k < lines; ++k) {
        for (int bx = x0; bx + bandWidth <= x1; bx += bandWidth) {
            const double e = expected(bx + bandWidth / 2.0, k);
            const int r0 = std::max(0, int(std::floor(e - window)));
            const int r1 = std::min(gray.rows - 1, int(std::ceil(e + window)));
            double maxLevel = 0.0;
            for (int r = r0; r <= r1; ++r)
                for (int x = bx; x < bx + bandWidth; ++x)
                    maxLevel = std::max(maxLevel, double(gray.at<uchar>(r, x)));
            // Ink is what lies well below the local paper: uneven light moves the paper, not this.
            const double level = maxLevel - 60.0;
            double weight = 0.0;
            double moment = 0.0;
            int inked = 0;
            for (int r = r0; r <= r1; ++r)
                for (int x = bx; x < bx + bandWidth; ++x) {
                    const double w = std::max(0.0, level - gray.at<uchar>(r, x));
                    weight += w;
                    moment += w * r;
                    inked += w > 0.0;
                }
            rows[size_t(k)].push_back(inked >= 2 * bandWidth ? moment / weight
                                                             : std::numeric_limits<double>::quiet_NaN());
        }
    }
    return rows;
}

double largestLineSpread(const std::vector<std::vector<double>>& rows)
{
    double largest = 0.0;
    for (const auto& line : rows) {
        double lo = std::numeric_limits<double>::max();
        double hi = std::numeric_limits<double>::lowest();
        for (const double r : line)
            if (!std::isnan(r)) {
                lo = std::min(lo, r);
                hi = std::max(hi, r);
            }
        if (hi >= lo)
            largest = std::max(largest, hi - lo);
    }
    return largest;
}

std::vector<double> meanLineRows(const std::vector<std::vector<double>>& rows)
{
    std::vector<double> means;
    for (const auto& line : rows) {
        double sum = 0.0;
        int n = 0;
        for (const double r : line)
            if (!std::isnan(r)) {
                sum += r;
                ++n;
            }
        means.push_back(n > 0 ? sum / n : std::numeric_limits<double>::quiet_NaN());
    }
    return means;
}

std::vector<double> findLineCentres(const cv::Mat& gray, int x0, int x1)
{
    std::vector<double> ink(size_t(gray.rows), 0.0);
    for (int r = 0; r < gray.rows; ++r) {
        const uchar* row = gray.ptr<uchar>(r);
        double sum = 0.0;
        for (int x = x0; x < x1; ++x)
            sum += 255 - row[x];
        ink[size_t(r)] = sum / std::max(x1 - x0, 1);
    }
    // The page's paper level is the common one; lines stand well above it.
    std::vector<double> sorted = ink;
    std::nth_element(sorted.begin(), sorted.begin() + long(sorted.size() / 2), sorted.end());
    const double paper = sorted[sorted.size() / 2];
    const double peak = *std::max_element(ink.begin(), ink.end());
    const double level = paper + (peak - paper) * 0.4;
    std::vector<double> centres;
    for (int r = 0; r < gray.rows;) {
        if (ink[size_t(r)] <= level) {
            ++r;
            continue;
        }
        double weight = 0.0;
        double moment = 0.0;
        for (; r < gray.rows && ink[size_t(r)] > level; ++r) {
            weight += ink[size_t(r)] - paper;
            moment += (ink[size_t(r)] - paper) * r;
        }
        centres.push_back(moment / weight);
    }
    return centres;
}

} // namespace bookscenes
