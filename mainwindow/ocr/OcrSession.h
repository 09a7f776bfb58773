#pragma once
// The window's OCR command: corrects the newest frame as a capture would be (turned as shown, cropped,
// straightened), recognises it on a pool thread under the progress overlay, one recognition at a time,
// and shows the text with copy and read-aloud. With the Word or double-layer PDF output type the picture
// is written to a document the user names instead, recognised on an export thread of its own. The window
// owns one and forwards onPerformOCR to it.

#include "CaptureProcessor.h"
#include "CaptureTypes.h"

#include <QImage>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class ISpeaker;
class OcrProgressOverlay;
class QDialog;
class QThread;
class QWidget;
template <typename T> class QFutureWatcher;

class OcrSession : public QObject
{
    Q_OBJECT
public:
    // The "ocr/outputType" setting.
    enum OutputType
    {
        Txt = 0,
        Word = 1,
        DoubleLayerPdf = 2
    };
    static constexpr int kStatusMs = 3000;

    struct Environment
    {
        std::function<int(QDialog&)> execDialog; // default: QDialog::exec
        // A message box: QMessageBox::Icon, title, text. Default: a box run through execDialog.
        std::function<void(int, const QString&, const QString&)> message;
        // The recognition, run on a pool thread. Default: OCRProcessor::instance()->performOCR(image, 0).
        std::function<QString(const QImage&)> recognize;
        // The save dialog of a document export: title, proposed path, filter; empty when cancelled.
        // Default: QFileDialog::getSaveFileName.
        std::function<QString(const QString&, const QString&, const QString&)> saveFileName;
        // The folder a document export proposes. Default: the home folder.
        std::function<QString()> saveDirectory;
        // The document export, run on its export thread: output type (Word or DoubleLayerPdf), picture,
        // output path; returns "success:" + path or "error:" + message. Default: the OCR exports.
        std::function<QString(int, const QString&, const QString&)> exportDocument;
    };

    // The overlay covers `host` (the window), which is also the dialogs' parent. `speaker` may be null.
    OcrSession(QWidget* host, ISpeaker* speaker, Environment env);
    ~OcrSession() override;

    // The processor that corrects the OCR picture. The window plugs the capture's imaging steps into it
    // (ImagingSteps::attachTo); it is a processor of its own so that a recognition never disturbs a held
    // two-shot composite.
    CaptureProcessor& corrector() { return m_corrector; }
    // The part of the window's capture request that applies to the OCR picture: preview state, rotation,
    // manual crop, document crop and straightening; nothing that changes the content.
    static CaptureRequest correctionRequest(const CaptureRequest& windowRequest);

    // The whole command: `frame` is the newest frame (null when the grab failed), `request` the window's
    // capture request of the moment. Returns whether a recognition was started.
    bool performOcr(const QImage& frame, const CaptureRequest& request, int outputType);
    // Recognises an already corrected picture by the output type. Returns whether a recognition started.
    bool recognize(const QImage& corrected, int outputType);

    bool isRunning() const { return m_watcher != nullptr; }
    // Document exports still running on their threads.
    int runningExports() const { return m_exportThreads.size(); }

    // The path the user typed, with ".pdf" (searchable PDF) or ".doc" (Word, unless it ends in ".docx")
    // appended when its extension is not the type's.
    static QString documentPath(const QString& chosen, int outputType);
    OcrProgressOverlay* overlay() const { return m_overlay; }

signals:
    // The window disables ocrButton and actionOCR while running.
    void runningChanged(bool running);
    void statusMessage(const QString& text, int durationMs);
    // After the result was shown (empty when nothing was recognised).
    void recognitionFinished(const QString& text);
    // A document export's result ("success:" + path or "error:" + message), after it was shown.
    void exportFinished(const QString& result);

private:
    void onFinished();
    bool startExport(const QImage& corrected, int outputType);
    void onExportResult(const QString& result, int outputType, const QString& imagePath);

    QWidget* m_host;
    QPointer<ISpeaker> m_speaker;
    Environment m_env;
    CaptureProcessor m_corrector;
    OcrProgressOverlay* m_overlay = nullptr;
    QFutureWatcher<QString>* m_watcher = nullptr;
    QImage m_input;
    struct ExportRun
    {
        QThread* thread;
        QObject* worker;
        QString imagePath;
    };
    QList<ExportRun> m_exportThreads;
};
