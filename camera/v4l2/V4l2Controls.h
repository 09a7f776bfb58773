#pragma once
// The camera's own picture controls, read and set on the open device node.
#include "ICameraControls.h"

#include <vector>

namespace MediaCapture {
namespace v4l2 {

class V4l2Io;

// Every enabled control of a type the property dialog can show, in the driver's order, with menu items
// and current values. Empty when the device answers nothing.
std::vector<CameraControl> queryControls(V4l2Io& io, int fd);

// VIDIOC_S_CTRL; false when the driver refuses.
bool applyControl(V4l2Io& io, int fd, uint32_t id, int32_t value);

} // namespace v4l2
} // namespace MediaCapture
