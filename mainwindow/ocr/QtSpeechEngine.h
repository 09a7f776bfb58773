#pragma once
// The speech engine over Qt TextToSpeech (on Linux: speech-dispatcher, with espeak-ng for the voices).
// The synthesiser lives on a thread of its own and is created there by the first utterance: loading the
// backend talks to the speech daemon, and a daemon left in a bad state can keep that call from ever
// returning; then only read-aloud is silent, the window never freezes.

#include "Speaker.h"

#include <QString>

#include <atomic>
#include <memory>

class QThread;
class SpeechWorker;

class QtSpeechEngine : public ISpeechEngine
{
    Q_OBJECT
public:
    explicit QtSpeechEngine(QObject* parent = nullptr);
    ~QtSpeechEngine() override;

    // True until the backend has been found missing.
    bool isAvailable() const override;
    void say(const QString& text) override;
    void stop() override;
    bool isSpeaking() const override;

private:
    void ensureThread();

    QThread* m_thread = nullptr;
    SpeechWorker* m_worker = nullptr;
    std::shared_ptr<std::atomic<bool>> m_speaking = std::make_shared<std::atomic<bool>>(false);
    std::shared_ptr<std::atomic<bool>> m_failed = std::make_shared<std::atomic<bool>>(false);
};
