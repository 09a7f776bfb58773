// The window's side of voice commands: each command runs the slot its button or menu item runs.
#include "CameraDock.h"
#include "MainWindow.h"
#include "TitleBar.h"
#include "VoiceSession.h"

#include <QCheckBox>
#include <QToolButton>

void MainWindow::buildVoice()
{
    VoiceSession::Actions actions;
    actions.isPreviewing = [this] { return isPreviewing(); };
    actions.capture = [this] { onCaptureImage(); };
    actions.rotateLeft = [this] { onRotateLeft(); };
    actions.rotateRight = [this] { onRotateRight(); };
    actions.zoomIn = [this] { onZoomIn(); };
    actions.zoomOut = [this] { onZoomOut(); };
    actions.zoomReset = [this] { onZoomReset(); };
    actions.fitToView = [this] { onFitToView(); };
    actions.saveImage = [this] { onSaveImage(); };
    actions.recognizeText = [this] { onPerformOCR(); };
    actions.scanCode = [this] { onScanCode(); };
    // As a click on the check box: it flips and the window applies the new state.
    actions.toggleAutoCrop = [this] { m_cameraDock->autoCropCheck->toggle(); };
    actions.switchMode = [this](int mode) { switchWindowMode(mode); };

    VoiceSession::Environment env;
    env.makeRecognizer = m_env.makeVoiceRecognizer;
    env.modelDir = m_env.voiceModelDir;
    env.listeningSetting = m_settings.voiceListening;
    env.saveListening = [this](bool on) {
        m_settings.voiceListening = on;
        saveSettings();
    };
    env.execDialog = m_env.execDialog;
    m_voice = new VoiceSession(m_titleBar->voiceButton(), this, actions, env, this);
    connect(m_voice, &VoiceSession::statusMessage, this, &MainWindow::showStatus);
    m_voice->start();
    m_voice->setSpeaker(m_speaker);
}

void MainWindow::onVoiceToggled(bool on)
{
    m_voice->onVoiceListeningToggled(on);
}
