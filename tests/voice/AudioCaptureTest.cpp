// The microphone path without a microphone: known signals written as WAVE files of every sample format
// the devices deliver, fed through the capture thread, must come out as the expected 16 kHz mono samples.

#include "AudioCapture.h"
#include "AudioFormat.h"

#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

using namespace voice;

namespace {

QVector<qint16> samplesOf(const QByteArray& pcm)
{
    QVector<qint16> out(pcm.size() / 2);
    for (int i = 0; i < out.size(); ++i)
        out[i] = qFromLittleEndian<qint16>(pcm.constData() + 2 * i);
    return out;
}

// A WAVE file in the given layout; `extensible` writes the 40-byte header with tag 65534.
void writeWav(const QString& path, const AudioFormat& f, const QVector<double>& interleaved, bool extensible)
{
    QByteArray data;
    for (double v : interleaved) {
        char b[4];
        switch (f.sample) {
        case SampleFormat::Int16:
            qToLittleEndian<qint16>(qint16(v * 32767), b);
            data.append(b, 2);
            break;
        case SampleFormat::Int32:
            qToLittleEndian<qint32>(qint32(v * 2147483647.0), b);
            data.append(b, 4);
            break;
        case SampleFormat::Float32: {
            const float x = float(v);
            quint32 bits;
            std::memcpy(&bits, &x, 4);
            qToLittleEndian<quint32>(bits, b);
            data.append(b, 4);
            break;
        }
        case SampleFormat::Unsupported:
            break;
        }
    }
    const int realTag = f.sample == SampleFormat::Float32 ? 3 : 1;
    QByteArray fmt;
    auto u16 = [&](QByteArray& a, int v) {
        char b[2];
        qToLittleEndian<quint16>(quint16(v), b);
        a.append(b, 2);
    };
    auto u32 = [&](QByteArray& a, quint32 v) {
        char b[4];
        qToLittleEndian<quint32>(v, b);
        a.append(b, 4);
    };
    u16(fmt, extensible ? 65534 : realTag);
    u16(fmt, f.channels);
    u32(fmt, quint32(f.sampleRateHz));
    u32(fmt, quint32(f.sampleRateHz * f.bytesPerFrame()));
    u16(fmt, f.bytesPerFrame());
    u16(fmt, f.bitsPerSample());
    if (extensible) {
        u16(fmt, 22);
        u16(fmt, f.bitsPerSample());
        u32(fmt, f.channels == 2 ? 3 : 4);
        u16(fmt, realTag); // sub-format GUID starts with the real tag
        fmt.append("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    }
    QByteArray file("RIFF");
    u32(file, quint32(4 + 8 + fmt.size() + 8 + data.size()));
    file.append("WAVEfmt ");
    u32(file, quint32(fmt.size()));
    file.append(fmt);
    file.append("data");
    u32(file, quint32(data.size()));
    file.append(data);
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(file);
}

QByteArray captureAll(AudioCapture& capture)
{
    QByteArray all;
    QObject::connect(
        &capture, &AudioCapture::audioDataReady, &capture, [&](const QByteArray& pcm) { all += pcm; },
        Qt::DirectConnection);
    EXPECT_TRUE(capture.start());
    EXPECT_TRUE(capture.wait(20000));
    return all;
}

} // namespace

// 48 kHz stereo keeps one output per three input frames, the integer mean of left and right; 32 kHz
// mono interpolates halfway between neighbours. Cut into odd packets, the stream gives the same samples.
TEST(AudioResampler, KnownSignalsInOnePacketAndInPieces)
{
    struct Case
    {
        int rate, channels;
        std::function<int(int frame, int ch)> signal;
        std::function<int(int out)> expected;
    };
    const Case cases[] = {
        {48000, 2, [](int k, int c) { return c == 0 ? 7 * k - 9000 : -5 * k + 3001; },
         [](int i) { return (7 * 3 * i - 9000 + -5 * 3 * i + 3001) / 2; }},
        {32000, 1, [](int k, int) { return 10 * k; }, [](int i) { return 20 * i; }},
        {16000, 1, [](int k, int) { return (k * 37) % 2000 - 1000; },
         [](int i) { return (i * 37) % 2000 - 1000; }},
        // 44.1 kHz: no whole step, so only the pieces-equal-whole half of the check applies.
        {44100, 2, [](int k, int c) { return int(20000 * std::sin(k * 0.05 + c)); }, nullptr},
    };
    for (const Case& c : cases) {
        const int frames = c.rate / 10; // 100 ms
        QVector<qint16> in(frames * c.channels);
        for (int k = 0; k < frames; ++k)
            for (int ch = 0; ch < c.channels; ++ch)
                in[k * c.channels + ch] = qint16(c.signal(k, ch));
        const QVector<qint16> whole =
            samplesOf(resampleToMono16k(in.constData(), frames, c.channels, c.rate));
        ASSERT_EQ(whole.size(), 1600) << c.rate;
        for (int i = 0; c.expected && i + 1 < whole.size(); ++i)
            ASSERT_EQ(whole[i], c.expected(i)) << c.rate << " at " << i;

        MonoResampler stream(c.rate, c.channels);
        QByteArray pieces;
        const int cuts[] = {1, 7, 333, 2, 1000, 50};
        int at = 0;
        for (int n = 0; at < frames; n = (n + 1) % 6) {
            const int len = std::min(cuts[n], frames - at);
            pieces += stream.process(in.constData() + at * c.channels, len);
            at += len;
        }
        const QVector<qint16> streamed = samplesOf(pieces);
        // The stream holds back what needs the next packet: at most the last few outputs.
        ASSERT_GE(streamed.size(), whole.size() - 3) << c.rate;
        for (int i = 0; i + 1 < streamed.size(); ++i)
            ASSERT_EQ(streamed[i], whole[i]) << c.rate << " at " << i;
    }
    const qint16 tiny[2] = {100, 200};
    EXPECT_TRUE(resampleToMono16k(tiny, 1, 2, 48000).isEmpty()); // 1 × 16000 / 48000 < 1
}

// Every device layout, plain and extensible header, read by its real sample format: the same 1 kHz tone
// must come out within one or two steps of the 16-bit truth (float scaling and 32-bit truncation).
TEST(AudioCapture, WaveFilesOfEveryLayoutGiveTheSameSamples)
{
    QTemporaryDir dir;
    struct Case
    {
        AudioFormat format;
        bool extensible;
    };
    const Case cases[] = {
        {{16000, 1, SampleFormat::Int16}, false},   {{16000, 1, SampleFormat::Int16}, true},
        {{16000, 2, SampleFormat::Int32}, false},   {{16000, 2, SampleFormat::Int32}, true},
        {{16000, 1, SampleFormat::Float32}, false}, {{16000, 2, SampleFormat::Float32}, true},
    };
    const int frames = 4000;
    for (const Case& c : cases) {
        QVector<double> signal;
        for (int k = 0; k < frames; ++k)
            for (int ch = 0; ch < c.format.channels; ++ch)
                signal << 0.5 * std::sin(2 * M_PI * 1000 * k / 16000.0);
        const QString path = dir.filePath(QStringLiteral("tone_%1.wav").arg(&c - cases));
        writeWav(path, c.format, signal, c.extensible);
        AudioCapture capture(AudioCapture::wavFileSources(path, FilePace::AsFastAsPossible));
        const QVector<qint16> out = samplesOf(captureAll(capture));
        ASSERT_GE(out.size(), frames - 2) << describe(c.format).toStdString() << " ext=" << c.extensible;
        for (int k = 0; k < out.size(); ++k)
            ASSERT_NEAR(out[k], 0.5 * 32767 * std::sin(2 * M_PI * 1000 * k / 16000.0), 2.0)
                << describe(c.format).toStdString() << " ext=" << c.extensible << " at " << k;
    }
}

// Real speech from the synthesiser (22050 Hz) gives duration × 16000 samples.
TEST(AudioCapture, SpokenWaveFileGivesItsDurationAt16k)
{
    const QString espeak = QStandardPaths::findExecutable(QStringLiteral("espeak-ng"));
    if (espeak.isEmpty())
        GTEST_SKIP() << "espeak-ng not installed";
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("speech.wav"));
    ASSERT_EQ(QProcess::execute(espeak, {QStringLiteral("-v"), QStringLiteral("zh"), QStringLiteral("-w"),
                                         path, QStringLiteral("拍照 左转 文字识别")}),
              0);
    WavInfo info;
    QString error;
    ASSERT_TRUE(readWavHeader(path, &info, &error)) << error.toStdString();
    const double seconds = double(info.dataBytes / info.format.bytesPerFrame()) / info.format.sampleRateHz;
    ASSERT_GT(seconds, 0.5);
    AudioCapture capture(AudioCapture::wavFileSources(path, FilePace::AsFastAsPossible));
    const QByteArray pcm = captureAll(capture);
    EXPECT_NEAR(pcm.size() / 2, seconds * 16000, seconds * 16000 * 0.005);
}

namespace {

// A device that opens only after a delay, or never, or dies after some packets.
class ScriptedSource : public IAudioSource
{
public:
    int openDelayMs = 0;
    bool opens = true;
    int packetsBeforeLoss = -1;
    QString name() const override { return QStringLiteral("scripted"); }
    bool open(QString* error) override
    {
        QThread::msleep(quint64(openDelayMs));
        if (!opens)
            *error = QStringLiteral("no device");
        return opens;
    }
    AudioFormat format() const override { return {16000, 1, SampleFormat::Int16}; }
    ReadResult read(QByteArray* packet, QString* error) override
    {
        QThread::msleep(5);
        if (packetsBeforeLoss == 0) {
            *error = QStringLiteral("unplugged");
            return ReadResult::Lost;
        }
        --packetsBeforeLoss;
        packet->append(QByteArray(320, '\1'));
        return ReadResult::Data;
    }
    void close() override {}
};

AudioCapture::SourceFactory scripted(int openDelayMs, bool opens, int packetsBeforeLoss)
{
    return [=] {
        auto s = std::make_unique<ScriptedSource>();
        s->openDelayMs = openDelayMs;
        s->opens = opens;
        s->packetsBeforeLoss = packetsBeforeLoss;
        return s;
    };
}

} // namespace

// start() reports what really happened: a failed device, a device slower than the limit (given up, no
// audio afterwards), a second start while running, a fallback to the next source, and a lost device.
TEST(AudioCapture, StartAndStopReportTheTruth)
{
    struct Case
    {
        const char* what;
        std::vector<AudioCapture::SourceFactory> sources;
        bool started;
        bool lost;
    };
    std::vector<Case> cases;
    cases.push_back({"no device", {scripted(0, false, -1)}, false, false});
    cases.push_back({"slower than the limit", {scripted(2500, true, -1)}, false, false});
    cases.push_back({"fallback", {scripted(0, false, -1), scripted(0, true, -1)}, true, false});
    cases.push_back({"lost", {scripted(0, true, 3)}, true, true});
    for (Case& c : cases) {
        AudioCapture capture(std::move(c.sources));
        capture.setStartTimeoutMs(800);
        QSignalSpy errors(&capture, &AudioCapture::captureError);
        int blocks = 0;
        QObject::connect(
            &capture, &AudioCapture::audioDataReady, &capture, [&] { ++blocks; }, Qt::DirectConnection);
        EXPECT_EQ(capture.start(), c.started) << c.what;
        if (!c.started) {
            EXPECT_FALSE(capture.isRunning()) << c.what;
            EXPECT_EQ(blocks, 0) << c.what;
            continue;
        }
        if (c.lost) {
            ASSERT_TRUE(capture.wait(5000)) << c.what;
            EXPECT_EQ(blocks, 3) << c.what;
            ASSERT_EQ(errors.count(), 1) << c.what;
            EXPECT_TRUE(errors.at(0).at(0).toString().contains(QStringLiteral("unplugged"))) << c.what;
            EXPECT_FALSE(capture.isCapturing()) << c.what;
            continue;
        }
        EXPECT_TRUE(capture.start()) << c.what; // already running: no second thread
        EXPECT_EQ(capture.sourceName(), QStringLiteral("scripted")) << c.what;
        capture.stop();
        EXPECT_FALSE(capture.isRunning()) << c.what;
        EXPECT_FALSE(capture.isCapturing()) << c.what;
        EXPECT_EQ(errors.count(), 0) << c.what;
    }
    AudioCapture never;
    never.stop(); // never started: returns at once
    EXPECT_FALSE(never.isRunning());
}
