#include "AudioFormat.h"

#include <QVector>
#include <QtEndian>
#include <algorithm>
#include <cstring>

namespace voice {

int AudioFormat::bytesPerSample() const
{
    switch (sample) {
    case SampleFormat::Int16:
        return 2;
    case SampleFormat::Int32:
    case SampleFormat::Float32:
        return 4;
    case SampleFormat::Unsupported:
        break;
    }
    return 0;
}

bool AudioFormat::isValid() const
{
    return sampleRateHz > 0 && channels > 0 && channels <= 64 && sample != SampleFormat::Unsupported;
}

SampleFormat sampleFormatFromWave(int formatTag, int bitsPerSample, int subFormatTag)
{
    if (formatTag == 65534)
        formatTag = subFormatTag;
    if (formatTag == 1 && bitsPerSample == 16)
        return SampleFormat::Int16;
    if (formatTag == 1 && bitsPerSample == 32)
        return SampleFormat::Int32;
    if (formatTag == 3 && bitsPerSample == 32)
        return SampleFormat::Float32;
    return SampleFormat::Unsupported;
}

QVector<qint16> toInt16(const char* data, qsizetype frames, const AudioFormat& format)
{
    QVector<qint16> out;
    if (!data || frames <= 0 || !format.isValid())
        return out;
    const qsizetype count = frames * format.channels;
    out.resize(int(count));
    const auto* bytes = reinterpret_cast<const uchar*>(data);
    switch (format.sample) {
    case SampleFormat::Int16:
        for (qsizetype i = 0; i < count; ++i)
            out[int(i)] = qFromLittleEndian<qint16>(bytes + 2 * i);
        break;
    case SampleFormat::Int32:
        for (qsizetype i = 0; i < count; ++i)
            out[int(i)] = qint16(qFromLittleEndian<qint32>(bytes + 4 * i) >> 16);
        break;
    case SampleFormat::Float32:
        for (qsizetype i = 0; i < count; ++i) {
            const quint32 bits = qFromLittleEndian<quint32>(bytes + 4 * i);
            float v;
            std::memcpy(&v, &bits, sizeof v);
            if (!(v == v))
                v = 0.f; // NaN from a broken driver is silence, not full scale
            v = std::clamp(v, -1.f, 1.f);
            out[int(i)] = qint16(v * 32767.f);
        }
        break;
    case SampleFormat::Unsupported:
        out.clear();
        break;
    }
    return out;
}

namespace {

int frameMean(const qint16* samples, qsizetype frame, int channels)
{
    int sum = 0;
    for (int c = 0; c < channels; ++c)
        sum += samples[frame * channels + c];
    return sum / channels;
}

void appendSample(QByteArray& out, int value)
{
    const qint16 v = qint16(std::clamp(value, -32768, 32767));
    char le[2];
    qToLittleEndian<qint16>(v, le);
    out.append(le, 2);
}

} // namespace

MonoResampler::MonoResampler(int inputRateHz, int channels)
    : m_rateHz(inputRateHz > 0 ? inputRateHz : kOutputRateHz), m_channels(channels > 0 ? channels : 1)
{
}

void MonoResampler::reset()
{
    m_pos16k = 0;
    m_havePrev = false;
    m_prev = 0;
}

QByteArray MonoResampler::process(const qint16* samples, qsizetype frames)
{
    QByteArray out;
    if (!samples || frames <= 0)
        return out;
    // Frame -1 is the held-back last frame of the previous packet.
    auto at = [&](qsizetype k) { return k < 0 ? m_prev : frameMean(samples, k, m_channels); };
    const qint64 last = qint64(frames - 1);
    out.reserve(int(frames * kOutputRateHz / m_rateHz + 2) * 2);
    // Emit while the frame after the position's frame is known; a position exactly on the last frame
    // waits, so the next packet gives its right neighbour.
    while (m_pos16k < last * kOutputRateHz) {
        qint64 k = m_pos16k >= 0 ? m_pos16k / kOutputRateHz : -1;
        if (k < 0 && !m_havePrev) { // first packet starts at 0, so this cannot happen; keep it safe
            m_pos16k = 0;
            continue;
        }
        const double f = double(m_pos16k - k * kOutputRateHz) / kOutputRateHz;
        const int s0 = at(k);
        const int s1 = at(k + 1);
        appendSample(out, int((1.0 - f) * s0 + f * s1));
        m_pos16k += m_rateHz;
    }
    m_pos16k -= qint64(frames) * kOutputRateHz;
    m_prev = frameMean(samples, last, m_channels);
    m_havePrev = true;
    return out;
}

QByteArray resampleToMono16k(const qint16* samples, qsizetype frames, int channels, int inputRateHz)
{
    QByteArray out;
    if (!samples || frames <= 0 || channels <= 0 || inputRateHz <= 0)
        return out;
    const qint64 count = qint64(frames) * kOutputRateHz / inputRateHz;
    if (count < 1)
        return out;
    out.reserve(int(count) * 2);
    for (qint64 i = 0; i < count; ++i) {
        const qint64 pos16k = i * inputRateHz;
        const qint64 k = pos16k / kOutputRateHz;
        const double f = double(pos16k - k * kOutputRateHz) / kOutputRateHz;
        const int s0 = frameMean(samples, k, channels);
        const int s1 = k + 1 < frames ? frameMean(samples, k + 1, channels) : s0;
        appendSample(out, int((1.0 - f) * s0 + f * s1));
    }
    return out;
}

QByteArray convertPacket(const char* data, qsizetype frames, const AudioFormat& format,
                         MonoResampler& resampler)
{
    if (format.isOutputFormat())
        return QByteArray(data, int(frames * 2));
    const QVector<qint16> s16 = toInt16(data, frames, format);
    if (s16.isEmpty())
        return {};
    return resampler.process(s16.constData(), frames);
}

QString describe(const AudioFormat& format)
{
    const char* kind = format.sample == SampleFormat::Float32       ? "float"
                       : format.sample == SampleFormat::Unsupported ? "unsupported"
                                                                    : "int";
    return QStringLiteral("%1 Hz, %2 ch, %3 bits %4")
        .arg(format.sampleRateHz)
        .arg(format.channels)
        .arg(format.bitsPerSample())
        .arg(QLatin1String(kind));
}

} // namespace voice
