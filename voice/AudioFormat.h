#pragma once
// The sample layouts a microphone or a sound file delivers, and their conversion to what the recognizer
// and the recorder take: 16-bit signed little-endian PCM, mono, 16000 Hz.

#include <QByteArray>
#include <QString>
#include <QVector>
#include <QtGlobal>

namespace voice {

constexpr int kOutputRateHz = 16000;

enum class SampleFormat
{
    Int16,   // signed 16-bit little-endian
    Int32,   // signed 32-bit little-endian (full-scale integer, not 24-in-32)
    Float32, // IEEE float, nominal range [-1, 1]
    Unsupported,
};

struct AudioFormat
{
    int sampleRateHz = kOutputRateHz;
    int channels = 1;
    SampleFormat sample = SampleFormat::Int16;

    int bytesPerSample() const;
    int bytesPerFrame() const { return bytesPerSample() * channels; }
    int bitsPerSample() const { return bytesPerSample() * 8; }
    bool isValid() const;
    bool isOutputFormat() const
    {
        return sampleRateHz == kOutputRateHz && channels == 1 && sample == SampleFormat::Int16;
    }
};

// The sample format of a WAVE format record: the format tag (1 PCM, 3 IEEE float, 65534 extensible, whose
// real kind is the first two bytes of its sub-format GUID) and the container's bits per sample.
SampleFormat sampleFormatFromWave(int formatTag, int bitsPerSample, int subFormatTag);

// Converts interleaved samples of any supported format to interleaved 16-bit samples (same channels).
// Floats are clamped to [-1, 1] and scaled by 32767; 32-bit integers keep their upper 16 bits.
QVector<qint16> toInt16(const char* data, qsizetype frames, const AudioFormat& format);

// Down-mixes and resamples interleaved 16-bit audio to mono 16000 Hz by linear interpolation.
// The stream form keeps its position between packets, so consecutive packets give the same samples as
// one long packet: no phase jump and no lost or doubled sample at packet edges. The last input frame of
// a packet is held back until the next one arrives (it is needed to interpolate towards it).
class MonoResampler
{
public:
    explicit MonoResampler(int inputRateHz = kOutputRateHz, int channels = 1);
    // Appends the output for `frames` interleaved frames.
    QByteArray process(const qint16* samples, qsizetype frames);
    void reset();

    int inputRateHz() const { return m_rateHz; }
    int channels() const { return m_channels; }

private:
    int m_rateHz;
    int m_channels;
    // Position of the next output sample in input frames × 16000, counted from the first frame of the
    // packet to come; -16000 ≤ m_pos16k means "between the held-back frame and the next packet's first".
    qint64 m_pos16k = 0;
    bool m_havePrev = false;
    int m_prev = 0;
};

// One packet on its own: frames × 16000 / rate output samples (truncated), the last ones interpolated
// towards a repeat of the final frame. Empty when that count is below 1.
QByteArray resampleToMono16k(const qint16* samples, qsizetype frames, int channels, int inputRateHz);

// Converts one device packet with a stream resampler (which must match the format's rate and channels).
// An unsupported sample format gives an empty result.
QByteArray convertPacket(const char* data, qsizetype frames, const AudioFormat& format,
                         MonoResampler& resampler);

QString describe(const AudioFormat& format);

} // namespace voice
