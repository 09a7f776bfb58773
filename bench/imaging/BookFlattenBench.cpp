// Book flattening of a full-resolution double page (4168x3126, the camera's largest still), the whole
// run and its steps. It runs on a pool thread while the window shows a progress bar: the target is a
// whole run under 1 s without finger removal.
#include "BookFlatten.h"
#include "BookScene.h"
#include "ImageConversion.h"

#include <QGuiApplication>

#include <benchmark/benchmark.h>

#include <opencv2/imgproc.hpp>

namespace {

const cv::Mat& doublePage()
{
    static const cv::Mat frame = [] {
        bookscenes::BookSceneOptions o;
        o.frame = cv::Size(4168, 3126);
        o.pageCount = 2;
        o.spineGapPx = 80;
        o.bowFraction = 0.05;
        o.unevenLight = true;
        o.finger = bookscenes::Finger::Skin;
        return bookscenes::renderBookScene(o).bgr;
    }();
    return frame;
}

void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

void BM_FlattenDoublePage13MP(benchmark::State& state)
{
    const QImage input = matToQImage(doublePage());
    FlattenOptions options;
    options.forceDoublePage = true;
    options.removeFingers = state.range(0) != 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(processFlattening(input, options));
}
BENCHMARK(BM_FlattenDoublePage13MP)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BookMask13MP(benchmark::State& state)
{
    cv::Mat gray;
    cv::cvtColor(doublePage(), gray, cv::COLOR_BGR2GRAY);
    for (auto _ : state)
        benchmark::DoNotOptimize(bookflatten::getBookMask(gray, true));
}
BENCHMARK(BM_BookMask13MP)->Unit(benchmark::kMillisecond);

void BM_ExtractEdges13MP(benchmark::State& state)
{
    cv::Mat gray;
    cv::cvtColor(doublePage(), gray, cv::COLOR_BGR2GRAY);
    const cv::Mat mask = bookflatten::getBookMask(gray, true);
    for (auto _ : state)
        benchmark::DoNotOptimize(bookflatten::extractEdges(mask, true));
}
BENCHMARK(BM_ExtractEdges13MP)->Unit(benchmark::kMillisecond);

void BM_PerformFlattening13MP(benchmark::State& state)
{
    cv::Mat gray;
    cv::cvtColor(doublePage(), gray, cv::COLOR_BGR2GRAY);
    const bookflatten::BookEdges edges =
        bookflatten::extractEdges(bookflatten::getBookMask(gray, true), true);
    cv::Mat bgra;
    cv::cvtColor(doublePage(), bgra, cv::COLOR_BGR2BGRA);
    std::vector<cv::Mat> pages;
    for (auto _ : state)
        benchmark::DoNotOptimize(bookflatten::performFlattening(bgra, edges.pages, pages));
}
BENCHMARK(BM_PerformFlattening13MP)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
