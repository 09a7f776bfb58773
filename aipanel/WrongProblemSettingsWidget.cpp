#include "WrongProblemSettingsWidget.h"

#include "LanguageManager.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

WrongProblemSettingsWidget::WrongProblemSettingsWidget(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("wrongProblemSettingsWidget"));
    setAttribute(Qt::WA_StyledBackground, true);
    setStyleSheet(QStringLiteral(
        "#wrongProblemSettingsWidget { background-color: rgba(44, 62, 80, 200); border-radius: 6px; }"
        "QCheckBox { color: #ecf0f1; }"
        "QPushButton { background-color: #3498db; color: white; border: none; border-radius: 4px;"
        " padding: 4px 12px; }"
        "QPushButton:hover { background-color: #2980b9; }"));

    m_autoCrop = new QCheckBox(this);
    m_autoCrop->setObjectName(QStringLiteral("wrongProblemAutoCrop"));
    m_manualCrop = new QCheckBox(this);
    m_manualCrop->setObjectName(QStringLiteral("wrongProblemManualCrop"));
    m_ocrButton = new QPushButton(this);
    m_ocrButton->setObjectName(QStringLiteral("wrongProblemOcrButton"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 4, 8, 4);
    row->addWidget(m_autoCrop);
    row->addWidget(m_manualCrop);
    row->addStretch();
    row->addWidget(m_ocrButton);

    connect(m_autoCrop, &QCheckBox::toggled, this, &WrongProblemSettingsWidget::autoCropToggled);
    connect(m_manualCrop, &QCheckBox::toggled, this, &WrongProblemSettingsWidget::manualCropToggled);
    connect(m_ocrButton, &QPushButton::clicked, this, &WrongProblemSettingsWidget::ocrRequested);
    connect(LanguageManager::instance(), &LanguageManager::languageChanged, this,
            &WrongProblemSettingsWidget::onLanguageChanged);
    retranslateUi();
}

void WrongProblemSettingsWidget::setAutoCropChecked(bool checked)
{
    const QSignalBlocker block(m_autoCrop);
    m_autoCrop->setChecked(checked);
}

void WrongProblemSettingsWidget::setManualCropChecked(bool checked)
{
    const QSignalBlocker block(m_manualCrop);
    m_manualCrop->setChecked(checked);
}

bool WrongProblemSettingsWidget::isAutoCropChecked() const
{
    return m_autoCrop->isChecked();
}

bool WrongProblemSettingsWidget::isManualCropChecked() const
{
    return m_manualCrop->isChecked();
}

void WrongProblemSettingsWidget::onLanguageChanged()
{
    retranslateUi();
}

void WrongProblemSettingsWidget::retranslateUi()
{
    m_autoCrop->setText(tr("Auto Document Detection"));
    m_manualCrop->setText(tr("Crop Document"));
    m_ocrButton->setText(tr("OCR Text"));
}
