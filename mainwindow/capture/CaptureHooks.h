#pragma once
// The processing a capture calls into but which lives elsewhere (document crop, page orientation,
// matting, background removal, watermark, book flattening). The processor holds each as an optional
// pointer it does not own; a missing one makes its step log that it is skipped, never a stand-in.
#include <QColor>
#include <QImage>
#include <QPolygon>
#include <QRect>
#include <QString>

class IDocumentCropper {
public:
    virtual ~IDocumentCropper() = default;
    // Finds the document again on the full image and returns it cut out and straightened; `angleDeg`
    // receives the rotation that was corrected, `outline` the corners found (either may be null).
    virtual QImage autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline) = 0;
};

class IOrientationDetector {
public:
    virtual ~IOrientationDetector() = default;
    virtual bool isModelLoaded() const = 0;
    virtual bool loadModel(const QString& path) = 0;
    // Page orientation of the picture: 0, 90, 180 or 270.
    virtual int detectOrientation(const QImage& image) = 0;
};

class IMatting {
public:
    struct Outcome {
        QImage image;    // the person cut out onto the background; null on failure
        QString method;  // how, in the user's words (the portrait model, or the guide-seeded cut)
    };
    virtual ~IMatting() = default;
    // `guide` is where the person is expected, in the picture's pixels (the ID-photo frame, or the whole
    // picture when the frame no longer maps onto it).
    virtual Outcome applyMatting(const QImage& image, const QColor& background, const QRect& guide) = 0;
};

class IBackgroundRemover {
public:
    virtual ~IBackgroundRemover() = default;
    // `mode` 0, 1 or 2, `threshold` 0..255; null on failure.
    virtual QImage removeBackground(const QImage& image, int mode, int threshold) = 0;
};

class IWatermarker {
public:
    virtual ~IWatermarker() = default;
    virtual QImage applyWatermark(const QImage& image) = 0;
};

class IBookFlattener {
public:
    virtual ~IBookFlattener() = default;
    virtual void setRemoveFingers(bool on) = 0;
    virtual void setForceDoublePage(bool on) = 0;
    // Starts flattening; the result arrives later through the flattener's own signal.
    virtual void flattenAsync(const QImage& image) = 0;
};
