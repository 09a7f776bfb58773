#include "AnnotationOverlay.h"

#include "AnnotationModel.h"
#include "ViewGeometry.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLineF>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWidget>

#include <cmath>

namespace {

constexpr double kMinSegmentPx = 2.0;
constexpr int kSmoothingWindow = 4;
constexpr int kRepaintMarginPx = 5;
constexpr int kHandleSizePx = 8;

QImage transparentLayer(const QSize& size)
{
    if (size.isEmpty())
        return QImage();
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    return layer;
}

} // namespace

struct AnnotationOverlay::State {
    QWidget* view = nullptr;
    const ViewGeometry* geometry = nullptr;
    std::function<QImage()> currentFrame;
    std::function<QImage()> displayedFrame;

    int tool = SelectTool;
    QPen pen{QColor(Qt::red), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin};
    // The pen's colour and width while the eraser borrows the pen.
    QColor rememberedColor = Qt::red;
    int rememberedWidth = 3;
    int eraserSizePx = 20;

    bool drawing = false;
    QPoint pressPos;
    QPoint lastPointerPos;
    AnnotationStroke current;
    QPainterPath path;  // widget pixels
    QVector<QPointF> smoothingWindow;
    QPointF lastAnnotationPoint;
    QPointF lastSmoothed;
    bool hasSmoothed = false;

    AnnotationHistory history;
    QImage layer;

    bool cropMode = false;
    bool selecting = false;
    QPoint selectionStart;
    QRect selection;

    bool dragging = false;
    QImage dragImage;
    QString dragFilePath;

    bool hasFrame() const
    {
        if (currentFrame)
            return !currentFrame().isNull();
        return geometry->hasFrame();
    }
    QPointF toWidget(const QPointF& annotationPoint) const
    {
        return QPointF(geometry->annotationToWidget(annotationPoint));
    }
    void repaint(const QRect& rect = QRect())
    {
        if (!view)
            return;
        if (rect.isNull())
            view->update();
        else
            view->update(rect);
    }
    void eraseOnLayer(const QPointF& centre)
    {
        if (layer.isNull())
            return;
        QPainter painter(&layer);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::black);
        const double radius = eraserSizePx / 2.0;
        painter.drawEllipse(centre, radius, radius);
    }
    void removeDragFile()
    {
        if (!dragFilePath.isEmpty())
            QFile::remove(dragFilePath);
        dragFilePath.clear();
    }
};

AnnotationOverlay::AnnotationOverlay(QWidget* view, const ViewGeometry* geometry, QObject* parent)
    : QObject(parent), d(new State)
{
    d->view = view;
    d->geometry = geometry;
    if (view)
        d->layer = transparentLayer(view->size());
}

AnnotationOverlay::~AnnotationOverlay()
{
    // A drag still in progress must not leave its picture in the temp folder.
    d->removeDragFile();
}

void AnnotationOverlay::setFrameSources(std::function<QImage()> currentFrame, std::function<QImage()> displayedFrame)
{
    d->currentFrame = std::move(currentFrame);
    d->displayedFrame = std::move(displayedFrame);
}

void AnnotationOverlay::setTool(int tool)
{
    if (tool < SelectTool || tool > EraserTool)
        return;
    if (tool == EraserTool) {
        // Only remember the pen when it is not already the eraser's white pen; otherwise picking the
        // eraser twice would make the next pen stroke white and wide.
        if (d->tool != EraserTool) {
            d->rememberedColor = d->pen.color();
            d->rememberedWidth = d->pen.width();
        }
        d->pen.setColor(Qt::white);
        d->pen.setWidth(d->eraserSizePx);
    } else {
        d->pen.setColor(d->rememberedColor);
        d->pen.setWidth(d->rememberedWidth);
    }
    d->pen.setCapStyle(Qt::RoundCap);
    d->pen.setJoinStyle(Qt::RoundJoin);
    d->tool = tool;
}

int AnnotationOverlay::tool() const { return d->tool; }

void AnnotationOverlay::setPenColor(const QColor& color)
{
    // While the eraser holds the pen, a new colour is for the next drawing tool.
    d->rememberedColor = color;
    if (d->tool != EraserTool)
        d->pen.setColor(color);
}

void AnnotationOverlay::setPenWidth(int width)
{
    if (width <= 0)
        return;
    d->rememberedWidth = width;
    if (d->tool != EraserTool)
        d->pen.setWidth(width);
}

void AnnotationOverlay::setEraserSize(int size)
{
    if (size <= 0)
        return;
    d->eraserSizePx = size;
    if (d->tool == EraserTool)
        d->pen.setWidth(size);
}

QPen AnnotationOverlay::pen() const { return d->pen; }

int AnnotationOverlay::eraserSize() const { return d->eraserSizePx; }

void AnnotationOverlay::undo()
{
    if (!d->history.undo())
        return;
    rebuildLayer();
    d->repaint();
    emit annotationModified();
}

void AnnotationOverlay::redo()
{
    if (!d->history.redo())
        return;
    rebuildLayer();
    d->repaint();
    emit annotationModified();
}

void AnnotationOverlay::clear()
{
    d->history.clear();
    d->current = AnnotationStroke();
    d->drawing = false;
    d->path = QPainterPath();
    d->smoothingWindow.clear();
    d->hasSmoothed = false;
    if (!d->layer.isNull())
        d->layer.fill(Qt::transparent);
    d->repaint();
    emit annotationModified();
}

bool AnnotationOverlay::canUndo() const { return d->history.canUndo(); }

bool AnnotationOverlay::canRedo() const { return d->history.canRedo(); }

bool AnnotationOverlay::hasAnnotations() const { return !d->history.items().isEmpty(); }

void AnnotationOverlay::setCropMode(bool on)
{
    d->cropMode = on;
    if (!on) {
        d->selecting = false;
        d->selection = QRect();
    }
    d->repaint();
}

bool AnnotationOverlay::cropMode() const { return d->cropMode; }

void AnnotationOverlay::setCropRect(const QRect& widgetRect)
{
    d->selection = widgetRect;
    d->repaint();
    emit cropRectChanged(d->geometry->mapToImageRect(widgetRect));
}

QRect AnnotationOverlay::cropSelection() const { return d->selection.isValid() ? d->selection : QRect(); }

AnnotationOverlay::PressResult AnnotationOverlay::mousePress(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return PressResult::NotHandled;
    const QPoint pos = event->pos();
    const bool frame = d->hasFrame();

    if ((event->modifiers() & Qt::ShiftModifier) && frame) {
        // Drag-out cuts the picture as shown, the same way copy does: the selection when there is
        // one on the picture, else the whole rotated frame.
        const QImage displayed = d->displayedFrame ? d->displayedFrame() : QImage();
        QImage image = displayed;
        if (d->selection.isValid()) {
            const QRect cut = d->geometry->mapToImageRect(d->selection);
            if (!cut.isEmpty()) {
                const QImage part = displayed.copy(cut);
                if (!part.isNull())
                    image = part;
            }
        }
        d->removeDragFile();
        d->dragImage = image;
        if (!image.isNull()) {
            const QString path = QDir::tempPath() + "/temp_drag_image_"
                + QDateTime::currentDateTime().toString("yyyyMMddHHmmsszzz") + ".png";
            if (image.save(path, "PNG"))
                d->dragFilePath = path;
        }
        d->dragging = true;
        if (d->view)
            d->view->setCursor(Qt::OpenHandCursor);
        return PressResult::Handled;
    }

    if (d->cropMode && d->geometry->videoRect().contains(pos)) {
        d->selecting = true;
        d->selectionStart = pos;
        d->selection = QRect(pos, QSize(0, 0));
        d->repaint();
        return PressResult::Handled;
    }

    if (d->tool == SelectTool || !frame)
        return frame ? PressResult::StartPan : PressResult::NotHandled;

    d->drawing = true;
    d->pressPos = pos;
    d->lastPointerPos = pos;
    d->current = AnnotationStroke();
    d->current.pen = d->pen;
    d->current.tool = d->tool;
    d->path = QPainterPath();
    d->smoothingWindow.clear();
    d->hasSmoothed = false;

    if (d->tool == PenTool || d->tool == EraserTool) {
        const QPointF p = d->geometry->widgetToAnnotation(pos);
        d->current.points = {p};
        d->path.moveTo(d->toWidget(p));
        d->lastAnnotationPoint = p;
        d->lastSmoothed = d->toWidget(p);
        d->hasSmoothed = true;
        d->smoothingWindow = {p};
        if (d->tool == EraserTool) {
            // A click erases too, exactly as the replay of this erasure will.
            d->current.eraserSizePx = d->eraserSizePx;
            d->eraseOnLayer(pos);
            const int r = d->eraserSizePx / 2 + kRepaintMarginPx;
            d->repaint(QRect(pos - QPoint(r, r), pos + QPoint(r, r)));
        }
    }
    return PressResult::Handled;
}

bool AnnotationOverlay::mouseMove(QMouseEvent* event)
{
    const QPoint pos = event->pos();
    if (d->dragging) {
        if (d->view)
            d->view->setCursor(Qt::ClosedHandCursor);
        return true;
    }
    if (d->selecting) {
        d->selection = QRect(d->selectionStart, pos).normalized();
        d->repaint();
        return true;
    }
    if (!d->drawing)
        return false;

    const QPoint previousPointer = d->lastPointerPos;
    d->lastPointerPos = pos;
    const int margin = d->pen.width() + kRepaintMarginPx;

    switch (d->tool) {
    case PenTool: {
        const QPointF p = d->geometry->widgetToAnnotation(pos);
        d->smoothingWindow.append(p);
        while (d->smoothingWindow.size() > kSmoothingWindow)
            d->smoothingWindow.removeFirst();
        const QPointF lastWidget = d->toWidget(d->lastAnnotationPoint);
        const QPointF newWidget = d->toWidget(p);
        if (QLineF(lastWidget, newWidget).length() < kMinSegmentPx)
            return true;
        QPointF smoothed = newWidget;
        if (d->smoothingWindow.size() > 2) {
            // Newer points weigh more, so the line follows the pointer while the jitter is averaged.
            QPointF sum;
            double weights = 0.0;
            for (int i = 0; i < d->smoothingWindow.size(); ++i) {
                const double w = i + 1;
                sum += d->toWidget(d->smoothingWindow[i]) * w;
                weights += w;
            }
            smoothed = sum / weights;
        }
        if (d->hasSmoothed)
            d->path.quadTo(d->lastSmoothed, (d->lastSmoothed + smoothed) / 2.0);
        d->path.lineTo(smoothed);
        d->lastSmoothed = smoothed;
        d->hasSmoothed = true;
        d->lastAnnotationPoint = p;
        d->current.points.append(p);
        d->repaint(QRectF(lastWidget, smoothed).normalized().toAlignedRect().adjusted(-margin, -margin, margin, margin));
        return true;
    }
    case EraserTool: {
        d->current.points.append(d->geometry->widgetToAnnotation(pos));
        d->eraseOnLayer(pos);
        const double radius = d->eraserSizePx / 2.0;
        d->path.addEllipse(QPointF(pos), radius, radius);
        const int r = int(std::ceil(radius)) + kRepaintMarginPx;
        // The cursor moved too: repaint where it was and where it is.
        d->repaint(QRect(previousPointer, pos).normalized().adjusted(-r, -r, r, r));
        return true;
    }
    case LineTool:
    case RectangleTool:
    case EllipseTool: {
        const QRectF oldBox = d->path.boundingRect();
        const QPointF s = d->toWidget(d->geometry->widgetToAnnotation(d->pressPos));
        const QPointF e = d->toWidget(d->geometry->widgetToAnnotation(pos));
        d->path = QPainterPath();
        if (d->tool == LineTool) {
            d->path.moveTo(s);
            d->path.lineTo(e);
        } else if (d->tool == RectangleTool) {
            d->path.addRect(QRectF(s, e).normalized());
        } else {
            d->path.addEllipse(QRectF(s, e).normalized());
        }
        const QRect box = oldBox.united(d->path.boundingRect()).toAlignedRect();
        d->repaint(box.adjusted(-margin, -margin, margin, margin));
        return true;
    }
    default:
        return true;
    }
}

bool AnnotationOverlay::mouseRelease(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return false;
    const QPoint pos = event->pos();

    if (d->dragging) {
        if (!d->dragFilePath.isEmpty() && QFile::exists(d->dragFilePath))
            emit imageDragged(d->dragImage);
        d->removeDragFile();
        d->dragImage = QImage();
        d->dragging = false;
        if (d->view)
            d->view->setCursor(Qt::ArrowCursor);
        return true;
    }

    if (d->selecting) {
        d->selecting = false;
        d->selection = d->selection.intersected(d->geometry->videoRect());
        emit cropRectChanged(d->geometry->mapToImageRect(d->selection));
        d->repaint();
        return true;
    }

    if (!d->drawing)
        return false;
    d->drawing = false;

    bool committed = false;
    switch (d->tool) {
    case PenTool:
        // A click without movement leaves nothing visible, so it leaves no undo step either.
        if (d->current.points.size() >= 2) {
            d->history.commit(d->current);
            if (!d->layer.isNull()) {
                QPainter painter(&d->layer);
                painter.setRenderHint(QPainter::Antialiasing, true);
                painter.setPen(d->current.pen);
                painter.setBrush(Qt::NoBrush);
                painter.drawPath(d->path);
            }
            committed = true;
        }
        break;
    case EraserTool:
        // An erasure is an action of its own: one undo takes back this erasure only.
        d->history.commit(d->current);
        committed = true;
        break;
    case LineTool:
    case RectangleTool:
    case EllipseTool: {
        const QPointF s = d->geometry->widgetToAnnotation(d->pressPos);
        const QPointF e = d->geometry->widgetToAnnotation(pos);
        if (s != e) {
            d->current.points = {s, e};
            if (d->tool != LineTool)
                d->current.rect = QRectF(s, e);
            d->history.commit(d->current);
            if (!d->layer.isNull()) {
                QPainter painter(&d->layer);
                paintAnnotationStrokes(painter, {d->current},
                                       [this](const QPointF& p) { return d->toWidget(p); }, 1.0);
            }
            committed = true;
        }
        break;
    }
    default:
        break;
    }

    d->path = QPainterPath();
    d->current = AnnotationStroke();
    d->smoothingWindow.clear();
    d->hasSmoothed = false;
    d->repaint();
    if (committed)
        emit annotationAdded();
    return true;
}

void AnnotationOverlay::cancelGesture()
{
    if (d->dragging) {
        d->removeDragFile();
        d->dragImage = QImage();
        d->dragging = false;
        if (d->view)
            d->view->setCursor(Qt::ArrowCursor);
    }
    if (d->selecting) {
        d->selecting = false;
        d->selection = QRect();
        emit cropRectChanged(QRect());
    }
    if (d->drawing) {
        d->drawing = false;
        d->current = AnnotationStroke();
        d->path = QPainterPath();
        d->smoothingWindow.clear();
        d->hasSmoothed = false;
        // The eraser clears the layer as it goes; the rebuild puts back what it took.
        rebuildLayer();
    }
    d->repaint();
}

void AnnotationOverlay::resizeLayer(const QSize& widgetSize)
{
    d->layer = transparentLayer(widgetSize);
    rebuildLayer();
}

void AnnotationOverlay::rebuildLayer()
{
    if (d->layer.isNull())
        return;
    d->layer.fill(Qt::transparent);
    if (!d->geometry->hasFrame())
        return;
    QPainter painter(&d->layer);
    paintAnnotationStrokes(painter, d->history.items(), [this](const QPointF& p) { return d->toWidget(p); }, 1.0);
}

void AnnotationOverlay::paint(QPainter& painter) const
{
    painter.save();
    if (!d->layer.isNull())
        painter.drawImage(0, 0, d->layer);

    if (d->drawing && d->tool != EraserTool) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(d->pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(d->path);
    } else if (d->drawing && d->tool == EraserTool) {
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(QPen(Qt::white, 2));
        painter.setBrush(Qt::white);
        const double radius = d->eraserSizePx / 2.0;
        painter.drawEllipse(QPointF(d->lastPointerPos), radius, radius);
    }

    if (d->cropMode && d->selection.isValid()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen outline(QColor(255, 0, 0, 200), 2, Qt::CustomDashLine, Qt::SquareCap, Qt::BevelJoin);
        outline.setDashPattern({5, 3});
        painter.setPen(outline);
        painter.setBrush(QColor(255, 0, 0, 50));
        painter.drawRect(d->selection);
        painter.setPen(Qt::NoPen);
        painter.setBrush(Qt::red);
        const QRect& s = d->selection;
        for (const QPoint& corner : {s.topLeft(), s.topRight(), s.bottomLeft(), s.bottomRight()})
            painter.drawRect(QRect(corner - QPoint(kHandleSizePx / 2, kHandleSizePx / 2), QSize(kHandleSizePx, kHandleSizePx)));
    }
    painter.restore();
}

void AnnotationOverlay::burnInto(QImage& displayedFrame) const
{
    const ViewGeometry& g = *d->geometry;
    if (displayedFrame.isNull() || !g.hasFrame() || d->history.items().isEmpty())
        return;
    const int rotation = g.normalizedRotation();
    const QSizeF annotationSize(g.frameSize().width() * double(ViewGeometry::kAnnotationScale),
                                g.frameSize().height() * double(ViewGeometry::kAnnotationScale));
    const QSizeF target(displayedFrame.size());
    // The same turn as the view applies, with the whole picture in place of the video rect.
    auto mapPoint = [=](const QPointF& p) {
        const QPointF shown = ViewGeometry::turnUnitPoint(
            QPointF(p.x() / annotationSize.width(), p.y() / annotationSize.height()), rotation);
        return QPointF(target.width() * shown.x(), target.height() * shown.y());
    };
    // Widths were chosen in widget pixels; on the picture they keep the thickness they had on screen.
    const QSize shown = g.rotatedFrameSize();
    double widthScale = 1.0 / g.displayScale();
    if (shown.width() > 0)
        widthScale *= target.width() / shown.width();

    // Erasures clear what was drawn, never the picture itself: draw on a layer of their own first.
    QImage layer = transparentLayer(displayedFrame.size());
    {
        QPainter painter(&layer);
        paintAnnotationStrokes(painter, d->history.items(), mapPoint, widthScale);
    }
    const QImage::Format format = displayedFrame.format();
    if (format == QImage::Format_Indexed8 || format == QImage::Format_Grayscale8 || format == QImage::Format_Mono
        || format == QImage::Format_MonoLSB || format == QImage::Format_Grayscale16)
        displayedFrame = displayedFrame.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&displayedFrame);
    painter.drawImage(0, 0, layer);
}
