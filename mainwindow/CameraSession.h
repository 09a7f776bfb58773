#pragma once
// The main window's camera handling: the device and resolution boxes, opening and closing, and
// reconnecting when the open camera is unplugged and plugged in again. It works on the two boxes
// and the controller only; everything the window shows in response arrives through signals, so a
// test drives it with scripted device lists and no window.
#include "CameraTypes.h"

#include <QObject>
#include <QSize>

class CameraController;
class QComboBox;
class QTimer;

class CameraSession : public QObject {
    Q_OBJECT
public:
    static constexpr int kPollIntervalMs = 1000;
    static constexpr int kSecondRefreshDelayMs = 800;
    // Reopen attempts after a replug before giving up: a camera that has just arrived may still be
    // busy being set up by the system.
    static constexpr int kReconnectAttempts = 3;

    CameraSession(CameraController* controller, QComboBox* deviceBox, QComboBox* resolutionBox,
                  QObject* parent = nullptr);

    // Remembered choices from the settings; each is used once, by the first list that can use it.
    void setPreferred(const QString& devicePath, const QSize& size);

    // How well a device stands for the recorded one: 3 same path, 2 same USB ids, 1 same name, 0 not.
    static int matchRank(const CameraDeviceInfo& candidate, const CameraDeviceInfo& recorded);

    bool isWaiting() const { return m_waiting; }
    bool isPolling() const;
    CameraDeviceInfo recordedDevice() const { return m_recordedDevice; }
    QSize recordedSize() const { return m_recordedSize; }
    int recordedFps() const { return m_recordedFps; }

public slots:
    void onDeviceListChanged(const QList<CameraDeviceInfo>& devices);
    void onDeviceSelected(int index);
    void onResolutionSelected(int index);
    void openCamera();
    void closeCamera();
    void refreshDevices();
    // A system notification: refresh on the next turn, and once more a little later after an
    // arrival, because a camera's node appears before it is ready.
    void onSystemDeviceChange(bool arrival);

signals:
    void statusMessage(const QString& text, int durationMs);
    void captureEnabledChanged(bool enabled);
    void previewOpeningChanged(bool opening);
    void previewCleared();
    // The camera picture is live again (after open or reconnect) / gone (unplugged).
    void cameraStarted();
    void cameraLost();
    void warningBox(const QString& title, const QString& text);
    // The selection changed in a way the settings should remember.
    void selectionChanged();

private:
    void fillResolutions(const CameraDeviceInfo& device, const QSize& preferred);
    void handleUnplug();
    void attemptReconnect(const CameraDeviceInfo& device);
    void stopPolling();
    int findDeviceIndex(const QString& path) const;

    CameraController* m_controller;
    QComboBox* m_deviceBox;
    QComboBox* m_resolutionBox;
    QTimer* m_pollTimer = nullptr;

    CameraDeviceInfo m_recordedDevice;
    QSize m_recordedSize;
    int m_recordedFps = 30;
    bool m_waiting = false;
    int m_failedReconnects = 0;

    QString m_preferredPath;
    QSize m_preferredSize;
};
