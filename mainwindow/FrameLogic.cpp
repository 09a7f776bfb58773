#include "FrameLogic.h"

#include <QCoreApplication>

namespace frame {

StatusTexts statusTexts(const StatusInput& in)
{
    const auto tr = [](const char* text) { return QCoreApplication::translate("frame", text); };
    StatusTexts t;
    if (in.previewing) {
        t.status = tr("Previewing | Device: %1 | Resolution: %2x%3").arg(in.deviceName).arg(in.width).arg(in.height);
        t.zoom = tr("Zoom: %1% | FPS: %2").arg(in.zoomPercent).arg(in.fps);
    } else {
        t.status = in.deviceOpen ? tr("Camera Ready") : tr("No Camera");
        t.zoom = tr("Zoom: %1%").arg(in.zoomPercent);
    }
    return t;
}

KeyCommand keyCommand(int key, Qt::KeyboardModifiers modifiers, bool scannerGunMode)
{
    if (scannerGunMode)
        return KeyCommand::None;
    const bool ctrl = modifiers.testFlag(Qt::ControlModifier);
    if (ctrl) {
        switch (key) {
        case Qt::Key_0:
            return KeyCommand::ZoomReset;
        case Qt::Key_F:
            return KeyCommand::FitToView;
        case Qt::Key_S:
            return KeyCommand::ScanCode;
        case Qt::Key_Y:
            return KeyCommand::RedoAnnotation;
        case Qt::Key_Z:
            return KeyCommand::UndoAnnotation;
        default:
            return KeyCommand::None;
        }
    }
    switch (key) {
    case Qt::Key_Space:
        return KeyCommand::Capture;
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        return KeyCommand::ZoomIn;
    case Qt::Key_Minus:
        return KeyCommand::ZoomOut;
    default:
        return KeyCommand::None;
    }
}

QRect clampIntoScreen(const QRect& window, const QRect& available)
{
    if (!available.isValid() || available.contains(window))
        return window;
    QRect r = window;
    r.setWidth(qMin(r.width(), available.width()));
    r.setHeight(qMin(r.height(), available.height()));
    if (r.right() > available.right())
        r.moveRight(available.right());
    if (r.bottom() > available.bottom())
        r.moveBottom(available.bottom());
    if (r.left() < available.left())
        r.moveLeft(available.left());
    if (r.top() < available.top())
        r.moveTop(available.top());
    return r;
}

} // namespace frame
