#include "VoiceCommandThread.h"

#include "AppPaths.h"
#include "AudioCapture.h"
#include "CustomWordsFile.h"
#include "VoiceDiagnostics.h"

#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QtDebug>

using namespace voice;

namespace {

bool isWideScript(QChar c)
{
    const ushort u = c.unicode();
    return (u >= 0x2E80 && u <= 0x9FFF) || (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF) ||
           c.isHighSurrogate() || c.isLowSurrogate();
}

} // namespace

VoiceCommandThread::VoiceCommandThread(QObject* parent)
    : VoiceCommandThread(
          &makeVoskRecognizer, [] { return new AudioCapture; }, defaultCustomWordsPath(), parent)
{
}

VoiceCommandThread::VoiceCommandThread(EngineFactory engine, CaptureFactory capture,
                                       const QString& customWordsPath, QObject* parent)
    : QObject(parent), m_engineFactory(std::move(engine)), m_captureFactory(std::move(capture)),
      m_customWordsPath(customWordsPath), m_commands(builtInPhrases())
{
    if (!m_customWordsPath.isEmpty())
        loadCustomWords();
}

VoiceCommandThread::~VoiceCommandThread()
{
    stopListening();
    QMutexLocker lock(&m_engineMutex);
    m_engine.reset();
}

QString VoiceCommandThread::defaultCustomWordsPath()
{
    return apppaths::configDir() + QStringLiteral("/voice_customwords.ini");
}

bool VoiceCommandThread::initialize(const QString& modelDir)
{
    m_modelDir = modelDir;
    printLine("[VoiceCmd] initialize() called with path: %s\n", qUtf8Printable(modelDir));
    if (isInitialized()) {
        printLine("[VoiceCmd] Model already loaded\n");
        return true;
    }
    if (!QFileInfo(modelDir).isDir()) {
        printLine("[VoiceCmd] Model directory not found: %s\n", qUtf8Printable(modelDir));
        return false;
    }
    if (!QFileInfo::exists(modelDir + QStringLiteral("/am/final.mdl"))) {
        printLine("[VoiceCmd] Missing am/final.mdl\n");
        return false;
    }
    if (!QFileInfo::exists(modelDir + QStringLiteral("/conf/model.conf"))) {
        printLine("[VoiceCmd] Missing conf/model.conf\n");
        return false;
    }
    std::unique_ptr<ISpeechRecognizer> engine = m_engineFactory ? m_engineFactory() : nullptr;
    if (!engine) {
        printLine("[VoiceCmd] No speech engine\n");
        return false;
    }
    printLine("[VoiceCmd] Loading model...\n");
    switch (engine->load(modelDir)) {
    case ISpeechRecognizer::LoadResult::Ok:
        break;
    case ISpeechRecognizer::LoadResult::EngineMissing:
        printLine("[VoiceCmd] Vosk library (libvosk.so) not available\n");
        return false;
    case ISpeechRecognizer::LoadResult::ModelFailed:
        printLine("[VoiceCmd] Failed to load Vosk model\n");
        return false;
    case ISpeechRecognizer::LoadResult::RecognizerFailed:
        printLine("[VoiceCmd] Failed to create recognizer\n");
        return false;
    }
    {
        QMutexLocker lock(&m_engineMutex);
        m_engine = std::move(engine);
    }
    m_initialized.store(true, std::memory_order_release);
    printLine("[VoiceCmd] Model loaded successfully!\n");
    return true;
}

void VoiceCommandThread::startListening()
{
    printLine("[VoiceCmd] startListening() called!\n");
    if (m_listening) {
        printLine("[VoiceCmd] Already listening\n");
        return;
    }
    if (!isInitialized()) {
        printLine("[VoiceCmd] Not initialized\n");
        emit errorOccurred(QStringLiteral("Voice not initialized"));
        return;
    }
    if (!m_capture) {
        m_capture = m_captureFactory ? m_captureFactory() : nullptr;
        if (!m_capture) {
            emit errorOccurred(QStringLiteral("Failed to start microphone (no capture)"));
            return;
        }
        m_capture->setParent(this);
        connect(m_capture, &AudioCapture::audioDataReady, this, &VoiceCommandThread::onAudioDataReady);
        connect(m_capture, &AudioCapture::captureError, this, &VoiceCommandThread::errorOccurred);
    }
    const QString mechanism = m_capture->sourceName();
    printLine("[VoiceCmd] Starting %s capture...\n", qUtf8Printable(mechanism));
    if (!m_capture->start()) {
        printLine("[VoiceCmd] Failed to start %s capture\n", qUtf8Printable(mechanism));
        emit errorOccurred(QStringLiteral("Failed to start microphone (%1)").arg(mechanism));
        delete m_capture;
        m_capture = nullptr;
        return;
    }
    m_listening = true;
    emit listeningStarted();
    printLine("[VoiceCmd] Listening started (%s)\n", qUtf8Printable(m_capture->sourceName()));
}

void VoiceCommandThread::stopListening()
{
    if (!m_listening)
        return;
    printLine("[VoiceCmd] stopListening() called\n");
    if (m_capture) {
        m_capture->stop();
        delete m_capture;
        m_capture = nullptr;
    }
    m_listening = false;
    emit listeningStopped();
    printLine("[VoiceCmd] Listening stopped\n");
}

void VoiceCommandThread::onAudioDataReady(QByteArray pcm)
{
    if (m_suspended || !m_listening)
        return;
    processAudioData(pcm);
}

void VoiceCommandThread::processAudioData(const QByteArray& pcm)
{
    ISpeechRecognizer* engine = nullptr;
    if (isInitialized()) {
        QMutexLocker lock(&m_engineMutex);
        engine = m_engine.get();
    }
    if (!engine) {
        static std::atomic_bool told{false};
        if (!told.exchange(true))
            printLine("[VoiceCmd] processAudioData called but recognizer not ready (recognizer=%p, "
                      "initialized=%d)\n",
                      static_cast<void*>(engine), int(isInitialized()));
        return;
    }
    if (pcm.isEmpty())
        return;
    printLine("[VoiceCmd] PCM chunk: %d bytes\n", pcm.size());
    const bool utteranceEnded = engine->acceptWaveform(pcm);

    const QString partial = jsonStringMember(engine->partialResult(), QStringLiteral("partial"));
    if (!partial.isEmpty())
        emit textRecognized(partial);
    if (!utteranceEnded)
        return;

    const QString text = jsonStringMember(engine->finalResult(), QStringLiteral("text"));
    if (text.isEmpty())
        return;
    printLine("[VoiceCmd] Recognized: %s\n", qUtf8Printable(text));
    emit textRecognized(text);
    if (m_commandsSuppressed)
        return; // training: the phrase is a word to learn, not an order
    const VoiceCommand command = matchCommand(text);
    if (command == CmdNone) {
        printLine("[VoiceCmd] No command matched\n");
        return;
    }
    printLine("[VoiceCmd] Command matched: %d\n", int(command));
    emit commandDetected(command, text);
}

QString VoiceCommandThread::removeWordBlanks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    const QString t = text.trimmed();
    for (int i = 0; i < t.size(); ++i) {
        if (t.at(i).isSpace()) {
            int j = i;
            while (j < t.size() && t.at(j).isSpace())
                ++j;
            // Keep one blank only between two Latin words ("open file"); drop it next to Chinese.
            const bool keep = i > 0 && j < t.size() && !isWideScript(t.at(i - 1)) && !isWideScript(t.at(j));
            if (keep)
                out += QLatin1Char(' ');
            i = j - 1;
            continue;
        }
        out += t.at(i);
    }
    return out;
}

QString VoiceCommandThread::correctHomophones(const QString& text)
{
    QString out = text;
    for (const auto& [misheard, correct] : homophonePairs())
        if (misheard != correct)
            out.replace(misheard, correct, Qt::CaseSensitive);
    return out;
}

VoiceCommand VoiceCommandThread::searchPhrases(const QString& text) const
{
    for (int command : matchOrder()) {
        const auto it = m_commands.constFind(command);
        if (it == m_commands.constEnd())
            continue;
        for (const QString& phrase : *it)
            if (!phrase.isEmpty() && text.contains(phrase, Qt::CaseInsensitive))
                return VoiceCommand(command);
    }
    return CmdNone;
}

VoiceCommand VoiceCommandThread::matchCommand(const QString& text) const
{
    const QString raw = removeWordBlanks(text);
    if (raw.isEmpty())
        return CmdNone;
    // Repaired with the blanks first (the table knows forms like "数据 拍摄" only with theirs), then again
    // without them, for mishearings the recognizer split into two words ("按 照").
    const QString corrected = correctHomophones(removeWordBlanks(correctHomophones(text.trimmed())));
    if (corrected != raw)
        printLine("[VoiceCmd] Homophone corrected: '%s' -> '%s'\n", qUtf8Printable(raw),
                  qUtf8Printable(corrected));
    QMutexLocker lock(&m_mapMutex);
    const VoiceCommand first = searchPhrases(corrected);
    return first != CmdNone ? first : searchPhrases(raw);
}

voice::CommandMap VoiceCommandThread::commandMap() const
{
    QMutexLocker lock(&m_mapMutex);
    return m_commands;
}

bool VoiceCommandThread::loadCustomWords(const QString& filePath)
{
    const QString path = filePath.isEmpty() ? m_customWordsPath : filePath;
    if (path.isEmpty())
        return false;
    QMap<QString, QString> stored;
    if (!readCustomWordsFile(path, &stored)) {
        qWarning().noquote() << "[Voice] Failed to load custom words from:" << path;
        return false;
    }
    // Rebuilt from the built-in phrases each time, so words removed from the file stop working at once.
    CommandMap map = builtInPhrases();
    for (auto it = map.begin(); it != map.end(); ++it) {
        for (const QString& word : splitCustomWords(stored.value(QString::number(it.key())))) {
            if (it->contains(word, Qt::CaseSensitive))
                continue;
            it->append(word);
            qInfo().noquote() << "[Voice] Added custom word for" << it.key() << ":" << word;
        }
    }
    {
        QMutexLocker lock(&m_mapMutex);
        m_commands = map;
    }
    qInfo().noquote() << "[Voice] Custom words loaded from:" << path;
    return true;
}
