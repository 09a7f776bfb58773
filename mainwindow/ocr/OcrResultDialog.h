#pragma once
// The recognised text, with copy and read-aloud. Reading stops when the dialog closes.

#include <QDialog>
#include <QPointer>

#include "Speaker.h"
class QPushButton;
class QTextEdit;

class OcrResultDialog : public QDialog
{
    Q_OBJECT
public:
    // `speaker` may be null: the reading buttons then stay disabled.
    OcrResultDialog(const QString& text, ISpeaker* speaker, QWidget* parent = nullptr);
    ~OcrResultDialog() override;

    QTextEdit* textEdit() const { return m_edit; }
    QPushButton* readButton() const { return m_read; }
    QPushButton* stopButton() const { return m_stop; }
    QPushButton* copyButton() const { return m_copy; }

private:
    void setReading(bool reading);
    void stopOwnReading();

    QPointer<ISpeaker> m_speaker;
    bool m_reading = false;
    QTextEdit* m_edit;
    QPushButton* m_read;
    QPushButton* m_stop;
    QPushButton* m_copy;
};
