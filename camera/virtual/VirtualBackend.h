#pragma once
// The built-in virtual camera: two always-present devices, one filming a printed test page on a desk
// and one an open book held down by a thumb. They are what the application shows on a machine without
// a camera, and what every picture feature is developed and tested against.

#include "ICameraControls.h"
#include "IMediaCapture.h"
#include "VirtualScene.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

namespace MediaCapture {

IMediaCapture* createVirtualMediaCapture();

class VirtualMediaCapture : public IMediaCapture, public ICameraControls
{
public:
    // Code passed to the event callback when the device is unplugged under a running stream; the
    // stream then ends, as a real camera's does.
    static constexpr int kEventDeviceRemoved = MediaCapture::kEventDeviceRemoved;
    // Code passed to the event callback when the stream ended because of an error (message says why).
    static constexpr int kEventStreamFailed = MediaCapture::kEventStreamFailed;

    VirtualMediaCapture() = default;
    // Must not run inside the frame callback.
    ~VirtualMediaCapture() override;
    VirtualMediaCapture(const VirtualMediaCapture&) = delete;
    VirtualMediaCapture& operator=(const VirtualMediaCapture&) = delete;

    static DeviceRecord deviceRecord();
    static DeviceRecord bookDeviceRecord();

    // The page camera first, then the book camera.
    std::vector<DeviceRecord> enumDevices() override;
    // Opening while open closes the previous session first. The rig's forced width is taken here.
    bool openDevice(const std::string& devicePath, const VideoFormat& format) override;
    // False when not open, when onFrame is empty, or when the device was unplugged since it was opened.
    // While a stream runs, a further start changes nothing and returns true (the first callbacks stay).
    bool startVideoCapture(FrameCallback onFrame, EventCallback onEvent) override;
    // Also safe from inside the frame callback: the stream then ends after that callback returns.
    void stopVideoCapture() override;
    // From inside the frame callback it ends the stream the same way and closes at the next call.
    void closeDevice() override;

    bool recordingCleanupFirst() override { return true; }
    bool recordingCleanupSecond() override { return true; }
    bool stopRecording() override { return false; }
    bool isRecording() override { return false; }

    std::vector<CameraControl> listControls() override;
    bool setControl(uint32_t id, int32_t value) override;

private:
    struct StreamSettings
    {
        int width = 0;
        int height = 0;
        int fps = 0;
        SceneKind scene = SceneKind::PrintedPage;
        uint64_t unplugCount = 0;
    };

    void captureLoop(StreamSettings settings, FrameCallback onFrame, EventCallback onEvent);
    // Both need m_apiMutex held.
    void stopLocked();
    void settlePendingClose();
    bool onCaptureThread() const { return m_captureThreadId.load() == std::this_thread::get_id(); }
    void requestStop();

    // Serialises open/start/stop/close among callers.
    std::mutex m_apiMutex;
    bool m_open = false;
    StreamSettings m_settings;
    std::thread m_thread;
    std::atomic<bool> m_threadEnded{true};
    std::atomic<std::thread::id> m_captureThreadId{};
    std::atomic<bool> m_closePending{false};

    // The capture thread sleeps on this until its next frame is due or a stop is asked for.
    std::mutex m_wakeMutex;
    std::condition_variable m_wake;
    // Set under m_wakeMutex so the wake-up is not lost; atomic so the scene drawing can poll it.
    std::atomic<bool> m_stopRequested{false};

    // listControls() answers only while open; read without the API lock by the property dialog.
    std::atomic<bool> m_controlsAvailable{false};
    std::atomic<int> m_brightness{0};
    std::atomic<int> m_contrast{50};
};

} // namespace MediaCapture
