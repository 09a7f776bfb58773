#include "VirtualCameraRig.h"

#include <QCoreApplication>

#include <algorithm>

namespace MediaCapture {

VirtualCameraRig& VirtualCameraRig::instance()
{
    static VirtualCameraRig& rig = []() -> VirtualCameraRig& {
        static VirtualCameraRig created;
        // Whoever asks first (possibly a capture thread), the rig belongs to the main thread, where
        // its setters are called and its signal is emitted.
        if (QCoreApplication* app = QCoreApplication::instance())
            created.moveToThread(app->thread());
        return created;
    }();
    return rig;
}

void VirtualCameraRig::setPlugged(bool plugged)
{
    if (m_plugged.load() == plugged)
        return;
    // The count goes up before the flag drops, so a capture thread that sees the device missing also
    // sees the handle as stale.
    if (!plugged)
        m_unplugCount.fetch_add(1);
    m_plugged.store(plugged);
    emit pluggedChanged(plugged);
}

void VirtualCameraRig::setRefuseOpen(bool refuse)
{
    m_refuseOpen.store(refuse);
}

void VirtualCameraRig::setForcedWidth(int width)
{
    if (width <= 0)
        width = 0;
    else
        width = std::clamp(width, kMinForcedWidth, kMaxForcedWidth);
    m_forcedWidth.store(width);
}

void VirtualCameraRig::reset()
{
    setRefuseOpen(false);
    setForcedWidth(0);
    setPlugged(true);
}

} // namespace MediaCapture
