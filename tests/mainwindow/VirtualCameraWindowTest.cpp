// The whole chain on the built-in virtual camera, as `make run` shows it on a machine without one:
// its live page in the window, unplug and replug through the same path as a real camera, and the
// property dialog changing the picture.
#include "CameraController.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "VideoPlaceholder.h"
#include "VirtualCameraRig.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

using MediaCapture::VirtualCameraRig;

namespace {

class VirtualCameraWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        qputenv("LUMADOC_CAMERA", "virtual");
        QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("language", "en_US");
        LanguageManager::instance()->loadLanguage("en_US");
        VirtualCameraRig::instance().reset();
    }
    void TearDown() override
    {
        VirtualCameraRig::instance().reset();
        qunsetenv("LUMADOC_CAMERA");
    }

    MainWindowEnvironment environment()
    {
        MainWindowEnvironment env;
        const QString path = m_dir.filePath("settings.ini");
        env.openSettings = [path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); };
        env.appDir = m_dir.filePath("app");
        env.openUrl = [](const QUrl&) { return true; };
        env.execDialog = [this](QDialog& dialog) { return m_dialogAnswer ? m_dialogAnswer(dialog) : 0; };
        return env;
    }

    static double meanLuma(const QImage& image)
    {
        const QImage small = image.scaled(64, 36).convertToFormat(QImage::Format_Grayscale8);
        double sum = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x)
                sum += small.constScanLine(y)[x];
        return sum / (small.width() * small.height());
    }

    QImage waitForFrame(MainWindow& w)
    {
        auto* view = w.findChild<VideoPlaceholder*>("videoWidget");
        view->clearFrame();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->frame().isNull(); }, 5000));
        return view->frame();
    }

    testsupport::TempAppDir m_dir;
    std::function<int(QDialog&)> m_dialogAnswer;
};

}  // namespace

TEST_F(VirtualCameraWindowTest, ShowsTheLivePageAndReconnectsAfterUnplug)
{
    MainWindow w(environment());
    w.show();
    QStringList messages;
    QObject::connect(w.statusBar(), &QStatusBar::messageChanged, [&](const QString& m) { messages << m; });
    const QImage first = waitForFrame(w);
    ASSERT_FALSE(first.isNull());
    auto* devices = w.findChild<QComboBox*>("deviceComboBox");
    EXPECT_EQ(devices->currentText(), VirtualCameraRig::kDeviceName);
    // The still-only mode is not offered; the largest size that streams is chosen first.
    auto* sizes = w.findChild<QComboBox*>("resolutionComboBox");
    EXPECT_EQ(sizes->findText("4168x3126", Qt::MatchStartsWith), -1);
    EXPECT_EQ(first.size(), QSize(1920, 1080));
    w.updateStatusBar();
    EXPECT_EQ(w.findChild<QWidget*>("statusLabel")->property("text").toString(),
              "Previewing | Device: Lumadoc Virtual Camera | Resolution: 1920x1080");

    VirtualCameraRig::instance().setPlugged(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.contains("Camera disconnected. Waiting for reconnect..."); }, 3000))
        << messages.join(" / ").toStdString();
    EXPECT_TRUE(w.findChild<VideoPlaceholder*>("videoWidget")->frame().isNull());

    VirtualCameraRig::instance().setPlugged(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.contains("Camera reconnected. Preview resumed."); }, 3000))
        << messages.join(" / ").toStdString();
    EXPECT_EQ(waitForFrame(w).size(), QSize(1920, 1080));
}

TEST_F(VirtualCameraWindowTest, PropertyDialogChangesThePicture)
{
    MainWindow w(environment());
    const double before = meanLuma(waitForFrame(w));
    int shown = 0;
    m_dialogAnswer = [&](QDialog& dialog) {
        ++shown;
        QWidget* brightness = dialog.findChild<QWidget*>("cameraControl_9963776");  // V4L2_CID_BRIGHTNESS
        EXPECT_NE(brightness, nullptr);
        if (auto* slider = brightness ? brightness->findChild<QSlider*>() : nullptr)
            slider->setValue(slider->maximum());
        return 0;
    };
    auto* action = w.findChild<QAction*>("actionCameraSettings");
    ASSERT_NE(action, nullptr);
    action->trigger();
    EXPECT_EQ(shown, 1);
    QTest::qWait(300);  // the camera re-grades its picture between frames
    const double after = meanLuma(waitForFrame(w));
    EXPECT_GT(after, before + 10) << before << " -> " << after;
}
