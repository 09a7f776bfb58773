#pragma once
// The microphone on a thread of its own. Whatever the device delivers is converted before it leaves this
// class to 16-bit signed little-endian PCM, mono, 16000 Hz: what the voice recognizer is fed with and what
// the recorder muxes as its sound.
//
// The default sources are the sound server's default input (PulseAudio, also served by PipeWire) and, when
// there is no server, the ALSA "default" device. Tests and tools hand in other sources, e.g. a WAVE file.

#include "AudioSource.h"

#include <QByteArray>
#include <QMutex>
#include <QString>
#include <QThread>
#include <QWaitCondition>
#include <atomic>
#include <functional>
#include <memory>
#include <vector>

class AudioCapture : public QThread
{
    Q_OBJECT
public:
    using SourceFactory = std::function<std::unique_ptr<voice::IAudioSource>()>;

    // How long start() waits for the device before it gives up.
    static constexpr int kDefaultStartTimeoutMs = 3000;
    // How long stop() and the destructor wait for the thread.
    static constexpr int kStopTimeoutMs = 3000;

    // The microphone: PulseAudio, then ALSA.
    explicit AudioCapture(QObject* parent = nullptr);
    // The given sources, tried in order until one opens.
    explicit AudioCapture(std::vector<SourceFactory> sources, QObject* parent = nullptr);
    // A WAVE file played into the capture as if it were spoken (the thread ends at the file's end).
    static std::vector<SourceFactory> wavFileSources(const QString& path, voice::FilePace pace);
    ~AudioCapture() override;

    // Starts the thread and returns as soon as capture runs (true) or the device failed to open (false).
    // A device that takes longer than the start timeout is given up: the thread is stopped, and false is
    // returned, so a late start never captures behind the owner's back. Already running: true.
    bool start();
    // Asks the thread to end and waits for it (up to kStopTimeoutMs, then as long as it takes: the loop
    // checks the request at least every 100 ms, and the thread must not outlive this object).
    void stop();

    bool isCapturing() const { return m_running.load(); }
    void setStartTimeoutMs(int ms) { m_startTimeoutMs = ms; }
    // The mechanism in use once started; before that, the mechanisms that will be tried ("PulseAudio/ALSA").
    QString sourceName() const;

signals:
    // One block of converted audio, from the capture thread, for every non-empty device packet.
    void audioDataReady(QByteArray pcm);
    // The device went away (or a file could not be read) while capturing; the thread then ends.
    void captureError(QString message);

protected:
    void run() override;

private:
    void finishStart(bool running);

    std::vector<SourceFactory> m_sources;
    std::atomic_bool m_stopRequested{false};
    std::atomic_bool m_running{false};
    int m_startTimeoutMs = kDefaultStartTimeoutMs;

    mutable QMutex m_mutex; // guards the start hand-shake and m_sourceName
    QWaitCondition m_startCond;
    bool m_startDone = false;
    bool m_startOk = false; // the source opened (the thread may already have ended: a short file)
    QString m_sourceName;
};
