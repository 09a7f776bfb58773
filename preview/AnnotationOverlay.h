#pragma once
// Drawing on the preview and selecting a crop rectangle on it. Strokes live in annotation space
// (frame pixels x 5), so they stay on the same spot of the picture through zoom, pan and rotation;
// the layer in widget pixels is rebuilt from them whenever the view changes. The view (VideoWidget
// or the image preview's canvas) forwards its mouse events and paints the overlay after the picture.
#include <QColor>
#include <QImage>
#include <QObject>
#include <QPen>
#include <QRect>

#include <functional>
#include <memory>

class QMouseEvent;
class QPainter;
class QWidget;
class ViewGeometry;

class AnnotationOverlay : public QObject {
    Q_OBJECT
public:
    // Also the tool bar's button ids.
    enum Tool { SelectTool = 0, PenTool = 1, LineTool = 2, RectangleTool = 3, EllipseTool = 4, EraserTool = 5 };
    // What a press started: the view pans on StartPan and does nothing else on Handled.
    enum class PressResult { NotHandled, StartPan, Handled };

    // `view` is repainted as strokes grow; `geometry` is the view's own and must outlive this.
    AnnotationOverlay(QWidget* view, const ViewGeometry* geometry, QObject* parent = nullptr);
    ~AnnotationOverlay() override;

    // The frame as received and the frame as displayed (rotated); empty images when there is none.
    void setFrameSources(std::function<QImage()> currentFrame, std::function<QImage()> displayedFrame);

    void setTool(int tool);
    int tool() const;
    void setPenColor(const QColor& color);
    void setPenWidth(int width);
    void setEraserSize(int size);  // widget pixels
    QPen pen() const;
    int eraserSize() const;

    void undo();
    void redo();
    void clear();
    bool canUndo() const;
    bool canRedo() const;
    bool hasAnnotations() const;

    void setCropMode(bool on);
    bool cropMode() const;
    // A selection in widget pixels; emits cropRectChanged with it mapped to frame pixels.
    void setCropRect(const QRect& widgetRect);
    QRect cropSelection() const;  // widget pixels, empty when none

    PressResult mousePress(QMouseEvent* event);
    // True when the overlay consumed the move (drawing, selecting, dragging out).
    bool mouseMove(QMouseEvent* event);
    bool mouseRelease(QMouseEvent* event);
    // Abandons the gesture a press started, as if it had never begun: a stroke in progress is dropped
    // (what an eraser already cleared comes back), a selection is withdrawn (reported as empty), a
    // drag-out ends without a picture. Used when a one-finger touch turns into a pinch.
    void cancelGesture();

    // The view's size changed: a fresh transparent layer of that size, then a rebuild.
    void resizeLayer(const QSize& widgetSize);
    // After every zoom, pan, rotation and undo or redo.
    void rebuildLayer();
    // Layer, stroke in progress, eraser cursor and crop selection, in widget pixels.
    void paint(QPainter& painter) const;
    // The strokes drawn onto the frame as displayed, at the frame's own resolution.
    void burnInto(QImage& displayedFrame) const;

signals:
    void annotationAdded();
    void annotationModified();
    void cropRectChanged(QRect frameRect);
    void imageDragged(QImage image);

private:
    struct State;
    std::unique_ptr<State> d;
};
