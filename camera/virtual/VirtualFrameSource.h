#pragma once
// Turns the still scene into a stream of camera frames: each frame is the scene cut out at the
// camera's current shake offset, with fresh sensor noise and the brightness/contrast tone curve. The
// per-frame work is a row-by-row copy with a saturating add; everything else is prepared beforehand.

#include "VirtualScene.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace MediaCapture {

using ToneTable = std::array<uint8_t, 256>;

class VirtualFrameSource
{
public:
    static constexpr int kBrightnessMin = -64;
    static constexpr int kBrightnessMax = 64;
    static constexpr int kBrightnessDefault = 0;
    static constexpr int kContrastMin = 0;
    static constexpr int kContrastMax = 100;
    static constexpr int kContrastDefault = 50;

    // Every kStillMs + kMoveMs the desk gets a nudge: for kMoveMs the picture slides a few pixels and
    // settles at the other of two rest positions, then holds still. The stream starts at rest.
    static constexpr int64_t kStillMs = 4000;
    static constexpr int64_t kMoveMs = 500;

    struct Shift
    {
        int dx = 0;
        int dy = 0;
        bool operator==(const Shift& o) const { return dx == o.dx && dy == o.dy; }
        bool operator!=(const Shift& o) const { return !(*this == o); }
    };
    // A few pixels, more for wider frames so the movement looks the same at every size.
    static int shakeAmplitudePx(int width);
    // The scene border a frame of this width needs so that no shift reads outside the scene.
    static int shakeMarginPx(int width);
    // Offset of the picture (content moves right/down for positive values) at this stream time.
    static Shift shiftAt(int64_t streamTimeMs, int width);

    // Brightness adds up to +-64 levels; contrast 50 is neutral and each 50 steps double or halve the
    // spread around mid-grey. Out-of-range values are held to the range.
    static ToneTable toneTable(int brightness, int contrast);

    // Draws (or takes from the cache) the scene for this frame size. Throws as VirtualScene::render.
    VirtualFrameSource(int width, int height);
    // Frames from a scene drawn already; its frame size is the source's.
    explicit VirtualFrameSource(std::shared_ptr<const SceneCanvas> scene);

    int width() const { return m_width; }
    int height() const { return m_height; }
    size_t rowBytes() const { return static_cast<size_t>(m_width) * 3; }
    size_t frameBytes() const { return rowBytes() * m_height; }

    // Runs the scene through the tone table once, so that frames stay a plain copy.
    void setTone(int brightness, int contrast);

    // Writes one packed RGB24 frame (height rows of exactly width*3 bytes) into `out`. The frame index
    // picks the noise, the stream time the shake.
    void renderFrame(uint64_t frameIndex, int64_t streamTimeMs, uint8_t* out) const;

private:
    const uint8_t* sceneBytes() const;

    int m_width = 0;
    int m_height = 0;
    std::shared_ptr<const SceneCanvas> m_scene;
    std::vector<uint8_t> m_toned; // empty while the tone is neutral
    // Signed noise levels, long enough that any row can start anywhere in the first kNoiseSpan bytes.
    std::vector<int8_t> m_noise;
};

} // namespace MediaCapture
