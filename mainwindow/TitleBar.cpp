#include "TitleBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QToolButton>
#include <QWindow>

namespace {
constexpr int kTitleBarHeightPx = 50;
constexpr int kButtonSizePx = 38;
} // namespace

TitleBar::TitleBar(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("customTitleBar"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedHeight(kTitleBarHeightPx);

    m_logoArea = new QWidget(this);
    m_logoArea->setObjectName(QStringLiteral("titleLogoWidget"));
    m_logoArea->setFixedSize(320, 50);
    m_logoArea->setCursor(Qt::PointingHandCursor);
    m_logoArea->installEventFilter(this);
    m_logo = new QLabel(m_logoArea);
    m_logo->setObjectName(QStringLiteral("titleLogo"));
    m_logo->setPixmap(QPixmap(QStringLiteral(":/icons/logo.ico"))
                          .scaled(36, 36, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    m_title = new QLabel(QStringLiteral("Lumadoc"), m_logoArea);
    m_title->setObjectName(QStringLiteral("titleText"));
    m_title->setStyleSheet(QStringLiteral("color: white; font-size: 16px; font-weight: bold;"));
    auto* logoLayout = new QHBoxLayout(m_logoArea);
    logoLayout->setContentsMargins(10, 0, 0, 0);
    logoLayout->setSpacing(8);
    logoLayout->addWidget(m_logo);
    logoLayout->addWidget(m_title);
    logoLayout->addStretch();

    m_settings = makeButton("titleBarSettings", ":/icons/titlebar/settings.png");
    m_windowSwitch = makeButton("titleBarWindowSwitch", ":/icons/titlebar/window_switch.png");
    m_menu = makeButton("titleBarMenu", ":/icons/titlebar/menu.png");
    m_voice = new QToolButton(this);
    m_voice->setObjectName(QStringLiteral("titleBarVoice"));
    m_voice->setCheckable(true);
    m_voice->setFixedSize(kButtonSizePx, kButtonSizePx);
    m_voice->setIconSize(QSize(30, 30));
    m_voice->setAutoRaise(true);
    m_voice->setFocusPolicy(Qt::NoFocus);  // like the other title-bar buttons: Space belongs to capturing
    setVoiceOn(false);
    m_minimize = makeButton("titleBarMinimize", ":/icons/titlebar/minimize.png");
    m_maximize = makeButton("titleBarMaximize", ":/icons/titlebar/maximize.png");
    m_close = makeButton("titleBarClose", ":/icons/titlebar/close.png");

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 6, 0);
    layout->setSpacing(4);
    layout->addWidget(m_logoArea);
    layout->addStretch();
    for (QWidget* w : {static_cast<QWidget*>(m_settings), static_cast<QWidget*>(m_windowSwitch),
                       static_cast<QWidget*>(m_menu), static_cast<QWidget*>(m_voice),
                       static_cast<QWidget*>(m_minimize), static_cast<QWidget*>(m_maximize),
                       static_cast<QWidget*>(m_close)})
        layout->addWidget(w);

    connect(m_settings, &QPushButton::clicked, this, &TitleBar::settingsClicked);
    connect(m_windowSwitch, &QPushButton::clicked, this, &TitleBar::windowSwitchClicked);
    connect(m_menu, &QPushButton::clicked, this, &TitleBar::menuClicked);
    connect(m_voice, &QToolButton::toggled, this, [this](bool on) {
        setVoiceOn(on);
        emit voiceToggled(on);
    });
    connect(m_minimize, &QPushButton::clicked, this, &TitleBar::minimizeClicked);
    connect(m_maximize, &QPushButton::clicked, this, &TitleBar::maximizeClicked);
    connect(m_close, &QPushButton::clicked, this, &TitleBar::closeClicked);
    retranslateUi();
}

QPushButton* TitleBar::makeButton(const char* objectName, const char* icon)
{
    auto* b = new QPushButton(this);
    b->setObjectName(QString::fromLatin1(objectName));
    b->setIcon(QIcon(QString::fromLatin1(icon)));
    b->setIconSize(QSize(22, 22));
    b->setFixedSize(kButtonSizePx, kButtonSizePx);
    b->setFlat(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

void TitleBar::setMaximized(bool maximized)
{
    m_maximize->setIcon(QIcon(maximized ? QStringLiteral(":/icons/titlebar/restore.png")
                                        : QStringLiteral(":/icons/titlebar/maximize.png")));
    m_maximize->setToolTip(maximized ? tr("Restore") : tr("Maximize"));
}

void TitleBar::setVoiceOn(bool on)
{
    m_voice->setIcon(QIcon(on ? QStringLiteral(":/icons/titlebar/voice_on.png")
                              : QStringLiteral(":/icons/titlebar/voice_off.png")));
}

void TitleBar::retranslateUi()
{
    // The home-page hint is Chinese in every language, as the title itself is not translated.
    m_logoArea->setToolTip(QStringLiteral("点击访问 Lumadoc 官网"));
    m_settings->setToolTip(tr("Settings"));
    m_windowSwitch->setToolTip(tr("Window Switch"));
    m_menu->setToolTip(tr("Menu"));
    m_voice->setToolTip(tr("Voice Command"));
    m_minimize->setToolTip(tr("Minimize"));
    setMaximized(window() && window()->isMaximized());
    m_close->setToolTip(tr("Close"));
}

bool TitleBar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_logoArea && event->type() == QEvent::MouseButtonRelease) {
        auto* me = static_cast<QMouseEvent*>(event);
        if (me->button() == Qt::LeftButton && m_logoArea->rect().contains(me->pos())) {
            emit logoClicked();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TitleBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    // Let the window manager move the window where it can; it then also snaps and tiles it.
    if (QWindow* handle = window()->windowHandle(); handle && handle->startSystemMove()) {
        event->accept();
        return;
    }
    m_dragging = true;
    m_dragOffset = event->globalPos() - window()->frameGeometry().topLeft();
    event->accept();
}

void TitleBar::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_dragging || !(event->buttons() & Qt::LeftButton))
        return QWidget::mouseMoveEvent(event);
    if (window()->isMaximized())
        return; // a maximised window stays where it is until restored
    window()->move(event->globalPos() - m_dragOffset);
    event->accept();
}

void TitleBar::mouseReleaseEvent(QMouseEvent* event)
{
    m_dragging = false;
    QWidget::mouseReleaseEvent(event);
}

void TitleBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        emit maximizeClicked();
}
