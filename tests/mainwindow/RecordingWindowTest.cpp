// Recording through the whole window on the virtual camera, as `make run` does it: the record button
// starts and stops, the file lands in the home folder's "Pictures/Lumadoc/video" and plays; unplugging
// the camera mid-recording still leaves a finished file.
#include "MainWindow.h"
#include "TestSupport.h"
#include "VirtualCameraRig.h"
#include "WindowTestEnvironment.h"

#include <QDialog>
#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

using MediaCapture::VirtualCameraRig;

namespace {

// Frames in the file's video stream as ffprobe counts them by decoding; -1 when it cannot read it.
int decodedFrames(const QString& path)
{
    QProcess probe;
    probe.start("ffprobe", {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                            "stream=codec_name,nb_read_frames", "-of", "json", path});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return -1;
    const QJsonArray streams =
        QJsonDocument::fromJson(probe.readAllStandardOutput()).object().value("streams").toArray();
    if (streams.isEmpty() || streams[0].toObject().value("codec_name").toString() != "h264")
        return -1;
    return streams[0].toObject().value("nb_read_frames").toString().toInt();
}

class RecordingWindowTest : public ::testing::Test
{
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
        MainWindowEnvironment env = windowtest::privateEnvironment(m_dir);
        env.makeCameraController = nullptr; // the program's own controller, recorder and microphone
        env.watchDevices = true;
        env.execDialog = [this](QDialog& dialog) {
            if (dialog.objectName() != "recordingCompleteDialog")
                return 0;
            ++m_completionDialogs;
            dialog.findChild<QPushButton*>("openFolderButton")->click();
            return dialog.result();
        };
        env.openUrl = [this](const QUrl& url) {
            m_opened << url.toLocalFile();
            return true;
        };
        return env;
    }
    QString videoDir() const { return QDir::homePath() + "/Pictures/Lumadoc/video"; }
    QStringList recordings() const { return QDir(videoDir()).entryList({"REC_*.mp4"}, QDir::Files); }

    testsupport::TempAppDir m_dir;
    int m_completionDialogs = 0;
    QStringList m_opened;
};

TEST_F(RecordingWindowTest, TheRecordButtonRecordsThePreviewIntoAPlayableFile)
{
    MainWindow w(environment());
    w.show();
    auto* button = w.findChild<QPushButton*>("recordButton");
    auto* indicator = w.findChild<QLabel*>("recordTimeLabel");
    ASSERT_TRUE(button && indicator);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return w.findChild<QWidget*>("statusLabel")->property("text").toString().startsWith("Previewing");
        },
        10000));

    button->click();
    ASSERT_EQ(button->text(), "Stop Recording");
    EXPECT_TRUE(indicator->isVisible());
    EXPECT_EQ(indicator->text(), "● 0s");
    QTest::qWait(1500); // some picture to record; nothing here depends on how much
    button->click();
    EXPECT_FALSE(button->isEnabled()); // while the file is finished
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_completionDialogs == 1; }, 20000));
    EXPECT_TRUE(w.statusBar()->currentMessage().startsWith("Recording saved, duration:"));
    EXPECT_EQ(button->text(), "Start Recording");
    EXPECT_TRUE(button->isEnabled());
    EXPECT_FALSE(indicator->isVisible());
    EXPECT_EQ(m_opened, QStringList{videoDir()});

    const QStringList files = recordings();
    ASSERT_EQ(files.size(), 1);
    EXPECT_GE(decodedFrames(videoDir() + "/" + files.first()), 5);
    // The preview came back.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            return w.findChild<QWidget*>("statusLabel")->property("text").toString().startsWith("Previewing");
        },
        5000));
}

TEST_F(RecordingWindowTest, UnpluggingTheCameraFinishesTheRecording)
{
    MainWindow w(environment());
    w.show();
    auto* button = w.findChild<QPushButton*>("recordButton");
    ASSERT_TRUE(QTest::qWaitFor(
        [&] {
            return w.findChild<QWidget*>("statusLabel")->property("text").toString().startsWith("Previewing");
        },
        10000));
    button->click();
    ASSERT_EQ(button->text(), "Stop Recording");
    QTest::qWait(1500);
    VirtualCameraRig::instance().setPlugged(false);
    ASSERT_TRUE(QTest::qWaitFor([&] { return m_completionDialogs == 1; }, 20000));
    EXPECT_EQ(button->text(), "Start Recording");
    const QStringList files = recordings();
    ASSERT_EQ(files.size(), 1);
    EXPECT_GE(decodedFrames(videoDir() + "/" + files.first()), 5);
}

} // namespace
