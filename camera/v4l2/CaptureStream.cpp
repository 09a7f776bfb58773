#include "CaptureStream.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <exception>
#include <stdexcept>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace MediaCapture {
namespace v4l2 {

namespace {

// Consecutive error wake-ups without a frame before we conclude the camera has stopped for good, instead
// of spinning on a descriptor that stays in error.
constexpr int kMaxErrorWakeups = 50;

int64_t monotonicNowUs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return int64_t(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

int64_t frameTimestampUs(const v4l2_buffer& buffer)
{
    // Only a monotonic driver timestamp is on the clock the callers expect; others are replaced by the
    // time we received the frame.
    const bool monotonic = (buffer.flags & V4L2_BUF_FLAG_TIMESTAMP_MASK) == V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC;
    if (monotonic && (buffer.timestamp.tv_sec != 0 || buffer.timestamp.tv_usec != 0))
        return int64_t(buffer.timestamp.tv_sec) * 1000000 + buffer.timestamp.tv_usec;
    return monotonicNowUs();
}

} // namespace

CaptureStream::CaptureStream(std::shared_ptr<V4l2Io> io, int fd, std::string devicePath,
                             const v4l2_pix_format& format)
    : m_io(std::move(io)), m_fd(fd), m_devicePath(std::move(devicePath)), m_format(format)
{
}

CaptureStream::~CaptureStream()
{
    if (isCaptureThread()) {
        // Destroyed from its own callback: nothing can wait for the thread any more. Cannot happen through
        // V4l2MediaCapture, which only asks the thread to stop in that case.
        std::fprintf(stderr, "[V4L2] capture stream destroyed from its own thread\n");
        std::terminate();
    }
    stop();
}

bool CaptureStream::fail(Outcome outcome, const std::string& what, int error)
{
    releaseBuffers();
    const std::string text = what + " on " + m_devicePath + ": " + errnoText(error);
    if (outcome == Outcome::Failed)
        throw std::runtime_error(text);
    std::fprintf(stderr, "[V4L2] %s\n", text.c_str());
    return false;
}

bool CaptureStream::start(FrameCallback onFrame)
{
    if (m_thread.joinable())
        return true;
    m_onFrame = std::move(onFrame);
    m_stopRequested = false;
    m_loopEnded = false;

    // Busy (another program streams), gone (unplugged) and no USB bandwidth are the camera saying no.
    auto outcomeOf = [](int error) {
        return error == EBUSY || error == ENODEV || error == ENOSPC || error == ENXIO ? Outcome::Refused
                                                                                      : Outcome::Failed;
    };

    v4l2_requestbuffers request{};
    request.count = kBufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (xioctl(*m_io, m_fd, VIDIOC_REQBUFS, &request) != 0) {
        const int error = errno;
        return fail(outcomeOf(error), "cannot allocate capture buffers", error);
    }
    m_buffersRequested = true;
    if (request.count == 0)
        return fail(Outcome::Failed, "the driver granted no capture buffers", ENOMEM);

    m_buffers.reserve(request.count);
    for (uint32_t index = 0; index < request.count; ++index) {
        v4l2_buffer buffer{};
        buffer.index = index;
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (xioctl(*m_io, m_fd, VIDIOC_QUERYBUF, &buffer) != 0) {
            const int error = errno;
            return fail(outcomeOf(error), "cannot query capture buffer " + std::to_string(index), error);
        }
        void* data = m_io->mmap(nullptr, buffer.length, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd,
                                off_t(buffer.m.offset));
        if (data == MAP_FAILED) {
            const int error = errno;
            return fail(outcomeOf(error), "cannot map capture buffer " + std::to_string(index), error);
        }
        m_buffers.emplace_back(m_io, data, buffer.length);
    }
    for (uint32_t index = 0; index < m_buffers.size(); ++index) {
        v4l2_buffer buffer{};
        buffer.index = index;
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (xioctl(*m_io, m_fd, VIDIOC_QBUF, &buffer) != 0) {
            const int error = errno;
            return fail(outcomeOf(error), "cannot queue capture buffer " + std::to_string(index), error);
        }
    }

    try {
        m_converter = std::make_unique<FrameConverter>(m_format, m_io, m_fd);
    } catch (...) {
        releaseBuffers();
        throw;
    }

    const int wake = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (wake < 0) {
        const int error = errno;
        return fail(Outcome::Failed, "cannot create the capture wake-up descriptor", error);
    }
    m_wake.reset(wake);

    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (xioctl(*m_io, m_fd, VIDIOC_STREAMON, &type) != 0) {
        const int error = errno;
        return fail(outcomeOf(error), "cannot start streaming", error);
    }
    m_streamOn = true;

    try {
        m_thread = std::thread(&CaptureStream::run, this);
    } catch (const std::exception& e) {
        releaseBuffers();
        throw std::runtime_error(std::string("cannot start the capture thread: ") + e.what());
    }
    return true;
}

void CaptureStream::requestStop()
{
    m_stopRequested = true;
    if (m_wake.get() >= 0) {
        const uint64_t one = 1;
        // Only fails when the counter would overflow, which means a wake-up is pending anyway.
        [[maybe_unused]] const ssize_t written = ::write(m_wake.get(), &one, sizeof(one));
    }
}

void CaptureStream::stop()
{
    if (m_thread.joinable()) {
        requestStop();
        m_thread.join();
        m_threadId = std::thread::id();
    }
    releaseBuffers();
}

void CaptureStream::releaseBuffers()
{
    if (m_streamOn) {
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        xioctl(*m_io, m_fd, VIDIOC_STREAMOFF, &type); // fails only on an unplugged camera
        m_streamOn = false;
    }
    m_buffers.clear(); // unmaps
    if (m_buffersRequested) {
        // Frees the driver's buffers so that the format can change before the next start.
        v4l2_requestbuffers request{};
        request.count = 0;
        request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        request.memory = V4L2_MEMORY_MMAP;
        xioctl(*m_io, m_fd, VIDIOC_REQBUFS, &request);
        m_buffersRequested = false;
    }
    m_converter.reset();
    m_wake.reset();
}

void CaptureStream::run()
{
    m_threadId = std::this_thread::get_id();
    pollfd fds[2] = {};
    fds[0].fd = m_fd;
    fds[0].events = POLLIN;
    fds[1].fd = m_wake.get();
    fds[1].events = POLLIN;
    int errorWakeups = 0;

    while (!m_stopRequested.load()) {
        fds[0].revents = fds[1].revents = 0;
        // No timeout: the wake-up descriptor ends the wait, and an idle camera costs nothing.
        const int ready = m_io->poll(fds, 2, -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "[V4L2] waiting for frames from %s failed: %s\n", m_devicePath.c_str(),
                         errnoText(errno).c_str());
            break;
        }
        if (fds[1].revents != 0 || m_stopRequested.load())
            break;
        if (fds[0].revents & POLLNVAL) {
            std::fprintf(stderr, "[V4L2] %s was closed under the capture thread\n", m_devicePath.c_str());
            break;
        }
        if (fds[0].revents == 0)
            continue;

        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (xioctl(*m_io, m_fd, VIDIOC_DQBUF, &buffer) != 0) {
            const int error = errno;
            if (error == EAGAIN) {
                if ((fds[0].revents & (POLLERR | POLLHUP)) && ++errorWakeups > kMaxErrorWakeups) {
                    std::fprintf(stderr, "[V4L2] %s keeps reporting errors without frames; capture ends\n",
                                 m_devicePath.c_str());
                    break;
                }
                continue;
            }
            // The video core answers ENODEV once the camera is unplugged, vb2 EIO when its queue died.
            if (error == ENODEV || error == EIO)
                std::fprintf(stderr, "[V4L2] %s disconnected; capture ends\n", m_devicePath.c_str());
            else
                std::fprintf(stderr, "[V4L2] cannot take a frame from %s: %s; capture ends\n",
                             m_devicePath.c_str(), errnoText(error).c_str());
            break;
        }
        errorWakeups = 0;
        if (!handleBuffer(buffer))
            break;
    }
    m_loopEnded = true;
}

bool CaptureStream::handleBuffer(v4l2_buffer& buffer)
{
    if (buffer.index < m_buffers.size() && !(buffer.flags & V4L2_BUF_FLAG_ERROR)) {
        const MappedBuffer& mapped = m_buffers[buffer.index];
        const size_t used = std::min<size_t>(buffer.bytesused, mapped.length());
        auto frame = m_converter->convert(mapped.data(), used);
        if (frame && m_onFrame) {
            try {
                m_onFrame(frame->rgb, frame->width, frame->height, frameTimestampUs(buffer));
            } catch (const std::exception& e) {
                std::fprintf(stderr, "[V4L2] frame callback threw: %s\n", e.what());
            } catch (...) {
                std::fprintf(stderr, "[V4L2] frame callback threw\n");
            }
        }
    }
    // Back to the driver whatever became of the frame, or the camera runs out of buffers.
    if (xioctl(*m_io, m_fd, VIDIOC_QBUF, &buffer) != 0) {
        const int error = errno;
        if (error == ENODEV || error == EIO) {
            std::fprintf(stderr, "[V4L2] %s disconnected; capture ends\n", m_devicePath.c_str());
            return false;
        }
        // One buffer fewer; should all of them go, the error wake-ups above end the loop.
        std::fprintf(stderr, "[V4L2] cannot return a buffer to %s: %s\n", m_devicePath.c_str(),
                     errnoText(error).c_str());
    }
    return true;
}

} // namespace v4l2
} // namespace MediaCapture
