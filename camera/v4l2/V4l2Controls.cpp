#include "V4l2Controls.h"

#include "V4l2Io.h"

#include <algorithm>
#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <linux/videodev2.h>
#include <string>

namespace MediaCapture {
namespace v4l2 {

namespace {

constexpr int kMaxControls = 512;
constexpr int64_t kMaxMenuItems = 64;

// Only the fields we use, from either query ioctl.
struct ControlQuery
{
    uint32_t id = 0;
    uint32_t type = 0;
    std::string name;
    int64_t minimum = 0;
    int64_t maximum = 0;
    uint64_t step = 1;
    int64_t defaultValue = 0;
    uint32_t flags = 0;
};

int32_t clampTo32(int64_t value)
{
    return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
}

std::string fixedText(const char* text, size_t capacity)
{
    return std::string(text, strnlen(text, capacity));
}

// The next control after `previousId` (0 for the first), through VIDIOC_QUERY_EXT_CTRL, or the older
// VIDIOC_QUERYCTRL for drivers without it. False at the end of the list.
bool nextControl(V4l2Io& io, int fd, uint32_t previousId, bool& useExtended, ControlQuery& out)
{
    if (useExtended) {
        v4l2_query_ext_ctrl query{};
        query.id = previousId | V4L2_CTRL_FLAG_NEXT_CTRL;
        if (xioctl(io, fd, VIDIOC_QUERY_EXT_CTRL, &query) == 0) {
            out.id = query.id;
            out.type = query.type;
            out.name = fixedText(query.name, sizeof(query.name));
            out.minimum = query.minimum;
            out.maximum = query.maximum;
            out.step = query.step;
            out.defaultValue = query.default_value;
            out.flags = query.flags;
            return true;
        }
        if (errno != ENOTTY || previousId != 0)
            return false;
        useExtended = false;
    }
    v4l2_queryctrl query{};
    query.id = previousId | V4L2_CTRL_FLAG_NEXT_CTRL;
    if (xioctl(io, fd, VIDIOC_QUERYCTRL, &query) != 0)
        return false;
    out.id = query.id;
    out.type = query.type;
    out.name = fixedText(reinterpret_cast<const char*>(query.name), sizeof(query.name));
    out.minimum = query.minimum;
    out.maximum = query.maximum;
    out.step = uint64_t(std::max(query.step, 1));
    out.defaultValue = query.default_value;
    out.flags = query.flags;
    return true;
}

void readMenu(V4l2Io& io, int fd, const ControlQuery& query, CameraControl& control)
{
    if (query.minimum < 0 || query.maximum < query.minimum)
        return;
    const int64_t last = std::min(query.maximum, query.minimum + kMaxMenuItems - 1);
    for (int64_t index = query.minimum; index <= last; ++index) {
        v4l2_querymenu item{};
        item.id = query.id;
        item.index = uint32_t(index);
        if (xioctl(io, fd, VIDIOC_QUERYMENU, &item) != 0)
            continue; // menus may have holes
        std::string label;
        if (query.type == V4L2_CTRL_TYPE_INTEGER_MENU)
            label = std::to_string(item.value);
        else
            label = fixedText(reinterpret_cast<const char*>(item.name), sizeof(item.name));
        control.menuItems.emplace_back(int32_t(index), label);
    }
}

} // namespace

std::vector<CameraControl> queryControls(V4l2Io& io, int fd)
{
    std::vector<CameraControl> controls;
    if (fd < 0)
        return controls;
    bool useExtended = true;
    uint32_t previousId = 0;
    ControlQuery query;
    for (int guard = 0; guard < kMaxControls && nextControl(io, fd, previousId, useExtended, query);
         ++guard) {
        if (query.id <= previousId)
            break; // a driver that does not advance would loop forever
        previousId = query.id;
        if (query.flags & V4L2_CTRL_FLAG_DISABLED)
            continue;

        CameraControl control;
        switch (query.type) {
        case V4L2_CTRL_TYPE_INTEGER:
            control.type = CameraControl::Type::Integer;
            break;
        case V4L2_CTRL_TYPE_BOOLEAN:
            control.type = CameraControl::Type::Boolean;
            break;
        case V4L2_CTRL_TYPE_MENU:
        case V4L2_CTRL_TYPE_INTEGER_MENU:
            control.type = CameraControl::Type::Menu;
            break;
        case V4L2_CTRL_TYPE_BUTTON:
            control.type = CameraControl::Type::Button;
            break;
        default:
            continue; // class headers, strings, 64-bit and compound controls: nothing a slider can show
        }
        control.id = query.id;
        control.name = query.name;
        control.minimum = clampTo32(query.minimum);
        control.maximum = clampTo32(query.maximum);
        control.step = clampTo32(int64_t(std::min<uint64_t>(std::max<uint64_t>(query.step, 1), INT32_MAX)));
        control.defaultValue = clampTo32(query.defaultValue);
        control.value = control.defaultValue;
        // Read-only controls cannot be adjusted either, now or later.
        control.inactive = (query.flags & (V4L2_CTRL_FLAG_INACTIVE | V4L2_CTRL_FLAG_READ_ONLY)) != 0;
        if (control.type == CameraControl::Type::Menu)
            readMenu(io, fd, query, control);
        if (control.type != CameraControl::Type::Button && !(query.flags & V4L2_CTRL_FLAG_WRITE_ONLY)) {
            v4l2_control current{};
            current.id = query.id;
            if (xioctl(io, fd, VIDIOC_G_CTRL, &current) == 0)
                control.value = current.value;
        }
        controls.push_back(std::move(control));
    }
    return controls;
}

bool applyControl(V4l2Io& io, int fd, uint32_t id, int32_t value)
{
    if (fd < 0)
        return false;
    v4l2_control control{};
    control.id = id;
    control.value = value;
    if (xioctl(io, fd, VIDIOC_S_CTRL, &control) == 0)
        return true;
    std::fprintf(stderr, "[V4L2] control 0x%08" PRIx32 " refused value %" PRId32 ": %s\n", id, value,
                 errnoText(errno).c_str());
    return false;
}

} // namespace v4l2
} // namespace MediaCapture
