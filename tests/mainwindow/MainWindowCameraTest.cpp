// The window with a camera: start-up opens it, its picture and state reach the centre, the boxes, the
// actions and the status bar, the choice survives a restart, and an unplug is waited out.
#include "WindowTestEnvironment.h"
#include "CameraController.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "MediaCaptureWrapper.h"
#include "TestSupport.h"
#include "VideoWidget.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace {

class MainWindowCameraTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
        m_library->devices = {fake::device("Doc Cam", "/dev/v4l/by-id/doc", {{1920, 1080, 30}, {1280, 720, 30}}),
                              fake::device("Webcam", "/dev/v4l/by-id/web", {{640, 480, 30}})};
    }

    MainWindowEnvironment environment(bool libraryWorks = true)
    {
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        env.execDialog = [this](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                m_boxes << box->windowTitle() + ": " + box->text();
            return 0;
        };
        auto library = m_library;
        env.makeCameraController = [library, libraryWorks](QObject* parent) {
            MediaCaptureWrapper::LibraryFactory factory = fake::factoryFor(library);
            if (!libraryWorks)
                factory = [] { return MediaCapture::MediaCapturePtr(); };
            return new CameraController(parent, new MediaCaptureWrapper(nullptr, factory));
        };
        return env;
    }

    void sendFrame(uint8_t grey)
    {
        std::vector<uint8_t> bytes(size_t(m_library->openedFormat.width) * 3 * m_library->openedFormat.height, grey);
        std::thread([&] { m_library->callback(bytes.data(), m_library->openedFormat.width, m_library->openedFormat.height, 0); })
            .join();
        QTest::qWait(20);
    }

    // The frame the preview shows once it has painted.
    static QImage shownFrame(MainWindow& w)
    {
        auto* view = w.findChild<VideoWidget*>("videoWidget");
        (void)QTest::qWaitFor([&] { return !view->currentFrame().isNull(); }, 3000);
        return view->currentFrame();
    }

    static QString statusText(MainWindow& w) { return w.findChild<QLabel*>("statusLabel")->text(); }
    static QString zoomText(MainWindow& w) { return w.findChild<QLabel*>("zoomLabel")->text(); }

    testsupport::TempAppDir m_dir;
    std::shared_ptr<fake::LibraryState> m_library = std::make_shared<fake::LibraryState>();
    QStringList m_boxes;
};

}  // namespace

TEST_F(MainWindowCameraTest, StartUpOpensTheFirstCameraAndShowsItsPicture)
{
    MainWindow w(environment());
    w.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
    auto* devices = w.findChild<QComboBox*>("deviceComboBox");
    auto* sizes = w.findChild<QComboBox*>("resolutionComboBox");
    ASSERT_EQ(devices->count(), 2);
    EXPECT_EQ(devices->itemText(0), "Doc Cam");
    EXPECT_EQ(devices->itemData(0).toString(), "/dev/v4l/by-id/doc");
    EXPECT_EQ(sizes->count(), 2);
    EXPECT_EQ(m_library->openedPaths.back(), "/dev/v4l/by-id/doc");
    EXPECT_TRUE(w.findChild<QPushButton*>("captureButton")->isEnabled());
    EXPECT_FALSE(w.findChild<QAction*>("actionOpenCamera")->isEnabled());
    EXPECT_TRUE(w.findChild<QAction*>("actionCloseCamera")->isEnabled());

    sendFrame(200);
    const QImage shown = shownFrame(w);
    ASSERT_FALSE(shown.isNull());
    EXPECT_EQ(shown.size(), QSize(1920, 1080));
    EXPECT_EQ(shown.pixel(5, 5), qRgb(200, 200, 200));
    w.updateStatusBar();
    EXPECT_EQ(statusText(w), "Previewing | Device: Doc Cam | Resolution: 1920x1080");
    EXPECT_TRUE(zoomText(w).startsWith("Zoom: 100% | FPS: "));

    // Closing: the picture goes, the status says so, opening is possible again.
    w.findChild<QAction*>("actionCloseCamera")->trigger();
    EXPECT_TRUE(w.findChild<VideoWidget*>("videoWidget")->currentFrame().isNull());
    EXPECT_EQ(w.statusBar()->currentMessage(), "Camera closed");
    EXPECT_TRUE(w.findChild<QAction*>("actionOpenCamera")->isEnabled());
    EXPECT_FALSE(w.findChild<QPushButton*>("captureButton")->isEnabled());
    w.updateStatusBar();
    EXPECT_EQ(statusText(w), "No Camera");
    w.findChild<QAction*>("actionOpenCamera")->trigger();
    EXPECT_TRUE(w.findChild<QAction*>("actionCloseCamera")->isEnabled());
    EXPECT_EQ(w.statusBar()->currentMessage(), "Camera started successfully");
}

TEST_F(MainWindowCameraTest, TheChosenCameraAndSizeSurviveARestart)
{
    {
        MainWindow w(environment());
        QTest::qWait(50);
        auto* devices = w.findChild<QComboBox*>("deviceComboBox");
        devices->setCurrentIndex(1);
        w.onDeviceSelected(1);  // the Webcam, 640x480
        QTest::qWait(20);
    }
    QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
    EXPECT_EQ(store.value("camera/devicePath").toString(), "/dev/v4l/by-id/web");
    EXPECT_EQ(store.value("camera/width").toInt(), 640);

    m_library->openedPaths.clear();
    MainWindow w(environment());
    QTest::qWait(50);
    ASSERT_FALSE(m_library->openedPaths.empty());
    EXPECT_EQ(m_library->openedPaths.front(), "/dev/v4l/by-id/web");
    EXPECT_EQ(w.findChild<QComboBox*>("deviceComboBox")->currentText(), "Webcam");
}

TEST_F(MainWindowCameraTest, UnplugAndReplugAreShownInTheStatusBar)
{
    MainWindow w(environment());
    QTest::qWait(50);
    auto* controller = w.findChild<CameraController*>();
    ASSERT_NE(controller, nullptr);

    const auto present = m_library->devices;
    m_library->devices = {present[1]};  // the open Doc Cam leaves
    controller->refreshDeviceList();
    QTest::qWait(30);
    EXPECT_EQ(w.statusBar()->currentMessage(), "Camera disconnected. Waiting for reconnect...");
    EXPECT_FALSE(w.findChild<QPushButton*>("captureButton")->isEnabled());
    EXPECT_TRUE(w.findChild<VideoWidget*>("videoWidget")->currentFrame().isNull());

    m_library->devices = present;
    QTest::qWait(1300);  // the next poll tick finds it
    EXPECT_EQ(w.statusBar()->currentMessage(), "Camera reconnected. Preview resumed.");
    EXPECT_TRUE(controller->isPreviewing());
    EXPECT_EQ(m_library->openedPaths.back(), "/dev/v4l/by-id/doc");
}

TEST_F(MainWindowCameraTest, ALibraryThatCannotStartDisablesTheCameraControls)
{
    MainWindow w(environment(false));
    QTest::qWait(50);
    ASSERT_EQ(m_boxes.size(), 1);
    EXPECT_EQ(m_boxes.first(), "Warning: Failed to initialize camera controller.");
    EXPECT_FALSE(w.findChild<QPushButton*>("captureButton")->isEnabled());
    EXPECT_FALSE(w.findChild<QAction*>("actionOpenCamera")->isVisible());
    EXPECT_FALSE(w.findChild<QAction*>("actionCloseCamera")->isVisible());
    EXPECT_FALSE(w.findChild<QAction*>("actionCapture")->isEnabled());
}
