#pragma once
// The speech engine over Qt TextToSpeech (on Linux: speech-dispatcher, with espeak-ng for the voices).
// Created lazily by the first utterance, as loading the backend talks to the speech daemon.

#include "Speaker.h"

class QTextToSpeech;

class QtSpeechEngine : public ISpeechEngine
{
    Q_OBJECT
public:
    explicit QtSpeechEngine(QObject* parent = nullptr);

    bool isAvailable() const override;
    void say(const QString& text) override;
    void stop() override;
    bool isSpeaking() const override;

    // The name of the voice chosen, empty before the engine exists or when it kept its default.
    QString voiceName() const { return m_voiceName; }

private:
    bool ensureEngine() const;
    void chooseChineseVoice() const;

    mutable QTextToSpeech* m_engine = nullptr;
    mutable bool m_tried = false;
    mutable QString m_voiceName;
};
