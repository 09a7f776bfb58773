#pragma once
// The live camera preview: an OpenGL 3.3 core widget that shows the newest frame fitted to the widget
// with zoom, pan and rotation in 90-degree steps, and draws the overlays on top (rate, zoom, ID-photo
// guide, annotations and crop selection). It never makes a GL call when the 3.3 core functions are
// missing; it emits glInitFailed instead and stays blank.
#include <QEvent>
#include <QImage>
#include <QMutex>
#include <QOpenGLFunctions_3_3_Core>
#include <QOpenGLWidget>
#include <QPolygon>

#include <deque>
#include <functional>

class AnnotationOverlay;
class ViewGeometry;
class QOpenGLBuffer;
class QOpenGLShaderProgram;
class QOpenGLTexture;
class QOpenGLVertexArrayObject;
class QKeyEvent;
class QMouseEvent;
class QTouchEvent;
class QResizeEvent;
class QMatrix4x4;
class QPainter;

class VideoWidget : public QOpenGLWidget, private QOpenGLFunctions_3_3_Core {
    Q_OBJECT
public:
    static constexpr int kMaxQueuedFrames = 4;
    using OverlayFunction = std::function<QImage(const QImage& transparentCanvas)>;

    explicit VideoWidget(QWidget* parent = nullptr);
    ~VideoWidget() override;

    // Frames, on the main thread.
    void setFrame(const QImage& frame);
    void clearFrame();
    QImage currentFrame() const;
    int queuedFrameCount() const;
    void setOpening(bool opening);
    bool isOpening() const;

    // View.
    void zoomIn();
    void zoomOut();
    void setZoom(int percent, const QPoint& anchor = QPoint());
    void fitToView();
    void resetZoom();
    void rotateLeft();   // +90
    void rotateRight();  // -90
    void setRotation(int angleDeg);
    void setAutoFit(bool on);
    int zoomPercent() const;
    int rotation() const;  // as stored (may be negative)
    QRect videoRect() const;
    const ViewGeometry& geometry() const;

    void setDocumentPolygon(const QPolygon& polygon);
    void clearDocumentPolygon();
    void setIdPhotoMode(bool on);
    void setIdPhotoGuideScale(double scale);
    QRect idPhotoRect() const;  // frame pixels
    void setOverlayFunction(OverlayFunction function);
    void setOverlayEnabled(bool on);
    void setLowLatency(bool on);
    void setHighQuality(bool on);
    // While on, the view's own keys (zoom, fit, copy, undo, redo, clear) pass through unhandled, so
    // that what a barcode scanner types reaches the window's scanner buffer instead.
    void setScannerGunMode(bool on);
    bool isScannerGunMode() const;

    // The picture as displayed (rotated), cut as copy cuts it; null when there is nothing to copy.
    QImage displayedImage() const;
    // Puts displayedImage() on the clipboard.
    void copy();
    // The displayed picture with the annotations burnt in at its own resolution.
    QImage annotatedImage() const;
    // Paints per second that showed a new frame.
    double displayRate() const;

    bool isGlAvailable() const;
    QString glFailureReason() const;

    // Annotation and crop (forwarded to the overlay).
    AnnotationOverlay* annotations() const { return m_annotations; }
    void setTool(int tool);
    void setPenColor(const QColor& color);
    void setPenWidth(int width);
    void setEraserSize(int size);
    void undo();
    void redo();
    void clearAnnotations();
    void setCropMode(bool on);
    void setCropRect(const QRect& widgetRect);
    QRect mapToImageRect(const QRect& widgetRect) const;

signals:
    void glInitFailed(QString reason);
    void zoomChanged(int percent);
    void annotationAdded();
    void annotationModified();
    void cropRectChanged(QRect rect);
    void rotationChanged(int angle);
    void imageDragged(QImage image);

protected:
    void initializeGL() override;
    void resizeGL(int w, int h) override;
    void paintGL() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool event(QEvent* event) override;  // touch and pinch

private:
    struct Private;
    Private* d = nullptr;

    // Syncs the geometry with the current frame's size after it changed.
    void adoptFrameSize();
    // After a zoom, pan, rotation or fit: geometry synced, annotation layer rebuilt, repaint.
    void viewChanged();
    QRect idPhotoGuideRect() const;  // widget pixels
    void drawIdPhotoGuide(QPainter& painter) const;
    QImage rotatedCurrentFrame() const;
    void takeQueuedFrame();
    void uploadTexture();
    QMatrix4x4 quadMatrix() const;
    // Whether the widget handles this key; performs it when `perform`.
    bool handleKey(QKeyEvent* event, bool perform);
    // One pointer gesture (drag-out, crop selection, pan or drawing), from the mouse or one finger.
    // Each returns whether it consumed the event.
    bool pointerPress(QMouseEvent* event);
    bool pointerMove(QMouseEvent* event);
    bool pointerRelease(QMouseEvent* event);
    void cancelPointerGesture();
    // One finger acts as the left mouse button; two or more pinch-zoom.
    void handleTouch(QTouchEvent* event);
    // Sends one finger's move to the pointer handlers as the left button would.
    void touchToPointer(QEvent::Type type, const QPointF& pos, Qt::KeyboardModifiers modifiers);
    void releaseGlResources();
    void resizeEvent(QResizeEvent* event) override;
    AnnotationOverlay* m_annotations = nullptr;
};
