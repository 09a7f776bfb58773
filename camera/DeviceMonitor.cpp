#include "DeviceMonitor.h"

#include "VirtualCameraRig.h"

#include <QDebug>

DeviceMonitor::DeviceMonitor(QObject* parent) : QObject(parent)
{
    connect(&MediaCapture::VirtualCameraRig::instance(), &MediaCapture::VirtualCameraRig::pluggedChanged, this,
            [this](bool plugged) { emit deviceChanged(plugged ? Change::Arrival : Change::Removal); });
}

DeviceMonitor::~DeviceMonitor() = default;

bool DeviceMonitor::start()
{
    if (m_system)
        return true;
    QString error;
    m_system = watchSystem(this, &error);
    if (!m_system) {
        qWarning().noquote() << "[Hotplug] RegisterDeviceNotification 失败, error=" << error;
        return false;
    }
    qInfo().noquote() << "[Hotplug] USB 设备插拔监听已注册（热拔插自动重连已启用）";
    return true;
}
