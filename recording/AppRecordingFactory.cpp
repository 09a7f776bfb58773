#include "AppRecordingFactory.h"

#include "AppRecorder.h"

#include <QThread>

namespace {

void deleteOnOwnThread(QObject* object)
{
    if (!object)
        return;
    if (object->thread() == QThread::currentThread())
        delete object;
    else
        object->deleteLater();
}

} // namespace

MicrophoneSource::MicrophoneSource(std::vector<AudioCapture::SourceFactory> sources, QObject* parent)
    : AudioCaptureSource(parent),
      m_capture(sources.empty() ? new AudioCapture() : new AudioCapture(std::move(sources)))
{
    // Direct: the blocks are emitted on the capture thread and the receivers queue them themselves.
    connect(m_capture, &AudioCapture::audioDataReady, this, &AudioCaptureSource::audioDataReady,
            Qt::DirectConnection);
    connect(m_capture, &AudioCapture::captureError, this, &AudioCaptureSource::captureError,
            Qt::DirectConnection);
}

MicrophoneSource::~MicrophoneSource()
{
    m_capture->stop();
    m_capture->disconnect(this);
    deleteOnOwnThread(m_capture);
}

bool MicrophoneSource::start()
{
    const bool started = m_capture->start();
    if (m_startObserver)
        m_startObserver(started);
    return started;
}

void MicrophoneSource::stop()
{
    m_capture->stop();
}

RecordingFactory makeAppRecordingFactory(AppRecordingOptions options)
{
    RecordingFactory factory;
    factory.makeRecorder = [] {
        return std::shared_ptr<IAppRecorder>(new AppRecorder(),
                                             [](AppRecorder* recorder) { deleteOnOwnThread(recorder); });
    };
    if (options.microphone) {
        auto sources = std::move(options.audioSources);
        auto observer = std::move(options.microphoneStarted);
        factory.makeMicrophone = [sources, observer]() -> std::unique_ptr<AudioCaptureSource> {
            auto microphone = std::make_unique<MicrophoneSource>(sources);
            microphone->setStartObserver(observer);
            return microphone;
        };
    }
    return factory;
}
