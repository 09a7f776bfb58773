#pragma once
// One cell of the comparison grid: an image file or the live picture, zoomed and panned on its own,
// with annotation strokes over it. The cell only reports what the user did (signals); the dialog
// decides what follows (loading, live video, linked zoom). Setters never emit, so the dialog can copy a
// zoom or pan into other cells without them echoing it back.
#include "CompareStroke.h"

#include <QImage>
#include <QPoint>
#include <QVector>
#include <QWidget>

class CompareCellWidget : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMinZoom = 10;      // percent
    static constexpr int kMaxZoom = 800;     // percent
    static constexpr int kDefaultZoom = 100; // percent
    static constexpr int kZoomStep = 10;     // percent per wheel notch
    // A drag pans only once the pointer leaves this square around the press point.
    static constexpr int kPanThresholdPx = 6;

    explicit CompareCellWidget(int index, QWidget* parent = nullptr);

    int index() const { return m_index; }

    // Loading a picture starts it without strokes.
    void setImage(const QImage& image);
    QImage image() const { return m_image; }
    void setLive(bool live); // off discards the live frame
    bool isLive() const { return m_live; }
    void setLiveFrame(const QImage& frame);
    QImage liveFrame() const { return m_liveFrame; }
    // What the cell shows: the live frame while live and one has arrived, otherwise the image.
    QImage picture() const;
    bool hasPicture() const { return !picture().isNull(); }
    // Empties the cell: no image, not live, no strokes, zoom 100 %, no pan.
    void clear();

    int zoom() const { return m_zoom; }
    void setZoom(int zoomPercent); // clamped to kMinZoom..kMaxZoom
    QPoint panOffset() const { return m_panOffset; }
    void setPanOffset(const QPoint& offsetPx);

    bool annotate() const { return m_annotate; }
    void setAnnotate(bool on);
    void setPenColor(const QColor& color) { m_penColor = color; }
    QColor penColor() const { return m_penColor; }
    void setPenWidth(int widthPx) { m_penWidth = widthPx; }
    int penWidth() const { return m_penWidth; }
    void setTool(CompareTool tool) { m_tool = tool; }
    CompareTool tool() const { return m_tool; }

    QVector<CompareStroke> strokes() const { return m_strokes; }
    void setStrokes(const QVector<CompareStroke>& strokes);
    // Removes the last finished stroke; false when there was none.
    bool undoStroke();
    void clearStrokes();

    void setSelected(bool selected);

    // Where the picture lies in the cell (widget pixels). At 100 % the picture is fitted into the cell
    // keeping its aspect ratio and centred; the zoom scales that size about the cell centre and the pan
    // offset shifts it. Empty without a picture.
    QRectF pictureRect() const;
    // The picture with its strokes, at the picture's resolution (what "Save Cell" writes).
    QImage renderAnnotated() const;

signals:
    void clicked(int index);
    void requestLoadImage(int index);
    // A file dropped on the cell.
    void requestLoadFile(int index, const QString& path);
    void requestToggleLiveVideo(int index);
    void zoomChanged(int index, int zoom);
    void panOffsetChanged(int index, QPoint offset);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    enum class Drag
    {
        None,
        Pan,
        Stroke
    };

    qreal displayScale() const; // widget pixels per picture pixel
    QPointF toPicture(const QPointF& widgetPos) const;
    void paintLabels(QPainter& painter);
    void showContextMenu(const QPoint& globalPos);

    int m_index;
    QImage m_image;
    QImage m_liveFrame;
    bool m_live = false;
    int m_zoom = kDefaultZoom;
    QPoint m_panOffset;

    bool m_annotate = false;
    QColor m_penColor = Qt::red;
    int m_penWidth = 3;
    CompareTool m_tool = CompareTool::Pen;
    QVector<CompareStroke> m_strokes;
    CompareStroke m_current; // the stroke being drawn
    QPointF m_strokeStart;   // picture pixels

    Drag m_drag = Drag::None;
    Qt::MouseButton m_dragButton = Qt::NoButton;
    QPoint m_pressPos;
    QPoint m_panAtPress;
    bool m_panThresholdPassed = false;
    int m_wheelRemainder = 0; // angle delta short of a whole notch
};
