#include "VirtualFrameSource.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <random>
#include <stdexcept>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace MediaCapture {

namespace {

// Rows take their noise from a random place in this window, so neither frames nor rows repeat a
// pattern that the eye (or a stability detector) could lock onto.
constexpr size_t kNoiseSpan = 1U << 16;
constexpr double kPi = 3.14159265358979323846;

uint64_t mixBits(uint64_t x)
{
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return x;
}

// out[i] = clamp(in[i] + noise[i], 0, 255). Shifting the bytes by 128 makes the clamp the processor's
// signed saturating add, sixteen bytes at a time.
void addNoiseRow(const uint8_t* in, const int8_t* noise, uint8_t* out, size_t count)
{
    size_t i = 0;
#if defined(__SSE2__)
    const __m128i bias = _mm_set1_epi8(static_cast<char>(0x80));
    for (; i + 16 <= count; i += 16) {
        const __m128i pixels = _mm_xor_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i)), bias);
        const __m128i grain = _mm_loadu_si128(reinterpret_cast<const __m128i*>(noise + i));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(out + i), _mm_xor_si128(_mm_adds_epi8(pixels, grain), bias));
    }
#endif
    for (; i < count; ++i)
        out[i] = static_cast<uint8_t>(std::clamp(static_cast<int>(in[i]) + noise[i], 0, 255));
}

} // namespace

int VirtualFrameSource::shakeAmplitudePx(int width)
{
    return std::max(2, static_cast<int>(std::lround(width / 320.0)));
}

int VirtualFrameSource::shakeMarginPx(int width)
{
    // The rest offset is (a, a/2) and the bump adds at most a on each axis.
    return 2 * shakeAmplitudePx(width) + 2;
}

VirtualFrameSource::Shift VirtualFrameSource::shiftAt(int64_t streamTimeMs, int width)
{
    if (streamTimeMs < 0)
        streamTimeMs = 0;
    const int a = shakeAmplitudePx(width);
    const Shift rest[2] = {{0, 0}, {a, a / 2}};
    constexpr int64_t kCycle = kStillMs + kMoveMs;
    const int64_t cycle = streamTimeMs / kCycle;
    const int64_t inCycle = streamTimeMs % kCycle;
    const Shift& from = rest[cycle % 2];
    if (inCycle < kStillMs)
        return from;
    const Shift& to = rest[(cycle + 1) % 2];
    const double u = static_cast<double>(inCycle - kStillMs) / kMoveMs;
    const double eased = u * u * (3.0 - 2.0 * u);
    // The desk is bumped sideways on the way, alternately up-left and down-left of the straight path.
    const double bump = std::sin(kPi * u) * a * ((cycle % 4) < 2 ? 1.0 : -1.0);
    const double x = from.dx + (to.dx - from.dx) * eased - bump;
    const double y = from.dy + (to.dy - from.dy) * eased + bump;
    return {static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y))};
}

ToneTable VirtualFrameSource::toneTable(int brightness, int contrast)
{
    brightness = std::clamp(brightness, kBrightnessMin, kBrightnessMax);
    contrast = std::clamp(contrast, kContrastMin, kContrastMax);
    const double gain = std::pow(2.0, (contrast - kContrastDefault) / 50.0);
    ToneTable table{};
    for (int v = 0; v < 256; ++v) {
        const double out = (v - 128.0) * gain + 128.0 + brightness;
        table[v] = static_cast<uint8_t>(std::clamp(static_cast<int>(std::lround(out)), 0, 255));
    }
    return table;
}

VirtualFrameSource::VirtualFrameSource(int width, int height)
    : VirtualFrameSource(VirtualScene::cached(width, height, shakeMarginPx(width)))
{
}

VirtualFrameSource::VirtualFrameSource(std::shared_ptr<const SceneCanvas> scene) : m_scene(std::move(scene))
{
    if (!m_scene || m_scene->margin < shakeMarginPx(m_scene->width))
        throw std::invalid_argument("virtual camera frames need a scene with room for the shake");
    m_width = m_scene->width;
    m_height = m_scene->height;
    // Sensor noise: the sum of four steps of -1/0/+1 gives a bell shape within +-4 levels (sigma 1.6).
    std::mt19937 random(0x1d0cU);
    std::uniform_int_distribution<int> step(-1, 1);
    m_noise.resize(kNoiseSpan + rowBytes());
    for (int8_t& n : m_noise)
        n = static_cast<int8_t>(step(random) + step(random) + step(random) + step(random));
}

void VirtualFrameSource::setTone(int brightness, int contrast)
{
    const ToneTable table = toneTable(brightness, contrast);
    bool neutral = true;
    for (int v = 0; v < 256 && neutral; ++v)
        neutral = table[v] == v;
    if (neutral) {
        m_toned.clear();
        m_toned.shrink_to_fit();
        return;
    }
    const std::vector<uint8_t>& raw = m_scene->rgb;
    m_toned.resize(raw.size());
    for (size_t i = 0; i < raw.size(); ++i)
        m_toned[i] = table[raw[i]];
}

const uint8_t* VirtualFrameSource::sceneBytes() const
{
    return m_toned.empty() ? m_scene->rgb.data() : m_toned.data();
}

void VirtualFrameSource::renderFrame(uint64_t frameIndex, int64_t streamTimeMs, uint8_t* out) const
{
    const SceneCanvas& scene = *m_scene;
    const Shift shift = shiftAt(streamTimeMs, m_width);
    // Content moving right by dx means the frame window moving left over the scene.
    const int left = scene.margin - shift.dx;
    const int top = scene.margin - shift.dy;
    const uint8_t* base = sceneBytes() + static_cast<size_t>(left) * 3;
    const size_t bytes = rowBytes();
    const uint64_t frameSeed = mixBits(frameIndex + 0x9E3779B97F4A7C15ULL);
    for (int y = 0; y < m_height; ++y) {
        const uint8_t* in = base + static_cast<size_t>(top + y) * scene.stride;
        const size_t noiseStart = mixBits(frameSeed ^ static_cast<uint64_t>(y)) & (kNoiseSpan - 1);
        addNoiseRow(in, m_noise.data() + noiseStart, out + static_cast<size_t>(y) * bytes, bytes);
    }
}

} // namespace MediaCapture
