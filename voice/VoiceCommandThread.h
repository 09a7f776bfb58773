#pragma once
// Spoken Mandarin commands: microphone audio goes to the speech engine, the text it hears is repaired
// for typical mishearings, matched against the phrase table (built-in phrases plus the user's trained
// words) and announced as a VoiceCommand.
//
// The object lives on the main thread. Only initialize() may run elsewhere (it loads the model on a pool
// thread); the engine it creates is published under a mutex and announced by an atomic flag.

#include "SpeechRecognizer.h"
#include "VoiceCommand.h"
#include "VoicePhrases.h"

#include <QByteArray>
#include <QMap>
#include <QMutex>
#include <QObject>
#include <QString>
#include <QStringList>
#include <atomic>
#include <functional>
#include <memory>

class AudioCapture;

class VoiceCommandThread : public QObject
{
    Q_OBJECT
public:
    using EngineFactory = std::function<std::unique_ptr<voice::ISpeechRecognizer>()>;
    using CaptureFactory = std::function<AudioCapture*()>;

    // The Vosk engine, the system microphone and the user's custom-words file.
    explicit VoiceCommandThread(QObject* parent = nullptr);
    // Given engine and microphone; an empty `customWordsPath` means no file at all (built-ins only).
    VoiceCommandThread(EngineFactory engine, CaptureFactory capture, const QString& customWordsPath,
                       QObject* parent = nullptr);
    ~VoiceCommandThread() override;

    // "<per-user config folder>/voice_customwords.ini".
    static QString defaultCustomWordsPath();

    // Checks the model folder, loads the model and creates the recognizer. Safe on a pool thread while
    // the main thread already uses the object (nothing is read from the engine until this succeeded).
    bool initialize(const QString& modelDir);

    void startListening();
    void stopListening();

    bool isInitialized() const { return m_initialized.load(std::memory_order_acquire); }
    bool isListening() const { return m_listening.load(); }
    bool isSuspended() const { return m_suspended.load(); }
    // Suspended: audio is dropped (the program is speaking and must not hear itself).
    void setSuspended(bool suspended) { m_suspended = suspended; }
    // Suppressed: what is heard is still reported as text, but never matched to a command (training).
    void setCommandsSuppressed(bool suppressed) { m_commandsSuppressed = suppressed; }
    bool commandsSuppressed() const { return m_commandsSuppressed.load(); }

    // Rebuilds the command map from the built-in phrases plus the words in `filePath` (empty: the file
    // given at construction). False when the file cannot be read; the map is then left as it was.
    bool loadCustomWords(const QString& filePath = QString());
    QString customWordsPath() const { return m_customWordsPath; }
    // A copy of the command map.
    voice::CommandMap commandMap() const;

    VoiceCommand matchCommand(const QString& text) const;
    static QString correctHomophones(const QString& text);
    // Removes the blanks the recognizer puts between Chinese words ("书籍 展平" -> "书籍展平"); blanks
    // between two Latin words stay.
    static QString removeWordBlanks(const QString& text);

    // The capture in use while listening (null otherwise), for tests and diagnostics.
    AudioCapture* capture() const { return m_capture; }

signals:
    void commandDetected(VoiceCommand command, QString recognizedText);
    void textRecognized(QString text);
    void listeningStarted();
    void listeningStopped();
    void errorOccurred(QString message);

public slots:
    void onAudioDataReady(QByteArray pcm);

private:
    void processAudioData(const QByteArray& pcm);
    VoiceCommand searchPhrases(const QString& text) const;

    EngineFactory m_engineFactory;
    CaptureFactory m_captureFactory;
    QString m_modelDir;
    QString m_customWordsPath;

    QMutex m_engineMutex; // publishes m_engine from the loading thread
    std::unique_ptr<voice::ISpeechRecognizer> m_engine;
    AudioCapture* m_capture = nullptr;

    std::atomic_bool m_initialized{false};
    std::atomic_bool m_listening{false};
    std::atomic_bool m_suspended{false};
    std::atomic_bool m_commandsSuppressed{false};

    mutable QMutex m_mapMutex;
    voice::CommandMap m_commands;
};
