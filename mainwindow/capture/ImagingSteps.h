#pragma once
// The capture's picture steps (document crop, page orientation, ID-photo cut-out, background removal,
// watermark) served by the imaging library, behind the hook interfaces the capture processor calls.

#include "CaptureHooks.h"
#include "OrientationDetector.h"
#include "Watermark.h"

#include <QCoreApplication>

#include <functional>

class CaptureProcessor;

class ImagingSteps : public IDocumentCropper,
                     public IOrientationDetector,
                     public IMatting,
                     public IBackgroundRemover,
                     public IWatermarker
{
    Q_DECLARE_TR_FUNCTIONS(ImagingSteps)
public:
    // `watermarkSettings` gives the stamp as the user set it at the moment of the capture.
    explicit ImagingSteps(std::function<WatermarkSettings()> watermarkSettings);

    // Plugs every step into `processor`; this object must outlive it.
    void attachTo(CaptureProcessor& processor);

    QImage autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline) override;
    bool isModelLoaded() const override;
    bool loadModel(const QString& path) override;
    int detectOrientation(const QImage& image) override;
    Outcome applyMatting(const QImage& image, const QColor& background, const QRect& guide) override;
    QImage removeBackground(const QImage& image, int mode, int threshold) override;
    QImage applyWatermark(const QImage& image) override;

private:
    OrientationDetector m_orientation;
    std::function<WatermarkSettings()> m_watermarkSettings;
};
