// The whole chain on the built-in virtual camera, as `make run` shows it on a machine without one:
// its live page in the window, unplug and replug through the same path as a real camera, and the
// property dialog changing the picture.
#include "WindowTestEnvironment.h"
#include "LanguageManager.h"
#include "MainWindow.h"
#include "TestSupport.h"
#include "AnnotationOverlay.h"
#include "GalleryModel.h"
#include "VideoWidget.h"
#include "Watermark.h"
#include "VirtualCameraRig.h"
#include "VirtualScene.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QDialog>
#include <QSettings>
#include <QSlider>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using MediaCapture::VirtualCameraRig;

namespace {

class VirtualCameraWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        qputenv("LUMADOC_CAMERA", "virtual");
        windowtest::startInEnglish(m_dir);
        VirtualCameraRig::instance().reset();
    }
    void TearDown() override
    {
        VirtualCameraRig::instance().reset();
        qunsetenv("LUMADOC_CAMERA");
    }

    MainWindowEnvironment environment()
    {
        // The real camera library, here on the virtual camera, and the real device monitor.
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        env.makeCameraController = nullptr;
        env.watchDevices = true;
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
        auto* view = w.findChild<VideoWidget*>("videoWidget");
        view->clearFrame();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !view->currentFrame().isNull(); }, 5000));
        return view->currentFrame();
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
    EXPECT_TRUE(w.findChild<VideoWidget*>("videoWidget")->currentFrame().isNull());

    VirtualCameraRig::instance().setPlugged(true);
    ASSERT_TRUE(QTest::qWaitFor([&] { return messages.contains("Camera reconnected. Preview resumed."); }, 3000))
        << messages.join(" / ").toStdString();
    EXPECT_EQ(waitForFrame(w).size(), QSize(1920, 1080));
}

TEST_F(VirtualCameraWindowTest, PropertyDialogChangesThePicture)
{
    MainWindow w(environment());
    w.show();
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

TEST_F(VirtualCameraWindowTest, AnnotationsStayOnThePageWhenThePreviewTurns)
{
    // The whole frame, not the straightened page that document detection would show.
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("camera/autoCrop", false);
    MainWindow w(environment());
    w.resize(1280, 900);
    w.show();
    waitForFrame(w);
    auto* preview = w.findChild<VideoWidget*>("videoWidget");
    preview->setTool(AnnotationOverlay::RectangleTool);
    preview->setPenWidth(6);
    const QRect video = preview->videoRect();
    const QPoint from = video.topLeft() + QPoint(video.width() * 3 / 10, video.height() * 3 / 10);
    const QPoint to = video.topLeft() + QPoint(video.width() * 6 / 10, video.height() * 6 / 10);
    QTest::mousePress(preview, Qt::LeftButton, {}, from);
    for (int i = 1; i <= 10; ++i)
        QTest::mouseMove(preview, from + (to - from) * i / 10);
    QTest::mouseRelease(preview, Qt::LeftButton, {}, to);
    preview->setTool(AnnotationOverlay::PenTool);
    QTest::mousePress(preview, Qt::LeftButton, {}, from + QPoint(0, 40));
    for (int i = 1; i <= 20; ++i)
        QTest::mouseMove(preview, from + QPoint(i * 10, 40 + (i % 4) * 6));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, from + QPoint(200, 40));

    // Red pixels of the strokes at 30..60 % of the frame, whatever the rotation.
    const auto redShare = [](const QImage& image) {
        const QImage small = image.scaled(200, 200).convertToFormat(QImage::Format_RGB32);
        int red = 0;
        for (int y = 0; y < small.height(); ++y)
            for (int x = 0; x < small.width(); ++x) {
                const QRgb p = small.pixel(x, y);
                red += qRed(p) > 180 && qGreen(p) < 80 && qBlue(p) < 80;
            }
        return red;
    };
    const QByteArray snapshots = qgetenv("LUMADOC_SNAPSHOT_DIR");
    const int redAt0 = redShare(preview->annotatedImage());
    EXPECT_GT(redAt0, 50);
    if (!snapshots.isEmpty())
        w.screen()->grabWindow(w.winId()).save(QString::fromLocal8Bit(snapshots) + "/preview_0.png");

    w.findChild<QAction*>("actionRotateRight")->trigger();
    QTest::qWait(300);
    const QImage turned = preview->annotatedImage();
    EXPECT_EQ(turned.size(), QSize(1080, 1920));
    EXPECT_NEAR(redShare(turned), redAt0, redAt0 / 4);
    if (!snapshots.isEmpty())
        w.screen()->grabWindow(w.winId()).save(QString::fromLocal8Bit(snapshots) + "/preview_90.png");
}

TEST_F(VirtualCameraWindowTest, CapturesOfTheLivePageLandInTheGalleryAndOnDisk)
{
    const QString saveDir = m_dir.filePath("Pictures/Lumadoc");
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("save/path", saveDir);
    QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).setValue("camera/autoCrop", false);
    MainWindow w(environment());
    w.resize(1280, 900);
    w.show();
    waitForFrame(w);
    w.findChild<QPushButton*>("captureButton")->click();
    QTest::keyClick(&w, Qt::Key_Space);
    auto* gallery = w.findChild<GalleryModel*>();
    ASSERT_EQ(gallery->count(), 2);
    const QStringList files = QDir(saveDir).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 2);
    for (const QString& name : files) {
        EXPECT_TRUE(name.startsWith("IMG_")) << name.toStdString();
        EXPECT_EQ(QImage(QDir(saveDir).filePath(name)).size(), QSize(1920, 1080));
    }
    QTest::qWait(200);
    const QByteArray snapshots = qgetenv("LUMADOC_SNAPSHOT_DIR");
    if (!snapshots.isEmpty())
        w.screen()->grabWindow(w.winId()).save(QString::fromLocal8Bit(snapshots) + "/gallery.png");
}

TEST_F(VirtualCameraWindowTest, TheDetectedPageIsCapturedCutOutCleanedAndStamped)
{
    const QString saveDir = m_dir.filePath("Pictures/Lumadoc");
    {
        QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
        store.setValue("save/path", saveDir);
        store.setValue("save/format", 1);  // PNG
        store.setValue("camera/autoCrop", true);
    }
    WatermarkSettings stamp;
    stamp.textEnabled = true;
    stamp.text = "COPY";
    stamp.textColor = QColor(255, 0, 0);
    stamp.textOpacity = 100;
    stamp.textTiledMode = true;
    saveStoredWatermarkSettings(stamp);

    MainWindow w(environment());
    w.resize(1280, 900);
    w.show();
    QStringList messages;
    QObject::connect(w.statusBar(), &QStatusBar::messageChanged, [&](const QString& m) { messages << m; });
    waitForFrame(w);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !messages.filter("Document detected: ").isEmpty(); }, 4000))
        << messages.join(" / ").toStdString();

    w.findChild<QCheckBox*>("removeBackgroundCheckBox")->setChecked(true);
    w.findChild<QCheckBox*>("watermarkCheckBox")->setChecked(true);
    w.findChild<QPushButton*>("captureButton")->click();
    auto* gallery = w.findChild<GalleryModel*>();
    ASSERT_EQ(gallery->count(), 1);
    // The save's message stays readable although detection reports twice a second.
    QTest::qWait(1200);
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith("Image saved: ")) << w.statusBar()->currentMessage().toStdString();
    const QImage page(gallery->filePathAt(0));
    ASSERT_FALSE(page.isNull());
    // The page alone, upright: an A4 sheet lying landscape, well inside the 1920 x 1080 frame.
    const double aspect = double(page.width()) / page.height();
    EXPECT_NEAR(aspect, 297.0 / 210.0, 0.08) << page.width() << "x" << page.height();
    EXPECT_LT(page.height(), 1080);
    EXPECT_GT(page.height(), 1080 / 2);
    int white = 0, red = 0;
    const QImage small = page.scaled(200, 140).convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < small.height(); ++y)
        for (int x = 0; x < small.width(); ++x) {
            const QRgb p = small.pixel(x, y);
            white += qRed(p) > 245 && qGreen(p) > 245 && qBlue(p) > 245;
            red += qRed(p) > 180 && qGreen(p) < 90 && qBlue(p) < 90;
        }
    const int total = small.width() * small.height();
    EXPECT_GT(white, total / 2) << "the paper comes out white";
    EXPECT_GT(red, total / 100) << "the tiled stamp is on it";
}

TEST_F(VirtualCameraWindowTest, ScanCodeShowsThePagesCodesOnceAndNamesCapturesByThem)
{
    const QString saveDir = m_dir.filePath("Pictures/Lumadoc");
    {
        QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
        store.setValue("save/path", saveDir);
        store.setValue("save/namingMethod", 2);  // named by the code in the picture
        store.setValue("camera/autoCrop", false);
    }
    MainWindowEnvironment env = environment();
    QList<QUrl> fetched;
    env.fetchUrl = [&fetched](const QUrl& url) { fetched << url; };  // no traffic leaves the test
    MainWindow w(env);
    w.resize(1280, 900);
    w.show();
    waitForFrame(w);
    auto* panel = w.findChild<QWidget*>("scanResultWidget");
    ASSERT_NE(panel, nullptr);

    w.onScanCode();
    EXPECT_TRUE(panel->isVisible());
    const QString shown = panel->findChild<QTextBrowser*>()->toPlainText();
    EXPECT_TRUE(shown.contains(MediaCapture::VirtualScene::kQrPayload)) << shown.toStdString();
    ASSERT_EQ(fetched.size(), 1);
    EXPECT_EQ(fetched[0], QUrl(MediaCapture::VirtualScene::kQrPayload));

    w.onScanCode();  // the same codes at once: no new result, no second request
    EXPECT_EQ(w.statusBar()->currentMessage(), "Same code scanned recently");
    EXPECT_EQ(fetched.size(), 1);

    w.clearScanResult();
    EXPECT_FALSE(panel->isVisible());
    w.onScanCode();
    EXPECT_EQ(fetched.size(), 2);

    w.findChild<QPushButton*>("captureButton")->click();
    const QStringList files = QDir(saveDir).entryList(QDir::Files);
    ASSERT_EQ(files.size(), 1);
    EXPECT_FALSE(files[0].startsWith("IMG_")) << files[0].toStdString();
}
