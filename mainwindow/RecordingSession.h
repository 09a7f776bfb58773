#pragma once
// The main window's camera recording: start and stop, the elapsed-seconds indicator, the output file
// "REC_<time>.mp4" under the save folder's "video", the stop on a pool thread under a watchdog, the
// preview restart afterwards and the completion dialog. It talks to the camera through
// RecordingCamera and to the user through signals and its environment, so a test drives it without
// a window or a camera.
#include <QDateTime>
#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class CameraController;
class CameraSession;
class QDialog;
class QTimer;
class QUrl;
class QWidget;

// What recording needs of the camera. stopRecording runs on a pool thread; everything else on the
// session's thread.
class RecordingCamera
{
public:
    virtual ~RecordingCamera() = default;
    virtual bool isRecording() = 0;
    virtual bool startRecording(const QString& filePath) = 0;
    // Stops the microphone and the recorder and finishes the file; true when the file is complete.
    virtual bool stopRecording() = 0;
    virtual bool isPreviewing() = 0;
    virtual bool startPreview() = 0;
    virtual void stopPreview() = 0;
    virtual void closeDevice() = 0;
    // Opens the device last opened again, at its size and frame rate.
    virtual bool reopenDevice() = 0;
    virtual QSize currentSize() = 0;
};

// The program's camera: the controller, and the camera session that remembers the last device.
std::unique_ptr<RecordingCamera> makeControllerRecordingCamera(CameraController* controller,
                                                               CameraSession* cameraSession);

class RecordingSession : public QObject
{
    Q_OBJECT
public:
    static constexpr int kTimerIntervalMs = 1000;
    static constexpr int kWatchdogMs = 15000;
    // Up to this many pixels the preview switches to low latency while recording; larger pictures
    // keep its normal mode, whose dropped frames cost the recorder nothing.
    static constexpr qint64 kLowLatencyMaxPixels = qint64(2592) * 1944;
    // The dialog's result when "Open Folder" closed it.
    static constexpr int kOpenFolderResult = 2;

    struct Environment
    {
        std::function<int(QDialog&)> execDialog;  // default: QDialog::exec
        std::function<bool(const QUrl&)> openUrl; // default: the desktop's file manager
        std::function<QDateTime()> now;           // default: the local time
        QString homePath;                         // default: the user's home folder
        int watchdogMs = kWatchdogMs;
        QWidget* dialogParent = nullptr;
    };

    RecordingSession(std::unique_ptr<RecordingCamera> camera, Environment env, QObject* parent = nullptr);
    // Waits for a stop still under way: the camera must not go away beneath it.
    ~RecordingSession() override;

    // The save folder of the settings; empty means the home folder's "Pictures/Lumadoc".
    void setSavePath(const QString& savePath) { m_savePath = savePath; }

    bool isRecording() const { return m_isRecording; }
    // A stop has begun and its worker has not returned yet (also after the watchdog fired).
    bool isStopping() const;
    int recordingSeconds() const { return m_recordingSeconds; }
    QString recordingFile() const { return m_recordingFile; }

    static QString recordingDirectory(const QString& savePath, const QString& homePath);
    static QString recordingFileName(const QDateTime& localTime);
    // The completion dialog for a saved file, built but not shown.
    static std::unique_ptr<QDialog> buildCompletionDialog(const QString& filePath, QWidget* parent = nullptr);

public slots:
    void onStartRecording();
    void onStopRecording();
    void onRecordingTimerTimeout();
    // The camera went away: the file is finished with what arrived, and the preview is left alone.
    void onCameraLost();

signals:
    void statusMessage(const QString& text, int durationMs);
    void recordingChanged(bool recording);
    void controlsChanged(bool startEnabled, bool stopEnabled);
    // Empty text: the indicator is hidden.
    void indicatorChanged(const QString& text, const QString& styleSheet);
    void lowLatencyChanged(bool on);
    // Automatic and timer capture are switched off while recording.
    void captureTriggersOff();
    void previewOpeningChanged(bool opening);
    // A stop has been handled to the end (after the dialog, if any); saved tells whether a file exists.
    void stopCompleted(bool saved);

private:
    void onStopFinished(const QString& filePath, bool stopResult);
    void restartPreview();
    void showCompletionDialog(const QString& filePath);

    std::unique_ptr<RecordingCamera> m_camera;
    Environment m_env;
    QString m_savePath;
    bool m_isRecording = false;
    int m_recordingSeconds = 0;
    QString m_recordingFile;
    QTimer* m_recordingTimer = nullptr;
    QPointer<QFutureWatcher<bool>> m_stopWatcher;
    QFuture<bool> m_stopFuture;
    bool m_cameraLost = false;
};
