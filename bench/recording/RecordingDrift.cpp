// recording_drift: how far sound and picture part over a long recording. A synthetic camera (320x240
// at 30 fps, a white picture for 200 ms every 10 s) and a synthetic microphone (a 10 ms click at the
// same moments) feed the recorder on a driven clock as fast as it encodes; the file is then decoded
// with ffmpeg and every flash is matched with its click. Prints each offset (sound minus picture),
// the largest, and the drift (last offset minus first). --skew-ppm makes the microphone's own clock
// run that much fast, as a cheap sound card's does. Not a test: ten minutes take a minute or two.
//
//   recording_drift [--minutes 10] [--skew-ppm 0] [-o OUT.mp4]
#include "AppRecorder.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

// The recorder's progress lines would bury the figures; warnings still come through.
void warningsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

constexpr int kW = 320, kH = 240, kFps = 30, kRate = 16000, kBlock = 1600, kFlashEveryMs = 10000;

QByteArray run(const QString& program, const QStringList& args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(-1);
    return p.readAllStandardOutput();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(warningsOnly);
    const QStringList args = app.arguments();
    double minutes = 10, skewPpm = 0;
    QTemporaryDir dir;
    QString out = dir.filePath("drift.mp4");
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == "--minutes")
            minutes = args[i + 1].toDouble();
        else if (args[i] == "--skew-ppm")
            skewPpm = args[i + 1].toDouble();
        else if (args[i] == "-o")
            out = args[i + 1];
    }
    const qint64 durationMs = qint64(minutes * 60000);
    std::atomic<qint64> clock{0};
    AppRecorder::Options options;
    options.clock = [&clock] { return clock.load(); };
    AppRecorder recorder(options);
    if (!recorder.start(out, kW, kH, kFps, true)) {
        std::fprintf(stderr, "recorder did not start\n");
        return 3;
    }
    const QByteArray dark(kW * kH * 3, char(16)), white(kW * kH * 3, char(235));
    const double micRate = kRate * (1 + skewPpm / 1e6); // samples per second of the system clock
    std::vector<int16_t> block(kBlock);
    qint64 frame = 0, sample = 0;
    while (true) {
        const qint64 videoMs = frame * 1000 / kFps;
        const qint64 audioMs = qint64(std::llround((sample + kBlock) * 1000.0 / micRate));
        if (videoMs >= durationMs && audioMs > durationMs)
            break;
        if (videoMs < durationMs && videoMs <= audioMs) {
            clock = videoMs;
            while (recorder.queuedVideoFrames() >= AppRecorder::kMaxQueuedVideoFrames - 4)
                QThread::msleep(1);
            const bool flash = videoMs % kFlashEveryMs < 200 && videoMs >= kFlashEveryMs;
            recorder.pushVideoFrame(reinterpret_cast<const uchar*>((flash ? white : dark).constData()), kW,
                                    kH);
            ++frame;
        } else {
            clock = audioMs;
            for (int i = 0; i < kBlock; ++i) {
                // The microphone's sample n was taken at n / micRate seconds of the system clock.
                const double t = (sample + i) * 1000.0 / micRate;
                const qint64 inPeriod = qint64(t) % kFlashEveryMs;
                block[i] = (t >= kFlashEveryMs && inPeriod < 10) ? 30000 : 0;
            }
            recorder.pushAudio(reinterpret_cast<const char*>(block.data()), kBlock * 2);
            sample += kBlock;
            // The sound queue holds 201 blocks; keep it from overflowing while the picture waits.
            if ((sample / kBlock) % 50 == 0)
                while (recorder.queuedVideoFrames() > 8)
                    QThread::msleep(1);
        }
    }
    const bool ok = recorder.stop();
    std::printf("file %s ok=%d frames dropped=%d\n", qPrintable(out), ok, recorder.droppedVideoFrames());

    const QByteArray luma = run("ffmpeg", {"-v", "error", "-i", out, "-map", "0:v:0", "-vsync", "passthrough",
                                           "-vf", "scale=8:1", "-pix_fmt", "gray", "-f", "rawvideo", "-"});
    const QJsonArray times =
        QJsonDocument::fromJson(run("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                                "frame=pts_time", "-of", "json", out}))
            .object()
            .value("frames")
            .toArray();
    const QByteArray pcmBytes = run("ffmpeg", {"-v", "error", "-i", out, "-map", "0:a:0", "-f", "s16le",
                                               "-ac", "1", "-ar", "16000", "-"});
    const auto* pcm = reinterpret_cast<const int16_t*>(pcmBytes.constData());
    const qint64 samples = pcmBytes.size() / 2;

    std::vector<double> flashes, clicks;
    bool lit = false;
    for (int i = 0; i < times.size() && (i + 1) * 8 <= luma.size(); ++i) {
        int sum = 0;
        for (int b = 0; b < 8; ++b)
            sum += uchar(luma[i * 8 + b]);
        const bool now = sum / 8 > 128;
        if (now && !lit)
            flashes.push_back(times[i].toObject().value("pts_time").toString().toDouble());
        lit = now;
    }
    bool loud = false;
    qint64 lastLoud = -kRate;
    for (qint64 i = 0; i < samples; ++i) {
        const bool now = std::abs(int(pcm[i])) > 15000;
        if (now && !loud && i - lastLoud > kRate)
            clicks.push_back(double(i) / kRate);
        if (now)
            lastLoud = i;
        loud = now;
    }
    const size_t n = std::min(flashes.size(), clicks.size());
    std::printf("flashes=%zu clicks=%zu (expected %lld)\n", flashes.size(), clicks.size(),
                (long long)((durationMs - 1) / kFlashEveryMs));
    double worst = 0;
    for (size_t i = 0; i < n; ++i) {
        const double offsetMs = (clicks[i] - flashes[i]) * 1000;
        worst = std::max(worst, std::abs(offsetMs));
        if (i < 3 || i + 3 >= n)
            std::printf("  at %7.2f s: sound - picture = %+7.1f ms\n", flashes[i], offsetMs);
    }
    if (n > 0)
        std::printf("max |offset| = %.1f ms, drift (last - first) = %+.1f ms\n", worst,
                    ((clicks[n - 1] - flashes[n - 1]) - (clicks[0] - flashes[0])) * 1000);
    return n > 0 ? 0 : 1;
}
