#include "TestImages.h"

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <turbojpeg.h>

namespace testimages {

std::vector<uint8_t> smoothRgb(int width, int height)
{
    std::vector<uint8_t> rgb(size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            uint8_t* p = &rgb[(size_t(y) * width + x) * 3];
            p[0] = uint8_t(x * 255 / (width - 1));
            p[1] = uint8_t(y * 255 / (height - 1));
            p[2] = uint8_t((x + y) * 255 / (width + height - 2));
        }
    }
    return rgb;
}

std::vector<uint8_t> encodeJpeg(const std::vector<uint8_t>& rgb, int width, int height, int quality,
                                int subsampling)
{
    tjhandle encoder = tjInitCompress();
    if (!encoder)
        throw std::runtime_error("tjInitCompress failed");
    unsigned char* jpeg = nullptr;
    unsigned long size = 0;
    const int result = tjCompress2(encoder, rgb.data(), width, width * 3, height, TJPF_RGB, &jpeg, &size,
                                   subsampling, quality, 0);
    tjDestroy(encoder);
    if (result != 0)
        throw std::runtime_error("tjCompress2 failed");
    std::vector<uint8_t> bytes(jpeg, jpeg + size);
    tjFree(jpeg);
    return bytes;
}

namespace {

// Calls visit(marker, segmentStart, segmentEnd) for every segment before the scan; returns the scan offset.
template <typename Visit> size_t walkSegments(const std::vector<uint8_t>& jpeg, Visit visit)
{
    size_t pos = 2;
    while (pos + 4 <= jpeg.size() && jpeg[pos] == 0xFF && jpeg[pos + 1] != 0xDA) {
        const size_t length = (size_t(jpeg[pos + 2]) << 8) | jpeg[pos + 3];
        visit(jpeg[pos + 1], pos, pos + 2 + length);
        pos += 2 + length;
    }
    return pos;
}

} // namespace

std::vector<uint8_t> withoutHuffmanTables(const std::vector<uint8_t>& jpeg)
{
    std::vector<uint8_t> out(jpeg.begin(), jpeg.begin() + 2);
    const size_t scan = walkSegments(jpeg, [&](uint8_t marker, size_t begin, size_t end) {
        if (marker != 0xC4)
            out.insert(out.end(), jpeg.begin() + long(begin), jpeg.begin() + long(end));
    });
    out.insert(out.end(), jpeg.begin() + long(scan), jpeg.end());
    return out;
}

std::vector<std::vector<uint8_t>> huffmanTables(const std::vector<uint8_t>& jpeg)
{
    std::vector<std::vector<uint8_t>> tables;
    walkSegments(jpeg, [&](uint8_t marker, size_t begin, size_t end) {
        if (marker != 0xC4)
            return;
        size_t pos = begin + 4;
        while (pos + 17 <= end) {
            size_t count = 0;
            for (int i = 1; i <= 16; ++i)
                count += jpeg[pos + size_t(i)];
            tables.emplace_back(jpeg.begin() + long(pos), jpeg.begin() + long(pos + 17 + count));
            pos += 17 + count;
        }
    });
    return tables;
}

std::vector<uint8_t> yuyvFrame(int width, int height, const std::vector<std::array<uint8_t, 4>>& pairs)
{
    std::vector<uint8_t> frame;
    frame.reserve(size_t(width) * height * 2);
    size_t next = 0;
    for (int i = 0; i < width * height / 2; ++i) {
        const auto& pair = pairs[next++ % pairs.size()];
        frame.insert(frame.end(), pair.begin(), pair.end());
    }
    return frame;
}

std::array<double, 3> bt601Limited(int y, int u, int v)
{
    const double luma = 1.164383 * (y - 16);
    return {luma + 1.596027 * (v - 128), luma - 0.391762 * (u - 128) - 0.812968 * (v - 128),
            luma + 2.017232 * (u - 128)};
}

std::array<double, 3> bt601Full(int y, int u, int v)
{
    return {y + 1.402 * (v - 128), y - 0.344136 * (u - 128) - 0.714136 * (v - 128), y + 1.772 * (u - 128)};
}

double meanAbsoluteError(const uint8_t* a, const uint8_t* b, size_t count)
{
    double sum = 0;
    for (size_t i = 0; i < count; ++i)
        sum += std::abs(int(a[i]) - int(b[i]));
    return count ? sum / double(count) : 0.0;
}

} // namespace testimages
