// Qt image <-> OpenCV matrix conversions and the preview's straightened page, on pictures with a
// known answer.
#include "DocumentCrop.h"
#include "ImageConversion.h"

#include <QPainter>
#include <QTransform>
#include <gtest/gtest.h>

#include <opencv2/core.hpp>

TEST(ImageConversion, ColourChannelsLandInOpenCvOrderAndBack)
{
    // 3 px wide: 9 bytes a row, so a converter that ignores the row padding would shear.
    QImage rgb(3, 2, QImage::Format_RGB888);
    rgb.fill(Qt::black);
    rgb.setPixel(0, 0, qRgb(10, 20, 30));
    rgb.setPixel(2, 1, qRgb(200, 100, 50));
    const cv::Mat bgr = qImageToMat(rgb);
    ASSERT_EQ(bgr.type(), CV_8UC3);
    EXPECT_EQ(bgr.at<cv::Vec3b>(0, 0), cv::Vec3b(30, 20, 10));
    EXPECT_EQ(bgr.at<cv::Vec3b>(1, 2), cv::Vec3b(50, 100, 200));
    const QImage back = matToQImage(bgr);
    EXPECT_EQ(back.format(), QImage::Format_RGB888);
    EXPECT_EQ(back.pixel(2, 1), qRgb(200, 100, 50));

    // Alpha formats drop their alpha; grey stays one channel; the matrix owns its pixels.
    QImage argb(4, 4, QImage::Format_ARGB32);
    argb.fill(qRgba(40, 50, 60, 128));
    cv::Mat fromArgb = qImageToMat(argb);
    argb = QImage();
    EXPECT_EQ(fromArgb.type(), CV_8UC3);
    EXPECT_EQ(fromArgb.at<cv::Vec3b>(3, 3), cv::Vec3b(60, 50, 40));
    QImage grey(5, 3, QImage::Format_Grayscale8);
    grey.fill(77);
    const cv::Mat g = qImageToMat(grey);
    EXPECT_EQ(g.type(), CV_8UC1);
    EXPECT_EQ(g.at<uchar>(2, 4), 77);
    EXPECT_EQ(matToQImage(g).format(), QImage::Format_Grayscale8);

    // Four channels and other depths.
    cv::Mat bgra(2, 2, CV_8UC4, cv::Scalar(1, 2, 3, 4));
    const QImage rgba = matToQImage(bgra);
    EXPECT_EQ(rgba.format(), QImage::Format_RGBA8888);
    EXPECT_EQ(rgba.pixel(1, 1), qRgba(3, 2, 1, 4));
    cv::Mat floats(2, 2, CV_32FC3, cv::Scalar(0.0, 0.5, 1.0));
    const QImage fromFloat = matToQImage(floats);
    EXPECT_EQ(fromFloat.format(), QImage::Format_RGB888);
    EXPECT_EQ(qRed(fromFloat.pixel(0, 0)), 255);
    EXPECT_TRUE(matToQImage(cv::Mat()).isNull());
    EXPECT_TRUE(qImageToMat(QImage()).empty());
}

namespace {

// A 400x300 "page": four coloured quadrants, so orientation and mirroring are visible.
QImage quadrantPage()
{
    QImage page(400, 300, QImage::Format_RGB888);
    QPainter p(&page);
    p.fillRect(0, 0, 200, 150, Qt::red);
    p.fillRect(200, 0, 200, 150, Qt::green);
    p.fillRect(0, 150, 200, 150, Qt::blue);
    p.fillRect(200, 150, 200, 150, Qt::yellow);
    return page;
}

}  // namespace

TEST(RectifyQuad, StraightensAPageWarpedByAKnownTransform)
{
    // The page laid into a larger frame by a known perspective.
    const QImage page = quadrantPage();
    QPolygonF target(QVector<QPointF>{QPointF(150, 80), QPointF(560, 120), QPointF(520, 430), QPointF(110, 400)});
    QTransform warp;
    const QPolygonF source(QVector<QPointF>{QPointF(0, 0), QPointF(400, 0), QPointF(400, 300), QPointF(0, 300)});
    ASSERT_TRUE(QTransform::quadToQuad(source, target, warp));
    QImage frame(700, 500, QImage::Format_RGB888);
    frame.fill(Qt::darkGray);
    {
        QPainter p(&frame);
        p.setTransform(warp);
        p.drawImage(0, 0, page);
    }
    // Corners in any order.
    const QPolygon quad(QVector<QPoint>{target[2].toPoint(), target[0].toPoint(), target[3].toPoint(), target[1].toPoint()});
    const QImage straight = rectifyQuad(frame, quad);
    ASSERT_FALSE(straight.isNull());
    // The longer of top (411.9) and bottom (411.1), and of left (322.5) and right (312.6), rounded.
    EXPECT_EQ(straight.width(), 412);
    EXPECT_EQ(straight.height(), 322);
    const auto at = [&](double fx, double fy) { return straight.pixelColor(int(fx * straight.width()), int(fy * straight.height())); };
    EXPECT_EQ(at(0.25, 0.25), QColor(Qt::red));
    EXPECT_EQ(at(0.75, 0.25), QColor(Qt::green));
    EXPECT_EQ(at(0.25, 0.75), QColor(Qt::blue));
    EXPECT_EQ(at(0.75, 0.75), QColor(Qt::yellow));
}

TEST(RectifyQuad, LargeFramesAreBroughtToThePreviewSizeAndBadQuadsChangeNothing)
{
    QImage big(3840, 2160, QImage::Format_RGB888);
    big.fill(Qt::white);
    const QPolygon whole(QVector<QPoint>{QPoint(0, 0), QPoint(3840, 0), QPoint(3840, 2160), QPoint(0, 2160)});
    const QImage out = rectifyQuad(big, whole);
    EXPECT_EQ(out.width(), 1920);
    EXPECT_EQ(out.height(), 1080);

    const QImage page = quadrantPage();
    EXPECT_EQ(rectifyQuad(page, QPolygon(QVector<QPoint>{QPoint(1, 1), QPoint(5, 5), QPoint(9, 1)})), page);
    EXPECT_EQ(rectifyQuad(page, QPolygon(QVector<QPoint>{QPoint(5, 5), QPoint(5, 5), QPoint(5, 5), QPoint(5, 5)})), page);
}
