#pragma once
// The program's read-aloud service. Its "speaking" state is what the voice recognizer reads to ignore
// the program's own voice, so it stays set until the engine has really fallen silent. Some engines never
// say that they are done (speech-dispatcher without a sound server), so each utterance also carries a
// bound: its estimated speaking time plus a margin, after which the state is cleared anyway.

#include <QObject>
#include <QString>

class QTimer;

// What the window and the dialogs use: say a text, stop, and know whether the program is speaking.
class ISpeaker : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    // Stops what is being said, then says `text`; a text that is empty after trimming only stops.
    virtual void speak(const QString& text) = 0;
    virtual void stop() = 0;
    virtual bool isSpeaking() const = 0;

signals:
    void speakingChanged(bool speaking);
};

// One synthesiser as the service drives it. `stateChanged` is emitted whenever the engine reports
// speaking or not; it may arrive late (queued from the engine's thread), so the service asks
// isSpeaking() again before believing an end.
class ISpeechEngine : public QObject
{
    Q_OBJECT
public:
    using QObject::QObject;
    virtual bool isAvailable() const = 0;
    virtual void say(const QString& text) = 0;
    virtual void stop() = 0;
    virtual bool isSpeaking() const = 0;

signals:
    void stateChanged(bool speaking);
};

// The service over one engine (owned, reparented to the service).
class Speaker : public ISpeaker
{
    Q_OBJECT
public:
    // Extra time allowed beyond the estimate before an unreported end is assumed.
    static constexpr int kBoundMarginMs = 2000;

    explicit Speaker(ISpeechEngine* engine, QObject* parent = nullptr);

    void speak(const QString& text) override;
    void stop() override;
    bool isSpeaking() const override { return m_speaking; }

    // How long `text` takes to say at the normal rate: Chinese, Japanese and Korean characters one by
    // one, other text by words, with a pause for each sentence mark.
    static int estimatedSpeakingMs(const QString& text);
    // The bound set for the utterance in progress (0 when silent).
    int currentBoundMs() const { return m_speaking ? m_boundMs : 0; }

private:
    void setSpeaking(bool speaking);
    void onEngineState(bool speaking);

    ISpeechEngine* m_engine;
    QTimer* m_bound;
    bool m_speaking = false;
    int m_boundMs = 0;
};
