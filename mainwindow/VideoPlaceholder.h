#pragma once
// Stands in the centre until the live preview arrives: it keeps the view state the rest of the window
// reads (zoom, rotation) so the status bar and the settings already speak the truth.

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

signals:
    void zoomChanged(int percent);
    void rotationChanged(int deg);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void setZoomPercent(int percent);

    int m_zoomPercent = 100;
    int m_rotationDeg = 0;
};
