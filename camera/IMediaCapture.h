#pragma once
// The camera library boundary. Everything above it (MediaCaptureWrapper) sees cameras only through
// this interface; the backends behind it are V4L2 for real USB cameras and the built-in virtual camera.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace MediaCapture {

// One capture mode as the library offers it. A size offered at several rates appears once per rate.
struct VideoFormat {
    int32_t width = 0;
    int32_t height = 0;
    int32_t fps = 0;
};

// One camera. The texts are narrow UTF-8 strings.
struct DeviceRecord {
    std::string symbolicName;  // backend-internal identifier, not used above the boundary
    std::string deviceName;    // friendly name shown to the user
    std::string devicePath;    // identity of the device, passed back to openDevice()
    std::string description;   // bus/driver description, carried along
    std::string vendorId;      // USB vendor id, hexadecimal ("046d"), empty when unknown
    std::string productId;     // USB product id, hexadecimal, empty when unknown
    std::vector<VideoFormat> formats;
};

// Called on the library's own capture thread for every frame: packed RGB24 (red, green, blue),
// rows top to bottom, each row exactly width*3 bytes. timestampUs is CLOCK_MONOTONIC microseconds.
// The bytes are valid only for the duration of the call.
using FrameCallback = std::function<void(const uint8_t* rgb, int width, int height, int64_t timestampUs)>;
// Asynchronous device events, on the capture thread. The application passes it empty and backends
// must accept that. Codes are errno values:
constexpr int kEventDeviceRemoved = 19;  // ENODEV: the camera went away under a running stream
constexpr int kEventStreamFailed = 5;    // EIO: the stream ended on an error
using EventCallback = std::function<void(int code, const std::string& message)>;

// Calling order: enumDevices (any time) -> openDevice -> startVideoCapture -> stopVideoCapture ->
// closeDevice. Any operation may throw a std::exception; a false result is a refusal without text.
class IMediaCapture {
public:
    virtual ~IMediaCapture() = default;

    virtual std::vector<DeviceRecord> enumDevices() = 0;
    // Opens the device in exactly that mode (the backend may have to report a different delivered size
    // through the frames themselves when the driver insists on another one).
    virtual bool openDevice(const std::string& devicePath, const VideoFormat& format) = 0;
    virtual bool startVideoCapture(FrameCallback onFrame, EventCallback onEvent) = 0;
    // No frame callback runs once this returns. Calling it (or closeDevice) from inside the frame
    // callback only asks the stream to end; destroying the object from there is not allowed.
    virtual void stopVideoCapture() = 0;
    virtual void closeDevice() = 0;

    // The library's own recorder: the application never starts it, but stops it when it reports one.
    virtual bool recordingCleanupFirst() = 0;
    virtual bool recordingCleanupSecond() = 0;
    virtual bool stopRecording() = 0;
    virtual bool isRecording() = 0;
};

// The backend is chosen by LUMADOC_CAMERA=auto|v4l2|virtual (default auto: real cameras first,
// the virtual camera always as the last entry).
IMediaCapture* CreateMediaCapture();
void DestroyMediaCapture(IMediaCapture* capture);

struct MediaCaptureDeleter {
    void operator()(IMediaCapture* capture) const { DestroyMediaCapture(capture); }
};
using MediaCapturePtr = std::unique_ptr<IMediaCapture, MediaCaptureDeleter>;

}  // namespace MediaCapture
