// Capturing from the window on a scripted camera: every trigger ends in one named, saved gallery
// item; the composite takes two shots; nothing is captured without a picture.
#include "GalleryModel.h"
#include "GalleryPanel.h"
#include "ImagePreviewDialog.h"
#include "ThumbnailItem.h"
#include "VideoWidget.h"
#include "WindowTestEnvironment.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

namespace {

class MainWindowCaptureTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        windowtest::startInEnglish(m_dir);
        m_saveDir = m_dir.filePath("captures");
        QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
        store.setValue("save/path", m_saveDir);
        store.setValue("save/namingMethod", 1);
        store.setValue("save/filePrefix", "DOC");
        store.setValue("save/fileNumber", 7);
        store.setValue("save/autoSave", true);
        store.setValue("save/format", 1);  // PNG: lossless, so pixels can be compared
        store.setValue("camera/autoCrop", false);
        m_library->devices = {fake::device("Doc Cam", "/dev/v4l/by-id/doc", {{640, 480, 30}})};
    }

    MainWindowEnvironment environment()
    {
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        auto library = m_library;
        env.makeCameraController = [library](QObject* parent) {
            return new CameraController(parent, new MediaCaptureWrapper(nullptr, fake::factoryFor(library)));
        };
        env.execDialog = [this](QDialog& dialog) {
            if (auto* box = qobject_cast<QMessageBox*>(&dialog))
                m_boxes << box->text();
            return 0;
        };
        return env;
    }

    // Starts the window and waits until the camera streams.
    void start(MainWindow& w)
    {
        w.show();
        ASSERT_TRUE(QTest::qWaitFor([&] { return m_library->callback != nullptr; }, 5000));
    }

    // One frame from the camera thread: grey level `level`, with a dark square at `x` so frames differ.
    void sendFrame(uint8_t level, int squareX = 0)
    {
        std::vector<uint8_t> bytes(640 * 480 * 3, level);
        for (int y = 100; y < 200; ++y)
            for (int x = squareX; x < squareX + 100; ++x)
                for (int c = 0; c < 3; ++c)
                    bytes[(size_t(y) * 640 + x) * 3 + c] = 20;
        std::thread([&] { m_library->callback(bytes.data(), 640, 480, 0); }).join();
        QTest::qWait(5);
    }

    QStringList savedFiles() const { return QDir(m_saveDir).entryList(QDir::Files, QDir::Name); }
    static GalleryModel* gallery(MainWindow& w) { return w.findChild<GalleryModel*>(); }

    testsupport::TempAppDir m_dir;
    QString m_saveDir;
    std::shared_ptr<fake::LibraryState> m_library = std::make_shared<fake::LibraryState>();
    QStringList m_boxes;
};

}  // namespace

TEST_F(MainWindowCaptureTest, ButtonAndSpaceCaptureNamedSavedGalleryItems)
{
    MainWindow w(environment());
    start(w);
    sendFrame(200);

    w.findChild<QPushButton*>("captureButton")->click();
    ASSERT_EQ(savedFiles(), QStringList({"DOC_0007.png"}));
    ASSERT_EQ(gallery(w)->count(), 1);
    EXPECT_EQ(gallery(w)->filePathAt(0), m_saveDir + "/DOC_0007.png");
    EXPECT_EQ(QImage(m_saveDir + "/DOC_0007.png").pixel(320, 400), qRgb(200, 200, 200));

    QTest::keyClick(&w, Qt::Key_Space);
    EXPECT_EQ(savedFiles(), QStringList({"DOC_0007.png", "DOC_0008.png"}));
    EXPECT_EQ(gallery(w)->count(), 2);
    // The counter survives a restart.
    EXPECT_EQ(QSettings(m_dir.filePath("settings.ini"), QSettings::IniFormat).value("save/fileNumber").toInt(), 9);
}

TEST_F(MainWindowCaptureTest, AnExistingFileIsNeverOverwrittenAndTheItemPointsAtTheNewOne)
{
    QDir().mkpath(m_saveDir);
    QFile old(m_saveDir + "/DOC_0007.png");
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("an earlier capture");
    old.close();

    MainWindow w(environment());
    start(w);
    sendFrame(150);
    w.findChild<QPushButton*>("captureButton")->click();
    EXPECT_EQ(QFileInfo(m_saveDir + "/DOC_0007.png").size(), qint64(strlen("an earlier capture")));
    ASSERT_EQ(gallery(w)->count(), 1);
    EXPECT_NE(gallery(w)->filePathAt(0), m_saveDir + "/DOC_0007.png");
    EXPECT_TRUE(QFileInfo::exists(gallery(w)->filePathAt(0)));
}

TEST_F(MainWindowCaptureTest, NothingIsCapturedWithoutAPicture)
{
    MainWindow w(environment());
    start(w);
    w.findChild<QAction*>("actionCloseCamera")->trigger();
    w.onCaptureImage();
    EXPECT_EQ(m_boxes, QStringList({"Camera is not previewing."}));
    EXPECT_EQ(gallery(w)->count(), 0);
    EXPECT_TRUE(savedFiles().isEmpty());
}

TEST_F(MainWindowCaptureTest, CompositeTakesTwoShotsIntoOneItem)
{
    MainWindow w(environment());
    start(w);
    w.findChild<QCheckBox*>("compositeCaptureCheckBox")->setChecked(true);
    sendFrame(100);
    w.onCaptureImage();
    EXPECT_EQ(gallery(w)->count(), 0);
    EXPECT_TRUE(w.findChild<QLabel*>("compositeHintLabel")->isVisible());
    sendFrame(220);
    w.onCaptureImage();
    ASSERT_EQ(gallery(w)->count(), 1);
    EXPECT_FALSE(w.findChild<QLabel*>("compositeHintLabel")->isVisible());
    const QImage joined(gallery(w)->filePathAt(0));
    EXPECT_EQ(joined.size(), QSize(640, 960));  // vertical: first above second
    EXPECT_EQ(qRed(joined.pixel(320, 400)), 100);
    EXPECT_EQ(qRed(joined.pixel(320, 880)), 220);
}

TEST_F(MainWindowCaptureTest, AStillPictureIsCapturedOnceAndTheTimerKeepsCapturing)
{
    MainWindow w(environment());
    start(w);
    w.findChild<QCheckBox*>("autoCaptureCheckBox")->setChecked(true);
    sendFrame(60, 0);     // reference
    sendFrame(180, 300);  // a new page: the picture changed
    for (int i = 0; i < 14; ++i)
        sendFrame(180, 300);
    EXPECT_EQ(gallery(w)->count(), 0);
    sendFrame(180, 300);  // 15th still frame
    EXPECT_EQ(gallery(w)->count(), 1);
    for (int i = 0; i < 70; ++i)
        sendFrame(180, 300);
    EXPECT_EQ(gallery(w)->count(), 1);  // held still: no second capture

    w.findChild<QSpinBox*>("timerCaptureSpinBox")->setValue(1);
    w.findChild<QCheckBox*>("timerCaptureCheckBox")->setChecked(true);
    EXPECT_FALSE(w.findChild<QCheckBox*>("autoCaptureCheckBox")->isChecked());
    QTest::qWait(2300);
    EXPECT_GE(gallery(w)->count(), 2);
    w.findChild<QCheckBox*>("timerCaptureCheckBox")->setChecked(false);
}

TEST_F(MainWindowCaptureTest, ScannerGunKeysGiveOneCaptureNamedByTheCode)
{
    QSettings store(m_dir.filePath("settings.ini"), QSettings::IniFormat);
    store.setValue("save/namingMethod", 3);
    store.setValue("save/scannerGunDelay", 100);
    MainWindow w(environment());
    start(w);
    sendFrame(90);
    w.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    for (const char* key : {"1", "2", "3"})
        QTest::keyClick(&w, key[0]);
    QTest::keyClick(&w, Qt::Key_Return);
    EXPECT_TRUE(savedFiles().isEmpty());  // the delay first
    ASSERT_TRUE(QTest::qWaitFor([&] { return gallery(w)->count() == 1; }, 3000));
    EXPECT_EQ(savedFiles(), QStringList({"123.png"}));
    // Space is a scanner key's business now: no capture.
    QTest::keyClick(&w, Qt::Key_Space);
    QTest::qWait(300);
    EXPECT_EQ(gallery(w)->count(), 1);
}

TEST_F(MainWindowCaptureTest, ClickingAGalleryItemOpensItInThePreviewDialog)
{
    MainWindow w(environment());
    start(w);
    sendFrame(120);
    w.onCaptureImage();
    auto* panel = w.findChild<GalleryPanel*>();
    ASSERT_NE(panel, nullptr);
    ASSERT_EQ(panel->itemCount(), 1);
    QTest::mouseClick(panel->itemAt(0), Qt::LeftButton, {}, QPoint(250, 70));
    auto* dialog = w.findChild<ImagePreviewDialog*>();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->windowTitle().endsWith("640x480"));
    dialog->close();
}

TEST_F(MainWindowCaptureTest, SaveImageWritesThePreviewPictureAndSaysSoAloud)
{
    MainWindowEnvironment env = environment();
    const QString chosen = m_dir.filePath("chosen.png");
    QString proposed;
    QStringList spoken;
    env.askSaveFileName = [&](const QString& title, const QString& proposal, const QString&) {
        EXPECT_EQ(title, "Save Image");
        proposed = proposal;
        return chosen;
    };
    env.speak = [&](const QString& text) { spoken << text; };
    MainWindow w(env);
    start(w);
    sendFrame(77);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !w.findChild<VideoWidget*>()->currentFrame().isNull(); }, 3000));
    w.findChild<QAction*>("actionSave")->trigger();
    EXPECT_TRUE(proposed.endsWith(".png"));
    EXPECT_EQ(QImage(chosen).pixel(320, 400), qRgb(77, 77, 77));
    EXPECT_EQ(spoken, QStringList({"Image saved"}));
    EXPECT_EQ(w.statusBar()->currentMessage(), "Image saved: " + chosen);
}
