#pragma once
// The still picture the virtual camera looks at: a printed A4 test page lying on a dark wooden desk,
// seen from above under a desk lamp. It is drawn once per frame size (QPainter, fonts, the codes) and
// kept; the frames are then cut from it without painting anything.

#include <QPointF>

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <vector>

namespace MediaCapture {

// Where the page lies in a frame of a given size, in frame pixels, with the camera at rest.
struct PageGeometry
{
    QPointF centre;
    double widthPx = 0.0;  // the page lies in landscape: the long side runs across the frame
    double heightPx = 0.0;
    double angleDeg = 0.0; // clockwise on screen
    double pixelsPerMm = 0.0;
    // Top-left, top-right, bottom-right, bottom-left corner of the sheet as printed.
    std::array<QPointF, 4> corners;
};

// Which picture a scene shows: the printed test page, or an open book held down by a thumb.
enum class SceneKind { PrintedPage, OpenBook };

// The rendered scene: the frame area plus `margin` pixels of desk on every side, so that a frame can be
// cut out a few pixels off when the camera shakes.
struct SceneCanvas
{
    int width = 0;  // frame size the scene was drawn for
    int height = 0;
    int margin = 0;
    SceneKind kind = SceneKind::PrintedPage;
    size_t stride = 0; // bytes per canvas row: (width + 2 * margin) * 3
    std::vector<uint8_t> rgb; // packed RGB24, height + 2 * margin rows
};

class VirtualScene
{
public:
    static constexpr const char* kQrPayload = "https://lumadoc.example.org/virtual-camera";
    static constexpr const char* kBarcodePayload = "LUMADOC-0001";
    static constexpr double kPageAngleDeg = 3.0;
    // Print sizes on the sheet, chosen so that at 1280x720 every code module is wider than 3 pixels and
    // the body text's x-height is about 14 pixels: enough for ZBar and Tesseract.
    static constexpr double kQrModuleMm = 1.35;
    static constexpr double kBarModuleMm = 1.25;
    static constexpr double kBodyEmMm = 9.5;
    static constexpr const char* kLatinFamily = "DejaVu Sans";
    static constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";

    static PageGeometry pageGeometry(int width, int height);

    // Draws the scene. Needs a QGuiApplication for the fonts; without one the page is printed without
    // its text (and a warning is logged) rather than crashing in Qt's font code.
    // Throws std::invalid_argument for sizes below 16x16 or a negative margin. Drawing a large scene
    // takes a while; once `cancel` becomes true it gives up between rows and returns null.
    static std::unique_ptr<SceneCanvas> render(int width, int height, int margin,
                                               const std::atomic<bool>* cancel = nullptr);

    // The scene for this size from a small process-wide cache (the last two sizes), drawn on a miss.
    // Thread-safe; concurrent misses draw one after the other. Null only when cancelled.
    static std::shared_ptr<const SceneCanvas> cached(int width, int height, int margin,
                                                     const std::atomic<bool>* cancel = nullptr);
    // The same cache for either picture; the book is drawn by BookScene::render.
    static std::shared_ptr<const SceneCanvas> cached(SceneKind kind, int width, int height, int margin,
                                                     const std::atomic<bool>* cancel = nullptr);
    static void clearCache();
};

} // namespace MediaCapture
