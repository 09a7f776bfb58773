// Book flattening against drawn desks and rendered books with a known answer: which regions become
// the book mask, when a run refuses, which page is left, and whether bowed lines come out straight
// while a flat page stays where it was.
#include "BookFlatten.h"
#include "BookScene.h"
#include "ImageConversion.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include <cmath>
#include <vector>

using namespace bookflatten;

namespace {

struct Patch
{
    cv::Rect rect;
    int gray;
};

cv::Mat desk(cv::Size size, int background, const std::vector<Patch>& patches)
{
    cv::Mat gray(size, CV_8UC1, cv::Scalar(background));
    for (const Patch& p : patches)
        gray(p.rect).setTo(p.gray);
    return gray;
}

// Share of the union of `a` and `b` they have in common.
double overlap(const cv::Mat& a, const cv::Mat& b)
{
    const double both = cv::countNonZero(a & b);
    const double either = cv::countNonZero(a | b);
    return either > 0 ? both / either : 1.0;
}

} // namespace

TEST(BookFlatten, MaskKeepsThePageRegionsThatFitTheLimits)
{
    const cv::Size size(400, 300); // 120000 pixels
    struct Case
    {
        const char* name;
        cv::Size size;
        int background;
        std::vector<Patch> patches;
        bool forceDouble;
        std::vector<cv::Rect> expected; // none: no mask
    };
    const cv::Rect page(60, 40, 160, 150);    // 20 %
    const cv::Rect second(260, 60, 120, 150); // 15 %, ratio 0.75
    const cv::Rect small(280, 100, 80, 110);  // 7 %, ratio 0.37 to the page
    const Case cases[] = {
        {"a page on a desk", size, 40, {{page, 200}}, false, {page}},
        {"two pages of a book", size, 40, {{page, 200}, {second, 200}}, false, {page, second}},
        {"a small second region is no page", size, 40, {{page, 200}, {small, 200}}, false, {page}},
        {"unless a double page is asked for", size, 40, {{page, 200}, {small, 200}}, true, {page, small}},
        // Otsu splits the black desk from a dim glow (threshold < 30); the fixed level 50 finds the paper.
        {"dim picture thresholded at 50",
         size,
         0,
         {{cv::Rect(0, 0, 180, 300), 28}, {page + cv::Point(160, 0), 56}},
         false,
         {page + cv::Point(160, 0)}},
        {"a region of 90 % or more is the desk",
         cv::Size(1000, 600),
         30,
         {{cv::Rect(0, 0, 910, 600), 200}, {cv::Rect(940, 0, 60, 600), 200}},
         false,
         {cv::Rect(940, 0, 60, 600)}},
        {"only a small region: kept above 2 %",
         size,
         40,
         {{cv::Rect(100, 100, 80, 60), 200}},
         false,
         {cv::Rect(100, 100, 80, 60)}},
        {"only a tiny region: nothing", size, 40, {{cv::Rect(100, 100, 40, 40), 200}}, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const cv::Mat mask = getBookMask(desk(c.size, c.background, c.patches), c.forceDouble);
        if (c.expected.empty()) {
            EXPECT_TRUE(mask.empty());
            continue;
        }
        ASSERT_FALSE(mask.empty());
        cv::Mat expected = cv::Mat::zeros(c.size, CV_8UC1);
        for (const cv::Rect& r : c.expected)
            expected(r).setTo(255);
        EXPECT_GT(overlap(mask, expected), 0.97);
    }
}

TEST(BookFlatten, RunRefusesOrSucceedsAsTheEdgesAllow)
{
    struct Case
    {
        const char* name;
        QRect page; // on a 400x300 desk; empty: no page at all
        bool nullImage;
        bool success;
        bool canFlatten;
        QString error;
        QSize size; // of the result when it succeeds
    };
    const Case cases[] = {
        {"null input", {}, true, false, false, "Input image is empty", {}},
        {"an empty desk", {}, false, false, false, "Failed to detect book region", {}},
        // 45 columns give fewer than 50 edge points.
        {"a page too narrow to trace",
         QRect(100, 50, 45, 200),
         false,
         false,
         false,
         "Book edges are not smooth enough for flattening",
         {}},
        {"a page just wide enough", QRect(100, 50, 60, 200), false, true, true, {}, QSize(60, 200)},
        // Lower than 100 rows: the page is dropped and the picture comes back as it was.
        {"a page too low to stretch", QRect(40, 100, 300, 90), false, true, true, {}, QSize(400, 300)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image;
        if (!c.nullImage) {
            image = QImage(400, 300, QImage::Format_RGB32);
            image.fill(QColor(35, 35, 35));
            QPainter painter(&image);
            if (!c.page.isEmpty())
                painter.fillRect(c.page, QColor(225, 225, 220));
        }
        std::vector<int> progress;
        const FlattenResult result = processFlattening(image, {}, [&](int p) { progress.push_back(p); });
        EXPECT_EQ(result.success, c.success);
        EXPECT_EQ(result.canFlatten, c.canFlatten);
        EXPECT_EQ(result.errorMessage, c.error);
        EXPECT_EQ(result.image.isNull(), !c.success);
        if (c.success) {
            // Within a column or row of the drawn page: the mask's corners are rounded by the closing.
            EXPECT_NEAR(result.image.width(), c.size.width(), 2);
            EXPECT_NEAR(result.image.height(), c.size.height(), 2);
            EXPECT_EQ(progress, (std::vector<int>{5, 10, 20, 30, 40, 50, 60, 90, 100}));
        }
    }
}

TEST(BookFlatten, DoublePagesComeLeftToRightAtTheirOwnHeights)
{
    // The left page is the smaller one: ordering by size would swap them.
    const QRect left(40, 60, 200, 220);
    const QRect right(300, 40, 260, 260);
    const QRect lowRight(300, 100, 260, 90); // too low to stretch: only the left page survives
    struct Case
    {
        const char* name;
        QRect right;
        int pages;
    };
    const Case cases[] = {{"two pages", right, 2}, {"the right page fails", lowRight, 1}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QImage image(600, 340, QImage::Format_RGB888);
        image.fill(QColor(30, 30, 30));
        QPainter painter(&image);
        painter.fillRect(left, QColor(230, 230, 230));
        painter.fillRect(c.right, QColor(230, 230, 230));
        painter.fillRect(QRect(left.center() - QPoint(20, 20), QSize(40, 40)), QColor(220, 30, 30));
        painter.fillRect(QRect(c.right.center() - QPoint(20, 20), QSize(40, 40)), QColor(30, 30, 220));
        painter.end();
        FlattenOptions options;
        options.forceDoublePage = true;
        const FlattenResult result = processFlattening(image, options);
        ASSERT_TRUE(result.success) << result.errorMessage.toStdString();
        EXPECT_EQ(result.regionsFound, 2);
        ASSERT_EQ(result.pages.size(), c.pages);
        const QImage& first = result.pages[0];
        EXPECT_GT(qRed(first.pixel(first.width() / 2, first.height() / 2)), 180)
            << "the left page comes first";
        EXPECT_NEAR(first.height(), left.height(), 2);
        if (c.pages == 1) {
            EXPECT_EQ(result.image.size(), first.size());
            continue;
        }
        const QImage& second = result.pages[1];
        EXPECT_GT(qBlue(second.pixel(second.width() / 2, second.height() / 2)), 180);
        EXPECT_NEAR(second.height(), right.height(), 2);
        // Joined at the taller height, the shorter page scaled up in proportion.
        EXPECT_EQ(result.image.height(), second.height());
        EXPECT_EQ(result.image.width(), first.width() * second.height() / first.height() + second.width());
        EXPECT_GT(qRed(result.image.pixel(first.width() / 2, result.image.height() / 2)), 180);
    }
}

TEST(BookFlatten, BowedLinesComeOutStraightAndAFlatPageStaysPut)
{
    using namespace bookscenes;
    struct Case
    {
        const char* name;
        double bow;
        bool unevenLight;
        bool thumb; // a dark thumb bites into the bottom edge: the outline must not follow it
    };
    const Case cases[] = {{"flat page", 0.0, false, false},
                          {"bowed 4 %", 0.04, false, false},
                          {"bowed 8 % in uneven light", 0.08, true, false},
                          {"bowed 5 % held by a thumb", 0.05, false, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BookSceneOptions o;
        // The thumb on a larger page: on a small one the mask's closing fills its notch anyway.
        o.frame = c.thumb ? cv::Size(1600, 1200) : cv::Size(800, 600);
        o.bowFraction = c.bow;
        o.unevenLight = c.unevenLight;
        o.noiseSigma = c.unevenLight ? 3.0 : 0.0;
        o.lineCount = 16;
        o.finger = c.thumb ? Finger::Black : Finger::None;
        o.fingerAcrossBottom = c.thumb;
        const BookScene scene = renderBookScene(o);
        const PageTruth& page = scene.pages.front();
        const FlattenResult result = processFlattening(matToQImage(scene.bgr), {});
        ASSERT_TRUE(result.success);
        cv::Mat gray;
        cv::cvtColor(qImageToMat(result.image), gray, cv::COLOR_BGR2GRAY);
        const int x0 = gray.cols * 15 / 100;
        const int x1 = gray.cols * 85 / 100;
        const std::vector<double> centres = findLineCentres(gray, x0, x1);
        ASSERT_EQ(int(centres.size()), o.lineCount);
        const double spacing = (centres.back() - centres.front()) / (o.lineCount - 1);
        const auto rows = measureLineRows(gray, x0, x1, 12, o.lineCount, spacing / 3,
                                          [&](double, int k) { return centres[size_t(k)]; });
        EXPECT_LT(100.0 * largestLineSpread(rows) / gray.rows, 1.0);
        if (c.bow == 0.0) {
            const std::vector<double> means = meanLineRows(rows);
            for (int k = 0; k < o.lineCount; ++k)
                EXPECT_NEAR(means[size_t(k)], page.lineRows[size_t(k)], 1.0) << "line " << k;
        }
    }
}
