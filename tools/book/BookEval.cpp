// Measures book flattening on rendered open books with a known answer and prints the quality table:
// how far a text line is from straight before and after (percent of the page height), how even the
// line spacing comes out, whether a flat page stays where it was, how many finger pixels are left,
// and how long a 4168x3126 double page takes.
// Usage: lumadoc-book-eval [--dump DIR]   (DIR receives each scene and its result for a person to look at)
#include "BookFlatten.h"
#include "BookScene.h"
#include "ImageConversion.h"

#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <cstdio>
#include <string>

using namespace bookscenes;

namespace {

constexpr double kStraightTarget = 1.0; // percent of the page height
constexpr double kSpacingTarget = 3.0;  // percent of the mean spacing
constexpr double kFlatTarget = 1.0;     // pixels

struct PageQuality
{
    double beforePct = NAN;
    double afterPct = NAN;
    double spacingPct = NAN;
    double flatOffsetPx = NAN; // largest distance of a line from its row on the flat page
    bool linesFound = false;
};

cv::Mat grayOf(const cv::Mat& bgrOrBgra)
{
    cv::Mat gray;
    cv::cvtColor(bgrOrBgra, gray, bgrOrBgra.channels() == 4 ? cv::COLOR_BGRA2GRAY : cv::COLOR_BGR2GRAY);
    return gray;
}

// One page: `out` is the flattened picture and [outLeft, outLeft + truth.width) its columns there.
PageQuality measurePage(const cv::Mat& inGray, const cv::Mat& outGray, int outLeft, const PageTruth& truth)
{
    PageQuality q;
    const int lines = int(truth.lineRows.size());
    const double spacing = truth.lineRows[1] - truth.lineRows[0];
    const int band = std::max(8, truth.width / 40);
    const auto before = measureLineRows(
        inGray, truth.left + truth.width * 15 / 100, truth.left + truth.width * 85 / 100, band, lines,
        spacing / 3, [&](double x, int k) { return truth.rowAt(x, truth.lineRows[size_t(k)]); });
    q.beforePct = 100.0 * largestLineSpread(before) / truth.height;

    const int x0 = std::clamp(outLeft + truth.width * 15 / 100, 0, outGray.cols - 1);
    const int x1 = std::clamp(outLeft + truth.width * 85 / 100, x0 + 1, outGray.cols);
    const std::vector<double> centres = findLineCentres(outGray, x0, x1);
    if (int(centres.size()) != lines)
        return q;
    q.linesFound = true;
    const double outSpacing = (centres.back() - centres.front()) / (lines - 1);
    const auto after = measureLineRows(outGray, x0, x1, band, lines, outSpacing / 3,
                                       [&](double, int k) { return centres[size_t(k)]; });
    q.afterPct = 100.0 * largestLineSpread(after) / outGray.rows;
    const std::vector<double> means = meanLineRows(after);
    double worst = 0.0;
    // Against the page's own spacing (the truth rows are whole pixels, so not exactly even).
    const double scale = outSpacing / ((truth.lineRows.back() - truth.lineRows.front()) / (lines - 1));
    for (int k = 1; k < lines; ++k)
        worst =
            std::max(worst, std::abs(means[size_t(k)] - means[size_t(k) - 1] -
                                     scale * (truth.lineRows[size_t(k)] - truth.lineRows[size_t(k) - 1])));
    q.spacingPct = 100.0 * worst / outSpacing;
    double offset = 0.0;
    for (int k = 0; k < lines; ++k)
        offset = std::max(offset, std::abs(means[size_t(k)] - truth.lineRows[size_t(k)]));
    q.flatOffsetPx = offset;
    return q;
}

// Finger-coloured pixels in the outer band of the flattened left page.
int fingerPixels(const cv::Mat& out, const cv::Vec3b& color, int pageWidth)
{
    cv::Mat bgr;
    if (out.channels() == 4)
        cv::cvtColor(out, bgr, cv::COLOR_BGRA2BGR);
    else
        bgr = out;
    const int band = std::min(bgr.cols, pageWidth * 7 / 100);
    int count = 0;
    for (int r = bgr.rows * 5 / 100; r < bgr.rows * 95 / 100; ++r)
        for (int c = 0; c < band; ++c) {
            const cv::Vec3b p = bgr.at<cv::Vec3b>(r, c);
            int d = 0;
            for (int i = 0; i < 3; ++i)
                d = std::max(d, std::abs(int(p[i]) - int(color[i])));
            count += d <= 18;
        }
    return count;
}

struct Case
{
    std::string name;
    BookSceneOptions options;
    bool singleMode = false; // no double page asked for, whatever the desk holds
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    QString dump;
    for (int i = 1; i + 1 < args.size(); ++i)
        if (args[i] == QLatin1String("--dump"))
            dump = args[i + 1];
    if (!dump.isEmpty())
        QDir().mkpath(dump);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    std::vector<Case> cases;
    for (const double bow : {0.0, 0.02, 0.05, 0.08})
        for (const bool rough : {false, true}) {
            Case c;
            c.options.bowFraction = bow;
            c.options.unevenLight = rough;
            c.options.noiseSigma = rough ? 4.0 : 0.0;
            c.options.seed = uint64_t(bow * 100) + (rough ? 7 : 1);
            c.name =
                "single bow " + std::to_string(int(bow * 100)) + "%" + (rough ? " uneven light+noise" : "");
            cases.push_back(c);
        }
    for (const int gap : {0, 60}) {
        Case c;
        c.options.pageCount = 2;
        c.options.spineGapPx = gap;
        c.options.bowFraction = 0.05;
        c.options.unevenLight = true;
        c.options.noiseSigma = 3.0;
        c.options.seed = 40 + uint64_t(gap);
        c.name = gap == 0 ? "double touching bow 5% uneven" : "double apart bow 5% uneven";
        cases.push_back(c);
    }
    for (const double bow : {0.05, 0.08}) {
        // Two pages touching, captured as a single page: the spine is a sharp dip of the outline.
        Case c;
        c.options.pageCount = 2;
        c.options.bowFraction = bow;
        c.singleMode = true;
        c.name = "double touching bow " + std::to_string(int(bow * 100)) + "%, one-page mode";
        cases.push_back(c);
    }
    for (const Finger finger : {Finger::Black, Finger::Skin}) {
        Case c;
        c.options.finger = finger;
        c.options.fingerAcrossBottom = true;
        c.options.bowFraction = 0.05;
        c.name = finger == Finger::Black ? "black thumb across the bottom edge"
                                         : "skin thumb across the bottom edge";
        cases.push_back(c);
    }
    {
        Case c;
        c.options.grid = true;
        c.options.bowFraction = 0.06;
        c.name = "grid bow 6%";
        cases.push_back(c);
    }

    std::printf("%-36s %6s %10s %9s %10s %9s\n", "scene", "page", "before %", "after %", "spacing %",
                "flat px");
    bool allMet = true;
    for (const Case& c : cases) {
        const BookScene scene = renderBookScene(c.options);
        FlattenOptions options;
        options.forceDoublePage = c.options.pageCount == 2 && !c.singleMode;
        const FlattenResult result = processFlattening(matToQImage(scene.bgr), options);
        if (!result.success) {
            std::printf("%-36s  FAILED: %s\n", c.name.c_str(), result.errorMessage.toUtf8().constData());
            allMet = false;
            continue;
        }
        if (!dump.isEmpty()) {
            const QString base =
                dump + "/" + QString::fromStdString(c.name).replace(' ', '_').remove('%').remove('+');
            cv::imwrite((base + "_in.png").toStdString(), scene.bgr);
            cv::imwrite((base + "_out.png").toStdString(), qImageToMat(result.image));
        }
        const cv::Mat inGray = grayOf(scene.bgr);
        for (size_t p = 0; p < scene.pages.size(); ++p) {
            const PageTruth& truth = scene.pages[p];
            PageQuality q;
            if (size_t(result.pages.size()) == scene.pages.size()) {
                q = measurePage(inGray, grayOf(qImageToMat(result.pages[int(p)])), 0, truth);
            } else {
                // One region on the desk: the pages lie side by side in the image as on the desk.
                q = measurePage(inGray, grayOf(qImageToMat(result.image)),
                                truth.left - scene.pages.front().left, truth);
            }
            const bool flat = c.options.bowFraction == 0.0;
            const bool met = q.linesFound && q.afterPct < kStraightTarget && q.spacingPct < kSpacingTarget &&
                             (!flat || q.flatOffsetPx < kFlatTarget);
            allMet = allMet && met;
            std::printf("%-36s %6zu %10.2f %9.2f %10.2f %9s%s\n", c.name.c_str(), p, q.beforePct, q.afterPct,
                        q.spacingPct, flat ? std::to_string(q.flatOffsetPx).substr(0, 5).c_str() : "-",
                        met ? "" : (q.linesFound ? "  MISSED" : "  LINES LOST"));
        }
    }

    std::printf("\n%-36s %14s %14s\n", "finger at the outer edge", "px left (off)", "px left (on)");
    for (const Finger finger : {Finger::Skin, Finger::Black}) {
        BookSceneOptions o;
        o.finger = finger;
        o.bowFraction = 0.04;
        const BookScene scene = renderBookScene(o);
        const QImage input = matToQImage(scene.bgr);
        FlattenOptions off;
        FlattenOptions on;
        on.removeFingers = true;
        const FlattenResult plain = processFlattening(input, off);
        const FlattenResult cleaned = processFlattening(input, on);
        if (!plain.success || !cleaned.success) {
            std::printf("%-36s  FAILED\n", finger == Finger::Skin ? "skin" : "black");
            allMet = false;
            continue;
        }
        if (!dump.isEmpty())
            cv::imwrite(QStringLiteral("%1/finger_%2_out.png")
                            .arg(dump)
                            .arg(finger == Finger::Skin ? "skin" : "black")
                            .toStdString(),
                        qImageToMat(cleaned.image));
        std::printf("%-36s %14d %14d\n", finger == Finger::Skin ? "skin" : "black",
                    fingerPixels(qImageToMat(plain.image), scene.fingerColor, scene.pages.front().width),
                    fingerPixels(qImageToMat(cleaned.image), scene.fingerColor, scene.pages.front().width));
    }

    std::printf("\n%-36s %10s\n", "4168x3126 double page", "ms");
    for (const bool fingers : {false, true}) {
        BookSceneOptions o;
        o.frame = cv::Size(4168, 3126);
        o.pageCount = 2;
        o.spineGapPx = 80;
        o.bowFraction = 0.05;
        o.finger = Finger::Skin;
        const QImage input = matToQImage(renderBookScene(o).bgr);
        FlattenOptions options;
        options.forceDoublePage = true;
        options.removeFingers = fingers;
        QElapsedTimer timer;
        timer.start();
        const FlattenResult result = processFlattening(input, options);
        std::printf("%-36s %10lld%s\n", fingers ? "with finger removal" : "without finger removal",
                    static_cast<long long>(timer.elapsed()), result.success ? "" : "  FAILED");
    }
    std::printf("\nTargets: after < %.1f %%, spacing within %.1f %%, flat page within %.1f px: %s\n",
                kStraightTarget, kSpacingTarget, kFlatTarget, allMet ? "met" : "NOT met");
    return allMet ? 0 : 1;
}
