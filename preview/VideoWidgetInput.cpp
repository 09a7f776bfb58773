// Pointer, wheel, key, touch and context-menu input of the preview.
#include "VideoWidgetPrivate.h"

using namespace videowidget;

void VideoWidget::mousePressEvent(QMouseEvent* event)
{
    const AnnotationOverlay::PressResult result = m_annotations->mousePress(event);
    if (result == AnnotationOverlay::PressResult::StartPan && event->button() == Qt::LeftButton) {
        d->panning = true;
        d->pressPos = event->pos();
        d->panAtPress = d->geometry.pan();
        event->accept();
        return;
    }
    if (result == AnnotationOverlay::PressResult::Handled) {
        event->accept();
        return;
    }
    QOpenGLWidget::mousePressEvent(event);
}

void VideoWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (d->panning && (event->buttons() & Qt::LeftButton)) {
        d->geometry.setWidgetSize(size());
        d->geometry.setPan(d->geometry.dragPan(d->panAtPress, event->pos() - d->pressPos));
        m_annotations->rebuildLayer();
        update();
        event->accept();
        return;
    }
    if (m_annotations->mouseMove(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void VideoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (d->panning && event->button() == Qt::LeftButton) {
        d->panning = false;
        m_annotations->mouseRelease(event);
        event->accept();
        return;
    }
    if (m_annotations->mouseRelease(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

void VideoWidget::wheelEvent(QWheelEvent* event)
{
    const int delta = event->angleDelta().y();
    const int current = d->geometry.zoomPercent();
    const int percent = delta > 0 ? std::min(current + kZoomStepPercent, ViewGeometry::kMaxZoomPercent)
                                  : std::max(current - kZoomStepPercent, ViewGeometry::kMinZoomPercent);
    setZoom(percent, event->position().toPoint());
    event->accept();
}

bool VideoWidget::handleKey(QKeyEvent* event, bool perform)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const int key = event->key();
    std::function<void()> action;
    if (mods == Qt::NoModifier) {
        if (key == Qt::Key_Plus || key == Qt::Key_Equal)
            action = [this] { zoomIn(); };
        else if (key == Qt::Key_Minus)
            action = [this] { zoomOut(); };
        else if (key == Qt::Key_F)
            action = [this] { fitToView(); };
        else if (key == Qt::Key_Delete)
            action = [this] { clearAnnotations(); };
    } else if (mods == Qt::ControlModifier) {
        if (key == Qt::Key_0)
            action = [this] { resetZoom(); };
        else if (key == Qt::Key_C)
            action = [this] { copy(); };
        else if (key == Qt::Key_Z)
            action = [this] { undo(); };
        else if (key == Qt::Key_Y)
            action = [this] { redo(); };
    }
    if (!action)
        return false;
    if (perform)
        action();
    return true;
}

void VideoWidget::keyPressEvent(QKeyEvent* event)
{
    // Keys handled here stop here: passing them on would let the main window act on the same press
    // a second time.
    if (handleKey(event, true)) {
        event->accept();
        return;
    }
    QOpenGLWidget::keyPressEvent(event);
}

void VideoWidget::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu(createVideoWidgetContextMenu(this, nullptr));
    menu->exec(event->globalPos());
    event->accept();
}

bool VideoWidget::event(QEvent* event)
{
    switch (event->type()) {
    case QEvent::ShortcutOverride: {
        // Claim our keys before a window-wide shortcut with the same keys fires as well.
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (handleKey(keyEvent, false)) {
            event->accept();
            return true;
        }
        break;
    }
    case QEvent::Gesture: {
        auto* gestureEvent = static_cast<QGestureEvent*>(event);
        if (auto* pinch = static_cast<QPinchGesture*>(gestureEvent->gesture(Qt::PinchGesture))) {
            if (pinch->state() == Qt::GestureStarted)
                d->pinchStartPercent = d->geometry.zoomPercent();
            const int percent = std::clamp(int(d->pinchStartPercent * pinch->totalScaleFactor()),
                                           ViewGeometry::kMinZoomPercent, ViewGeometry::kMaxZoomPercent);
            setZoom(percent, QPoint(width() / 2, height() / 2));
            gestureEvent->accept(pinch);
        }
        return true;
    }
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd: {
        auto* touch = static_cast<QTouchEvent*>(event);
        const auto points = touch->touchPoints();
        if (points.size() == 2 && event->type() != QEvent::TouchEnd) {
            const QPointF a = points[0].pos();
            const QPointF b = points[1].pos();
            const double distance = QLineF(a, b).length();
            if (d->touchStartDistance <= 0.0) {
                d->touchStartDistance = distance;
                d->touchStartPercent = d->geometry.zoomPercent();
            } else if (distance > 0.0) {
                const int percent =
                    std::clamp(int(d->touchStartPercent * (distance / d->touchStartDistance)),
                               ViewGeometry::kMinZoomPercent, ViewGeometry::kMaxZoomPercent);
                setZoom(percent, ((a + b) / 2.0).toPoint());
            }
        } else {
            d->touchStartDistance = 0.0;
        }
        event->accept();
        return true;
    }
    default:
        break;
    }
    return QOpenGLWidget::event(event);
}
