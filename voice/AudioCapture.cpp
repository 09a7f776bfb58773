#include "AudioCapture.h"

#include "VoiceDiagnostics.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <cstdarg>
#include <cstdio>

using namespace voice;

void voice::printLine(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fflush(stderr);
}

AudioCapture::AudioCapture(QObject* parent)
    : AudioCapture({[] { return makePulseAudioSource(); }, [] { return makeAlsaSource(); }}, parent)
{
}

AudioCapture::AudioCapture(std::vector<SourceFactory> sources, QObject* parent)
    : QThread(parent), m_sources(std::move(sources))
{
    QStringList names;
    for (const auto& make : m_sources)
        if (auto s = make ? make() : nullptr)
            names << s->name();
    m_sourceName = names.join(QLatin1Char('/'));
}

std::vector<AudioCapture::SourceFactory> AudioCapture::wavFileSources(const QString& path, FilePace pace)
{
    return {[path, pace] { return makeWavFileSource(path, pace); }};
}

AudioCapture::~AudioCapture()
{
    stop();
}

QString AudioCapture::sourceName() const
{
    QMutexLocker lock(&m_mutex);
    return m_sourceName;
}

bool AudioCapture::start()
{
    if (isRunning())
        return true;
    m_stopRequested = false;
    m_running = false;
    {
        QMutexLocker lock(&m_mutex);
        m_startDone = false;
    }
    QThread::start(QThread::TimeCriticalPriority);

    QMutexLocker lock(&m_mutex);
    QDeadlineTimer deadline(m_startTimeoutMs);
    while (!m_startDone)
        if (!m_startCond.wait(&m_mutex, deadline))
            break;
    const bool done = m_startDone;
    const bool opened = m_startOk;
    lock.unlock();
    if (!done) {
        printLine("[Audio] Microphone did not start within %d ms, giving up\n", m_startTimeoutMs);
        stop();
        return false;
    }
    if (!opened) {
        stop(); // the thread is on its way out; a failed start leaves it ended
        return false;
    }
    return true;
}

void AudioCapture::stop()
{
    m_stopRequested = true;
    if (!isRunning())
        return;
    if (!wait(kStopTimeoutMs)) {
        printLine("[Audio] Capture thread still busy after %d ms, waiting for it\n", kStopTimeoutMs);
        wait();
    }
}

void AudioCapture::finishStart(bool running)
{
    QMutexLocker lock(&m_mutex);
    m_running = running;
    m_startOk = running;
    m_startDone = true;
    m_startCond.wakeAll();
}

void AudioCapture::run()
{
    printLine("[Audio] Capture thread started\n");
    std::unique_ptr<IAudioSource> source;
    for (const auto& make : m_sources) {
        if (m_stopRequested)
            break;
        std::unique_ptr<IAudioSource> candidate = make ? make() : nullptr;
        if (!candidate)
            continue;
        QString error;
        if (candidate->open(&error)) {
            source = std::move(candidate);
            break;
        }
        printLine("[Audio] ERROR: %s (%s)\n", qUtf8Printable(error), qUtf8Printable(candidate->name()));
    }
    if (!source || m_stopRequested) {
        if (source)
            source->close();
        finishStart(false);
        printLine("[Audio] Capture thread stopped\n");
        return;
    }

    const AudioFormat format = source->format();
    printLine("[Audio] Device format: %d Hz, %d ch, %d bits\n", format.sampleRateHz, format.channels,
              format.bitsPerSample());
    printLine(format.isOutputFormat() ? "[Audio] Using 16-bit PCM format directly\n"
                                      : "[Audio] Using device native format, will resample\n");
    {
        QMutexLocker lock(&m_mutex);
        m_sourceName = source->name();
    }
    printLine("[Audio] Capture started (%s): %d Hz, %d ch, %d bits\n", qUtf8Printable(source->name()),
              format.sampleRateHz, format.channels, format.bitsPerSample());
    finishStart(true);

    MonoResampler resampler(format.sampleRateHz, format.channels);
    const int frameBytes = format.bytesPerFrame();
    QByteArray packet;
    while (!m_stopRequested) {
        QString error;
        const IAudioSource::ReadResult result = source->read(&packet, &error);
        const qsizetype frames = packet.size() / frameBytes;
        if (frames > 0) {
            const QByteArray pcm = convertPacket(packet.constData(), frames, format, resampler);
            if (!pcm.isEmpty())
                emit audioDataReady(pcm);
            packet.remove(0, int(frames * frameBytes));
        }
        if (result == IAudioSource::ReadResult::End)
            break;
        if (result == IAudioSource::ReadResult::Lost) {
            printLine("[Audio] ERROR: %s (%s)\n", qUtf8Printable(error), qUtf8Printable(source->name()));
            emit captureError(QStringLiteral("%1: microphone lost (%2)").arg(source->name(), error));
            break;
        }
    }

    m_running = false;
    source->close();
    printLine("[Audio] Capture thread stopped\n");
}
