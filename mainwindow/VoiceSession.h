#pragma once
// The window's side of voice commands: loads the speech model in the background, runs the title-bar
// toggle, turns recognised commands into the window's own actions, shows what was heard as a caption,
// keeps the recognizer deaf while the program speaks, and opens the training dialog.
//
// The window hands in its actions as functions, so a test drives every command without a window.

#include "VoiceCommand.h"

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class ISpeaker;
class QDialog;
class QLabel;
class QTimer;
class QToolButton;
class QWidget;
class VoiceCommandThread;

class VoiceSession : public QObject
{
    Q_OBJECT
public:
    // What each command does in the window. Unset functions do nothing.
    struct Actions
    {
        std::function<bool()> isPreviewing;
        std::function<void()> capture, rotateLeft, rotateRight, zoomIn, zoomOut, zoomReset, fitToView,
            saveImage, recognizeText, scanCode, toggleAutoCrop;
        std::function<void(int mode)> switchMode;
    };
    struct Environment
    {
        // The recognizer; default: Vosk with the system microphone and the user's custom-words file.
        std::function<VoiceCommandThread*(QObject* parent)> makeRecognizer;
        QString modelDir;                        // default: the data folder's "model"
        bool listeningSetting = false;           // "voice/listening" as stored
        std::function<void(bool)> saveListening; // stores "voice/listening"
        std::function<int(QDialog&)> execDialog; // default: QDialog::exec
    };

    // `button` is the title bar's checkable voice button; the caption is a child of `window`.
    VoiceSession(QToolButton* button, QWidget* window, Actions actions, Environment env,
                 QObject* parent = nullptr);
    // Waits for a model still loading: the pool thread uses the recognizer.
    ~VoiceSession() override;

    // Creates the recognizer and starts loading the model on a pool thread.
    void start();
    VoiceCommandThread* recognizer() const { return m_recognizer; }
    bool isLoading() const { return m_loader.isRunning(); }
    // The program's read-aloud service: while it speaks, the recognizer ignores audio.
    void setSpeaker(ISpeaker* speaker);
    QLabel* caption() const { return m_caption; }
    // Why voice commands are unavailable, empty when they are (or still loading).
    QString unavailableReason() const { return m_unavailableReason; }

signals:
    void statusMessage(const QString& text, int durationMs);
    void modelLoaded(bool ok);

public slots:
    void onVoiceListeningToggled(bool checked);
    void onVoiceCommandDetected(VoiceCommand command, const QString& text);
    void onVoiceTrain();
    void onCustomWordsChanged(const QString& path);
    void showCaption(const QString& text);

private:
    void onModelLoadFinished();
    void applyButtonLook(bool listening);
    QString missingModelText() const;

    QToolButton* m_button;
    QPointer<QWidget> m_window;
    Actions m_actions;
    Environment m_env;
    VoiceCommandThread* m_recognizer = nullptr;
    QFutureWatcher<bool> m_loader;
    QString m_unavailableReason;
    QLabel* m_caption = nullptr;
    QTimer* m_captionTimer = nullptr;
};
