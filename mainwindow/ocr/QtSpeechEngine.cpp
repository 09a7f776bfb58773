#include "QtSpeechEngine.h"

#include <QDebug>
#include <QLocale>
#include <QTextToSpeech>
#include <QVoice>

namespace {

bool isChineseVoiceName(const QString& name)
{
    return name.contains(QStringLiteral("Chinese"), Qt::CaseInsensitive) ||
           name.contains(QStringLiteral("中文"));
}

// espeak-ng files Hakka and Cantonese under the Chinese locales too, and lists them first; Mandarin is
// what the program speaks. Each voice also comes in variants ("+grandma", "+whisper"); the plain one wins.
int languageScore(const QString& name);
int voiceScore(const QString& name)
{
    return languageScore(name) * 2 + (name.contains(QLatin1Char('+')) ? 0 : 1);
}

int languageScore(const QString& name)
{
    if (name.contains(QStringLiteral("Mandarin"), Qt::CaseInsensitive) ||
        name.contains(QStringLiteral("cmn"), Qt::CaseInsensitive))
        return 3;
    const bool dialect = name.contains(QStringLiteral("Hakka"), Qt::CaseInsensitive) ||
                         name.contains(QStringLiteral("Cantonese"), Qt::CaseInsensitive) ||
                         name.contains(QStringLiteral("yue"), Qt::CaseInsensitive) ||
                         name.contains(QStringLiteral("hak"), Qt::CaseInsensitive);
    if (dialect)
        return 0;
    return isChineseVoiceName(name) ? 2 : 1;
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

// Qt 5's speech-dispatcher backend lists only the voices of the engine's current locale (all of them
// under the "C" locale, while zh_CN maps to an unrelated language), so the current locale's voices are
// searched first and then each Chinese locale's; a Mandarin voice wins over any other Chinese one.
void QtSpeechEngine::chooseChineseVoice() const
{
    const QLocale original = m_engine->locale();
    QVector<QLocale> locales{original};
    for (const QLocale& locale : m_engine->availableLocales())
        if (locale.language() == QLocale::Chinese && locale != original)
            locales << locale;
    QVoice best;
    QLocale bestLocale = original;
    int bestScore = 3; // a Chinese voice at least
    for (const QLocale& locale : locales) {
        if (locale != m_engine->locale())
            m_engine->setLocale(locale);
        for (const QVoice& voice : m_engine->availableVoices())
            if (voiceScore(voice.name()) > bestScore) {
                best = voice;
                bestLocale = locale;
                bestScore = voiceScore(voice.name());
            }
        if (bestScore == 7)
            break;
    }
    m_engine->setLocale(bestLocale);
    if (best.name().isEmpty()) {
        qWarning() << "[TTS] no Chinese voice found, the engine's default voice is used";
        return;
    }
    m_engine->setVoice(best);
    m_voiceName = best.name();
    qInfo().noquote() << "[TTS] Set voice to:" << m_voiceName;
}

bool QtSpeechEngine::isAvailable() const
{
    return ensureEngine();
}

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

bool QtSpeechEngine::isSpeaking() const
{
    return m_engine && m_engine->state() == QTextToSpeech::Speaking;
}
