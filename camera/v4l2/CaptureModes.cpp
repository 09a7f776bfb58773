#include "CaptureModes.h"

#include "V4l2Io.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <linux/videodev2.h>
#include <set>
#include <tuple>

namespace MediaCapture {
namespace v4l2 {

namespace {

// A driver that never answers EINVAL must not keep us enumerating forever.
constexpr uint32_t kMaxFormats = 64;
constexpr uint32_t kMaxSizes = 256;
constexpr uint32_t kMaxIntervals = 64;

constexpr std::pair<int32_t, int32_t> kCommonSizes[] = {
    {320, 240},   {352, 288},   {640, 360},   {640, 480},   {800, 600},   {1024, 576},
    {1024, 768},  {1280, 720},  {1280, 960},  {1280, 1024}, {1600, 1200}, {1920, 1080},
    {2048, 1536}, {2560, 1440}, {2592, 1944}, {3264, 2448}, {3840, 2160}, {4096, 3072},
};
constexpr int32_t kCommonRates[] = {120, 90, 60, 50, 30, 25, 24, 20, 15, 10, 5, 1};

bool fitsStep(uint32_t value, uint32_t minimum, uint32_t maximum, uint32_t step)
{
    if (value < minimum || value > maximum)
        return false;
    return step <= 1 || (value - minimum) % step == 0;
}

int familyRank(FormatFamily family, bool large)
{
    switch (family) {
    case FormatFamily::Mjpeg:
        return large ? 0 : 1;
    case FormatFamily::Yuyv:
        return large ? 1 : 0;
    case FormatFamily::Convertible:
        return 2;
    case FormatFamily::Unsupported:
        break;
    }
    return 3;
}

void appendIntervals(V4l2Io& io, int fd, uint32_t fourcc, uint32_t width, uint32_t height,
                     std::vector<OfferedMode>& into)
{
    const size_t before = into.size();
    for (uint32_t index = 0; index < kMaxIntervals; ++index) {
        v4l2_frmivalenum interval{};
        interval.index = index;
        interval.pixel_format = fourcc;
        interval.width = width;
        interval.height = height;
        if (xioctl(io, fd, VIDIOC_ENUM_FRAMEINTERVALS, &interval) != 0)
            break;
        if (interval.type == V4L2_FRMIVAL_TYPE_DISCRETE) {
            const int32_t fps = fpsFromInterval(interval.discrete.numerator, interval.discrete.denominator);
            if (fps > 0)
                into.push_back({fourcc, int32_t(width), int32_t(height), fps, interval.discrete.numerator,
                                interval.discrete.denominator});
            continue;
        }
        for (OfferedMode rate :
             ratesInRange(interval.stepwise.min.numerator, interval.stepwise.min.denominator,
                          interval.stepwise.max.numerator, interval.stepwise.max.denominator)) {
            rate.fourcc = fourcc;
            rate.width = int32_t(width);
            rate.height = int32_t(height);
            into.push_back(rate);
        }
        break; // a range is described once, at index 0
    }
    if (into.size() == before) {
        // Drivers without interval enumeration run at their own rate; offer the size at the usual 30 fps
        // and let S_PARM settle whatever the driver really does.
        into.push_back({fourcc, int32_t(width), int32_t(height), 30, 0, 0});
    }
}

} // namespace

FormatFamily formatFamily(uint32_t fourcc)
{
    switch (fourcc) {
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
        return FormatFamily::Mjpeg;
    case V4L2_PIX_FMT_YUYV:
        return FormatFamily::Yuyv;
    // Formats libv4lconvert turns into RGB24.
    case V4L2_PIX_FMT_YVYU:
    case V4L2_PIX_FMT_UYVY:
    case V4L2_PIX_FMT_YUV420:
    case V4L2_PIX_FMT_YVU420:
    case V4L2_PIX_FMT_NV12:
    case V4L2_PIX_FMT_RGB24:
    case V4L2_PIX_FMT_BGR24:
    case V4L2_PIX_FMT_SBGGR8:
    case V4L2_PIX_FMT_SGBRG8:
    case V4L2_PIX_FMT_SGRBG8:
    case V4L2_PIX_FMT_SRGGB8:
        return FormatFamily::Convertible;
    default:
        return FormatFamily::Unsupported;
    }
}

int32_t fpsFromInterval(uint32_t numerator, uint32_t denominator)
{
    if (numerator == 0 || denominator == 0)
        return 0;
    // Rounded to nearest in integers: 1001/30000 -> 29.97 -> 30.
    const uint64_t fps = (uint64_t(denominator) * 2 + numerator) / (uint64_t(numerator) * 2);
    return int32_t(std::clamp<uint64_t>(fps, 1, 1000));
}

std::vector<VideoFormat> listedFormats(const std::vector<OfferedMode>& offered)
{
    std::set<std::tuple<int32_t, int32_t, int32_t>> unique;
    for (const OfferedMode& mode : offered) {
        if (formatFamily(mode.fourcc) != FormatFamily::Unsupported && mode.width > 0 && mode.height > 0 &&
            mode.fps > 0)
            unique.emplace(mode.width, mode.height, mode.fps);
    }
    std::vector<VideoFormat> formats;
    for (auto it = unique.rbegin(); it != unique.rend(); ++it) {
        VideoFormat format;
        std::tie(format.width, format.height, format.fps) = *it;
        formats.push_back(format);
    }
    return formats;
}

std::optional<OfferedMode> chooseCaptureMode(const std::vector<OfferedMode>& offered,
                                             const VideoFormat& wanted)
{
    std::vector<OfferedMode> sameSize;
    for (const OfferedMode& mode : offered) {
        if (mode.width == wanted.width && mode.height == wanted.height && mode.fps > 0 &&
            formatFamily(mode.fourcc) != FormatFamily::Unsupported)
            sameSize.push_back(mode);
    }
    if (sameSize.empty())
        return std::nullopt;

    int32_t targetFps = wanted.fps;
    if (targetFps <= 0) {
        for (const OfferedMode& mode : sameSize)
            targetFps = std::max(targetFps, mode.fps);
    }
    // The nearest offered rate; on a tie the faster one. Normally this is the asked rate itself.
    int32_t bestFps = sameSize.front().fps;
    for (const OfferedMode& mode : sameSize) {
        const int32_t distance = std::abs(mode.fps - targetFps);
        const int32_t bestDistance = std::abs(bestFps - targetFps);
        if (distance < bestDistance || (distance == bestDistance && mode.fps > bestFps))
            bestFps = mode.fps;
    }

    const bool large = wanted.width > 640 || wanted.height > 480;
    std::optional<OfferedMode> best;
    for (const OfferedMode& mode : sameSize) {
        if (mode.fps != bestFps)
            continue;
        // Strictly better only, so that the camera's own order decides between equals.
        if (!best ||
            familyRank(formatFamily(mode.fourcc), large) < familyRank(formatFamily(best->fourcc), large))
            best = mode;
    }
    return best;
}

std::vector<std::pair<int32_t, int32_t>> sizesInRange(uint32_t minWidth, uint32_t maxWidth,
                                                      uint32_t stepWidth, uint32_t minHeight,
                                                      uint32_t maxHeight, uint32_t stepHeight)
{
    std::vector<std::pair<int32_t, int32_t>> sizes;
    if (minWidth == 0 || minHeight == 0 || maxWidth < minWidth || maxHeight < minHeight)
        return sizes;
    for (const auto& size : kCommonSizes) {
        if (fitsStep(uint32_t(size.first), minWidth, maxWidth, stepWidth) &&
            fitsStep(uint32_t(size.second), minHeight, maxHeight, stepHeight))
            sizes.push_back(size);
    }
    // The largest size is the sensor's full picture, which a document camera wants most of all.
    const uint32_t maxStepW =
        stepWidth > 1 ? minWidth + (maxWidth - minWidth) / stepWidth * stepWidth : maxWidth;
    const uint32_t maxStepH =
        stepHeight > 1 ? minHeight + (maxHeight - minHeight) / stepHeight * stepHeight : maxHeight;
    const std::pair<int32_t, int32_t> largest(int32_t(std::min<uint32_t>(maxStepW, 16384)),
                                              int32_t(std::min<uint32_t>(maxStepH, 16384)));
    if (std::find(sizes.begin(), sizes.end(), largest) == sizes.end())
        sizes.push_back(largest);
    return sizes;
}

std::vector<OfferedMode> ratesInRange(uint32_t minNumerator, uint32_t minDenominator, uint32_t maxNumerator,
                                      uint32_t maxDenominator)
{
    std::vector<OfferedMode> rates;
    const int32_t fastest = fpsFromInterval(minNumerator, minDenominator);
    if (fastest <= 0 || maxDenominator == 0)
        return rates;
    // The fastest rate at its exact interval, then every common rate r with min <= 1/r <= max.
    rates.push_back({0, 0, 0, fastest, minNumerator, minDenominator});
    for (int32_t rate : kCommonRates) {
        if (rate >= fastest)
            continue;
        const bool belowFastest = uint64_t(rate) * minNumerator <= minDenominator;
        const bool aboveSlowest = uint64_t(rate) * maxNumerator >= maxDenominator;
        if (belowFastest && aboveSlowest)
            rates.push_back({0, 0, 0, rate, 1, uint32_t(rate)});
    }
    return rates;
}

std::vector<OfferedMode> queryOfferedModes(V4l2Io& io, int fd)
{
    std::vector<OfferedMode> modes;
    for (uint32_t formatIndex = 0; formatIndex < kMaxFormats; ++formatIndex) {
        v4l2_fmtdesc format{};
        format.index = formatIndex;
        format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        if (xioctl(io, fd, VIDIOC_ENUM_FMT, &format) != 0)
            break;
        if (formatFamily(format.pixelformat) == FormatFamily::Unsupported)
            continue;

        for (uint32_t sizeIndex = 0; sizeIndex < kMaxSizes; ++sizeIndex) {
            v4l2_frmsizeenum size{};
            size.index = sizeIndex;
            size.pixel_format = format.pixelformat;
            if (xioctl(io, fd, VIDIOC_ENUM_FRAMESIZES, &size) != 0)
                break;
            if (size.type == V4L2_FRMSIZE_TYPE_DISCRETE) {
                if (size.discrete.width > 0 && size.discrete.height > 0)
                    appendIntervals(io, fd, format.pixelformat, size.discrete.width, size.discrete.height,
                                    modes);
                continue;
            }
            const v4l2_frmsize_stepwise& range = size.stepwise;
            const uint32_t stepW = size.type == V4L2_FRMSIZE_TYPE_CONTINUOUS ? 1 : range.step_width;
            const uint32_t stepH = size.type == V4L2_FRMSIZE_TYPE_CONTINUOUS ? 1 : range.step_height;
            for (const auto& common : sizesInRange(range.min_width, range.max_width, stepW, range.min_height,
                                                   range.max_height, stepH))
                appendIntervals(io, fd, format.pixelformat, uint32_t(common.first), uint32_t(common.second),
                                modes);
            break; // a range is described once, at index 0
        }
    }
    return modes;
}

} // namespace v4l2
} // namespace MediaCapture
