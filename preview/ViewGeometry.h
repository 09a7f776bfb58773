#pragma once
// Where the camera frame lands in the preview: the video rect for a zoom, pan and 90-degree rotation,
// anchored zoom, the pan clamp, and the mappings widget <-> frame <-> annotation space. Plain value
// class without OpenGL or widgets, so every rule is tested and benchmarked on its own.
#include <QPoint>
#include <QPointF>
#include <QRect>
#include <QSize>
#include <QTransform>

class ViewGeometry {
public:
    static constexpr int kMinZoomPercent = 10;
    static constexpr int kMaxZoomPercent = 400;
    // Annotation space is frame pixels times this factor.
    static constexpr int kAnnotationScale = 5;

    // Widget size in widget pixels; frame size as received (before rotation). An empty frame size
    // means no frame: the video rect is empty and every mapping gives (0, 0) / an empty rect.
    void setWidgetSize(const QSize& size);
    void setFrameSize(const QSize& size);
    QSize widgetSize() const { return m_widget; }
    QSize frameSize() const { return m_frame; }
    bool hasFrame() const { return !m_frame.isEmpty(); }

    // Stored rotation as the view keeps it: rotating right from 0 stores -90, -180, -270, 0.
    // Every computation uses normalizedRotation() in 0..359 (multiples of 90).
    void setRotation(int storedDeg);
    int rotation() const { return m_rotationDeg; }
    int normalizedRotation() const { return normalizeRotation(m_rotationDeg); }
    // A stored angle (any multiple of 90, negative too) in 0..359.
    static int normalizeRotation(int storedDeg);
    // How a frame is turned to look as the preview shows it at `storedDeg`. The preview counts its
    // angle counter-clockwise on screen while QTransform turns clockwise in y-down coordinates, so 90
    // shown is 270 applied. Captures and copies use this, so they come out as the preview shows them.
    static QTransform displayTransform(int storedDeg);
    // The frame's size as shown: width and height exchanged at 90 and 270 degrees.
    QSize rotatedFrameSize() const;

    int zoomPercent() const { return m_zoomPercent; }
    double zoomFactor() const { return m_zoomPercent / 100.0; }
    // Sets the percent without anchoring (clamped to 10..400).
    void setZoomPercent(int percent);
    // Zoom keeping the frame point under `anchor` (widget pixels) where it is; an anchor of (0, 0)
    // means the centre of the video rect. False (and nothing changed) for a percent outside
    // 10..400 or equal to the current one.
    bool zoomAt(int percent, const QPoint& anchor);
    // The percent "reset zoom" chooses: frame width / widget width, truncated, clamped to 10..400.
    // Returns the current percent when there is no frame or the widget is empty.
    int resetZoomPercent() const;

    // Pan offset in unrotated widget pixels, as the view stores it.
    QPoint pan() const { return m_pan; }
    void setPan(const QPoint& pan) { m_pan = pan; }
    // Pan after a drag of `pointerDelta` (widget pixels) that started with `panAtPress`: the delta
    // turned by the rotation, then each component clamped so the displayed picture (fit scale times
    // zoom) cannot be pushed out of view.
    QPoint dragPan(const QPoint& panAtPress, const QPoint& pointerDelta) const;
    QPoint clampPan(const QPoint& pan) const;

    // Where the frame is drawn, in widget pixels; empty without a frame or widget.
    QRect videoRect() const;
    // Widget pixels per frame pixel (fit scale times zoom); 1.0 without a frame.
    double displayScale() const;

    // Widget point -> annotation space (frame pixels x 5, rounded), undoing the rotation.
    QPointF widgetToAnnotation(const QPointF& widgetPoint) const;
    // A point of the unrotated frame in unit coordinates (0..1) -> the same point of the picture as
    // shown at `normalizedRotationDeg` (0, 90, 180 or 270), also in unit coordinates.
    static QPointF turnUnitPoint(const QPointF& unit, int normalizedRotationDeg);
    // Annotation space -> widget point (truncated), applying the rotation.
    QPoint annotationToWidget(const QPointF& annotationPoint) const;
    // Widget rectangle -> pixel rectangle of the frame as displayed (after rotation), clipped to
    // the video rect and clamped to the rotated frame; empty when nothing of it lies on the picture.
    QRect mapToImageRect(const QRect& widgetRect) const;

private:
    QSize m_widget;
    QSize m_frame;
    int m_rotationDeg = 0;
    int m_zoomPercent = 100;
    QPoint m_pan;
};
