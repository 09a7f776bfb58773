// The window's side of "Scan Code": grab the newest frame, decode every code in it, show the result
// panel, and fetch the first web address (a public http or https one only). The decisions live in the
// codes library (CodeScanner, ScanSession); here they are only wired to the window.
#include "CameraController.h"
#include "CameraDock.h"
#include "CodeScanner.h"
#include "FileNamer.h"
#include "MainWindow.h"
#include "MainWindowCaptureParts.h"
#include "ScanResultPanel.h"
#include "ScanSession.h"
#include "ZBarCodeDecoder.h"

#include <QDateTime>
#include <QDebug>
#include <QDesktopServices>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

void MainWindow::buildScan()
{
    m_scan = std::make_unique<ScanParts>();
    m_capture->namer->setDecoder(&m_scan->decoder);
    m_scan->panel = new ScanResultPanel(m_cameraDock);
    m_scan->panel->hide();
    m_cameraDock->insertPanel(2, m_scan->panel);
    connect(m_scan->panel, &ScanResultPanel::clearRequested, this, &MainWindow::clearScanResult);
    connect(m_scan->panel, &ScanResultPanel::linkActivated, this, &MainWindow::openUrl);
    connect(m_scan->panel, &ScanResultPanel::copied, this,
            [this] { showStatus(tr("Result copied to clipboard"), 2000); });
    if (!m_env.fetchUrl) {
        m_scan->network = new QNetworkAccessManager(this);
        connect(m_scan->network, &QNetworkAccessManager::finished, this, &MainWindow::onNetworkReplyFinished);
        m_env.fetchUrl = [this](const QUrl& url) { m_scan->network->get(QNetworkRequest(url)); };
    }
}

void MainWindow::onScanCode()
{
    if (!isPreviewing()) {
        showMessageBox(QMessageBox::Warning, tr("Warning"), tr("Camera is not previewing."));
        return;
    }
    const QImage frame = m_cameraController->currentFrame();
    if (frame.isNull()) {
        showMessageBox(QMessageBox::Critical, tr("Error"), tr("Failed to capture image."));
        return;
    }
    const ScanSession::Outcome outcome =
        m_scan->session.scan(CodeScanner::decode(frame), QDateTime::currentDateTime());
    switch (outcome.kind) {
    case ScanSession::Kind::NothingFound:
        showMessageBox(QMessageBox::Information, tr("Scan Result"), tr("No barcode or QR code detected."));
        clearScanResult();
        return;
    case ScanSession::Kind::Repeated:
        showStatus(tr("Same code scanned recently"), 2000);
        return;
    case ScanSession::Kind::Accepted:
        break;
    }
    m_scan->panel->showResult(outcome.panel);
    if (outcome.request.isValid())
        m_env.fetchUrl(outcome.request);
    showStatus(tr("Scan successful"), 2000);
    m_env.speak(tr("Scan successful"));
}

void MainWindow::clearScanResult()
{
    m_scan->session.clear();
    m_scan->panel->clearResult();
}

void MainWindow::openUrl(const QUrl& url)
{
    if (!url.isValid())
        return;
    if (m_env.openUrl(url))
        showStatus(tr("Opening URL: %1").arg(url.toString()), 2000);
    else
        showMessageBox(QMessageBox::Warning, tr("Error"), tr("Failed to open URL: %1").arg(url.toString()));
}

void MainWindow::onNetworkReplyFinished(QNetworkReply* reply)
{
    if (reply->error() != QNetworkReply::NoError)
        qWarning().noquote() << "Network request failed:" << reply->errorString();
    reply->deleteLater();
}
