#include "AudioSource.h"

#include <alsa/asoundlib.h>

namespace voice {
namespace {

class AlsaSource : public IAudioSource
{
public:
    explicit AlsaSource(const QString& device) : m_device(device) {}
    ~AlsaSource() override { close(); }

    QString name() const override { return QStringLiteral("ALSA"); }

    bool open(QString* error) override
    {
        int rc = snd_pcm_open(&m_pcm, m_device.toLocal8Bit().constData(), SND_PCM_STREAM_CAPTURE, 0);
        if (rc < 0) {
            m_pcm = nullptr;
            if (error)
                *error = QStringLiteral("snd_pcm_open %1: %2")
                             .arg(m_device, QString::fromLocal8Bit(snd_strerror(rc)));
            return false;
        }
        // Our own format first (the "default" plug device converts); then what raw hardware usually offers.
        struct Try
        {
            snd_pcm_format_t alsa;
            AudioFormat format;
        };
        const Try tries[] = {
            {SND_PCM_FORMAT_S16_LE, {kOutputRateHz, 1, SampleFormat::Int16}},
            {SND_PCM_FORMAT_S16_LE, {48000, 2, SampleFormat::Int16}},
            {SND_PCM_FORMAT_S32_LE, {48000, 2, SampleFormat::Int32}},
            {SND_PCM_FORMAT_FLOAT_LE, {48000, 2, SampleFormat::Float32}},
            {SND_PCM_FORMAT_S16_LE, {44100, 2, SampleFormat::Int16}},
        };
        for (const Try& t : tries) {
            rc = snd_pcm_set_params(m_pcm, t.alsa, SND_PCM_ACCESS_RW_INTERLEAVED, unsigned(t.format.channels),
                                    unsigned(t.format.sampleRateHz), 1, 100000);
            if (rc == 0) {
                m_format = t.format;
                return true;
            }
        }
        if (error)
            *error = QStringLiteral("snd_pcm_set_params: %1").arg(QString::fromLocal8Bit(snd_strerror(rc)));
        close();
        return false;
    }

    AudioFormat format() const override { return m_format; }

    ReadResult read(QByteArray* packet, QString* error) override
    {
        const snd_pcm_uframes_t frames = snd_pcm_uframes_t(m_format.sampleRateHz / 10);
        const int frameBytes = m_format.bytesPerFrame();
        const int at = packet->size();
        packet->resize(at + int(frames) * frameBytes);
        snd_pcm_sframes_t got = snd_pcm_readi(m_pcm, packet->data() + at, frames);
        if (got == -EPIPE || got == -ESTRPIPE || got == -EINTR) {
            // An overrun or a suspend is recoverable; the samples of this call are lost.
            got = snd_pcm_recover(m_pcm, int(got), 1);
            packet->resize(at);
            if (got < 0) {
                if (error)
                    *error = QStringLiteral("snd_pcm_recover: %1")
                                 .arg(QString::fromLocal8Bit(snd_strerror(int(got))));
                return ReadResult::Lost;
            }
            return ReadResult::Data;
        }
        if (got < 0) {
            packet->resize(at);
            if (error)
                *error =
                    QStringLiteral("snd_pcm_readi: %1").arg(QString::fromLocal8Bit(snd_strerror(int(got))));
            return ReadResult::Lost;
        }
        packet->resize(at + int(got) * frameBytes);
        return ReadResult::Data;
    }

    void close() override
    {
        if (m_pcm)
            snd_pcm_close(m_pcm);
        m_pcm = nullptr;
    }

private:
    QString m_device;
    snd_pcm_t* m_pcm = nullptr;
    AudioFormat m_format;
};

} // namespace

std::unique_ptr<IAudioSource> makeAlsaSource(const QString& device)
{
    return std::make_unique<AlsaSource>(device);
}

} // namespace voice
