#include "AnnotationOverlay.h"
#include "TestSupport.h"
#include "VideoWidget.h"
#include "VideoWidgetMenu.h"
#include "ViewGeometry.h"

#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QOpenGLContext>
#include <QPainter>
#include <QProcess>
#include <QShortcut>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <QTouchEvent>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 255, 0);
const QColor kBlue(0, 0, 255);
const QColor kYellow(255, 255, 0);
// glClearColor(0.2, 0.3, 0.3) in 8 bits.
const QColor kClear(51, 77, 77);

QImage solidFrame(const QColor& color, const QSize& size = QSize(400, 300))
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    return image;
}

// Red top-left, green top-right, blue bottom-left, yellow bottom-right.
QImage quadrantFrame(const QSize& size = QSize(400, 300))
{
    QImage image(size, QImage::Format_RGB32);
    QPainter p(&image);
    const int hw = size.width() / 2;
    const int hh = size.height() / 2;
    p.fillRect(0, 0, hw, hh, kRed);
    p.fillRect(hw, 0, size.width() - hw, hh, kGreen);
    p.fillRect(0, hh, hw, size.height() - hh, kBlue);
    p.fillRect(hw, hh, size.width() - hw, size.height() - hh, kYellow);
    return image;
}

bool near(const QColor& a, const QColor& b, int tolerance = 10)
{
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance
        && std::abs(a.blue() - b.blue()) <= tolerance;
}

std::string describe(const QColor& c)
{
    return QString("(%1,%2,%3)").arg(c.red()).arg(c.green()).arg(c.blue()).toStdString();
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

class VideoWidgetTest : public ::testing::Test {
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
        ASSERT_EQ(m_widget->size(), QSize(800, 600));
        ASSERT_TRUE(m_widget->isGlAvailable()) << m_widget->glFailureReason().toStdString();
    }
    void TearDown() override { m_widget.reset(); }

    // Shows a frame: hands it in and paints once.
    QImage showFrame(const QImage& frame)
    {
        m_widget->setFrame(frame);
        return m_widget->grabFramebuffer();
    }

    std::unique_ptr<VideoWidget> m_widget;
};

// Checks every sampled pixel of a grab: inside videoRect() the quadrant colour the rotation puts
// there, outside it the clear colour. Pixels within `margin` of an edge or of a quadrant border are
// skipped (filtering blends there), and so is the text strip at the top.
void expectQuadrantsLand(const QImage& grab, const QRect& rect, const QColor expected[4], int margin = 2)
{
    const double cx = rect.left() + rect.width() / 2.0;
    const double cy = rect.top() + rect.height() / 2.0;
    int checkedInside = 0;
    int checkedOutside = 0;
    for (int y = 30; y < grab.height(); y += 7) {
        for (int x = 0; x < grab.width(); x += 7) {
            const QColor actual = grab.pixelColor(x, y);
            const bool inside = x >= rect.left() + margin && x <= rect.right() - margin && y >= rect.top() + margin
                && y <= rect.bottom() - margin;
            const bool outside = x < rect.left() - margin || x > rect.right() + margin || y < rect.top() - margin
                || y > rect.bottom() + margin;
            if (inside && std::abs(x + 0.5 - cx) > margin && std::abs(y + 0.5 - cy) > margin) {
                const int quadrant = (x + 0.5 > cx ? 1 : 0) + (y + 0.5 > cy ? 2 : 0);
                ASSERT_TRUE(near(actual, expected[quadrant]))
                    << "at " << x << "," << y << " got " << describe(actual) << " want " << describe(expected[quadrant]);
                ++checkedInside;
            } else if (outside) {
                ASSERT_TRUE(near(actual, kClear)) << "at " << x << "," << y << " got " << describe(actual);
                ++checkedOutside;
            }
        }
    }
    EXPECT_GT(checkedInside, 100);
    (void)checkedOutside;
}

} // namespace

TEST_F(VideoWidgetTest, EachPaintShowsTheNewestFrameAndDropsTheOlderOnes)
{
    // After a hiccup (window hidden, a late paint) the queue is full; showing its oldest frame would
    // keep the picture that many frames late for the rest of the session, in every mode.
    struct Mode {
        const char* name;
        bool lowLatency;
        bool highQuality;
    };
    const Mode modes[] = {{"normal", false, false}, {"low latency", true, false}, {"high quality", false, true}};
    const QColor colors[] = {Qt::black, Qt::white, kRed, kGreen, kBlue};
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.name);
        m_widget->clearFrame();
        m_widget->setLowLatency(mode.lowLatency);
        m_widget->setHighQuality(mode.highQuality);
        for (const QColor& c : colors)
            m_widget->setFrame(solidFrame(c));
        // The queue still bounds memory: the oldest of five is gone before any paint.
        EXPECT_EQ(m_widget->queuedFrameCount(), VideoWidget::kMaxQueuedFrames);
        const QImage grab = m_widget->grabFramebuffer();
        ASSERT_FALSE(m_widget->currentFrame().isNull());
        EXPECT_EQ(m_widget->currentFrame().pixelColor(5, 5), kBlue);
        EXPECT_EQ(m_widget->queuedFrameCount(), 0);
        EXPECT_TRUE(near(grab.pixelColor(400, 300), kBlue)) << describe(grab.pixelColor(400, 300));
    }
}

TEST_F(VideoWidgetTest, QuadrantsLandInVideoRectAtEachRotation)
{
    // Per rotation: the colours shown top-left, top-right, bottom-left, bottom-right.
    struct Case {
        int rotation;
        QColor shown[4];
    };
    const Case cases[] = {
        {0, {kRed, kGreen, kBlue, kYellow}},
        {90, {kGreen, kYellow, kRed, kBlue}},  // turned counter-clockwise
        {180, {kYellow, kBlue, kGreen, kRed}},
        {270, {kBlue, kRed, kYellow, kGreen}},
    };
    showFrame(quadrantFrame());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rotation);
        m_widget->setRotation(c.rotation);
        // Smaller than the widget, so every edge is visible.
        m_widget->fitToView();
        m_widget->setZoom(50);
        QImage grab = m_widget->grabFramebuffer();
        expectQuadrantsLand(grab, m_widget->videoRect(), c.shown);
        // Larger than the widget and panned by an off-centre anchored zoom.
        m_widget->setZoom(170, QPoint(250, 380));
        ASSERT_NE(m_widget->geometry().pan(), QPoint());
        grab = m_widget->grabFramebuffer();
        expectQuadrantsLand(grab, m_widget->videoRect(), c.shown);
        // The copy path turns the picture the same way the GPU does.
        const QImage shown = m_widget->displayedImage();
        EXPECT_EQ(shown.pixelColor(5, 5), c.shown[0]);
        EXPECT_EQ(shown.pixelColor(shown.width() - 5, shown.height() - 5), c.shown[3]);
    }
}

TEST_F(VideoWidgetTest, LeftDragPansThePicture)
{
    showFrame(quadrantFrame());
    m_widget->setZoom(200);
    const QRect before = m_widget->videoRect();
    QTest::mousePress(m_widget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    QMouseEvent move(QEvent::MouseMove, QPointF(430, 280), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_widget.get(), &move);
    QTest::mouseRelease(m_widget.get(), Qt::LeftButton, Qt::NoModifier, QPoint(430, 280));
    EXPECT_EQ(m_widget->videoRect().topLeft() - before.topLeft(), QPoint(30, -20));
}

TEST_F(VideoWidgetTest, RotateRightStoresMinusNinetyAndShowsTheTwoSeventyPicture)
{
    showFrame(quadrantFrame());
    QSignalSpy spy(m_widget.get(), &VideoWidget::rotationChanged);
    m_widget->rotateRight();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), -90);
    EXPECT_EQ(m_widget->rotation(), -90);
    const QRect rightRect = m_widget->videoRect();
    const QImage right = m_widget->grabFramebuffer();

    m_widget->setRotation(270);
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 270);
    EXPECT_EQ(m_widget->videoRect(), rightRect);
    EXPECT_EQ(m_widget->grabFramebuffer(), right);

    // Left from 0 and right three times from 0 store 90 and -270.
    m_widget->setRotation(0);
    m_widget->rotateLeft();
    EXPECT_EQ(m_widget->rotation(), 90);
    m_widget->setRotation(0);
    m_widget->rotateRight();
    m_widget->rotateRight();
    m_widget->rotateRight();
    EXPECT_EQ(m_widget->rotation(), -270);
    m_widget->rotateRight();
    EXPECT_EQ(m_widget->rotation(), 0);
}

TEST_F(VideoWidgetTest, PolygonPartlyOutsideTheFrameLeavesTheFrameAsIs)
{
    const QImage frame = quadrantFrame();
    m_widget->setDocumentPolygon(QPolygon({QPoint(50, 40), QPoint(450, 40), QPoint(350, 260), QPoint(50, 260)}));
    showFrame(frame);
    EXPECT_EQ(m_widget->currentFrame(), frame);

    // Inside the frame the page is straightened: as wide as the longer of the top and bottom edges.
    m_widget->setDocumentPolygon(QPolygon({QPoint(50, 40), QPoint(350, 40), QPoint(350, 260), QPoint(50, 260)}));
    showFrame(frame);
    EXPECT_EQ(m_widget->currentFrame().size(), QSize(300, 220));
}

TEST_F(VideoWidgetTest, CopyAtNinetyGivesTheRotatedPicture)
{
    const QImage frame = quadrantFrame();
    showFrame(frame);
    m_widget->rotateLeft();
    m_widget->copy();
    const QImage copied = QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(copied.size(), QSize(300, 400));
    EXPECT_EQ(copied.pixelColor(5, 5), kGreen);
    EXPECT_EQ(copied.pixelColor(295, 5), kYellow);
    EXPECT_EQ(copied.pixelColor(5, 395), kRed);
    EXPECT_EQ(copied.pixelColor(295, 395), kBlue);
}

TEST_F(VideoWidgetTest, CopyDoesNotCropAnAlreadyStraightenedFrameAgain)
{
    const QPolygon page({QPoint(50, 40), QPoint(350, 40), QPoint(350, 260), QPoint(50, 260)});
    m_widget->setDocumentPolygon(page);
    showFrame(quadrantFrame());
    const QImage straightened = m_widget->currentFrame();
    ASSERT_EQ(straightened.size(), QSize(300, 220));
    // Cutting the polygon's box (50..350) out of the 300-wide page again would lose its left part.
    EXPECT_EQ(m_widget->displayedImage().size(), straightened.size());
    EXPECT_EQ(m_widget->displayedImage(), straightened.convertToFormat(m_widget->displayedImage().format()));

    // A polygon set on a frame that was not straightened still cuts its box.
    m_widget->clearDocumentPolygon();
    showFrame(quadrantFrame());
    m_widget->setDocumentPolygon(page);
    EXPECT_EQ(m_widget->displayedImage().size(), QSize(301, 221));
}

TEST_F(VideoWidgetTest, CopyCutsTheCropSelection)
{
    showFrame(quadrantFrame());  // fills the widget at scale 2
    m_widget->setCropMode(true);
    m_widget->setCropRect(QRect(0, 0, 400, 300));
    // Widget 0..399 x 0..299 -> frame 0..200 x 0..150 (199.5 and 149.5 round up): the red quadrant
    // and its one-pixel border with the others.
    const QImage cut = m_widget->displayedImage();
    ASSERT_EQ(cut.size(), QSize(201, 151));
    EXPECT_EQ(cut.pixelColor(100, 75), kRed);
    m_widget->setCropMode(false);
    EXPECT_EQ(m_widget->displayedImage().size(), QSize(400, 300));
}

TEST_F(VideoWidgetTest, KeepsDrawingAfterMovingToAnotherWindow)
{
    showFrame(quadrantFrame());
    QWidget other;
    other.resize(820, 620);
    VideoWidget* view = m_widget.get();
    view->setParent(&other);
    other.show();
    view->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&other));
    view->setFrame(solidFrame(kGreen));
    const QImage grab = view->grabFramebuffer();
    EXPECT_TRUE(near(grab.pixelColor(400, 300), kGreen));
    view->setParent(nullptr);
}

TEST_F(VideoWidgetTest, FitAndResetEmitZoomChanged)
{
    showFrame(quadrantFrame());
    m_widget->setZoom(230, QPoint(100, 100));
    QSignalSpy spy(m_widget.get(), &VideoWidget::zoomChanged);
    m_widget->fitToView();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(spy.at(0).at(0).toInt(), 100);
    EXPECT_EQ(m_widget->videoRect(), QRect(0, 0, 800, 600));
    // 400 px frame in an 800 px widget: 50 %, i.e. one frame pixel per widget pixel.
    m_widget->resetZoom();
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy.at(1).at(0).toInt(), 50);
    EXPECT_EQ(m_widget->videoRect(), QRect(200, 150, 400, 300));
}

TEST_F(VideoWidgetTest, WheelStopsAtTheLimitsWithoutSignals)
{
    showFrame(quadrantFrame());
    QSignalSpy spy(m_widget.get(), &VideoWidget::zoomChanged);
    auto wheel = [this](int delta) {
        QWheelEvent event(QPointF(400, 300), QPointF(m_widget->mapToGlobal(QPoint(400, 300))), QPoint(),
                          QPoint(0, delta), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(m_widget.get(), &event);
        EXPECT_TRUE(event.isAccepted());
    };
    wheel(120);
    ASSERT_EQ(spy.count(), 1);
    EXPECT_EQ(m_widget->zoomPercent(), 110);

    m_widget->setZoom(400);
    spy.clear();
    wheel(120);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(m_widget->zoomPercent(), 400);

    m_widget->setZoom(10);
    spy.clear();
    wheel(-120);
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(m_widget->zoomPercent(), 10);

    // Every zoom path stops at 400.
    m_widget->setZoom(1000);
    EXPECT_EQ(m_widget->zoomPercent(), 400);
}

TEST_F(VideoWidgetTest, LowLatencyThrottleStillPaintsTheLastFrame)
{
    m_widget->setLowLatency(true);
    m_widget->setFrame(solidFrame(kRed));
    QCoreApplication::processEvents();
    m_widget->grabFramebuffer();
    ASSERT_EQ(m_widget->currentFrame().pixelColor(5, 5), kRed);
    // Handed in right after the last repaint request and followed by nothing: it must still be shown.
    m_widget->setFrame(solidFrame(kGreen));
    bool shown = false;
    for (int i = 0; i < 100 && !shown; ++i) {
        QTest::qWait(20);
        shown = m_widget->currentFrame().pixelColor(5, 5) == kGreen;
    }
    EXPECT_TRUE(shown);
}

TEST_F(VideoWidgetTest, DisplayRateCountsPaintedNewFramesOnly)
{
    EXPECT_EQ(m_widget->displayRate(), 0.0);
    // Three new frames painted, then many paints without a new frame.
    for (const QColor& c : {kRed, kGreen, kBlue})
        showFrame(solidFrame(c));
    for (int i = 0; i < 20; ++i)
        m_widget->grabFramebuffer();
    // Let the one-second window close, then paint one more new frame: four new frames in at least a
    // second. Counting every paint would give at least 24.
    QThread::msleep(1050);
    showFrame(solidFrame(kYellow));
    EXPECT_GT(m_widget->displayRate(), 0.0);
    EXPECT_LE(m_widget->displayRate(), 4.0);
}

TEST_F(VideoWidgetTest, NoFramePaintsTheNoVideoScreen)
{
    const QImage grab = m_widget->grabFramebuffer();
    EXPECT_EQ(grab.pixelColor(400, 500), QColor(26, 26, 26));
    m_widget->setFrame(solidFrame(kRed));
    m_widget->grabFramebuffer();
    m_widget->clearFrame();
    EXPECT_TRUE(m_widget->currentFrame().isNull());
    EXPECT_EQ(m_widget->grabFramebuffer().pixelColor(400, 500), QColor(26, 26, 26));
}

TEST_F(VideoWidgetTest, OverlayFunctionIsDrawnOverTheFrame)
{
    int calls = 0;
    m_widget->setOverlayFunction([&calls](const QImage& canvas) {
        ++calls;
        QImage out = canvas;
        QPainter p(&out);
        p.fillRect(0, 0, out.width() / 2, out.height(), Qt::white);
        return out;
    });
    m_widget->setOverlayEnabled(true);
    const QImage grab = showFrame(solidFrame(kBlue));
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(near(grab.pixelColor(200, 300), Qt::white));
    EXPECT_TRUE(near(grab.pixelColor(600, 300), kBlue));
}

TEST_F(VideoWidgetTest, IdPhotoRectFollowsTheGuide)
{
    showFrame(quadrantFrame());
    EXPECT_TRUE(m_widget->idPhotoRect().isEmpty());
    m_widget->setIdPhotoMode(true);
    // The 800x600 picture is wider than 35:53, so the guide is 90 % of its height: 540 x 356 px,
    // which is 270 x 178 frame pixels, centred.
    const QRect r = m_widget->idPhotoRect();
    EXPECT_NEAR(r.height(), 270, 1);
    EXPECT_NEAR(r.width(), 178, 1);
    EXPECT_NEAR(r.center().x(), 200, 1);
    EXPECT_NEAR(r.center().y(), 150, 1);
    m_widget->setIdPhotoGuideScale(5.0);  // clamped to 1.0
    EXPECT_NEAR(m_widget->idPhotoRect().height(), 300, 1);
    m_widget->setIdPhotoMode(false);
    EXPECT_TRUE(m_widget->idPhotoRect().isEmpty());
}

namespace {
class KeyRecorder : public QWidget {
public:
    QList<int> keys;

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        // The modifier presses themselves are not the view's business.
        if (event->key() != Qt::Key_Control && event->key() != Qt::Key_Shift)
            keys.append(event->key());
    }
};
} // namespace

TEST_F(VideoWidgetTest, HandledKeysAreAcceptedAndNotPassedOn)
{
    KeyRecorder parent;
    parent.resize(900, 700);
    auto* view = new VideoWidget(&parent);
    view->resize(800, 600);
    int undoShortcutFired = 0;
    auto* shortcut = new QShortcut(QKeySequence::Undo, &parent);
    QObject::connect(shortcut, &QShortcut::activated, [&] { ++undoShortcutFired; });
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
    view->setFrame(quadrantFrame());
    view->grabFramebuffer();
    view->setFocus();
    QCoreApplication::processEvents();

    QTest::keyClick(view, Qt::Key_Plus);
    EXPECT_EQ(view->zoomPercent(), 110);
    QTest::keyClick(view, Qt::Key_Equal);
    EXPECT_EQ(view->zoomPercent(), 120);
    QTest::keyClick(view, Qt::Key_Minus);
    EXPECT_EQ(view->zoomPercent(), 110);
    QTest::keyClick(view, Qt::Key_F);
    EXPECT_EQ(view->zoomPercent(), 100);
    QTest::keyClick(view, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(view->zoomPercent(), 50);
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Y, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_Delete);
    EXPECT_TRUE(parent.keys.isEmpty()) << parent.keys.size();
    EXPECT_EQ(undoShortcutFired, 0);

    // Keys the view does not handle still reach the parent.
    QTest::keyClick(view, Qt::Key_A);
    EXPECT_EQ(parent.keys, QList<int>({Qt::Key_A}));
}

namespace {
// Presses the left button at `from`, moves there in ten steps to `to` and lets go.
void mouseStroke(QWidget* view, const QPoint& from, const QPoint& to)
{
    QTest::mousePress(view, Qt::LeftButton, Qt::NoModifier, from);
    for (int i = 1; i <= 10; ++i) {
        QMouseEvent move(QEvent::MouseMove, QPointF(from + (to - from) * i / 10), Qt::NoButton, Qt::LeftButton,
                         Qt::NoModifier);
        QApplication::sendEvent(view, &move);
    }
    QTest::mouseRelease(view, Qt::LeftButton, Qt::NoModifier, to);
}
} // namespace

TEST_F(VideoWidgetTest, KeysTheViewLeavesToTheWindow)
{
    // A scanner gun types into whatever has focus: in scanner-gun mode none of the view's keys may act
    // on it, and Ctrl+0 without a picture belongs to the window, which resets its zoom label then.
    struct Case {
        const char* name;
        bool scannerGun;
        bool frame;
        int key;
        Qt::KeyboardModifiers mods;
        bool handledByView;
    };
    const Qt::KeyboardModifiers none = Qt::NoModifier;
    const Qt::KeyboardModifiers ctrl = Qt::ControlModifier;
    const Case cases[] = {
        {"scanner +", true, true, Qt::Key_Plus, none, false},
        {"scanner =", true, true, Qt::Key_Equal, none, false},
        {"scanner -", true, true, Qt::Key_Minus, none, false},
        {"scanner F", true, true, Qt::Key_F, none, false},
        {"scanner Delete", true, true, Qt::Key_Delete, none, false},
        {"scanner Ctrl+Z", true, true, Qt::Key_Z, ctrl, false},
        {"scanner Ctrl+Y", true, true, Qt::Key_Y, ctrl, false},
        {"scanner Ctrl+C", true, true, Qt::Key_C, ctrl, false},
        {"scanner Ctrl+0", true, true, Qt::Key_0, ctrl, false},
        {"Ctrl+0 without a frame", false, false, Qt::Key_0, ctrl, false},
        {"Ctrl+0 with a frame", false, true, Qt::Key_0, ctrl, true},
        {"Delete with a frame", false, true, Qt::Key_Delete, none, true},
    };

    KeyRecorder parent;
    parent.resize(900, 700);
    auto* view = new VideoWidget(&parent);
    view->resize(800, 600);
    parent.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));

    struct State {
        int zoom;
        bool annotations;
        bool redo;
        QString clipboard;
        bool operator==(const State& o) const
        {
            return zoom == o.zoom && annotations == o.annotations && redo == o.redo && clipboard == o.clipboard;
        }
    };
    auto state = [view] {
        return State{view->zoomPercent(), view->annotations()->hasAnnotations(), view->annotations()->canRedo(),
                     QApplication::clipboard()->text()};
    };

    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view->setScannerGunMode(false);
        view->clearAnnotations();
        view->clearFrame();
        if (c.frame) {
            view->setFrame(quadrantFrame());
            view->grabFramebuffer();
            ASSERT_FALSE(view->currentFrame().isNull());
            view->fitToView();
            view->setTool(AnnotationOverlay::PenTool);
            mouseStroke(view, QPoint(200, 200), QPoint(500, 300));
            view->setTool(AnnotationOverlay::SelectTool);
            ASSERT_TRUE(view->annotations()->hasAnnotations());
        }
        view->setZoom(130);
        QApplication::clipboard()->setText(QStringLiteral("untouched"));
        view->setScannerGunMode(c.scannerGun);
        view->setFocus();
        parent.keys.clear();
        const State before = state();

        QKeyEvent override(QEvent::ShortcutOverride, c.key, c.mods);
        override.ignore();
        QApplication::sendEvent(view, &override);
        EXPECT_EQ(override.isAccepted(), c.handledByView);

        QTest::keyClick(view, Qt::Key(c.key), c.mods);
        if (c.handledByView) {
            EXPECT_TRUE(parent.keys.isEmpty());
            EXPECT_FALSE(state() == before);
        } else {
            EXPECT_EQ(parent.keys, QList<int>({c.key}));
            EXPECT_TRUE(state() == before);
        }
    }
}

namespace {
struct TouchPointPlan {
    int id;
    Qt::TouchPointState state;
    QPoint pos;  // widget pixels
};

// Delivers touch points the way QTest::touchEvent commits them (through the window system
// interface, so Qt decides about mouse synthesis as it would for a real screen), with keyboard
// modifiers, which QTest::touchEvent cannot carry.
void sendTouch(QWidget* widget, const QList<TouchPointPlan>& plan, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    static QTouchDevice* const device = QTest::createTouchDevice();
    QList<QTouchEvent::TouchPoint> points;
    for (const TouchPointPlan& touch : plan) {
        QTouchEvent::TouchPoint point(touch.id);
        point.setScreenPos(widget->mapToGlobal(touch.pos));
        point.setState(touch.state);
        points.append(point);
    }
    qt_handleTouchEvent(widget->windowHandle(), device, points, mods);
    QCoreApplication::processEvents();
}

// One finger from `from` to `to` in ten steps.
void fingerStroke(QWidget* widget, const QPoint& from, const QPoint& to, Qt::KeyboardModifiers mods = Qt::NoModifier)
{
    sendTouch(widget, {{0, Qt::TouchPointPressed, from}}, mods);
    for (int i = 1; i <= 10; ++i)
        sendTouch(widget, {{0, Qt::TouchPointMoved, from + (to - from) * i / 10}}, mods);
    sendTouch(widget, {{0, Qt::TouchPointReleased, to}}, mods);
}

struct OneFingerCase {
    const char* name;
    int tool;
    bool cropMode;
    Qt::KeyboardModifiers mods;
    int zoomPercent;
    // Outcomes.
    int strokes;
    QPoint inkAt;       // a frame pixel the stroke must cover; null when none
    QRect cropRect;     // reported crop in frame pixels; null when none is reported
    QPoint panDelta;    // movement of the picture, widget pixels
    int drags;
};

std::ostream& operator<<(std::ostream& out, const OneFingerCase& c) { return out << c.name; }

class VideoWidgetTouchTest : public VideoWidgetTest, public ::testing::WithParamInterface<OneFingerCase> {};
} // namespace

// The 400x300 frame fills the 800x600 view at 100 %: two widget pixels per frame pixel.
INSTANTIATE_TEST_SUITE_P(
    OneFinger, VideoWidgetTouchTest,
    ::testing::Values(
        OneFingerCase{"pen draws", AnnotationOverlay::PenTool, false, Qt::NoModifier, 100, 1, QPoint(180, 145), QRect(),
                      QPoint(), 0},
        OneFingerCase{"select pans", AnnotationOverlay::SelectTool, false, Qt::NoModifier, 200, 0, QPoint(), QRect(),
                      QPoint(120, 80), 0},
        OneFingerCase{"crop selects", AnnotationOverlay::PenTool, true, Qt::NoModifier, 100, 0, QPoint(),
                      QRect(QPoint(150, 125), QPoint(210, 165)), QPoint(), 0},
        OneFingerCase{"shift drags out", AnnotationOverlay::PenTool, false, Qt::ShiftModifier, 100, 0, QPoint(),
                      QRect(), QPoint(), 1}),
    [](const ::testing::TestParamInfo<OneFingerCase>& info) {
        return QString::fromLatin1(info.param.name).replace(' ', '_').toStdString();
    });

TEST_P(VideoWidgetTouchTest, OneFingerDoesWhatTheMouseDoes)
{
    const OneFingerCase& c = GetParam();
    showFrame(quadrantFrame());
    m_widget->setTool(c.tool);
    m_widget->setCropMode(c.cropMode);
    m_widget->setZoom(c.zoomPercent);
    QSignalSpy added(m_widget.get(), &VideoWidget::annotationAdded);
    QSignalSpy cropped(m_widget.get(), &VideoWidget::cropRectChanged);
    QSignalSpy dragged(m_widget.get(), &VideoWidget::imageDragged);
    const QPoint before = m_widget->videoRect().topLeft();

    fingerStroke(m_widget.get(), QPoint(300, 250), QPoint(420, 330), c.mods);

    // Exactly once: a mouse event synthesised from the same touch must not draw a second stroke.
    EXPECT_EQ(added.count(), c.strokes);
    if (!c.inkAt.isNull()) {
        const QImage burnt = m_widget->annotatedImage();
        const QColor ink = burnt.pixelColor(c.inkAt);
        EXPECT_TRUE(ink.red() > 200 && ink.green() < 60) << describe(ink);
    }
    if (c.cropRect.isNull()) {
        EXPECT_EQ(cropped.count(), 0);
    } else {
        ASSERT_EQ(cropped.count(), 1);
        EXPECT_EQ(cropped.at(0).at(0).toRect(), c.cropRect);
    }
    EXPECT_EQ(m_widget->videoRect().topLeft() - before, c.panDelta);
    ASSERT_EQ(dragged.count(), c.drags);
    if (c.drags > 0) {
        EXPECT_EQ(dragged.at(0).at(0).value<QImage>().size(), QSize(400, 300));
    }
}

TEST_F(VideoWidgetTest, PinchWithALateSecondFingerZoomsOnceAndDrawsNothing)
{
    showFrame(quadrantFrame());
    m_widget->setTool(AnnotationOverlay::PenTool);
    QSignalSpy added(m_widget.get(), &VideoWidget::annotationAdded);
    QSignalSpy zoomed(m_widget.get(), &VideoWidget::zoomChanged);

    // The first finger starts a stroke; the second lands later and turns the gesture into a pinch.
    sendTouch(m_widget.get(), {{0, Qt::TouchPointPressed, QPoint(300, 300)}});
    sendTouch(m_widget.get(), {{0, Qt::TouchPointMoved, QPoint(310, 300)}});
    sendTouch(m_widget.get(), {{0, Qt::TouchPointStationary, QPoint(310, 300)}, {1, Qt::TouchPointPressed, QPoint(500, 300)}});
    // Fingers twice as far apart: 200 %.
    sendTouch(m_widget.get(), {{0, Qt::TouchPointStationary, QPoint(310, 300)}, {1, Qt::TouchPointMoved, QPoint(690, 300)}});
    // One finger lifts and the other goes on moving: still the same pinch, nothing is drawn.
    sendTouch(m_widget.get(), {{0, Qt::TouchPointMoved, QPoint(250, 200)}, {1, Qt::TouchPointReleased, QPoint(690, 300)}});
    sendTouch(m_widget.get(), {{0, Qt::TouchPointMoved, QPoint(150, 100)}});
    sendTouch(m_widget.get(), {{0, Qt::TouchPointReleased, QPoint(150, 100)}});

    EXPECT_EQ(m_widget->zoomPercent(), 200);
    ASSERT_EQ(zoomed.count(), 1);
    EXPECT_EQ(zoomed.at(0).at(0).toInt(), 200);
    EXPECT_EQ(added.count(), 0);
    EXPECT_FALSE(m_widget->annotations()->hasAnnotations());

    // The next one-finger gesture draws again.
    fingerStroke(m_widget.get(), QPoint(300, 250), QPoint(420, 330));
    EXPECT_EQ(added.count(), 1);
}

TEST_F(VideoWidgetTest, ContextMenuOffersTheViewActions)
{
    showFrame(quadrantFrame());
    std::unique_ptr<QMenu> menu(createVideoWidgetContextMenu(m_widget.get(), nullptr));
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << (a->isSeparator() ? QString("|") : a->text());
    EXPECT_EQ(texts, QStringList({"Copy", "|", "Rotate Left", "Rotate Right", "|", "Zoom In", "Zoom Out",
                                  "Fit to View", "Reset Zoom", "|", "Clear Annotations"}));
    menu->actions().at(2)->trigger();
    EXPECT_EQ(m_widget->rotation(), 90);
    menu->actions().at(3)->trigger();
    EXPECT_EQ(m_widget->rotation(), 0);
    menu->actions().at(5)->trigger();
    EXPECT_EQ(m_widget->zoomPercent(), 110);
    menu->actions().at(8)->trigger();
    EXPECT_EQ(m_widget->zoomPercent(), 50);
}

// Runs in a child process only, where MESA_GL_VERSION_OVERRIDE=2.1 was set before the application
// (and with it the first context) existed.
TEST(VideoWidgetOldGl, ChildWithoutThreeThreeCore)
{
    if (qEnvironmentVariableIsEmpty("LUMADOC_VIDEOWIDGET_OLD_GL_CHILD"))
        GTEST_SKIP() << "runs only as the child of VideoWidgetOldGl.FailsCleanlyWithOpenGl21";
    VideoWidget widget;
    QSignalSpy spy(&widget, &VideoWidget::glInitFailed);
    widget.resize(800, 600);
    widget.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
    QCoreApplication::processEvents();
    widget.setFrame(quadrantFrame());
    widget.grabFramebuffer();
    widget.repaint();
    QCoreApplication::processEvents();
    ASSERT_EQ(spy.count(), 1);
    EXPECT_FALSE(widget.isGlAvailable());
    // The frame is still kept for copy and capture.
    EXPECT_EQ(widget.currentFrame().size(), QSize(400, 300));
    EXPECT_EQ(widget.queuedFrameCount(), 0);
    printf("GL_FAILED_REASON=%s\n", qPrintable(spy.at(0).at(0).toString()));
    fflush(stdout);
}

TEST(VideoWidgetOldGl, FailsCleanlyWithOpenGl21)
{
    if (!qEnvironmentVariableIsEmpty("LUMADOC_VIDEOWIDGET_OLD_GL_CHILD"))
        GTEST_SKIP();
    if (!glAvailableHere())
        GTEST_SKIP() << "needs an OpenGL display (run under xvfb-run)";
    testsupport::TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    QProcess child;
    QProcessEnvironment env = dir.environment();
    env.insert("MESA_GL_VERSION_OVERRIDE", "2.1");
    env.insert("LUMADOC_VIDEOWIDGET_OLD_GL_CHILD", "1");
    child.setProcessEnvironment(env);
    child.start(QCoreApplication::applicationFilePath(),
                {"--gtest_filter=VideoWidgetOldGl.ChildWithoutThreeThreeCore"});
    ASSERT_TRUE(child.waitForFinished(60000));
    const QByteArray out = child.readAllStandardOutput();
    const QByteArray err = child.readAllStandardError();
    EXPECT_EQ(child.exitStatus(), QProcess::NormalExit) << err.toStdString();
    EXPECT_EQ(child.exitCode(), 0) << out.toStdString() << err.toStdString();
    EXPECT_TRUE(out.contains("GL_FAILED_REASON=OpenGL 3.3 Core unavailable")) << out.toStdString();
    EXPECT_TRUE(err.contains("[GL]")) << err.toStdString();
}
