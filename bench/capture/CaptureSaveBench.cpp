// What an automatic JPEG save costs the main thread, next to what the bare JPEG encode of the same
// picture costs. The saver adds checks, a probe, a temporary file and the move into place; the target is
// at most 1.5 times the bare encode.
#include "ImageSaver.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QTemporaryDir>
#include <QThreadPool>
#include <QTransform>

#include <benchmark/benchmark.h>

namespace {

// A camera frame (24-bit RGB) with text-like structure, so the encoder has real detail to work on.
QImage cameraFrame(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0.0, QColor(240, 236, 226));
    gradient.setColorAt(1.0, QColor(200, 196, 186));
    p.fillRect(image.rect(), gradient);
    p.setPen(QColor(30, 30, 30));
    for (int y = 40; y < height; y += 28)
        for (int x = 40; x < width - 40; x += 90)
            p.drawText(x, y, QStringLiteral("Lumadoc"));
    return image;
}

// As the capture pipeline hands it over: turned a quarter and cropped to the page.
QImage capture(int width, int height)
{
    const QImage turned = cameraFrame(width, height).transformed(QTransform().rotate(90));
    const QRect page = turned.rect().adjusted(turned.width() / 20, turned.height() / 20, -turned.width() / 20,
                                              -turned.height() / 20);
    return turned.copy(page);
}

void setLabel(benchmark::State& state, const QImage& image)
{
    state.SetLabel(
        QStringLiteral("%1x%2 after rotate+crop").arg(image.width()).arg(image.height()).toStdString());
}

void BM_PlainJpegSave(benchmark::State& state)
{
    const QImage image = capture(int(state.range(0)), int(state.range(1)));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("plain.jpg"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(image.save(path, "JPEG", 75));
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
    setLabel(state, image);
}
BENCHMARK(BM_PlainJpegSave)->Args({1920, 1080})->Args({4168, 3126})->Unit(benchmark::kMillisecond);

// range(2): 1 the production setting (flush to disk on a pool thread), 0 without that flush.
void BM_ImageSaverJpeg(benchmark::State& state)
{
    const QImage image = capture(int(state.range(0)), int(state.range(1)));
    QTemporaryDir dir;
    ImageSaver saver;
    saver.setSyncInBackground(state.range(2) != 0);
    for (auto _ : state) {
        const SaveResult result = saver.saveCapture(image, QStringLiteral("IMG_0001.jpg"), dir.path(), 0);
        state.PauseTiming();
        if (!result.ok)
            state.SkipWithError(result.statusText.toStdString().c_str());
        QFile::remove(result.writtenPath);
        state.ResumeTiming();
    }
    QThreadPool::globalInstance()->waitForDone();
    setLabel(state, image);
}
BENCHMARK(BM_ImageSaverJpeg)
    ->Args({1920, 1080, 1})
    ->Args({4168, 3126, 1})
    ->Args({1920, 1080, 0})
    ->Args({4168, 3126, 0})
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    // Text on the test page needs fonts, which need a GUI application; no display is required.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    // The saver logs every save; keep the figures readable.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
