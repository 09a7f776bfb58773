#include "FrameConverter.h"
#include "TestImages.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <turbojpeg.h>

using namespace MediaCapture::v4l2;
using namespace testimages;

namespace {

v4l2_pix_format pixFormat(uint32_t fourcc, uint32_t width, uint32_t height, uint32_t bytesPerLine = 0)
{
    v4l2_pix_format format{};
    format.pixelformat = fourcc;
    format.width = width;
    format.height = height;
    format.bytesperline = bytesPerLine;
    return format;
}

// Every combination of a few luma and chroma levels, including the ends of both ranges.
std::vector<std::array<uint8_t, 4>> yuvSweep()
{
    const uint8_t lumas[] = {0, 16, 60, 128, 200, 235, 255};
    const uint8_t chromas[] = {0, 16, 90, 128, 170, 240, 255};
    std::vector<std::array<uint8_t, 4>> pairs;
    for (uint8_t y : lumas)
        for (uint8_t u : chromas)
            for (uint8_t v : chromas)
                pairs.push_back({y, u, uint8_t(255 - y), v});
    return pairs;
}

uint8_t expected(double value)
{
    return uint8_t(std::clamp(std::lround(value), 0L, 255L));
}

// Checks every pixel of a converted sweep against `reference` within `tolerance`.
template <typename Reference>
void expectSweepMatches(const RgbFrame& frame, const std::vector<std::array<uint8_t, 4>>& pairs,
                        Reference reference, int tolerance)
{
    int worst = 0;
    for (int pixel = 0; pixel < frame.width * frame.height; ++pixel) {
        const auto& pair = pairs[size_t(pixel / 2) % pairs.size()];
        const int y = pixel % 2 == 0 ? pair[0] : pair[2];
        const auto rgb = reference(y, pair[1], pair[3]);
        for (int c = 0; c < 3; ++c) {
            const int difference = std::abs(int(frame.rgb[pixel * 3 + c]) - int(expected(rgb[c])));
            worst = std::max(worst, difference);
            ASSERT_LE(difference, tolerance) << "pixel " << pixel << " channel " << c << " from Y" << y
                                             << " U" << int(pair[1]) << " V" << int(pair[3]);
        }
    }
    EXPECT_LE(worst, tolerance);
}

} // namespace

TEST(YuyvConversion, MatchesBt601StudioRange)
{
    const auto pairs = yuvSweep();
    const int width = 98, height = int(pairs.size()) * 2 / width; // each pair exactly once
    const auto yuyv = yuyvFrame(width, height, pairs);
    FrameConverter converter(
        pixFormat(V4L2_PIX_FMT_YUYV, uint32_t(width), uint32_t(height), uint32_t(width) * 2));
    auto frame = converter.convert(yuyv.data(), yuyv.size());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, width);
    EXPECT_EQ(frame->height, height);
    expectSweepMatches(*frame, pairs, bt601Limited, 2);
}

TEST(YuyvConversion, FullRangeWhenTheDriverSaysSo)
{
    const auto pairs = yuvSweep();
    const int width = 98, height = int(pairs.size()) * 2 / width;
    const auto yuyv = yuyvFrame(width, height, pairs);
    v4l2_pix_format format = pixFormat(V4L2_PIX_FMT_YUYV, uint32_t(width), uint32_t(height));
    format.quantization = V4L2_QUANTIZATION_FULL_RANGE;
    FrameConverter converter(format);
    auto frame = converter.convert(yuyv.data(), yuyv.size());
    ASSERT_TRUE(frame);
    expectSweepMatches(*frame, pairs, bt601Full, 2);
}

TEST(YuyvConversion, PaddedRowsAndShortFrames)
{
    const int width = 8, height = 4, stride = width * 2 + 12;
    const std::vector<std::array<uint8_t, 4>> pairs = {
        {81, 90, 81, 240}, {145, 54, 145, 34}, {41, 240, 41, 110}};
    const auto packed = yuyvFrame(width, height, pairs);
    std::vector<uint8_t> padded(size_t(stride) * height, 0xEE);
    for (int row = 0; row < height; ++row)
        std::copy_n(packed.begin() + row * width * 2, width * 2, padded.begin() + row * stride);

    FrameConverter packedConverter(pixFormat(V4L2_PIX_FMT_YUYV, width, height));
    FrameConverter paddedConverter(pixFormat(V4L2_PIX_FMT_YUYV, width, height, stride));
    auto a = packedConverter.convert(packed.data(), packed.size());
    auto b = paddedConverter.convert(padded.data(), padded.size());
    ASSERT_TRUE(a && b);
    EXPECT_TRUE(std::equal(a->rgb, a->rgb + width * height * 3, b->rgb));
    // Red-ish first pixel (Y 81, V 240 is BT.601 studio red) to be sure the rows are not all alike.
    EXPECT_NEAR(a->rgb[0], 255, 2);
    EXPECT_NEAR(a->rgb[1], 0, 2);

    // The last row would be missing: dropped rather than shown with stale pixels.
    EXPECT_FALSE(paddedConverter.convert(padded.data(), padded.size() - 13));
    EXPECT_TRUE(paddedConverter.convert(padded.data(), padded.size() - 12));
}

class MjpegConversion : public ::testing::Test
{
protected:
    static constexpr int kWidth = 320;
    static constexpr int kHeight = 240;
    std::vector<uint8_t> m_rgb = smoothRgb(kWidth, kHeight);
    std::vector<uint8_t> m_jpeg = encodeJpeg(m_rgb, kWidth, kHeight, 95, TJSAMP_422);
    FrameConverter m_converter{pixFormat(V4L2_PIX_FMT_MJPEG, kWidth, kHeight)};
};

TEST_F(MjpegConversion, DecodesCloseToTheEncodedPicture)
{
    auto frame = m_converter.convert(m_jpeg.data(), m_jpeg.size());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, kWidth);
    EXPECT_EQ(frame->height, kHeight);
    EXPECT_LT(meanAbsoluteError(frame->rgb, m_rgb.data(), m_rgb.size()), 3.0);
    // Bottom right corner: full red and green; a swapped channel order would show here.
    const uint8_t* last = frame->rgb + (kWidth * kHeight - 1) * 3;
    EXPECT_NEAR(last[0], 255, 6);
    EXPECT_NEAR(last[1], 255, 6);
    EXPECT_NEAR(frame->rgb[0], 0, 6);
}

TEST_F(MjpegConversion, FramesWithoutHuffmanTablesDecodeAsWithThem)
{
    const auto stripped = withoutHuffmanTables(m_jpeg);
    ASSERT_TRUE(huffmanTables(stripped).empty());
    ASSERT_LT(stripped.size(), m_jpeg.size());

    auto full = m_converter.convert(m_jpeg.data(), m_jpeg.size());
    ASSERT_TRUE(full);
    const std::vector<uint8_t> reference(full->rgb, full->rgb + kWidth * kHeight * 3);
    auto decoded = m_converter.convert(stripped.data(), stripped.size());
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(std::equal(reference.begin(), reference.end(), decoded->rgb));
}

TEST_F(MjpegConversion, InsertedTablesAreTheEncodersStandardTables)
{
    const auto stripped = withoutHuffmanTables(m_jpeg);
    const JpegLayout layout = inspectJpeg(stripped.data(), stripped.size());
    ASSERT_TRUE(layout.valid);
    EXPECT_FALSE(layout.hasHuffmanTables);
    EXPECT_TRUE(layout.hasEndMarker);
    std::vector<uint8_t> restored;
    insertDefaultHuffmanTables(stripped.data(), stripped.size(), layout, restored);

    auto sorted = [](std::vector<std::vector<uint8_t>> tables) {
        std::sort(tables.begin(), tables.end());
        return tables;
    };
    const auto original = sorted(huffmanTables(m_jpeg));
    ASSERT_EQ(original.size(), 4u);
    EXPECT_EQ(sorted(huffmanTables(restored)), original);
    EXPECT_TRUE(inspectJpeg(restored.data(), restored.size()).hasHuffmanTables);
}

TEST_F(MjpegConversion, CorruptFramesAreDropped)
{
    std::vector<uint8_t> garbage(5000);
    for (size_t i = 0; i < garbage.size(); ++i)
        garbage[i] = uint8_t(i * 131 + 7);
    EXPECT_FALSE(m_converter.convert(garbage.data(), garbage.size()));

    std::vector<uint8_t> noPicture = {0xFF, 0xD8, 0xFF, 0xD9};
    EXPECT_FALSE(m_converter.convert(noPicture.data(), noPicture.size()));

    // A damaged length field pointing past the end.
    std::vector<uint8_t> badSegment = m_jpeg;
    badSegment[4] = 0xFF;
    EXPECT_FALSE(m_converter.convert(badSegment.data(), badSegment.size()));

    std::vector<uint8_t> halfFrame(m_jpeg.begin(), m_jpeg.begin() + long(m_jpeg.size() / 2));
    EXPECT_FALSE(m_converter.convert(halfFrame.data(), halfFrame.size()));

    // A scan of random bytes between valid headers: the decoder fails or warns; either way dropped.
    const JpegLayout layout = inspectJpeg(m_jpeg.data(), m_jpeg.size());
    std::vector<uint8_t> scrambled = m_jpeg;
    for (size_t i = layout.scanOffset + 20; i + 2 < scrambled.size(); ++i)
        scrambled[i] = uint8_t((i * 7919) >> 3) == 0xFF ? 0 : uint8_t((i * 7919) >> 3);
    EXPECT_FALSE(m_converter.convert(scrambled.data(), scrambled.size()));

    // The converter is none the worse for them.
    EXPECT_TRUE(m_converter.convert(m_jpeg.data(), m_jpeg.size()));
}

TEST_F(MjpegConversion, DamageToleratedOnlyWhenEveryFrameHasIt)
{
    // Zero padding after the end marker is normal and not damage.
    std::vector<uint8_t> padded = m_jpeg;
    padded.resize(padded.size() + 300, 0);
    EXPECT_TRUE(m_converter.convert(padded.data(), padded.size()));

    // Missing end marker: dropped at first, shown once the camera proves it always does that.
    std::vector<uint8_t> noEnd(m_jpeg.begin(), m_jpeg.end() - 2);
    for (int i = 0; i < FrameConverter::kSuspectFramesBeforeTolerance; ++i)
        EXPECT_FALSE(m_converter.convert(noEnd.data(), noEnd.size())) << "frame " << i;
    auto tolerated = m_converter.convert(noEnd.data(), noEnd.size());
    ASSERT_TRUE(tolerated);
    EXPECT_LT(meanAbsoluteError(tolerated->rgb, m_rgb.data(), m_rgb.size()), 3.0);

    // A clean frame resets the patience.
    EXPECT_TRUE(m_converter.convert(m_jpeg.data(), m_jpeg.size()));
    EXPECT_FALSE(m_converter.convert(noEnd.data(), noEnd.size()));
}

TEST_F(MjpegConversion, FrameOfAnotherSizeIsDeliveredAtItsOwnSize)
{
    const auto small = smoothRgb(160, 96);
    const auto jpeg = encodeJpeg(small, 160, 96, 95, TJSAMP_420);
    auto frame = m_converter.convert(jpeg.data(), jpeg.size());
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->width, 160);
    EXPECT_EQ(frame->height, 96);
    EXPECT_LT(meanAbsoluteError(frame->rgb, small.data(), small.size()), 3.0);

    // Far larger than agreed is taken for a damaged header rather than allocated.
    const auto huge = encodeJpeg(smoothRgb(800, 640), 800, 640, 50, TJSAMP_420);
    EXPECT_FALSE(m_converter.convert(huge.data(), huge.size()));
}
