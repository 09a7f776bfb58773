#include "FakeCamera.h"
#include "TestImages.h"
#include "V4l2Backend.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <turbojpeg.h>

using MediaCapture::V4l2MediaCapture;
using namespace testimages;

namespace {

// Waits are deadlines against a hang, never measurements.
constexpr auto kDeadline = std::chrono::seconds(10);

struct Received
{
    std::vector<uint8_t> rgb;
    int width;
    int height;
    int64_t timestampUs;
    std::thread::id thread;
};

// Collects what the backend delivers.
class Sink
{
public:
    MediaCapture::FrameCallback callback()
    {
        return [this](const uint8_t* rgb, int width, int height, int64_t timestampUs) {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_frames.push_back({std::vector<uint8_t>(rgb, rgb + size_t(width) * height * 3), width, height,
                                timestampUs, std::this_thread::get_id()});
            m_changed.notify_all();
        };
    }
    bool waitFor(size_t count)
    {
        std::unique_lock<std::mutex> lock(m_mutex);
        return m_changed.wait_for(lock, kDeadline, [&] { return m_frames.size() >= count; });
    }
    std::vector<Received> frames()
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_frames;
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::vector<Received> m_frames;
};

struct Rig
{
    Sink sink; // first in, last out: outlives the capture thread that feeds it
    std::shared_ptr<fake::Io> io = std::make_shared<fake::Io>();
    std::shared_ptr<fake::Camera> camera = std::make_shared<fake::Camera>();
    V4l2MediaCapture capture{io, std::make_shared<fake::Lister>()};

    Rig()
    {
        camera->modes = {{V4L2_PIX_FMT_YUYV, 1920, 1080, {{1, 5}}},
                         {V4L2_PIX_FMT_MJPEG, 1920, 1080, {{1, 30}}},
                         {V4L2_PIX_FMT_MJPEG, 320, 240, {{1, 30}}},
                         {V4L2_PIX_FMT_YUYV, 64, 48, {{1, 30}}},
                         {V4L2_PIX_FMT_YUYV, 1280, 800, {{1, 10}}}};
        io->add(camera, "/dev/video0");
    }
};

// Studio-range white, black, red and blue, as a camera sends them.
const std::vector<std::array<uint8_t, 4>> kColourPairs = {
    {235, 128, 235, 128}, {16, 128, 16, 128}, {81, 90, 81, 240}, {41, 240, 41, 110}};
const uint8_t kColourRgb[4][3] = {{255, 255, 255}, {0, 0, 0}, {255, 0, 0}, {0, 0, 255}};

void expectColours(const Received& frame)
{
    for (int pixel = 0; pixel < frame.width * frame.height; ++pixel) {
        const uint8_t* want = kColourRgb[(pixel / 2) % 4];
        for (int c = 0; c < 3; ++c)
            ASSERT_NEAR(frame.rgb[size_t(pixel) * 3 + c], want[c], 2) << "pixel " << pixel;
    }
}

} // namespace

TEST(Opening, ChoosesThePixelFormatThatReachesTheRate)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {1920, 1080, 30}));
    EXPECT_EQ(rig.camera->format().pixelformat, uint32_t(V4L2_PIX_FMT_MJPEG));
    EXPECT_EQ(rig.camera->requestedInterval().denominator, 30u);
    EXPECT_EQ(rig.capture.openedFormat().fps, 30);

    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {1920, 1080, 5}));
    EXPECT_EQ(rig.camera->format().pixelformat, uint32_t(V4L2_PIX_FMT_YUYV));
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    EXPECT_EQ(rig.camera->format().pixelformat, uint32_t(V4L2_PIX_FMT_YUYV));
    EXPECT_EQ(rig.io->openDescriptors(), 1); // reopening closed the previous descriptor
}

TEST(Opening, RefusalsAndFailures)
{
    Rig rig;
    EXPECT_FALSE(rig.capture.openDevice("/dev/video0", {1280, 720, 30}));  // size not offered
    EXPECT_FALSE(rig.capture.openDevice("/dev/video7", {1920, 1080, 30})); // gone
    rig.io->addOtherDevice("/dev/watchdog");
    const int opensBefore = rig.io->openCalls();
    EXPECT_FALSE(rig.capture.openDevice("/dev/watchdog", {1920, 1080, 30}));
    EXPECT_EQ(rig.io->openCalls(), opensBefore); // not even opened
    EXPECT_EQ(rig.io->openDescriptors(), 0);

    rig.camera->busy = true; // another program streams
    EXPECT_FALSE(rig.capture.openDevice("/dev/video0", {1920, 1080, 30}));
    rig.camera->busy = false;
    rig.camera->openError = EACCES;
    try {
        rig.capture.openDevice("/dev/video0", {1920, 1080, 30});
        FAIL() << "expected an exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "cannot open /dev/video0: Permission denied");
    }
    EXPECT_EQ(rig.io->openDescriptors(), 0);
    EXPECT_TRUE(rig.capture.listControls().empty());
    EXPECT_FALSE(rig.capture.startVideoCapture([](const uint8_t*, int, int, int64_t) {}, {}));
}

TEST(Streaming, YuyvFramesArriveWithSizeColoursAndTimestamps)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    rig.camera->pushFrame(yuyvFrame(64, 48, kColourPairs), 0, 5000000);
    rig.camera->pushFrame(yuyvFrame(64, 48, kColourPairs), 0, 5033333);
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.sink.waitFor(2));
    rig.capture.stopVideoCapture();

    const auto frames = rig.sink.frames();
    ASSERT_EQ(frames.size(), 2u);
    for (const Received& frame : frames) {
        EXPECT_EQ(frame.width, 64);
        EXPECT_EQ(frame.height, 48);
        EXPECT_NE(frame.thread, std::this_thread::get_id());
        expectColours(frame);
    }
    EXPECT_EQ(frames[0].timestampUs, 5000000);
    EXPECT_EQ(frames[1].timestampUs, 5033333);
    EXPECT_EQ(rig.camera->mappedBuffers(), 0);
    EXPECT_FALSE(rig.camera->streaming());
}

TEST(Streaming, MjpegFramesDecodedAndCorruptOnesSkipped)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {320, 240, 30}));
    ASSERT_EQ(rig.camera->format().pixelformat, uint32_t(V4L2_PIX_FMT_MJPEG));
    const auto picture = smoothRgb(320, 240);
    const auto jpeg = encodeJpeg(picture, 320, 240, 95, TJSAMP_422);
    std::vector<uint8_t> corrupt(jpeg.begin(), jpeg.begin() + 600);
    corrupt.resize(jpeg.size(), 0x5A);

    rig.camera->pushFrame(withoutHuffmanTables(jpeg), 0, 1000);
    rig.camera->pushFrame(corrupt, 0, 2000);
    rig.camera->pushFrame(jpeg, V4L2_BUF_FLAG_ERROR, 3000); // the driver itself says it is damaged
    rig.camera->pushFrame(jpeg, 0, 4000);
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.sink.waitFor(2));
    // Wait until the camera has handed out everything, so a wrongly delivered frame would be seen.
    while (rig.camera->framesDelivered() < 4)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    rig.capture.stopVideoCapture();

    const auto frames = rig.sink.frames();
    ASSERT_EQ(frames.size(), 2u);
    EXPECT_EQ(frames[0].timestampUs, 1000);
    EXPECT_EQ(frames[1].timestampUs, 4000);
    for (const Received& frame : frames)
        EXPECT_LT(meanAbsoluteError(frame.rgb.data(), picture.data(), picture.size()), 3.0);
}

TEST(Streaming, DriverAdjustedSizeIsWhatTheFramesReport)
{
    Rig rig;
    // The camera lists 1280x800 but streams 1280x720.
    rig.camera->adjustFormat = [](v4l2_pix_format& pix) {
        if (pix.width == 1280)
            pix.height = 720;
    };
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {1280, 800, 10}));
    EXPECT_EQ(rig.capture.openedFormat().height, 720);
    rig.camera->pushFrame(yuyvFrame(1280, 720, kColourPairs));
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.sink.waitFor(1));
    rig.capture.stopVideoCapture();
    const auto frames = rig.sink.frames();
    EXPECT_EQ(frames[0].width, 1280);
    EXPECT_EQ(frames[0].height, 720);
    expectColours(frames[0]);
}

TEST(Streaming, NoCallbackAfterStopReturns)
{
    // Declared before the rig so that they outlive its capture thread.
    std::atomic<int> calls{0};
    std::atomic<bool> inside{false};
    std::atomic<bool> stopped{false};
    std::atomic<int> lateCalls{0};
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    rig.camera->setRepeat(true); // an endless stream
    rig.camera->pushFrame(yuyvFrame(64, 48, kColourPairs));
    ASSERT_TRUE(rig.capture.startVideoCapture(
        [&](const uint8_t*, int, int, int64_t) {
            inside = true;
            if (stopped)
                ++lateCalls;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            ++calls;
            inside = false;
        },
        {}));
    // Starting again while running changes nothing.
    EXPECT_TRUE(rig.capture.startVideoCapture([](const uint8_t*, int, int, int64_t) {}, {}));
    while (calls < 5)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    rig.capture.stopVideoCapture();
    stopped = true;
    EXPECT_FALSE(inside);
    const int atStop = calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(calls, atStop);
    EXPECT_EQ(lateCalls, 0);
    EXPECT_EQ(rig.camera->streamOnCount(), 1);
    EXPECT_EQ(rig.camera->mappedBuffers(), 0);
}

TEST(Streaming, StopWakesAnIdleCaptureThread)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.io->waitUntilPolling(10000)); // the camera sends nothing

    auto stopped = std::async(std::launch::async, [&] { rig.capture.stopVideoCapture(); });
    ASSERT_EQ(stopped.wait_for(kDeadline), std::future_status::ready);
    // Woken by the stop request itself, not by a timeout or a frame.
    EXPECT_TRUE(rig.io->lastPollWokenByOther());
    EXPECT_TRUE(rig.sink.frames().empty());
    EXPECT_FALSE(rig.camera->streaming());
}

TEST(Streaming, UnplugEndsTheLoopQuietly)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    rig.camera->pushFrame(yuyvFrame(64, 48, kColourPairs));
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.sink.waitFor(1));
    EXPECT_TRUE(rig.capture.isCapturing());
    rig.camera->unplug();
    const auto deadline = std::chrono::steady_clock::now() + kDeadline;
    while (rig.capture.isCapturing() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    EXPECT_FALSE(rig.capture.isCapturing());

    // Starting again finds the camera gone: a refusal, not a crash or an exception.
    EXPECT_FALSE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    rig.capture.stopVideoCapture();
    EXPECT_TRUE(rig.capture.listControls().empty());
    rig.capture.closeDevice();
    EXPECT_EQ(rig.io->openDescriptors(), 0);
    EXPECT_EQ(rig.camera->mappedBuffers(), 0);
}

TEST(Streaming, CloseAndDestructionWhileStreamingReleaseEverything)
{
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    rig.camera->setRepeat(true);
    rig.camera->pushFrame(yuyvFrame(64, 48, kColourPairs));
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.sink.waitFor(1));
    rig.capture.closeDevice();
    EXPECT_EQ(rig.io->openDescriptors(), 0);
    EXPECT_EQ(rig.camera->mappedBuffers(), 0);
    EXPECT_FALSE(rig.capture.startVideoCapture(rig.sink.callback(), {}));

    {
        Sink second;
        V4l2MediaCapture other(rig.io, std::make_shared<fake::Lister>());
        ASSERT_TRUE(other.openDevice("/dev/video0", {64, 48, 30}));
        ASSERT_TRUE(other.startVideoCapture(second.callback(), {}));
        ASSERT_TRUE(second.waitFor(1));
    }
    EXPECT_EQ(rig.io->openDescriptors(), 0);
    EXPECT_EQ(rig.camera->mappedBuffers(), 0);
    EXPECT_FALSE(rig.camera->streaming());
}

TEST(Streaming, StopFromInsideTheCallbackDoesNotDeadlock)
{
    std::atomic<int> calls{0};
    Rig rig;
    ASSERT_TRUE(rig.capture.openDevice("/dev/video0", {64, 48, 30}));
    rig.camera->setRepeat(true);
    rig.camera->pushFrame(yuyvFrame(64, 48, kColourPairs));
    ASSERT_TRUE(rig.capture.startVideoCapture(
        [&](const uint8_t*, int, int, int64_t) {
            ++calls;
            rig.capture.stopVideoCapture();
        },
        {}));
    while (rig.camera->framesDelivered() < 1)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    auto finished = std::async(std::launch::async, [&] { rig.capture.closeDevice(); });
    ASSERT_EQ(finished.wait_for(kDeadline), std::future_status::ready);
    EXPECT_EQ(calls, 1);
}

TEST(Streaming, OtherFormatsGoThroughLibv4lconvert)
{
    Rig rig;
    auto camera = std::make_shared<fake::Camera>();
    camera->modes = {{V4L2_PIX_FMT_YUV420, 32, 16, {{1, 30}}}};
    rig.io->add(camera, "/dev/video2");
    ASSERT_TRUE(rig.capture.openDevice("/dev/video2", {32, 16, 30}));
    // Planar 4:2:0: left half grey, right half a strong blue.
    std::vector<uint8_t> frame(32 * 16 * 3 / 2);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x)
            frame[size_t(y) * 32 + size_t(x)] = x < 16 ? 128 : 60;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x) {
            frame[512 + size_t(y) * 16 + size_t(x)] = x < 8 ? 128 : 220;       // U
            frame[512 + 128 + size_t(y) * 16 + size_t(x)] = x < 8 ? 128 : 110; // V
        }
    camera->pushFrame(frame);
    ASSERT_TRUE(rig.capture.startVideoCapture(rig.sink.callback(), {}));
    ASSERT_TRUE(rig.sink.waitFor(1));
    rig.capture.stopVideoCapture();
    const Received received = rig.sink.frames()[0];
    ASSERT_EQ(received.width, 32);
    const uint8_t* grey = &received.rgb[(5 * 32 + 3) * 3];
    EXPECT_NEAR(grey[0], 128, 12);
    EXPECT_NEAR(grey[1], 128, 12);
    EXPECT_NEAR(grey[2], 128, 12);
    const uint8_t* blue = &received.rgb[(5 * 32 + 28) * 3];
    EXPECT_GT(blue[2], 200);
    EXPECT_LT(blue[0], 60);
    EXPECT_LT(blue[1], 90);
}
