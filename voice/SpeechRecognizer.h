#pragma once
// The speech engine behind the voice commands: a model loaded from a folder, fed with 16-bit mono
// 16 kHz PCM, answering with the engine's JSON texts. The real engine is Vosk; tests script their own.

#include <QByteArray>
#include <QString>
#include <memory>

namespace voice {

class ISpeechRecognizer
{
public:
    enum class LoadResult
    {
        Ok,
        EngineMissing,
        ModelFailed,
        RecognizerFailed
    };

    virtual ~ISpeechRecognizer() = default;
    // Loads the model in `modelDir` and creates a recognizer for 16000 Hz without a grammar (free
    // recognition, so that any trained phrase can be heard) and without word timing. May block for
    // seconds; called on a pool thread, the object is handed to its user only afterwards.
    virtual LoadResult load(const QString& modelDir) = 0;
    // Feeds one block; true when the block ended an utterance (the final result is then ready).
    virtual bool acceptWaveform(const QByteArray& pcm) = 0;
    // {"partial" : "..."} for the utterance in progress.
    virtual QByteArray partialResult() = 0;
    // {"text" : "..."} for the utterance just ended.
    virtual QByteArray finalResult() = 0;
};

// The Vosk engine through libvosk.so, loaded at run time (see VoskLibrary.h).
std::unique_ptr<ISpeechRecognizer> makeVoskRecognizer();

// The value of a string member of an engine JSON text, trimmed; empty when absent or not JSON.
QString jsonStringMember(const QByteArray& json, const QString& member);

} // namespace voice
