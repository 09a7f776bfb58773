#include "ScanResultPanel.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

ScanResultPanel::ScanResultPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("scanResultWidget"));
    setMaximumHeight(200);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(5);

    m_title = new QLabel(this);
    auto* title = m_title;
    title->setStyleSheet(QStringLiteral("QLabel { font-weight: bold; color: #ffffff; font-size: 14px; }"));
    layout->addWidget(title);
    m_info = new QLabel(this);
    m_info->setTextFormat(Qt::PlainText);
    m_info->setWordWrap(true);  // "Type: Multiple Barcodes/QR Codes | Time: ..." would widen the dock
    m_info->setStyleSheet(QStringLiteral("QLabel { color: #cccccc; font-size: 12px; }"));
    layout->addWidget(m_info);

    m_browser = new QTextBrowser(this);
    m_browser->setReadOnly(true);
    m_browser->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_browser->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_browser->setMaximumHeight(80);
    // Links go only through linkActivated: a browser that also opened them itself would open every
    // link twice, and would open whatever scheme a link had.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this, [this](const QUrl& url) {
        if (url.isValid() &&
            (url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https")))
            emit linkActivated(url);
    });
    layout->addWidget(m_browser);

    auto* buttons = new QHBoxLayout;
    m_copy = new QPushButton(this);
    m_clear = new QPushButton(this);
    m_close = new QPushButton(this);
    // Narrow enough for the side dock: a fixed 80 px would push "Close" out of sight.
    for (QPushButton* button : {m_copy, m_clear, m_close}) {
        button->setFixedHeight(30);
        button->setMinimumWidth(40);
        button->setMaximumWidth(80);
    }
    buttons->addWidget(m_copy);
    buttons->addWidget(m_clear);
    buttons->addStretch();
    buttons->addWidget(m_close);
    layout->addLayout(buttons);

    connect(m_copy, &QPushButton::clicked, this, [this] {
        const QString text = m_browser->toPlainText();
        if (text.isEmpty())
            return;
        QApplication::clipboard()->setText(text);
        emit copied();
    });
    connect(m_clear, &QPushButton::clicked, this, &ScanResultPanel::clearRequested);
    connect(m_close, &QPushButton::clicked, this, &QWidget::hide);

    m_autoHide = new QTimer(this);
    m_autoHide->setSingleShot(true);
    m_autoHide->setInterval(kAutoHideMs);
    connect(m_autoHide, &QTimer::timeout, this, &ScanResultPanel::clearRequested);
    retranslateUi();
    hide();
}

void ScanResultPanel::showResult(const ScanResult::PanelText& text)
{
    m_info->setText(text.info);
    m_browser->setHtml(text.html);
    show();
    m_autoHide->start();
}

void ScanResultPanel::clearResult()
{
    m_browser->clear();
    m_info->clear();
    hide();
    m_autoHide->stop();
}

void ScanResultPanel::retranslateUi()
{
    m_title->setText(tr("Scan Result:"));
    m_copy->setText(tr("Copy"));
    m_clear->setText(tr("Clear"));
    m_close->setText(tr("Close"));
}

void ScanResultPanel::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}
