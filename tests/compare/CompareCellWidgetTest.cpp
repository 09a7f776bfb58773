// A comparison cell driven by mouse and wheel events: zoom limits, the pan threshold, and strokes that
// land on the right picture pixels under zoom and pan.
#include "CompareCellWidget.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <vector>

namespace {

void sendMouse(QWidget& w, QEvent::Type type, QPoint pos, Qt::MouseButton button, Qt::MouseButtons held)
{
    QMouseEvent event(type, pos, w.mapToGlobal(pos), button, held, Qt::NoModifier);
    QApplication::sendEvent(&w, &event);
}

// Press at `from`, move there in four steps with the button held, release.
void dragWith(QWidget& w, Qt::MouseButton button, QPoint from, QPoint to)
{
    sendMouse(w, QEvent::MouseButtonPress, from, button, button);
    for (int step = 1; step <= 4; ++step)
        sendMouse(w, QEvent::MouseMove, from + (to - from) * step / 4, Qt::NoButton, button);
    sendMouse(w, QEvent::MouseButtonRelease, to, button, Qt::NoButton);
}

void wheel(QWidget& w, int angleDelta)
{
    const QPointF at(w.width() / 2.0, w.height() / 2.0);
    QWheelEvent event(at, w.mapToGlobal(at.toPoint()), QPoint(), QPoint(0, angleDelta), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&w, &event);
}

QImage whiteImage(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A 400 x 200 cell holding a 200 x 100 picture: fitted at twice its size, filling the cell at 100 %.
struct CellFixture
{
    CompareCellWidget cell{0};
    CellFixture()
    {
        cell.resize(400, 200);
        cell.setImage(whiteImage(200, 100));
    }
};

} // namespace

TEST(CompareCellWidget, WheelZoomsByTenWithinLimitsAndEmitsOnlyOnChange)
{
    struct Row
    {
        int startZoom;
        std::vector<int> deltas;
        int expectedZoom;
        int expectedEmits;
    };
    const Row rows[] = {
        {800, {120}, 800, 0}, {10, {-120}, 10, 0},  {100, {120}, 110, 1},    {15, {-120}, 10, 1},
        {795, {120}, 800, 1}, {100, {-360}, 70, 1}, {100, {60, 60}, 110, 1}, {100, {60}, 100, 0},
    };
    for (const Row& row : rows) {
        CellFixture f;
        f.cell.setZoom(row.startZoom);
        QSignalSpy spy(&f.cell, &CompareCellWidget::zoomChanged);
        for (int delta : row.deltas)
            wheel(f.cell, delta);
        EXPECT_EQ(f.cell.zoom(), row.expectedZoom) << "from " << row.startZoom;
        ASSERT_EQ(spy.count(), row.expectedEmits) << "from " << row.startZoom;
        if (row.expectedEmits > 0) {
            EXPECT_EQ(spy.last().at(1).toInt(), row.expectedZoom);
        }
    }
}

TEST(CompareCellWidget, DragPansOnlyPastTheThresholdAndWithTheRightButton)
{
    struct Row
    {
        const char* what;
        Qt::MouseButton button;
        bool annotate;
        bool picture;
        int zoom;
        QPoint from, to;
        QPoint expectedPan;
        int expectedStrokes;
    };
    const QPoint c(200, 100);
    const Row rows[] = {
        {"left 5 px", Qt::LeftButton, false, true, 100, c, c + QPoint(5, 0), {}, 0},
        {"left 5 px diagonal", Qt::LeftButton, false, true, 100, c, c + QPoint(5, -5), {}, 0},
        {"left 7 px", Qt::LeftButton, false, true, 100, c, c + QPoint(7, 0), {7, 0}, 0},
        {"left 7 px up", Qt::LeftButton, false, true, 100, c, c + QPoint(2, -7), {2, -7}, 0},
        {"middle 6 px", Qt::MiddleButton, false, true, 100, c, c + QPoint(-6, 1), {-6, 1}, 0},
        {"right while annotating", Qt::RightButton, true, true, 100, c, c + QPoint(7, 3), {7, 3}, 0},
        {"right beside a small picture", Qt::RightButton, false, true, 50, {10, 10}, {30, 10}, {20, 0}, 0},
        {"left beside a small picture", Qt::LeftButton, false, true, 50, {10, 10}, {30, 10}, {}, 0},
        {"right on an empty cell", Qt::RightButton, false, false, 100, c, c + QPoint(20, 0), {}, 0},
        {"left while annotating draws", Qt::LeftButton, true, true, 100, c, c + QPoint(20, 0), {}, 1},
    };
    for (const Row& row : rows) {
        CellFixture f;
        if (!row.picture)
            f.cell.setImage(QImage());
        f.cell.setZoom(row.zoom);
        f.cell.setAnnotate(row.annotate);
        QSignalSpy pans(&f.cell, &CompareCellWidget::panOffsetChanged);
        dragWith(f.cell, row.button, row.from, row.to);
        EXPECT_EQ(f.cell.panOffset(), row.expectedPan) << row.what;
        EXPECT_EQ(pans.isEmpty(), row.expectedPan.isNull()) << row.what;
        EXPECT_EQ(f.cell.strokes().size(), row.expectedStrokes) << row.what;
    }
}

TEST(CompareCellWidget, StrokesLandOnPicturePixelsUnderZoomAndPan)
{
    // Zoom 200 % on top of the 2x fit: 4 widget pixels per picture pixel; the 800 x 400 picture is
    // centred on (200, 100) shifted by the pan, so picture (0, 0) sits at (-170, -110).
    const QPoint pan(30, -10);
    const auto toWidget = [&](QPointF p) {
        return (QPointF(-200 + pan.x(), -100 + pan.y()) + p * 4).toPoint();
    };
    struct Row
    {
        const char* what;
        CompareTool tool;
        QPointF from, to;
        bool eraseAcross; // then wipe a vertical band through x = 65
        bool undoLast;
        std::vector<QPoint> marked;
        std::vector<QPoint> clean;
    };
    const Row rows[] = {
        {"pen",
         CompareTool::Pen,
         {50, 40},
         {80, 40},
         false,
         false,
         {{65, 40}, {51, 40}},
         {{65, 50}, {85, 40}}},
        {"line", CompareTool::Line, {50, 40}, {80, 40}, false, false, {{65, 40}}, {{65, 44}}},
        {"rect", CompareTool::Rect, {50, 30}, {80, 60}, false, false, {{50, 45}, {65, 60}}, {{65, 45}}},
        {"ellipse",
         CompareTool::Ellipse,
         {50, 30},
         {80, 60},
         false,
         false,
         {{50, 45}, {65, 30}},
         {{65, 45}, {51, 31}}},
        {"eraser", CompareTool::Pen, {50, 40}, {80, 40}, true, false, {{55, 40}, {75, 40}}, {{65, 40}}},
        {"eraser undone", CompareTool::Pen, {50, 40}, {80, 40}, true, true, {{55, 40}, {65, 40}}, {}},
    };
    for (const Row& row : rows) {
        CellFixture f;
        f.cell.setZoom(200);
        f.cell.setPanOffset(pan);
        f.cell.setAnnotate(true);
        f.cell.setPenColor(Qt::red);
        f.cell.setPenWidth(12); // 3 picture pixels at this scale
        f.cell.setTool(row.tool);
        dragWith(f.cell, Qt::LeftButton, toWidget(row.from), toWidget(row.to));
        if (row.eraseAcross) {
            f.cell.setTool(CompareTool::Eraser);
            dragWith(f.cell, Qt::LeftButton, toWidget({65, 30}), toWidget({65, 55}));
        }
        if (row.undoLast) {
            EXPECT_TRUE(f.cell.undoStroke());
        }

        const QImage out = f.cell.renderAnnotated();
        ASSERT_EQ(out.size(), QSize(200, 100)) << row.what;
        for (const QPoint& p : row.marked)
            EXPECT_EQ(QColor(out.pixel(p)), QColor(Qt::red)) << row.what << " at " << p.x() << "," << p.y();
        for (const QPoint& p : row.clean)
            EXPECT_EQ(QColor(out.pixel(p)), QColor(Qt::white)) << row.what << " at " << p.x() << "," << p.y();
    }
}
