// What the virtual camera costs. The budget is under 10 % of one core for a 1920x1080 stream at
// 30 fps, so the per-frame figures are also given as "core_pct", the share of one core they would
// take at the mode's rate. Build with -DCMAKE_BUILD_TYPE=Release to measure.

#include "VirtualBackend.h"
#include "VirtualCameraRig.h"
#include "VirtualFrameSource.h"
#include "VirtualScene.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <ctime>
#include <memory>
#include <thread>
#include <vector>

using namespace MediaCapture;

namespace {

double seconds(const timeval& t)
{
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double processCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// The CPU time of the loop so far as the share of one core it takes at `fps` iterations a second.
double coreShare(double cpuSeconds, int64_t iterations, int fps)
{
    return iterations > 0 ? 100.0 * cpuSeconds / static_cast<double>(iterations) * fps : 0.0;
}

// Per frame: cut the frame from the scene at the shake offset and add the noise.
void BM_FrameCost(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const int fps = static_cast<int>(state.range(2));
    VirtualFrameSource source(width, height);
    std::vector<uint8_t> frame(source.frameBytes());
    uint64_t index = 0;
    const double cpuStart = threadCpuSeconds();
    for (auto _ : state) {
        // Walk through the shake schedule so that moving frames are measured too.
        source.renderFrame(index, static_cast<int64_t>(index * 1000 / fps) % 9000, frame.data());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
        ++index;
    }
    const double cpu = threadCpuSeconds() - cpuStart;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * source.frameBytes()));
    state.counters["core_pct"] = coreShare(cpu, state.iterations(), fps);
}
BENCHMARK(BM_FrameCost)
    ->ArgNames({"w", "h", "fps"})
    ->Args({1920, 1080, 30})
    ->Args({1280, 720, 30})
    ->Args({640, 480, 30})
    ->Args({4168, 3126, 15})
    ->Unit(benchmark::kMillisecond);

// Same with brightness/contrast away from neutral: the tone is baked into the scene, so no dearer.
void BM_FrameCostWithTone(benchmark::State& state)
{
    VirtualFrameSource source(1920, 1080);
    source.setTone(20, 70);
    std::vector<uint8_t> frame(source.frameBytes());
    uint64_t index = 0;
    const double cpuStart = threadCpuSeconds();
    for (auto _ : state) {
        source.renderFrame(index, 0, frame.data());
        benchmark::DoNotOptimize(frame.data());
        benchmark::ClobberMemory();
        ++index;
    }
    state.counters["core_pct"] = coreShare(threadCpuSeconds() - cpuStart, state.iterations(), 30);
}
BENCHMARK(BM_FrameCostWithTone)->Unit(benchmark::kMillisecond);

// Once per control change: the scene through the tone table.
void BM_ToneChange(benchmark::State& state)
{
    VirtualFrameSource source(1920, 1080);
    int brightness = 0;
    for (auto _ : state) {
        brightness = brightness == 10 ? 11 : 10;
        source.setTone(brightness, 60);
    }
}
BENCHMARK(BM_ToneChange)->Unit(benchmark::kMillisecond);

// Once per frame size: drawing the desk, the shadow and the printed page.
void BM_SceneRender(benchmark::State& state)
{
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    for (auto _ : state) {
        auto scene = VirtualScene::render(width, height, VirtualFrameSource::shakeMarginPx(width));
        benchmark::DoNotOptimize(scene->rgb.data());
    }
}
BENCHMARK(BM_SceneRender)
    ->ArgNames({"w", "h"})
    ->Args({1920, 1080})
    ->Args({4168, 3126})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// The real thing: a 1920x1080 stream at 30 fps for three seconds through the library boundary, with a
// consumer that only counts. Reports the process's CPU time and the capture thread's own, as a share
// of one core, once the first frame (and so the one-off scene drawing) is behind it.
void BM_LiveStream1080p30(benchmark::State& state)
{
    for (auto _ : state) {
        VirtualCameraRig::instance().reset();
        std::unique_ptr<IMediaCapture> capture(createVirtualMediaCapture());
        if (!capture->openDevice(VirtualCameraRig::kDevicePath, VideoFormat{1920, 1080, 30})) {
            state.SkipWithError("open failed");
            return;
        }
        std::atomic<int> frames{0};
        std::atomic<bool> measuring{false};
        std::atomic<double> threadCpuAtStart{0.0};
        std::atomic<double> threadCpuNow{0.0};
        std::atomic<int> measuredFrames{0};
        capture->startVideoCapture(
            [&](const uint8_t* rgb, int, int, int64_t) {
                benchmark::DoNotOptimize(rgb);
                ++frames;
                if (measuring.load()) {
                    if (measuredFrames.fetch_add(1) == 0)
                        threadCpuAtStart.store(threadCpuSeconds());
                    threadCpuNow.store(threadCpuSeconds());
                }
            },
            {});
        while (frames.load() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));

        measuring.store(true);
        const double cpuStart = processCpuSeconds();
        const auto wallStart = std::chrono::steady_clock::now();
        std::this_thread::sleep_for(std::chrono::seconds(3));
        const double cpu = processCpuSeconds() - cpuStart;
        const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wallStart).count();
        const int counted = measuredFrames.load();
        const double threadCpu = threadCpuNow.load() - threadCpuAtStart.load();
        capture->stopVideoCapture();
        capture->closeDevice();

        state.SetIterationTime(wall);
        state.counters["frames"] = counted;
        state.counters["fps"] = counted / wall;
        state.counters["process_cpu_pct"] = 100.0 * cpu / wall;
        // Between the first and the last measured frame, so over counted-1 frame periods.
        state.counters["capture_thread_cpu_pct"] = counted > 1 ? 100.0 * threadCpu / ((counted - 1) / 30.0) : 0.0;
    }
}
BENCHMARK(BM_LiveStream1080p30)->Iterations(1)->UseManualTime()->Unit(benchmark::kSecond);

} // namespace

int main(int argc, char** argv)
{
    // The scene's text needs Qt's fonts, which need a QGuiApplication; no window is ever shown.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
