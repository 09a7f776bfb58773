#include "VideoPlaceholder.h"

#include <QPainter>

#include <algorithm>

namespace {
constexpr int kZoomStepPercent = 10;
}

VideoPlaceholder::VideoPlaceholder(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("videoWidget"));
    setMinimumSize(320, 240);
    setAttribute(Qt::WA_StyledBackground);
}

void VideoPlaceholder::setZoomPercent(int percent)
{
    const int clamped = qBound(kMinZoomPercent, percent, kMaxZoomPercent);
    if (clamped == m_zoomPercent)
        return;
    m_zoomPercent = clamped;
    emit zoomChanged(m_zoomPercent);
    update();
}

void VideoPlaceholder::zoomIn()
{
    setZoomPercent(m_zoomPercent + kZoomStepPercent);
}

void VideoPlaceholder::zoomOut()
{
    setZoomPercent(m_zoomPercent - kZoomStepPercent);
}

void VideoPlaceholder::resetZoom()
{
    setZoomPercent(100);
}

void VideoPlaceholder::fitToView()
{
    // With no picture the whole view is the picture: fitting is the plain 100 %.
    setZoomPercent(100);
}

void VideoPlaceholder::setRotationDeg(int deg)
{
    const int normalised = ((deg % 360) + 360) % 360 / 90 * 90;
    if (normalised == m_rotationDeg)
        return;
    m_rotationDeg = normalised;
    emit rotationChanged(m_rotationDeg);
    update();
}

void VideoPlaceholder::rotateLeft()
{
    setRotationDeg(m_rotationDeg - 90);
}

void VideoPlaceholder::rotateRight()
{
    setRotationDeg(m_rotationDeg + 90);
}

void VideoPlaceholder::setFrame(const QImage& frame)
{
    m_frame = frame;
    m_opening = false;
    update();
}

void VideoPlaceholder::clearFrame()
{
    m_frame = QImage();
    update();
}

void VideoPlaceholder::setOpening(bool opening)
{
    m_opening = opening;
    update();
}

void VideoPlaceholder::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(17, 18, 20));
    if (m_frame.isNull()) {
        p.setPen(QColor(120, 130, 140));
        p.drawText(rect(), Qt::AlignCenter, tr("No Camera"));
        return;
    }
    // Rotated about the centre, then scaled to fit the rotated bounds and zoomed.
    const bool quarterTurn = m_rotationDeg % 180 != 0;
    const QSizeF picture = quarterTurn ? QSizeF(m_frame.height(), m_frame.width()) : QSizeF(m_frame.size());
    const double fit = std::min(width() / picture.width(), height() / picture.height());
    const double scale = fit * m_zoomPercent / 100.0;
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.translate(width() / 2.0, height() / 2.0);
    p.rotate(m_rotationDeg);
    p.scale(scale, scale);
    p.drawImage(QPointF(-m_frame.width() / 2.0, -m_frame.height() / 2.0), m_frame);
}
