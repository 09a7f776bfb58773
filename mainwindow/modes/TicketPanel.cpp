#include "TicketPanel.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

TicketPanel::TicketPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ticketPanel"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedWidth(360);
    setStyleSheet(QStringLiteral(
        "#ticketPanel { background-color: #2c3e50; }"
        "#ticketPanel QLabel { color: #ecf0f1; }"
        "#ticketPanelTitle { font-size: 18px; font-weight: bold; }"
        "#ticketPanel QPushButton { background-color: #34495e; color: #ecf0f1; border: 1px solid #4a6278;"
        " border-radius: 4px; padding: 6px; }"
        "#ticketPanel QPushButton:hover { background-color: #3d566e; }"
        "#ticketPanel QPushButton#ticketRecognizeButton { background-color: #27ae60; font-weight: bold; }"
        "#ticketPanel QTextBrowser { background-color: #1f2a36; color: #ecf0f1; border: 1px solid #4a6278; }"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("ticketPanelTitle"));
    column->addWidget(m_title);

    m_typeLabel = new QLabel(this);
    typeCombo = new QComboBox(this);
    typeCombo->setObjectName(QStringLiteral("ticketTypeCombo"));
    for (const char* data : {"idcard", "driver_license", "vat_invoice", "vehicle_license"})
        typeCombo->addItem(QString(), QString::fromLatin1(data));
    auto* typeRow = new QHBoxLayout;
    typeRow->addWidget(m_typeLabel);
    typeRow->addWidget(typeCombo, 1);
    column->addLayout(typeRow);

    recognizeButton = new QPushButton(this);
    recognizeButton->setObjectName(QStringLiteral("ticketRecognizeButton"));
    recognizeButton->setMinimumHeight(44);
    column->addWidget(recognizeButton);
    readCardButton = new QPushButton(this);
    readCardButton->setObjectName(QStringLiteral("ticketReadCardButton"));
    column->addWidget(readCardButton);
    connect(typeCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this] { readCardButton->setVisible(ticketType() == QLatin1String("idcard")); });

    m_resultLabel = new QLabel(this);
    column->addWidget(m_resultLabel);
    resultBrowser = new QTextBrowser(this);
    resultBrowser->setObjectName(QStringLiteral("ticketResultBrowser"));
    resultBrowser->setOpenLinks(false);
    column->addWidget(resultBrowser, 1);

    auto* buttons = new QGridLayout;
    editButton = new QPushButton(this);
    editButton->setObjectName(QStringLiteral("ticketEditButton"));
    queryButton = new QPushButton(this);
    queryButton->setObjectName(QStringLiteral("ticketQueryButton"));
    exportJsonButton = new QPushButton(this);
    exportJsonButton->setObjectName(QStringLiteral("ticketExportJsonButton"));
    copyButton = new QPushButton(this);
    copyButton->setObjectName(QStringLiteral("ticketCopyButton"));
    backButton = new QPushButton(this);
    backButton->setObjectName(QStringLiteral("ticketBackButton"));
    buttons->addWidget(editButton, 0, 0);
    buttons->addWidget(queryButton, 0, 1);
    buttons->addWidget(exportJsonButton, 1, 0);
    buttons->addWidget(copyButton, 1, 1);
    buttons->addWidget(backButton, 2, 0, 1, 2);
    column->addLayout(buttons);

    retranslateUi();
}

QString TicketPanel::ticketType() const { return typeCombo->currentData().toString(); }

void TicketPanel::retranslateUi()
{
    m_title->setText(tr("票据识别"));
    m_typeLabel->setText(tr("类型："));
    const char* const types[] = {QT_TR_NOOP("身份证"), QT_TR_NOOP("驾驶证"), QT_TR_NOOP("增值税发票"),
                                 QT_TR_NOOP("行驶证")};
    for (int i = 0; i < 4; ++i)
        typeCombo->setItemText(i, tr(types[i]));
    recognizeButton->setText(tr("开始识别"));
    readCardButton->setText(tr("身份证读取"));
    m_resultLabel->setText(tr("识别结果："));
    resultBrowser->setPlaceholderText(tr("请将票据放在摄像头下，然后点击“开始识别”。"));
    editButton->setText(tr("编辑"));
    queryButton->setText(tr("查询"));
    exportJsonButton->setText(tr("导出JSON"));
    copyButton->setText(tr("复制"));
    backButton->setText(tr("返回"));
}

void TicketPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
