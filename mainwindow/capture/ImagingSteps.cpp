#include "ImagingSteps.h"

#include "BackgroundRemoval.h"
#include "CaptureProcessor.h"
#include "DocumentCrop.h"
#include "ImageConversion.h"
#include "Matting.h"

ImagingSteps::ImagingSteps(std::function<WatermarkSettings()> watermarkSettings)
    : m_watermarkSettings(std::move(watermarkSettings))
{
}

void ImagingSteps::attachTo(CaptureProcessor& processor)
{
    processor.setDocumentCropper(this);
    processor.setOrientationDetector(this);
    processor.setMatting(this);
    processor.setBackgroundRemover(this);
    processor.setWatermarker(this);
}

QImage ImagingSteps::autoCropWithRotation(const QImage& image, double* angleDeg, QPolygon* outline)
{
    return ::autoCropWithRotation(image, angleDeg, outline);
}

bool ImagingSteps::isModelLoaded() const { return m_orientation.isLoaded(); }

bool ImagingSteps::loadModel(const QString& path) { return m_orientation.loadModel(path); }

int ImagingSteps::detectOrientation(const QImage& image) { return m_orientation.detect(qImageToMat(image)); }

IMatting::Outcome ImagingSteps::applyMatting(const QImage& image, const QColor& background, const QRect& guide)
{
    const MattingResult result = cutOutPerson(image, background, guide);
    switch (result.method) {
    case MattingMethod::Model:
        return {result.image, tr("portrait model")};
    case MattingMethod::GrabCut:
        return {result.image, tr("cut out around the guide; no portrait model installed")};
    case MattingMethod::None:
        break;
    }
    return {};
}

QImage ImagingSteps::removeBackground(const QImage& image, int mode, int threshold)
{
    return ::removeBackground(image, mode, threshold);
}

QImage ImagingSteps::applyWatermark(const QImage& image)
{
    return m_watermarkSettings ? ::applyWatermark(image, m_watermarkSettings()) : image;
}
