#include "OcrSession.h"

#include "OCRProcessor.h"
#include "OcrProgressOverlay.h"
#include "OcrResultDialog.h"
#include "Speaker.h"

#include <QDebug>
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
}

OcrSession::~OcrSession()
{
    // The engine call cannot be interrupted; its result must not reach a session that is gone.
    if (m_watcher) {
        m_watcher->disconnect(this);
        m_watcher->waitForFinished();
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
    if (outputType == Word || outputType == DoubleLayerPdf) {
        const QString feature = outputType == Word ? tr("Word export") : tr("Double-layer PDF export");
        qInfo().noquote() << "[OCR] onPerformOCR: output type" << outputType << "is not available yet";
        emit statusMessage(tr("%1: not available yet").arg(feature), kStatusMs);
        return false;
    }
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
