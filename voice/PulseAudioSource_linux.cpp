#include "AudioSource.h"

#include <pulse/error.h>
#include <pulse/simple.h>

namespace voice {
namespace {

// The server converts to our format itself, so nothing is resampled on this side.
class PulseAudioSource : public IAudioSource
{
public:
    ~PulseAudioSource() override { close(); }

    QString name() const override { return QStringLiteral("PulseAudio"); }

    bool open(QString* error) override
    {
        pa_sample_spec spec{};
        spec.format = PA_SAMPLE_S16LE;
        spec.rate = kOutputRateHz;
        spec.channels = 1;
        // 100 ms fragments: the loop sees a stop request within that time.
        pa_buffer_attr attr{};
        attr.maxlength = uint32_t(-1);
        attr.fragsize = uint32_t(kOutputRateHz / 10 * 2);
        int err = 0;
        m_stream = pa_simple_new(nullptr, "Lumadoc", PA_STREAM_RECORD, nullptr, "Voice commands", &spec, nullptr,
                                 &attr, &err);
        if (!m_stream) {
            if (error)
                *error = QStringLiteral("pa_simple_new: %1").arg(QString::fromUtf8(pa_strerror(err)));
            return false;
        }
        return true;
    }

    AudioFormat format() const override { return AudioFormat{kOutputRateHz, 1, SampleFormat::Int16}; }

    ReadResult read(QByteArray* packet, QString* error) override
    {
        const int bytes = kOutputRateHz / 10 * 2;
        const int at = packet->size();
        packet->resize(at + bytes);
        int err = 0;
        if (pa_simple_read(m_stream, packet->data() + at, size_t(bytes), &err) < 0) {
            packet->resize(at);
            if (error)
                *error = QStringLiteral("pa_simple_read: %1").arg(QString::fromUtf8(pa_strerror(err)));
            return ReadResult::Lost;
        }
        return ReadResult::Data;
    }

    void close() override
    {
        if (m_stream)
            pa_simple_free(m_stream);
        m_stream = nullptr;
    }

private:
    pa_simple* m_stream = nullptr;
};

} // namespace

std::unique_ptr<IAudioSource> makePulseAudioSource()
{
    return std::make_unique<PulseAudioSource>();
}

} // namespace voice
