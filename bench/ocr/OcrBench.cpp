// What the adapter costs on top of Tesseract: performOCR on a 1920x1080 page (scaling check, JPEG
// through the staging folder, the engine's layout and its second look at skipped ink) against the same
// pixels handed straight to a TessBaseAPI with the same languages, alternated in one run.
// Run with OMP_THREAD_LIMIT=1.
#include "OCRProcessor.h"
#include "OcrPages.h"

#include <tesseract/baseapi.h>

#include <QGuiApplication>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

QImage benchPage()
{
    QVector<ocrpages::TextRun> runs;
    const QString zh = ocrpages::chineseParagraph();
    const QString en = ocrpages::englishParagraph();
    int baseline = 90;
    for (int i = 0; i < 6; ++i) {
        runs.push_back({zh.mid(i * 14, 28), ocrpages::kCjkFamily, 40, 80, baseline});
        baseline += 75;
        runs.push_back({en.mid(i * 40, 70), ocrpages::kLatinFamily, 40, 80, baseline});
        baseline += 75;
    }
    return ocrpages::renderRuns(QSize(1920, 1080), runs).convertToFormat(QImage::Format_RGB888);
}

std::string recogniseDirect(tesseract::TessBaseAPI& api, const QImage& rgb)
{
    api.SetImage(rgb.constBits(), rgb.width(), rgb.height(), 3, rgb.bytesPerLine());
    api.SetSourceResolution(300);
    std::unique_ptr<char[]> text(api.GetUTF8Text());
    api.Clear();
    return text ? std::string(text.get()) : std::string();
}

void BM_AdapterVsTesseract(benchmark::State& state)
{
    const QImage page = benchPage();
    tesseract::TessBaseAPI api;
    if (api.Init(LUMADOC_TESSDATA_DIR, "chi_sim+eng", tesseract::OEM_LSTM_ONLY) != 0) {
        state.SkipWithError("Tesseract could not load chi_sim+eng");
        return;
    }
    api.SetPageSegMode(tesseract::PSM_AUTO);
    if (!OCRProcessor::instance()->initialize()) {
        state.SkipWithError("no models.bin beside the benchmark");
        return;
    }
    using Clock = std::chrono::steady_clock;
    double adapterMs = 0.0;
    double directMs = 0.0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        benchmark::DoNotOptimize(OCRProcessor::instance()->performOCR(page, 0));
        auto t1 = Clock::now();
        benchmark::DoNotOptimize(recogniseDirect(api, page));
        auto t2 = Clock::now();
        adapterMs += std::chrono::duration<double, std::milli>(t1 - t0).count();
        directMs += std::chrono::duration<double, std::milli>(t2 - t1).count();
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["adapter_ms"] = adapterMs / n;
    state.counters["tesseract_ms"] = directMs / n;
    state.counters["ratio"] = directMs > 0.0 ? adapterMs / directMs : 0.0;
}
BENCHMARK(BM_AdapterVsTesseract)->Unit(benchmark::kMillisecond)->Iterations(4);

void quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
