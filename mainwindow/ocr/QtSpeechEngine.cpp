#include "QtSpeechEngine.h"

#include <QDebug>
#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

#include <algorithm>

namespace {

bool isChineseVoiceName(const QString& name)
{
    return name.contains(QStringLiteral("Chinese"), Qt::CaseInsensitive) || name.contains(QStringLiteral("中文"));
}

} // namespace

QtSpeechEngine::QtSpeechEngine(QObject* parent) : ISpeechEngine(parent) {}

bool QtSpeechEngine::ensureEngine() const
{
    if (m_tried)
        return m_engine != nullptr;
    m_tried = true;
    auto* engine = new QTextToSpeech(const_cast<QtSpeechEngine*>(this));
    if (engine->state() == QTextToSpeech::BackendError) {
        qWarning() << "[TTS] QTextToSpeech backend not available, read-aloud disabled";
        delete engine;
        return false;
    }
    m_engine = engine;
    qInfo() << "[TTS] QTextToSpeech initialized (lazy)";
    chooseChineseVoice();
    m_engine->setRate(0.0);
    m_engine->setPitch(0.0);
    m_engine->setVolume(1.0);
    connect(m_engine, &QTextToSpeech::stateChanged, this, [this](QTextToSpeech::State state) {
        qInfo() << "[TTS] stateChanged:" << int(state);
        emit const_cast<QtSpeechEngine*>(this)->stateChanged(state == QTextToSpeech::Speaking);
    });
    return true;
}

// Qt 5's speech-dispatcher backend lists only the voices of the engine's current locale, so a Chinese
// voice is looked for in the Chinese locales first, then among the current locale's voices by name.
void QtSpeechEngine::chooseChineseVoice() const
{
    QVector<QLocale> locales;
    for (const QLocale& locale : m_engine->availableLocales())
        if (locale.language() == QLocale::Chinese)
            locales << locale;
    std::sort(locales.begin(), locales.end(), [](const QLocale& a, const QLocale& b) {
        return (a.country() == QLocale::China) > (b.country() == QLocale::China);
    });
    for (const QLocale& locale : locales) {
        m_engine->setLocale(locale);
        const QVector<QVoice> voices = m_engine->availableVoices();
        if (voices.isEmpty())
            continue;
        QVoice chosen = voices.first();
        for (const QVoice& voice : voices)
            if (isChineseVoiceName(voice.name())) {
                chosen = voice;
                break;
            }
        m_engine->setVoice(chosen);
        m_voiceName = chosen.name();
        qInfo().noquote() << "[TTS] Set voice to:" << m_voiceName << "locale" << locale.name();
        return;
    }
    for (const QVoice& voice : m_engine->availableVoices())
        if (isChineseVoiceName(voice.name())) {
            m_engine->setVoice(voice);
            m_voiceName = voice.name();
            qInfo().noquote() << "[TTS] Set voice to:" << m_voiceName;
            return;
        }
    qWarning() << "[TTS] no Chinese voice found, the engine's default voice is used";
}

bool QtSpeechEngine::isAvailable() const { return ensureEngine(); }

void QtSpeechEngine::say(const QString& text)
{
    if (ensureEngine())
        m_engine->say(text);
}

void QtSpeechEngine::stop()
{
    if (m_engine)
        m_engine->stop();
}

bool QtSpeechEngine::isSpeaking() const { return m_engine && m_engine->state() == QTextToSpeech::Speaking; }
