#pragma once
#include <QFont>
// What every virtual camera scene shares: the wooden desk, the soft shadow a sheet casts on it, the
// desk lamp's light, and the hand-over from a painted canvas to the packed bytes the frames are cut
// from. Each scene paints its own object between the shadow and the light.

#include "VirtualScene.h"

#include <QImage>
#include <QPolygonF>

#include <atomic>
#include <memory>
#include <vector>

namespace MediaCapture {

// True once the caller has given up on the drawing.
bool isCancelled(const std::atomic<bool>* cancel);

// Whether text can be drawn: Qt's font code needs a QGuiApplication.
bool fontsUsable();

// The desk for a whole canvas (frame plus margin), RGB32. Null when cancelled.
QImage paintDesk(int canvasWidth, int canvasHeight, const std::atomic<bool>* cancel);

// Three box passes each way over a float image, close to a Gaussian of sigma ~ radius.
void boxBlur(std::vector<float>& data, int width, int height, int radius);

// Darkens the desk under and beside `outline` (canvas pixels); the shadow's offset and softness scale
// with `objectHeightPx`.
void castShadow(QImage& canvas, const QPolygonF& outline, double objectHeightPx, const std::atomic<bool>* cancel);

// The lamp's fall-off and warm tint over the whole canvas; `margin` and the frame size place the lamp.
void lightScene(QImage& canvas, int margin, int frameWidth, int frameHeight);

// Packs an RGB32 canvas of (width + 2 * margin) x (height + 2 * margin) into a scene.
// A font for print on a scene: pixel size `emUnits` (rounded), no hinting (the print is drawn scaled).
QFont printFont(const char* family, double emUnits, bool bold);

std::unique_ptr<SceneCanvas> toSceneCanvas(const QImage& canvas, int width, int height, int margin);

} // namespace MediaCapture
