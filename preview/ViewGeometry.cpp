#include "ViewGeometry.h"

#include <QDebug>

#include <algorithm>
#include <cmath>

namespace {

// Pointer movement on screen turned into the stored (unrotated) pan. The video rect's top-left moves
// by (pan.x, pan.y) at 0, (pan.y, -pan.x) at 90, (-pan.x, -pan.y) at 180 and (-pan.y, pan.x) at 270,
// so these are the inverses: a screen delta added through here moves the picture by that delta.
QPoint screenDeltaToPan(const QPoint& delta, int normalizedDeg)
{
    switch (normalizedDeg) {
    case 90:
        return QPoint(-delta.y(), delta.x());
    case 180:
        return QPoint(-delta.x(), -delta.y());
    case 270:
        return QPoint(delta.y(), -delta.x());
    default:
        return delta;
    }
}

bool isQuarterTurn(int normalizedDeg) { return normalizedDeg == 90 || normalizedDeg == 270; }

} // namespace

void ViewGeometry::setWidgetSize(const QSize& size) { m_widget = size; }

void ViewGeometry::setFrameSize(const QSize& size) { m_frame = size; }

void ViewGeometry::setRotation(int storedDeg) { m_rotationDeg = storedDeg % 360; }

int ViewGeometry::normalizeRotation(int storedDeg)
{
    return ((storedDeg % 360) + 360) % 360;
}

QTransform ViewGeometry::displayTransform(int storedDeg)
{
    return QTransform().rotate((360 - normalizeRotation(storedDeg)) % 360);
}

QSize ViewGeometry::rotatedFrameSize() const
{
    return isQuarterTurn(normalizedRotation()) ? m_frame.transposed() : m_frame;
}

void ViewGeometry::setZoomPercent(int percent)
{
    m_zoomPercent = std::clamp(percent, kMinZoomPercent, kMaxZoomPercent);
}

bool ViewGeometry::zoomAt(int percent, const QPoint& anchor)
{
    if (percent < kMinZoomPercent || percent > kMaxZoomPercent || percent == m_zoomPercent)
        return false;
    const QRect oldRect = videoRect();
    QPoint anchorPoint = anchor;
    if (anchorPoint.isNull() && oldRect.isValid())
        anchorPoint = oldRect.center();
    m_zoomPercent = percent;
    const QRect newRect = videoRect();
    if (oldRect.isValid() && newRect.isValid()) {
        // The anchored frame point sits at the same fraction of the picture before and after; move
        // the new picture so that fraction lands under the anchor again.
        const double fx = double(anchorPoint.x() - oldRect.left()) / oldRect.width();
        const double fy = double(anchorPoint.y() - oldRect.top()) / oldRect.height();
        const QPoint d(anchorPoint.x() - int(newRect.width() * fx) - newRect.left(),
                       anchorPoint.y() - int(newRect.height() * fy) - newRect.top());
        m_pan += screenDeltaToPan(d, normalizedRotation());
    }
    return true;
}

int ViewGeometry::resetZoomPercent() const
{
    if (!hasFrame() || m_widget.width() <= 0)
        return m_zoomPercent;
    const double factor = double(m_frame.width()) / m_widget.width();
    return std::clamp(int(factor * 100.0), kMinZoomPercent, kMaxZoomPercent);
}

QPoint ViewGeometry::dragPan(const QPoint& panAtPress, const QPoint& pointerDelta) const
{
    return clampPan(panAtPress + screenDeltaToPan(pointerDelta, normalizedRotation()));
}

QPoint ViewGeometry::clampPan(const QPoint& pan) const
{
    if (!hasFrame() || m_widget.isEmpty())
        return QPoint();
    // The limit is half of how far the displayed picture overhangs the widget, measured along the
    // widget axis the component moves; a picture smaller than the widget stays centred.
    const QSize rotated = rotatedFrameSize();
    const double scale = displayScale();
    const double displayedW = rotated.width() * scale;
    const double displayedH = rotated.height() * scale;
    const double slackX = std::max(0.0, (displayedW - m_widget.width()) / 2.0);
    const double slackY = std::max(0.0, (displayedH - m_widget.height()) / 2.0);
    const bool quarter = isQuarterTurn(normalizedRotation());
    const int limitPanX = int(quarter ? slackY : slackX);
    const int limitPanY = int(quarter ? slackX : slackY);
    return QPoint(std::clamp(pan.x(), -limitPanX, limitPanX), std::clamp(pan.y(), -limitPanY, limitPanY));
}

QRect ViewGeometry::videoRect() const
{
    if (!hasFrame() || m_widget.isEmpty())
        return QRect();
    const QSize f = rotatedFrameSize();
    const double s = displayScale();
    const QSize displayed(int(f.width() * s), int(f.height() * s));
    const int cx = (m_widget.width() - displayed.width()) / 2;
    const int cy = (m_widget.height() - displayed.height()) / 2;
    QPoint topLeft;
    switch (normalizedRotation()) {
    case 90:
        topLeft = QPoint(cx + m_pan.y(), cy - m_pan.x());
        break;
    case 180:
        topLeft = QPoint(cx - m_pan.x(), cy - m_pan.y());
        break;
    case 270:
        topLeft = QPoint(cx - m_pan.y(), cy + m_pan.x());
        break;
    default:
        topLeft = QPoint(cx + m_pan.x(), cy + m_pan.y());
        break;
    }
    return QRect(topLeft, displayed);
}

double ViewGeometry::displayScale() const
{
    if (!hasFrame() || m_widget.isEmpty())
        return 1.0;
    const QSize f = rotatedFrameSize();
    const double fit = std::min(double(m_widget.width()) / f.width(), double(m_widget.height()) / f.height());
    return fit * zoomFactor();
}

QPointF ViewGeometry::widgetToAnnotation(const QPointF& widgetPoint) const
{
    const QRect rect = videoRect();
    if (!hasFrame() || !rect.isValid())
        return QPointF(0, 0);
    const double u = (widgetPoint.x() - rect.left()) / rect.width();
    const double v = (widgetPoint.y() - rect.top()) / rect.height();
    double a = u;
    double b = v;
    switch (normalizedRotation()) {
    case 90:
        a = 1.0 - v;
        b = u;
        break;
    case 180:
        a = 1.0 - u;
        b = 1.0 - v;
        break;
    case 270:
        a = v;
        b = 1.0 - u;
        break;
    default:
        break;
    }
    return QPointF(qRound(m_frame.width() * kAnnotationScale * a), qRound(m_frame.height() * kAnnotationScale * b));
}

QPoint ViewGeometry::annotationToWidget(const QPointF& annotationPoint) const
{
    const QRect rect = videoRect();
    if (!hasFrame() || !rect.isValid())
        return QPoint(0, 0);
    const QPointF unit(annotationPoint.x() / (double(m_frame.width()) * kAnnotationScale),
                       annotationPoint.y() / (double(m_frame.height()) * kAnnotationScale));
    const QPointF shown = turnUnitPoint(unit, normalizedRotation());
    return QPoint(int(rect.left() + rect.width() * shown.x()), int(rect.top() + rect.height() * shown.y()));
}

QPointF ViewGeometry::turnUnitPoint(const QPointF& unit, int normalizedRotationDeg)
{
    const double a = unit.x();
    const double b = unit.y();
    switch (normalizedRotationDeg) {
    case 90:
        return QPointF(b, 1.0 - a);
    case 180:
        return QPointF(1.0 - a, 1.0 - b);
    case 270:
        return QPointF(1.0 - b, a);
    default:
        return unit;
    }
}

QRect ViewGeometry::mapToImageRect(const QRect& widgetRect) const
{
    qDebug() << "VideoWidget::mapToImageRect widgetRect = " << widgetRect;
    const QRect rect = videoRect();
    if (!hasFrame() || !rect.isValid())
        return QRect();
    const QRect validRect = widgetRect.intersected(rect);
    qDebug() << "VideoWidget::mapToImageRect validRect = " << validRect << " m_videoRect = " << rect;
    if (validRect.isEmpty())
        return QRect();

    const int left = validRect.left() - rect.left();
    const int top = validRect.top() - rect.top();
    const int right = validRect.right() - rect.left();
    const int bottom = validRect.bottom() - rect.top();
    qDebug() << "left = " << left << " top = " << top << " right = " << right << " bottom = " << bottom;

    double scale = displayScale();
    if (scale <= 0.0)
        scale = 1.0;
    // std::round rounds halves away from zero.
    int imageLeft = int(std::round(left / scale));
    int imageTop = int(std::round(top / scale));
    int imageRight = int(std::round(right / scale));
    int imageBottom = int(std::round(bottom / scale));
    qDebug() << "m_currentScale = " << scale << " imageLeft = " << imageLeft << " imageTop = " << imageTop
             << " imageRight = " << imageRight << " imageBottom = " << imageBottom;

    const QSize shown = rotatedFrameSize();
    qDebug() << "m_currentFrame.width() = " << shown.width() << " m_currentFrame.height() = " << shown.height();
    imageLeft = std::clamp(imageLeft, 0, shown.width() - 1);
    imageRight = std::clamp(imageRight, 0, shown.width() - 1);
    imageTop = std::clamp(imageTop, 0, shown.height() - 1);
    imageBottom = std::clamp(imageBottom, 0, shown.height() - 1);
    return QRect(QPoint(imageLeft, imageTop), QPoint(imageRight, imageBottom));
}
