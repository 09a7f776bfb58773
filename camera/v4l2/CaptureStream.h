#pragma once
// One streaming session on an open, configured device: the mmap'ed buffers, the capture thread and the
// converter. Created by startVideoCapture, destroyed by stopVideoCapture.
#include "FrameConverter.h"
#include "IMediaCapture.h"
#include "V4l2Io.h"

#include <atomic>
#include <linux/videodev2.h>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace MediaCapture {
namespace v4l2 {

class CaptureStream
{
public:
    static constexpr uint32_t kBufferCount = 4;

    CaptureStream(std::shared_ptr<V4l2Io> io, int fd, std::string devicePath, const v4l2_pix_format& format);
    ~CaptureStream();
    CaptureStream(const CaptureStream&) = delete;
    CaptureStream& operator=(const CaptureStream&) = delete;

    // Buffers, STREAMON, then the thread. False when the camera refuses (busy, gone, not enough USB
    // bandwidth); throws std::runtime_error on unexpected failures. Leaves nothing behind on failure.
    bool start(FrameCallback onFrame);
    // Wakes the thread, waits for it, STREAMOFF, releases the buffers. No callback runs after it returns.
    void stop();
    // From inside a frame callback the thread cannot wait for itself: this only asks it to end.
    void requestStop();
    bool isCaptureThread() const { return std::this_thread::get_id() == m_threadId.load(); }
    // False once the loop has ended on its own (camera unplugged).
    bool isRunning() const { return m_thread.joinable() && !m_loopEnded.load(); }

private:
    enum class Outcome
    {
        Refused,
        Failed
    };
    bool fail(Outcome outcome, const std::string& what, int error);
    void releaseBuffers();
    void run();
    // false: the device is gone and the loop must end.
    bool handleBuffer(v4l2_buffer& buffer);

    std::shared_ptr<V4l2Io> m_io;
    int m_fd = -1;
    std::string m_devicePath;
    v4l2_pix_format m_format{};
    std::unique_ptr<FrameConverter> m_converter;
    std::vector<MappedBuffer> m_buffers;
    bool m_buffersRequested = false;
    bool m_streamOn = false;
    UniqueFd m_wake;
    FrameCallback m_onFrame;
    std::thread m_thread;
    // Set by the thread itself before its first callback, so that a callback calling back into us can
    // recognise its own thread even while start() is still assigning m_thread.
    std::atomic<std::thread::id> m_threadId{};
    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_loopEnded{false};
};

} // namespace v4l2
} // namespace MediaCapture
