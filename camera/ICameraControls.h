#pragma once
// Picture controls of the open camera (brightness, exposure, focus, ...), for the property dialog.
// Backends implement it next to IMediaCapture; callers reach it with dynamic_cast so that the
// library boundary itself stays unchanged.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace MediaCapture {

struct CameraControl {
    enum class Type { Integer, Boolean, Menu, Button };

    uint32_t id = 0;  // V4L2 control id (V4L2_CID_*) for every backend, so the ids mean the same everywhere
    std::string name;
    Type type = Type::Integer;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t step = 1;
    int32_t defaultValue = 0;
    int32_t value = 0;
    std::vector<std::pair<int32_t, std::string>> menuItems;  // Menu only: (value, label)
    // Present but not adjustable right now, e.g. manual exposure while automatic exposure is on.
    bool inactive = false;
};

class ICameraControls {
public:
    virtual ~ICameraControls() = default;
    // Empty when no device is open.
    virtual std::vector<CameraControl> listControls() = 0;
    // Applies at once, on a streaming device too. False when the device refuses the value.
    virtual bool setControl(uint32_t id, int32_t value) = 0;
};

}  // namespace MediaCapture
