#pragma once
// Annotation strokes of a comparison cell, kept as vector data in the picture's own pixels so they
// follow the picture under any zoom and pan and are written at full resolution when a cell is saved.
#include <QColor>
#include <QImage>
#include <QPainterPath>
#include <QTransform>
#include <QVector>

enum class CompareTool
{
    Pen, // freehand
    Line,
    Rect,
    Ellipse,
    Eraser, // freehand; wipes the strokes drawn before it, never the picture
};

struct CompareStroke
{
    QPainterPath path; // picture pixels
    QColor color;
    qreal width = 3.0; // picture pixels
    CompareTool tool = CompareTool::Pen;
};

// The outline a shape tool draws when dragged from `from` to `to` (picture pixels). Pen and eraser
// paths are built point by point by the caller instead.
QPainterPath compareShapePath(CompareTool tool, const QPointF& from, const QPointF& to);

// The strokes painted on a transparent layer of `size`, picture pixels mapped by `pictureToLayer`.
// Eraser strokes clear the layer where they pass, so they remove earlier marks but leave the picture
// underneath intact, and undoing an eraser stroke brings the marks back.
QImage renderStrokeLayer(const QSize& size, const QTransform& pictureToLayer,
                         const QVector<CompareStroke>& strokes);

// The picture with its strokes over it, at the picture's resolution; null for a null picture.
QImage renderAnnotatedPicture(const QImage& picture, const QVector<CompareStroke>& strokes);
