#pragma once
// Tells when a camera arrives or leaves: the system's video devices and the virtual camera's plug
// switch arrive through the same signal, so the window's hot-plug handling cannot tell them apart.
#include <QObject>

#include <memory>

class DeviceMonitor : public QObject {
    Q_OBJECT
public:
    enum class Change { Arrival, Removal };
    Q_ENUM(Change)

    explicit DeviceMonitor(QObject* parent = nullptr);
    ~DeviceMonitor() override;

    // Starts watching the system's video devices. False (with the reason logged) when the system
    // offers no notifications; the virtual camera is watched either way.
    bool start();

signals:
    void deviceChanged(DeviceMonitor::Change change);

private:
    // Platform part (device_monitor_*.cpp).
    struct SystemWatch;
    struct SystemWatchDeleter {
        void operator()(SystemWatch* watch) const;
    };
    using SystemWatchPtr = std::unique_ptr<SystemWatch, SystemWatchDeleter>;
    static SystemWatchPtr watchSystem(DeviceMonitor* owner, QString* error);

    SystemWatchPtr m_system;
};
