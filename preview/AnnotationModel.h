#pragma once
// The plain record of what was drawn: strokes and erasures in annotation space, the undo history and
// the painting of that history onto any surface (the widget layer or the frame itself). No widgets
// here, so the rules can be tested without a view.
#include <QPen>
#include <QPointF>
#include <QRectF>
#include <QVector>

#include <functional>

class QPainter;

struct AnnotationStroke {
    QPen pen;                  // copied when the stroke started; width in widget pixels
    QVector<QPointF> points;   // annotation space
    int tool = 0;              // AnnotationOverlay::Tool
    QRectF rect;               // annotation space, shapes only; null otherwise
    int eraserSizePx = 0;      // erasures only: the eraser diameter in widget pixels at the time
};

// Every committed action (stroke, shape or erasure) in order. Undo takes back the newest action,
// whatever kind it is; redo puts it back. A new action drops what could have been redone.
class AnnotationHistory {
public:
    void commit(const AnnotationStroke& stroke);
    bool undo();
    bool redo();
    void clear();

    const QVector<AnnotationStroke>& items() const { return m_items; }
    bool canUndo() const { return !m_items.isEmpty(); }
    bool canRedo() const { return !m_redo.isEmpty(); }
    int redoCount() const { return m_redo.size(); }

private:
    QVector<AnnotationStroke> m_items;
    QVector<AnnotationStroke> m_redo;
};

// Paints `items` in order onto the painter's device. `mapPoint` takes an annotation point to device
// pixels; `widthScale` turns widget pixels (pen widths, eraser sizes) into device pixels. Erasures
// clear the device where they passed, so the device must be a layer of its own (not the picture).
void paintAnnotationStrokes(QPainter& painter, const QVector<AnnotationStroke>& items,
                            const std::function<QPointF(const QPointF&)>& mapPoint, double widthScale);
