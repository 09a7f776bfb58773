// Measures the document detector on rendered overhead scenes with a known answer and prints the
// quality table: corner error, misses, false documents on empty desks and the straightening angle.
// Usage: lumadoc-detection-eval [--scenes N] [--empty N] [--seed S] [--perspective F] [--dump DIR]
// With --dump the frames that miss the targets are written to DIR for a person to look at.
#include "DocumentCrop.h"
#include "ImageConversion.h"
#include "SyntheticScene.h"

#include <QCoreApplication>
#include <QDir>
#include <QGuiApplication>
#include <QStringList>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdio>
#include <vector>

using namespace detectionscenes;

namespace {

constexpr double kCornerTarget = 0.015;  // of the page diagonal
constexpr double kAngleTarget = 0.5;     // degrees

double percentile(std::vector<double> values, double p)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const size_t index = std::min(values.size() - 1, size_t(p * double(values.size() - 1) + 0.5));
    return values[index];
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    int scenes = 250;
    int empties = 50;
    uint64_t seed = 1000;
    QString dump;
    double perspective = 0.03;
    for (int i = 1; i + 1 < args.size(); i += 2) {
        if (args[i] == QLatin1String("--scenes"))
            scenes = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--empty"))
            empties = args[i + 1].toInt();
        else if (args[i] == QLatin1String("--seed"))
            seed = args[i + 1].toULongLong();
        else if (args[i] == QLatin1String("--perspective"))
            perspective = args[i + 1].toDouble();
        else if (args[i] == QLatin1String("--dump"))
            dump = args[i + 1];
    }
    if (!dump.isEmpty())
        QDir().mkpath(dump);

    const cv::Size frames[] = {cv::Size(1280, 960), cv::Size(1920, 1080), cv::Size(1600, 1200)};
    std::vector<double> cornerErrors;
    std::vector<double> angleErrors;
    int within = 0;
    int missed = 0;
    int anglesWithin = 0;
    int angleCount = 0;
    for (int i = 0; i < scenes; ++i) {
        SceneOptions options;
        options.frame = frames[i % 3];
        options.maxPerspective = perspective;
        const Scene scene = renderScene(seed + uint64_t(i), options);
        const QImage image = matToQImage(scene.bgr);
        const QPolygon quad = detectDocumentQuad(image);
        std::vector<cv::Point2f> found;
        for (const QPoint& p : quad)
            found.emplace_back(float(p.x()), float(p.y()));
        const double error = largestCornerError(scene.corners, found);
        if (quad.isEmpty())
            ++missed;
        cornerErrors.push_back(std::min(error, 1.0));
        const bool ok = error <= kCornerTarget;
        if (ok)
            ++within;

        double angle = 0.0;
        QPolygon outline;
        autoCropWithRotation(image, &angle, &outline);
        double angleError = -1.0;
        if (!outline.isEmpty()) {
            angleError = uprightAngleError(angle, scene.rotationDeg);
            angleErrors.push_back(angleError);
            ++angleCount;
            if (angleError < kAngleTarget)
                ++anglesWithin;
        }
        if (!ok || angleError >= kAngleTarget) {
            std::fprintf(stderr, "scene %d (seed %llu, %dx%d, rot %.1f): corner error %.2f %% angle error %.2f%s\n", i,
                         static_cast<unsigned long long>(seed + uint64_t(i)), options.frame.width,
                         options.frame.height, scene.rotationDeg, std::min(error, 9.99) * 100.0, angleError,
                         quad.isEmpty() ? " (no document)" : "");
            if (!dump.isEmpty()) {
                cv::Mat marked = scene.bgr.clone();
                for (size_t k = 0; k < found.size(); ++k)
                    cv::line(marked, found[k], found[(k + 1) % found.size()], cv::Scalar(0, 0, 255), 2);
                for (size_t k = 0; k < 4; ++k)
                    cv::line(marked, scene.corners[k], scene.corners[(k + 1) % 4], cv::Scalar(0, 255, 0), 1);
                cv::imwrite(QDir(dump).filePath(QStringLiteral("scene_%1.jpg").arg(i)).toStdString(), marked);
            }
        }
    }

    int falseDocuments = 0;
    for (int i = 0; i < empties; ++i) {
        SceneOptions options;
        options.frame = frames[i % 3];
        options.withPage = false;
        const Scene scene = renderScene(seed + 100000 + uint64_t(i), options);
        const QImage image = matToQImage(scene.bgr);
        const QPolygon quad = detectDocumentQuad(image);
        double angle = 0.0;
        QPolygon outline;
        autoCropWithRotation(image, &angle, &outline);
        if (!quad.isEmpty() || !outline.isEmpty()) {
            ++falseDocuments;
            std::fprintf(stderr, "empty desk %d (seed %llu): a document was reported\n", i,
                         static_cast<unsigned long long>(seed + 100000 + uint64_t(i)));
            if (!dump.isEmpty())
                cv::imwrite(QDir(dump).filePath(QStringLiteral("empty_%1.jpg").arg(i)).toStdString(), scene.bgr);
        }
    }

    std::printf("Document detection on %d rendered scenes (seed %llu)\n", scenes,
                static_cast<unsigned long long>(seed));
    std::printf("| measure | value | target |\n|---|---|---|\n");
    std::printf("| scenes with largest corner error <= 1.5 %% of the diagonal | %.1f %% (%d/%d) | >= 95 %% |\n",
                100.0 * within / std::max(1, scenes), within, scenes);
    std::printf("| corner error median / 95th percentile | %.2f %% / %.2f %% | |\n",
                100.0 * percentile(cornerErrors, 0.5), 100.0 * percentile(cornerErrors, 0.95));
    std::printf("| scenes without a document found | %d | |\n", missed);
    std::printf("| false documents on %d empty desks | %d | 0 |\n", empties, falseDocuments);
    std::printf("| straightening angle error < 0.5 deg | %.1f %% (%d/%d) | all |\n",
                100.0 * anglesWithin / std::max(1, angleCount), anglesWithin, angleCount);
    std::printf("| angle error median / max | %.2f / %.2f deg | |\n", percentile(angleErrors, 0.5),
                percentile(angleErrors, 1.0));
    return 0;
}
