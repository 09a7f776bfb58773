#include "CompareStroke.h"

#include <QPainter>

QPainterPath compareShapePath(CompareTool tool, const QPointF& from, const QPointF& to)
{
    QPainterPath path;
    const QRectF box = QRectF(from, to).normalized();
    switch (tool) {
    case CompareTool::Rect:
        path.addRect(box);
        break;
    case CompareTool::Ellipse:
        path.addEllipse(box);
        break;
    case CompareTool::Line:
    case CompareTool::Pen:
    case CompareTool::Eraser:
        path.moveTo(from);
        path.lineTo(to);
        break;
    }
    return path;
}

QImage renderStrokeLayer(const QSize& size, const QTransform& pictureToLayer,
                         const QVector<CompareStroke>& strokes)
{
    QImage layer(size, QImage::Format_ARGB32_Premultiplied);
    layer.fill(Qt::transparent);
    if (strokes.isEmpty() || layer.isNull())
        return layer;

    QPainter painter(&layer);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setTransform(pictureToLayer);
    painter.setBrush(Qt::NoBrush);
    for (const CompareStroke& stroke : strokes) {
        const bool erase = stroke.tool == CompareTool::Eraser;
        painter.setCompositionMode(erase ? QPainter::CompositionMode_Clear
                                         : QPainter::CompositionMode_SourceOver);
        painter.setPen(QPen(erase ? QColor(Qt::black) : stroke.color, stroke.width, Qt::SolidLine,
                            Qt::RoundCap, Qt::RoundJoin));
        painter.drawPath(stroke.path);
    }
    return layer;
}

QImage renderAnnotatedPicture(const QImage& picture, const QVector<CompareStroke>& strokes)
{
    if (picture.isNull())
        return {};
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    if (strokes.isEmpty())
        return out;
    const QImage layer = renderStrokeLayer(out.size(), QTransform(), strokes);
    QPainter painter(&out);
    painter.drawImage(0, 0, layer);
    return out;
}
