#pragma once
// The second picture of the virtual camera: an open book seen from above on the same desk, two pages
// meeting at a shadowed gutter, their edges and lines bowed where the paper rises towards the spine,
// and a thumb holding the right page down at its outer edge. Book flattening is developed against it.

#include "VirtualScene.h"

#include <QPointF>

#include <atomic>
#include <memory>

namespace MediaCapture {

// Where the book lies in a frame of a given size, in frame pixels, with the camera at rest. The pages
// stand upright; x grows to the right, y downwards.
struct BookGeometry
{
    int leftPx = 0;   // first column of the left page (its outer edge)
    int spinePx = 0;  // first column of the right page; the gutter is centred here
    int rightPx = 0;  // one past the last column of the right page (its outer edge)
    double topPx = 0.0;    // top edge at the outer edges, where the paper lies flat
    double bottomPx = 0.0; // bottom edge at the outer edges
    double bowPx = 0.0;    // scale of the bow; the edges move out by up to about 0.85 of it
    double coverPx = 0.0;  // how far the dark cover reaches beyond the pages

    double pageWidthPx() const { return spinePx - leftPx; }
    double flatPageHeightPx() const { return bottomPx - topPx; }
    // How far the edges at column x (pixel centre x + 0.5) are pushed outwards, up and down: 0 at the
    // outer edges, growing towards the spine and dipping a little into the gutter.
    double bowAt(double x) const;
    double topEdgeAt(double x) const { return topPx - bowAt(x); }
    double bottomEdgeAt(double x) const { return bottomPx + bowAt(x); }
    // The thumb on the right page: its tip on the page, its width across the thumb.
    QPointF thumbTip;
    double thumbWidthPx = 0.0;
};

class BookScene
{
public:
    static constexpr double kBowFraction = 0.06; // bow scale as a fraction of the flat page height
    static constexpr const char* kLatinFamily = "DejaVu Serif";
    static constexpr const char* kCjkFamily = "WenQuanYi Micro Hei";
    static constexpr int kLeftPageNumber = 86;

    static BookGeometry geometry(int width, int height);

    // Draws the scene as VirtualScene::render does (same size limits, exceptions, text without a
    // QGuiApplication, cancellation), with the canvas kind set to SceneKind::OpenBook.
    static std::unique_ptr<SceneCanvas> render(int width, int height, int margin,
                                               const std::atomic<bool>* cancel = nullptr);
};

} // namespace MediaCapture
