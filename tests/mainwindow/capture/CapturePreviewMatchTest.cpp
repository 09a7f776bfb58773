// A capture must be the picture the user sees: for every rotation the preview can hold, the captured
// image equals the preview's own copy of the same frame, and rectangles drawn on the preview cut the
// same region from the capture.
#include "CaptureProcessor.h"
#include "CaptureTestDoubles.h"
#include "VideoWidget.h"
#include "ViewGeometry.h"

#include <QGuiApplication>
#include <QOpenGLContext>
#include <QtTest/QtTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

CaptureRequest previewingAt(int storedRotation)
{
    CaptureRequest r;
    r.isPreviewing = true;
    r.rotationDeg = storedRotation;
    return r;
}

// The quadrant letters at the four corners of a picture: top-left, top-right, bottom-left,
// bottom-right.
QString corners(const QImage& image)
{
    const int r = image.width() - 3;
    const int b = image.height() - 3;
    return QString() + quadrantOf(image.pixelColor(2, 2)) + quadrantOf(image.pixelColor(r, 2))
           + quadrantOf(image.pixelColor(2, b)) + quadrantOf(image.pixelColor(r, b));
}

bool glAvailableHere()
{
    static const bool available = [] {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            return false;
        QOpenGLContext ctx;
        return ctx.create();
    }();
    return available;
}

const int kStoredRotations[] = {0, 90, 180, 270, -90, -180, -270, 450, -450};

} // namespace

TEST(CapturePreviewGeometry, CornersLandWhereThePreviewShowsThem)
{
    // The preview shows positive angles turned counter-clockwise; rotating right stores -90 and
    // shows the picture turned clockwise.
    struct Case {
        int stored;
        const char* corners;
    };
    const Case cases[] = {{0, "RGBY"},   {90, "GYRB"},   {180, "YBGR"},  {270, "BRYG"},
                          {-90, "BRYG"}, {-180, "YBGR"}, {-270, "GYRB"}, {450, "GYRB"}};
    CaptureProcessor processor;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        const CaptureResult result = processor.capture(quadrantFrame(), previewingAt(c.stored));
        ASSERT_EQ(result.outcome, CaptureOutcome::Finished);
        EXPECT_EQ(corners(result.image), QString::fromLatin1(c.corners));
        ViewGeometry geometry;
        geometry.setFrameSize(QSize(400, 300));
        geometry.setRotation(c.stored);
        EXPECT_EQ(result.image.size(), geometry.rotatedFrameSize());
    }
}

TEST(CapturePreviewGeometry, ManualCropInDisplayedPixelsCutsTheDisplayedRegion)
{
    // At -90 the displayed picture is 300 x 400 with blue at the top-left; the top-left 150 x 200
    // of it is blue only.
    CaptureProcessor processor;
    CaptureRequest request = previewingAt(-90);
    request.manualCropSelected = true;
    request.manualCropRect = QRect(10, 10, 130, 180);
    const CaptureResult result = processor.capture(quadrantFrame(), request);
    ASSERT_EQ(result.image.size(), QSize(130, 180));
    EXPECT_EQ(corners(result.image), "BBBB");
}

class CapturePreviewMatch : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!glAvailableHere())
            GTEST_SKIP() << "needs an OpenGL display (run under xvfb-run)";
        m_widget = std::make_unique<VideoWidget>();
        m_widget->resize(800, 600);
        m_widget->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(m_widget.get()));
        QCoreApplication::processEvents();
        ASSERT_TRUE(m_widget->isGlAvailable()) << m_widget->glFailureReason().toStdString();
        // The frame becomes current when it is painted.
        m_widget->setFrame(m_frame);
        m_widget->grabFramebuffer();
        ASSERT_EQ(m_widget->currentFrame().size(), m_frame.size());
    }
    void TearDown() override { m_widget.reset(); }

    const QImage m_frame = quadrantFrame(400, 300);
    std::unique_ptr<VideoWidget> m_widget;
};

TEST_F(CapturePreviewMatch, CaptureEqualsThePreviewCopyAtEveryRotation)
{
    CaptureProcessor processor;
    for (int stored : kStoredRotations) {
        SCOPED_TRACE(stored);
        m_widget->setRotation(stored);
        const QImage shown = m_widget->displayedImage();
        const CaptureResult result = processor.capture(m_frame, previewingAt(m_widget->rotation()));
        ASSERT_EQ(result.outcome, CaptureOutcome::Finished);
        EXPECT_EQ(result.image, shown);
    }
}

TEST_F(CapturePreviewMatch, RotatingRightCapturesWhatIsShown)
{
    CaptureProcessor processor;
    m_widget->setRotation(0);
    m_widget->rotateRight();
    ASSERT_EQ(m_widget->rotation(), -90);
    const CaptureResult result = processor.capture(m_frame, previewingAt(m_widget->rotation()));
    EXPECT_EQ(result.image, m_widget->displayedImage());
    EXPECT_EQ(corners(result.image), "BRYG");
}

TEST_F(CapturePreviewMatch, ManualCropCutsTheSelectedRegionAtEveryRotation)
{
    CaptureProcessor processor;
    const QRect selection(120, 90, 300, 220);  // widget pixels, off-centre
    for (int stored : kStoredRotations) {
        SCOPED_TRACE(stored);
        m_widget->setRotation(stored);
        m_widget->fitToView();
        m_widget->setCropMode(true);
        m_widget->setCropRect(selection);
        const QImage shown = m_widget->displayedImage();
        ASSERT_FALSE(shown.isNull());
        CaptureRequest request = previewingAt(m_widget->rotation());
        request.manualCropSelected = true;
        request.manualCropRect = m_widget->mapToImageRect(selection);
        const CaptureResult result = processor.capture(m_frame, request);
        EXPECT_EQ(result.statusText, "Manual crop applied");
        EXPECT_EQ(result.image, shown);
        m_widget->setCropMode(false);
    }
}

TEST_F(CapturePreviewMatch, IdPhotoFrameCutsTheGuidedRegionAtEveryRotation)
{
    CaptureProcessor processor;
    m_widget->setIdPhotoMode(true);
    for (int stored : kStoredRotations) {
        SCOPED_TRACE(stored);
        m_widget->setRotation(stored);
        m_widget->fitToView();
        const QRect frameRect = m_widget->idPhotoRect();
        ASSERT_TRUE(frameRect.isValid());
        const QImage expected = m_widget->displayedImage().copy(frameRect);
        CaptureRequest request = previewingAt(m_widget->rotation());
        request.idPhotoMode = true;
        request.idPhotoFrameShown = true;
        request.idPhotoRect = frameRect;
        const CaptureResult result = processor.capture(m_frame, request);
        EXPECT_EQ(result.statusText, "ID Photo crop applied");
        EXPECT_EQ(result.image, expected);
        // The guide sits in the middle of the shown picture, where all four quadrants meet.
        const QString c = corners(result.image);
        EXPECT_EQ(c, corners(m_widget->displayedImage()));
    }
}
