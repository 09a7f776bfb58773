// Pointer, wheel, key, touch and context-menu input of the preview.
#include "VideoWidgetPrivate.h"

using namespace videowidget;

namespace {

// Mouse events that Qt or the window system made from a touch we handle ourselves.
bool isTouchEcho(const QMouseEvent* event, bool touchSequenceActive)
{
    return touchSequenceActive && event->source() != Qt::MouseEventNotSynthesized;
}

} // namespace

void VideoWidget::mousePressEvent(QMouseEvent* event)
{
    // Every touch reaches handleTouch; its mouse echo must not start the same gesture a second time.
    if (isTouchEcho(event, d->touchSequenceActive) || pointerPress(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mousePressEvent(event);
}

void VideoWidget::mouseMoveEvent(QMouseEvent* event)
{
    if (isTouchEcho(event, d->touchSequenceActive) || pointerMove(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mouseMoveEvent(event);
}

void VideoWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (isTouchEcho(event, d->touchSequenceActive) || pointerRelease(event)) {
        event->accept();
        return;
    }
    QOpenGLWidget::mouseReleaseEvent(event);
}

bool VideoWidget::pointerPress(QMouseEvent* event)
{
    const AnnotationOverlay::PressResult result = m_annotations->mousePress(event);
    if (result == AnnotationOverlay::PressResult::StartPan && event->button() == Qt::LeftButton) {
        d->panning = true;
        d->pressPos = event->pos();
        d->panAtPress = d->geometry.pan();
        return true;
    }
    return result == AnnotationOverlay::PressResult::Handled;
}

bool VideoWidget::pointerMove(QMouseEvent* event)
{
    if (d->panning && (event->buttons() & Qt::LeftButton)) {
        d->geometry.setWidgetSize(size());
        d->geometry.setPan(d->geometry.dragPan(d->panAtPress, event->pos() - d->pressPos));
        m_annotations->rebuildLayer();
        update();
        return true;
    }
    return m_annotations->mouseMove(event);
}

bool VideoWidget::pointerRelease(QMouseEvent* event)
{
    if (d->panning && event->button() == Qt::LeftButton) {
        d->panning = false;
        m_annotations->mouseRelease(event);
        return true;
    }
    return m_annotations->mouseRelease(event);
}

void VideoWidget::cancelPointerGesture()
{
    // The pan so far stays: it only moved the view.
    d->panning = false;
    m_annotations->cancelGesture();
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
    // A scanner gun types digits, letters, "+", "-" and the like into whatever has focus; none of it
    // may zoom, copy or clear the drawing. Left unhandled, the keys reach the window's scanner buffer.
    if (d->scannerGunMode)
        return false;
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
        // Without a picture there is nothing to reset here; the window then resets its own zoom.
        if (key == Qt::Key_0 && d->geometry.hasFrame())
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
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TouchCancel:
        // Accepted whatever the number of fingers: in Qt 5 a widget that lets TouchBegin go gets no
        // more events of that sequence, so a pinch whose second finger lands later would be lost.
        handleTouch(static_cast<QTouchEvent*>(event));
        event->accept();
        return true;
    default:
        break;
    }
    return QOpenGLWidget::event(event);
}

void VideoWidget::touchToPointer(QEvent::Type type, const QPointF& pos, Qt::KeyboardModifiers modifiers)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent mouse(type, pos, QPointF(mapTo(window(), pos.toPoint())), QPointF(mapToGlobal(pos.toPoint())), button,
                      buttons, modifiers, Qt::MouseEventSynthesizedByApplication);
    switch (type) {
    case QEvent::MouseButtonPress:
        pointerPress(&mouse);
        break;
    case QEvent::MouseMove:
        pointerMove(&mouse);
        break;
    default:
        pointerRelease(&mouse);
        break;
    }
    d->touchPointerPos = pos;
}

void VideoWidget::handleTouch(QTouchEvent* event)
{
    using Gesture = Private::TouchGesture;
    if (event->type() == QEvent::TouchBegin) {
        d->touchGesture = Gesture::None;
        d->touchSequenceActive = true;
    }
    if (event->type() == QEvent::TouchCancel) {
        if (d->touchGesture == Gesture::Pointer)
            cancelPointerGesture();
        d->touchGesture = Gesture::None;
        d->touchSequenceActive = false;
        d->touchStartDistance = 0.0;
        return;
    }

    QList<QTouchEvent::TouchPoint> down;
    const QTouchEvent::TouchPoint* pointer = nullptr;
    for (const QTouchEvent::TouchPoint& point : event->touchPoints()) {
        if (point.state() != Qt::TouchPointReleased)
            down.append(point);
        if (point.id() == d->touchPointerId)
            pointer = &point;
    }
    // On a touch pad one finger moves the cursor, and the window system sends the mouse events for
    // that itself; only a screen's finger is a pointer of its own.
    const bool screen = event->device() && event->device()->type() == QTouchDevice::TouchScreen;

    if (down.size() >= 2) {
        if (d->touchGesture == Gesture::Pointer)
            cancelPointerGesture();
        const QPointF a = down.first().pos();
        const QPointF b = down.last().pos();
        const double distance = QLineF(a, b).length();
        if (d->touchGesture != Gesture::Pinch || d->touchStartDistance <= 0.0) {
            d->touchGesture = Gesture::Pinch;
            d->touchStartDistance = distance;
            d->touchStartPercent = d->geometry.zoomPercent();
            d->touchAnchor = ((a + b) / 2.0).toPoint();
        } else if (distance > 0.0) {
            const int percent = std::clamp(int(d->touchStartPercent * (distance / d->touchStartDistance)),
                                           ViewGeometry::kMinZoomPercent, ViewGeometry::kMaxZoomPercent);
            if (percent != d->geometry.zoomPercent())
                setZoom(percent, d->touchAnchor);
        }
    } else if (d->touchGesture == Gesture::None && down.size() == 1 && screen) {
        d->touchGesture = Gesture::Pointer;
        d->touchPointerId = down.first().id();
        touchToPointer(QEvent::MouseButtonPress, down.first().pos(), event->modifiers());
    } else if (d->touchGesture == Gesture::Pointer && pointer) {
        if (pointer->state() == Qt::TouchPointReleased) {
            touchToPointer(QEvent::MouseButtonRelease, pointer->pos(), event->modifiers());
            d->touchGesture = Gesture::Finished;
        } else if (pointer->pos() != d->touchPointerPos) {
            touchToPointer(QEvent::MouseMove, pointer->pos(), event->modifiers());
        }
    } else if (d->touchGesture == Gesture::Pinch) {
        d->touchGesture = Gesture::Finished;
    }

    if (event->type() == QEvent::TouchEnd) {
        // A sequence can end without a release for our finger (it was never reported released).
        if (d->touchGesture == Gesture::Pointer)
            touchToPointer(QEvent::MouseButtonRelease, d->touchPointerPos, event->modifiers());
        d->touchGesture = Gesture::None;
        d->touchSequenceActive = false;
        d->touchPointerId = -1;
        d->touchStartDistance = 0.0;
    }
}
