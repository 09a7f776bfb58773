// Not a test: shows the preview maximised and feeds it 1920x1080 frames at 30 per second, then
// prints how many new frames per second were painted and how much CPU the process used.
// Run under: xvfb-run -a -s "-screen 0 1280x1024x24" bench_DisplayRateHarness [seconds] [lowlatency]
#include "VideoWidget.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QScreen>
#include <QTimer>

#include <sys/resource.h>

#include <cstdio>
#include <vector>

namespace {

double cpuSeconds()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_utime.tv_usec / 1e6 + usage.ru_stime.tv_sec + usage.ru_stime.tv_usec / 1e6;
}

std::vector<QImage> makeFrames(int count)
{
    std::vector<QImage> frames;
    for (int i = 0; i < count; ++i) {
        QImage image(1920, 1080, QImage::Format_RGB888);
        image.fill(QColor::fromHsv((i * 360 / count) % 360, 120, 220));
        QPainter p(&image);
        p.setPen(QPen(Qt::black, 8));
        p.drawLine(i * 1920 / count, 0, i * 1920 / count, 1080);
        frames.push_back(image);
    }
    return frames;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const int seconds = args.size() > 1 ? args.at(1).toInt() : 10;
    const bool lowLatency = args.contains("lowlatency");

    const std::vector<QImage> frames = makeFrames(30);
    VideoWidget widget;
    widget.setLowLatency(lowLatency);
    // Xvfb has no window manager to honour "maximised", so size the window to the screen as well.
    widget.setGeometry(QGuiApplication::primaryScreen()->availableGeometry());
    widget.showMaximized();

    size_t next = 0;
    qint64 framesIn = 0;
    QTimer feeder;
    feeder.setTimerType(Qt::PreciseTimer);
    QObject::connect(&feeder, &QTimer::timeout, [&] {
        widget.setFrame(frames[next]);
        next = (next + 1) % frames.size();
        ++framesIn;
    });
    feeder.start(33);

    // Two seconds to settle (context, first textures), then measure.
    QElapsedTimer wall;
    double cpuAtStart = 0.0;
    qint64 framesAtStart = 0;
    std::vector<double> rates;
    QTimer sampler;
    int tick = 0;
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        ++tick;
        if (tick == 2) {
            wall.start();
            cpuAtStart = cpuSeconds();
            framesAtStart = framesIn;
            return;
        }
        if (tick < 2)
            return;
        rates.push_back(widget.displayRate());
        if (tick >= seconds + 2) {
            const double elapsed = wall.elapsed() / 1000.0;
            const double cpu = cpuSeconds() - cpuAtStart;
            double sum = 0.0;
            for (double r : rates)
                sum += r;
            std::printf("widget %dx%d, %s, frames in %.1f/s, displayed new frames %.1f/s (mean of %zu samples), "
                        "CPU %.0f%% of one core\n",
                        widget.width(), widget.height(), lowLatency ? "low latency" : "normal",
                        (framesIn - framesAtStart) / elapsed, sum / rates.size(), rates.size(), 100.0 * cpu / elapsed);
            app.quit();
        }
    });
    sampler.start(1000);
    return app.exec();
}
