#pragma once
// The handful of system calls the backend makes on a camera node. Everything that touches the device goes
// through here, so that the tests can put a fake camera behind it; the real implementation forwards to
// the kernel. Every call follows the C convention: -1 (or MAP_FAILED) with errno set on failure.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

namespace MediaCapture {
namespace v4l2 {

class V4l2Io
{
public:
    virtual ~V4l2Io() = default;

    virtual int open(const char* path, int flags) = 0;
    virtual int close(int fd) = 0;
    virtual int ioctl(int fd, unsigned long request, void* arg) = 0;
    virtual void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) = 0;
    virtual int munmap(void* addr, size_t length) = 0;
    virtual int poll(struct pollfd* fds, nfds_t count, int timeoutMs) = 0;
    // Follows symlinks, like stat(2): the stable /dev/v4l links are symlinks to the node.
    virtual int stat(const char* path, struct stat* info) = 0;
};

// The kernel itself.
class SystemV4l2Io : public V4l2Io
{
public:
    int open(const char* path, int flags) override;
    int close(int fd) override;
    int ioctl(int fd, unsigned long request, void* arg) override;
    void* mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset) override;
    int munmap(void* addr, size_t length) override;
    int poll(struct pollfd* fds, nfds_t count, int timeoutMs) override;
    int stat(const char* path, struct stat* info) override;
};

// ioctl that retries when a signal interrupts it, as every V4L2 program must.
int xioctl(V4l2Io& io, int fd, unsigned long request, void* arg);

// errno as text, thread-safe.
std::string errnoText(int error);

// An open device node, closed through the same layer that opened it.
class DeviceFd
{
public:
    DeviceFd() = default;
    DeviceFd(std::shared_ptr<V4l2Io> io, int fd) : m_io(std::move(io)), m_fd(fd) {}
    ~DeviceFd() { reset(); }
    DeviceFd(DeviceFd&& other) noexcept : m_io(std::move(other.m_io)), m_fd(other.m_fd) { other.m_fd = -1; }
    DeviceFd& operator=(DeviceFd&& other) noexcept;
    DeviceFd(const DeviceFd&) = delete;
    DeviceFd& operator=(const DeviceFd&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    void reset();

private:
    std::shared_ptr<V4l2Io> m_io;
    int m_fd = -1;
};

// A plain descriptor of our own (the wake-up eventfd), closed with close(2).
class UniqueFd
{
public:
    UniqueFd() = default;
    explicit UniqueFd(int fd) : m_fd(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : m_fd(other.m_fd) { other.m_fd = -1; }
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;

    int get() const { return m_fd; }
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// One mmap'ed capture buffer, unmapped through the layer that mapped it.
class MappedBuffer
{
public:
    MappedBuffer(std::shared_ptr<V4l2Io> io, void* data, size_t length)
        : m_io(std::move(io)), m_data(data), m_length(length)
    {
    }
    ~MappedBuffer();
    MappedBuffer(MappedBuffer&& other) noexcept;
    MappedBuffer& operator=(MappedBuffer&&) = delete;
    MappedBuffer(const MappedBuffer&) = delete;
    MappedBuffer& operator=(const MappedBuffer&) = delete;

    const uint8_t* data() const { return static_cast<const uint8_t*>(m_data); }
    size_t length() const { return m_length; }

private:
    std::shared_ptr<V4l2Io> m_io;
    void* m_data = nullptr;
    size_t m_length = 0;
};

} // namespace v4l2
} // namespace MediaCapture
