#pragma once
// Process-wide switches of the virtual camera: tests and demos plug it in and out, make it refuse to
// open, or make it deliver an awkward frame width the way some real drivers do. The setters belong to
// the main thread; the capture threads only read, so every state is an atomic.

#include <QObject>

#include <atomic>
#include <cstdint>

namespace MediaCapture {

class VirtualCameraRig : public QObject
{
    Q_OBJECT
public:
    static VirtualCameraRig& instance();

    static constexpr const char* kDevicePath = "virtual:lumadoc-0";
    static constexpr const char* kDeviceName = "Lumadoc Virtual Camera";
    // The second device, filming an open book; plugged, unplugged and refused together with the first.
    static constexpr const char* kBookDevicePath = "virtual:lumadoc-book-0";
    static constexpr const char* kBookDeviceName = "Lumadoc Virtual Book Camera";
    // Widths a forced width is held to: wide enough for the scene to draw, small enough that one frame
    // stays a few dozen megabytes.
    static constexpr int kMinForcedWidth = 16;
    static constexpr int kMaxForcedWidth = 8192;

    // Plugged by default. Unplugging stops the frames of a running stream; plugging back in lists the
    // device again, but a handle opened before the unplug stays dead and must be reopened.
    void setPlugged(bool plugged);
    bool isPlugged() const { return m_plugged.load(); }
    // While set, openDevice() refuses.
    void setRefuseOpen(bool refuse);
    bool refuseOpen() const { return m_refuseOpen.load(); }
    // 0 = off. Otherwise devices opened from now on deliver frames this wide (held to
    // kMinForcedWidth..kMaxForcedWidth; negative means off). Taken when the device is opened, as a
    // driver fixes its format then.
    void setForcedWidth(int width);
    int forcedWidth() const { return m_forcedWidth.load(); }
    // Back to plugged, opening allowed, no forced width.
    void reset();

    // Counts unplug events; a device handle remembers it when opened, and a different count later
    // means the device went away in between.
    uint64_t unplugCount() const { return m_unplugCount.load(); }

signals:
    void pluggedChanged(bool plugged);

private:
    VirtualCameraRig() = default;

    std::atomic<bool> m_plugged{true};
    std::atomic<bool> m_refuseOpen{false};
    std::atomic<int> m_forcedWidth{0};
    std::atomic<uint64_t> m_unplugCount{0};
};

} // namespace MediaCapture
