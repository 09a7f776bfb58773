#pragma once
// The only user of the camera library: turns its records into CameraDeviceInfo, opens and closes a
// device, starts and stops the frame flow and hands each frame from the library's thread to the
// main thread. It also runs the application's own recording fed from those frames.
#include "CameraTypes.h"
#include "IMediaCapture.h"
#include "RecordingSinks.h"

#include <QImage>
#include <QObject>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>

namespace MediaCapture {
class ICameraControls;
}

class MediaCaptureWrapper : public QObject {
    Q_OBJECT
public:
    using LibraryFactory = std::function<MediaCapture::MediaCapturePtr()>;

    // An empty factory uses the library's CreateMediaCapture().
    explicit MediaCaptureWrapper(QObject* parent = nullptr, LibraryFactory factory = {},
                                 RecordingFactory recording = {});
    ~MediaCaptureWrapper() override;

    // Where the first frame of each new size leaves its diagnostic files (process-wide, like the
    // counters behind it). Empty: nothing is written.
    static void setDiagDirectory(const QString& directory);
    static QString diagDirectory();
    // Forgets which sizes have been seen, so the next frame writes diagnostics again (tests).
    static void resetFrameDiagnostics();

    bool initialize();
    QList<CameraDeviceInfo> enumerateDevices();
    bool openDevice(const QString& devicePath, const QSize& size, int fps);
    void closeDevice();
    bool startCapture();
    void stopCapture();

    bool isOpened() const { return m_opened; }
    bool isCapturing() const { return m_capturing; }
    bool isRecording();
    bool startAppRecording(const QString& filePath);
    bool stopRecording();

    QImage lastFrame() const { return m_lastFrame; }
    qint64 lastTimestampUs() const { return m_lastTimestampUs; }
    QString currentDevicePath() const { return m_devicePath; }
    QSize currentSize() const { return m_size; }
    int currentFps() const { return m_fps; }
    QList<CameraDeviceInfo> devices() const { return m_devices; }
    // The open camera's picture controls, or null when the backend has none.
    MediaCapture::ICameraControls* controls() const;

    // Library format list -> grouped resolutions (4168x3126 left out). Public for tests.
    static QList<CameraResolution> groupFormats(const std::vector<MediaCapture::VideoFormat>& formats);
    static CameraDeviceInfo toDeviceInfo(const MediaCapture::DeviceRecord& record);

signals:
    void videoFrameReceived(QImage frame);
    void errorOccurred(QString error);
    void devicesUpdated(QList<CameraDeviceInfo> devices);
    void deviceOpened(bool success);
    void captureStarted(bool success);
    void captureStopped();

private:
    void onFrame(const uint8_t* rgb, int width, int height, int64_t timestampUs);
    void deliverPendingFrame();
    QImage takeFrameBuffer(int width, int height);
    void stopMicrophone();
    // Ends the camera thread's access to the recorder and hands it over for stopping.
    std::shared_ptr<IAppRecorder> detachRecorder();

    LibraryFactory m_factory;
    RecordingFactory m_recording;
    MediaCapture::MediaCapturePtr m_capture;
    bool m_initialized = false;
    bool m_opened = false;
    bool m_capturing = false;
    QString m_devicePath;
    QSize m_size;
    int m_fps = 30;
    QList<CameraDeviceInfo> m_devices;
    QImage m_lastFrame;
    qint64 m_lastTimestampUs = 0;

    // The camera thread reads these while the main thread may be ending a recording: the flag is a
    // cheap check, the mutex makes "no push after stop" exact.
    std::atomic<bool> m_appRecording{false};
    std::mutex m_recorderMutex;
    std::shared_ptr<IAppRecorder> m_recorder;
    std::unique_ptr<AudioCaptureSource> m_microphone;

    // Newest frame waiting for the main thread. A busy main thread only ever has one frame
    // waiting; older ones are replaced, never queued.
    std::mutex m_pendingMutex;
    QImage m_pendingFrame;
    qint64 m_pendingTimestampUs = 0;
    std::atomic<bool> m_deliveryQueued{false};
    // Recycled frame buffers: a buffer nobody else references any more is written again instead
    // of allocating (and page-faulting) a fresh full-size image for every frame.
    QImage m_bufferPool[3];
};
