#include "Speaker.h"

#include <QDebug>
#include <QTimer>

#include <algorithm>

namespace {

bool isCjk(uint c)
{
    return (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x3040 && c <= 0x30FF) ||
           (c >= 0xAC00 && c <= 0xD7AF) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0x20000 && c <= 0x2FA1F);
}

bool isSentenceMark(uint c)
{
    return c == '.' || c == '!' || c == '?' || c == ';' || c == ':' || c == ',' || c == 0x3002 ||
           c == 0xFF0C || c == 0xFF01 || c == 0xFF1F || c == 0xFF1B || c == 0xFF1A || c == 0x3001 ||
           c == '\n';
}

// Rates of espeak-ng at rate 0, rounded slow so that the bound is rather late than early.
constexpr int kCjkCharMs = 330;
constexpr int kWordMs = 450;
constexpr int kPauseMs = 250;

} // namespace

Speaker::Speaker(ISpeechEngine* engine, QObject* parent)
    : ISpeaker(parent), m_engine(engine), m_bound(new QTimer(this))
{
    m_bound->setSingleShot(true);
    if (m_engine) {
        m_engine->setParent(this);
        connect(m_engine, &ISpeechEngine::stateChanged, this, &Speaker::onEngineState);
    }
    connect(m_bound, &QTimer::timeout, this, [this] {
        if (!m_speaking)
            return;
        qInfo().noquote()
            << QStringLiteral("[TTS] no end reported after %1 ms, speaking state cleared").arg(m_boundMs);
        setSpeaking(false);
    });
}

int Speaker::estimatedSpeakingMs(const QString& text)
{
    qint64 ms = 0;
    bool inWord = false;
    const QVector<uint> codes = text.toUcs4();
    for (uint c : codes) {
        if (isCjk(c)) {
            ms += kCjkCharMs;
            inWord = false;
        } else if (QChar::isLetterOrNumber(c)) {
            if (!inWord)
                ms += kWordMs;
            inWord = true;
        } else {
            if (isSentenceMark(c))
                ms += kPauseMs;
            inWord = false;
        }
    }
    return int(std::min<qint64>(ms, 24LL * 3600 * 1000));
}

void Speaker::speak(const QString& text)
{
    if (!m_engine || !m_engine->isAvailable())
        return;
    if (m_engine->isSpeaking() || m_speaking)
        stop();
    if (text.trimmed().isEmpty())
        return;
    m_boundMs = estimatedSpeakingMs(text) + kBoundMarginMs;
    // Set before the engine starts, so that not one sound of it counts as a command.
    setSpeaking(true);
    m_bound->start(m_boundMs);
    m_engine->say(text);
}

void Speaker::stop()
{
    if (m_engine && m_engine->isSpeaking())
        m_engine->stop();
    m_bound->stop();
    setSpeaking(false);
}

void Speaker::onEngineState(bool speaking)
{
    qInfo().noquote() << QStringLiteral("[TTS] stateChanged: %1")
                             .arg(speaking ? QStringLiteral("speaking") : QStringLiteral("not speaking"));
    // A report of the end of an earlier utterance may arrive after the next one began.
    if (speaking || m_engine->isSpeaking())
        return;
    m_bound->stop();
    setSpeaking(false);
}

void Speaker::setSpeaking(bool speaking)
{
    if (m_speaking == speaking)
        return;
    m_speaking = speaking;
    emit speakingChanged(speaking);
}
