#include "V4l2Io.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace MediaCapture {
namespace v4l2 {

int SystemV4l2Io::open(const char* path, int flags)
{
    return ::open(path, flags);
}

int SystemV4l2Io::close(int fd)
{
    return ::close(fd);
}

int SystemV4l2Io::ioctl(int fd, unsigned long request, void* arg)
{
    return ::ioctl(fd, request, arg);
}

void* SystemV4l2Io::mmap(void* addr, size_t length, int prot, int flags, int fd, off_t offset)
{
    return ::mmap(addr, length, prot, flags, fd, offset);
}

int SystemV4l2Io::munmap(void* addr, size_t length)
{
    return ::munmap(addr, length);
}

int SystemV4l2Io::poll(struct pollfd* fds, nfds_t count, int timeoutMs)
{
    return ::poll(fds, count, timeoutMs);
}

int SystemV4l2Io::stat(const char* path, struct stat* info)
{
    return ::stat(path, info);
}

int xioctl(V4l2Io& io, int fd, unsigned long request, void* arg)
{
    int result;
    do {
        result = io.ioctl(fd, request, arg);
    } while (result == -1 && errno == EINTR);
    return result;
}

std::string errnoText(int error)
{
    char buffer[256];
    // The GNU variant may return a static string instead of filling the buffer.
    const char* text = strerror_r(error, buffer, sizeof(buffer));
    return text ? std::string(text) : std::string("error ") + std::to_string(error);
}

DeviceFd& DeviceFd::operator=(DeviceFd&& other) noexcept
{
    if (this != &other) {
        reset();
        m_io = std::move(other.m_io);
        m_fd = other.m_fd;
        other.m_fd = -1;
    }
    return *this;
}

void DeviceFd::reset()
{
    if (m_fd >= 0 && m_io)
        m_io->close(m_fd);
    m_fd = -1;
}

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept
{
    if (this != &other) {
        reset(other.m_fd);
        other.m_fd = -1;
    }
    return *this;
}

void UniqueFd::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

MappedBuffer::~MappedBuffer()
{
    if (m_data && m_io)
        m_io->munmap(m_data, m_length);
}

MappedBuffer::MappedBuffer(MappedBuffer&& other) noexcept
    : m_io(std::move(other.m_io)), m_data(other.m_data), m_length(other.m_length)
{
    other.m_data = nullptr;
    other.m_length = 0;
}

} // namespace v4l2
} // namespace MediaCapture
