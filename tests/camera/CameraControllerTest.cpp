// The controller over a scripted library: the default size, preview state, the measured frame rate
// and the property dialog built from the camera's controls.
#include "CameraController.h"
#include "CameraPropertyDialog.h"
#include "FakeMediaCapture.h"
#include "MediaCaptureWrapper.h"

#include <QCheckBox>
#include <QSignalSpy>
#include <QSlider>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include <thread>

using fake::LibraryState;

namespace {

CameraDeviceInfo deviceWith(std::initializer_list<CameraResolution> resolutions)
{
    CameraDeviceInfo d;
    d.name = "cam";
    d.path = "/dev/cam";
    d.resolutions = resolutions;
    return d;
}

class ControllerTest : public ::testing::Test {
protected:
    std::unique_ptr<CameraController> makeController()
    {
        return std::make_unique<CameraController>(nullptr, new MediaCaptureWrapper(nullptr, fake::factoryFor(m_state)));
    }
    std::shared_ptr<LibraryState> m_state = std::make_shared<LibraryState>();
};

}  // namespace

TEST(CameraDefaultResolution, PrefersHdThenVgaThenTheLargest)
{
    QSize size;
    int fps = 0;
    ASSERT_TRUE(CameraController::chooseDefaultResolution(
        deviceWith({{640, 480, {30}}, {1280, 720, {15, 30}}, {1920, 1080, {30}}}), &size, &fps));
    EXPECT_EQ(size, QSize(1280, 720));
    EXPECT_EQ(fps, 15);  // the entry's first rate

    ASSERT_TRUE(CameraController::chooseDefaultResolution(deviceWith({{320, 240, {30}}, {640, 480, {25}}}), &size, &fps));
    EXPECT_EQ(size, QSize(640, 480));
    EXPECT_EQ(fps, 25);

    // Neither: the largest area, the first of equal ones; no rate means 30.
    ASSERT_TRUE(CameraController::chooseDefaultResolution(
        deviceWith({{800, 600, {20}}, {1600, 1200, {}}, {1200, 1600, {10}}}), &size, &fps));
    EXPECT_EQ(size, QSize(1600, 1200));
    EXPECT_EQ(fps, 30);

    size = QSize(1, 1);
    EXPECT_FALSE(CameraController::chooseDefaultResolution(deviceWith({}), &size, &fps));
    EXPECT_EQ(size, QSize(1, 1));
}

TEST_F(ControllerTest, OpensAtTheDefaultSizeAndPreviewsOnlyWhenOpen)
{
    m_state->devices = {fake::device("cam", "/dev/cam", {{1920, 1080, 30}, {1280, 720, 30}, {640, 480, 30}})};
    auto controller = makeController();
    QSignalSpy errors(controller.get(), &CameraController::errorOccurred);
    EXPECT_FALSE(controller->startPreview());
    EXPECT_EQ(errors.last().first().toString(), QString::fromUtf8("设备未打开"));

    ASSERT_TRUE(controller->initialize());
    ASSERT_EQ(controller->deviceList().size(), 1);
    QSignalSpy opened(controller.get(), &CameraController::deviceOpened);
    ASSERT_TRUE(controller->openDevice(controller->deviceList().first()));
    EXPECT_EQ(m_state->openedFormat.width, 1280);
    EXPECT_EQ(m_state->openedFormat.height, 720);
    EXPECT_EQ(controller->currentResolution(), QSize(1280, 720));
    EXPECT_EQ(controller->currentDeviceName(), "cam");
    EXPECT_EQ(opened.size(), 1);

    QSignalSpy started(controller.get(), &CameraController::previewStarted);
    ASSERT_TRUE(controller->startPreview());
    EXPECT_TRUE(controller->isPreviewing());
    EXPECT_EQ(started.size(), 1);
    QSignalSpy stopped(controller.get(), &CameraController::previewStopped);
    controller->stopPreview();
    EXPECT_FALSE(controller->isPreviewing());
    EXPECT_EQ(stopped.size(), 1);
    controller->closeDevice();
    EXPECT_FALSE(controller->isDeviceOpen());
    EXPECT_TRUE(controller->currentDeviceName().isEmpty());
    // Recording needs a running preview.
    EXPECT_FALSE(controller->startRecording("/tmp/x.mp4"));
    EXPECT_FALSE(controller->stopRecording());
}

TEST_F(ControllerTest, MeasuresTheDeliveredFrameRate)
{
    m_state->devices = {fake::device("cam", "/dev/cam", {{64, 48, 30}})};
    auto controller = makeController();
    ASSERT_TRUE(controller->initialize());
    ASSERT_TRUE(controller->openDevice(controller->deviceList().first()));
    ASSERT_TRUE(controller->startPreview());
    QSignalSpy rate(controller.get(), &CameraController::fpsChanged);
    QSignalSpy frames(controller.get(), &CameraController::videoFrameReceived);

    // A library delivering 50 frames a second, one at a time as the main thread takes them.
    std::vector<uint8_t> frame(64 * 48 * 3, 100);
    std::atomic<bool> run{true};
    std::thread camera([&] {
        while (run) {
            m_state->callback(frame.data(), 64, 48, 0);
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    });
    const bool measured = rate.wait(3000);
    run = false;
    camera.join();
    ASSERT_TRUE(measured);
    // Frames per elapsed second, give or take a loaded machine.
    EXPECT_GE(rate.first().first().toInt(), 25);
    EXPECT_LE(rate.first().first().toInt(), 52);
    EXPECT_EQ(controller->currentFps(), rate.first().first().toInt());
    EXPECT_FALSE(controller->currentFrame().isNull());
}

TEST_F(ControllerTest, PropertyDialogAppliesControlsLive)
{
    m_state->devices = {fake::device("cam", "/dev/cam", {{64, 48, 30}})};
    auto controller = makeController();
    EXPECT_FALSE(controller->showPropertyPage(nullptr));  // nothing open

    ASSERT_TRUE(controller->initialize());
    ASSERT_TRUE(controller->openDevice(controller->deviceList().first()));
    int shown = 0;
    controller->setDialogRunner([&](QDialog& dialog) {
        ++shown;
        EXPECT_EQ(dialog.windowTitle(), "cam");
        auto* brightness = dialog.findChild<QWidget*>("cameraControl_9963776");
        auto* autoWhite = dialog.findChild<QCheckBox*>("cameraControl_9963788");
        auto* temperature = dialog.findChild<QWidget*>("cameraControl_9963802");
        EXPECT_TRUE(brightness && autoWhite && temperature);
        if (!brightness || !autoWhite || !temperature)
            return 0;
        brightness->findChild<QSlider*>()->setValue(40);
        EXPECT_EQ(m_state->controlValues[9963776], 40);
        EXPECT_EQ(brightness->findChild<QSpinBox*>()->value(), 40);
        // Manual temperature unlocks when automatic white balance goes off.
        EXPECT_FALSE(temperature->isEnabled());
        autoWhite->setChecked(false);
        EXPECT_TRUE(temperature->isEnabled());
        temperature->findChild<QSpinBox*>()->setValue(3000);
        EXPECT_EQ(m_state->controlValues[9963802], 3000);
        // Back to the camera's defaults, and the dialog shows them.
        static_cast<CameraPropertyDialog&>(dialog).restoreDefaults();
        EXPECT_EQ(m_state->controlValues[9963776], 0);
        EXPECT_EQ(brightness->findChild<QSlider*>()->value(), 0);
        return 0;
    });
    EXPECT_TRUE(controller->showPropertyPage(nullptr));
    EXPECT_EQ(shown, 1);
}
