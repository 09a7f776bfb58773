#pragma once
// A USB camera in software, behind the backend's system-call layer: it answers the V4L2 ioctls the
// backend makes, hands out buffers the test fills, and can be unplugged. Its descriptors are real
// eventfds, readable while a frame waits, so the backend's poll() works on them unchanged.
#include "V4l2Io.h"
#include "VideoNodeLister.h"

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <linux/videodev2.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace fake {

struct Mode
{
    uint32_t fourcc;
    uint32_t width;
    uint32_t height;
    std::vector<v4l2_fract> intervals; // {numerator, denominator}
};

struct SteppedFormat
{
    uint32_t fourcc;
    v4l2_frmsize_stepwise sizes;
    v4l2_fract fastest; // minimum interval
    v4l2_fract slowest; // maximum interval
};

struct Control
{
    uint32_t id = 0;
    uint32_t type = 0;
    std::string name;
    int32_t minimum = 0, maximum = 0, step = 1, defaultValue = 0;
    int32_t value = 0;
    uint32_t flags = 0;
    std::map<uint32_t, std::string> menu;
    // Inactive while the control `autoId` has the value `autoValue` (manual exposure under auto exposure).
    uint32_t autoId = 0;
    int32_t autoValue = 0;
};

class Camera
{
public:
    std::string card = "Doc Camera X1";
    std::string driver = "uvcvideo";
    std::string busInfo = "usb-0000:00:14.0-1";
    uint32_t deviceCaps = V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_STREAMING;
    unsigned minor = 0;
    int openError = 0; // errno for open(), 0 to succeed
    bool busy = false; // S_FMT and REQBUFS answer EBUSY
    std::vector<Mode> modes;
    std::vector<SteppedFormat> steppedFormats;
    // Lets a test play a driver that insists on another size.
    std::function<void(v4l2_pix_format&)> adjustFormat;
    std::map<uint32_t, Control> controls;
    bool extendedControlQueries = true;

    // Queued for delivery; with repeat on, the last frame is delivered again and again.
    void pushFrame(std::vector<uint8_t> bytes, uint32_t flags = 0, int64_t timestampUs = 0);
    void setRepeat(bool repeat);
    void unplug();

    // What the backend did.
    v4l2_pix_format format() const;
    v4l2_fract requestedInterval() const;
    int streamOnCount() const;
    int mappedBuffers() const;
    bool streaming() const;
    int framesDelivered() const;

private:
    friend class Io;
    struct Frame
    {
        std::vector<uint8_t> bytes;
        uint32_t flags;
        int64_t timestampUs;
    };
    int handle(int fd, unsigned long request, void* arg); // called with m_mutex held
    int queryControl(uint32_t id, v4l2_query_ext_ctrl& out) const;
    void signal(uint64_t count);
    void release(int fd);
    int dequeue(v4l2_buffer& buffer);

    mutable std::mutex m_mutex;
    bool m_unplugged = false;
    bool m_repeat = false;
    v4l2_pix_format m_format{};
    v4l2_fract m_interval{1, 30};
    v4l2_fract m_requestedInterval{0, 0};
    int m_streamFd = -1; // the descriptor that owns the buffers
    bool m_streaming = false;
    int m_streamOnCount = 0;
    std::vector<std::vector<uint8_t>> m_buffers;
    std::vector<bool> m_mapped;
    std::deque<uint32_t> m_queued;
    std::deque<Frame> m_pending;
    uint32_t m_sequence = 0;
    int m_delivered = 0;
};

class Io : public MediaCapture::v4l2::V4l2Io
{
public:
    // devnode and every link name the same camera.
    void add(std::shared_ptr<Camera> camera, const std::string& devnode,
             const std::vector<std::string>& links = {});
    // A character device that is no camera (major 10, like a watchdog).
    void addOtherDevice(const std::string& path);

    int open(const char* path, int flags) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) override;
    int munmap(void* addr, size_t length) override;
    int poll(struct pollfd* fds, nfds_t count, int timeoutMs) override;
    int stat(const char* path, struct stat* info) override;

    int openDescriptors() const;
    int openCalls() const;
    // Blocks until the capture thread sits in poll(), or the deadline passes (false).
    bool waitUntilPolling(int deadlineMs);
    // Whether the last poll() ended because a descriptor other than the camera's became readable.
    bool lastPollWokenByOther() const;

private:
    Camera* cameraOf(int fd) const;

    mutable std::mutex m_mutex;
    std::condition_variable m_polling;
    std::map<std::string, std::shared_ptr<Camera>> m_paths;
    std::map<std::string, bool> m_otherDevices;
    std::map<int, std::shared_ptr<Camera>> m_open;
    int m_openCalls = 0;
    int m_inPoll = 0;
    bool m_lastWokenByOther = false;
};

class Lister : public MediaCapture::v4l2::VideoNodeLister
{
public:
    std::vector<MediaCapture::v4l2::VideoNode> nodes;
    std::vector<MediaCapture::v4l2::VideoNode> listNodes() override { return nodes; }
};

// A UVC camera with its metadata node, as the kernel creates them, listed without a udev database.
MediaCapture::v4l2::VideoNode usbNode(const std::string& devnode, const std::string& vendor,
                                      const std::string& product, const std::string& index);

} // namespace fake
