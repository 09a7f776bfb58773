// The recorder fed like a camera: one 1920x1080 frame every 1/30 s on the real clock for ten seconds,
// with a microphone's 100 ms blocks beside it. A frame is lost when the encoder falls so far behind
// that the queue overflows; the budget is at most 1 % dropped. "drop_pct" is that share, "enc_fps" the
// rate the encoder kept up with, "cpu_pct" the process's CPU time as a share of one core.
// The first run uses the preset the recorder picks itself; the others force one for comparison.
// Build with -DCMAKE_BUILD_TYPE=Release to measure.
#include "AppRecorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <random>
#include <thread>
#include <vector>

namespace {

// The recorder's progress lines would bury the figures; warnings still come through.
void warningsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;
constexpr int kFps = 30;
constexpr int kSeconds = 10;

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec +
           usage.ru_stime.tv_usec / 1e6;
}

// A page under a camera: light paper, dark text lines drifting slowly, and sensor noise that differs
// in every frame (what makes a real camera's picture expensive to encode).
std::vector<std::vector<uint8_t>> makeFrames(int count)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> noise(-6, 6);
    std::vector<std::vector<uint8_t>> frames(count, std::vector<uint8_t>(size_t(kWidth) * kHeight * 3));
    for (int f = 0; f < count; ++f) {
        uint8_t* p = frames[f].data();
        for (int y = 0; y < kHeight; ++y) {
            const bool textRow = ((y + f * 2) / 12) % 3 == 0;
            for (int x = 0; x < kWidth; ++x, p += 3) {
                const bool ink = textRow && ((x / 9 + y / 12) % 7) < 5 && x > 200 && x < 1720;
                const int base = ink ? 40 : 225 - (x + y) / 60;
                for (int c = 0; c < 3; ++c)
                    p[c] = uint8_t(std::clamp(base + noise(random), 0, 255));
            }
        }
    }
    return frames;
}

void BM_Recorder1080p30RealTime(benchmark::State& state, const char* preset)
{
    static const auto frames = makeFrames(kFps);
    QTemporaryDir dir;
    std::vector<int16_t> block(1600);
    for (size_t i = 0; i < block.size(); ++i)
        block[i] = int16_t(6000 * std::sin(2 * M_PI * 440 * double(i) / 16000));
    for (auto _ : state) {
        AppRecorder::Options options;
        options.preset = QString::fromLatin1(preset);
        AppRecorder recorder(options);
        if (!recorder.start(dir.filePath("bench.mp4"), kWidth, kHeight, kFps, true)) {
            state.SkipWithError("recorder did not start");
            return;
        }
        const double cpuStart = processCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const int total = kSeconds * kFps;
        for (int i = 0; i < total; ++i) {
            std::this_thread::sleep_until(start + std::chrono::microseconds(int64_t(i) * 1000000 / kFps));
            recorder.pushVideoFrame(frames[i % frames.size()].data(), kWidth, kHeight);
            if (i % 3 == 0)
                recorder.pushAudio(reinterpret_cast<const char*>(block.data()), int(block.size() * 2));
        }
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const int dropped = recorder.droppedVideoFrames();
        const int encodedBeforeStop = recorder.encodedVideoFrames();
        recorder.stop();
        const double cpu = processCpuSeconds() - cpuStart;
        state.SetIterationTime(wall);
        state.counters["drop_pct"] = 100.0 * dropped / total;
        state.counters["enc_fps"] = encodedBeforeStop / wall;
        state.counters["cpu_pct"] = 100.0 * cpu / wall;
        state.SetLabel(recorder.presetUsed().toStdString());
    }
}

BENCHMARK_CAPTURE(BM_Recorder1080p30RealTime, chosen, "")
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Recorder1080p30RealTime, veryfast, "veryfast")
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Recorder1080p30RealTime, superfast, "superfast")
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);
BENCHMARK_CAPTURE(BM_Recorder1080p30RealTime, ultrafast, "ultrafast")
    ->Iterations(1)
    ->UseManualTime()
    ->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(warningsOnly);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
