// Ticket mode's buttons: the picture is taken and corrected like a capture (crop, straighten, background,
// watermark, the two-press composite), then TicketSession recognises, stores and shows it.
#include "CameraController.h"
#include "IdCardSession.h"
#include "MainWindow.h"
#include "MainWindowCaptureParts.h"
#include "TicketPanel.h"
#include "TicketPrompter.h"
#include "TicketSession.h"
#include "VideoWidget.h"

#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QStatusBar>
#include <QTextBrowser>

void MainWindow::buildTickets()
{
    TicketSession::Environment env;
    env.speak = [this](const QString& text) { m_env.speak(text); };
    env.recognizeBlocks = m_env.recognizeBlocks;
    env.addToGallery = [this](const QImage& image) { storeCapture(image, nextFileName(image), false); };
    env.appDir = m_env.appDir;
    env.saveDirectory = [this] { return ImageSaver::resolveSaveDirectory(m_settings.savePath); };
    env.prompter = m_env.ticketPrompter;
    env.storeConfig = [this] {
        const std::unique_ptr<QSettings> store = m_env.openSettings();
        return TicketStoreConfig::load(*store);
    };
    m_tickets = new TicketSession(env, std::make_unique<IdCardSession>(), this);
    connect(m_tickets, &TicketSession::statusMessage, this, &MainWindow::showStatus);
    connect(m_tickets, &TicketSession::resultHtmlChanged, this, [this](const QString& html) {
        if (m_ticketPanel)
            m_ticketPanel->resultBrowser->setHtml(html);
    });
    connect(m_tickets, &TicketSession::recognitionFinished, this, [this] {
        if (m_ticketPanel)
            m_ticketPanel->recognizeButton->setEnabled(true);
    });
    // The records still waiting for the shared server, for as long as there are any.
    auto* waiting = new QLabel(this);
    waiting->setObjectName(QStringLiteral("ticketOutboxLabel"));
    waiting->hide();
    statusBar()->addPermanentWidget(waiting);
    connect(m_tickets, &TicketSession::pendingRecordsChanged, waiting, [waiting](int count) {
        waiting->setText(TicketSession::tr("%n record(s) waiting for the shared database", "", count));
        waiting->setVisible(count > 0);
    });
    m_tickets->startSharedStore();
}

void MainWindow::onTicketRecognize()
{
    if (!isPreviewing()) {
        showMessageBox(QMessageBox::Warning, tr("警告"), tr("摄像头未开启，请先打开摄像头。"));
        return;
    }
    const QImage frame = m_cameraController->currentFrame();
    if (frame.isNull()) {
        showMessageBox(QMessageBox::Critical, tr("错误"), tr("从摄像头捕获图像失败。"));
        return;
    }
    // The capture's own corrections and options, composite included: the first of two presses is held.
    const CaptureRequest request = captureRequest(TriggerKind::User);
    const CaptureResult result = m_capture->processor->capture(frame, request);
    if (result.outcome == CaptureOutcome::HeldForComposite) {
        presentCaptureResult(result);
        showStatus(tr("第一张已拍摄，请翻页后再次点击【开始识别】进行合成"), 5000);
        return;
    }
    if (!presentCaptureResult(result) || result.image.isNull())
        return;
    m_ticketPanel->recognizeButton->setEnabled(false);
    m_tickets->recognize(result.image, m_ticketPanel->ticketType());
}

void MainWindow::onReadIdCardViaHardware() { m_tickets->readIdCard(this); }
void MainWindow::onTicketEditResult() { m_tickets->editResult(this); }
void MainWindow::onTicketExportJson() { m_tickets->exportJson(this, m_ticketPanel ? m_ticketPanel->ticketType() : QString()); }
void MainWindow::onTicketQueryRecords() { m_tickets->queryRecords(this); }
