#pragma once
// The capture modes a camera offers and the choice of the one to open. Pure functions over plain lists,
// apart from queryOfferedModes which asks the device.
#include "IMediaCapture.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace MediaCapture {
namespace v4l2 {

class V4l2Io;

// How we turn a pixel format into RGB24.
enum class FormatFamily
{
    Mjpeg,       // decoded with TurboJPEG
    Yuyv,        // our own BT.601 routine
    Convertible, // handed to libv4lconvert, for cameras that offer neither of the above at some size
    Unsupported,
};

FormatFamily formatFamily(uint32_t fourcc);

// One (pixel format, size, rate) the camera offers, with the exact frame interval to ask for so that a
// 29.97 fps mode is requested as 1001/30000 and not as 1/30.
struct OfferedMode
{
    uint32_t fourcc = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t fps = 0;
    uint32_t intervalNumerator = 0; // 0: the camera did not say; ask for 1/fps
    uint32_t intervalDenominator = 0;
};

// Integer rate of a frame interval in seconds (numerator/denominator): 1001/30000 gives 30. Never below 1
// for a valid interval; 0 for a malformed one.
int32_t fpsFromInterval(uint32_t numerator, uint32_t denominator);

// The list the caller sees: one entry per distinct (width, height, fps), whatever the pixel formats
// behind it, largest size first, fastest rate first.
std::vector<VideoFormat> listedFormats(const std::vector<OfferedMode>& offered);

// The mode to open for a requested size and rate, or nothing when the camera does not offer that exact
// size. Above 640x480 MJPEG is preferred (YUYV at that size would be too slow for USB 2), at or below it
// YUYV (no decoding, no compression artefacts), in either case only among formats that reach the asked
// rate; other convertible formats come last. When no format offers the rate, the nearest rate wins.
std::optional<OfferedMode> chooseCaptureMode(const std::vector<OfferedMode>& offered,
                                             const VideoFormat& wanted);

// Common sizes inside a stepwise or continuous range, for cameras that describe their sizes that way.
std::vector<std::pair<int32_t, int32_t>> sizesInRange(uint32_t minWidth, uint32_t maxWidth,
                                                      uint32_t stepWidth, uint32_t minHeight,
                                                      uint32_t maxHeight, uint32_t stepHeight);

// Common rates inside an interval range [minimum interval, maximum interval], as modes of width 0.
std::vector<OfferedMode> ratesInRange(uint32_t minNumerator, uint32_t minDenominator, uint32_t maxNumerator,
                                      uint32_t maxDenominator);

// Every mode of the open device in a format we can convert (VIDIOC_ENUM_FMT, ENUM_FRAMESIZES,
// ENUM_FRAMEINTERVALS).
std::vector<OfferedMode> queryOfferedModes(V4l2Io& io, int fd);

} // namespace v4l2
} // namespace MediaCapture
