// Document detection on a live frame (every 500 ms on the main thread) and the straightening crop of
// a full-resolution capture. Targets: detection under 15 ms at 1920x1080, the crop under 150 ms at
// 4168x3126.
#include "BackgroundRemoval.h"
#include "DocumentCrop.h"
#include "ImageConversion.h"
#include "SyntheticScene.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

namespace {

QImage scene(cv::Size size, uint64_t seed)
{
    detectionscenes::SceneOptions options;
    options.frame = size;
    return matToQImage(detectionscenes::renderScene(seed, options).bgr);
}

void BM_DetectDocumentQuad1080p(benchmark::State& state)
{
    const QImage frame = scene(cv::Size(1920, 1080), 42);
    for (auto _ : state)
        benchmark::DoNotOptimize(detectDocumentQuad(frame));
}
BENCHMARK(BM_DetectDocumentQuad1080p)->Unit(benchmark::kMillisecond);

// A frame where Otsu's region is no clean rectangle, so the threshold search runs too.
void BM_DetectDocumentQuad1080pHardLight(benchmark::State& state)
{
    const QImage frame = scene(cv::Size(1920, 1080), 1025);
    for (auto _ : state)
        benchmark::DoNotOptimize(detectDocumentQuad(frame));
}
BENCHMARK(BM_DetectDocumentQuad1080pHardLight)->Unit(benchmark::kMillisecond);

void BM_AutoCropWithRotation13MP(benchmark::State& state)
{
    const QImage frame = scene(cv::Size(4168, 3126), 42);
    for (auto _ : state) {
        double angle = 0.0;
        QPolygon outline;
        benchmark::DoNotOptimize(autoCropWithRotation(frame, &angle, &outline));
    }
}
BENCHMARK(BM_AutoCropWithRotation13MP)->Unit(benchmark::kMillisecond);

void BM_RemoveBackground13MP(benchmark::State& state)
{
    const QImage frame = scene(cv::Size(4168, 3126), 42);
    for (auto _ : state)
        benchmark::DoNotOptimize(removeBackground(frame, 0, 127));
}
BENCHMARK(BM_RemoveBackground13MP)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication::setAttribute(Qt::AA_Use96Dpi);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
