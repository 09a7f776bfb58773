// Background removal: the threshold rules, the border clean-up, and a page under strong uneven light.
#include "BackgroundRemoval.h"
#include "ImageConversion.h"

#include <QImage>
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

namespace {

QImage greyImage(int width, int height, int grey)
{
    QImage image(width, height, QImage::Format_RGB888);
    image.fill(QColor(grey, grey, grey));
    return image;
}

int red(const QImage& image, int x, int y) { return qRed(image.pixel(x, y)); }

} // namespace

TEST(BackgroundRemoval, ThresholdsAndBorderBandDecidePixelByPixel)
{
    struct Case {
        const char* name;
        QSize size;
        int fill;
        QPoint probe;
        int probeGrey;
        int mode;
        int expected;
    };
    const Case cases[] = {
        {"fixed 127: 128 is background", {100, 100}, 255, {50, 50}, 128, 2, 255},
        {"fixed 127: 120 is kept", {100, 100}, 255, {50, 50}, 120, 2, 120},
        {"fixed 127: 127 is kept", {100, 100}, 255, {50, 50}, 127, 2, 127},
        {"dark pixel 20 px in from the left edge is cleaned", {100, 100}, 255, {19, 50}, 50, 2, 255},
        {"dark pixel 21 px in from the left edge stays", {100, 100}, 255, {20, 50}, 50, 2, 50},
        {"dark pixel 20 px up from the bottom is cleaned", {100, 100}, 255, {50, 80}, 50, 2, 255},
        {"dark pixel 21 px up from the bottom stays", {100, 100}, 255, {50, 79}, 50, 2, 50},
        {"small image: the band covers everything", {30, 30}, 40, {15, 15}, 40, 2, 255},
        {"otsu keeps ink", {100, 100}, 230, {50, 50}, 30, 1, 30},
        {"adaptive keeps a dark dot on paper", {100, 100}, 230, {50, 50}, 30, 0, 30},
        {"adaptive whitens paper", {100, 100}, 200, {40, 40}, 200, 0, 255},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image = greyImage(c.size.width(), c.size.height(), c.fill);
        image.setPixel(c.probe, qRgb(c.probeGrey, c.probeGrey, c.probeGrey));
        const QImage result = removeBackground(image, c.mode, 127);
        ASSERT_EQ(result.size(), image.size());
        EXPECT_EQ(result.format(), QImage::Format_RGB888);
        EXPECT_EQ(red(result, c.probe.x(), c.probe.y()), c.expected);
    }
    // Colour survives on kept pixels; an unknown mode changes nothing; grey input works.
    QImage colour = greyImage(100, 100, 255);
    colour.setPixel(50, 50, qRgb(200, 10, 10));
    EXPECT_EQ(removeBackground(colour, 2, 127).pixel(50, 50), qRgb(200, 10, 10));
    EXPECT_EQ(removeBackground(colour, 7, 127), colour);
    QImage grey(100, 100, QImage::Format_Grayscale8);
    grey.fill(100);
    EXPECT_EQ(red(removeBackground(grey, 2, 99), 50, 50), 255);
    EXPECT_TRUE(removeBackground(QImage(), 0, 127).isNull());
}

TEST(BackgroundRemoval, PageUnderStrongGradientBecomesWhitePaperWithItsInk)
{
    // Print text (the true ink mask), light it from one side so the far edge gets under half the
    // light, soften and add sensor noise.
    const cv::Size size(1200, 900);
    cv::Mat ink = cv::Mat::zeros(size, CV_8UC1);
    cv::RNG rng(11);
    for (int line = 0; line < 14; ++line) {
        std::string text;
        for (int i = 0; i < 28; ++i)
            text += char('a' + rng.uniform(0, 26));
        cv::putText(ink, text, cv::Point(60, 80 + line * 58), cv::FONT_HERSHEY_SIMPLEX, 1.5, cv::Scalar(255), 4,
                    cv::LINE_8);
    }
    cv::Mat page(size, CV_32F, cv::Scalar(235.0));
    page.setTo(cv::Scalar(35.0), ink);
    for (int x = 0; x < size.width; ++x)
        page.col(x) *= 1.0 - 0.55 * x / (size.width - 1.0);
    cv::GaussianBlur(page, page, cv::Size(0, 0), 0.7);
    cv::Mat noise(size, CV_32F);
    rng.fill(noise, cv::RNG::NORMAL, 0.0, 3.0);
    page += noise;
    cv::Mat page8;
    page.convertTo(page8, CV_8U);
    cv::Mat bgr;
    cv::cvtColor(page8, bgr, cv::COLOR_GRAY2BGR);

    const QImage result = removeBackground(matToQImage(bgr), 0, 127);
    cv::Mat grey;
    cv::cvtColor(qImageToMat(result), grey, cv::COLOR_BGR2GRAY);

    // Paper: pixels at least 3 px away from any ink.
    cv::Mat nearInk;
    cv::dilate(ink, nearInk, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(7, 7)));
    const cv::Mat paper = nearInk == 0;
    const cv::Mat white = grey >= 250;
    const double paperWhite = double(cv::countNonZero(paper & white)) / cv::countNonZero(paper);
    EXPECT_GE(paperWhite, 0.99);

    const cv::Mat kept = grey < 250;
    const double intersection = cv::countNonZero(kept & ink);
    const double united = cv::countNonZero(kept | ink);
    EXPECT_GE(intersection / united, 0.9);
}
