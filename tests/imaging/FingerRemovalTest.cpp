// Finger removal: odd inputs keep their shape and never reach outside the image; a skin or black
// finger drawn on a printed page is painted over with paper and the rest of the page stays as it was.
#include "FingerRemoval.h"

#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include <cstdio>
#include <string>

namespace {

const cv::Scalar kPaper(222, 238, 246); // BGR, a cream page

// A cream page with lines of print between the margins and light sensor noise.
cv::Mat printedPage(cv::Size size, int margin, uint64_t seed)
{
    cv::Mat page(size, CV_8UC3, kPaper);
    cv::RNG rng(seed);
    for (int y = 50; y + 20 < size.height; y += 38) {
        std::string text;
        for (int i = 0; i < 40; ++i)
            text += rng.uniform(0, 6) == 0 ? ' ' : char('a' + rng.uniform(0, 26));
        cv::putText(page, text, {margin, y}, cv::FONT_HERSHEY_SIMPLEX, 0.8, cv::Scalar(45, 45, 50), 2);
    }
    // Print never runs past the right margin.
    page(cv::Rect(size.width - margin, 0, margin, size.height)).setTo(kPaper);
    cv::Mat noise(size, CV_16SC3);
    rng.fill(noise, cv::RNG::NORMAL, 0, 2.5);
    cv::Mat noisy;
    page.convertTo(noisy, CV_16SC3);
    noisy += noise;
    noisy.convertTo(page, CV_8UC3);
    return page;
}

enum class Finger
{
    Skin,
    Black,
    Shadow
};

// Draws a thumb entering from one edge: a rounded bar `length` long and `thick` high, shaded darker
// towards its rim and blended into the page over a soft edge. Returns the true finger mask.
cv::Mat drawFinger(cv::Mat& page, Finger kind, bool leftPage, int centreRow, int length, int thick)
{
    const int w = page.cols;
    cv::Mat shape = cv::Mat::zeros(page.size(), CV_8UC1);
    const int r = thick / 2;
    const int tipX = leftPage ? length - r : w - 1 - (length - r);
    cv::rectangle(shape, cv::Point(leftPage ? 0 : tipX, centreRow - r),
                  cv::Point(leftPage ? tipX : w - 1, centreRow + r), cv::Scalar(255), cv::FILLED);
    cv::circle(shape, {tipX, centreRow}, r, cv::Scalar(255), cv::FILLED);
    cv::Mat alpha;
    shape.convertTo(alpha, CV_32F, 1.0 / 255);
    cv::GaussianBlur(alpha, alpha, cv::Size(0, 0), 1.5);

    const cv::Vec3f base = kind == Finger::Skin    ? cv::Vec3f(120, 150, 200)
                           : kind == Finger::Black ? cv::Vec3f(19, 18, 18)
                                                   : cv::Vec3f(66, 64, 62);
    cv::RNG rng(7);
    for (int y = 0; y < page.rows; ++y) {
        for (int x = 0; x < w; ++x) {
            const float a = alpha.at<float>(y, x);
            if (a <= 0.0f)
                continue;
            const double off = std::min(std::abs(y - centreRow) / double(r), 1.0);
            const double shade = 0.7 + 0.3 * std::cos(off * CV_PI / 2) + rng.gaussian(0.02);
            cv::Vec3b& p = page.at<cv::Vec3b>(y, x);
            for (int c = 0; c < 3; ++c)
                p[c] = cv::saturate_cast<uchar>(a * base[c] * shade + (1 - a) * p[c]);
        }
    }
    return alpha > 0.05f;
}

struct Quality
{
    double leftShare;   // finger pixels still darker than paper
    int changedOutside; // pixels more than 10 px from the finger that changed by more than 1 level
    double changedOutsideShare;
    double farthestChange; // distance of the farthest changed pixel from the finger, px
};

Quality measure(const cv::Mat& before, const cv::Mat& after, const cv::Mat& finger)
{
    cv::Mat gray;
    cv::cvtColor(after, gray, cv::COLOR_BGR2GRAY);
    const double paperGray = 0.114 * kPaper[0] + 0.587 * kPaper[1] + 0.299 * kPaper[2];
    const int left = cv::countNonZero((gray < paperGray - 30) & finger);
    cv::Mat near;
    cv::dilate(finger, near, cv::getStructuringElement(cv::MORPH_ELLIPSE, {21, 21}));
    cv::Mat diff;
    cv::absdiff(before, after, diff);
    cv::Mat changed = diff.reshape(1, int(diff.total())) > 1;
    cv::reduce(changed, changed, 1, cv::REDUCE_MAX);
    changed = changed.reshape(1, before.rows);
    const cv::Mat outside = near == 0;
    const int changedOutside = cv::countNonZero(changed & outside);
    cv::Mat distance;
    cv::distanceTransform(finger == 0, distance, cv::DIST_L2, cv::DIST_MASK_PRECISE);
    double farthest = 0.0;
    cv::minMaxLoc(distance, nullptr, &farthest, nullptr, nullptr, changed);
    return {double(left) / std::max(cv::countNonZero(finger), 1), changedOutside,
            double(changedOutside) / std::max(cv::countNonZero(outside), 1), farthest};
}

} // namespace

TEST(FingerRemoval, OddInputsKeepTheirShapeAndChannels)
{
    struct Case
    {
        const char* name;
        cv::Mat input;
        bool unchanged; // the result must equal the input exactly
    };
    cv::Mat narrowDark(300, 40, CV_8UC3, cv::Scalar(230, 230, 230));
    narrowDark(cv::Rect(0, 80, 25, 150)).setTo(cv::Scalar(10, 10, 10));
    cv::Mat bgraPage;
    cv::Mat page = printedPage({400, 500}, 90, 3);
    drawFinger(page, Finger::Skin, true, 280, 80, 60);
    cv::cvtColor(page, bgraPage, cv::COLOR_BGR2BGRA);
    const Case cases[] = {
        {"empty", cv::Mat(), true},
        {"1 x 1", cv::Mat(1, 1, CV_8UC3, cv::Scalar(10, 60, 200)), false},
        {"10 wide, 200 tall, dark", cv::Mat(200, 10, CV_8UC3, cv::Scalar(5, 5, 5)), false},
        {"200 wide, 10 tall, skin", cv::Mat(10, 200, CV_8UC3, cv::Scalar(120, 150, 200)), false},
        {"40 wide with a dark bar at the edge", narrowDark, false},
        {"one grey value: zero range", cv::Mat(300, 300, CV_8UC3, cv::Scalar(128, 128, 128)), true},
        {"all black", cv::Mat(300, 300, CV_8UC3, cv::Scalar(0, 0, 0)), true},
        {"BGRA page with a finger", bgraPage, false},
        {"one channel is left alone", cv::Mat(100, 100, CV_8UC1, cv::Scalar(3)), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cv::Mat result = removeFingersV11(c.input);
        ASSERT_EQ(result.size(), c.input.size());
        ASSERT_EQ(result.type(), c.input.type());
        if (c.unchanged && !c.input.empty()) {
            EXPECT_EQ(cv::norm(result, c.input, cv::NORM_INF), 0.0);
        }
    }
    // The narrow page's dark bar is found and painted over although the edge strips exceed the page.
    EXPECT_GT(cv::mean(removeFingersV11(narrowDark)(cv::Rect(0, 80, 25, 150)))[0], 200.0);
    // The BGRA page lost its finger, not its alpha.
    const cv::Mat bgraResult = removeFingersV11(bgraPage);
    std::vector<cv::Mat> planes;
    cv::split(bgraResult, planes);
    EXPECT_EQ(cv::countNonZero(planes[3] != 255), 0);
    EXPECT_GT(cv::mean(bgraResult(cv::Rect(0, 260, 40, 40)))[2], 230.0);

    // A page without blue light (a zero-mean channel) still finds the skin finger and nothing else.
    cv::Mat noBlue = printedPage({600, 700}, 140, 5);
    const cv::Mat truth = drawFinger(noBlue, Finger::Skin, false, 400, 80, 70);
    cv::Mat planesNoBlue[3];
    cv::split(noBlue, planesNoBlue);
    planesNoBlue[0].setTo(0);
    cv::merge(planesNoBlue, 3, noBlue);
    cv::Mat mask;
    detectSkinFinger(noBlue, mask, false);
    EXPECT_GT(cv::countNonZero(mask & truth), 0.9 * cv::countNonZero(truth));
    EXPECT_EQ(cv::countNonZero(mask(cv::Rect(0, 0, 300, 700))), 0);

    // A finger nearly as tall as the image: its fill spans reach past both ends of the image.
    cv::Mat tall(120, 200, CV_8UC3, kPaper);
    cv::Mat tallMask = cv::Mat::zeros(tall.size(), CV_8UC1);
    tallMask(cv::Rect(0, 10, 30, 100)).setTo(1);
    tall(cv::Rect(0, 12, 30, 96)).setTo(cv::Scalar(20, 20, 20));
    fillFingerMirror(tall, tallMask, true);
    EXPECT_EQ(cv::norm(tall, cv::Mat(tall.size(), CV_8UC3, kPaper), cv::NORM_INF), 0.0);
}

TEST(FingerRemoval, FingersArePaintedOverAndThePageElsewhereStays)
{
    struct Case
    {
        const char* name;
        Finger kind;
        bool leftPage;
        uint64_t seed;
    };
    const Case cases[] = {
        {"skin, left", Finger::Skin, true, 11},
        {"skin, right", Finger::Skin, false, 12},
        {"black, left", Finger::Black, true, 13},
        {"black, right", Finger::Black, false, 14},
        // Grey as a hand in deep shadow: neither black nor skin, so only the residual pass sees it.
        {"shadow, left", Finger::Shadow, true, 15},
    };
    const cv::Size size(800, 1000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cv::Mat page = printedPage(size, 120, c.seed);
        // The shadow is a tall lens along the edge (a hand's shadow), a thumb a short bar into the page.
        const bool shadow = c.kind == Finger::Shadow;
        const cv::Mat finger = drawFinger(page, c.kind, c.leftPage, 520 + int(c.seed % 3) * 40,
                                          shadow ? 120 : 150, shadow ? 600 : 90);
        const cv::Mat result = removeFingersV11(page);
        const Quality q = measure(page, result, finger);
        std::printf(
            "[quality] %-13s finger pixels left %.2f %%, changed outside %d px (%.3f %%), farthest %.0f px\n",
            c.name, 100 * q.leftShare, q.changedOutside, 100 * q.changedOutsideShare, q.farthestChange);
        EXPECT_LT(q.leftShare, 0.005);
        // Away from the finger only the repaint's safety margins change: the mask grown along the
        // finger, the rim beyond its tip. Print further out must stay as it was.
        EXPECT_LT(q.changedOutsideShare, 0.01);
        EXPECT_LE(q.farthestChange, 40.0);
    }
    // A clean page keeps every pixel, also with a large red picture on it.
    const cv::Mat clean = printedPage(size, 160, 21);
    EXPECT_EQ(cv::norm(removeFingersV11(clean), clean, cv::NORM_INF), 0.0);
    cv::Mat picture = clean.clone();
    picture(cv::Rect(200, 150, 400, 500)).setTo(cv::Scalar(40, 60, 210));
    EXPECT_EQ(cv::norm(removeFingersV11(picture), picture, cv::NORM_INF), 0.0);
}
