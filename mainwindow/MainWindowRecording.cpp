// The window's side of recording: the dock's record button and time label, the preview's latency
// and the capture triggers follow the RecordingSession, which makes every decision.
#include "CameraDock.h"
#include "CameraSession.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "RecordingSession.h"
#include "VideoWidget.h"

#include <QAction>
#include <QCheckBox>
#include <QDebug>
#include <QLabel>
#include <QPushButton>

void MainWindow::buildRecording()
{
    RecordingSession::Environment env;
    env.execDialog = m_env.execDialog;
    env.openUrl = m_env.openUrl;
    env.dialogParent = this;
    m_recording =
        new RecordingSession(makeControllerRecordingCamera(m_cameraController, m_cameraSession), env, this);

    CameraDock* d = m_cameraDock;
    d->recordTimeLabel->clear();
    d->recordTimeLabel->hide();
    connect(m_recording, &RecordingSession::statusMessage, this, &MainWindow::showStatus);
    connect(m_recording, &RecordingSession::recordingChanged, d, &CameraDock::setRecording);
    // One button starts and stops: while recording it is the stop button, otherwise the start button.
    connect(
        m_recording, &RecordingSession::controlsChanged, this, [this](bool startEnabled, bool stopEnabled) {
            m_cameraDock->recordButton->setEnabled(m_recording->isRecording() ? stopEnabled : startEnabled);
        });
    connect(m_recording, &RecordingSession::indicatorChanged, d,
            [d](const QString& text, const QString& style) {
                d->recordTimeLabel->setText(text);
                d->recordTimeLabel->setStyleSheet(style);
                d->recordTimeLabel->setVisible(!text.isEmpty());
            });
    connect(m_recording, &RecordingSession::lowLatencyChanged, m_videoWidget, &VideoWidget::setLowLatency);
    connect(m_recording, &RecordingSession::previewOpeningChanged, m_videoWidget, &VideoWidget::setOpening);
    connect(m_recording, &RecordingSession::captureTriggersOff, this, [d] {
        for (QCheckBox* box : {d->autoCaptureCheck, d->timerCaptureCheck})
            if (box->isChecked())
                box->setChecked(false);
    });
    connect(m_recording, &RecordingSession::stopCompleted, this, [this] {
        qInfo().noquote() << "[Rec] capture button enabled=" << m_cameraDock->captureButton->isEnabled()
                          << " actionCapture enabled=" << m_actions->capture->isEnabled();
    });
    connect(m_cameraSession, &CameraSession::cameraLost, m_recording, &RecordingSession::onCameraLost);
}

void MainWindow::onRecordButtonClicked()
{
    if (m_recording->isRecording())
        onStopRecording();
    else
        onStartRecording();
}

void MainWindow::onStartRecording()
{
    m_recording->setSavePath(m_settings.savePath);
    m_recording->onStartRecording();
}

void MainWindow::onStopRecording()
{
    m_recording->onStopRecording();
}

void MainWindow::onRecordingTimerTimeout()
{
    m_recording->onRecordingTimerTimeout();
}
