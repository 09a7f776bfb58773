#pragma once
// The V4L2 backend: real USB cameras through video4linux, listed with udev.
#include "ICameraControls.h"
#include "IMediaCapture.h"
#include "V4l2Io.h"

#include <linux/videodev2.h>
#include <memory>
#include <string>
#include <vector>

namespace MediaCapture {

// A capture object on the real system; delete it with `delete` (or DestroyMediaCapture).
IMediaCapture* createV4l2MediaCapture();

namespace v4l2 {
class CaptureStream;
class VideoNodeLister;
} // namespace v4l2

class V4l2MediaCapture : public IMediaCapture, public ICameraControls
{
public:
    // Null layers mean the real system; the tests pass a fake camera.
    explicit V4l2MediaCapture(std::shared_ptr<v4l2::V4l2Io> io = nullptr,
                              std::shared_ptr<v4l2::VideoNodeLister> lister = nullptr);
    ~V4l2MediaCapture() override;
    V4l2MediaCapture(const V4l2MediaCapture&) = delete;
    V4l2MediaCapture& operator=(const V4l2MediaCapture&) = delete;

    std::vector<DeviceRecord> enumDevices() override;
    bool openDevice(const std::string& devicePath, const VideoFormat& format) override;
    bool startVideoCapture(FrameCallback onFrame, EventCallback onEvent) override;
    void stopVideoCapture() override;
    void closeDevice() override;

    // A camera has no recorder of its own: there is never anything to stop or clean up.
    bool recordingCleanupFirst() override { return true; }
    bool recordingCleanupSecond() override { return true; }
    bool stopRecording() override { return false; }
    bool isRecording() override { return false; }

    std::vector<CameraControl> listControls() override;
    bool setControl(uint32_t id, int32_t value) override;

    // False once the capture thread has ended, by stopVideoCapture or because the camera was unplugged.
    bool isCapturing() const;
    // What openDevice settled on (the driver may have adjusted size and rate); zero when nothing is open.
    VideoFormat openedFormat() const;
    uint32_t openedPixelFormat() const;

private:
    std::shared_ptr<v4l2::V4l2Io> m_io;
    std::shared_ptr<v4l2::VideoNodeLister> m_lister;
    v4l2::DeviceFd m_device;
    std::string m_devicePath;
    v4l2_pix_format m_pixFormat{};
    int32_t m_fps = 0;
    std::unique_ptr<v4l2::CaptureStream> m_stream;
};

} // namespace MediaCapture
