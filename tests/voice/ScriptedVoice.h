#pragma once
// Stand-ins for the speech model and the microphone, shared by the voice and the window tests.

#include "AudioSource.h"
#include "SpeechRecognizer.h"

#include <QThread>
#include <deque>
#include <memory>

namespace voicetest {

// One scripted answer per accepted block: whether the block ends an utterance, the partial text, the
// final text. Texts are UTF-8.
struct Step
{
    bool ended;
    const char* partial;
    const char* text;
};

class ScriptedEngine : public voice::ISpeechRecognizer
{
public:
    // `steps` is shared with the test, which may append while the engine runs.
    ScriptedEngine(std::shared_ptr<std::deque<Step>> steps, int* acceptedBytes)
        : m_steps(std::move(steps)), m_bytes(acceptedBytes)
    {
    }
    LoadResult load(const QString&) override { return LoadResult::Ok; }
    bool acceptWaveform(const QByteArray& pcm) override
    {
        if (m_bytes)
            *m_bytes += pcm.size();
        m_current = m_steps->empty() ? Step{false, "", ""} : m_steps->front();
        if (!m_steps->empty())
            m_steps->pop_front();
        return m_current.ended;
    }
    // In the engine's own layout: blanks around the colon, a line per member.
    QByteArray partialResult() override
    {
        return QByteArray("{\n  \"partial\" : \"") + m_current.partial + "\"\n}";
    }
    QByteArray finalResult() override { return QByteArray("{\n  \"text\" : \"") + m_current.text + "\"\n}"; }

private:
    std::shared_ptr<std::deque<Step>> m_steps;
    int* m_bytes;
    Step m_current{false, "", ""};
};

// A microphone that never says anything itself: the test hands the audio to the recognizer.
class QuietSource : public voice::IAudioSource
{
public:
    QString name() const override { return QStringLiteral("quiet"); }
    bool open(QString*) override { return true; }
    voice::AudioFormat format() const override { return {}; }
    ReadResult read(QByteArray*, QString*) override
    {
        QThread::msleep(20);
        return ReadResult::Data;
    }
    void close() override {}
};

} // namespace voicetest
