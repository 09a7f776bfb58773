// lumadoc-ocr-eval: character error rates of the OCR adapter, one line per page:
//   rendered Chinese and English paragraphs at 12 pt / 300 dpi, and the virtual camera's page after the
//   capture's crop at 1280x720 and 1920x1080. Uses the models.bin beside the program.
//   Usage: lumadoc-ocr-eval [--save DIR]   (DIR receives the pages as PNG for a look)
#include "OCRProcessor.h"
#include "OcrPages.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <cstdio>

namespace {

void quiet(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type != QtDebugMsg && type != QtInfoMsg)
        std::fprintf(stderr, "%s\n", qPrintable(message));
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("OMP_THREAD_LIMIT", "1");
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(quiet);
    QString saveDir;
    const QStringList args = app.arguments();
    const int save = args.indexOf(QStringLiteral("--save"));
    if (save > 0 && save + 1 < args.size())
        saveDir = args[save + 1];

    struct Case
    {
        const char* name;
        QImage image;
        QStringList truth;
        bool lineMatched;
    };
    QVector<Case> cases;
    QStringList lines;
    QImage zh = ocrpages::renderParagraph(ocrpages::chineseParagraph(), ocrpages::kCjkFamily, 1760, &lines);
    cases.push_back({"paragraph-zh-12pt-300dpi", zh, lines, false});
    QImage en = ocrpages::renderParagraph(ocrpages::englishParagraph(), ocrpages::kLatinFamily, 1760, &lines);
    cases.push_back({"paragraph-en-12pt-300dpi", en, lines, false});
    cases.push_back({"virtual-camera-1280x720", ocrpages::virtualCameraPageCrop(1280, 720),
                     ocrpages::virtualCameraPageLines(), true});
    cases.push_back({"virtual-camera-1920x1080", ocrpages::virtualCameraPageCrop(1920, 1080),
                     ocrpages::virtualCameraPageLines(), true});

    std::printf("%-28s %9s %8s %10s\n", "page", "size", "CER %", "time ms");
    int failures = 0;
    for (const Case& c : cases) {
        if (c.image.isNull()) {
            std::printf("%-28s no picture\n", c.name);
            ++failures;
            continue;
        }
        if (!saveDir.isEmpty())
            c.image.save(saveDir + "/" + c.name + ".png");
        QElapsedTimer timer;
        timer.start();
        const QString text = OCRProcessor::instance()->performOCR(c.image, 0);
        const qint64 ms = timer.elapsed();
        if (text.isEmpty())
            ++failures;
        const double cer = c.lineMatched ? ocrpages::lineMatchedErrorRate(c.truth, text)
                                         : ocrpages::characterErrorRate(c.truth.join(QString()), text);
        std::printf("%-28s %4dx%-4d %7.2f %10lld\n", c.name, c.image.width(), c.image.height(), 100.0 * cer,
                    static_cast<long long>(ms));
        if (!saveDir.isEmpty())
            std::printf("%s\n", qPrintable(text));
    }
    return failures == 0 ? 0 : 3;
}
