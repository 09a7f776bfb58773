// Camera arrivals and removals from udev's netlink monitor on the video4linux subsystem, read on the
// main thread through a socket notifier.
#include "DeviceMonitor.h"

#include <QFileInfo>
#include <QSocketNotifier>

#include <libudev.h>

#include <cerrno>
#include <cstring>

struct DeviceMonitor::SystemWatch {
    udev* context = nullptr;
    udev_monitor* monitor = nullptr;
    std::unique_ptr<QSocketNotifier> notifier;

    ~SystemWatch()
    {
        notifier.reset();
        if (monitor)
            udev_monitor_unref(monitor);
        if (context)
            udev_unref(context);
    }
};

void DeviceMonitor::SystemWatchDeleter::operator()(SystemWatch* watch) const
{
    delete watch;
}

DeviceMonitor::SystemWatchPtr DeviceMonitor::watchSystem(DeviceMonitor* owner, QString* error)
{
    SystemWatchPtr watch(new SystemWatch);
    watch->context = udev_new();
    if (!watch->context) {
        *error = QString::fromLocal8Bit(std::strerror(errno));
        return nullptr;
    }
    // Events from the udev daemon arrive after the device node got its permissions; a system
    // without the daemon (containers) still has the kernel's own events.
    const char* source = QFileInfo::exists(QStringLiteral("/run/udev/control")) ? "udev" : "kernel";
    watch->monitor = udev_monitor_new_from_netlink(watch->context, source);
    if (!watch->monitor) {
        *error = QStringLiteral("netlink monitor unavailable (%1)").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return nullptr;
    }
    int rc = udev_monitor_filter_add_match_subsystem_devtype(watch->monitor, "video4linux", nullptr);
    if (rc >= 0)
        rc = udev_monitor_enable_receiving(watch->monitor);
    if (rc < 0) {
        *error = QString::fromLocal8Bit(std::strerror(-rc));
        return nullptr;
    }
    const int fd = udev_monitor_get_fd(watch->monitor);
    watch->notifier = std::make_unique<QSocketNotifier>(fd, QSocketNotifier::Read);
    udev_monitor* monitor = watch->monitor;
    QObject::connect(watch->notifier.get(), &QSocketNotifier::activated, owner, [owner, monitor] {
        // Drain everything that is queued; one notification may carry several events.
        while (udev_device* device = udev_monitor_receive_device(monitor)) {
            const char* action = udev_device_get_action(device);
            if (action && std::strcmp(action, "add") == 0)
                emit owner->deviceChanged(Change::Arrival);
            else if (action && std::strcmp(action, "remove") == 0)
                emit owner->deviceChanged(Change::Removal);
            udev_device_unref(device);
        }
    });
    return watch;
}
