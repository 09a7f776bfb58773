#include "ViewGeometry.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// 800x600 widget and a 400x300 frame: the frame fits exactly at 0 degrees (scale 2) and at
// 90 degrees as 300x400 with scale 1.5.
ViewGeometry makeGeometry(int storedRotation, int zoomPercent = 100, QPoint pan = QPoint())
{
    ViewGeometry g;
    g.setWidgetSize(QSize(800, 600));
    g.setFrameSize(QSize(400, 300));
    g.setRotation(storedRotation);
    g.setZoomPercent(zoomPercent);
    g.setPan(pan);
    return g;
}

// The picture covers the widget (it is larger) or sits wholly inside it (it is smaller).
void expectPictureInView(const ViewGeometry& g)
{
    const QRect r = g.videoRect();
    const QSize w = g.widgetSize();
    if (r.width() >= w.width()) {
        EXPECT_LE(r.left(), 0);
        EXPECT_GE(r.right(), w.width() - 1);
    } else {
        EXPECT_GE(r.left(), 0);
        EXPECT_LE(r.right(), w.width() - 1);
    }
    if (r.height() >= w.height()) {
        EXPECT_LE(r.top(), 0);
        EXPECT_GE(r.bottom(), w.height() - 1);
    } else {
        EXPECT_GE(r.top(), 0);
        EXPECT_LE(r.bottom(), w.height() - 1);
    }
}

} // namespace

TEST(ViewGeometry, NoFrameGivesEmptyRectAndUnitScale)
{
    ViewGeometry g;
    g.setWidgetSize(QSize(800, 600));
    EXPECT_TRUE(g.videoRect().isEmpty());
    EXPECT_DOUBLE_EQ(g.displayScale(), 1.0);
    EXPECT_EQ(g.widgetToAnnotation(QPointF(100, 100)), QPointF(0, 0));
    EXPECT_EQ(g.annotationToWidget(QPointF(100, 100)), QPoint(0, 0));
    EXPECT_TRUE(g.mapToImageRect(QRect(0, 0, 100, 100)).isEmpty());
}

TEST(ViewGeometry, VideoRectAtEachRotationWithPan)
{
    const QPoint pan(30, 20);
    // Zoom 200: 0/180 degrees scale 4, displayed 1600x1200, centring offset (-400, -300);
    // 90/270 degrees scale 3, displayed 900x1200, centring offset (-50, -300).
    EXPECT_EQ(makeGeometry(0, 200, pan).videoRect(), QRect(-370, -280, 1600, 1200));
    EXPECT_EQ(makeGeometry(90, 200, pan).videoRect(), QRect(-30, -330, 900, 1200));
    EXPECT_EQ(makeGeometry(180, 200, pan).videoRect(), QRect(-430, -320, 1600, 1200));
    EXPECT_EQ(makeGeometry(270, 200, pan).videoRect(), QRect(-70, -270, 900, 1200));
    EXPECT_DOUBLE_EQ(makeGeometry(90, 200, pan).displayScale(), 3.0);
    // Stored -90 is the same view as 270.
    EXPECT_EQ(makeGeometry(-90, 200, pan).videoRect(), QRect(-70, -270, 900, 1200));
}

TEST(ViewGeometry, RotationIsStoredAsRemainderAndNormalized)
{
    ViewGeometry g = makeGeometry(0);
    g.setRotation(-90);
    EXPECT_EQ(g.rotation(), -90);
    EXPECT_EQ(g.normalizedRotation(), 270);
    EXPECT_EQ(g.rotatedFrameSize(), QSize(300, 400));
    g.setRotation(-360);
    EXPECT_EQ(g.rotation(), 0);
    g.setRotation(450);
    EXPECT_EQ(g.rotation(), 90);
    EXPECT_EQ(g.normalizedRotation(), 90);
}

TEST(ViewGeometry, AnchoredZoomKeepsTheFramePointUnderTheAnchor)
{
    for (int rotation : {0, 90, 180, 270, -90}) {
        SCOPED_TRACE(rotation);
        ViewGeometry g = makeGeometry(rotation, 100);
        struct Step {
            int percent;
            QPoint anchor;
        };
        for (const Step& step : {Step{200, QPoint(200, 150)}, Step{330, QPoint(610, 420)}, Step{150, QPoint(90, 500)}}) {
            const QPointF framePoint = g.widgetToAnnotation(step.anchor);
            ASSERT_TRUE(g.zoomAt(step.percent, step.anchor));
            EXPECT_EQ(g.zoomPercent(), step.percent);
            const QPoint back = g.annotationToWidget(framePoint);
            EXPECT_LE(std::abs(back.x() - step.anchor.x()), 1) << step.percent;
            EXPECT_LE(std::abs(back.y() - step.anchor.y()), 1) << step.percent;
        }
    }
}

TEST(ViewGeometry, ZoomAtIgnoresOutOfRangeAndEqualPercent)
{
    ViewGeometry g = makeGeometry(0, 100);
    EXPECT_FALSE(g.zoomAt(100, QPoint(10, 10)));
    EXPECT_FALSE(g.zoomAt(9, QPoint(10, 10)));
    EXPECT_FALSE(g.zoomAt(401, QPoint(10, 10)));
    EXPECT_EQ(g.zoomPercent(), 100);
    EXPECT_EQ(g.pan(), QPoint());
    // The null anchor zooms about the picture's centre, so a centred picture stays centred.
    ASSERT_TRUE(g.zoomAt(200, QPoint()));
    // (Within the pixel the anchor arithmetic truncates.)
    const QPoint offset = g.videoRect().center() - makeGeometry(0, 200).videoRect().center();
    EXPECT_LE(std::abs(offset.x()), 1);
    EXPECT_LE(std::abs(offset.y()), 1);
}

TEST(ViewGeometry, DragPanFollowsThePointerAtEachRotation)
{
    for (int rotation : {0, 90, 180, 270}) {
        SCOPED_TRACE(rotation);
        ViewGeometry g = makeGeometry(rotation, 200);
        const QRect before = g.videoRect();
        g.setPan(g.dragPan(g.pan(), QPoint(25, -40)));
        EXPECT_EQ(g.videoRect().topLeft() - before.topLeft(), QPoint(25, -40));
    }
}

TEST(ViewGeometry, PanClampUsesTheDisplayedExtent)
{
    // A frame far larger than the widget: fitted at 100 % it exactly fills the widget, so it must
    // not move at all. Clamping with the frame's own pixel extent would allow 1600 px of pan and push
    // the picture out of view.
    ViewGeometry g;
    g.setWidgetSize(QSize(800, 600));
    g.setFrameSize(QSize(4000, 3000));
    EXPECT_EQ(g.dragPan(QPoint(), QPoint(5000, 5000)), QPoint(0, 0));

    g.setZoomPercent(200);  // displayed 1600x1200: 400 and 300 px of slack each way
    EXPECT_EQ(g.dragPan(QPoint(), QPoint(5000, 5000)), QPoint(400, 300));
    EXPECT_EQ(g.dragPan(QPoint(), QPoint(-5000, -5000)), QPoint(-400, -300));

    // At 90 degrees: 3000x4000 shown at 0.15 x 4 = 0.6 -> 1800x2400. pan.x moves the widget's y
    // (slack 900), pan.y its x (slack 500).
    g.setRotation(90);
    g.setZoomPercent(400);
    EXPECT_EQ(g.clampPan(QPoint(5000, 5000)), QPoint(900, 500));
    EXPECT_EQ(g.clampPan(QPoint(-5000, -5000)), QPoint(-900, -500));
}

TEST(ViewGeometry, PanClampKeepsThePictureInViewAtEachRotation)
{
    const QPoint drags[] = {QPoint(5000, 5000), QPoint(-5000, 5000), QPoint(5000, -5000), QPoint(-5000, -5000),
                            QPoint(7, -3)};
    for (int rotation : {0, 90, 180, 270}) {
        for (int zoom : {50, 100, 150, 400}) {
            for (const QPoint& drag : drags) {
                SCOPED_TRACE(testing::Message() << rotation << " " << zoom << " " << drag.x() << "," << drag.y());
                ViewGeometry g = makeGeometry(rotation, zoom);
                g.setPan(g.dragPan(QPoint(), drag));
                expectPictureInView(g);
            }
        }
    }
}

TEST(ViewGeometry, ResetZoomPercentFollowsFrameWidth)
{
    ViewGeometry g;
    g.setWidgetSize(QSize(800, 600));
    g.setFrameSize(QSize(4000, 600));  // five times wider than the widget: 500 % clamps to 400
    EXPECT_EQ(g.resetZoomPercent(), 400);
    g.setFrameSize(QSize(1000, 600));
    EXPECT_EQ(g.resetZoomPercent(), 125);
    g.setFrameSize(QSize(40, 30));
    EXPECT_EQ(g.resetZoomPercent(), 10);
}

TEST(ViewGeometry, AnnotationMappingFollowsTheRotation)
{
    // The picture turns counter-clockwise at 90: the frame's top-right corner is shown top-left.
    ViewGeometry g = makeGeometry(90);
    const QRect r = g.videoRect();
    EXPECT_EQ(g.widgetToAnnotation(r.topLeft()), QPointF(2000, 0));
    EXPECT_EQ(g.annotationToWidget(QPointF(0, 0)), QPoint(r.left(), r.top() + r.height()));
    g.setRotation(270);
    EXPECT_EQ(g.widgetToAnnotation(g.videoRect().topLeft()), QPointF(0, 1500));
    g.setRotation(180);
    EXPECT_EQ(g.widgetToAnnotation(g.videoRect().topLeft()), QPointF(2000, 1500));
}

TEST(ViewGeometry, WidgetAnnotationWidgetRoundTripAtEachRotation)
{
    for (int rotation : {0, 90, 180, 270}) {
        SCOPED_TRACE(rotation);
        ViewGeometry g = makeGeometry(rotation, 170, QPoint(13, -21));
        for (int x = 0; x < 800; x += 37) {
            for (int y = 0; y < 600; y += 29) {
                const QPointF a = g.widgetToAnnotation(QPointF(x, y));
                const QPoint back = g.annotationToWidget(a);
                EXPECT_LE(std::abs(back.x() - x), 1) << x << "," << y;
                EXPECT_LE(std::abs(back.y() - y), 1) << x << "," << y;
            }
        }
    }
}

TEST(ViewGeometry, MapToImageRectClipsAndScalesAtNinetyDegrees)
{
    // 90 degrees, zoom 100: the 300x400 picture is shown at 1.5 as 450x600 at (175, 0).
    ViewGeometry g = makeGeometry(90);
    ASSERT_EQ(g.videoRect(), QRect(175, 0, 450, 600));
    // Clipped to the picture: 175..299 x 100..599 -> offsets 0..124 x 100..599 -> /1.5, rounded.
    EXPECT_EQ(g.mapToImageRect(QRect(100, 100, 200, 700)), QRect(QPoint(0, 67), QPoint(83, 399)));
    // Wholly beside the picture.
    EXPECT_TRUE(g.mapToImageRect(QRect(0, 0, 100, 100)).isEmpty());
}

TEST(ViewGeometry, MapToImageRectClampsToTheRotatedFrame)
{
    // Zoom 300 at 90 degrees: scale 4.5, picture 1350x1800, panned to its bottom-right corner so the
    // widget's bottom-right pixel maps to 299.8 / 399.8, which round past the rotated 300x400 frame.
    ViewGeometry g = makeGeometry(90, 300);
    g.setPan(g.clampPan(QPoint(5000, -5000)));
    ASSERT_EQ(g.videoRect(), QRect(-550, -1200, 1350, 1800));
    EXPECT_EQ(g.mapToImageRect(QRect(0, 0, 800, 600)), QRect(QPoint(122, 267), QPoint(299, 399)));
}
