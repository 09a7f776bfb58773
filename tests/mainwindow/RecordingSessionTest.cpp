// The recording workflow driven with a scripted camera: names and folders, the low-latency rule, every
// way a stop can end (saved, empty file, failed finish, slow stop past the watchdog, lost camera) and
// what the user is told each time.
#include "RecordingSession.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QSemaphore>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

#include <atomic>

namespace {

struct CameraScript
{
    QSize size{1280, 720};
    bool startResult = true;
    bool stopResult = true;
    qint64 fileBytes = 1000; // written by the stop; -1 writes nothing
    bool previewRestarts = true;
    bool blockStop = false; // the stop waits for `release`

    QStringList calls; // main-thread calls, in order
    std::atomic<int> stopCalls{0};
    QString startedPath;
    QSemaphore release;
};

class ScriptedCamera : public RecordingCamera
{
public:
    explicit ScriptedCamera(CameraScript* script) : m_s(script) {}
    bool isRecording() override { return false; }
    bool startRecording(const QString& path) override
    {
        m_s->calls << "startRecording";
        m_s->startedPath = path;
        return m_s->startResult;
    }
    bool stopRecording() override
    {
        ++m_s->stopCalls;
        if (m_s->blockStop)
            m_s->release.acquire();
        if (m_s->fileBytes >= 0) {
            QFile file(m_s->startedPath);
            if (file.open(QIODevice::WriteOnly))
                file.write(QByteArray(int(m_s->fileBytes), 'x'));
        }
        return m_s->stopResult;
    }
    bool isPreviewing() override { return m_previewing; }
    bool startPreview() override
    {
        m_s->calls << "startPreview";
        m_previewing = m_s->previewRestarts || m_reopened;
        return m_previewing;
    }
    void stopPreview() override
    {
        m_s->calls << "stopPreview";
        m_previewing = false;
    }
    void closeDevice() override { m_s->calls << "closeDevice"; }
    bool reopenDevice() override
    {
        m_s->calls << "reopenDevice";
        m_reopened = true;
        return true;
    }
    QSize currentSize() override { return m_s->size; }

private:
    CameraScript* m_s;
    bool m_previewing = true;
    bool m_reopened = false;
};

class RecordingSessionTest : public ::testing::Test
{
protected:
    std::unique_ptr<RecordingSession> makeSession(int watchdogMs = RecordingSession::kWatchdogMs)
    {
        RecordingSession::Environment env;
        env.homePath = m_dir.path();
        env.now = [] { return QDateTime(QDate(2026, 3, 9), QTime(14, 5, 7, 42)); };
        env.watchdogMs = watchdogMs;
        env.execDialog = [this](QDialog& dialog) {
            ++m_dialogs;
            dialog.findChild<QPushButton*>(m_dialogButton)->click();
            return dialog.result();
        };
        env.openUrl = [this](const QUrl& url) {
            m_opened << url.toLocalFile();
            return true;
        };
        auto session = std::make_unique<RecordingSession>(std::make_unique<ScriptedCamera>(&m_script), env);
        m_status = std::make_unique<QSignalSpy>(session.get(), &RecordingSession::statusMessage);
        m_controls = std::make_unique<QSignalSpy>(session.get(), &RecordingSession::controlsChanged);
        return session;
    }
    QString lastStatus() const
    {
        return m_status->isEmpty() ? QString() : m_status->last().first().toString();
    }
    QList<QVariant> lastControls() const
    {
        return m_controls->isEmpty() ? QList<QVariant>() : m_controls->last();
    }

    QTemporaryDir m_dir;
    CameraScript m_script;
    int m_dialogs = 0;
    QString m_dialogButton = QStringLiteral("okButton");
    QStringList m_opened;
    std::unique_ptr<QSignalSpy> m_status;
    std::unique_ptr<QSignalSpy> m_controls;
};

TEST_F(RecordingSessionTest, FilesAreNamedByTheTimeInTheSaveFoldersVideoFolderWhichIsCreated)
{
    struct Case
    {
        QString savePath;
        QString expectedDir;
    };
    const Case cases[] = {
        {QString(), m_dir.path() + "/Pictures/Lumadoc/video"},
        {m_dir.path() + "/scans", m_dir.path() + "/scans/video"},
    };
    for (const Case& c : cases) {
        auto session = makeSession();
        session->setSavePath(c.savePath);
        session->onStartRecording();
        ASSERT_TRUE(session->isRecording());
        EXPECT_EQ(session->recordingFile(), c.expectedDir + "/REC_20260309_140507_042.mp4");
        EXPECT_EQ(m_script.startedPath, session->recordingFile());
        EXPECT_TRUE(QDir(c.expectedDir).exists());
        QSignalSpy done(session.get(), &RecordingSession::stopCompleted);
        session->onStopRecording();
        ASSERT_TRUE(done.wait(5000));
    }
}

TEST_F(RecordingSessionTest, PreviewGoesLowLatencyUpToFiveMegapixels)
{
    struct Case
    {
        QSize size;
        bool lowLatency;
    };
    const Case cases[] = {
        {{3840, 2160}, false}, {{1920, 1080}, true}, {{2592, 1944}, true}, {{2592, 1945}, false}};
    for (const Case& c : cases) {
        m_script.size = c.size;
        auto session = makeSession();
        QSignalSpy latency(session.get(), &RecordingSession::lowLatencyChanged);
        session->onStartRecording();
        const bool switched = !latency.isEmpty() && latency.first().first().toBool();
        EXPECT_EQ(switched, c.lowLatency) << c.size.width() << "x" << c.size.height();
        session->onStopRecording();
        QSignalSpy done(session.get(), &RecordingSession::stopCompleted);
        ASSERT_TRUE(done.wait(5000));
        EXPECT_FALSE(latency.last().first().toBool()); // normal again after the stop
    }
}

TEST_F(RecordingSessionTest, EveryStopOutcomeIsReportedForWhatIsOnDisk)
{
    struct Case
    {
        const char* name;
        bool stopResult;
        qint64 fileBytes;
        bool previewRestarts;
        const char* dialogButton;
        bool saved;
        QStringList callsAfterStop;
    };
    const QStringList restart{"stopPreview", "startPreview"};
    const QStringList reopen{"stopPreview", "startPreview", "closeDevice", "reopenDevice", "startPreview"};
    const Case cases[] = {
        {"saved", true, 1000, true, "okButton", true, restart},
        {"saved, open folder", true, 1000, true, "openFolderButton", true, restart},
        {"zero bytes", true, 0, true, "okButton", false, restart},
        {"no file", true, -1, true, "okButton", false, restart},
        {"finish failed", false, 1000, true, "okButton", false, restart},
        {"preview does not come back", true, 1000, false, "okButton", true, reopen},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_script.stopResult = c.stopResult;
        m_script.fileBytes = c.fileBytes;
        m_script.previewRestarts = c.previewRestarts;
        m_dialogButton = QString::fromLatin1(c.dialogButton);
        m_dialogs = 0;
        m_opened.clear();
        auto session = makeSession();
        session->onStartRecording();
        session->onRecordingTimerTimeout();
        session->onRecordingTimerTimeout();
        m_script.calls.clear();
        QSignalSpy done(session.get(), &RecordingSession::stopCompleted);
        session->onStopRecording();
        EXPECT_EQ(lastControls(), (QList<QVariant>{false, false})); // both off while stopping
        ASSERT_TRUE(done.wait(5000));
        EXPECT_EQ(done.first().first().toBool(), c.saved);
        EXPECT_EQ(m_script.calls, c.callsAfterStop);
        EXPECT_EQ(lastStatus(), c.saved
                                    ? QString("Recording saved, duration: 2s")
                                    : QString("Failed to stop recording / no file produced (check logs)"));
        EXPECT_EQ(m_dialogs, c.saved ? 1 : 0);
        const bool openFolder = c.saved && QByteArray(c.dialogButton) == "openFolderButton";
        EXPECT_EQ(m_opened, openFolder ? QStringList{QFileInfo(session->recordingFile()).absolutePath()}
                                       : QStringList());
        EXPECT_EQ(lastControls(), (QList<QVariant>{true, false}));
        QFile::remove(session->recordingFile());
    }
}

TEST_F(RecordingSessionTest, StopWhileIdleOnlyLogsAndAFailedStartRollsBack)
{
    auto session = makeSession();
    session->onStopRecording();
    EXPECT_TRUE(m_script.calls.isEmpty());
    EXPECT_EQ(m_script.stopCalls, 0);
    EXPECT_TRUE(m_status->isEmpty());

    m_script.startResult = false;
    QSignalSpy indicator(session.get(), &RecordingSession::indicatorChanged);
    session->onStartRecording();
    EXPECT_FALSE(session->isRecording());
    EXPECT_EQ(lastStatus(), "Failed to start recording (check logs)");
    ASSERT_FALSE(indicator.isEmpty());
    EXPECT_TRUE(indicator.last().first().toString().isEmpty());
}

TEST_F(RecordingSessionTest, ASlowStopTimesOutThenCompletesAndNoNewRecordingStartsMeanwhile)
{
    m_script.blockStop = true;
    auto session = makeSession(50);
    session->onStartRecording();
    QSignalSpy done(session.get(), &RecordingSession::stopCompleted);
    session->onStopRecording();
    ASSERT_TRUE(m_status->wait(5000));
    EXPECT_EQ(lastStatus(), "Recording stop timed out (device not responding)");
    EXPECT_EQ(lastControls(), (QList<QVariant>{true, false}));
    EXPECT_TRUE(session->isStopping());

    // The start button is back, but the old file is not finished yet.
    m_script.calls.clear();
    session->onStartRecording();
    EXPECT_FALSE(session->isRecording());
    EXPECT_FALSE(m_script.calls.contains("startRecording"));
    EXPECT_EQ(lastStatus(), "The previous recording is still being saved, please wait");

    m_script.release.release();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_TRUE(done.first().first().toBool());
    EXPECT_EQ(lastStatus(), "Recording saved, duration: 0s");
    EXPECT_FALSE(session->isStopping());
    session->onStartRecording();
    EXPECT_TRUE(session->isRecording());
}

TEST_F(RecordingSessionTest, ALostCameraFinishesTheFileWithoutRestartingThePreview)
{
    auto session = makeSession();
    session->onCameraLost(); // not recording: nothing happens
    EXPECT_EQ(m_script.stopCalls, 0);
    session->onStartRecording();
    m_script.calls.clear();
    QSignalSpy done(session.get(), &RecordingSession::stopCompleted);
    session->onCameraLost();
    ASSERT_TRUE(done.wait(5000));
    EXPECT_EQ(m_script.stopCalls, 1);
    EXPECT_TRUE(done.first().first().toBool());
    EXPECT_FALSE(m_script.calls.contains("startPreview"));
    EXPECT_FALSE(m_script.calls.contains("reopenDevice"));
}

} // namespace
