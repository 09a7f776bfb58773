// The window's side of the picture steps: the document outline on the live picture, the crop
// commands, background removal, the ID-photo controls and the watermark. The pixel work is in the
// imaging library; here it is only wired to the controls.
#include "CameraController.h"
#include "CameraDock.h"
#include "CameraSession.h"
#include "CaptureStore.h"
#include "DocumentCrop.h"
#include "GalleryModel.h"
#include "ImagingSteps.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowCaptureParts.h"
#include "Matting.h"
#include "VideoWidget.h"
#include "WatermarkDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDebug>
#include <QGraphicsOpacityEffect>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>

namespace {
constexpr int kDetectionIntervalMs = 500;
constexpr int kExerciseDetectionIntervalMs = 100;
constexpr int kAutoCropMarginPx = 5;
constexpr double kDisabledOpacity = 0.4;
} // namespace

void MainWindow::buildImaging()
{
    m_capture->steps = std::make_unique<ImagingSteps>([this] {
        return m_watermarkDialog ? m_watermarkDialog->settings() : WatermarkSettings();
    });
    m_capture->steps->attachTo(*m_capture->processor);

    m_detectionTimer = new QTimer(this);
    m_detectionTimer->setObjectName(QStringLiteral("documentDetectionTimer"));
    m_detectionTimer->setInterval(kDetectionIntervalMs);
    connect(m_detectionTimer, &QTimer::timeout, this, &MainWindow::detectDocument);

    // The live picture shows the stamp the capture will get.
    m_videoWidget->setOverlayFunction([this](const QImage& canvas) {
        if (!m_watermarkDialog)
            return QImage();
        QImage overlay = canvas;
        QPainter painter(&overlay);
        paintWatermark(painter, overlay.size(), m_watermarkDialog->settings());
        return overlay;
    });

    CameraDock* d = m_cameraDock;
    d->watermarkSettingsButton->setEnabled(d->watermarkCheck->isChecked());
    connect(d->idRedButton, &QPushButton::clicked, this, [this] { onBackgroundColorChanged(QColor(168, 43, 53)); });
    connect(d->idBlueButton, &QPushButton::clicked, this, [this] { onBackgroundColorChanged(QColor(61, 145, 206)); });
    connect(d->idWhiteButton, &QPushButton::clicked, this, [this] { onBackgroundColorChanged(Qt::white); });
    connect(d->idCustomButton, &QPushButton::clicked, this, &MainWindow::onCustomColorClicked);
    connect(d->backgroundModeCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            &MainWindow::onBackgroundThresholdModeChanged);
    connect(d->thresholdSlider, &QSlider::valueChanged, this, &MainWindow::onBackgroundThresholdValueChanged);
    connect(m_cameraSession, &CameraSession::cameraStarted, this,
            [this] { updateMattingAvailability(m_cameraSession->recordedDevice()); });
    updateDetectionTimer();
}

// ---- document detection ---------------------------------------------------------------------------

bool MainWindow::isPreviewing() const { return m_cameraController && m_cameraController->isPreviewing(); }

void MainWindow::detectDocument()
{
    if (!isPreviewing() || !detectionWanted())
        return;
    const QImage frame = m_cameraController->currentFrame();
    if (frame.isNull())
        return;
    const QPolygon quad = detectDocumentQuad(frame);
    if (quad.size() != 4) {
        m_documentQuad.clear();
        m_videoWidget->clearDocumentPolygon();
        showDetectionStatus(tr("No document detected"));
        return;
    }
    m_documentQuad = quad;
    m_videoWidget->setDocumentPolygon(quad);
    const QRect box = quad.boundingRect();
    showDetectionStatus(tr("Document detected: %1x%2").arg(box.width()).arg(box.height()));
}

void MainWindow::showDetectionStatus(const QString& text)
{
    // Twice a second, it would wipe every other message ("Image saved: ...") before anyone could read it:
    // it only takes an empty status bar or its own previous text.
    const QString current = statusBar()->currentMessage();
    if (!current.isEmpty() && current != m_lastDetectionStatus)
        return;
    m_lastDetectionStatus = text;
    showStatus(text, 1000);
}

bool MainWindow::detectionWanted() const
{
    return m_exerciseAutoCrop >= 0 ? m_exerciseAutoCrop == 1 : m_autoCrop.effective();
}

void MainWindow::stopDetection()
{
    if (m_detectionTimer)
        m_detectionTimer->stop();
    m_documentQuad.clear();
    m_videoWidget->clearDocumentPolygon();
}

void MainWindow::updateDetectionTimer()
{
    if (!m_detectionTimer)  // the camera may start before the picture steps are built
        return;
    // The AI mode's exercise panel looks ten times a second; everything else twice.
    const int intervalMs = m_exerciseAutoCrop == 1 ? kExerciseDetectionIntervalMs : kDetectionIntervalMs;
    if (detectionWanted() && isPreviewing()) {
        if (m_detectionTimer->interval() != intervalMs || !m_detectionTimer->isActive())
            m_detectionTimer->start(intervalMs);
    } else {
        stopDetection();
    }
}

void MainWindow::onAutoCropToggled(bool on)
{
    if (on) {
        if (m_actions->toggleCrop->isChecked())
            m_actions->toggleCrop->setChecked(false);
        m_videoWidget->setCropMode(false);
        if (!isPreviewing()) {
            showMessageBox(QMessageBox::Warning, tr("Warning"), tr("Please start camera preview first."));
            const QSignalBlocker block(m_cameraDock->autoCropCheck);
            m_cameraDock->autoCropCheck->setChecked(false);
        } else {
            showStatus(tr("Auto crop enabled, detecting document..."), 2000);
        }
    } else {
        showStatus(tr("Auto crop disabled"), 2000);
    }
    m_autoCrop.setUserChoice(m_cameraDock->autoCropCheck->isChecked());
    updateDetectionTimer();
    saveSettings();
}

void MainWindow::setAutoCropEnabled(bool on)
{
    m_autoCrop.setUserChoice(on);
    {
        const QSignalBlocker block(m_cameraDock->autoCropCheck);
        m_cameraDock->autoCropCheck->setChecked(m_autoCrop.effective());
    }
    updateDetectionTimer();
    saveSettings();
}

void MainWindow::onAutoCrop()
{
    if (!isPreviewing())
        return;
    const QImage cropped = autoCropBoundingBox(m_cameraController->currentFrame(), kAutoCropMarginPx);
    if (cropped.isNull())
        return;
    m_videoWidget->setFrame(cropped);
    // A gallery item of its own that is not written here: it has no file until it is saved.
    m_gallery->addUnsaved(cropped, nextFileName(cropped));
    showStatus(tr("Auto crop applied"), 2000);
}

void MainWindow::onApplyCrop()
{
    if (!isPreviewing()) {
        showMessageBox(QMessageBox::Warning, tr("Warning"), tr("Camera is not previewing."));
        return;
    }
    double angle = 0.0;
    QPolygon outline;
    const QImage cropped = autoCropWithRotation(m_cameraController->currentFrame(), &angle, &outline);
    if (cropped.isNull() || (angle == 0.0 && outline.isEmpty())) {
        showStatus(tr("No document detected for cropping"), 2000);
        return;
    }
    m_videoWidget->setFrame(cropped);
    m_gallery->addUnsaved(cropped, nextFileName(cropped));
    angle = signedAngleDeg(angle);
    if (std::abs(angle) > 1.0)
        showStatus(tr("Cropped with rotation: %1°, size: %2x%3")
                       .arg(angle, 0, 'f', 1)
                       .arg(cropped.width())
                       .arg(cropped.height()),
                   2000);
    else
        showStatus(tr("Cropped, size: %1x%2").arg(cropped.width()).arg(cropped.height()), 2000);
}

// ---- background removal ---------------------------------------------------------------------------

void MainWindow::onRemoveBackground()
{
    const bool on = m_cameraDock->removeBackgroundCheck->isChecked();
    m_cameraDock->backgroundModeCombo->setVisible(on);
    m_cameraDock->thresholdContainer->setVisible(on && m_cameraDock->backgroundModeCombo->currentIndex() == 2);
    const QString text = on ? tr("Background removal enabled") : tr("Background removal disabled");
    m_statusLabel->setText(text);
    mirrorBackgroundControls();
    qInfo().noquote() << (on ? "Background removal enabled" : "Background removal disabled");
}

void MainWindow::onBackgroundThresholdModeChanged(int index)
{
    m_cameraDock->thresholdContainer->setVisible(m_cameraDock->removeBackgroundCheck->isChecked() && index == 2);
    mirrorBackgroundControls();
    qInfo() << "Background threshold mode changed to:" << index;
}

void MainWindow::onBackgroundThresholdValueChanged(int value)
{
    mirrorBackgroundControls();
    qInfo() << "Background threshold value changed to:" << value;
}

// ---- ID photo -------------------------------------------------------------------------------------

void MainWindow::onBackgroundColorChanged(const QColor& colour)
{
    if (!colour.isValid())
        return;
    m_mattingBackground = colour;
    m_statusLabel->setText(tr("Background color changed to: %1").arg(colour.name()));
}

void MainWindow::onCustomColorClicked()
{
    onBackgroundColorChanged(QColorDialog::getColor(m_mattingBackground, this, tr("Select Background Color")));
}

void MainWindow::updateMattingAvailability(const CameraDeviceInfo& device)
{
    const bool supported = deviceSupportsIdPhoto(device.vid, device.pid);
    QWidget* controls = m_cameraDock->idPhotoContainer;
    if (!supported) {
        if (m_cameraDock->idPhotoCheck->isChecked())
            m_cameraDock->idPhotoCheck->setChecked(false);
        controls->setEnabled(false);
        auto* fade = new QGraphicsOpacityEffect(controls);
        fade->setOpacity(kDisabledOpacity);
        controls->setGraphicsEffect(fade);
        qInfo().noquote() << "[Matting] 该设备不支持证件照(人像抠图)，已禁用相关 UI:" << device.name << "vid=" << device.vid
                          << "pid=" << device.pid;
    } else {
        controls->setEnabled(true);
        controls->setGraphicsEffect(nullptr);
        qInfo().noquote() << "[Matting] 证件照(人像抠图)功能可用:" << device.name << "vid=" << device.vid
                          << "pid=" << device.pid;
    }
}

// ---- watermark ------------------------------------------------------------------------------------

void MainWindow::ensureWatermarkDialog()
{
    if (!m_watermarkDialog)
        m_watermarkDialog = new WatermarkDialog(this);
}

void MainWindow::onWatermarkToggled(bool on)
{
    m_cameraDock->watermarkSettingsButton->setEnabled(on);
    ensureWatermarkDialog();
    m_videoWidget->setOverlayEnabled(on);
    m_statusLabel->setText(on ? tr("Watermark enabled") : tr("Watermark disabled"));
}

void MainWindow::onWatermarkSettingsClicked()
{
    ensureWatermarkDialog();
    if (m_env.execDialog(*m_watermarkDialog) != QDialog::Accepted)
        return;
    m_statusLabel->setText(tr("Watermark settings updated"));
    // The overlay is drawn again from the new settings.
    m_videoWidget->setOverlayEnabled(m_cameraDock->watermarkCheck->isChecked());
}
