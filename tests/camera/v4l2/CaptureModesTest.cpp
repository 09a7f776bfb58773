#include "CaptureModes.h"
#include "FakeCamera.h"

#include <gtest/gtest.h>

using MediaCapture::VideoFormat;
using namespace MediaCapture::v4l2;

namespace {

constexpr uint32_t kMjpeg = V4L2_PIX_FMT_MJPEG;
constexpr uint32_t kYuyv = V4L2_PIX_FMT_YUYV;

OfferedMode mode(uint32_t fourcc, int32_t width, int32_t height, int32_t fps)
{
    return {fourcc, width, height, fps, 1, uint32_t(fps)};
}

bool operator==(const VideoFormat& a, const VideoFormat& b)
{
    return a.width == b.width && a.height == b.height && a.fps == b.fps;
}

} // namespace

TEST(FrameRates, RoundedToWholeFramesPerSecond)
{
    EXPECT_EQ(fpsFromInterval(1001, 30000), 30); // 29.97
    EXPECT_EQ(fpsFromInterval(1001, 60000), 60); // 59.94
    EXPECT_EQ(fpsFromInterval(1, 15), 15);
    EXPECT_EQ(fpsFromInterval(2, 15), 8);             // 7.5 rounds up
    EXPECT_EQ(fpsFromInterval(333333, 10000000), 30); // 100 ns units, as some drivers report
    EXPECT_EQ(fpsFromInterval(10, 1), 1);             // one frame in ten seconds still counts as a rate
    EXPECT_EQ(fpsFromInterval(0, 30), 0);
    EXPECT_EQ(fpsFromInterval(1, 0), 0);
}

TEST(ModeChoice, LargeSizesPreferMjpegWhenItReachesTheRate)
{
    const std::vector<OfferedMode> offered = {mode(kYuyv, 1920, 1080, 5), mode(kMjpeg, 1920, 1080, 30)};
    auto chosen = chooseCaptureMode(offered, {1920, 1080, 30});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, kMjpeg);
    EXPECT_EQ(chosen->fps, 30);

    // Only YUYV offers 5 fps at that size.
    chosen = chooseCaptureMode(offered, {1920, 1080, 5});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, kYuyv);

    // Both reach the rate: MJPEG above 640x480, also when only one side is larger.
    chosen = chooseCaptureMode({mode(kYuyv, 800, 480, 10), mode(kMjpeg, 800, 480, 10)}, {800, 480, 10});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, kMjpeg);
}

TEST(ModeChoice, SmallSizesPreferYuyvWhenItReachesTheRate)
{
    const std::vector<OfferedMode> offered = {mode(kMjpeg, 640, 480, 30), mode(kYuyv, 640, 480, 30),
                                              mode(kYuyv, 640, 480, 15), mode(kMjpeg, 320, 240, 60),
                                              mode(kYuyv, 320, 240, 30)};
    auto chosen = chooseCaptureMode(offered, {640, 480, 30});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, kYuyv);

    // YUYV cannot do 60 at 320x240: MJPEG does.
    chosen = chooseCaptureMode(offered, {320, 240, 60});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, kMjpeg);
}

TEST(ModeChoice, UnofferedSizeIsRefused)
{
    const std::vector<OfferedMode> offered = {mode(kMjpeg, 1920, 1080, 30), mode(kYuyv, 640, 480, 30)};
    EXPECT_FALSE(chooseCaptureMode(offered, {1280, 720, 30}));
    EXPECT_FALSE(chooseCaptureMode(offered, {1080, 1920, 30}));
    EXPECT_FALSE(chooseCaptureMode({}, {640, 480, 30}));
    // A size offered only in a format we cannot convert is as good as not offered.
    EXPECT_FALSE(chooseCaptureMode({mode(V4L2_PIX_FMT_H264, 1280, 720, 30)}, {1280, 720, 30}));
}

TEST(ModeChoice, RateNotOfferedFallsToTheNearest)
{
    const std::vector<OfferedMode> offered = {mode(kMjpeg, 1280, 720, 30), mode(kMjpeg, 1280, 720, 15),
                                              mode(kYuyv, 1280, 720, 10)};
    auto chosen = chooseCaptureMode(offered, {1280, 720, 20});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fps, 15);
    EXPECT_EQ(chosen->fourcc, kMjpeg);
    chosen = chooseCaptureMode(offered, {1280, 720, 0}); // no rate asked: the fastest
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fps, 30);
    chosen = chooseCaptureMode(offered, {1280, 720, 11});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, kYuyv);
    EXPECT_EQ(chosen->fps, 10);
}

TEST(ModeChoice, KeepsTheCamerasExactIntervalAndRanksOtherFormatsLast)
{
    const std::vector<OfferedMode> offered = {{V4L2_PIX_FMT_NV12, 640, 480, 30, 1, 30},
                                              {V4L2_PIX_FMT_JPEG, 640, 480, 30, 1001, 30000}};
    auto chosen = chooseCaptureMode(offered, {640, 480, 30});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, uint32_t(V4L2_PIX_FMT_JPEG));
    EXPECT_EQ(chosen->intervalNumerator, 1001u);
    EXPECT_EQ(chosen->intervalDenominator, 30000u);

    chosen = chooseCaptureMode({{V4L2_PIX_FMT_NV12, 640, 480, 30, 1, 30}}, {640, 480, 30});
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->fourcc, uint32_t(V4L2_PIX_FMT_NV12));
}

TEST(ListedFormats, OneEntryPerSizeAndRateAcrossPixelFormats)
{
    const std::vector<OfferedMode> offered = {
        mode(kMjpeg, 640, 480, 30),          mode(kMjpeg, 1920, 1080, 30),
        mode(kYuyv, 1920, 1080, 5),          mode(kYuyv, 640, 480, 30),
        mode(kYuyv, 640, 480, 15),           mode(V4L2_PIX_FMT_H264, 1280, 720, 30),
        {kMjpeg, 640, 480, 30, 1001, 30000},
    };
    const std::vector<VideoFormat> expected = {
        {1920, 1080, 30}, {1920, 1080, 5}, {640, 480, 30}, {640, 480, 15}};
    const std::vector<VideoFormat> listed = listedFormats(offered);
    ASSERT_EQ(listed.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_TRUE(listed[i] == expected[i])
            << "entry " << i << ": " << listed[i].width << "x" << listed[i].height << "@" << listed[i].fps;
}

TEST(SteppedRanges, CommonSizesThatFitTheSteps)
{
    // Continuous 160x120 .. 1920x1080.
    auto sizes = sizesInRange(160, 1920, 1, 120, 1080, 1);
    auto has = [&](int32_t w, int32_t h) {
        return std::find(sizes.begin(), sizes.end(), std::make_pair(w, h)) != sizes.end();
    };
    EXPECT_TRUE(has(320, 240));
    EXPECT_TRUE(has(640, 480));
    EXPECT_TRUE(has(1280, 720));
    EXPECT_TRUE(has(1920, 1080));
    EXPECT_FALSE(has(2048, 1536));
    EXPECT_FALSE(has(1600, 1200)); // taller than the range

    // Width steps of 64 from 128: 640 fits, 352 does not; the largest aligned size is offered.
    sizes = sizesInRange(128, 2000, 64, 96, 1200, 8);
    EXPECT_TRUE(has(640, 480));
    EXPECT_FALSE(has(352, 288));
    EXPECT_TRUE(has(1984, 1200));
    EXPECT_TRUE(sizesInRange(0, 640, 1, 0, 480, 1).empty());
}

TEST(SteppedRanges, CommonRatesInsideTheIntervalRange)
{
    auto rates = ratesInRange(1, 30, 1, 1); // 1/30 s .. 1 s
    std::vector<int32_t> fps;
    for (const OfferedMode& rate : rates)
        fps.push_back(rate.fps);
    EXPECT_EQ(fps, (std::vector<int32_t>{30, 25, 24, 20, 15, 10, 5, 1}));

    rates = ratesInRange(1001, 30000, 1, 10); // 29.97 .. 10 fps
    ASSERT_FALSE(rates.empty());
    EXPECT_EQ(rates.front().fps, 30);
    EXPECT_EQ(rates.front().intervalNumerator, 1001u);
    EXPECT_EQ(rates.back().fps, 10);
}

TEST(OfferedModes, QueriedFromDiscreteAndSteppedCameras)
{
    auto io = std::make_shared<fake::Io>();
    auto camera = std::make_shared<fake::Camera>();
    camera->modes = {{kMjpeg, 1280, 720, {{1, 30}, {1001, 30000}, {1, 15}}},
                     {V4L2_PIX_FMT_H264, 1280, 720, {{1, 30}}}};
    camera->steppedFormats = {{kYuyv, {320, 640, 16, 240, 480, 16}, {1, 30}, {1, 5}}};
    io->add(camera, "/dev/video0");
    const int fd = io->open("/dev/video0", 0);
    ASSERT_GE(fd, 0);
    const std::vector<OfferedMode> modes = queryOfferedModes(*io, fd);
    io->close(fd);

    auto count = [&](uint32_t fourcc, int32_t w, int32_t h, int32_t fps) {
        return std::count_if(modes.begin(), modes.end(), [&](const OfferedMode& m) {
            return m.fourcc == fourcc && m.width == w && m.height == h && m.fps == fps;
        });
    };
    EXPECT_EQ(count(kMjpeg, 1280, 720, 30), 2); // 30 and 29.97, both kept with their own interval
    EXPECT_EQ(count(kMjpeg, 1280, 720, 15), 1);
    EXPECT_EQ(count(V4L2_PIX_FMT_H264, 1280, 720, 30), 0);
    EXPECT_EQ(count(kYuyv, 640, 480, 30), 1);
    EXPECT_EQ(count(kYuyv, 640, 480, 5), 1);
    EXPECT_EQ(count(kYuyv, 320, 240, 15), 1);
    EXPECT_EQ(count(kYuyv, 640, 480, 1), 0); // slower than the range
}
