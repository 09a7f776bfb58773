// Mouse events go through the window system path so that moves carry the pressed button.
#define QTEST_QPA_MOUSE_HANDLING
#include "AnnotationTestView.h"
#include "TestSupport.h"

#include <QDir>
#include <QSignalSpy>
#include <QtTest>
#include <gtest/gtest.h>

#include <memory>

namespace {

const QColor kFrameGrey(90, 90, 90);

QImage makeFrame()
{
    // Four quadrants of different colours, so a turned picture can be told apart from an unturned one.
    QImage frame(400, 300, QImage::Format_RGB32);
    QPainter painter(&frame);
    painter.fillRect(0, 0, 200, 150, QColor(200, 0, 0));
    painter.fillRect(200, 0, 200, 150, QColor(0, 200, 0));
    painter.fillRect(0, 150, 200, 150, QColor(0, 0, 200));
    painter.fillRect(200, 150, 200, 150, kFrameGrey);
    return frame;
}

bool isRed(QRgb pixel) { return qAlpha(pixel) > 128 && qRed(pixel) > 150 && qGreen(pixel) < 80 && qBlue(pixel) < 80; }
bool isClear(QRgb pixel) { return qAlpha(pixel) == 0; }

class AnnotationOverlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_tmp.applyToCurrentProcess();
        m_frame = makeFrame();
        m_view = std::make_unique<AnnotationTestView>();
        geometry().setFrameSize(m_frame.size());
        overlay()->setFrameSources([this] { return m_frame; },
                                   [this] { return m_nullDisplayed ? QImage() : displayed(); });
        m_view->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_view.get()));
    }

    AnnotationOverlay* overlay() { return m_view->overlay(); }
    ViewGeometry& geometry() { return m_view->geometry(); }
    QImage displayed() { return rotateForDisplay(m_frame, geometry().normalizedRotation()); }

    QImage render()
    {
        QImage image(800, 600, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        overlay()->paint(painter);
        return image;
    }

    void drag(const QPoint& from, const QPoint& to, Qt::KeyboardModifiers modifiers = Qt::NoModifier, int steps = 20)
    {
        QTest::mousePress(m_view.get(), Qt::LeftButton, modifiers, from);
        for (int i = 1; i <= steps; ++i)
            QTest::mouseMove(m_view.get(), from + (to - from) * i / steps);
        QTest::mouseRelease(m_view.get(), Qt::LeftButton, modifiers, to);
    }

    QStringList dragFiles() const
    {
        return QDir(QDir::tempPath()).entryList({"temp_drag_image_*"}, QDir::Files);
    }

    testsupport::TempAppDir m_tmp;
    QImage m_frame;
    bool m_nullDisplayed = false;
    std::unique_ptr<AnnotationTestView> m_view;
};

TEST_F(AnnotationOverlayTest, PenStrokeLandsWhereItWasDrawn)
{
    QSignalSpy added(overlay(), &AnnotationOverlay::annotationAdded);
    overlay()->setTool(AnnotationOverlay::PenTool);
    drag({100, 100}, {300, 100});
    EXPECT_EQ(added.count(), 1);
    EXPECT_TRUE(overlay()->canUndo());
    const QImage image = render();
    EXPECT_TRUE(isRed(image.pixel(200, 100)));
    EXPECT_TRUE(isRed(image.pixel(200, 99)));
    EXPECT_TRUE(isClear(image.pixel(200, 110)));
    EXPECT_TRUE(isClear(image.pixel(350, 100)));
}

TEST_F(AnnotationOverlayTest, StrokeStaysOnItsFrameSpotThroughZoomPanAndRotation)
{
    overlay()->setTool(AnnotationOverlay::PenTool);
    overlay()->setPenWidth(5);
    drag({100, 200}, {300, 200});
    const QPointF spot = geometry().widgetToAnnotation(QPointF(200, 200));
    const QPointF outside = geometry().widgetToAnnotation(QPointF(200, 260));

    for (int rotation : {90, 180, 270, 0, -90}) {
        geometry().setRotation(rotation);
        geometry().setZoomPercent(200);
        geometry().setPan(geometry().clampPan(QPoint(30, -20)));
        overlay()->rebuildLayer();
        const QImage image = render();
        const QPoint expected = geometry().annotationToWidget(spot);
        ASSERT_TRUE(QRect(0, 0, 800, 600).contains(expected)) << rotation;
        EXPECT_TRUE(isRed(image.pixel(expected))) << "rotation " << rotation << " at " << expected.x() << ","
                                                  << expected.y();
        const QPoint away = geometry().annotationToWidget(outside);
        if (QRect(0, 0, 800, 600).contains(away)) {
            EXPECT_TRUE(isClear(image.pixel(away))) << rotation;
        }
    }
}

TEST_F(AnnotationOverlayTest, OnePointStrokeDrawsNothingAndLeavesNoUndoStep)
{
    QSignalSpy added(overlay(), &AnnotationOverlay::annotationAdded);
    overlay()->setTool(AnnotationOverlay::PenTool);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(added.count(), 0);
    EXPECT_FALSE(overlay()->canUndo());
    overlay()->rebuildLayer();
    const QImage image = render();
    EXPECT_TRUE(isClear(image.pixel(200, 200)));
}

TEST_F(AnnotationOverlayTest, SelectToolPansInsteadOfDrawing)
{
    drag({100, 100}, {300, 100});
    EXPECT_EQ(m_view->pressResults[int(AnnotationOverlay::PressResult::StartPan)], 1);
    EXPECT_FALSE(overlay()->hasAnnotations());
}

TEST_F(AnnotationOverlayTest, UndoRedoAndClearWithSignals)
{
    QSignalSpy modified(overlay(), &AnnotationOverlay::annotationModified);
    overlay()->setTool(AnnotationOverlay::PenTool);
    drag({100, 100}, {300, 100});
    drag({100, 300}, {300, 300});

    overlay()->undo();
    EXPECT_EQ(modified.count(), 1);
    QImage image = render();
    EXPECT_TRUE(isRed(image.pixel(200, 100)));
    EXPECT_TRUE(isClear(image.pixel(200, 300)));
    EXPECT_TRUE(overlay()->canRedo());

    overlay()->redo();
    EXPECT_EQ(modified.count(), 2);
    image = render();
    EXPECT_TRUE(isRed(image.pixel(200, 300)));
    EXPECT_FALSE(overlay()->canRedo());

    overlay()->undo();
    drag({100, 500}, {300, 500});  // a new stroke drops what could have been redone
    EXPECT_FALSE(overlay()->canRedo());

    overlay()->clear();
    EXPECT_EQ(modified.count(), 4);
    image = render();
    EXPECT_TRUE(isClear(image.pixel(200, 100)));
    EXPECT_TRUE(isClear(image.pixel(200, 500)));
    EXPECT_FALSE(overlay()->canUndo());
    EXPECT_FALSE(overlay()->hasAnnotations());

    overlay()->undo();  // nothing left: no signal
    EXPECT_EQ(modified.count(), 4);
}

TEST_F(AnnotationOverlayTest, ErasureIsItsOwnUndoStep)
{
    overlay()->setTool(AnnotationOverlay::PenTool);
    overlay()->setPenWidth(6);
    drag({100, 100}, {300, 100});
    overlay()->setTool(AnnotationOverlay::EraserTool);
    drag({200, 60}, {200, 140});
    overlay()->setTool(AnnotationOverlay::PenTool);
    drag({100, 300}, {300, 300});

    QImage image = render();
    EXPECT_TRUE(isClear(image.pixel(200, 100)));
    EXPECT_TRUE(isRed(image.pixel(120, 100)));
    EXPECT_TRUE(isRed(image.pixel(200, 300)));

    overlay()->undo();  // only the last stroke goes
    image = render();
    EXPECT_TRUE(isClear(image.pixel(200, 300)));
    EXPECT_TRUE(isClear(image.pixel(200, 100)));
    EXPECT_TRUE(isRed(image.pixel(120, 100)));

    overlay()->undo();  // then the erasure
    image = render();
    EXPECT_TRUE(isRed(image.pixel(200, 100)));
    EXPECT_TRUE(overlay()->canUndo());
}

TEST_F(AnnotationOverlayTest, ErasureKeepsItsOwnSizeWhenReplayed)
{
    overlay()->setTool(AnnotationOverlay::PenTool);
    overlay()->setPenWidth(6);
    drag({100, 100}, {300, 100});
    overlay()->setTool(AnnotationOverlay::EraserTool);
    overlay()->setEraserSize(20);
    drag({200, 60}, {200, 140});
    overlay()->setEraserSize(100);
    EXPECT_EQ(overlay()->pen().width(), 100);
    overlay()->rebuildLayer();
    const QImage image = render();
    EXPECT_TRUE(isClear(image.pixel(200, 100)));
    EXPECT_TRUE(isRed(image.pixel(225, 100)));  // outside the 20 px erasure, inside a 100 px one
    EXPECT_TRUE(isRed(image.pixel(175, 100)));
}

TEST_F(AnnotationOverlayTest, EraserClickErasesLikeItsReplay)
{
    overlay()->setTool(AnnotationOverlay::PenTool);
    overlay()->setPenWidth(6);
    drag({100, 100}, {300, 100});
    overlay()->setTool(AnnotationOverlay::EraserTool);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(200, 100));
    EXPECT_TRUE(isClear(render().pixel(200, 100)));
    overlay()->rebuildLayer();
    EXPECT_TRUE(isClear(render().pixel(200, 100)));
}

TEST_F(AnnotationOverlayTest, ReselectingTheEraserKeepsThePen)
{
    overlay()->setPenColor(Qt::blue);
    overlay()->setPenWidth(7);
    overlay()->setTool(AnnotationOverlay::EraserTool);
    EXPECT_EQ(overlay()->pen().color(), QColor(Qt::white));
    EXPECT_EQ(overlay()->pen().width(), 20);
    overlay()->setTool(AnnotationOverlay::EraserTool);
    overlay()->setTool(AnnotationOverlay::PenTool);
    EXPECT_EQ(overlay()->pen().color(), QColor(Qt::blue));
    EXPECT_EQ(overlay()->pen().width(), 7);
    EXPECT_EQ(overlay()->pen().capStyle(), Qt::RoundCap);
}

TEST_F(AnnotationOverlayTest, PenChangesWhileErasingAreForTheNextPen)
{
    overlay()->setTool(AnnotationOverlay::EraserTool);
    overlay()->setPenColor(Qt::green);
    overlay()->setPenWidth(9);
    EXPECT_EQ(overlay()->pen().color(), QColor(Qt::white));
    EXPECT_EQ(overlay()->pen().width(), 20);
    overlay()->setTool(AnnotationOverlay::LineTool);
    EXPECT_EQ(overlay()->pen().color(), QColor(Qt::green));
    EXPECT_EQ(overlay()->pen().width(), 9);
}

TEST_F(AnnotationOverlayTest, ShapesAreRebuiltThroughTheRotation)
{
    overlay()->setTool(AnnotationOverlay::RectangleTool);
    overlay()->setPenWidth(4);
    QSignalSpy added(overlay(), &AnnotationOverlay::annotationAdded);
    drag({100, 100}, {300, 200});
    ASSERT_EQ(added.count(), 1);
    const QPointF corner = geometry().widgetToAnnotation(QPointF(100, 150));  // on the left edge
    const QPointF inside = geometry().widgetToAnnotation(QPointF(200, 150));
    EXPECT_TRUE(isRed(render().pixel(100, 150)));
    EXPECT_TRUE(isClear(render().pixel(200, 150)));
    geometry().setRotation(90);
    overlay()->rebuildLayer();
    const QImage image = render();
    EXPECT_TRUE(isRed(image.pixel(geometry().annotationToWidget(corner))));
    EXPECT_TRUE(isClear(image.pixel(geometry().annotationToWidget(inside))));

    overlay()->setTool(AnnotationOverlay::EllipseTool);
    QTest::mouseClick(m_view.get(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(added.count(), 1);  // a shape without extent is not recorded
}

TEST_F(AnnotationOverlayTest, CropSelectionIsClippedToThePicture)
{
    geometry().setZoomPercent(50);  // video rect (200,150 400x300), one widget pixel per frame pixel
    ASSERT_EQ(geometry().videoRect(), QRect(200, 150, 400, 300));
    overlay()->setCropMode(true);
    QSignalSpy crop(overlay(), &AnnotationOverlay::cropRectChanged);
    drag({300, 200}, {790, 590});
    ASSERT_EQ(crop.count(), 1);
    EXPECT_EQ(overlay()->cropSelection(), QRect(QPoint(300, 200), QPoint(599, 449)));
    EXPECT_EQ(crop.at(0).at(0).toRect(), QRect(QPoint(100, 50), QPoint(399, 299)));

    overlay()->setCropMode(false);
    EXPECT_TRUE(overlay()->cropSelection().isNull());
}

TEST_F(AnnotationOverlayTest, CropSelectionAtQuarterTurnClampsToTheTurnedFrame)
{
    geometry().setRotation(90);
    geometry().setZoomPercent(50);
    const QRect video = geometry().videoRect();
    overlay()->setCropMode(true);
    QSignalSpy crop(overlay(), &AnnotationOverlay::cropRectChanged);
    drag(video.center(), {795, 595});
    ASSERT_EQ(crop.count(), 1);
    const QRect reported = crop.at(0).at(0).toRect();
    EXPECT_EQ(reported.right(), 299);
    EXPECT_EQ(reported.bottom(), 399);
    EXPECT_TRUE(video.contains(overlay()->cropSelection()));
}

TEST_F(AnnotationOverlayTest, SetCropRectReportsFramePixels)
{
    QSignalSpy crop(overlay(), &AnnotationOverlay::cropRectChanged);
    overlay()->setCropMode(true);
    overlay()->setCropRect(QRect(100, 100, 200, 100));
    ASSERT_EQ(crop.count(), 1);
    EXPECT_EQ(crop.at(0).at(0).toRect(), QRect(QPoint(50, 50), QPoint(150, 100)));
    const QImage image = render();
    EXPECT_EQ(image.pixel(100, 100), qRgb(255, 0, 0));  // a handle on the corner
}

TEST_F(AnnotationOverlayTest, ShiftDragHandsOutTheTurnedPictureAndRemovesItsFile)
{
    geometry().setRotation(90);
    QSignalSpy dragged(overlay(), &AnnotationOverlay::imageDragged);
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(400, 300));
    EXPECT_EQ(dragFiles().size(), 1);
    QTest::mouseMove(m_view.get(), QPoint(450, 320));
    EXPECT_EQ(m_view->cursor().shape(), Qt::ClosedHandCursor);
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(450, 320));
    ASSERT_EQ(dragged.count(), 1);
    const QImage image = dragged.at(0).at(0).value<QImage>();
    EXPECT_EQ(image.size(), QSize(300, 400));
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32), displayed().convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(dragFiles().isEmpty());
    EXPECT_EQ(m_view->cursor().shape(), Qt::ArrowCursor);
    EXPECT_FALSE(overlay()->hasAnnotations());
}

TEST_F(AnnotationOverlayTest, ShiftDragWithSelectionHandsOutTheCut)
{
    geometry().setRotation(-90);
    const QRect selection(300, 100, 100, 200);
    overlay()->setCropRect(selection);
    const QRect cut = geometry().mapToImageRect(selection);
    ASSERT_FALSE(cut.isEmpty());
    QSignalSpy dragged(overlay(), &AnnotationOverlay::imageDragged);
    drag({350, 150}, {500, 200}, Qt::ShiftModifier, 3);
    ASSERT_EQ(dragged.count(), 1);
    const QImage image = dragged.at(0).at(0).value<QImage>();
    EXPECT_EQ(image.convertToFormat(QImage::Format_RGB32),
              displayed().copy(cut).convertToFormat(QImage::Format_RGB32));
    EXPECT_TRUE(dragFiles().isEmpty());
}

TEST_F(AnnotationOverlayTest, DragWithoutAFileEmitsNothing)
{
    m_nullDisplayed = true;
    QSignalSpy dragged(overlay(), &AnnotationOverlay::imageDragged);
    drag({350, 150}, {500, 200}, Qt::ShiftModifier, 3);
    EXPECT_EQ(dragged.count(), 0);

    // The file vanished during the drag: nothing to hand out either.
    m_nullDisplayed = false;
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(400, 300));
    for (const QString& name : dragFiles())
        QFile::remove(QDir(QDir::tempPath()).filePath(name));
    QTest::mouseRelease(m_view.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(400, 300));
    EXPECT_EQ(dragged.count(), 0);
}

TEST_F(AnnotationOverlayTest, NoDragFileOutlivesTheOverlay)
{
    QTest::mousePress(m_view.get(), Qt::LeftButton, Qt::ShiftModifier, QPoint(400, 300));
    ASSERT_EQ(dragFiles().size(), 1);
    m_view.reset();
    EXPECT_TRUE(dragFiles().isEmpty());
}

TEST_F(AnnotationOverlayTest, WithoutAFrameNothingIsDrawn)
{
    m_frame = QImage();
    geometry().setFrameSize(QSize());
    overlay()->setTool(AnnotationOverlay::PenTool);
    drag({100, 100}, {300, 100});
    EXPECT_FALSE(overlay()->hasAnnotations());
    EXPECT_EQ(m_view->pressResults[int(AnnotationOverlay::PressResult::NotHandled)], 1);
}

class AnnotationBurnTest : public AnnotationOverlayTest, public ::testing::WithParamInterface<int> {};

TEST_P(AnnotationBurnTest, StrokeLandsOnTheFramePixelsItCovered)
{
    geometry().setRotation(GetParam());
    overlay()->setTool(AnnotationOverlay::PenTool);
    overlay()->setPenWidth(6);
    const QRect video = geometry().videoRect();
    const QPoint from = video.topLeft() + QPoint(video.width() / 4, video.height() / 3);
    const QPoint to = from + QPoint(video.width() / 2, 0);
    drag(from, to);

    QImage picture = displayed();
    overlay()->burnInto(picture);
    const double scale = geometry().displayScale();
    auto framePixel = [&](const QPoint& widgetPoint) {
        return QPoint(int((widgetPoint.x() - video.left()) / scale), int((widgetPoint.y() - video.top()) / scale));
    };
    const QPoint middle = framePixel((from + to) / 2);
    EXPECT_TRUE(isRed(picture.pixel(middle)) && qGreen(picture.pixel(middle)) == 0) << GetParam();
    // The pen was 6 widget pixels, so about 6 / scale frame pixels wide: 12 pixels away is untouched.
    const QPoint below = middle + QPoint(0, 12);
    EXPECT_EQ(picture.pixel(below), displayed().pixel(below)) << GetParam();
}

TEST_P(AnnotationBurnTest, ErasuresNeverPunchHolesInThePicture)
{
    geometry().setRotation(GetParam());
    overlay()->setTool(AnnotationOverlay::EraserTool);
    drag({300, 300}, {500, 300});
    QImage picture = displayed();
    overlay()->burnInto(picture);
    EXPECT_EQ(picture.convertToFormat(QImage::Format_RGB32), displayed().convertToFormat(QImage::Format_RGB32));
}

INSTANTIATE_TEST_SUITE_P(Rotations, AnnotationBurnTest, ::testing::Values(0, 90, 180, 270));

} // namespace
