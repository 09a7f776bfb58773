#pragma once
// The dimmed layer with the animated card shown over the window while a recognition runs: a title with
// running dots, a spinner, the seconds elapsed and a sweeping bar. Built once and reused.

#include <QDateTime>
#include <QSize>
#include <QWidget>

class QFrame;
class QLabel;
class QPropertyAnimation;
class QTimer;

// The animated ring of the progress card. `angle` in degrees, 0-359.
class OcrSpinnerWidget : public QWidget
{
    Q_OBJECT
public:
    explicit OcrSpinnerWidget(QWidget* parent = nullptr);
    void setAngle(int angleDeg);
    int angle() const { return m_angle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_angle = 0;
};

class OcrProgressOverlay : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kTickMs = 33;

    // A child of `host`, covering it while shown.
    explicit OcrProgressOverlay(QWidget* host);

    void start();
    void finish();
    // One animation step; the timer calls it while the overlay is visible.
    void tick();

    QString titleText() const;
    QString statusText() const;
    // The status text for `elapsedMs` milliseconds: "正在识别... 1.5 秒".
    static QString statusTextFor(qint64 elapsedMs);
    // The title after `dotCounter` ticks: the dots go 1, 2, 3, 0, 1, ... changing every 6 ticks.
    static QString titleTextFor(int dotCounter);

private:
    void placeCard();

    QWidget* m_host;
    QFrame* m_card;
    QWidget* m_glow;
    QLabel* m_title;
    QLabel* m_status;
    OcrSpinnerWidget* m_spinner;
    QWidget* m_bar;
    QPropertyAnimation* m_cardAnimation;
    QPropertyAnimation* m_glowAnimation;
    QPropertyAnimation* m_opacityAnimation;
    QTimer* m_timer;
    QDateTime m_startTime;
    QSize m_lastHostSize;
    int m_dotCounter = 0;
    int m_barPhase = 0;
};
