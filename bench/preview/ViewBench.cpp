// Costs on the preview's frame path that do not need a GPU: handing a frame in, preparing it for
// upload (scale and convert to RGBA at the capped size) and recomputing the view geometry.
#include "VideoWidget.h"
#include "VideoWidgetUpload.h"
#include "ViewGeometry.h"

#include <QApplication>
#include <QPainter>

#include <benchmark/benchmark.h>

namespace {

// A camera frame as the decoder hands it over (24-bit RGB), with some structure so scaling works on
// real data rather than a flat colour.
QImage cameraFrame(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB888);
    QPainter p(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0.0, QColor(240, 230, 210));
    gradient.setColorAt(1.0, QColor(30, 60, 120));
    p.fillRect(image.rect(), gradient);
    p.setPen(Qt::black);
    for (int y = 0; y < height; y += 24)
        p.drawLine(0, y, width, y + 12);
    return image;
}

// The preview maximised on a 1280x1024 screen.
const QSize kWidgetPx(1280, 1024);

void BM_SetFrame(benchmark::State& state)
{
    const QImage frame = cameraFrame(int(state.range(0)), int(state.range(1)));
    VideoWidget widget;  // never shown: the queue is exercised without painting
    for (auto _ : state)
        widget.setFrame(frame);
    benchmark::DoNotOptimize(widget.queuedFrameCount());
}
BENCHMARK(BM_SetFrame)->Args({1920, 1080})->Args({3840, 2160});

// range(2): 0 normal, 1 low latency, 2 high quality.
void BM_PrepareUpload(benchmark::State& state)
{
    const QImage frame = cameraFrame(int(state.range(0)), int(state.range(1)));
    const bool lowLatency = state.range(2) == 1;
    const bool highQuality = state.range(2) == 2;
    const QSize cap = videoupload::capSize(frame.size(), kWidgetPx, highQuality, lowLatency, 16384);
    QSize out;
    for (auto _ : state) {
        const QImage rgba = videoupload::prepareRgba(frame, cap);
        out = rgba.size();
        benchmark::DoNotOptimize(rgba.constBits());
    }
    state.SetLabel(QString("-> %1x%2").arg(out.width()).arg(out.height()).toStdString());
}
BENCHMARK(BM_PrepareUpload)
    ->Args({1920, 1080, 0})
    ->Args({1920, 1080, 1})
    ->Args({1920, 1080, 2})
    ->Args({3840, 2160, 0})
    ->Args({3840, 2160, 1})
    ->Args({3840, 2160, 2})
    ->Unit(benchmark::kMicrosecond);

void BM_GeometryRecompute(benchmark::State& state)
{
    ViewGeometry g;
    g.setFrameSize(QSize(3840, 2160));
    int i = 0;
    for (auto _ : state) {
        g.setWidgetSize(QSize(1280 - (i & 7), 1024));
        g.setRotation((i & 3) * 90);
        g.setZoomPercent(100 + (i & 63));
        g.setPan(g.clampPan(QPoint(i & 255, -(i & 127))));
        benchmark::DoNotOptimize(g.videoRect());
        benchmark::DoNotOptimize(g.displayScale());
        ++i;
    }
}
BENCHMARK(BM_GeometryRecompute);

void BM_MapToImageRect(benchmark::State& state)
{
    ViewGeometry g;
    g.setFrameSize(QSize(3840, 2160));
    g.setWidgetSize(kWidgetPx);
    g.setRotation(90);
    g.setZoomPercent(150);
    for (auto _ : state)
        benchmark::DoNotOptimize(g.mapToImageRect(QRect(100, 100, 600, 400)));
}
BENCHMARK(BM_MapToImageRect);

} // namespace

int main(int argc, char** argv)
{
    // The widget is never shown; no display is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // mapToImageRect keeps its debug lines; they are not what is measured.
    qputenv("QT_LOGGING_RULES", "*.debug=false");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
