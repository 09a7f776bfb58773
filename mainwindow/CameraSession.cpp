#include "CameraSession.h"

#include "CameraController.h"

#include <QComboBox>
#include <QDebug>
#include <QSignalBlocker>
#include <QTimer>

#include <algorithm>

namespace {

bool sameId(const QString& a, const QString& b)
{
    // "0x046d" and "046D" name the same vendor.
    auto normal = [](QString id) {
        id = id.trimmed().toLower();
        if (id.startsWith(QLatin1String("0x")))
            id.remove(0, 2);
        return id;
    };
    return normal(a) == normal(b);
}

const CameraResolution* findResolution(const CameraDeviceInfo& device, const QSize& size)
{
    for (const CameraResolution& r : device.resolutions) {
        if (r.size() == size)
            return &r;
    }
    return nullptr;
}

}  // namespace

CameraSession::CameraSession(CameraController* controller, QComboBox* deviceBox, QComboBox* resolutionBox,
                             QObject* parent)
    : QObject(parent), m_controller(controller), m_deviceBox(deviceBox), m_resolutionBox(resolutionBox)
{
    connect(m_controller, &CameraController::deviceListChanged, this, &CameraSession::onDeviceListChanged);
}

void CameraSession::setPreferred(const QString& devicePath, const QSize& size)
{
    m_preferredPath = devicePath;
    m_preferredSize = (size.width() >= 1 && size.height() >= 1) ? size : QSize();
}

int CameraSession::matchRank(const CameraDeviceInfo& candidate, const CameraDeviceInfo& recorded)
{
    // The path first: two cameras of one model share their ids and names, and only the path tells
    // which of them was open.
    if (!candidate.path.isEmpty() && candidate.path == recorded.path)
        return 3;
    if (!candidate.vid.isEmpty() && !candidate.pid.isEmpty() && sameId(candidate.vid, recorded.vid)
        && sameId(candidate.pid, recorded.pid))
        return 2;
    if (!candidate.name.isEmpty() && candidate.name == recorded.name)
        return 1;
    return 0;
}

bool CameraSession::isPolling() const { return m_pollTimer && m_pollTimer->isActive(); }

int CameraSession::findDeviceIndex(const QString& path) const
{
    for (int i = 0; i < m_deviceBox->count(); ++i) {
        if (m_deviceBox->itemData(i).toString() == path)
            return i;
    }
    return -1;
}

void CameraSession::onDeviceListChanged(const QList<CameraDeviceInfo>& devices)
{
    // 1. The same cameras in the same order: nothing to do.
    QStringList paths;
    for (const CameraDeviceInfo& d : devices)
        paths << d.path;
    QStringList shown;
    for (int i = 0; i < m_deviceBox->count(); ++i)
        shown << m_deviceBox->itemData(i).toString();
    if (paths == shown && m_deviceBox->count() > 0 && !m_waiting)
        return;

    // 2. Rebuild the device box, remembering what was selected.
    const QString remembered = m_deviceBox->currentData().toString();
    const QSize shownSize = m_resolutionBox->currentData().toSize();
    int rememberedIndex = -1;
    {
        const QSignalBlocker quietDevices(m_deviceBox);
        const QSignalBlocker quietSizes(m_resolutionBox);
        m_deviceBox->clear();
        m_resolutionBox->clear();
        for (int i = 0; i < devices.size(); ++i) {
            m_deviceBox->addItem(devices[i].name, devices[i].path);
            if (devices[i].path == remembered)
                rememberedIndex = i;
        }
    }

    // 3. Is the recorded camera back, or has the open one gone?
    int bestRank = 0;
    int bestIndex = -1;
    for (int i = 0; i < devices.size(); ++i) {
        const int rank = matchRank(devices[i], m_recordedDevice);
        if (rank > bestRank) {
            bestRank = rank;
            bestIndex = i;
        }
    }
    const bool wantReconnect = m_waiting && bestIndex >= 0;
    // The open camera is gone when nothing stands for it any more, or when its own path has left the
    // list while a look-alike stayed.
    const QString openPath = m_controller->isDeviceOpen() ? m_controller->currentDevice().path : QString();
    const bool prevAbsent = m_controller->isDeviceOpen() && (bestIndex < 0 || !paths.contains(openPath));
    qDebug().noquote() << "[Hotplug] wantReconnect=" << wantReconnect << "prevAbsent=" << prevAbsent
                       << "| recorded:" << m_recordedDevice.name << "vid=" << m_recordedDevice.vid
                       << "pid=" << m_recordedDevice.pid << "path=" << m_recordedDevice.path;
    for (const CameraDeviceInfo& d : devices)
        qDebug().noquote() << "[Hotplug]   candidate:" << d.name << "vid=" << d.vid << "pid=" << d.pid
                           << "path=" << d.path << "match=" << (matchRank(d, m_recordedDevice) > 0);

    // 4. The recorded camera is back: reopen it as it was.
    if (wantReconnect) {
        const CameraDeviceInfo device = devices[bestIndex];
        {
            const QSignalBlocker quiet(m_deviceBox);
            m_deviceBox->setCurrentIndex(bestIndex);
        }
        fillResolutions(device, m_recordedSize);
        m_waiting = false;
        QTimer::singleShot(0, this, [this, device] { attemptReconnect(device); });
        return;
    }
    // 5. The open camera was unplugged.
    if (prevAbsent) {
        m_waiting = true;
        QTimer::singleShot(0, this, [this] { handleUnplug(); });
        return;
    }
    // 6. No camera at all.
    if (devices.isEmpty()) {
        emit captureEnabledChanged(false);
        emit statusMessage(tr("No camera devices found"), 3000);
        emit previewOpeningChanged(false);
        return;
    }
    // 7. Waiting for the recorded camera: another one does not count.
    if (m_waiting)
        return;

    // 8. Select a camera and open it, unless it is the one already open.
    int index = m_preferredPath.isEmpty() ? -1 : findDeviceIndex(m_preferredPath);
    m_preferredPath.clear();
    if (index < 0)
        index = rememberedIndex >= 0 ? rememberedIndex : 0;
    {
        const QSignalBlocker quiet(m_deviceBox);
        m_deviceBox->setCurrentIndex(index);
    }
    if (!openPath.isEmpty() && devices[index].path == openPath) {
        // Another camera came or went; the open one keeps running untouched.
        fillResolutions(devices[index], shownSize.isValid() ? shownSize : m_controller->currentResolution());
        return;
    }
    QTimer::singleShot(0, this, [this, index] {
        if (m_deviceBox->currentIndex() == index)
            onDeviceSelected(index);
    });
}

void CameraSession::fillResolutions(const CameraDeviceInfo& device, const QSize& preferred)
{
    QList<CameraResolution> sorted = device.resolutions;
    std::stable_sort(sorted.begin(), sorted.end(), [](const CameraResolution& a, const CameraResolution& b) {
        return qint64(a.width) * a.height > qint64(b.width) * b.height;
    });
    const QSignalBlocker quiet(m_resolutionBox);
    m_resolutionBox->clear();
    int selected = 0;
    for (const CameraResolution& r : sorted) {
        QString text = QStringLiteral("%1x%2").arg(r.width).arg(r.height);
        if (!r.frameRates.isEmpty())
            text += QStringLiteral(" (%1 fps)").arg(*std::max_element(r.frameRates.begin(), r.frameRates.end()));
        if (r.size() == preferred)
            selected = m_resolutionBox->count();
        m_resolutionBox->addItem(text, r.size());
    }
    if (m_resolutionBox->count() > 0)
        m_resolutionBox->setCurrentIndex(selected);
}

void CameraSession::onDeviceSelected(int index)
{
    qDebug().noquote() << "MainWindow::onDeviceSelected index = " << index;
    if (index < 0)
        return;
    emit previewOpeningChanged(true);
    closeCamera();
    const QString path = m_deviceBox->itemData(index).toString();
    for (const CameraDeviceInfo& device : m_controller->deviceList()) {
        if (device.path == path) {
            fillResolutions(device, m_preferredSize);
            m_preferredSize = QSize();
            break;
        }
    }
    openCamera();
    emit selectionChanged();
}

void CameraSession::onResolutionSelected(int)
{
    closeCamera();
    openCamera();
    emit selectionChanged();
}

void CameraSession::stopPolling()
{
    if (m_pollTimer && m_pollTimer->isActive()) {
        m_pollTimer->stop();
        qInfo().noquote() << "[Hotplug] 停止等待重连轮询";
    }
}

void CameraSession::openCamera()
{
    if (m_deviceBox->currentIndex() < 0) {
        emit warningBox(tr("Warning"), tr("Please select a camera device."));
        return;
    }
    m_waiting = false;
    m_failedReconnects = 0;
    stopPolling();

    QSize size = m_resolutionBox->currentData().toSize();
    if (!size.isValid() || size.isEmpty())
        size = QSize(640, 480);
    // The path is the identity; the name only helps when a list arrived without one.
    const QList<CameraDeviceInfo> devices = m_controller->deviceList();
    const QString path = m_deviceBox->currentData().toString();
    auto device = std::find_if(devices.begin(), devices.end(), [&](const CameraDeviceInfo& d) { return d.path == path; });
    if (device == devices.end())
        device = std::find_if(devices.begin(), devices.end(),
                              [&](const CameraDeviceInfo& d) { return d.name == m_deviceBox->currentText(); });
    if (device == devices.end())
        return;

    int fps = 30;
    if (const CameraResolution* r = findResolution(*device, size); r && !r->frameRates.isEmpty())
        fps = *std::max_element(r->frameRates.begin(), r->frameRates.end());
    m_recordedDevice = *device;
    m_recordedSize = size;
    m_recordedFps = fps;
    qDebug().noquote() << "m_cameraController->openDevice(device = " << device->name << ", resolution = "
                       << size.width() << "x" << size.height() << "  fps = " << fps;

    emit previewOpeningChanged(true);
    if (!m_controller->openDevice(*device, size, fps)) {
        emit warningBox(tr("Error"), tr("Failed to open camera device."));
        emit previewOpeningChanged(false);
        return;
    }
    if (!m_controller->startPreview()) {
        emit previewOpeningChanged(false);
        return;
    }
    emit statusMessage(tr("Camera started successfully"), 3000);
    emit cameraStarted();
}

void CameraSession::closeCamera()
{
    m_controller->stopPreview();
    m_controller->closeDevice();
    emit previewCleared();
    emit statusMessage(tr("Camera closed"), 3000);
}

void CameraSession::refreshDevices()
{
    m_controller->refreshDeviceList();
    emit statusMessage(tr("Device list refreshed"), 2000);
}

void CameraSession::onSystemDeviceChange(bool arrival)
{
    QTimer::singleShot(0, m_controller, &CameraController::refreshDeviceList);
    if (arrival)
        QTimer::singleShot(kSecondRefreshDelayMs, m_controller, &CameraController::refreshDeviceList);
}

void CameraSession::handleUnplug()
{
    qInfo().noquote() << "[Hotplug] 检测到当前摄像头被拔出，执行优雅断开";
    m_controller->stopPreview();
    m_controller->closeDevice();
    emit previewCleared();
    emit previewOpeningChanged(false);
    emit cameraLost();
    emit captureEnabledChanged(false);
    emit statusMessage(tr("Camera disconnected. Waiting for reconnect..."), 5000);
    if (!m_pollTimer) {
        m_pollTimer = new QTimer(this);
        m_pollTimer->setInterval(kPollIntervalMs);
        connect(m_pollTimer, &QTimer::timeout, this, [this] {
            if (m_waiting)
                m_controller->refreshDeviceList();
        });
    }
    if (!m_pollTimer->isActive()) {
        m_pollTimer->start();
        qInfo().noquote() << "[Hotplug] 启动等待重连轮询（每 1s 重新枚举设备）";
    }
}

void CameraSession::attemptReconnect(const CameraDeviceInfo& device)
{
    const QSize size = findResolution(device, m_recordedSize) ? m_recordedSize : QSize();
    emit previewOpeningChanged(true);
    if (!m_controller->openDevice(device, size, m_recordedFps)) {
        emit previewOpeningChanged(false);
        // A camera that has only just appeared can still refuse; the next poll ticks try again.
        if (++m_failedReconnects < kReconnectAttempts) {
            m_waiting = true;
            qWarning().noquote() << "[Hotplug] reopen attempt" << m_failedReconnects << "failed, retrying:" << device.name;
            return;
        }
        m_failedReconnects = 0;
        stopPolling();
        emit statusMessage(tr("Failed to reopen camera after reconnect."), 4000);
        qWarning().noquote() << "[Hotplug] 重连失败：openDevice 失败:" << device.name << "vid=" << device.vid
                             << "pid=" << device.pid << "path=" << device.path;
        return;
    }
    m_failedReconnects = 0;
    if (!m_controller->startPreview()) {
        emit previewOpeningChanged(false);
        emit statusMessage(tr("Failed to resume preview after reconnect."), 4000);
        qWarning().noquote() << "[Hotplug] 重连失败：openDevice 成功但 startPreview 失败:" << device.name;
        return;
    }
    emit statusMessage(tr("Camera reconnected. Preview resumed."), 3000);
    qInfo().noquote() << "[Hotplug] 摄像头已重连并恢复预览:" << device.name;
    stopPolling();
    emit cameraStarted();
}
