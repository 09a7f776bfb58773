#include "V4l2Backend.h"

#include "CaptureModes.h"
#include "CaptureStream.h"
#include "DevicePaths.h"
#include "V4l2Controls.h"
#include "VideoNodeLister.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace MediaCapture {

using namespace v4l2;

namespace {

// Every video4linux node has this character-device major. Checking it keeps openDevice from opening
// whatever else a caller might pass (a watchdog, a tty), where the open alone can have effects.
constexpr unsigned kVideoMajor = 81;
constexpr int kOpenFlags = O_RDWR | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;

// Errors that mean "this camera is not available right now", as opposed to a fault worth an exception.
bool isUnavailable(int error)
{
    return error == ENOENT || error == ENODEV || error == ENXIO || error == EBUSY;
}

std::string fixedText(const uint8_t* text, size_t capacity)
{
    return std::string(reinterpret_cast<const char*>(text),
                       strnlen(reinterpret_cast<const char*>(text), capacity));
}

std::string valueOf(const std::map<std::string, std::string>& map, const char* key)
{
    auto it = map.find(key);
    return it == map.end() ? std::string() : it->second;
}

std::string trimmed(std::string text)
{
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

std::string friendlyName(const v4l2_capability& caps, const VideoNode& node)
{
    for (std::string name :
         {fixedText(caps.card, sizeof(caps.card)), valueOf(node.properties, "ID_V4L_PRODUCT"),
          valueOf(node.attributes, "name"), valueOf(node.usbAttributes, "product")}) {
        name = trimmed(name);
        if (!name.empty())
            return name;
    }
    return node.devnode;
}

uint32_t deviceCapabilities(const v4l2_capability& caps)
{
    // `capabilities` describes the whole physical device; a UVC camera's metadata node shares it with the
    // capture node and only device_caps tells them apart.
    return (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
}

bool canStream(const v4l2_capability& caps)
{
    const uint32_t own = deviceCapabilities(caps);
    return (own & V4L2_CAP_VIDEO_CAPTURE) && (own & V4L2_CAP_STREAMING);
}

void logLine(const std::string& text)
{
    std::fprintf(stderr, "[V4L2] %s\n", text.c_str());
}

} // namespace

IMediaCapture* createV4l2MediaCapture()
{
    return new V4l2MediaCapture();
}

V4l2MediaCapture::V4l2MediaCapture(std::shared_ptr<V4l2Io> io, std::shared_ptr<VideoNodeLister> lister)
    : m_io(io ? std::move(io) : std::make_shared<SystemV4l2Io>()),
      m_lister(lister ? std::move(lister) : std::make_shared<UdevVideoNodeLister>())
{
}

V4l2MediaCapture::~V4l2MediaCapture()
{
    closeDevice();
}

std::vector<DeviceRecord> V4l2MediaCapture::enumDevices()
{
    const std::vector<VideoNode> nodes = m_lister->listNodes();
    std::vector<DeviceRecord> records;
    std::vector<PathCandidate> candidates;
    int firstError = 0;
    std::string firstErrorPath;

    for (const VideoNode& node : nodes) {
        const int fd = m_io->open(node.devnode.c_str(), kOpenFlags);
        if (fd < 0) {
            const int error = errno;
            logLine("cannot open " + node.devnode + ": " + errnoText(error));
            if (!isUnavailable(error) && firstError == 0) {
                firstError = error;
                firstErrorPath = node.devnode;
            }
            continue;
        }
        DeviceFd device(m_io, fd);
        v4l2_capability caps{};
        if (xioctl(*m_io, fd, VIDIOC_QUERYCAP, &caps) != 0 || !canStream(caps))
            continue; // metadata nodes, output devices, radios
        const std::vector<OfferedMode> modes = queryOfferedModes(*m_io, fd);
        DeviceRecord record;
        record.formats = listedFormats(modes);
        if (record.formats.empty()) {
            logLine(node.devnode + " offers no picture format we can show");
            continue;
        }
        record.symbolicName = node.devnode;
        record.deviceName = friendlyName(caps, node);
        record.description = fixedText(caps.driver, sizeof(caps.driver)) + " " +
                             fixedText(caps.bus_info, sizeof(caps.bus_info));
        record.vendorId = usbVendorId(node);
        record.productId = usbProductId(node);
        records.push_back(std::move(record));
        candidates.push_back({node.devnode, usbIdentity(node), node.byIdLinks, node.byPathLinks});
    }

    const std::vector<std::string> paths = chooseDevicePaths(candidates);
    for (size_t i = 0; i < records.size(); ++i)
        records[i].devicePath = paths[i];

    // Nothing listed because we may not open the nodes (typically: the user is not in the video group):
    // say so, rather than show an empty list without a reason.
    if (records.empty() && firstError != 0)
        throw std::runtime_error("cannot open " + firstErrorPath + ": " + errnoText(firstError));
    return records;
}

bool V4l2MediaCapture::openDevice(const std::string& devicePath, const VideoFormat& format)
{
    closeDevice();

    struct stat info = {};
    if (m_io->stat(devicePath.c_str(), &info) != 0) {
        const int error = errno;
        if (isUnavailable(error) || error == ENOTDIR) {
            logLine("cannot open " + devicePath + ": " + errnoText(error));
            return false;
        }
        throw std::runtime_error("cannot open " + devicePath + ": " + errnoText(error));
    }
    if (!S_ISCHR(info.st_mode) || major(info.st_rdev) != kVideoMajor) {
        logLine(devicePath + " is not a video4linux device");
        return false;
    }

    const int fd = m_io->open(devicePath.c_str(), kOpenFlags);
    if (fd < 0) {
        const int error = errno;
        if (isUnavailable(error)) {
            logLine("cannot open " + devicePath + ": " + errnoText(error));
            return false;
        }
        throw std::runtime_error("cannot open " + devicePath + ": " + errnoText(error));
    }
    DeviceFd device(m_io, fd);

    v4l2_capability caps{};
    if (xioctl(*m_io, fd, VIDIOC_QUERYCAP, &caps) != 0) {
        const int error = errno;
        if (isUnavailable(error) || error == ENOTTY || error == EINVAL) {
            logLine("cannot query " + devicePath + ": " + errnoText(error));
            return false;
        }
        throw std::runtime_error("cannot query " + devicePath + ": " + errnoText(error));
    }
    if (!canStream(caps)) {
        logLine(devicePath + " is not a streaming capture device");
        return false;
    }

    const std::optional<OfferedMode> mode = chooseCaptureMode(queryOfferedModes(*m_io, fd), format);
    if (!mode) {
        logLine(devicePath + " does not offer " + std::to_string(format.width) + "x" +
                std::to_string(format.height));
        return false;
    }

    v4l2_format wanted{};
    wanted.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    wanted.fmt.pix.width = uint32_t(mode->width);
    wanted.fmt.pix.height = uint32_t(mode->height);
    wanted.fmt.pix.pixelformat = mode->fourcc;
    wanted.fmt.pix.field = V4L2_FIELD_ANY;
    if (xioctl(*m_io, fd, VIDIOC_S_FMT, &wanted) != 0) {
        const int error = errno;
        if (isUnavailable(error) || error == EINVAL) {
            logLine("cannot set the format of " + devicePath + ": " + errnoText(error));
            return false;
        }
        throw std::runtime_error("cannot set the format of " + devicePath + ": " + errnoText(error));
    }
    const v4l2_pix_format& settled = wanted.fmt.pix;
    if (formatFamily(settled.pixelformat) == FormatFamily::Unsupported || settled.width == 0 ||
        settled.height == 0) {
        logLine(devicePath + " switched to a pixel format we cannot convert");
        return false;
    }
    if (int32_t(settled.width) != mode->width || int32_t(settled.height) != mode->height) {
        logLine(devicePath + " delivers " + std::to_string(settled.width) + "x" +
                std::to_string(settled.height) + " instead of " + std::to_string(mode->width) + "x" +
                std::to_string(mode->height));
    }

    int32_t fps = mode->fps;
    v4l2_streamparm parm{};
    parm.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    parm.parm.capture.timeperframe.numerator = mode->intervalNumerator ? mode->intervalNumerator : 1;
    parm.parm.capture.timeperframe.denominator =
        mode->intervalNumerator ? mode->intervalDenominator : uint32_t(mode->fps);
    if (xioctl(*m_io, fd, VIDIOC_S_PARM, &parm) == 0) {
        // The driver answers with the interval it really runs at.
        const int32_t actual = fpsFromInterval(parm.parm.capture.timeperframe.numerator,
                                               parm.parm.capture.timeperframe.denominator);
        if (actual > 0)
            fps = actual;
    } else {
        // Not every driver lets the rate be chosen; the camera then runs at its own.
        logLine("cannot set the frame rate of " + devicePath + ": " + errnoText(errno));
    }

    m_device = std::move(device);
    m_devicePath = devicePath;
    m_pixFormat = settled;
    m_fps = fps;
    return true;
}

bool V4l2MediaCapture::startVideoCapture(FrameCallback onFrame, EventCallback /*onEvent*/)
{
    if (!m_device.isOpen())
        return false;
    if (m_stream) {
        if (m_stream->isRunning())
            return true;
        // The loop ended on its own (unplugged camera): clean up and try again, which tells the caller
        // whether the camera is back.
        m_stream.reset();
    }
    // In place before the thread starts: its first callback may already call stopVideoCapture.
    m_stream = std::make_unique<CaptureStream>(m_io, m_device.get(), m_devicePath, m_pixFormat);
    bool started = false;
    try {
        started = m_stream->start(std::move(onFrame));
    } catch (...) {
        m_stream.reset();
        throw;
    }
    if (!started)
        m_stream.reset();
    return started;
}

void V4l2MediaCapture::stopVideoCapture()
{
    if (!m_stream)
        return;
    if (m_stream->isCaptureThread()) {
        // Called from a frame callback: the thread cannot wait for itself. It ends after this callback;
        // the next call from the owning thread (stop, close, start) finishes the job.
        m_stream->requestStop();
        return;
    }
    m_stream.reset();
}

void V4l2MediaCapture::closeDevice()
{
    if (m_stream && m_stream->isCaptureThread()) {
        m_stream->requestStop();
        return; // see stopVideoCapture; the device stays open until the owner closes it
    }
    m_stream.reset();
    m_device.reset();
    m_devicePath.clear();
    m_pixFormat = {};
    m_fps = 0;
}

std::vector<CameraControl> V4l2MediaCapture::listControls()
{
    if (!m_device.isOpen())
        return {};
    return queryControls(*m_io, m_device.get());
}

bool V4l2MediaCapture::setControl(uint32_t id, int32_t value)
{
    if (!m_device.isOpen())
        return false;
    return applyControl(*m_io, m_device.get(), id, value);
}

bool V4l2MediaCapture::isCapturing() const
{
    return m_stream && m_stream->isRunning();
}

VideoFormat V4l2MediaCapture::openedFormat() const
{
    VideoFormat format;
    if (m_device.isOpen()) {
        format.width = int32_t(m_pixFormat.width);
        format.height = int32_t(m_pixFormat.height);
        format.fps = m_fps;
    }
    return format;
}

uint32_t V4l2MediaCapture::openedPixelFormat() const
{
    return m_device.isOpen() ? m_pixFormat.pixelformat : 0;
}

} // namespace MediaCapture
