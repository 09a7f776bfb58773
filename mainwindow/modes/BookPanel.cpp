#include "BookPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {
const char kBorrowedStyle[] =
    "QComboBox { background-color: #34495e; color: #ecf0f1; border: 1px solid #4a6278; border-radius: 4px; padding: 4px; }"
    "QComboBox QAbstractItemView { background-color: #34495e; color: #ecf0f1; }";
}

BookPanel::BookPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("bookPanel"));
    setAttribute(Qt::WA_StyledBackground);
    setFixedWidth(300);
    setStyleSheet(QStringLiteral(
        "#bookPanel { background-color: #2c3e50; }"
        "#bookPanel QLabel, #bookPanel QCheckBox { color: #ecf0f1; }"
        "#bookPanelTitle { font-size: 18px; font-weight: bold; }"
        "#bookDoublePageHint { color: #95a5a6; font-size: 11px; }"
        "#bookPanel QSpinBox, #bookPanel QComboBox#bookBackgroundModeCombo { background-color: #34495e; color: #ecf0f1; }"));

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(14, 14, 14, 14);
    column->setSpacing(10);
    m_title = new QLabel(this);
    m_title->setObjectName(QStringLiteral("bookPanelTitle"));
    column->addWidget(m_title);

    m_cameraForm = new QFormLayout;
    // Device names are long and the panel is narrow: each label sits above its box.
    m_cameraForm->setRowWrapPolicy(QFormLayout::WrapAllRows);
    m_cameraLabel = new QLabel(this);
    m_resolutionLabel = new QLabel(this);
    column->addLayout(m_cameraForm);

    auto* timerRow = new QHBoxLayout;
    timerCaptureCheck = new QCheckBox(this);
    timerCaptureCheck->setObjectName(QStringLiteral("bookTimerCaptureCheckBox"));
    timerCaptureSpin = new QSpinBox(this);
    timerCaptureSpin->setObjectName(QStringLiteral("bookTimerIntervalSpinBox"));
    timerCaptureSpin->setRange(1, 60);
    timerCaptureSpin->setValue(5);
    timerCaptureSpin->setSuffix(QStringLiteral(" s"));
    timerCaptureSpin->setEnabled(false);
    timerRow->addWidget(timerCaptureCheck);
    timerRow->addWidget(timerCaptureSpin, 1);
    column->addLayout(timerRow);

    autoCaptureCheck = new QCheckBox(this);
    autoCaptureCheck->setObjectName(QStringLiteral("bookAutoCaptureCheckBox"));
    column->addWidget(autoCaptureCheck);
    singlePageCheck = new QCheckBox(this);
    singlePageCheck->setObjectName(QStringLiteral("bookFlattenCheckBox"));
    column->addWidget(singlePageCheck);
    doublePageCheck = new QCheckBox(this);
    doublePageCheck->setObjectName(QStringLiteral("bookDoublePageCheckBox"));
    column->addWidget(doublePageCheck);
    m_doublePageHint = new QLabel(this);
    m_doublePageHint->setObjectName(QStringLiteral("bookDoublePageHint"));
    m_doublePageHint->setWordWrap(true);
    column->addWidget(m_doublePageHint);
    removeFingersCheck = new QCheckBox(this);
    removeFingersCheck->setObjectName(QStringLiteral("bookRemoveFingersCheckBox"));
    column->addWidget(removeFingersCheck);

    removeBackgroundCheck = new QCheckBox(this);
    removeBackgroundCheck->setObjectName(QStringLiteral("bookRemoveBackgroundCheckBox"));
    column->addWidget(removeBackgroundCheck);
    backgroundModeCombo = new QComboBox(this);
    backgroundModeCombo->setObjectName(QStringLiteral("bookBackgroundModeCombo"));
    backgroundModeCombo->addItems({QString(), QString(), QString()});
    column->addWidget(backgroundModeCombo);
    thresholdContainer = new QWidget(this);
    thresholdContainer->setObjectName(QStringLiteral("bookThresholdContainer"));
    auto* thresholdRow = new QHBoxLayout(thresholdContainer);
    thresholdRow->setContentsMargins(0, 0, 0, 0);
    m_thresholdLabel = new QLabel(thresholdContainer);
    thresholdSlider = new QSlider(Qt::Horizontal, thresholdContainer);
    thresholdSlider->setObjectName(QStringLiteral("bookThresholdSlider"));
    thresholdSlider->setRange(0, 255);
    thresholdSlider->setValue(127);
    thresholdValueLabel = new QLabel(QStringLiteral("127"), thresholdContainer);
    thresholdValueLabel->setMinimumWidth(28);
    thresholdRow->addWidget(m_thresholdLabel);
    thresholdRow->addWidget(thresholdSlider, 1);
    thresholdRow->addWidget(thresholdValueLabel);
    column->addWidget(thresholdContainer);
    connect(thresholdSlider, &QSlider::valueChanged, thresholdValueLabel,
            [this](int value) { thresholdValueLabel->setText(QString::number(value)); });

    column->addStretch(1);
    captureButton = new QPushButton(this);
    captureButton->setObjectName(QStringLiteral("bookCaptureButton"));
    captureButton->setMinimumHeight(64);
    captureButton->setIcon(QIcon(QStringLiteral(":/icons/capture.png")));
    captureButton->setIconSize(QSize(32, 32));
    captureButton->setStyleSheet(QStringLiteral(
        "QPushButton { background-color: #27ae60; color: white; font-size: 18px; font-weight: bold; border: none;"
        " border-radius: 8px; }"
        "QPushButton:hover { background-color: #2ecc71; } QPushButton:pressed { background-color: #1e8449; }"));
    column->addWidget(captureButton);

    updateBackgroundControls();
    retranslateUi();
}

void BookPanel::borrowCameraBoxes(QComboBox* device, QComboBox* resolution)
{
    for (QComboBox* box : {device, resolution}) {
        box->setStyleSheet(QString::fromLatin1(kBorrowedStyle));
        box->show();
    }
    // Rows are rebuilt on every loan: the boxes left the form when they were taken back.
    while (m_cameraForm->rowCount() > 0) {
        const QFormLayout::TakeRowResult row = m_cameraForm->takeRow(0);
        delete row.labelItem;
        delete row.fieldItem;
    }
    m_cameraForm->addRow(m_cameraLabel, device);
    m_cameraForm->addRow(m_resolutionLabel, resolution);
}

void BookPanel::updateBackgroundControls()
{
    const bool on = removeBackgroundCheck->isChecked();
    backgroundModeCombo->setVisible(on);
    thresholdContainer->setVisible(on && backgroundModeCombo->currentIndex() == 2);
}

void BookPanel::retranslateUi()
{
    m_title->setText(tr("Book Flatten Control"));
    m_cameraLabel->setText(tr("Camera:"));
    m_resolutionLabel->setText(tr("Resolution:"));
    timerCaptureCheck->setText(tr("Timer Capture:"));
    autoCaptureCheck->setText(tr("Auto Detect Capture"));
    singlePageCheck->setText(tr("Book Single-Page Flatten"));
    doublePageCheck->setText(tr("Book Double-Page Flatten"));
    m_doublePageHint->setText(tr("Double-Page Flatten: When enabled, photos will be auto-split into left and right "
                                 "pages, each generating a thumbnail"));
    removeFingersCheck->setText(tr("Remove Fingers"));
    removeBackgroundCheck->setText(tr("Remove Background"));
    backgroundModeCombo->setItemText(0, tr("Adaptive"));
    backgroundModeCombo->setItemText(1, tr("Otsu"));
    backgroundModeCombo->setItemText(2, tr("Fixed Threshold"));
    m_thresholdLabel->setText(tr("Threshold:"));
    captureButton->setText(tr("Capture"));
}

void BookPanel::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
    QWidget::changeEvent(event);
}
