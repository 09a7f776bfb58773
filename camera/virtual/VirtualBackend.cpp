#include "VirtualBackend.h"

#include "VirtualCameraRig.h"
#include "VirtualFrameSource.h"
#include "VirtualScene.h"

#include <linux/videodev2.h>

#include <chrono>
#include <climits>
#include <ctime>
#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace MediaCapture {

namespace {

// The 4168x3126 mode is the sensor's full resolution; the application hides it, the library offers it.
const std::vector<VideoFormat>& offeredFormats()
{
    static const std::vector<VideoFormat> formats = {
        {4168, 3126, 15}, {1920, 1080, 30}, {1920, 1080, 15}, {1280, 720, 30}, {640, 480, 30},
    };
    return formats;
}

bool isOffered(const VideoFormat& format)
{
    for (const VideoFormat& f : offeredFormats())
        if (f.width == format.width && f.height == format.height && f.fps == format.fps)
            return true;
    return false;
}

int64_t monotonicUs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<int64_t>(ts.tv_sec) * 1000000 + ts.tv_nsec / 1000;
}

bool deviceStillThere(uint64_t unplugCountAtOpen)
{
    const VirtualCameraRig& rig = VirtualCameraRig::instance();
    // Count first: an unplug raises it before clearing the plugged flag.
    return rig.unplugCount() == unplugCountAtOpen && rig.isPlugged();
}

struct StreamStopped
{
};

void reportEvent(const EventCallback& onEvent, int code, const std::string& message)
{
    if (!onEvent)
        return;
    try {
        onEvent(code, message);
    } catch (...) {
        // The stream is ending anyway; an exception escaping the capture thread would end the program.
    }
}

} // namespace

IMediaCapture* createVirtualMediaCapture()
{
    return new VirtualMediaCapture();
}

VirtualMediaCapture::~VirtualMediaCapture()
{
    std::lock_guard<std::mutex> lock(m_apiMutex);
    stopLocked();
}

DeviceRecord VirtualMediaCapture::deviceRecord()
{
    DeviceRecord record;
    record.symbolicName = "lumadoc-virtual-0";
    record.deviceName = VirtualCameraRig::kDeviceName;
    record.devicePath = VirtualCameraRig::kDevicePath;
    record.description = "Lumadoc synthetic document scene";
    record.formats = offeredFormats();
    return record;
}

DeviceRecord VirtualMediaCapture::bookDeviceRecord()
{
    DeviceRecord record;
    record.symbolicName = "lumadoc-virtual-book-0";
    record.deviceName = VirtualCameraRig::kBookDeviceName;
    record.devicePath = VirtualCameraRig::kBookDevicePath;
    record.description = "Lumadoc synthetic open book scene";
    record.formats = offeredFormats();
    return record;
}

std::vector<DeviceRecord> VirtualMediaCapture::enumDevices()
{
    if (!VirtualCameraRig::instance().isPlugged())
        return {};
    return {deviceRecord(), bookDeviceRecord()};
}

bool VirtualMediaCapture::openDevice(const std::string& devicePath, const VideoFormat& format)
{
    if (onCaptureThread())
        return false; // reopening from inside a frame callback would have to wait for itself
    std::lock_guard<std::mutex> lock(m_apiMutex);
    settlePendingClose();
    const VirtualCameraRig& rig = VirtualCameraRig::instance();
    const bool book = devicePath == VirtualCameraRig::kBookDevicePath;
    if ((devicePath != VirtualCameraRig::kDevicePath && !book) || !rig.isPlugged() || rig.refuseOpen() ||
        !isOffered(format))
        return false;

    if (m_open) {
        stopLocked();
        m_open = false;
    }
    StreamSettings settings;
    const int forcedWidth = rig.forcedWidth();
    settings.width = forcedWidth > 0 ? forcedWidth : format.width;
    settings.height = format.height;
    settings.fps = format.fps;
    settings.scene = book ? SceneKind::OpenBook : SceneKind::PrintedPage;
    settings.unplugCount = rig.unplugCount();
    m_settings = settings;
    m_open = true;
    m_controlsAvailable.store(true);
    return true;
}

bool VirtualMediaCapture::startVideoCapture(FrameCallback onFrame, EventCallback onEvent)
{
    if (onCaptureThread())
        return true; // asked from a frame callback, so the stream is running
    std::lock_guard<std::mutex> lock(m_apiMutex);
    settlePendingClose();
    if (!m_open || !onFrame)
        return false;
    if (m_thread.joinable()) {
        if (!m_threadEnded.load())
            return true;
        m_thread.join(); // ended by itself: unplugged, failed or stopped from its own callback
    }
    if (!deviceStillThere(m_settings.unplugCount))
        return false;
    {
        std::lock_guard<std::mutex> wakeLock(m_wakeMutex);
        m_stopRequested.store(false);
    }
    m_threadEnded.store(false);
    m_thread = std::thread(&VirtualMediaCapture::captureLoop, this, m_settings, std::move(onFrame),
                           std::move(onEvent));
    return true;
}

void VirtualMediaCapture::stopVideoCapture()
{
    if (onCaptureThread()) {
        requestStop();
        return;
    }
    std::lock_guard<std::mutex> lock(m_apiMutex);
    stopLocked();
}

void VirtualMediaCapture::closeDevice()
{
    if (onCaptureThread()) {
        requestStop();
        m_controlsAvailable.store(false);
        m_closePending.store(true);
        return;
    }
    std::lock_guard<std::mutex> lock(m_apiMutex);
    stopLocked();
    m_open = false;
    m_controlsAvailable.store(false);
    m_closePending.store(false);
}

void VirtualMediaCapture::requestStop()
{
    {
        std::lock_guard<std::mutex> wakeLock(m_wakeMutex);
        m_stopRequested.store(true);
    }
    m_wake.notify_all();
}

void VirtualMediaCapture::stopLocked()
{
    if (m_thread.joinable()) {
        requestStop();
        m_thread.join();
    }
    std::lock_guard<std::mutex> wakeLock(m_wakeMutex);
    m_stopRequested.store(false);
}

void VirtualMediaCapture::settlePendingClose()
{
    if (!m_closePending.exchange(false))
        return;
    stopLocked();
    m_open = false;
}

void VirtualMediaCapture::captureLoop(StreamSettings settings, FrameCallback onFrame, EventCallback onEvent)
{
    using Clock = std::chrono::steady_clock;
    m_captureThreadId.store(std::this_thread::get_id());
    try {
        // The first stream at a size draws the scene; frames are paced from when it is ready. A stop
        // during the drawing abandons it.
        std::shared_ptr<const SceneCanvas> scene =
            VirtualScene::cached(settings.scene, settings.width, settings.height,
                                 VirtualFrameSource::shakeMarginPx(settings.width), &m_stopRequested);
        if (!scene)
            throw StreamStopped();
        VirtualFrameSource source(std::move(scene));
        std::vector<uint8_t> frame(source.frameBytes());
        int appliedBrightness = INT_MIN;
        int appliedContrast = INT_MIN;

        const auto period = std::chrono::nanoseconds(1000000000LL / settings.fps);
        const Clock::time_point streamStart = Clock::now();
        Clock::time_point anchor = streamStart;
        uint64_t anchorIndex = 0;
        for (uint64_t index = 0;; ++index) {
            // Deadlines count from an anchor, not from the previous frame, so the rate does not drift.
            const Clock::time_point deadline =
                anchor + std::chrono::nanoseconds(static_cast<int64_t>((index - anchorIndex) * 1000000000ULL /
                                                                       static_cast<uint64_t>(settings.fps)));
            {
                std::unique_lock<std::mutex> wakeLock(m_wakeMutex);
                if (m_wake.wait_until(wakeLock, deadline, [this] { return m_stopRequested.load(); }))
                    break;
            }
            if (!deviceStillThere(settings.unplugCount)) {
                reportEvent(onEvent, kEventDeviceRemoved,
                            std::string(settings.scene == SceneKind::OpenBook ? VirtualCameraRig::kBookDeviceName
                                                                              : VirtualCameraRig::kDeviceName) +
                                " was unplugged");
                break;
            }
            const int brightness = m_brightness.load();
            const int contrast = m_contrast.load();
            if (brightness != appliedBrightness || contrast != appliedContrast) {
                source.setTone(brightness, contrast);
                appliedBrightness = brightness;
                appliedContrast = contrast;
            }
            const int64_t streamTimeMs =
                std::chrono::duration_cast<std::chrono::milliseconds>(deadline - streamStart).count();
            source.renderFrame(index, streamTimeMs, frame.data());
            onFrame(frame.data(), settings.width, settings.height, monotonicUs());

            // Over two frames late (a slow consumer, a stalled machine): carry on from now rather than
            // catching up with a burst of frames.
            const Clock::time_point now = Clock::now();
            if (now - deadline > 2 * period) {
                anchor = now;
                anchorIndex = index + 1;
            }
        }
    } catch (const StreamStopped&) {
        // Stopped before the first frame: nothing to report.
    } catch (const std::exception& e) {
        reportEvent(onEvent, kEventStreamFailed, std::string("Virtual camera stream failed: ") + e.what());
    } catch (...) {
        reportEvent(onEvent, kEventStreamFailed, "Virtual camera stream failed");
    }
    m_captureThreadId.store(std::thread::id());
    m_threadEnded.store(true);
}

std::vector<CameraControl> VirtualMediaCapture::listControls()
{
    if (!m_controlsAvailable.load())
        return {};
    CameraControl brightness;
    brightness.id = V4L2_CID_BRIGHTNESS;
    brightness.name = "Brightness";
    brightness.type = CameraControl::Type::Integer;
    brightness.minimum = VirtualFrameSource::kBrightnessMin;
    brightness.maximum = VirtualFrameSource::kBrightnessMax;
    brightness.step = 1;
    brightness.defaultValue = VirtualFrameSource::kBrightnessDefault;
    brightness.value = m_brightness.load();

    CameraControl contrast;
    contrast.id = V4L2_CID_CONTRAST;
    contrast.name = "Contrast";
    contrast.type = CameraControl::Type::Integer;
    contrast.minimum = VirtualFrameSource::kContrastMin;
    contrast.maximum = VirtualFrameSource::kContrastMax;
    contrast.step = 1;
    contrast.defaultValue = VirtualFrameSource::kContrastDefault;
    contrast.value = m_contrast.load();
    return {brightness, contrast};
}

bool VirtualMediaCapture::setControl(uint32_t id, int32_t value)
{
    if (!m_controlsAvailable.load())
        return false;
    switch (id) {
    case V4L2_CID_BRIGHTNESS:
        if (value < VirtualFrameSource::kBrightnessMin || value > VirtualFrameSource::kBrightnessMax)
            return false;
        m_brightness.store(value);
        return true;
    case V4L2_CID_CONTRAST:
        if (value < VirtualFrameSource::kContrastMin || value > VirtualFrameSource::kContrastMax)
            return false;
        m_contrast.store(value);
        return true;
    default:
        return false;
    }
}

} // namespace MediaCapture
