#include "FakeCamera.h"
#include "TestImages.h"
#include "V4l2Backend.h"

#include <gtest/gtest.h>

#include <thread>

using MediaCapture::CameraControl;
using MediaCapture::V4l2MediaCapture;

namespace {

fake::Control make(uint32_t id, uint32_t type, const char* name, int32_t minimum, int32_t maximum,
                   int32_t step, int32_t defaultValue, int32_t value, uint32_t flags = 0)
{
    fake::Control control;
    control.id = id;
    control.type = type;
    control.name = name;
    control.minimum = minimum;
    control.maximum = maximum;
    control.step = step;
    control.defaultValue = defaultValue;
    control.value = value;
    control.flags = flags;
    return control;
}

// The controls of a typical UVC document camera, plus what the dialog must not show.
std::map<uint32_t, fake::Control> cameraControls()
{
    std::map<uint32_t, fake::Control> controls;
    auto add = [&](fake::Control control) { controls[control.id] = control; };
    add(make(V4L2_CID_USER_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "User Controls", 0, 0, 0, 0, 0,
             V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_WRITE_ONLY));
    add(make(V4L2_CID_BRIGHTNESS, V4L2_CTRL_TYPE_INTEGER, "Brightness", -64, 64, 1, 0, 12));
    add(make(V4L2_CID_CONTRAST, V4L2_CTRL_TYPE_INTEGER, "Contrast", 0, 95, 1, 32, 32));
    add(make(V4L2_CID_SATURATION, V4L2_CTRL_TYPE_INTEGER, "Saturation", 0, 100, 1, 64, 64,
             V4L2_CTRL_FLAG_DISABLED));
    add(make(V4L2_CID_AUTO_WHITE_BALANCE, V4L2_CTRL_TYPE_BOOLEAN, "White Balance, Automatic", 0, 1, 1, 1, 1));
    fake::Control temperature = make(V4L2_CID_WHITE_BALANCE_TEMPERATURE, V4L2_CTRL_TYPE_INTEGER,
                                     "White Balance Temperature", 2800, 6500, 10, 4600, 4600);
    temperature.autoId = V4L2_CID_AUTO_WHITE_BALANCE;
    temperature.autoValue = 1;
    add(temperature);
    fake::Control powerLine =
        make(V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CTRL_TYPE_MENU, "Power Line Frequency", 0, 2, 1, 1, 2);
    powerLine.menu = {{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}};
    add(powerLine);
    add(make(V4L2_CID_CAMERA_CLASS, V4L2_CTRL_TYPE_CTRL_CLASS, "Camera Controls", 0, 0, 0, 0, 0,
             V4L2_CTRL_FLAG_READ_ONLY | V4L2_CTRL_FLAG_WRITE_ONLY));
    // UVC offers manual (1) and aperture priority (3) only: a menu with holes.
    fake::Control exposureAuto =
        make(V4L2_CID_EXPOSURE_AUTO, V4L2_CTRL_TYPE_MENU, "Auto Exposure", 0, 3, 1, 3, 3);
    exposureAuto.menu = {{1, "Manual Mode"}, {3, "Aperture Priority Mode"}};
    add(exposureAuto);
    fake::Control exposure = make(V4L2_CID_EXPOSURE_ABSOLUTE, V4L2_CTRL_TYPE_INTEGER,
                                  "Exposure Time, Absolute", 3, 2047, 1, 250, 156);
    exposure.autoId = V4L2_CID_EXPOSURE_AUTO;
    exposure.autoValue = 3;
    add(exposure);
    add(make(V4L2_CID_FOCUS_AUTO, V4L2_CTRL_TYPE_BOOLEAN, "Focus, Automatic Continuous", 0, 1, 1, 1, 0));
    add(make(V4L2_CID_ZOOM_ABSOLUTE, V4L2_CTRL_TYPE_INTEGER, "Zoom, Absolute", 100, 500, 1, 100, 100,
             V4L2_CTRL_FLAG_READ_ONLY));
    add(make(V4L2_CID_PAN_SPEED, V4L2_CTRL_TYPE_STRING, "Pan Speed", 0, 16, 1, 0, 0));
    return controls;
}

struct Rig
{
    std::shared_ptr<fake::Io> io = std::make_shared<fake::Io>();
    std::shared_ptr<fake::Camera> camera = std::make_shared<fake::Camera>();
    V4l2MediaCapture capture{io, std::make_shared<fake::Lister>()};

    Rig()
    {
        camera->modes = {{V4L2_PIX_FMT_YUYV, 64, 48, {{1, 30}}}};
        camera->controls = cameraControls();
        io->add(camera, "/dev/video0");
    }
    const CameraControl* find(const std::vector<CameraControl>& controls, uint32_t id)
    {
        for (const CameraControl& control : controls)
            if (control.id == id)
                return &control;
        return nullptr;
    }
};

void expectTypicalList(Rig& rig, const std::vector<CameraControl>& controls)
{
    std::vector<uint32_t> ids;
    for (const CameraControl& control : controls)
        ids.push_back(control.id);
    // Class headers, the disabled saturation and the string control are left out.
    EXPECT_EQ(ids, (std::vector<uint32_t>{V4L2_CID_BRIGHTNESS, V4L2_CID_CONTRAST, V4L2_CID_AUTO_WHITE_BALANCE,
                                          V4L2_CID_POWER_LINE_FREQUENCY, V4L2_CID_WHITE_BALANCE_TEMPERATURE,
                                          V4L2_CID_EXPOSURE_AUTO, V4L2_CID_EXPOSURE_ABSOLUTE,
                                          V4L2_CID_FOCUS_AUTO, V4L2_CID_ZOOM_ABSOLUTE}));

    const CameraControl* brightness = rig.find(controls, V4L2_CID_BRIGHTNESS);
    ASSERT_TRUE(brightness);
    EXPECT_EQ(brightness->name, "Brightness");
    EXPECT_EQ(brightness->type, CameraControl::Type::Integer);
    EXPECT_EQ(brightness->minimum, -64);
    EXPECT_EQ(brightness->maximum, 64);
    EXPECT_EQ(brightness->defaultValue, 0);
    EXPECT_EQ(brightness->value, 12); // the current value, not the default
    EXPECT_FALSE(brightness->inactive);

    EXPECT_EQ(rig.find(controls, V4L2_CID_AUTO_WHITE_BALANCE)->type, CameraControl::Type::Boolean);
    EXPECT_TRUE(rig.find(controls, V4L2_CID_WHITE_BALANCE_TEMPERATURE)->inactive);
    EXPECT_TRUE(rig.find(controls, V4L2_CID_EXPOSURE_ABSOLUTE)->inactive);
    EXPECT_EQ(rig.find(controls, V4L2_CID_EXPOSURE_ABSOLUTE)->value, 156);
    EXPECT_TRUE(rig.find(controls, V4L2_CID_ZOOM_ABSOLUTE)->inactive); // read-only
    EXPECT_FALSE(rig.find(controls, V4L2_CID_FOCUS_AUTO)->inactive);

    const CameraControl* exposureAuto = rig.find(controls, V4L2_CID_EXPOSURE_AUTO);
    EXPECT_EQ(exposureAuto->type, CameraControl::Type::Menu);
    using Items = std::vector<std::pair<int32_t, std::string>>;
    EXPECT_EQ(exposureAuto->menuItems, (Items{{1, "Manual Mode"}, {3, "Aperture Priority Mode"}}));
    const CameraControl* powerLine = rig.find(controls, V4L2_CID_POWER_LINE_FREQUENCY);
    EXPECT_EQ(powerLine->menuItems, (Items{{0, "Disabled"}, {1, "50 Hz"}, {2, "60 Hz"}}));
    EXPECT_EQ(powerLine->value, 2);
}

} // namespace

TEST(Controls, ListedWithTypesRangesMenusAndState)
{
    Rig rig;
    EXPECT_TRUE(rig.capture.listControls().empty()); // nothing open yet
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    expectTypicalList(rig, rig.capture.listControls());
}

TEST(Controls, OlderDriversWithoutExtendedQueriesListTheSame)
{
    Rig rig;
    rig.camera->extendedControlQueries = false;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    expectTypicalList(rig, rig.capture.listControls());
}

TEST(Controls, SetWhileStreamingAndDependentControlsFollow)
{
    Rig rig;
    EXPECT_FALSE(rig.capture.setControl(V4L2_CID_BRIGHTNESS, 5)); // nothing open
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    rig.camera->setRepeat(true);
    rig.camera->pushFrame(testimages::yuyvFrame(64, 48, {{128, 128, 128, 128}}));
    ASSERT_TRUE(rig.capture.startVideoCapture([](const uint8_t*, int, int, int64_t) {}, {}));
    while (rig.camera->framesDelivered() < 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));

    EXPECT_TRUE(rig.capture.setControl(V4L2_CID_BRIGHTNESS, -20));
    EXPECT_FALSE(rig.capture.setControl(V4L2_CID_BRIGHTNESS, 65));     // out of range
    EXPECT_FALSE(rig.capture.setControl(V4L2_CID_EXPOSURE_AUTO, 0));   // a hole in the menu
    EXPECT_FALSE(rig.capture.setControl(V4L2_CID_ZOOM_ABSOLUTE, 200)); // read-only
    EXPECT_FALSE(rig.capture.setControl(0x00981fff, 1));               // no such control
    EXPECT_TRUE(rig.capture.setControl(V4L2_CID_AUTO_WHITE_BALANCE, 0));
    EXPECT_TRUE(rig.capture.setControl(V4L2_CID_EXPOSURE_AUTO, 1));

    const auto controls = rig.capture.listControls();
    EXPECT_EQ(rig.find(controls, V4L2_CID_BRIGHTNESS)->value, -20);
    EXPECT_FALSE(rig.find(controls, V4L2_CID_WHITE_BALANCE_TEMPERATURE)->inactive);
    EXPECT_FALSE(rig.find(controls, V4L2_CID_EXPOSURE_ABSOLUTE)->inactive);
    EXPECT_TRUE(rig.camera->streaming());
    rig.capture.closeDevice();
    EXPECT_TRUE(rig.capture.listControls().empty());
}

TEST(Recording, TheCameraHasNoRecorderOfItsOwn)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    EXPECT_FALSE(rig.capture.isRecording());
    EXPECT_FALSE(rig.capture.stopRecording());
    EXPECT_TRUE(rig.capture.recordingCleanupFirst());
    EXPECT_TRUE(rig.capture.recordingCleanupSecond());
}
