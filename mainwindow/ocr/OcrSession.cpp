#include "OcrSession.h"

#include "OCRProcessor.h"
#include "OcrExport.h"
#include "OcrProgressOverlay.h"
#include "OcrResultDialog.h"
#include "Speaker.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QMessageBox>
#include <QThread>
#include <QTime>
#include <QtConcurrent/QtConcurrentRun>

OcrSession::OcrSession(QWidget* host, ISpeaker* speaker, Environment env)
    : QObject(host), m_host(host), m_speaker(speaker), m_env(std::move(env))
{
    if (!m_env.execDialog)
        m_env.execDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (!m_env.message)
        m_env.message = [this](int icon, const QString& title, const QString& text) {
            QMessageBox box(QMessageBox::Icon(icon), title, text, QMessageBox::Ok, m_host);
            m_env.execDialog(box);
        };
    if (!m_env.recognize)
        m_env.recognize = [](const QImage& image) { return OCRProcessor::instance()->performOCR(image, 0); };
    if (!m_env.saveFileName)
        m_env.saveFileName = [this](const QString& title, const QString& proposed, const QString& filter) {
            return QFileDialog::getSaveFileName(m_host, title, proposed, filter);
        };
    if (!m_env.saveDirectory)
        m_env.saveDirectory = [] { return QDir::homePath(); };
    if (!m_env.exportDocument)
        m_env.exportDocument = [](int outputType, const QString& imagePath, const QString& outputPath) {
            return outputType == Word ? ocrexport::exportWord(imagePath, outputPath)
                                      : ocrexport::exportSearchablePdf(imagePath, outputPath);
        };
}

OcrSession::~OcrSession()
{
    // The engine call cannot be interrupted; its result must not reach a session that is gone.
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->waitForFinished();
    }
    // A document export cannot be interrupted either: the window waits for it rather than destroying a
    // running thread; its result is dropped, its temporary picture removed.
    for (const ExportRun& run : m_exportThreads) {
        run.thread->disconnect(this);
        run.worker->disconnect(this);
        run.thread->wait();
        delete run.worker;
        delete run.thread;
        QFile::remove(run.imagePath);
    }
}

CaptureRequest OcrSession::correctionRequest(const CaptureRequest& windowRequest)
{
    CaptureRequest request;
    request.trigger = TriggerKind::User;
    request.isPreviewing = windowRequest.isPreviewing;
    request.rotationDeg = windowRequest.rotationDeg;
    request.manualCropSelected = windowRequest.manualCropSelected;
    request.manualCropRect = windowRequest.manualCropRect;
    request.autoCrop = windowRequest.autoCrop;
    request.documentQuad = windowRequest.documentQuad;
    request.autoStraighten = windowRequest.autoStraighten;
    return request;
}

bool OcrSession::performOcr(const QImage& frame, const CaptureRequest& request, int outputType)
{
    qInfo().noquote() << "=== onPerformOCR called ==="
                      << QTime::currentTime().toString(QStringLiteral("hh:mm:ss.zzz"));
    if (!request.isPreviewing) {
        qWarning() << "[OCR] onPerformOCR: camera not previewing, aborting";
        m_env.message(QMessageBox::Warning, tr("Warning"), tr("Camera is not previewing."));
        return false;
    }
    if (frame.isNull()) {
        qWarning() << "[OCR] onPerformOCR: captureToImage returned null image, aborting";
        m_env.message(QMessageBox::Warning, tr("Warning"), tr("Failed to capture image."));
        return false;
    }
    // A second press while the engine works is ignored before any correction is spent on it.
    if (isRunning() && outputType == Txt) {
        qInfo() << "[OCR] onPerformOCR: previous OCR still running, ignore re-entry";
        return false;
    }
    const CaptureResult corrected = m_corrector.capture(frame, correctionRequest(request));
    if (corrected.outcome != CaptureOutcome::Finished || corrected.image.isNull()) {
        qWarning() << "[OCR] onPerformOCR: picture correction failed, aborting";
        m_env.message(QMessageBox::Warning, tr("Warning"), tr("Failed to capture image."));
        return false;
    }
    return recognize(corrected.image, outputType);
}

bool OcrSession::recognize(const QImage& corrected, int outputType)
{
    if (outputType == Word || outputType == DoubleLayerPdf)
        return startExport(corrected, outputType);
    if (outputType != Txt)
        return false;
    qInfo().noquote() << "[OCR] onPerformOCR: TXT mode, async calling OCRProcessor::performOCR()..."
                      << "size" << corrected.width() << "x" << corrected.height() << "format"
                      << int(corrected.format());
    if (isRunning()) {
        qInfo() << "[OCR] onPerformOCR: previous OCR still running, ignore re-entry";
        return false;
    }
    if (corrected.isNull()) {
        qWarning() << "[OCR] onPerformOCR: null image, aborting";
        return false;
    }

    if (!m_overlay)
        m_overlay = new OcrProgressOverlay(m_host);
    m_overlay->start();
    emit runningChanged(true);

    m_input = corrected.copy();
    const QImage input = m_input;
    const auto recognizeCall = m_env.recognize;
    m_watcher = new QFutureWatcher<QString>(this);
    connect(m_watcher, &QFutureWatcher<QString>::finished, this, &OcrSession::onFinished);
    m_watcher->setFuture(QtConcurrent::run([recognizeCall, input] {
        qInfo() << "[OCR worker] starting performOCR in thread" << QThread::currentThread();
        const QString text = recognizeCall(input);
        qInfo() << "[OCR worker] performOCR returned, length=" << text.size();
        return text;
    }));
    return true;
}

void OcrSession::onFinished()
{
    QString text;
    if (m_watcher->isCanceled())
        qWarning() << "[OCR] onOcrFinished: future canceled";
    else
        text = m_watcher->result();
    m_watcher->deleteLater();
    m_watcher = nullptr;

    if (m_overlay)
        m_overlay->finish();
    emit runningChanged(false);

    if (text.trimmed().isEmpty()) {
        qInfo() << "[OCR] onOcrFinished: no text detected";
        m_env.message(QMessageBox::Information, tr("OCR Result"), tr("No text detected."));
        if (m_speaker)
            m_speaker->speak(QStringLiteral("未检测到文字"));
        emit recognitionFinished(QString());
        return;
    }
    qInfo() << "[OCR] onOcrFinished: text length" << text.size();
    OcrResultDialog dialog(text, m_speaker.data(), m_host);
    m_env.execDialog(dialog);
    emit recognitionFinished(text);
}

QString OcrSession::documentPath(const QString& chosen, int outputType)
{
    if (outputType == Word) {
        if (chosen.endsWith(QLatin1String(".doc"), Qt::CaseInsensitive)
            || chosen.endsWith(QLatin1String(".docx"), Qt::CaseInsensitive))
            return chosen;
        return chosen + QStringLiteral(".doc");
    }
    return chosen.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? chosen : chosen + QStringLiteral(".pdf");
}

bool OcrSession::startExport(const QImage& corrected, int outputType)
{
    const bool word = outputType == Word;
    // A name of its own per export: two exports never remove each other's picture.
    const QString imagePath = ocrexport::saveTemporaryImage(corrected);
    if (imagePath.isEmpty()) {
        m_env.message(QMessageBox::Warning, tr("Warning"), tr("Failed to save temporary image."));
        return false;
    }
    const QString proposed = m_env.saveDirectory() + QLatin1Char('/')
                             + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd_HHmmss"))
                             + (word ? QStringLiteral(".doc") : QStringLiteral(".pdf"));
    const QString chosen =
        word ? m_env.saveFileName(tr("Export as Word"), proposed,
                                  tr("Word Document (*.doc);;Word 2007-365 Document (*.docx)"))
             : m_env.saveFileName(tr("Export as Searchable PDF"), proposed, tr("PDF Files (*.pdf);;All Files (*)"));
    if (chosen.isEmpty()) {
        QFile::remove(imagePath);
        return false;
    }
    const QString outputPath = documentPath(chosen, outputType);
    emit statusMessage(word ? tr("Exporting Word document, please wait...")
                            : tr("Exporting searchable PDF, please wait..."),
                       0);
    QCoreApplication::processEvents();

    if (word) {
        const QFileInfo dir(QFileInfo(outputPath).absolutePath());
        QFile probe(dir.absoluteFilePath() + QStringLiteral("/.lumadoc_probe_test"));
        const bool writable = probe.open(QIODevice::WriteOnly);
        if (writable)
            probe.remove();
        qInfo().noquote() << "[Word] output dir" << dir.absoluteFilePath() << "exists=" << dir.exists()
                          << "writable probe=" << writable;
    }

    auto* thread = new QThread;
    auto* worker = new QObject;
    worker->moveToThread(thread);
    const auto exportCall = m_env.exportDocument;
    connect(thread, &QThread::started, worker, [worker, thread, exportCall, outputType, imagePath, outputPath] {
        worker->setObjectName(exportCall(outputType, imagePath, outputPath));
        thread->quit();
    });
    connect(worker, &QObject::objectNameChanged, this,
            [this, outputType, imagePath](const QString& result) { onExportResult(result, outputType, imagePath); },
            Qt::QueuedConnection);
    connect(thread, &QThread::finished, this, [this, thread, worker] {
        for (int i = 0; i < m_exportThreads.size(); ++i)
            if (m_exportThreads[i].thread == thread)
                m_exportThreads.removeAt(i--);
        worker->deleteLater();
        thread->deleteLater();
    });
    m_exportThreads << ExportRun{thread, worker, imagePath};
    thread->start(QThread::InheritPriority);
    return true;
}

void OcrSession::onExportResult(const QString& result, int outputType, const QString& imagePath)
{
    QFile::remove(imagePath);
    const bool word = outputType == Word;
    if (result.startsWith(QLatin1String("success:"))) {
        const QString path = result.mid(8);
        emit statusMessage((word ? tr("Word exported: ") : tr("PDF exported: ")) + path, 5000);
        m_env.message(QMessageBox::Information, tr("Export Success"),
                      (word ? tr("Word document saved to:\n%1") : tr("Searchable PDF saved to:\n%1")).arg(path));
    } else {
        emit statusMessage(tr("Export failed"), kStatusMs);
        m_env.message(QMessageBox::Warning, tr("Export Failed"), result.mid(6));
    }
    emit exportFinished(result);
}
