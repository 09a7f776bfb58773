// Loading, saving and the settings dialog of the main window.

#include "MainWindow.h"

#include "AnnotationDock.h"
#include "AnnotationToolbar.h"
#include "CameraDock.h"
#include "LanguageManager.h"
#include "SettingsDialog.h"
#include "VideoWidget.h"
#include "ViewGeometry.h"
#include "VoiceSession.h"

#include <QCheckBox>
#include <QDebug>
#include <QGuiApplication>
#include <QScreen>
#include <QComboBox>
#include <QSettings>
#include <QStatusBar>

void MainWindow::loadSettings()
{
    qInfo() << "[Settings] loadSettings() called";
    const std::unique_ptr<QSettings> store = m_env.openSettings();
    m_settings = MainSettings::load(*store, m_env.appDir);

    // 1. Geometry and dock state; a window remembered on a screen that is gone comes back on this one.
    if (!m_settings.geometry.isEmpty())
        restoreGeometry(m_settings.geometry);
    if (!m_settings.windowState.isEmpty())
        restoreState(m_settings.windowState);
    if (QScreen* screen = QGuiApplication::primaryScreen(); screen && !QGuiApplication::screenAt(geometry().center()))
        move(screen->availableGeometry().topLeft());
    store->setValue(QStringLiteral("geometry"), saveGeometry());

    // 2. Scanner-gun mode takes the keyboard from the first key on.
    if (isScannerGunMode()) {
        setScannerGunFilter(true);
        qInfo() << "[Settings] pre-installed eventFilter for scanner gun";
    }
    qInfo() << "[Settings] pre-syncing to VideoWidget scannerGunEnabled:" << isScannerGunMode();
    m_videoWidget->setScannerGunMode(isScannerGunMode());

    // 3. Language.
    LanguageManager::instance()->loadLanguage(m_settings.language);

    // 4. Pen.
    m_annotationDock->setPenColor(m_settings.penColor);
    m_annotationDock->setPenWidth(m_settings.penWidth);
    m_annotationDock->setEraserSize(m_settings.eraserSize);
    applyPenColor(m_settings.penColor);
    onPenWidthChanged(m_settings.penWidth);
    m_videoWidget->setEraserSize(m_settings.eraserSize);
    m_annotationToolbar->setEraserSize(m_settings.eraserSize);

    // 6-8. Automatic cropping, rotation and the check box that shows the choice.
    m_autoCrop.setUserChoice(m_settings.autoCrop);
    {
        // Restoring is not a user's turn: nothing to write back.
        const QSignalBlocker quiet(m_videoWidget);
        m_videoWidget->setRotation(m_settings.rotationDeg);
    }
    const QSignalBlocker block(m_cameraDock->autoCropCheck);
    m_cameraDock->autoCropCheck->setChecked(m_autoCrop.userChoice());
}

MainSettings MainWindow::collectSettings() const
{
    MainSettings s = m_settings;
    s.geometry = saveGeometry();
    s.windowState = saveState();
    s.language = LanguageManager::instance()->currentLanguage();
    s.penColor = m_annotationDock->penColor();
    s.penWidth = m_annotationDock->penWidth();
    s.eraserSize = m_annotationDock->eraserSize();
    s.rotationDeg = m_videoWidget->geometry().normalizedRotation();
    s.autoCrop = m_autoCrop.userChoice();
    if (m_cameraDock->deviceCombo->currentIndex() >= 0)
        s.cameraDevicePath = m_cameraDock->deviceCombo->currentData().toString();
    if (m_cameraDock->resolutionCombo->currentIndex() >= 0) {
        const QSize size = m_cameraDock->resolutionCombo->currentData().toSize();
        s.cameraWidth = size.width();
        s.cameraHeight = size.height();
    }
    return s;
}

void MainWindow::saveSettings()
{
    m_settings = collectSettings();
    const std::unique_ptr<QSettings> store = m_env.openSettings();
    m_settings.save(*store);
}

void MainWindow::onSettings()
{
    SettingsDialog dialog(this);
    qInfo() << "MainWindow::onSettings() m_namingMethod = " << m_settings.namingMethod
            << "isScannerGunMode() = " << isScannerGunMode();
    connect(&dialog, &SettingsDialog::voiceTrainRequested, m_voice, &VoiceSession::onVoiceTrain);

    dialog.setAutoSave(m_settings.autoSave);
    dialog.setSaveFormat(m_settings.saveFormat);
    dialog.setSavePath(m_settings.savePath);
    dialog.setNamingMethod(m_settings.namingMethod);
    dialog.setFilePrefix(m_settings.filePrefix);
    dialog.setStartNumber(m_settings.fileNumber);
    dialog.setOcrOutputType(m_settings.ocrOutputType);
    dialog.setAutoStraighten(m_settings.autoStraighten);
    qInfo() << "MainWindow::onSettings() scannerGunEnabled (from isScannerGunMode()) = " << isScannerGunMode();
    dialog.setScannerGunEnabled(isScannerGunMode());
    dialog.setScannerGunDelay(m_settings.scannerGunDelayMs);
    dialog.setSharedStore(TicketStoreConfig::load(*m_env.openSettings()));

    if (m_env.execDialog(dialog) != QDialog::Accepted)
        return;
    dialog.sharedStore().save(*m_env.openSettings());

    m_settings.autoSave = dialog.autoSave();
    m_settings.saveFormat = dialog.saveFormat();
    m_settings.savePath = dialog.savePath();
    m_settings.namingMethod = dialog.namingMethod();
    m_settings.filePrefix = dialog.filePrefix();
    m_settings.fileNumber = dialog.startNumber();
    m_settings.ocrOutputType = dialog.ocrOutputType();
    m_settings.autoStraighten = dialog.autoStraighten();
    m_settings.scannerGunDelayMs = dialog.scannerGunDelay();
    qInfo() << "[SettingsDialog] Accepted namingMethod:" << m_settings.namingMethod
            << ", scannerGunEnabled:" << isScannerGunMode();
    setScannerGunFilter(isScannerGunMode());
    m_videoWidget->setScannerGunMode(isScannerGunMode());
    applyCaptureSettings();
    saveSettings();
    showStatus(tr("Settings saved"), 2000);
}
