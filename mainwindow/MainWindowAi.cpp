// The AI collaboration mode: the chat panel beside the live picture, and its exercise strip, whose
// detection switch applies only while the mode is shown and never changes the user's own choice.
#include "AiCollaborationPanel.h"
#include "AiPanelAvailability.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "VideoWidget.h"
#include "WrongProblemSettingsWidget.h"

#include <QAction>
#include <QDebug>

bool MainWindow::aiModeAvailable() { return aiPanelAvailable(); }

void MainWindow::enterAiMode()
{
    auto* panel = qobject_cast<AiCollaborationPanel*>(m_aiPanel);
    if (!panel) {
        panel = new AiCollaborationPanel(m_videoContainer, m_env.aiSites.isEmpty() ? defaultAiSites() : m_env.aiSites);
        m_aiPanel = panel;
        connect(m_videoWidget, &VideoWidget::imageDragged, panel, &AiCollaborationPanel::injectImage);
        WrongProblemSettingsWidget* strip = panel->settingsWidget();
        connect(strip, &WrongProblemSettingsWidget::autoCropToggled, this, &MainWindow::onExerciseAutoCropToggled);
        connect(strip, &WrongProblemSettingsWidget::manualCropToggled, this, [this](bool on) {
            if (on && m_exerciseAutoCrop == 1)
                onExerciseAutoCropToggled(false);
            m_videoWidget->setCropMode(on);
        });
        connect(strip, &WrongProblemSettingsWidget::ocrRequested, this, &MainWindow::onPerformOCR);
    }
    panel->setActive(true);
    panel->settingsWidget()->setAutoCropChecked(detectionWanted());
    panel->settingsWidget()->setManualCropChecked(false);
    // Half the width each: the picture on the left, the chat on the right.
    setSidePanel(panel, 1);
}

void MainWindow::leaveAiMode()
{
    auto* panel = qobject_cast<AiCollaborationPanel*>(m_aiPanel);
    if (!panel)
        return;
    panel->setActive(false);
    m_videoWidget->setCropMode(false);
    // Back to the user's own choice, at the normal pace.
    m_exerciseAutoCrop = -1;
    stopDetection();
    updateDetectionTimer();
}

void MainWindow::onExerciseAutoCropToggled(bool on)
{
    m_exerciseAutoCrop = on ? 1 : 0;
    auto* panel = qobject_cast<AiCollaborationPanel*>(m_aiPanel);
    if (panel)
        panel->settingsWidget()->setAutoCropChecked(on);
    if (on) {
        if (panel)
            panel->settingsWidget()->setManualCropChecked(false);
        m_videoWidget->setCropMode(false);
        updateDetectionTimer();
    } else {
        stopDetection();
    }
}
