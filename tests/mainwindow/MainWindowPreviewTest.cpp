// The window driving the live preview: tools from both panels, the crop toggle, rotation kept in
// the settings, undo keys acting once, and a preview without OpenGL leaving the window usable.
#include "WindowTestEnvironment.h"
#include "AnnotationDock.h"
#include "AnnotationOverlay.h"
#include "AnnotationToolbar.h"
#include "CameraController.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "VideoWidget.h"
#include "ViewGeometry.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

class MainWindowPreviewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
    }

    MainWindowEnvironment environment() { return windowtest::privateEnvironment(m_dir); }

    static VideoWidget* view(MainWindow& w) { return w.findChild<VideoWidget*>("videoWidget"); }

    testsupport::TempAppDir m_dir;
};

}  // namespace

TEST_F(MainWindowPreviewTest, ToolsFromEitherPanelReachThePreviewAndBothShowTheChoice)
{
    MainWindow w(environment());
    auto* dock = w.findChild<AnnotationDock*>();
    auto* toolbar = w.findChild<AnnotationToolbar*>("annotationToolbar");
    ASSERT_TRUE(dock && toolbar);

    dock->toolButton(AnnotationOverlay::PenTool)->click();
    EXPECT_EQ(view(w)->annotations()->tool(), AnnotationOverlay::PenTool);
    EXPECT_EQ(w.statusBar()->currentMessage(), "Pen tool activated");
    EXPECT_TRUE(toolbar->toolButton(AnnotationOverlay::PenTool)->isChecked());

    toolbar->toolButton(AnnotationOverlay::EraserTool)->click();
    EXPECT_EQ(view(w)->annotations()->tool(), AnnotationOverlay::EraserTool);
    EXPECT_EQ(w.statusBar()->currentMessage(), "Eraser tool activated");
    EXPECT_TRUE(dock->toolButton(AnnotationOverlay::EraserTool)->isChecked());

    toolbar->eraserSlider()->setValue(40);
    EXPECT_EQ(view(w)->annotations()->eraserSize(), 40);
    EXPECT_EQ(w.statusBar()->currentMessage(), "Eraser size changed to 40");
    EXPECT_EQ(dock->eraserSize(), 40);

    toolbar->widthSlider()->setValue(9);
    toolbar->toolButton(AnnotationOverlay::PenTool)->click();
    EXPECT_EQ(view(w)->annotations()->pen().width(), 9);
    EXPECT_EQ(dock->penWidth(), 9);
}

TEST_F(MainWindowPreviewTest, CropToggleSwitchesAutomaticCroppingOffAndSaysSo)
{
    MainWindow w(environment());
    auto* toggle = w.findChild<QAction*>("actionToggleCrop");
    auto* autoCrop = w.findChild<QCheckBox*>("autoCropCheckBox");
    ASSERT_TRUE(toggle && toggle->isCheckable());
    ASSERT_NE(autoCrop, nullptr);
    autoCrop->setChecked(true);

    toggle->trigger();
    EXPECT_TRUE(view(w)->annotations()->cropMode());
    EXPECT_EQ(w.statusBar()->currentMessage(), "Crop mode: Click and drag to select area");
    EXPECT_FALSE(autoCrop->isChecked());
    toggle->trigger();
    EXPECT_FALSE(view(w)->annotations()->cropMode());
    EXPECT_EQ(w.statusBar()->currentMessage(), "Crop mode disabled");
}

TEST_F(MainWindowPreviewTest, RotationIsKeptInTheSettings)
{
    {
        MainWindow w(environment());
        w.findChild<QAction*>("actionRotateRight")->trigger();  // stored -90, shown as 270
        EXPECT_EQ(view(w)->rotation(), -90);
    }
    EXPECT_EQ(QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).value("camera/rotation").toInt(), 270);
    MainWindow w(environment());
    EXPECT_EQ(view(w)->geometry().normalizedRotation(), 270);
}

TEST_F(MainWindowPreviewTest, OneUndoKeyIsOneUndoStep)
{
    MainWindow w(environment());
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    VideoWidget* preview = view(w);
    QImage frame(400, 300, QImage::Format_RGB888);
    frame.fill(Qt::white);
    preview->setFrame(frame);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !preview->currentFrame().isNull(); }, 3000));
    preview->setTool(AnnotationOverlay::PenTool);
    const QPoint c = preview->videoRect().center();
    for (int i = 0; i < 2; ++i) {
        const QPoint start = c + QPoint(-40, i * 30);
        QTest::mousePress(preview, Qt::LeftButton, {}, start);
        for (int x = 5; x <= 60; x += 5)
            QTest::mouseMove(preview, start + QPoint(x, 0));
        QTest::mouseRelease(preview, Qt::LeftButton, {}, start + QPoint(60, 0));
    }
    ASSERT_TRUE(preview->annotations()->canUndo());

    // Ctrl+Z with the preview focused and again with the window focused: one step each.
    preview->setFocus();
    QTest::keyClick(preview, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(preview->annotations()->canUndo());  // one of two strokes left
    QTest::keyClick(&w, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(preview->annotations()->canUndo());
    EXPECT_TRUE(preview->annotations()->canRedo());
}

TEST_F(MainWindowPreviewTest, APreviewWithoutOpenGlLeavesTheWindowWorking)
{
    MainWindow w(environment());
    emit view(w)->glInitFailed("OpenGL 3.3 Core unavailable");
    EXPECT_TRUE(w.statusBar()->currentMessage().contains("OpenGL 3.3 Core unavailable"));
    w.findChild<QAction*>("actionZoomIn")->trigger();
    w.updateStatusBar();
    EXPECT_EQ(w.findChild<QLabel*>("zoomLabel")->text(), "Zoom: 110%");
    QTest::keyClick(&w, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(w.findChild<QLabel*>("zoomLabel")->text(), "Zoom: 100%");
    EXPECT_EQ(w.findChild<QLabel*>("statusLabel")->text(), "No Camera");
}
