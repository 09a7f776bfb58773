#include "QtSpeechEngine.h"

#include <QDebug>
#include <QPointer>
#include <QThread>
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

// Owns the synthesiser on the speech thread; everything here runs there.
class SpeechWorker : public QObject
{
public:
    SpeechWorker(std::shared_ptr<std::atomic<bool>> speaking, std::shared_ptr<std::atomic<bool>> failed,
                 QPointer<QtSpeechEngine> owner)
        : m_speaking(std::move(speaking)), m_failed(std::move(failed)), m_owner(owner)
    {
    }

    void say(const QString& text)
    {
        if (ensureEngine())
            m_engine->say(text);
    }

    void stop()
    {
        if (m_engine)
            m_engine->stop();
    }

private:
    bool ensureEngine();
    void chooseChineseVoice();

    std::shared_ptr<std::atomic<bool>> m_speaking;
    std::shared_ptr<std::atomic<bool>> m_failed;
    QPointer<QtSpeechEngine> m_owner;
    QTextToSpeech* m_engine = nullptr;
    bool m_tried = false;
};

bool SpeechWorker::ensureEngine()
{
    if (m_tried)
        return m_engine != nullptr;
    m_tried = true;
    auto* engine = new QTextToSpeech(this);
    if (engine->state() == QTextToSpeech::BackendError) {
        qWarning() << "[TTS] QTextToSpeech backend not available, read-aloud disabled";
        delete engine;
        m_failed->store(true);
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
        const bool speaking = state == QTextToSpeech::Speaking;
        m_speaking->store(speaking);
        QPointer<QtSpeechEngine> owner = m_owner;
        QMetaObject::invokeMethod(
            owner.data(), [owner, speaking] { if (owner) emit owner->stateChanged(speaking); }, Qt::QueuedConnection);
    });
    return true;
}

// Qt 5's speech-dispatcher backend lists only the voices of the engine's current locale (all of them
// under the "C" locale, while zh_CN maps to an unrelated language), so the current locale's voices are
// searched first and then each Chinese locale's; a Mandarin voice wins over any other Chinese one.
void SpeechWorker::chooseChineseVoice()
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
    qInfo().noquote() << "[TTS] Set voice to:" << best.name();
}

QtSpeechEngine::QtSpeechEngine(QObject* parent) : ISpeechEngine(parent) {}

QtSpeechEngine::~QtSpeechEngine()
{
    if (!m_thread)
        return;
    stop();
    m_thread->quit();
    // The synthesiser is not destroyed: closing the speech library's connection can block for ever on a
    // lock of its own reader (seen at exit with speech-dispatcher), and the process ends anyway. A thread
    // stuck in a hung daemon's call is likewise left to the end of the process rather than waited for.
    if (m_thread->wait(2000))
        delete m_thread;
    else
        qWarning() << "[TTS] speech thread did not end; left running";
}

void QtSpeechEngine::ensureThread()
{
    if (m_thread)
        return;
    m_thread = new QThread;
    m_thread->setObjectName(QStringLiteral("speech"));
    m_worker = new SpeechWorker(m_speaking, m_failed, QPointer<QtSpeechEngine>(this));
    m_worker->moveToThread(m_thread);
    m_thread->start();
}

bool QtSpeechEngine::isAvailable() const
{
    return !m_failed->load();
}

void QtSpeechEngine::say(const QString& text)
{
    ensureThread();
    QMetaObject::invokeMethod(m_worker, [worker = m_worker, text] { worker->say(text); }, Qt::QueuedConnection);
}

void QtSpeechEngine::stop()
{
    if (m_worker)
        QMetaObject::invokeMethod(m_worker, [worker = m_worker] { worker->stop(); }, Qt::QueuedConnection);
}

bool QtSpeechEngine::isSpeaking() const
{
    return m_speaking->load();
}
