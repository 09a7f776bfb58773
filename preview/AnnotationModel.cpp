#include "AnnotationModel.h"

#include "AnnotationOverlay.h"

#include <QPainter>
#include <QPolygonF>

void AnnotationHistory::commit(const AnnotationStroke& stroke)
{
    m_items.append(stroke);
    m_redo.clear();
}

bool AnnotationHistory::undo()
{
    if (m_items.isEmpty())
        return false;
    m_redo.append(m_items.takeLast());
    return true;
}

bool AnnotationHistory::redo()
{
    if (m_redo.isEmpty())
        return false;
    m_items.append(m_redo.takeLast());
    return true;
}

void AnnotationHistory::clear()
{
    m_items.clear();
    m_redo.clear();
}

void paintAnnotationStrokes(QPainter& painter, const QVector<AnnotationStroke>& items,
                            const std::function<QPointF(const QPointF&)>& mapPoint, double widthScale)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const AnnotationStroke& item : items) {
        if (item.tool == AnnotationOverlay::EraserTool) {
            // An erasure replays with the size it had, not the eraser's size of today.
            const double radius = item.eraserSizePx * widthScale / 2.0;
            painter.setCompositionMode(QPainter::CompositionMode_Clear);
            painter.setPen(Qt::NoPen);
            painter.setBrush(Qt::black);
            for (const QPointF& p : item.points)
                painter.drawEllipse(mapPoint(p), radius, radius);
            painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
            continue;
        }
        QPen pen = item.pen;
        pen.setWidthF(item.pen.widthF() * widthScale);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        switch (item.tool) {
        case AnnotationOverlay::PenTool:
            if (item.points.size() >= 2) {
                QPolygonF line;
                line.reserve(item.points.size());
                for (const QPointF& p : item.points)
                    line.append(mapPoint(p));
                painter.drawPolyline(line);
            }
            break;
        case AnnotationOverlay::LineTool:
            if (item.points.size() >= 2)
                painter.drawLine(mapPoint(item.points[0]), mapPoint(item.points[1]));
            break;
        case AnnotationOverlay::RectangleTool:
        case AnnotationOverlay::EllipseTool: {
            if (item.rect.isNull())
                break;
            // Both corners go through the rotation; a quarter turn swaps which one is top-left.
            const QRectF shape = QRectF(mapPoint(item.rect.topLeft()), mapPoint(item.rect.bottomRight())).normalized();
            if (item.tool == AnnotationOverlay::RectangleTool)
                painter.drawRect(shape);
            else
                painter.drawEllipse(shape);
            break;
        }
        default:
            break;
        }
    }
    painter.restore();
}
