// Document export against img2pdf (which only copies the JPEG bytes, the floor for speed and size),
// and the memory a long export needs. Build Release and run:
//   build/bin/bench_export --benchmark_filter=SideBySide     (50 captures, PDF, img2pdf, OFD)
//   build/bin/bench_export --benchmark_filter=PeakMemory     (200 captures)
#include "OfdWriter.h"
#include "PdfExport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPainter>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Captures as the camera gives them: 1920x1080, a printed page on a desk with sensor noise, saved as
// the capture pipeline saves JPEG (quality 75).
class Captures
{
public:
    static Captures& instance()
    {
        static Captures captures;
        return captures;
    }

    QStringList files(int count)
    {
        while (m_files.size() < count)
            m_files << writeCapture(m_files.size());
        return m_files.mid(0, count);
    }
    QString scratch(const QString& name) const { return m_dir.filePath(name); }

private:
    Captures()
    {
        m_page = QImage(1920, 1080, QImage::Format_RGB32);
        m_page.fill(QColor(92, 84, 76));
        QPainter painter(&m_page);
        painter.fillRect(QRect(360, 40, 1200, 1000), QColor(236, 234, 228));
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(22);
        painter.setFont(font);
        painter.setPen(QColor(30, 30, 34));
        QRandomGenerator words(7);
        for (int line = 0; line < 34; ++line) {
            QString text;
            const int length = 40 + int(words.bounded(40));
            for (int i = 0; i < length; ++i)
                text += (words.bounded(6) == 0) ? QChar(' ') : QChar('a' + int(words.bounded(26)));
            painter.drawText(QPoint(420, 110 + line * 27), text);
        }
        painter.end();
    }

    QString writeCapture(int index)
    {
        QImage capture = m_page.copy();
        QPainter painter(&capture);
        painter.setPen(Qt::black);
        painter.drawText(QPoint(1400, 1000), QString::number(index + 1));
        painter.end();
        QRandomGenerator noise(quint32(index) + 1);
        for (int y = 0; y < capture.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(capture.scanLine(y));
            for (int x = 0; x < capture.width(); ++x) {
                const int n = int(noise.bounded(9)) - 4;
                const QRgb p = row[x];
                row[x] = qRgb(qBound(0, qRed(p) + n, 255), qBound(0, qGreen(p) + n, 255),
                              qBound(0, qBlue(p) + n, 255));
            }
        }
        const QString path = m_dir.filePath(QStringLiteral("IMG_%1.jpg").arg(index, 4, 10, QLatin1Char('0')));
        capture.save(path, "JPEG", 75);
        return path;
    }

    QTemporaryDir m_dir;
    QImage m_page;
    QStringList m_files;
};

QVector<PageSource> sourcesOf(const QStringList& files)
{
    QVector<PageSource> sources;
    for (const QString& f : files)
        sources << PageSource::fromFile(f);
    return sources;
}

qint64 totalBytes(const QStringList& files)
{
    qint64 total = 0;
    for (const QString& f : files)
        total += QFileInfo(f).size();
    return total;
}

// 50 captures: our PDF, img2pdf and our OFD in turn within each iteration, so that the ratios come
// from the same moments of a shared machine.
void BM_SideBySide50(benchmark::State& state)
{
    Captures& captures = Captures::instance();
    const QStringList files = captures.files(50);
    const QVector<PageSource> sources = sourcesOf(files);
    const QString pdf = captures.scratch("ours.pdf");
    const QString reference = captures.scratch("img2pdf.pdf");
    const QString ofdFile = captures.scratch("ours.ofd");
    double pdfSeconds = 0, img2pdfSeconds = 0, ofdSeconds = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        if (!writePdf(sources, pdf))
            state.SkipWithError("PDF export failed");
        pdfSeconds += timer.nsecsElapsed() / 1e9;

        timer.restart();
        QProcess img2pdf;
        // Debian's python3-img2pdf is the module; the img2pdf package adds the /usr/bin script.
        if (QFileInfo::exists(QStringLiteral("/usr/bin/img2pdf")))
            img2pdf.start(QStringLiteral("/usr/bin/img2pdf"), QStringList(files) << "-o" << reference);
        else
            img2pdf.start(QStringLiteral("/usr/bin/python3"),
                          QStringList{"-m", "img2pdf"} << files << "-o" << reference);
        if (!img2pdf.waitForFinished(120000) || img2pdf.exitCode() != 0)
            state.SkipWithError("img2pdf failed (install python3-img2pdf)");
        img2pdfSeconds += timer.nsecsElapsed() / 1e9;

        timer.restart();
        if (!writeOfdFromSources(ofdFile, sources, ofd::kMaxPageSidePx))
            state.SkipWithError("OFD export failed");
        ofdSeconds += timer.nsecsElapsed() / 1e9;
    }
    const double n = double(state.iterations());
    state.counters["pdf_s"] = pdfSeconds / n;
    state.counters["img2pdf_s"] = img2pdfSeconds / n;
    state.counters["ofd_s"] = ofdSeconds / n;
    state.counters["time_pdf_vs_img2pdf"] = pdfSeconds / img2pdfSeconds;
    state.counters["time_ofd_vs_pdf"] = ofdSeconds / pdfSeconds;
    const double sourceMB = totalBytes(files) / 1e6;
    state.counters["captures_MB"] = sourceMB;
    state.counters["pdf_MB"] = QFileInfo(pdf).size() / 1e6;
    state.counters["img2pdf_MB"] = QFileInfo(reference).size() / 1e6;
    state.counters["ofd_MB"] = QFileInfo(ofdFile).size() / 1e6;
    state.counters["size_pdf_vs_img2pdf"] = double(QFileInfo(pdf).size()) / QFileInfo(reference).size();
}
BENCHMARK(BM_SideBySide50)->Unit(benchmark::kMillisecond)->Iterations(3);

qint64 statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

// Peak resident memory of a 200-page export above the resting size before it (the kernel's high-water
// mark is reset first). Argument: 0 PDF, 1 OFD.
void BM_PeakMemory200(benchmark::State& state)
{
    Captures& captures = Captures::instance();
    const QVector<PageSource> sources = sourcesOf(captures.files(200));
    const bool pdf = state.range(0) == 0;
    const QString target = captures.scratch(pdf ? "long.pdf" : "long.ofd");
    double growthMB = 0;
    for (auto _ : state) {
        QFile reset(QStringLiteral("/proc/self/clear_refs"));
        if (!reset.open(QIODevice::WriteOnly) || reset.write("5") != 1)
            state.SkipWithError("cannot reset the peak memory mark");
        reset.close();
        const qint64 restingKb = statusKb("VmRSS:");
        const bool ok =
            pdf ? writePdf(sources, target) : writeOfdFromSources(target, sources, ofd::kMaxPageSidePx);
        if (!ok)
            state.SkipWithError("export failed");
        growthMB = qMax(growthMB, (statusKb("VmHWM:") - restingKb) / 1024.0);
    }
    state.counters["peak_growth_MB"] = growthMB;
    state.counters["document_MB"] = QFileInfo(target).size() / 1e6;
}
BENCHMARK(BM_PeakMemory200)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
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
