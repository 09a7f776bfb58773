// The virtual camera through the library boundary, as the application drives it: listing, opening,
// streaming at the requested rate, stopping, the rig's switches, and the controls.

#include "FrameProbe.h"
#include "TestSupport.h"
#include "BookScene.h"
#include "VirtualBackend.h"
#include "VirtualCameraRig.h"
#include "VirtualScene.h"

#include <linux/videodev2.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>
#include <numeric>
#include <ostream>
#include <set>
#include <stdexcept>
#include <thread>
#include <tuple>

using namespace MediaCapture;
using vcamtest::Frame;
using vcamtest::FrameRecorder;

namespace {

// The first frame of a size waits for the scene to be drawn: slow in a debug build on a busy machine.
constexpr int kFirstFrameMs = 30000;

void sleepMs(int ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

class VirtualCapture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        VirtualCameraRig::instance().reset();
        m_capture.reset(createVirtualMediaCapture());
        m_controls = dynamic_cast<ICameraControls*>(m_capture.get());
        ASSERT_NE(m_controls, nullptr);
    }
    void TearDown() override
    {
        m_capture.reset();
        VirtualCameraRig::instance().reset();
    }

    bool open(int width, int height, int fps)
    {
        return m_capture->openDevice(VirtualCameraRig::kDevicePath, VideoFormat{width, height, fps});
    }
    void startStreaming(FrameRecorder& recorder, int width, int height, int fps)
    {
        ASSERT_TRUE(open(width, height, fps));
        ASSERT_TRUE(m_capture->startVideoCapture(recorder.callback(), recorder.eventCallback()));
        ASSERT_TRUE(recorder.waitForCount(1, kFirstFrameMs)) << "no first frame";
    }
    // Stops, then nothing may arrive any more.
    void stopAndExpectSilence(FrameRecorder& recorder)
    {
        m_capture->stopVideoCapture();
        recorder.markStopped();
        sleepMs(200);
        EXPECT_EQ(recorder.callsAfterStop(), 0);
    }

    std::unique_ptr<IMediaCapture> m_capture;
    ICameraControls* m_controls = nullptr;
};

} // namespace

TEST_F(VirtualCapture, ListsThePageCameraFirstAndOpensOnlyItsOfferedModes)
{
    const std::vector<DeviceRecord> devices = m_capture->enumDevices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].deviceName, "Lumadoc Virtual Camera");
    EXPECT_EQ(devices[0].devicePath, "virtual:lumadoc-0");
    EXPECT_EQ(devices[0].description, "Lumadoc synthetic document scene");
    EXPECT_TRUE(devices[0].vendorId.empty() && devices[0].productId.empty());
    const int expected[][3] = {{4168, 3126, 15}, {1920, 1080, 30}, {1920, 1080, 15}, {1280, 720, 30}, {640, 480, 30}};
    ASSERT_EQ(devices[0].formats.size(), 5u);
    for (size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(devices[0].formats[i].width == expected[i][0] && devices[0].formats[i].height == expected[i][1] &&
                    devices[0].formats[i].fps == expected[i][2])
            << "format " << i;

    EXPECT_FALSE(open(1280, 720, 15)) << "offered size at a rate not offered for it";
    EXPECT_FALSE(open(800, 600, 30));
    EXPECT_FALSE(m_capture->openDevice("/dev/video0", VideoFormat{1280, 720, 30}));
    FrameRecorder recorder;
    EXPECT_FALSE(m_capture->startVideoCapture(recorder.callback(), {})) << "nothing is open";
    VirtualCameraRig::instance().setRefuseOpen(true);
    EXPECT_EQ(m_capture->enumDevices().size(), 2u) << "a refusing device is still listed";
    EXPECT_FALSE(open(1280, 720, 30));
    VirtualCameraRig::instance().setRefuseOpen(false);
    ASSERT_TRUE(open(1280, 720, 30));
    EXPECT_FALSE(m_capture->startVideoCapture(FrameCallback(), {})) << "no callback to deliver to";
    EXPECT_FALSE(m_capture->isRecording());
    EXPECT_FALSE(m_capture->stopRecording());
    EXPECT_TRUE(m_capture->recordingCleanupFirst() && m_capture->recordingCleanupSecond());
}

struct StreamMode
{
    int width;
    int height;
    int fps;
};

std::ostream& operator<<(std::ostream& out, const StreamMode& mode)
{
    return out << mode.width << "x" << mode.height << "@" << mode.fps;
}

class VirtualCaptureModes : public VirtualCapture, public ::testing::WithParamInterface<StreamMode>
{
};

TEST_P(VirtualCaptureModes, DeliversFramesOfTheModeAtAboutTheRateAndNoneAfterStop)
{
    const StreamMode mode = GetParam();
    FrameRecorder recorder;
    startStreaming(recorder, mode.width, mode.height, mode.fps);
    const int before = recorder.count();
    sleepMs(1000);
    const int inOneSecond = recorder.count() - before;
    EXPECT_GE(inOneSecond, mode.fps / 2);
    EXPECT_LE(inOneSecond, mode.fps * 4 / 3);
    const Frame frame = recorder.nextFrame();
    EXPECT_EQ(frame.width, mode.width);
    EXPECT_EQ(frame.height, mode.height);
    vcamtest::saveSnapshot(frame, QStringLiteral("stream-%1x%2").arg(mode.width).arg(mode.height));

    // CLOCK_MONOTONIC microseconds, rising, typically one period apart.
    std::vector<int64_t> stamps = recorder.timestamps();
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    EXPECT_NEAR(double(stamps.back()), now.tv_sec * 1e6 + now.tv_nsec / 1e3, 1e6);
    EXPECT_TRUE(std::is_sorted(stamps.begin(), stamps.end()));
    std::adjacent_difference(stamps.begin(), stamps.end(), stamps.begin());
    std::nth_element(stamps.begin() + 1, stamps.begin() + stamps.size() / 2, stamps.end());
    EXPECT_NEAR(double(stamps[stamps.size() / 2]), 1e6 / mode.fps, 0.5e6 / mode.fps);
    stopAndExpectSilence(recorder);
}

INSTANTIATE_TEST_SUITE_P(OfferedModes, VirtualCaptureModes,
                         ::testing::Values(StreamMode{1280, 720, 30}, StreamMode{640, 480, 30},
                                           StreamMode{1920, 1080, 15}),
                         [](const ::testing::TestParamInfo<StreamMode>& info) {
                             return std::to_string(info.param.width) + "x" + std::to_string(info.param.height);
                         });

TEST_F(VirtualCapture, FullSensorModeOpensAndStreamsThoughTheApplicationHidesIt)
{
    // Copying 39 MB frames in a debug build is too slow for this test's consumer to judge the rate.
    FrameRecorder recorder;
    startStreaming(recorder, 4168, 3126, 15);
    const Frame frame = recorder.nextFrame(10000);
    stopAndExpectSilence(recorder);
    EXPECT_EQ(frame.width, 4168);
    EXPECT_EQ(frame.rgb.size(), size_t(4168) * 3126 * 3);
}

TEST_F(VirtualCapture, SecondStartKeepsTheOneStreamAndItsCallback)
{
    FrameRecorder first, second;
    startStreaming(first, 1280, 720, 30);
    EXPECT_TRUE(m_capture->startVideoCapture(second.callback(), {}));
    const int before = first.count();
    sleepMs(1000);
    EXPECT_LE(first.count() - before, 40) << "a second thread would double the rate";
    EXPECT_EQ(second.count(), 0);
    EXPECT_EQ(first.threads().size(), 1u);
    stopAndExpectSilence(first);
}

TEST_F(VirtualCapture, CloseReopenAndDestructionEndTheStream)
{
    FrameRecorder closed, reopened, destroyed;
    startStreaming(closed, 640, 480, 30);
    m_capture->closeDevice();
    closed.markStopped();
    EXPECT_TRUE(m_controls->listControls().empty());

    startStreaming(reopened, 640, 480, 30);
    ASSERT_TRUE(open(1280, 720, 30)); // another mode while streaming: the old stream ends first
    reopened.markStopped();
    ASSERT_TRUE(m_capture->startVideoCapture(destroyed.callback(), {}));
    ASSERT_TRUE(destroyed.waitForCount(1, kFirstFrameMs));
    EXPECT_EQ(destroyed.nextFrame().width, 1280);
    m_capture.reset();
    destroyed.markStopped();
    sleepMs(200);
    EXPECT_EQ(closed.callsAfterStop() + reopened.callsAfterStop() + destroyed.callsAfterStop(), 0);
}

TEST_F(VirtualCapture, StopDuringTheFirstSceneDrawingEndsQuietly)
{
    VirtualScene::clearCache(); // so that the start has to draw the large scene first
    FrameRecorder recorder;
    ASSERT_TRUE(open(4168, 3126, 15));
    ASSERT_TRUE(m_capture->startVideoCapture(recorder.callback(), recorder.eventCallback()));
    stopAndExpectSilence(recorder);
    EXPECT_TRUE(recorder.events().empty()) << "a stop is no failure";
}

TEST_F(VirtualCapture, StopOrCloseFromInsideTheCallbackEndsTheStreamWithoutDeadlock)
{
    ASSERT_TRUE(open(640, 480, 30));
    std::atomic<int> calls{0};
    ASSERT_TRUE(m_capture->startVideoCapture(
        [&](const uint8_t*, int, int, int64_t) {
            if (++calls == 3)
                m_capture->stopVideoCapture();
        },
        {}));
    ASSERT_TRUE(testsupport::waitUntil([&] { return calls.load() >= 3; }, kFirstFrameMs));
    sleepMs(300);
    EXPECT_EQ(calls.load(), 3);

    std::atomic<int> again{0};
    ASSERT_TRUE(m_capture->startVideoCapture(
        [&](const uint8_t*, int, int, int64_t) {
            if (++again == 2)
                m_capture->closeDevice();
        },
        {})) << "still open after a stop from the callback";
    ASSERT_TRUE(testsupport::waitUntil([&] { return again.load() >= 2; }, kFirstFrameMs));
    sleepMs(300);
    EXPECT_EQ(again.load(), 2);
    FrameRecorder recorder;
    EXPECT_FALSE(m_capture->startVideoCapture(recorder.callback(), {})) << "closed from the callback";
}

TEST_F(VirtualCapture, ThrowingCallbackEndsTheStreamWithAnEvent)
{
    FrameRecorder events;
    std::atomic<int> calls{0};
    ASSERT_TRUE(open(640, 480, 30));
    ASSERT_TRUE(m_capture->startVideoCapture(
        [&](const uint8_t*, int, int, int64_t) {
            ++calls;
            throw std::runtime_error("consumer broke");
        },
        events.eventCallback()));
    ASSERT_TRUE(testsupport::waitUntil([&] { return !events.events().empty(); }, kFirstFrameMs));
    sleepMs(200);
    EXPECT_EQ(calls.load(), 1);
    ASSERT_EQ(events.events().size(), 1u);
    EXPECT_EQ(events.events()[0].first, VirtualMediaCapture::kEventStreamFailed);
    EXPECT_NE(events.events()[0].second.find("consumer broke"), std::string::npos);
}

TEST_F(VirtualCapture, ForcedWidthDeliversThatWidthWithoutShearingThePage)
{
    VirtualCameraRig::instance().setForcedWidth(641);
    FrameRecorder recorder;
    startStreaming(recorder, 640, 480, 30);
    const Frame frame = recorder.nextFrame();
    stopAndExpectSilence(recorder);
    ASSERT_EQ(frame.width, 641);
    ASSERT_EQ(frame.height, 480);
    vcamtest::saveSnapshot(frame, QStringLiteral("stream-641x480"));

    // The sheet's left edge, sampled down the page, lies on one straight line with the slope of the
    // sheet's tilt. Rows of the wrong length would drift by a pixel per row.
    const vcamtest::SheetSilhouette sheet = vcamtest::findSheet(frame);
    ASSERT_GT(sheet.bounds.height(), 160);
    std::vector<QPointF> points;
    for (int y = sheet.bounds.top() + 30; y <= sheet.bounds.bottom() - 30; y += 8)
        points.emplace_back(sheet.leftEdge[y], y);
    const QPointF a = points.front(), b = points.back();
    const double slope = (b.x() - a.x()) / (b.y() - a.y());
    EXPECT_NEAR(slope, -std::tan(VirtualScene::kPageAngleDeg * std::acos(-1.0) / 180.0), 0.015);
    for (const QPointF& p : points)
        EXPECT_NEAR(p.x(), a.x() + slope * (p.y() - a.y()), 2.0) << "row " << p.y();
}

TEST_F(VirtualCapture, UnplugStopsTheStreamAndReplugNeedsAReopen)
{
    VirtualCameraRig& rig = VirtualCameraRig::instance();
    std::vector<bool> signalled;
    QObject context;
    QObject::connect(&rig, &VirtualCameraRig::pluggedChanged, &context, [&](bool on) { signalled.push_back(on); });

    FrameRecorder recorder;
    startStreaming(recorder, 1280, 720, 30);
    rig.setPlugged(false);
    rig.setPlugged(false); // no change, no signal
    EXPECT_TRUE(m_capture->enumDevices().empty());
    std::unique_ptr<IMediaCapture> other(createVirtualMediaCapture());
    EXPECT_FALSE(other->openDevice(VirtualCameraRig::kDevicePath, VideoFormat{1280, 720, 30}));
    sleepMs(200); // a frame already on its way may still arrive
    const int afterUnplug = recorder.count();
    sleepMs(400);
    EXPECT_EQ(recorder.count(), afterUnplug) << "a vanished camera delivers nothing";
    ASSERT_EQ(recorder.events().size(), 1u);
    EXPECT_EQ(recorder.events()[0].first, VirtualMediaCapture::kEventDeviceRemoved);

    rig.setPlugged(true);
    EXPECT_EQ(signalled, (std::vector<bool>{false, true}));
    EXPECT_EQ(m_capture->enumDevices().size(), 2u);
    EXPECT_FALSE(m_capture->startVideoCapture(recorder.callback(), {})) << "the old handle died with the unplug";
    FrameRecorder fresh;
    startStreaming(fresh, 1280, 720, 30);
    stopAndExpectSilence(fresh);

    // Also when the unplug came while the device was open but idle.
    rig.setPlugged(false);
    rig.setPlugged(true);
    EXPECT_FALSE(m_capture->startVideoCapture(fresh.callback(), {}));
}

TEST(VirtualCameraRig, ResetRestoresDefaultsAndForcedWidthStaysDrawable)
{
    VirtualCameraRig& rig = VirtualCameraRig::instance();
    rig.setForcedWidth(-3);
    EXPECT_EQ(rig.forcedWidth(), 0);
    rig.setForcedWidth(5);
    EXPECT_EQ(rig.forcedWidth(), VirtualCameraRig::kMinForcedWidth);
    rig.setForcedWidth(100000);
    EXPECT_EQ(rig.forcedWidth(), VirtualCameraRig::kMaxForcedWidth);
    rig.setRefuseOpen(true);
    rig.setPlugged(false);
    rig.reset();
    EXPECT_TRUE(rig.isPlugged() && !rig.refuseOpen() && rig.forcedWidth() == 0);
}

TEST_F(VirtualCapture, ControlsAreListedWhileOpenAndRefuseValuesOutOfRange)
{
    EXPECT_TRUE(m_controls->listControls().empty());
    EXPECT_FALSE(m_controls->setControl(V4L2_CID_BRIGHTNESS, 10));
    ASSERT_TRUE(open(640, 480, 30));
    std::vector<CameraControl> controls = m_controls->listControls();
    ASSERT_EQ(controls.size(), 2u);
    EXPECT_EQ(controls[0].id, uint32_t(V4L2_CID_BRIGHTNESS));
    EXPECT_EQ(std::make_tuple(controls[0].minimum, controls[0].maximum, controls[0].defaultValue, controls[0].value),
              std::make_tuple(-64, 64, 0, 0));
    EXPECT_EQ(controls[1].id, uint32_t(V4L2_CID_CONTRAST));
    EXPECT_EQ(std::make_tuple(controls[1].minimum, controls[1].maximum, controls[1].defaultValue, controls[1].value),
              std::make_tuple(0, 100, 50, 50));
    EXPECT_FALSE(m_controls->setControl(V4L2_CID_BRIGHTNESS, 65));
    EXPECT_FALSE(m_controls->setControl(V4L2_CID_CONTRAST, -1));
    EXPECT_FALSE(m_controls->setControl(V4L2_CID_SATURATION, 10));
    EXPECT_TRUE(m_controls->setControl(V4L2_CID_BRIGHTNESS, -64));
    EXPECT_TRUE(m_controls->setControl(V4L2_CID_CONTRAST, 100));
    controls = m_controls->listControls();
    EXPECT_EQ(controls[0].value, -64);
    EXPECT_EQ(controls[1].value, 100);
}

TEST_F(VirtualCapture, BrightnessAndContrastChangeTheLiveFrames)
{
    FrameRecorder recorder;
    startStreaming(recorder, 1280, 720, 30);
    const Frame neutral = recorder.nextFrame();
    ASSERT_TRUE(m_controls->setControl(V4L2_CID_BRIGHTNESS, 64));
    const Frame brighter = recorder.nextFrame();
    ASSERT_TRUE(m_controls->setControl(V4L2_CID_BRIGHTNESS, 0));
    ASSERT_TRUE(m_controls->setControl(V4L2_CID_CONTRAST, 100));
    const Frame steep = recorder.nextFrame();
    ASSERT_TRUE(m_controls->setControl(V4L2_CID_CONTRAST, 0));
    const Frame flat = recorder.nextFrame();
    stopAndExpectSilence(recorder);
    ASSERT_FALSE(neutral.empty() || brighter.empty() || steep.empty() || flat.empty());
    EXPECT_GT(brighter.meanLuma(), neutral.meanLuma() + 30);
    EXPECT_GT(steep.lumaStdDev(), neutral.lumaStdDev() * 1.3);
    EXPECT_LT(flat.lumaStdDev(), neutral.lumaStdDev() * 0.7);
}

TEST_F(VirtualCapture, StreamedFrameShowsThePageWithDecodableCodes)
{
    FrameRecorder recorder;
    startStreaming(recorder, 1280, 720, 30);
    const Frame frame = recorder.nextFrame();
    stopAndExpectSilence(recorder);
    const std::set<std::string> symbols = vcamtest::decodeSymbols(frame);
    EXPECT_EQ(symbols.count("QR-Code:https://lumadoc.example.org/virtual-camera"), 1u);
    EXPECT_EQ(symbols.count("CODE-128:LUMADOC-0001"), 1u);
    const vcamtest::SheetSilhouette sheet = vcamtest::findSheet(frame);
    EXPECT_TRUE(sheet.areaFraction > 0.25 && sheet.areaFraction < 0.70) << sheet.areaFraction;
    EXPECT_TRUE(QRect(20, 20, 1240, 680).contains(sheet.bounds));
}

// The book camera as book flattening needs it: listed after the page camera, frames at the asked size,
// two bright pages split by a gutter dark enough to keep them apart, and page edges that bow by the
// scene's curve between the outer edge and the spine.
TEST_F(VirtualCapture, BookCameraShowsTwoBowedPagesSplitByTheGutter)
{
    const std::vector<DeviceRecord> devices = m_capture->enumDevices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[1].deviceName, "Lumadoc Virtual Book Camera");
    EXPECT_EQ(devices[1].devicePath, VirtualCameraRig::kBookDevicePath);
    EXPECT_NE(devices[1].devicePath, devices[0].devicePath);

    constexpr int kBright = 150; // paper above, desk, cover and the gutter's core below
    const StreamMode modes[] = {{1280, 720, 30}, {1920, 1080, 15}};
    for (const StreamMode& mode : modes) {
        SCOPED_TRACE(::testing::Message() << mode);
        ASSERT_TRUE(m_capture->openDevice(VirtualCameraRig::kBookDevicePath,
                                          VideoFormat{mode.width, mode.height, mode.fps}));
        FrameRecorder recorder;
        ASSERT_TRUE(m_capture->startVideoCapture(recorder.callback(), recorder.eventCallback()));
        ASSERT_TRUE(recorder.waitForCount(1, kFirstFrameMs));
        const Frame frame = recorder.nextFrame(); // the stream starts at rest: no shake yet
        stopAndExpectSilence(recorder);
        ASSERT_EQ(frame.width, mode.width);
        ASSERT_EQ(frame.height, mode.height);
        vcamtest::saveSnapshot(frame, QStringLiteral("book-%1x%2").arg(mode.width).arg(mode.height));
        const std::vector<uint8_t> grey = frame.grey();
        auto luma = [&](int x, int y) { return int(grey[size_t(y) * frame.width + x]); };
        const BookGeometry g = BookScene::geometry(mode.width, mode.height);

        // Columns mostly bright over the flat page band form the pages; text leaves them mostly bright.
        std::vector<std::pair<int, int>> runs; // [first, last]
        for (int x = 0; x < frame.width; ++x) {
            int bright = 0;
            for (int y = int(g.topPx) + 2; y < int(g.bottomPx) - 2; ++y)
                bright += luma(x, y) > kBright;
            if (bright > 0.6 * (g.bottomPx - g.topPx - 4)) {
                if (runs.empty() || runs.back().second != x - 1)
                    runs.emplace_back(x, x);
                else
                    runs.back().second = x;
            }
        }
        ASSERT_EQ(runs.size(), 2u);
        EXPECT_NEAR(runs[0].first, g.leftPx, 3);
        EXPECT_NEAR(runs[1].second, g.rightPx - 1, 3);
        EXPECT_TRUE(runs[0].second < g.spinePx && runs[1].first > g.spinePx);
        // Wider than the 21-pixel closing with which the book finder smooths its mask.
        EXPECT_GT(runs[1].first - runs[0].second, 24);
        EXPECT_GT(runs[0].second - runs[0].first, 0.85 * g.pageWidthPx());

        // The top and bottom edge rows, scanned from the desk inwards, near each outer edge and where
        // the bow is largest, on both pages.
        auto topRow = [&](int x) {
            for (int y = 0; y < frame.height; ++y)
                if (luma(x, y) > kBright)
                    return y;
            return -1;
        };
        auto bottomRow = [&](int x) {
            for (int y = frame.height - 1; y >= 0; --y)
                if (luma(x, y) > kBright)
                    return y;
            return -1;
        };
        const double inset = 0.04 * g.pageWidthPx();
        const double nearSpine = 0.1 * g.pageWidthPx();
        const int columns[][2] = {{int(g.leftPx + inset), int(g.spinePx - nearSpine)},
                                  {int(g.rightPx - inset), int(g.spinePx + nearSpine)}};
        for (const auto& [outer, inner] : columns) {
            SCOPED_TRACE(::testing::Message() << "outer column " << outer << ", inner column " << inner);
            const double expectedBow = g.bowAt(inner + 0.5) - g.bowAt(outer + 0.5);
            EXPECT_GT(expectedBow, 0.04 * g.flatPageHeightPx());
            EXPECT_LT(expectedBow, 0.06 * g.flatPageHeightPx());
            EXPECT_NEAR(topRow(outer), g.topEdgeAt(outer + 0.5), 1.5);
            EXPECT_NEAR(topRow(outer) - topRow(inner), expectedBow, 2.0);
            EXPECT_NEAR(bottomRow(inner) - bottomRow(outer), expectedBow, 2.0);
        }
        m_capture->closeDevice();
    }
}
