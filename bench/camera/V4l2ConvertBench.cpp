// How long one 1080p frame takes to become RGB24 on the capture thread. Our MJPEG path (marker scan,
// header, decode into the stream's buffer) should stay within 10% of a bare tjDecompress2 of the frame.
#include "FrameConverter.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <turbojpeg.h>
#include <vector>

using namespace MediaCapture::v4l2;

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

// A page under a document camera: slightly uneven paper with lines of dark glyph-like strokes, which
// gives the JPEG the fine detail of real text.
std::vector<uint8_t> pagePicture()
{
    std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
    uint32_t noise = 12345;
    for (int y = 0; y < kHeight; ++y) {
        const bool textLine = (y % 48) >= 12 && (y % 48) < 36;
        for (int x = 0; x < kWidth; ++x) {
            noise = noise * 1103515245u + 12345u;
            int level = 236 + (x + y) * 12 / (kWidth + kHeight) + int((noise >> 16) % 5);
            if (textLine && x > 120 && x < kWidth - 120 && ((x / 3 + y / 5) % 7 == 0 || (x / 11) % 9 == 0))
                level = 30 + int((noise >> 20) % 20);
            uint8_t* p = &rgb[(size_t(y) * kWidth + x) * 3];
            p[0] = uint8_t(std::min(level, 255));
            p[1] = uint8_t(std::min(level - 2, 255));
            p[2] = uint8_t(std::min(level - 8, 255));
        }
    }
    return rgb;
}

const std::vector<uint8_t>& mjpegFrame()
{
    static const std::vector<uint8_t> frame = [] {
        const std::vector<uint8_t> rgb = pagePicture();
        tjhandle encoder = tjInitCompress();
        unsigned char* jpeg = nullptr;
        unsigned long size = 0;
        // 4:2:2 at quality 85 is what UVC cameras typically send.
        if (!encoder || tjCompress2(encoder, rgb.data(), kWidth, kWidth * 3, kHeight, TJPF_RGB, &jpeg, &size,
                                    TJSAMP_422, 85, 0) != 0)
            throw std::runtime_error("cannot encode the benchmark frame");
        std::vector<uint8_t> bytes(jpeg, jpeg + size);
        tjFree(jpeg);
        tjDestroy(encoder);
        return bytes;
    }();
    return frame;
}

// The same frame the way most UVC cameras send it: without its Huffman tables.
const std::vector<uint8_t>& mjpegFrameWithoutTables()
{
    static const std::vector<uint8_t> frame = [] {
        const std::vector<uint8_t>& full = mjpegFrame();
        std::vector<uint8_t> out(full.begin(), full.begin() + 2);
        size_t pos = 2;
        while (full[pos] == 0xFF && full[pos + 1] != 0xDA) {
            const size_t length = (size_t(full[pos + 2]) << 8) | full[pos + 3];
            if (full[pos + 1] != 0xC4)
                out.insert(out.end(), full.begin() + long(pos), full.begin() + long(pos + 2 + length));
            pos += 2 + length;
        }
        out.insert(out.end(), full.begin() + long(pos), full.end());
        return out;
    }();
    return frame;
}

v4l2_pix_format pixFormat(uint32_t fourcc)
{
    v4l2_pix_format format{};
    format.pixelformat = fourcc;
    format.width = kWidth;
    format.height = kHeight;
    format.bytesperline = fourcc == V4L2_PIX_FMT_YUYV ? kWidth * 2 : 0;
    return format;
}

void setCounters(benchmark::State& state)
{
    state.SetItemsProcessed(int64_t(state.iterations()));
    state.SetBytesProcessed(int64_t(state.iterations()) * kWidth * kHeight * 3);
}

void MjpegThroughConverter(benchmark::State& state, const std::vector<uint8_t>& frame)
{
    FrameConverter converter(pixFormat(V4L2_PIX_FMT_MJPEG));
    for (auto _ : state) {
        auto rgb = converter.convert(frame.data(), frame.size());
        if (!rgb) {
            state.SkipWithError("frame not decoded");
            break;
        }
        benchmark::DoNotOptimize(rgb->rgb);
        benchmark::ClobberMemory();
    }
    setCounters(state);
}

void BM_Mjpeg1080p_Converter(benchmark::State& state)
{
    MjpegThroughConverter(state, mjpegFrame());
}

void BM_Mjpeg1080p_ConverterWithoutHuffmanTables(benchmark::State& state)
{
    MjpegThroughConverter(state, mjpegFrameWithoutTables());
}

void BM_Mjpeg1080p_TurboJpegAlone(benchmark::State& state)
{
    const std::vector<uint8_t>& frame = mjpegFrame();
    std::vector<uint8_t> rgb(size_t(kWidth) * kHeight * 3);
    tjhandle decoder = tjInitDecompress();
    for (auto _ : state) {
        if (tjDecompress2(decoder, frame.data(), frame.size(), rgb.data(), kWidth, kWidth * 3, kHeight,
                          TJPF_RGB, 0) != 0) {
            state.SkipWithError("frame not decoded");
            break;
        }
        benchmark::DoNotOptimize(rgb.data());
        benchmark::ClobberMemory();
    }
    tjDestroy(decoder);
    setCounters(state);
}

void BM_Yuyv1080p_Converter(benchmark::State& state)
{
    std::vector<uint8_t> yuyv(size_t(kWidth) * kHeight * 2);
    for (size_t i = 0; i < yuyv.size(); ++i)
        yuyv[i] = uint8_t(i % 2 == 0 ? 16 + (i / 2) % 220 : 128 + int((i * 37) % 64) - 32);
    FrameConverter converter(pixFormat(V4L2_PIX_FMT_YUYV));
    for (auto _ : state) {
        auto rgb = converter.convert(yuyv.data(), yuyv.size());
        benchmark::DoNotOptimize(rgb->rgb);
        benchmark::ClobberMemory();
    }
    setCounters(state);
}

} // namespace

BENCHMARK(BM_Mjpeg1080p_TurboJpegAlone)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Mjpeg1080p_Converter)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Mjpeg1080p_ConverterWithoutHuffmanTables)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_Yuyv1080p_Converter)->Unit(benchmark::kMillisecond)->MinTime(2.0);

BENCHMARK_MAIN();
