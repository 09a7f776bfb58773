#include "WindowSwitchPanel.h"

#include "WindowModes.h"

#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

WindowSwitchPanel::WindowSwitchPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("windowSwitchPanel"));
    setFixedSize(1000, 600);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(QStringLiteral("#windowSwitchPanel { background-color: white; border-radius: 12px; }"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(40, 30, 40, 30);
    column->setSpacing(20);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("windowSwitchTitle"));
    m_title->setAlignment(Qt::AlignCenter);
    m_title->setStyleSheet(QStringLiteral("font-size: 28px; font-weight: bold; color: #333;"));
    column->addWidget(m_title);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(8);
    for (int mode = 0; mode < windowmode::kModeCount; ++mode) {
        const windowmode::ChooserEntry& entry = windowmode::chooserEntry(mode);
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("windowSwitchMode%1").arg(mode));
        button->setFixedSize(130, 130);
        button->setIcon(QIcon(QString::fromLatin1(entry.icon)));
        button->setIconSize(QSize(72, 72));
        button->setCursor(Qt::PointingHandCursor);
        button->setStyleSheet(QStringLiteral(
            // The icons are drawn light for the dark window; a dark tile keeps them readable here.
            "QPushButton { background-color: #2c3e50; border: 2px solid #dfe4ea; border-radius: 12px; }"
            "QPushButton:hover { border-color: #1abc9c; background-color: #34495e; }"));
        auto* title = new QLabel(this);
        title->setAlignment(Qt::AlignCenter);
        title->setStyleSheet(QStringLiteral("font-size: 16px; font-weight: bold; color: #333;"));
        auto* description = new QLabel(this);
        description->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        description->setWordWrap(true);
        description->setFixedWidth(160);
        description->setStyleSheet(QStringLiteral("font-size: 12px; color: #666;"));
        grid->addWidget(button, 0, mode, Qt::AlignHCenter);
        grid->addWidget(title, 1, mode, Qt::AlignHCenter);
        grid->addWidget(description, 2, mode, Qt::AlignHCenter | Qt::AlignTop);
        m_modeButtons[mode] = button;
        m_modeTitles[mode] = title;
        m_modeDescriptions[mode] = description;
        connect(button, &QPushButton::clicked, this, [this, mode] {
            emit modeChosen(mode);
            hide();
        });
    }
    column->addStretch(1);
    column->addLayout(grid);
    column->addStretch(1);

    m_close = new QPushButton(this);
    m_close->setObjectName(QStringLiteral("windowSwitchCloseBtn"));
    m_close->setFixedSize(120, 40);
    m_close->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #ff5252; color: white; border: none; border-radius: 6px; font-size: 15px; }"
        "QPushButton:hover { background-color: #ff1744; }"));
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);
    column->addWidget(m_close, 0, Qt::AlignHCenter);

    hide();
    retranslateUi();
}

void WindowSwitchPanel::retranslateUi()
{
    m_title->setText(tr("选择功能模式"));
    for (int mode = 0; mode < windowmode::kModeCount; ++mode) {
        const windowmode::ChooserEntry& entry = windowmode::chooserEntry(mode);
        m_modeTitles[mode]->setText(tr(entry.title));
        m_modeDescriptions[mode]->setText(tr(entry.description));
    }
    m_close->setText(tr("Close"));
}

void WindowSwitchPanel::popUp()
{
    if (QWidget* host = parentWidget())
        move((host->width() - width()) / 2, qMax(0, (host->height() - height()) / 2));
    show();
    raise();
}

void WindowSwitchPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
