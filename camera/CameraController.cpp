#include "CameraController.h"

#include "CameraPropertyDialog.h"
#include "ICameraControls.h"
#include "MediaCaptureWrapper.h"

#include <QDebug>
#include <QTimer>

namespace {
constexpr int kFpsWindowMs = 1000;
}

CameraController::CameraController(QObject* parent, MediaCaptureWrapper* wrapper)
    : QObject(parent), m_wrapper(wrapper ? wrapper : new MediaCaptureWrapper(this))
{
    m_wrapper->setParent(this);
    m_fpsTimer = new QTimer(this);
    m_fpsTimer->setInterval(kFpsWindowMs);
    connect(m_fpsTimer, &QTimer::timeout, this, &CameraController::measureFrameRate);
    connect(m_wrapper, &MediaCaptureWrapper::devicesUpdated, this, &CameraController::deviceListChanged);
    connect(m_wrapper, &MediaCaptureWrapper::errorOccurred, this, &CameraController::onErrorOccurred);
    connect(m_wrapper, &MediaCaptureWrapper::videoFrameReceived, this, &CameraController::onVideoFrameReceived);
    m_runDialog = [](QDialog& dialog) { return dialog.exec(); };
}

CameraController::~CameraController() = default;

bool CameraController::chooseDefaultResolution(const CameraDeviceInfo& device, QSize* size, int* fps)
{
    const CameraResolution* chosen = nullptr;
    for (const QSize wanted : {QSize(1280, 720), QSize(640, 480)}) {
        for (const CameraResolution& r : device.resolutions) {
            if (r.size() == wanted) {
                chosen = &r;
                break;
            }
        }
        if (chosen)
            break;
    }
    if (!chosen) {
        qint64 largest = -1;
        for (const CameraResolution& r : device.resolutions) {
            const qint64 area = qint64(r.width) * r.height;
            if (area > largest) {
                largest = area;
                chosen = &r;
            }
        }
    }
    if (!chosen)
        return false;
    *size = chosen->size();
    *fps = chosen->frameRates.isEmpty() ? 30 : chosen->frameRates.first();
    return true;
}

bool CameraController::initialize()
{
    if (m_initialized)
        return true;
    if (!m_wrapper->initialize())
        return false;
    m_devices = m_wrapper->enumerateDevices();
    m_initialized = true;
    return true;
}

void CameraController::refreshDeviceList()
{
    m_devices = m_wrapper->enumerateDevices();
}

bool CameraController::openDevice(const CameraDeviceInfo& device, const QSize& size, int fps)
{
    if (!m_initialized) {
        if (!m_wrapper->initialize()) {
            emit errorOccurred(tr("控制器未初始化"));
            return false;
        }
        m_devices = m_wrapper->enumerateDevices();
        m_initialized = true;
    }
    QSize openSize = size;
    int openFps = fps;
    if (openSize.isEmpty())
        chooseDefaultResolution(device, &openSize, &openFps);
    if (!m_wrapper->openDevice(device.path, openSize, openFps))
        return false;
    m_currentDevice = device;
    m_currentSize = openSize;
    m_currentFps = openFps;
    emit deviceOpened(true);
    return true;
}

void CameraController::closeDevice()
{
    m_fpsTimer->stop();
    m_wrapper->closeDevice();
    m_currentDevice = CameraDeviceInfo();
}

bool CameraController::startPreview()
{
    if (!m_wrapper->isOpened()) {
        emit errorOccurred(tr("设备未打开"));
        return false;
    }
    if (!m_wrapper->startCapture())
        return false;
    m_fpsTimer->start();
    m_fpsClock.restart();
    m_frameCount = 0;
    emit previewStarted(true);
    return true;
}

void CameraController::stopPreview()
{
    m_wrapper->stopCapture();
    m_fpsTimer->stop();
    emit previewStopped();
}

bool CameraController::isDeviceOpen() const { return m_wrapper->isOpened(); }
bool CameraController::isPreviewing() const { return m_wrapper->isCapturing(); }
bool CameraController::isRecording() const { return m_wrapper->isRecording(); }

bool CameraController::startRecording(const QString& filePath)
{
    if (!isDeviceOpen() || !isPreviewing())
        return false;
    return m_wrapper->startAppRecording(filePath);
}

bool CameraController::stopRecording()
{
    // An unplugged camera closes its device, but its recording still has a file to finish.
    if (!isDeviceOpen() && !m_wrapper->isRecording())
        return false;
    return m_wrapper->stopRecording();
}

void CameraController::onVideoFrameReceived(QImage frame)
{
    m_lastFrame = frame;
    ++m_frameCount;
    emit videoFrameReceived(frame);
}

void CameraController::onErrorOccurred(QString error)
{
    emit errorOccurred(error);
}

void CameraController::measureFrameRate()
{
    const qint64 elapsedMs = m_fpsClock.elapsed();
    if (elapsedMs <= 0)
        return;
    m_measuredFps = m_frameCount * 1000.0 / double(elapsedMs);
    m_frameCount = 0;
    m_fpsClock.restart();
    emit fpsChanged(int(m_measuredFps));
}

bool CameraController::showPropertyPage(QWidget* parent)
{
    if (!isDeviceOpen()) {
        qWarning().noquote() << "[CameraProps] No camera open";
        return false;
    }
    qInfo().noquote() << "[CameraProps] Opening property page for:" << m_currentDevice.name
                      << "path:" << m_wrapper->currentDevicePath();
    MediaCapture::ICameraControls* controls = m_wrapper->controls();
    if (!controls) {
        qWarning().noquote() << "[CameraProps] ISpecifyPropertyPages not supported";
        return false;
    }
    CameraPropertyDialog dialog(controls, m_currentDevice.name, parent);
    if (dialog.isEmpty()) {
        qWarning().noquote() << "[CameraProps] GetPages failed";
        return false;
    }
    const int result = m_runDialog(dialog);
    qInfo().noquote() << "[CameraProps] OleCreatePropertyFrame returned:" << result;
    return result >= 0;
}
