// The frame path from the library's callback bytes to the QImage the main thread receives, side by
// side with a plain memcpy of the same bytes. Target: at most 1.5x the memcpy.
#include "FakeMediaCapture.h"
#include "MediaCaptureWrapper.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

namespace {

void silence(QtMsgType, const QMessageLogContext&, const QString&) {}

void BM_Memcpy(benchmark::State& state)
{
    const size_t bytes = size_t(state.range(0)) * state.range(1) * 3;
    std::vector<uint8_t> source(bytes, 0x80), target(bytes);
    for (auto _ : state) {
        std::memcpy(target.data(), source.data(), bytes);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

// The frame path cannot write into the buffer the main thread still shows, so its target alternates
// between two buffers; this is the same copy with the same alternation, for reading the figures.
void BM_MemcpyTwoTargets(benchmark::State& state)
{
    const size_t bytes = size_t(state.range(0)) * state.range(1) * 3;
    std::vector<uint8_t> source(bytes, 0x80), first(bytes), second(bytes);
    bool flip = false;
    for (auto _ : state) {
        uint8_t* target = (flip = !flip) ? first.data() : second.data();
        std::memcpy(target, source.data(), bytes);
        benchmark::DoNotOptimize(target);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_FramePath(benchmark::State& state)
{
    const int width = int(state.range(0)), height = int(state.range(1));
    auto library = std::make_shared<fake::LibraryState>();
    MediaCaptureWrapper wrapper(nullptr, fake::factoryFor(library));
    wrapper.openDevice("/dev/bench", QSize(width, height), 30);
    wrapper.startCapture();
    std::vector<uint8_t> source(size_t(width) * height * 3, 0x80);
    qint64 received = 0;
    QObject::connect(&wrapper, &MediaCaptureWrapper::videoFrameReceived, [&](const QImage& frame) {
        received += frame.width();
    });
    for (auto _ : state) {
        library->callback(source.data(), width, height, 0);
        QCoreApplication::processEvents();  // delivery on the owning thread, as the window gets it
    }
    benchmark::DoNotOptimize(received);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(source.size()));
}

}  // namespace

BENCHMARK(BM_Memcpy)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MemcpyTwoTargets)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FramePath)->Args({1920, 1080})->Args({3840, 2160})->Unit(benchmark::kMicrosecond);

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    qInstallMessageHandler(silence);  // the per-frame debug lines are not what is measured
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
