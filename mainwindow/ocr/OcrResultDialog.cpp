#include "OcrResultDialog.h"

#include "Speaker.h"

#include <QApplication>
#include <QClipboard>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

OcrResultDialog::OcrResultDialog(const QString& text, ISpeaker* speaker, QWidget* parent)
    : QDialog(parent), m_speaker(speaker)
{
    setWindowTitle(tr("OCR Result"));
    resize(900, 600);
    setWindowFlags(windowFlags() | Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);

    auto* layout = new QVBoxLayout(this);
    m_edit = new QTextEdit(this);
    m_edit->setReadOnly(true);
    m_edit->setPlainText(text);
    m_edit->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    m_edit->setFont(QFont(QStringLiteral("Microsoft YaHei"), 10));
    layout->addWidget(m_edit);

    auto* row = new QHBoxLayout;
    m_read = new QPushButton(tr("Read Aloud"), this);
    m_stop = new QPushButton(tr("Stop Reading"), this);
    m_copy = new QPushButton(tr("Copy to Clipboard"), this);
    m_stop->setEnabled(false);
    m_read->setEnabled(m_speaker != nullptr);
    row->addWidget(m_read);
    row->addWidget(m_stop);
    row->addStretch();
    row->addWidget(m_copy);
    layout->addLayout(row);

    connect(m_copy, &QPushButton::clicked, this,
            [this] { QApplication::clipboard()->setText(m_edit->toPlainText()); });
    if (!m_speaker)
        return;
    connect(m_read, &QPushButton::clicked, this, [this] {
        const QString content = m_edit->toPlainText();
        if (content.isEmpty())
            return;
        m_speaker->speak(content);
        setReading(m_speaker->isSpeaking());
    });
    connect(m_stop, &QPushButton::clicked, this, [this] {
        if (m_speaker->isSpeaking())
            m_speaker->stop();
        setReading(false);
    });
    connect(m_speaker.data(), &ISpeaker::speakingChanged, this, [this](bool speaking) {
        if (!speaking)
            setReading(false);
    });
    connect(this, &QDialog::finished, this, &OcrResultDialog::stopOwnReading);
}

OcrResultDialog::~OcrResultDialog()
{
    stopOwnReading();
}

// Only the dialog's own reading is cut off; a later announcement by the window is left alone.
void OcrResultDialog::stopOwnReading()
{
    if (m_reading && m_speaker && m_speaker->isSpeaking())
        m_speaker->stop();
    setReading(false);
}

void OcrResultDialog::setReading(bool reading)
{
    m_reading = reading;
    m_read->setEnabled(!reading);
    m_stop->setEnabled(reading);
}
