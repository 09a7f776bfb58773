#include "VideoPlaceholder.h"

#include <QPainter>

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

void VideoPlaceholder::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), QColor(17, 18, 20));
    p.setPen(QColor(120, 130, 140));
    p.drawText(rect(), Qt::AlignCenter, tr("No Camera"));
}
