// Decoding time on 1920x1080 camera frames: the full-resolution first pass with every symbology on the
// virtual camera's page (target under 200 ms), and the worst case of a whole decode, a frame where the
// first pass finds nothing and the further passes run (target under 500 ms).
#include "CodeScanner.h"
#include "VirtualFrameSource.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <opencv2/imgproc.hpp>

#include <vector>

namespace {

QImage virtualFrame(int width, int height)
{
    MediaCapture::VirtualFrameSource source(width, height);
    std::vector<uint8_t> rgb(source.frameBytes());
    source.renderFrame(1, 0, rgb.data());
    QImage frame(width, height, QImage::Format_RGB888);
    for (int y = 0; y < height; ++y)
        std::copy_n(rgb.data() + y * source.rowBytes(), source.rowBytes(), frame.scanLine(y));
    return frame;
}

// The same page, defocused until no pass reads any code: every pass runs.
QImage unreadableFrame()
{
    const QImage frame = virtualFrame(1920, 1080).convertToFormat(QImage::Format_Grayscale8);
    cv::Mat grey(frame.height(), frame.width(), CV_8UC1, const_cast<uchar*>(frame.constBits()),
                 static_cast<size_t>(frame.bytesPerLine()));
    cv::Mat blurred;
    cv::GaussianBlur(grey, blurred, cv::Size(0, 0), 12.0);
    QImage out(frame.width(), frame.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y)
        std::copy_n(blurred.ptr<uint8_t>(y), out.width(), out.scanLine(y));
    return out.convertToFormat(QImage::Format_RGB888);
}

// Sensor noise only, strong enough to give ZBar's edge detector the most work a frame can.
QImage noiseFrame()
{
    cv::Mat grey(1080, 1920, CV_8UC1);
    cv::RNG rng(7);
    rng.fill(grey, cv::RNG::UNIFORM, 0, 256);
    QImage out(grey.cols, grey.rows, QImage::Format_Grayscale8);
    for (int y = 0; y < out.height(); ++y)
        std::copy_n(grey.ptr<uint8_t>(y), out.width(), out.scanLine(y));
    return out.convertToFormat(QImage::Format_RGB888);
}

void FirstPassVirtualPage1080p(benchmark::State& state)
{
    const QImage frame = virtualFrame(1920, 1080);
    CodeScanOptions onePass;
    onePass.extraPasses = false;
    int found = 0;
    for (auto _ : state)
        found = CodeScanner::decode(frame, onePass).size();
    state.counters["codes"] = found;
}
BENCHMARK(FirstPassVirtualPage1080p)->Unit(benchmark::kMillisecond)->MinTime(3.0);

// range(0): 0 the defocused page, 1 pure noise; range(1): the budget in milliseconds.
void WholeDecodeNothingFound1080p(benchmark::State& state)
{
    const QImage frame = state.range(0) == 0 ? unreadableFrame() : noiseFrame();
    CodeScanOptions options;
    options.budgetMs = static_cast<int>(state.range(1));
    int found = 0;
    for (auto _ : state)
        found = CodeScanner::decode(frame, options).size();
    state.counters["codes"] = found;
}
// The program's budget, and no budget at all: what every pass costs together.
BENCHMARK(WholeDecodeNothingFound1080p)
    ->Args({0, CodeScanOptions().budgetMs})
    ->Args({0, 100000})
    ->Args({1, CodeScanOptions().budgetMs})
    ->Args({1, 100000})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(3.0);

} // namespace

int main(int argc, char** argv)
{
    // The virtual page prints its text with Qt's fonts, which need a GUI application.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
