#pragma once
// Hand-written hooks with known, checkable effects, so a test can tell which steps ran and with what.
#include "CaptureHooks.h"

#include <QColor>
#include <QImage>
#include <QTransform>

#include <optional>

struct RecordingCropper : IDocumentCropper {
    QImage result;
    double angle = 0.0;
    int calls = 0;
    QImage autoCropWithRotation(const QImage&, double* angleDeg, QPolygon*) override
    {
        ++calls;
        if (angleDeg)
            *angleDeg = angle;
        return result;
    }
};

struct ScriptedOrientation : IOrientationDetector {
    bool loaded = false;
    bool loadSucceeds = true;
    int orientation = 0;
    int loadCalls = 0;
    int detectCalls = 0;
    QString loadedPath;
    bool isModelLoaded() const override { return loaded; }
    bool loadModel(const QString& path) override
    {
        ++loadCalls;
        loadedPath = path;
        loaded = loadSucceeds;
        return loaded;
    }
    int detectOrientation(const QImage&) override
    {
        ++detectCalls;
        return orientation;
    }
};

// Fills the picture with the background colour, keeping its size: easy to recognise afterwards.
struct FillMatting : IMatting {
    bool returnNull = false;
    int calls = 0;
    QColor seenBackground;
    QRect seenGuide;
    Outcome applyMatting(const QImage& image, const QColor& background, const QRect& guide) override
    {
        ++calls;
        seenBackground = background;
        seenGuide = guide;
        if (returnNull)
            return {};
        QImage out = image.copy();
        out.fill(background);
        return {out, QStringLiteral("fill")};
    }
};

struct RecordingBackgroundRemover : IBackgroundRemover {
    bool returnNull = false;
    int calls = 0;
    int mode = -1;
    int threshold = -1;
    QImage removeBackground(const QImage& image, int m, int t) override
    {
        ++calls;
        mode = m;
        threshold = t;
        if (returnNull)
            return QImage();
        QImage out = image.copy();
        out.setPixelColor(0, 0, Qt::magenta);
        return out;
    }
};

struct MarkingWatermarker : IWatermarker {
    bool returnNull = false;
    int calls = 0;
    QImage applyWatermark(const QImage& image) override
    {
        ++calls;
        if (returnNull)
            return QImage();
        QImage out = image.copy();
        out.setPixelColor(out.width() - 1, out.height() - 1, Qt::cyan);
        return out;
    }
};

struct RecordingFlattener : IBookFlattener {
    std::optional<bool> removeFingers;
    std::optional<bool> forceDouble;
    int flattenCalls = 0;
    QImage flattened;
    void setRemoveFingers(bool on) override { removeFingers = on; }
    void setForceDoublePage(bool on) override { forceDouble = on; }
    void flattenAsync(const QImage& image) override
    {
        ++flattenCalls;
        flattened = image;
    }
};

// 400 x 300 with red, green, blue and yellow quadrants (top-left, top-right, bottom-left,
// bottom-right) and a gradient inside each, so that any turn or shift changes the pixels.
inline QImage quadrantFrame(int width = 400, int height = 300)
{
    QImage frame(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool bottom = y >= height / 2;
            const int shade = (x + 2 * y) % 64;
            QColor c;
            if (!right && !bottom)
                c = QColor(255, shade, shade);
            else if (right && !bottom)
                c = QColor(shade, 255, shade);
            else if (!right && bottom)
                c = QColor(shade, shade, 255);
            else
                c = QColor(255, 255, shade);
            frame.setPixel(x, y, c.rgb());
        }
    }
    return frame;
}

// Which quadrant colour a pixel of quadrantFrame() (or a turned copy) belongs to.
inline char quadrantOf(const QColor& c)
{
    if (c.red() == 255 && c.green() == 255)
        return 'Y';
    if (c.red() == 255)
        return 'R';
    if (c.green() == 255)
        return 'G';
    if (c.blue() == 255)
        return 'B';
    return '?';
}
