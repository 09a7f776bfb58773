#include "FakeCamera.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <cstring>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace fake {

namespace {

constexpr off_t kOffsetStep = 1 << 20;

void copyText(uint8_t* into, size_t capacity, const std::string& text)
{
    std::strncpy(reinterpret_cast<char*>(into), text.c_str(), capacity - 1);
}

bool formatIsCompressed(uint32_t fourcc)
{
    return fourcc == V4L2_PIX_FMT_MJPEG || fourcc == V4L2_PIX_FMT_JPEG;
}

int fail(int error)
{
    errno = error;
    return -1;
}

void fillSizes(v4l2_pix_format& pix)
{
    switch (pix.pixelformat) {
    case V4L2_PIX_FMT_YUYV:
        pix.bytesperline = pix.width * 2;
        pix.sizeimage = pix.width * pix.height * 2;
        break;
    case V4L2_PIX_FMT_YUV420:
        pix.bytesperline = pix.width;
        pix.sizeimage = pix.width * pix.height * 3 / 2;
        break;
    default: // compressed: room for a generous frame
        pix.bytesperline = 0;
        pix.sizeimage = pix.width * pix.height * 2 + 4096;
        break;
    }
    pix.field = V4L2_FIELD_NONE;
    pix.colorspace = V4L2_COLORSPACE_SRGB;
}

} // namespace

void Camera::pushFrame(std::vector<uint8_t> bytes, uint32_t flags, int64_t timestampUs)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_pending.push_back({std::move(bytes), flags, timestampUs});
    if (m_streaming)
        signal(1);
}

void Camera::setRepeat(bool repeat)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_repeat = repeat;
}

void Camera::unplug()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_unplugged = true;
    signal(1);
}

v4l2_pix_format Camera::format() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_format;
}

v4l2_fract Camera::requestedInterval() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_requestedInterval;
}

int Camera::streamOnCount() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_streamOnCount;
}

int Camera::mappedBuffers() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(std::count(m_mapped.begin(), m_mapped.end(), true));
}

bool Camera::streaming() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_streaming;
}

int Camera::framesDelivered() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_delivered;
}

void Camera::signal(uint64_t count)
{
    if (m_streamFd >= 0 && count > 0) [[maybe_unused]]
        ssize_t written = ::write(m_streamFd, &count, sizeof(count));
}

void Camera::release(int fd)
{
    if (fd != m_streamFd)
        return;
    m_streaming = false;
    m_queued.clear();
    m_streamFd = -1;
    // Like the kernel, buffers still mapped stay alive until unmapped.
    if (std::none_of(m_mapped.begin(), m_mapped.end(), [](bool mapped) { return mapped; })) {
        m_buffers.clear();
        m_mapped.clear();
    }
}

int Camera::queryControl(uint32_t id, v4l2_query_ext_ctrl& out) const
{
    const uint32_t bare = id & ~(V4L2_CTRL_FLAG_NEXT_CTRL | V4L2_CTRL_FLAG_NEXT_COMPOUND);
    auto it = (id & V4L2_CTRL_FLAG_NEXT_CTRL) ? controls.upper_bound(bare) : controls.find(bare);
    if (it == controls.end())
        return fail(EINVAL);
    const Control& control = it->second;
    out = {};
    out.id = control.id;
    out.type = control.type;
    std::strncpy(out.name, control.name.c_str(), sizeof(out.name) - 1);
    out.minimum = control.minimum;
    out.maximum = control.maximum;
    out.step = uint64_t(control.step);
    out.default_value = control.defaultValue;
    out.flags = control.flags;
    if (control.autoId != 0) {
        auto master = controls.find(control.autoId);
        if (master != controls.end() && master->second.value == control.autoValue)
            out.flags |= V4L2_CTRL_FLAG_INACTIVE;
    }
    return 0;
}

int Camera::dequeue(v4l2_buffer& buffer)
{
    if (!m_streaming)
        return fail(EINVAL);
    if (m_pending.empty() || m_queued.empty())
        return fail(EAGAIN);
    const uint32_t index = m_queued.front();
    m_queued.pop_front();
    const Frame& frame = m_pending.front();
    std::vector<uint8_t>& storage = m_buffers[index];
    const size_t used = std::min(storage.size(), frame.bytes.size());
    std::memcpy(storage.data(), frame.bytes.data(), used);
    buffer.index = index;
    buffer.bytesused = uint32_t(used);
    buffer.length = uint32_t(storage.size());
    buffer.flags = V4L2_BUF_FLAG_DONE | V4L2_BUF_FLAG_TIMESTAMP_MONOTONIC | frame.flags;
    buffer.timestamp.tv_sec = frame.timestampUs / 1000000;
    buffer.timestamp.tv_usec = frame.timestampUs % 1000000;
    buffer.sequence = m_sequence++;
    buffer.field = V4L2_FIELD_NONE;
    ++m_delivered;
    if (!(m_repeat && m_pending.size() == 1)) {
        m_pending.pop_front();
        uint64_t count;
        [[maybe_unused]] ssize_t got = ::read(m_streamFd, &count, sizeof(count));
    }
    return 0;
}

int Camera::handle(int fd, unsigned long request, void* arg)
{
    if (m_unplugged)
        return fail(ENODEV);
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto& caps = *static_cast<v4l2_capability*>(arg);
        caps = {};
        copyText(caps.driver, sizeof(caps.driver), driver);
        copyText(caps.card, sizeof(caps.card), card);
        copyText(caps.bus_info, sizeof(caps.bus_info), busInfo);
        // The whole device can do both; only device_caps tells the node's own role.
        caps.capabilities =
            V4L2_CAP_VIDEO_CAPTURE | V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING | V4L2_CAP_DEVICE_CAPS;
        caps.device_caps = deviceCaps;
        return 0;
    }
    case VIDIOC_ENUM_FMT: {
        auto& desc = *static_cast<v4l2_fmtdesc*>(arg);
        std::vector<uint32_t> fourccs;
        for (const Mode& mode : modes)
            if (std::find(fourccs.begin(), fourccs.end(), mode.fourcc) == fourccs.end())
                fourccs.push_back(mode.fourcc);
        for (const SteppedFormat& stepped : steppedFormats)
            fourccs.push_back(stepped.fourcc);
        if (desc.type != V4L2_BUF_TYPE_VIDEO_CAPTURE || desc.index >= fourccs.size())
            return fail(EINVAL);
        desc.pixelformat = fourccs[desc.index];
        desc.flags = formatIsCompressed(desc.pixelformat) ? V4L2_FMT_FLAG_COMPRESSED : 0;
        return 0;
    }
    case VIDIOC_ENUM_FRAMESIZES: {
        auto& size = *static_cast<v4l2_frmsizeenum*>(arg);
        for (const SteppedFormat& stepped : steppedFormats) {
            if (stepped.fourcc == size.pixel_format) {
                if (size.index != 0)
                    return fail(EINVAL);
                size.type = V4L2_FRMSIZE_TYPE_STEPWISE;
                size.stepwise = stepped.sizes;
                return 0;
            }
        }
        std::vector<std::pair<uint32_t, uint32_t>> sizes;
        for (const Mode& mode : modes)
            if (mode.fourcc == size.pixel_format)
                sizes.emplace_back(mode.width, mode.height);
        if (size.index >= sizes.size())
            return fail(EINVAL);
        size.type = V4L2_FRMSIZE_TYPE_DISCRETE;
        size.discrete.width = sizes[size.index].first;
        size.discrete.height = sizes[size.index].second;
        return 0;
    }
    case VIDIOC_ENUM_FRAMEINTERVALS: {
        auto& interval = *static_cast<v4l2_frmivalenum*>(arg);
        for (const SteppedFormat& stepped : steppedFormats) {
            if (stepped.fourcc == interval.pixel_format) {
                if (interval.index != 0)
                    return fail(EINVAL);
                interval.type = V4L2_FRMIVAL_TYPE_CONTINUOUS;
                interval.stepwise.min = stepped.fastest;
                interval.stepwise.max = stepped.slowest;
                interval.stepwise.step = {1, 1};
                return 0;
            }
        }
        for (const Mode& mode : modes) {
            if (mode.fourcc == interval.pixel_format && mode.width == interval.width &&
                mode.height == interval.height) {
                if (interval.index >= mode.intervals.size())
                    return fail(EINVAL);
                interval.type = V4L2_FRMIVAL_TYPE_DISCRETE;
                interval.discrete = mode.intervals[interval.index];
                return 0;
            }
        }
        return fail(EINVAL);
    }
    case VIDIOC_G_FMT: {
        auto& format = *static_cast<v4l2_format*>(arg);
        format.fmt.pix = m_format;
        return 0;
    }
    case VIDIOC_TRY_FMT:
    case VIDIOC_S_FMT: {
        auto& format = *static_cast<v4l2_format*>(arg);
        if (request == VIDIOC_S_FMT && (busy || (m_streamFd >= 0 && m_streamFd != fd) || !m_buffers.empty()))
            return fail(EBUSY);
        v4l2_pix_format& pix = format.fmt.pix;
        const Mode* match = nullptr;
        const Mode* firstOfFormat = nullptr;
        for (const Mode& mode : modes) {
            if (mode.fourcc != pix.pixelformat)
                continue;
            if (!firstOfFormat)
                firstOfFormat = &mode;
            if (mode.width == pix.width && mode.height == pix.height)
                match = &mode;
        }
        if (!match && firstOfFormat)
            match = firstOfFormat; // drivers substitute a size they have
        if (!match && !modes.empty() && steppedFormats.empty())
            match = &modes.front(); // and a format they have
        if (match) {
            pix.pixelformat = match->fourcc;
            pix.width = match->width;
            pix.height = match->height;
        }
        if (adjustFormat)
            adjustFormat(pix);
        fillSizes(pix);
        if (request == VIDIOC_S_FMT)
            m_format = pix;
        return 0;
    }
    case VIDIOC_G_PARM:
    case VIDIOC_S_PARM: {
        auto& parm = *static_cast<v4l2_streamparm*>(arg);
        if (request == VIDIOC_S_PARM) {
            m_requestedInterval = parm.parm.capture.timeperframe;
            // Settle on the offered interval nearest to the asked one, as UVC does.
            const double wanted = double(m_requestedInterval.numerator) / m_requestedInterval.denominator;
            double best = 1e9;
            for (const Mode& mode : modes) {
                if (mode.fourcc != m_format.pixelformat || mode.width != m_format.width ||
                    mode.height != m_format.height)
                    continue;
                for (const v4l2_fract& offered : mode.intervals) {
                    const double distance =
                        std::fabs(double(offered.numerator) / offered.denominator - wanted);
                    if (distance < best) {
                        best = distance;
                        m_interval = offered;
                    }
                }
            }
            if (best == 1e9)
                m_interval = m_requestedInterval;
        }
        parm.parm.capture.capability = V4L2_CAP_TIMEPERFRAME;
        parm.parm.capture.timeperframe = m_interval;
        return 0;
    }
    case VIDIOC_REQBUFS: {
        auto& buffers = *static_cast<v4l2_requestbuffers*>(arg);
        if (buffers.memory != V4L2_MEMORY_MMAP)
            return fail(EINVAL);
        if (std::find(m_mapped.begin(), m_mapped.end(), true) != m_mapped.end() || m_streaming)
            return fail(EBUSY); // vb2 refuses to free buffers that are still mapped
        if (buffers.count == 0) {
            m_buffers.clear();
            m_mapped.clear();
            m_queued.clear();
            m_streamFd = -1;
            return 0;
        }
        if (busy || (m_streamFd >= 0 && m_streamFd != fd))
            return fail(EBUSY);
        buffers.count = std::min<uint32_t>(buffers.count, 8);
        m_buffers.assign(buffers.count, std::vector<uint8_t>(m_format.sizeimage));
        m_mapped.assign(buffers.count, false);
        m_queued.clear();
        m_streamFd = fd;
        return 0;
    }
    case VIDIOC_QUERYBUF: {
        auto& buffer = *static_cast<v4l2_buffer*>(arg);
        if (buffer.index >= m_buffers.size())
            return fail(EINVAL);
        buffer.length = uint32_t(m_buffers[buffer.index].size());
        buffer.m.offset = uint32_t(buffer.index * kOffsetStep);
        return 0;
    }
    case VIDIOC_QBUF: {
        auto& buffer = *static_cast<v4l2_buffer*>(arg);
        if (buffer.index >= m_buffers.size() ||
            std::find(m_queued.begin(), m_queued.end(), buffer.index) != m_queued.end())
            return fail(EINVAL);
        m_queued.push_back(buffer.index);
        return 0;
    }
    case VIDIOC_DQBUF:
        return dequeue(*static_cast<v4l2_buffer*>(arg));
    case VIDIOC_STREAMON:
        if (fd != m_streamFd || m_buffers.empty())
            return fail(EINVAL);
        if (!m_streaming) {
            m_streaming = true;
            ++m_streamOnCount;
            signal(m_pending.size());
        }
        return 0;
    case VIDIOC_STREAMOFF: {
        if (fd != m_streamFd)
            return fail(EINVAL);
        m_streaming = false;
        m_queued.clear();
        uint64_t count;
        while (::read(m_streamFd, &count, sizeof(count)) > 0) {
        }
        return 0;
    }
    case VIDIOC_QUERY_EXT_CTRL: {
        if (!extendedControlQueries)
            return fail(ENOTTY);
        auto& query = *static_cast<v4l2_query_ext_ctrl*>(arg);
        return queryControl(query.id, query);
    }
    case VIDIOC_QUERYCTRL: {
        auto& query = *static_cast<v4l2_queryctrl*>(arg);
        v4l2_query_ext_ctrl extended{};
        if (queryControl(query.id, extended) != 0)
            return -1;
        query = {};
        query.id = extended.id;
        query.type = extended.type;
        std::memcpy(query.name, extended.name, sizeof(query.name));
        query.minimum = int32_t(extended.minimum);
        query.maximum = int32_t(extended.maximum);
        query.step = int32_t(extended.step);
        query.default_value = int32_t(extended.default_value);
        query.flags = extended.flags;
        return 0;
    }
    case VIDIOC_QUERYMENU: {
        auto& item = *static_cast<v4l2_querymenu*>(arg);
        auto control = controls.find(item.id);
        if (control == controls.end())
            return fail(EINVAL);
        auto entry = control->second.menu.find(item.index);
        if (entry == control->second.menu.end())
            return fail(EINVAL);
        if (control->second.type == V4L2_CTRL_TYPE_INTEGER_MENU)
            item.value = std::stoll(entry->second);
        else
            copyText(item.name, sizeof(item.name), entry->second);
        return 0;
    }
    case VIDIOC_G_CTRL: {
        auto& control = *static_cast<v4l2_control*>(arg);
        auto it = controls.find(control.id);
        if (it == controls.end())
            return fail(EINVAL);
        control.value = it->second.value;
        return 0;
    }
    case VIDIOC_S_CTRL: {
        auto& control = *static_cast<v4l2_control*>(arg);
        auto it = controls.find(control.id);
        if (it == controls.end())
            return fail(EINVAL);
        if (it->second.flags & V4L2_CTRL_FLAG_READ_ONLY)
            return fail(EACCES);
        if (control.value < it->second.minimum || control.value > it->second.maximum)
            return fail(ERANGE);
        if (it->second.type == V4L2_CTRL_TYPE_MENU && !it->second.menu.count(uint32_t(control.value)))
            return fail(EINVAL);
        it->second.value = control.value;
        return 0;
    }
    default:
        return fail(ENOTTY);
    }
}

void Io::add(std::shared_ptr<Camera> camera, const std::string& devnode,
             const std::vector<std::string>& links)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_paths[devnode] = camera;
    for (const std::string& link : links)
        m_paths[link] = camera;
}

void Io::addOtherDevice(const std::string& path)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_otherDevices[path] = true;
}

int Io::open(const char* path, int flags)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    ++m_openCalls;
    auto it = m_paths.find(path);
    if (it == m_paths.end())
        return fail(ENOENT);
    if (it->second->openError != 0)
        return fail(it->second->openError);
    const int fd = eventfd(0, EFD_SEMAPHORE | EFD_NONBLOCK | EFD_CLOEXEC);
    if (fd < 0)
        return -1;
    m_open[fd] = it->second;
    return fd;
}

int Io::close(int fd)
{
    std::shared_ptr<Camera> camera;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        auto it = m_open.find(fd);
        if (it == m_open.end())
            return fail(EBADF);
        camera = it->second;
        m_open.erase(it);
    }
    {
        std::lock_guard<std::mutex> lock(camera->m_mutex);
        camera->release(fd);
    }
    return ::close(fd);
}

Camera* Io::cameraOf(int fd) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    auto it = m_open.find(fd);
    return it == m_open.end() ? nullptr : it->second.get();
}

int Io::ioctl(int fd, unsigned long request, void* arg)
{
    Camera* camera = cameraOf(fd);
    if (!camera)
        return fail(EBADF);
    std::lock_guard<std::mutex> lock(camera->m_mutex);
    return camera->handle(fd, request, arg);
}

void* Io::mmap(void*, size_t length, int, int, int fd, off_t offset)
{
    Camera* camera = cameraOf(fd);
    if (!camera) {
        errno = EBADF;
        return MAP_FAILED;
    }
    std::lock_guard<std::mutex> lock(camera->m_mutex);
    const size_t index = size_t(offset / kOffsetStep);
    if (fd != camera->m_streamFd || index >= camera->m_buffers.size() || camera->m_mapped[index] ||
        length > camera->m_buffers[index].size()) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    camera->m_mapped[index] = true;
    return camera->m_buffers[index].data();
}

int Io::munmap(void* addr, size_t)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto& entry : m_paths) {
        Camera& camera = *entry.second;
        std::lock_guard<std::mutex> cameraLock(camera.m_mutex);
        for (size_t i = 0; i < camera.m_buffers.size(); ++i) {
            if (camera.m_mapped[i] && camera.m_buffers[i].data() == addr) {
                camera.m_mapped[i] = false;
                return 0;
            }
        }
    }
    return fail(EINVAL);
}

int Io::poll(struct pollfd* fds, nfds_t count, int timeoutMs)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        ++m_inPoll;
    }
    m_polling.notify_all();
    const int result = ::poll(fds, count, timeoutMs);
    const int error = errno;
    std::lock_guard<std::mutex> lock(m_mutex);
    --m_inPoll;
    m_lastWokenByOther = false;
    for (nfds_t i = 0; i < count; ++i)
        if (!m_open.count(fds[i].fd) && fds[i].revents != 0)
            m_lastWokenByOther = true;
    errno = error;
    return result;
}

int Io::stat(const char* path, struct stat* info)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    *info = {};
    if (m_otherDevices.count(path)) {
        info->st_mode = S_IFCHR | 0600;
        info->st_rdev = makedev(10, 130);
        return 0;
    }
    auto it = m_paths.find(path);
    if (it == m_paths.end())
        return fail(ENOENT);
    info->st_mode = S_IFCHR | 0660;
    info->st_rdev = makedev(81, it->second->minor);
    return 0;
}

int Io::openDescriptors() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return int(m_open.size());
}

int Io::openCalls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_openCalls;
}

bool Io::waitUntilPolling(int deadlineMs)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_polling.wait_for(lock, std::chrono::milliseconds(deadlineMs), [this] { return m_inPoll > 0; });
}

bool Io::lastPollWokenByOther() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_lastWokenByOther;
}

MediaCapture::v4l2::VideoNode usbNode(const std::string& devnode, const std::string& vendor,
                                      const std::string& product, const std::string& index)
{
    MediaCapture::v4l2::VideoNode node;
    node.devnode = devnode;
    node.sysname = devnode.substr(devnode.rfind('/') + 1);
    node.attributes["name"] = "Doc Camera X1: Doc Camera X1";
    node.attributes["index"] = index;
    node.usbAttributes["idVendor"] = vendor;
    node.usbAttributes["idProduct"] = product;
    return node;
}

} // namespace fake
