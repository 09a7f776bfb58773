#include "AudioSource.h"

#include <QMutex>
#include <QMutexLocker>
#include <QWaitCondition>
#include <pulse/pulseaudio.h>

namespace voice {
namespace {

// The server converts to our format itself, so nothing is resampled on this side.
//
// The asynchronous interface on the library's own thread, not the simple one: a simple read blocks until
// its buffer is full, and a source that stops delivering (a pipe without a writer, a stalled device) would
// then hold the capture thread, and whoever waits for it to stop, for ever. Here read() waits at most
// 100 ms, and a failed stream or a lost server are seen as such.
class PulseAudioSource : public IAudioSource
{
public:
    ~PulseAudioSource() override { close(); }

    QString name() const override { return QStringLiteral("PulseAudio"); }

    bool open(QString* error) override
    {
        m_loop = pa_threaded_mainloop_new();
        if (!m_loop)
            return fail(error, QStringLiteral("pa_threaded_mainloop_new"));
        m_context = pa_context_new(pa_threaded_mainloop_get_api(m_loop), "Lumadoc");
        if (!m_context)
            return fail(error, QStringLiteral("pa_context_new"));
        pa_context_set_state_callback(m_context, &PulseAudioSource::onContextState, this);
        if (pa_context_connect(m_context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) < 0)
            return fail(error, QStringLiteral("pa_context_connect: %1").arg(contextError()));
        if (pa_threaded_mainloop_start(m_loop) < 0)
            return fail(error, QStringLiteral("pa_threaded_mainloop_start"));
        m_loopRunning = true;

        pa_threaded_mainloop_lock(m_loop);
        for (;;) {
            const pa_context_state_t state = pa_context_get_state(m_context);
            if (state == PA_CONTEXT_READY)
                break;
            if (!PA_CONTEXT_IS_GOOD(state)) {
                const QString why = contextError();
                pa_threaded_mainloop_unlock(m_loop);
                return fail(error, QStringLiteral("pa_context_connect: %1").arg(why));
            }
            pa_threaded_mainloop_wait(m_loop);
        }
        pa_sample_spec sampleFormat{};
        sampleFormat.format = PA_SAMPLE_S16LE;
        sampleFormat.rate = kOutputRateHz;
        sampleFormat.channels = 1;
        m_stream = pa_stream_new(m_context, "Voice commands", &sampleFormat, nullptr);
        if (!m_stream) {
            pa_threaded_mainloop_unlock(m_loop);
            return fail(error, QStringLiteral("pa_stream_new: %1").arg(contextError()));
        }
        pa_stream_set_state_callback(m_stream, &PulseAudioSource::onStreamState, this);
        pa_stream_set_read_callback(m_stream, &PulseAudioSource::onStreamRead, this);
        // 100 ms fragments keep the recognizer fed steadily without waking the thread for every sample.
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.fragsize = uint32_t(kOutputRateHz / 10 * 2);
        if (pa_stream_connect_record(m_stream, nullptr, &attr, PA_STREAM_ADJUST_LATENCY) < 0) {
            const QString why = contextError();
            pa_threaded_mainloop_unlock(m_loop);
            return fail(error, QStringLiteral("pa_stream_connect_record: %1").arg(why));
        }
        for (;;) {
            const pa_stream_state_t state = pa_stream_get_state(m_stream);
            if (state == PA_STREAM_READY)
                break;
            if (!PA_STREAM_IS_GOOD(state)) {
                const QString why = contextError();
                pa_threaded_mainloop_unlock(m_loop);
                return fail(error, QStringLiteral("record stream: %1").arg(why));
            }
            pa_threaded_mainloop_wait(m_loop);
        }
        pa_threaded_mainloop_unlock(m_loop);
        return true;
    }

    AudioFormat format() const override { return AudioFormat{kOutputRateHz, 1, SampleFormat::Int16}; }

    ReadResult read(QByteArray* packet, QString* error) override
    {
        QMutexLocker lock(&m_bufferMutex);
        if (m_buffer.isEmpty() && !m_lost)
            m_bufferReady.wait(&m_bufferMutex, 100);
        packet->append(m_buffer);
        m_buffer.clear();
        if (m_lost) {
            if (error)
                *error = m_lostReason;
            return ReadResult::Lost;
        }
        return ReadResult::Data;
    }

    void close() override
    {
        if (m_loop && m_loopRunning)
            pa_threaded_mainloop_lock(m_loop);
        if (m_stream) {
            pa_stream_set_state_callback(m_stream, nullptr, nullptr);
            pa_stream_set_read_callback(m_stream, nullptr, nullptr);
            pa_stream_disconnect(m_stream);
            pa_stream_unref(m_stream);
            m_stream = nullptr;
        }
        if (m_context) {
            pa_context_set_state_callback(m_context, nullptr, nullptr);
            pa_context_disconnect(m_context);
            pa_context_unref(m_context);
            m_context = nullptr;
        }
        if (m_loop && m_loopRunning) {
            pa_threaded_mainloop_unlock(m_loop);
            pa_threaded_mainloop_stop(m_loop);
            m_loopRunning = false;
        }
        if (m_loop)
            pa_threaded_mainloop_free(m_loop);
        m_loop = nullptr;
    }

private:
    bool fail(QString* error, const QString& why)
    {
        if (error)
            *error = why;
        close();
        return false;
    }

    QString contextError() const
    {
        return QString::fromUtf8(pa_strerror(m_context ? pa_context_errno(m_context) : PA_ERR_UNKNOWN));
    }

    void markLost(const QString& why)
    {
        QMutexLocker lock(&m_bufferMutex);
        if (!m_lost) {
            m_lost = true;
            m_lostReason = why;
        }
        m_bufferReady.wakeAll();
    }

    // Library thread, loop locked.
    static void onContextState(pa_context* c, void* self)
    {
        auto* s = static_cast<PulseAudioSource*>(self);
        const pa_context_state_t state = pa_context_get_state(c);
        if (!PA_CONTEXT_IS_GOOD(state) && s->m_stream)
            s->markLost(QStringLiteral("sound server connection lost: %1").arg(s->contextError()));
        pa_threaded_mainloop_signal(s->m_loop, 0);
    }

    static void onStreamState(pa_stream* stream, void* self)
    {
        auto* s = static_cast<PulseAudioSource*>(self);
        const pa_stream_state_t state = pa_stream_get_state(stream);
        if (!PA_STREAM_IS_GOOD(state))
            s->markLost(QStringLiteral("record stream ended: %1").arg(s->contextError()));
        pa_threaded_mainloop_signal(s->m_loop, 0);
    }

    static void onStreamRead(pa_stream* stream, size_t, void* self)
    {
        auto* s = static_cast<PulseAudioSource*>(self);
        const void* data = nullptr;
        size_t bytes = 0;
        while (pa_stream_readable_size(stream) > 0) {
            if (pa_stream_peek(stream, &data, &bytes) < 0) {
                s->markLost(QStringLiteral("pa_stream_peek: %1").arg(s->contextError()));
                return;
            }
            if (bytes == 0)
                break; // nothing buffered
            {
                QMutexLocker lock(&s->m_bufferMutex);
                if (data)
                    s->m_buffer.append(static_cast<const char*>(data), int(bytes));
                else
                    s->m_buffer.append(QByteArray(int(bytes), '\0')); // a hole: silence
                s->m_bufferReady.wakeAll();
            }
            pa_stream_drop(stream);
        }
    }

    pa_threaded_mainloop* m_loop = nullptr;
    bool m_loopRunning = false;
    pa_context* m_context = nullptr;
    pa_stream* m_stream = nullptr;

    QMutex m_bufferMutex;
    QWaitCondition m_bufferReady;
    QByteArray m_buffer;
    bool m_lost = false;
    QString m_lostReason;
};

} // namespace

std::unique_ptr<IAudioSource> makePulseAudioSource()
{
    return std::make_unique<PulseAudioSource>();
}

} // namespace voice
