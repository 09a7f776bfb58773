#pragma once
// Teaching the voice commands new trigger phrases: pick a command, speak, add what the recognizer heard.
// The phrases are kept per command in the custom-words INI file that VoiceCommandThread reads.
//
// The dialog uses the window's own recognizer, so what is stored is exactly what that recognizer makes of
// this speaker and this microphone. While it is open, what is heard never triggers a command, and on
// closing the recognizer is left listening or not, as the dialog found it.

#include "VoiceCommand.h"

#include <QDialog>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QVector>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class VoiceCommandThread;

class VoiceTrainDialog : public QDialog
{
    Q_OBJECT
public:
    struct Entry
    {
        VoiceCommand command = CmdNone;
        QStringList defaultWords;
        QStringList customWords;
    };

    // `recognizer` is not owned and may be null (then nothing is heard, the rest works).
    VoiceTrainDialog(VoiceCommandThread* recognizer, const QString& iniFilePath, QWidget* parent = nullptr);
    ~VoiceTrainDialog() override;

    const QVector<Entry>& entries() const { return m_entries; }
    bool isRecording() const { return m_recording; }
    QString pendingText() const { return m_lastRecognized; }

    QComboBox* commandCombo() const { return m_commandCombo; }
    QPushButton* recordButton() const { return m_recordButton; }
    QPushButton* addButton() const { return m_addButton; }
    QPushButton* removeButton() const { return m_removeButton; }
    QPushButton* resetButton() const { return m_resetButton; }
    QPushButton* saveButton() const { return m_saveButton; }
    QPushButton* closeButton() const { return m_closeButton; }
    QLabel* recognizedLabel() const { return m_recognizedLabel; }
    QListWidget* defaultList() const { return m_defaultList; }
    QListWidget* customList() const { return m_customList; }

signals:
    void customWordsChanged(QString iniFilePath);

public slots:
    void onStartRecording();
    void onStopRecording();
    void onTextRecognized(const QString& text);
    void onAddRecognized();
    void onRemoveWord();
    void onReset();
    // Writes the file; true only when it was really written.
    bool onSave();

protected:
    // Message boxes, replaceable by tests.
    virtual bool askYesNo(const QString& title, const QString& text);
    virtual void inform(const QString& title, const QString& text);
    virtual void warn(const QString& title, const QString& text);

private slots:
    void onCommandChanged(int row);

private:
    void buildUi();
    void loadEntries();
    void setRecordLook(bool recording);
    void clearPending();

    QPointer<VoiceCommandThread> m_recognizer;
    QString m_iniPath;
    bool m_recording = false;
    bool m_wasListening = false;
    bool m_wasSuppressed = false;
    QString m_lastRecognized;
    QVector<Entry> m_entries;

    QComboBox* m_commandCombo = nullptr;
    QPushButton* m_recordButton = nullptr;
    QLabel* m_recognizedLabel = nullptr;
    QPushButton* m_addButton = nullptr;
    QListWidget* m_defaultList = nullptr;
    QListWidget* m_customList = nullptr;
    QPushButton* m_resetButton = nullptr;
    QPushButton* m_removeButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    QPushButton* m_closeButton = nullptr;
};
