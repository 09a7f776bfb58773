#include "OcrProgressOverlay.h"

#include <QConicalGradient>
#include <QEasingCurve>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPropertyAnimation>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace {

const QString kTitle = QStringLiteral("OCR 文字识别");
constexpr int kCardWidth = 400;
constexpr int kCardHeight = 200;
constexpr int kGlowGrow = 12;
constexpr int kGeometryMs = 280;
constexpr int kFadeMs = 220;

const char* const kBarGradient = "#ocrProgressBar {  background-color: qlineargradient(    x1:0, y1:0, x2:1, "
                                 "y2:0,    stop:0 rgba(74, 144, 226, 30), "
                                 "   stop:%1 rgba(74, 144, 226, 200),    stop:%2 #4AE0FF,    stop:%3 "
                                 "rgba(74, 144, 226, 200),    stop:%4 rgba(74, "
                                 "144, 226, 30)  );  border-radius: 1px;}";

} // namespace

OcrSpinnerWidget::OcrSpinnerWidget(QWidget* parent) : QWidget(parent)
{
    setFixedSize(96, 96);
    setAttribute(Qt::WA_TranslucentBackground);
}

void OcrSpinnerWidget::setAngle(int angleDeg)
{
    m_angle = ((angleDeg % 360) + 360) % 360;
    update();
}

void OcrSpinnerWidget::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(width() / 2.0, height() / 2.0);
    const double r = std::min(width(), height()) / 2.0;
    const int a = m_angle;

    auto arc = [&](double radius, double penWidth, double gradientAngle,
                   const QVector<QPair<double, QColor>>& stops, int startDeg, int spanDeg) {
        QConicalGradient gradient(c, gradientAngle);
        for (const auto& stop : stops)
            gradient.setColorAt(stop.first, stop.second);
        QPen pen(QBrush(gradient), penWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(c.x() - radius, c.y() - radius, 2 * radius, 2 * radius), startDeg * 16,
                  spanDeg * 16);
    };
    arc(r - 6, 3.5, -a,
        {{0, QColor("#4AE0FF")},
         {0.15, QColor("#4A90E2")},
         {0.5, QColor(74, 144, 226, 60)},
         {0.85, QColor("#4A90E2")},
         {1, QColor("#4AE0FF")}},
        90, -300);
    arc(r - 20, 2.5, a,
        {{0, QColor("#FF7E5F")},
         {0.25, QColor("#FFB199")},
         {0.5, QColor(255, 126, 95, 50)},
         {0.75, QColor("#FFB199")},
         {1, QColor("#FF7E5F")}},
        -45, 250);

    p.setPen(Qt::NoPen);
    for (int i = 0; i < 8; ++i) {
        const double t = (a - 45.0 * i) * M_PI / 180.0;
        const QPointF dot(c.x() + (r - 8) * std::cos(t), c.y() - (r - 8) * std::sin(t));
        const int alpha = int((1 - std::cos(i * M_PI / 4)) * 0.5 * 175 + 80);
        p.setBrush(QColor(255, 180, 100, alpha));
        p.drawEllipse(dot, 3, 3);
    }
    const double k = (1 - std::cos(2 * M_PI * (a % 360) / 360.0)) * 0.5;
    const int core = int(3 + 2 * k);
    p.setBrush(QColor(74, 224, 255, int(180 + 75 * k)));
    p.drawEllipse(c, core, core);
    const int halo = int(8 + 4 * k);
    p.setBrush(QColor(74, 224, 255, int(40 * k)));
    p.drawEllipse(c, halo, halo);
}

OcrProgressOverlay::OcrProgressOverlay(QWidget* host) : QWidget(host), m_host(host)
{
    setObjectName(QStringLiteral("ocrProgressOverlay"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#ocrProgressOverlay {  background-color: rgba(0, 0, 0, 110);}"));

    m_glow = new QWidget(this);
    m_glow->setObjectName(QStringLiteral("ocrProgressGlow"));
    m_glow->setAttribute(Qt::WA_StyledBackground);
    m_glow->setFixedSize(kCardWidth + 2 * kGlowGrow, kCardHeight + 2 * kGlowGrow);
    m_glow->setStyleSheet(QStringLiteral(
        "#ocrProgressGlow {  background-color: rgba(74, 144, 226, 40);  border-radius: 22px;}"));

    m_card = new QFrame(this);
    m_card->setObjectName(QStringLiteral("ocrProgressCard"));
    m_card->setFixedSize(kCardWidth, kCardHeight);
    m_card->setStyleSheet(
        QStringLiteral("#ocrProgressCard {  background-color: rgba(25, 30, 40, 245);  border: 1px solid "
                       "#4A90E2;  border-radius: 16px;}"));
    m_glow->stackUnder(m_card);

    auto* layout = new QVBoxLayout(m_card);
    layout->setContentsMargins(28, 22, 28, 18);
    layout->setSpacing(6);
    layout->setAlignment(Qt::AlignCenter);
    m_title = new QLabel(kTitle, m_card);
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(
        QStringLiteral("color: #E8F0FF;font-size: 14pt;font-weight: 600;letter-spacing: 2px;"
                       "background: transparent;border: none;"));
    layout->addWidget(m_title);
    auto* spinnerRow = new QHBoxLayout;
    spinnerRow->addStretch();
    m_spinner = new OcrSpinnerWidget(m_card);
    spinnerRow->addWidget(m_spinner);
    spinnerRow->addStretch();
    layout->addLayout(spinnerRow);
    m_status = new QLabel(statusTextFor(0), m_card);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setStyleSheet(
        QStringLiteral("color: #B0BFD4;font-size: 10pt;background: transparent;border: none;"));
    layout->addWidget(m_status);
    m_bar = new QWidget(m_card);
    m_bar->setObjectName(QStringLiteral("ocrProgressBar"));
    m_bar->setAttribute(Qt::WA_StyledBackground);
    m_bar->setFixedHeight(2);
    m_bar->setStyleSheet(
        QStringLiteral("#ocrProgressBar {  background-color: rgba(74, 144, 226, 60);  border-radius: 1px;}"));
    layout->addWidget(m_bar);

    m_cardAnimation = new QPropertyAnimation(m_card, "geometry", this);
    m_glowAnimation = new QPropertyAnimation(m_glow, "geometry", this);
    for (QPropertyAnimation* animation : {m_cardAnimation, m_glowAnimation}) {
        animation->setDuration(kGeometryMs);
        animation->setEasingCurve(QEasingCurve::OutCubic);
    }
    m_opacityAnimation = new QPropertyAnimation(this, "windowOpacity", this);
    m_opacityAnimation->setDuration(kFadeMs);

    m_timer = new QTimer(this);
    m_timer->setInterval(kTickMs);
    connect(m_timer, &QTimer::timeout, this, &OcrProgressOverlay::tick);
    hide();
}

QString OcrProgressOverlay::statusTextFor(qint64 elapsedMs)
{
    return QStringLiteral("正在识别... %1 秒").arg(double(elapsedMs) / 1000.0, 0, 'f', 1);
}

QString OcrProgressOverlay::titleTextFor(int dotCounter)
{
    const int step = (dotCounter / 6) % 4;
    const int dots = step == 3 ? 0 : step + 1;
    return kTitle + QString(dots, QLatin1Char('.'));
}

QString OcrProgressOverlay::titleText() const
{
    return m_title->text();
}
QString OcrProgressOverlay::statusText() const
{
    return m_status->text();
}

void OcrProgressOverlay::start()
{
    m_title->setText(kTitle);
    m_status->setText(statusTextFor(0));
    m_startTime = QDateTime::currentDateTime();
    setGeometry(m_host->rect());
    m_lastHostSize = m_host->size();

    const QRect target((m_host->width() - kCardWidth) / 2, (m_host->height() - kCardHeight) / 2, kCardWidth,
                       kCardHeight);
    const QPointF centre = QRectF(target).center();
    const QRect startRect(int(centre.x() - kCardWidth * 0.425), int(centre.y() - kCardHeight * 0.425),
                          int(kCardWidth * 0.85), int(kCardHeight * 0.85));
    const QMargins grow(kGlowGrow, kGlowGrow, kGlowGrow, kGlowGrow);
    // The card's fixed size would hold it at 400x200 during the zoom; the animation needs it free.
    m_card->setMinimumSize(0, 0);
    m_card->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_glow->setMinimumSize(0, 0);
    m_glow->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    m_card->setGeometry(startRect);
    m_glowAnimation->stop();
    m_glowAnimation->setStartValue(startRect.marginsAdded(grow));
    m_glowAnimation->setEndValue(target.marginsAdded(grow));
    m_cardAnimation->stop();
    m_cardAnimation->setStartValue(startRect);
    m_cardAnimation->setEndValue(target);
    m_glowAnimation->start();
    m_cardAnimation->start();

    m_opacityAnimation->stop();
    m_opacityAnimation->setStartValue(0.0);
    m_opacityAnimation->setEndValue(1.0);
    m_opacityAnimation->start();
    show();
    raise();

    m_spinner->setAngle(0);
    m_dotCounter = 0;
    m_barPhase = 0;
    m_timer->start();
}

void OcrProgressOverlay::finish()
{
    m_timer->stop();
    m_cardAnimation->stop();
    m_glowAnimation->stop();
    m_opacityAnimation->stop();
    hide();
}

void OcrProgressOverlay::tick()
{
    if (!isVisible())
        return;
    m_status->setText(statusTextFor(m_startTime.msecsTo(QDateTime::currentDateTime())));
    m_title->setText(titleTextFor(m_dotCounter));
    ++m_dotCounter;
    m_spinner->setAngle(m_spinner->angle() + 12);

    m_barPhase = (m_barPhase + 4) % 200;
    if (m_bar->width() > 0) {
        const double phase = m_barPhase / 200.0;
        m_bar->setStyleSheet(QString::fromLatin1(kBarGradient)
                                 .arg(std::max(phase - 0.2, 0.0), 0, 'f', 3)
                                 .arg(std::max(phase - 0.05, 0.0), 0, 'f', 3)
                                 .arg(phase, 0, 'f', 3)
                                 .arg(std::min(phase + 0.05, 1.0), 0, 'f', 3));
    }

    if (m_host->size() != m_lastHostSize)
        placeCard();
}

void OcrProgressOverlay::placeCard()
{
    m_lastHostSize = m_host->size();
    setGeometry(m_host->rect());
    m_cardAnimation->stop();
    m_glowAnimation->stop();
    const QRect target((m_host->width() - kCardWidth) / 2, (m_host->height() - kCardHeight) / 2, kCardWidth,
                       kCardHeight);
    m_card->setGeometry(target);
    m_glow->setGeometry(target.marginsAdded(QMargins(kGlowGrow, kGlowGrow, kGlowGrow, kGlowGrow)));
}
