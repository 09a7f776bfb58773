#pragma once
// The camera's single point of contact for the rest of the program: owns the wrapper, keeps the
// current device, size and rate, measures the delivered frame rate and opens the property dialog.
#include "CameraTypes.h"

#include <QElapsedTimer>
#include <QImage>
#include <QObject>

#include <functional>

class MediaCaptureWrapper;
class QDialog;
class QTimer;
class QWidget;

class CameraController : public QObject {
    Q_OBJECT
public:
    // Takes ownership of the wrapper; null makes one over the default camera library.
    explicit CameraController(QObject* parent = nullptr, MediaCaptureWrapper* wrapper = nullptr);
    ~CameraController() override;

    // Picks the size a device opens at when none is asked for: the first 1280x720, else the first
    // 640x480, else the largest. False (and nothing changed) for a device without resolutions.
    static bool chooseDefaultResolution(const CameraDeviceInfo& device, QSize* size, int* fps);

    bool initialize();
    bool openDevice(const CameraDeviceInfo& device, const QSize& size = QSize(), int fps = 30);
    void closeDevice();
    bool startPreview();
    void stopPreview();

    bool isDeviceOpen() const;
    bool isPreviewing() const;
    bool isRecording() const;
    QImage currentFrame() const { return m_lastFrame; }
    QString currentDeviceName() const { return m_currentDevice.name; }
    CameraDeviceInfo currentDevice() const { return m_currentDevice; }
    QSize currentResolution() const { return m_currentSize; }
    int requestedFps() const { return m_currentFps; }
    // The measured rate of the last second, truncated.
    int currentFps() const { return int(m_measuredFps); }
    QList<CameraDeviceInfo> deviceList() const { return m_devices; }
    MediaCaptureWrapper* wrapper() const { return m_wrapper; }

    bool startRecording(const QString& filePath);
    bool stopRecording();

    // The open camera's picture controls in a dialog owned by parent. False without an open camera
    // or when the camera has no controls.
    bool showPropertyPage(QWidget* parent);
    // How the property dialog is shown; tests answer it without a modal loop.
    void setDialogRunner(std::function<int(QDialog&)> runner) { m_runDialog = std::move(runner); }

signals:
    void videoFrameReceived(QImage frame);
    void errorOccurred(QString error);
    void deviceOpened(bool success);
    void previewStarted(bool success);
    void previewStopped();
    void deviceListChanged(QList<CameraDeviceInfo> devices);
    void fpsChanged(int fps);

public slots:
    void refreshDeviceList();
    void onVideoFrameReceived(QImage frame);
    void onErrorOccurred(QString error);

private:
    void measureFrameRate();

    MediaCaptureWrapper* m_wrapper = nullptr;
    QTimer* m_fpsTimer = nullptr;
    QElapsedTimer m_fpsClock;
    int m_frameCount = 0;
    double m_measuredFps = 0.0;
    QImage m_lastFrame;
    bool m_initialized = false;
    CameraDeviceInfo m_currentDevice;
    QSize m_currentSize;
    int m_currentFps = 30;
    QList<CameraDeviceInfo> m_devices;
    std::function<int(QDialog&)> m_runDialog;
};
