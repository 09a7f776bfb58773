#pragma once
// A plain widget standing in for the preview: it forwards the mouse to the overlay and paints it, as
// VideoWidget does, so the overlay is tested without OpenGL.
#include "AnnotationOverlay.h"
#include "ViewGeometry.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <QTransform>
#include <QWidget>

class AnnotationTestView : public QWidget {
public:
    AnnotationTestView()
    {
        resize(800, 600);
        m_geometry.setWidgetSize(QSize(800, 600));
        m_overlay = new AnnotationOverlay(this, &m_geometry, this);
    }
    AnnotationOverlay* overlay() const { return m_overlay; }
    ViewGeometry& geometry() { return m_geometry; }
    int pressResults[3] = {0, 0, 0};

protected:
    void mousePressEvent(QMouseEvent* event) override
    {
        ++pressResults[int(m_overlay->mousePress(event))];
    }
    void mouseMoveEvent(QMouseEvent* event) override { m_overlay->mouseMove(event); }
    void mouseReleaseEvent(QMouseEvent* event) override { m_overlay->mouseRelease(event); }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        m_overlay->paint(painter);
    }

private:
    ViewGeometry m_geometry;
    AnnotationOverlay* m_overlay = nullptr;
};

// The frame turned the way the view shows it: a stored +90 turns the picture counter-clockwise.
inline QImage rotateForDisplay(const QImage& frame, int normalizedDeg)
{
    if (normalizedDeg == 0)
        return frame;
    return frame.transformed(QTransform().rotate(-normalizedDeg));
}
