// The window's side of the camera: it builds the controller and the session, reflects their state
// in the actions, buttons and status bar, and shows frames. Decisions live in CameraSession.
#include "AppRecordingFactory.h"
#include "CameraController.h"
#include "CameraDock.h"
#include "CameraSession.h"
#include "DeviceMonitor.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MediaCaptureWrapper.h"
#include "VideoWidget.h"

#include <QComboBox>
#include <QDebug>
#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

void MainWindow::buildCamera()
{
    m_cameraController = m_env.makeCameraController
                             ? m_env.makeCameraController(this)
                             : new CameraController(this, new MediaCaptureWrapper(nullptr, {}, makeAppRecordingFactory()));
    m_cameraController->setDialogRunner(m_env.execDialog);
    m_cameraSession = new CameraSession(m_cameraController, m_cameraDock->deviceCombo, m_cameraDock->resolutionCombo, this);
    m_cameraSession->setPreferred(m_settings.cameraDevicePath, QSize(m_settings.cameraWidth, m_settings.cameraHeight));

    connect(m_cameraController, &CameraController::deviceOpened, this, &MainWindow::onCameraDeviceOpened);
    connect(m_cameraController, &CameraController::previewStarted, this, &MainWindow::onPreviewStarted);
    connect(m_cameraController, &CameraController::previewStopped, this, &MainWindow::onPreviewStopped);
    connect(m_cameraController, &CameraController::errorOccurred, this, &MainWindow::onCameraError);
    connect(m_cameraController, &CameraController::videoFrameReceived, this, &MainWindow::onVideoFrame);

    CameraSession* session = m_cameraSession;
    connect(session, &CameraSession::statusMessage, this, &MainWindow::showStatus);
    connect(session, &CameraSession::captureEnabledChanged, m_cameraDock->captureButton, &QWidget::setEnabled);
    connect(session, &CameraSession::previewOpeningChanged, m_videoWidget, &VideoWidget::setOpening);
    connect(session, &CameraSession::previewCleared, m_videoWidget, &VideoWidget::clearFrame);
    connect(session, &CameraSession::warningBox, this, [this](const QString& title, const QString& text) {
        showMessageBox(QMessageBox::Warning, title, text);
    });
    connect(session, &CameraSession::selectionChanged, this, &MainWindow::saveSettings);
    // cameraStarted / cameraLost drive document detection once it exists.

    // The first event-loop turn, so the window is up before a slow camera answers.
    QTimer::singleShot(0, this, &MainWindow::startCamera);
}

void MainWindow::startCamera()
{
    if (!m_cameraController->initialize()) {
        showMessageBox(QMessageBox::Warning, tr("Warning"), tr("Failed to initialize camera controller."));
        m_cameraDock->captureButton->setEnabled(false);
        m_actions->openCamera->setVisible(false);
        m_actions->closeCamera->setVisible(false);
        m_actions->capture->setEnabled(false);
        m_videoWidget->setOpening(false);
        return;
    }
    if (!m_env.watchDevices || m_deviceMonitor)
        return;
    m_deviceMonitor = new DeviceMonitor(this);
    connect(m_deviceMonitor, &DeviceMonitor::deviceChanged, m_cameraSession, [this](DeviceMonitor::Change change) {
        m_cameraSession->onSystemDeviceChange(change == DeviceMonitor::Change::Arrival);
    });
    m_deviceMonitor->start();
}

void MainWindow::onOpenCamera() { m_cameraSession->openCamera(); }
void MainWindow::onCloseCamera() { m_cameraSession->closeCamera(); }
void MainWindow::onRefreshDevices() { m_cameraSession->refreshDevices(); }
void MainWindow::onDeviceSelected(int index) { m_cameraSession->onDeviceSelected(index); }
void MainWindow::onResolutionSelected(int index) { m_cameraSession->onResolutionSelected(index); }

void MainWindow::onCameraSettings()
{
    if (!m_cameraController->showPropertyPage(this))
        showStatus(tr("Camera settings are not available for this camera"), 3000);
}

void MainWindow::onCameraDeviceOpened(bool success)
{
    if (!success) {
        showMessageBox(QMessageBox::Critical, tr("Error"), tr("Failed to open camera device."));
        return;
    }
    m_cameraDock->captureButton->setEnabled(true);
    m_actions->openCamera->setEnabled(false);
    m_actions->closeCamera->setEnabled(true);
    m_actions->capture->setEnabled(true);
}

void MainWindow::onPreviewStarted(bool success)
{
    m_cameraDock->captureButton->setEnabled(success);
    m_actions->capture->setEnabled(success);
    if (success) {
        qInfo().noquote() << "[Cap] previewStarted(true) -> capture button re-enabled";
        showStatus(tr("Preview started"), 3000);
        updateDetectionTimer();
    } else {
        qWarning().noquote() << "[Cap] previewStarted(false) -> capture button kept disabled";
        showStatus(tr("Preview failed to start"), 0);
    }
}

void MainWindow::onPreviewStopped()
{
    m_cameraDock->captureButton->setEnabled(false);
    m_cameraDock->deviceCombo->setEnabled(true);
    m_cameraDock->resolutionCombo->setEnabled(true);
    m_actions->openCamera->setEnabled(true);
    m_actions->closeCamera->setEnabled(false);
    m_actions->capture->setEnabled(false);
    updateDetectionTimer();
    showStatus(tr("Preview stopped"), 3000);
}

void MainWindow::onCameraError(const QString& error)
{
    showMessageBox(QMessageBox::Warning, tr("Camera Error"), error);
    showStatus(error, 3000);
}

void MainWindow::onVideoFrame(const QImage& frame)
{
    if (frame.isNull()) {
        qWarning().noquote() << "Received null video frame";
        return;
    }
    m_videoWidget->setFrame(frame);
    onVideoFrameForCapture(frame);
}

void MainWindow::showMessageBox(int icon, const QString& title, const QString& text)
{
    showMessageBox(icon, title, text, QMessageBox::Ok);
}

int MainWindow::showMessageBox(int icon, const QString& title, const QString& text, int buttons)
{
    QMessageBox box(QMessageBox::Icon(icon), title, text, QMessageBox::StandardButtons(buttons), this);
    box.setObjectName(QStringLiteral("messageBox"));
    // Qt's own button texts are English unless its catalogue is installed; ours say them in the user's language.
    const std::pair<QMessageBox::StandardButton, QString> captions[] = {
        {QMessageBox::Ok, tr("OK")},         {QMessageBox::Cancel, tr("Cancel")}, {QMessageBox::Yes, tr("Yes")},
        {QMessageBox::No, tr("No")},         {QMessageBox::Save, tr("Save")},     {QMessageBox::Discard, tr("Discard")}};
    for (const auto& [which, caption] : captions)
        if (QAbstractButton* button = box.button(which))
            button->setText(caption);
    return m_env.execDialog(box);
}
