#include "OcrExport.h"

#include "OCRProcessor.h"
#include "PdfExportWorkerQt.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QTemporaryFile>

#include <exception>

namespace ocrexport {
namespace {

// Loads the engine's package; 0 on success, else the engine's error code (-999 after a fault).
int initializeEngine(const char* tag)
{
    QString modelPath = ocrStagedModelPath();
    if (modelPath.isEmpty()) {
        qWarning().noquote() << QStringLiteral("[%1] ocrStagedModelPath FAILED, fall back to original path "
                                               "(Chinese path may crash)")
                                    .arg(QLatin1String(tag));
        modelPath = ocrApplicationDir() + QStringLiteral("/models.bin");
    }
    return guardedOcrInitialize(ocrPathBytes(modelPath).constData());
}

QString initFailure(int code) { return QStringLiteral("error:TessaroOCR初始化失败，错误码: %1").arg(code); }

void logTextShape(const QString& text)
{
    int tabs = 0, lineFeeds = 0, nuls = 0, otherControls = 0;
    QStringList firstControls;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u == '\t')
            ++tabs;
        else if (u == '\n')
            ++lineFeeds;
        else if (u == 0)
            ++nuls;
        else if (u < 32) {
            ++otherControls;
            if (firstControls.size() < 4)
                firstControls << QStringLiteral("U+%1").arg(u, 4, 16, QLatin1Char('0')).toUpper();
        }
    }
    qInfo() << "[Word] OCR text length" << text.size() << "tabs" << tabs << "lineFeeds" << lineFeeds << "nuls"
            << nuls << "otherControls" << otherControls << firstControls;
    qInfo().noquote() << "[Word] OCR text head:" << text.left(120);
    qInfo().noquote() << "[Word] OCR text tail:" << text.right(120);
}

} // namespace

QString exportWord(const QString& imagePath, const QString& outputPath, const wordexport::Options& options)
{
    const int init = initializeEngine("Word");
    if (init != 0)
        return initFailure(init);
    const char* chained = nullptr;
    try {
        chained = guardedOcrRecognizeAdvanced(ocrPathBytes(imagePath).constData());
    } catch (const std::exception& e) {
        qWarning() << "[Word] OcrRecognizeAdvanced EXCEPTION:" << e.what();
    } catch (...) {
        qWarning() << "[Word] OcrRecognizeAdvanced UNKNOWN EXCEPTION";
    }
    if (!chained)
        return QStringLiteral("error:OCR识别返回空指针");
    // Copied at once: the engine's buffer belongs to this thread's next call.
    const QString text = QString::fromUtf8(chained);
    if (text.isEmpty())
        return QStringLiteral("error:OCR识别结果为空");
    logTextShape(text);
    return wordexport::exportWordDocument(imagePath, text, outputPath, options);
}

QString exportSearchablePdf(const QString& imagePath, const QString& outputPath)
{
    const int init = initializeEngine("PDF");
    if (init != 0)
        return initFailure(init);
    OcrAdvancedResult result{};
    try {
        result = guardedOcrRecognizeAdvancedStruct(ocrPathBytes(imagePath).constData());
    } catch (const std::exception& e) {
        qWarning() << "[PDF] OcrRecognizeAdvancedStruct EXCEPTION:" << e.what();
    } catch (...) {
        qWarning() << "[PDF] OcrRecognizeAdvancedStruct UNKNOWN EXCEPTION";
    }
    if (!result.blocks || result.count == 0)
        return QStringLiteral("error:OCR未识别到文字");
    qInfo() << "OCR detected" << result.count << "text blocks";
    QList<TextBox> boxes;
    for (quint64 i = 0; i < result.count; ++i) {
        const OcrBlock& block = result.blocks[i];
        if (block.text)
            boxes << TextBox{block.x1, block.y1, block.x2, block.y2, QString::fromUtf8(block.text)};
    }
    ocrEngineCalls().freeAdvancedResult(&result);
    if (boxes.isEmpty())
        return QStringLiteral("error:未找到有效文本块");

    // process() runs here, on the export thread, and reports through direct connections.
    QString errorText;
    QString resultPath;
    PdfExportWorkerQt worker(imagePath, boxes, outputPath);
    QObject::connect(&worker, &PdfExportWorkerQt::error, [&errorText](const QString& e) { errorText = e; });
    QObject::connect(&worker, &PdfExportWorkerQt::resultReady, [&resultPath](const QString& p) { resultPath = p; });
    worker.process();
    if (!errorText.isEmpty())
        return QStringLiteral("error:") + errorText;
    if (!resultPath.isEmpty())
        return QStringLiteral("success:") + resultPath;
    return QStringLiteral("error:PDF文件生成失败");
}

QList<TextBox> readPageText(const QImage& page)
{
    QList<TextBox> boxes;
    if (page.isNull())
        return boxes;
    const QList<OcrTextBlockEx> blocks = OCRProcessor::instance()->performOCRAdvanced(page, 0);
    const QSize seen = OCRProcessor::engineImageSize(page.size());
    if (seen.isEmpty())
        return boxes;
    const double sx = double(page.width()) / seen.width();
    const double sy = double(page.height()) / seen.height();
    for (const OcrTextBlockEx& b : blocks)
        boxes << TextBox{qRound(b.x1 * sx), qRound(b.y1 * sy), qRound(b.x2 * sx), qRound(b.y2 * sy), b.text};
    return boxes;
}

QString saveTemporaryImage(const QImage& image)
{
    if (image.isNull())
        return QString();
    QString folder = ocrStagingDir();
    if (folder.isEmpty())
        folder = QDir::tempPath();
    QTemporaryFile file(folder + QStringLiteral("/lumadoc_ocr_temp_XXXXXX.jpg"));
    file.setAutoRemove(false);
    if (!file.open())
        return QString();
    if (!image.save(&file, "JPEG", 90)) {
        file.remove();
        return QString();
    }
    file.close();
    return file.fileName();
}

} // namespace ocrexport
