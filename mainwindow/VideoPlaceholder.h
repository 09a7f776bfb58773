#pragma once
// Stands in the centre until the OpenGL preview arrives: it paints the newest camera frame scaled to
// fit and keeps the view state the rest of the window reads (zoom, rotation).

#include <QImage>
#include <QWidget>

class VideoPlaceholder : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kMinZoomPercent = 10;
    static constexpr int kMaxZoomPercent = 400;

    explicit VideoPlaceholder(QWidget* parent = nullptr);

    int zoomPercent() const { return m_zoomPercent; }
    // Clockwise, 0/90/180/270.
    int rotationDeg() const { return m_rotationDeg; }
    void setRotationDeg(int deg);

    void zoomIn();
    void zoomOut();
    void resetZoom();
    void fitToView();
    void rotateLeft();
    void rotateRight();

    // The newest camera frame; the previous one is dropped.
    void setFrame(const QImage& frame);
    void clearFrame();
    QImage frame() const { return m_frame; }
    // A camera is being opened: the first frame is on its way.
    void setOpening(bool opening);
    bool isOpening() const { return m_opening; }

signals:
    void zoomChanged(int percent);
    void rotationChanged(int deg);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setZoomPercent(int percent);

    int m_zoomPercent = 100;
    int m_rotationDeg = 0;
    QImage m_frame;
    bool m_opening = false;
};
