// The window's side of capturing: it snapshots the switches into a request, lets the capture
// processor do the work, then names, saves and adds the result to the gallery. Triggers (button,
// Space, timer, still picture, scanner gun) all end up here.
#include "AnnotationOverlay.h"
#include "AutoCaptureStateMachine.h"
#include "CameraController.h"
#include "CameraDock.h"
#include "CaptureProcessor.h"
#include "FileNamer.h"
#include "GalleryModel.h"
#include "GalleryPanel.h"
#include "ImagePreviewDialog.h"
#include "ImageSaver.h"
#include "MainWindow.h"
#include "BookPanel.h"
#include "BookSession.h"
#include "MainWindowActions.h"
#include "MainWindowCaptureParts.h"
#include "ScannerGunBuffer.h"
#include "ThumbnailDock.h"
#include "VideoWidget.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileDialog>
#include <QInputDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTimer>


void MainWindow::buildCapture()
{
    m_capture = std::make_unique<CaptureParts>();
    m_capture->processor = std::make_unique<CaptureProcessor>();
    m_capture->processor->setApplicationDirectory(m_env.appDir);
    m_capture->autoCapture = std::make_unique<AutoCaptureStateMachine>();
    m_capture->namer = std::make_unique<FileNamer>();
    m_capture->store = new CaptureStore(m_gallery, m_env.makeImageSaver ? m_env.makeImageSaver() : nullptr, this);
    m_capture->store->saver().setPdfExporter(&m_capture->pdfExporter);
    m_capture->store->saver().setOfdExporter(&m_capture->ofdExporter);
    connect(m_capture->store, &CaptureStore::savesFailingChanged, this, &MainWindow::updateUnsavedLabel);
    connect(m_gallery, &GalleryModel::itemRemoved, this, &MainWindow::updateUnsavedLabel);
    connect(m_gallery, &GalleryModel::cleared, this, &MainWindow::updateUnsavedLabel);
    connect(m_gallery, &GalleryModel::pathChanged, this, &MainWindow::updateUnsavedLabel);

    m_capture->scannerGun = new ScannerGunBuffer(this);
    connect(m_capture->scannerGun, &ScannerGunBuffer::captureRequested, this, &MainWindow::onCaptureImageWithBarcode);

    m_capture->timer = new QTimer(this);
    connect(m_capture->timer, &QTimer::timeout, this, [this] {
        qInfo().noquote() << "Timer capture triggered";
        runCapture(TriggerKind::Automatic);
    });

    applyCaptureSettings();
    GalleryPanel* panel = m_thumbnailDock->gallery;
    connect(panel, &GalleryPanel::statusMessage, this, &MainWindow::showStatus);
    connect(panel, &GalleryPanel::openRequested, this, [this](int, const QImage& image) { openPreviewDialog(image); });
    panel->setMessageFunction([this](QMessageBox::Icon icon, const QString& title, const QString& text,
                                     QMessageBox::StandardButtons buttons) {
        return QMessageBox::StandardButton(showMessageBox(icon, title, text, int(buttons)));
    });
    panel->setUrlOpener(m_env.openUrl);
}

CaptureRequest MainWindow::captureRequest(TriggerKind trigger) const
{
    CaptureRequest r;
    r.trigger = trigger;
    r.isPreviewing = m_cameraController && m_cameraController->isPreviewing();
    r.rotationDeg = m_videoWidget->rotation();
    const QRect selection = m_videoWidget->annotations() ? m_videoWidget->annotations()->cropSelection() : QRect();
    r.manualCropSelected = selection.isValid() && !selection.isEmpty();
    if (r.manualCropSelected)
        r.manualCropRect = m_videoWidget->mapToImageRect(selection);
    r.autoCrop = detectionWanted();
    r.documentQuad = m_documentQuad;
    r.autoStraighten = m_settings.autoStraighten;
    r.idPhotoMode = m_cameraDock->idPhotoCheck->isChecked();
    r.mattingBackground = m_mattingBackground;
    r.idPhotoFrameShown = r.idPhotoMode;
    r.idPhotoRect = m_videoWidget->idPhotoRect();
    r.removeBackground = m_cameraDock->removeBackgroundCheck->isChecked();
    r.backgroundMode = m_cameraDock->backgroundModeCombo->currentIndex();
    r.backgroundThreshold = m_cameraDock->thresholdSlider->value();
    r.watermark = m_cameraDock->watermarkCheck->isChecked();
    r.compositeEnabled = m_cameraDock->compositeCheck->isChecked();
    r.compositeDirection = m_cameraDock->compositeDirectionCombo->currentData().toInt();
    r.bookMode = currentMode() == 2;
    if (m_bookPanel) {
        r.flattenSingle = m_bookPanel->singlePageCheck->isChecked();
        r.flattenDouble = m_bookPanel->doublePageCheck->isChecked();
        r.removeFingers = m_bookPanel->removeFingersCheck->isChecked();
    }
    return r;
}

void MainWindow::onCaptureImage()
{
    runCapture(TriggerKind::User);
}

void MainWindow::runCapture(TriggerKind trigger)
{
    const CaptureRequest request = captureRequest(trigger);
    const CaptureResult result = m_capture->processor->capture(m_cameraController->currentFrame(), request);
    if (startDoublePageRun(result, request) || !presentCaptureResult(result))
        return;
    const QString name = nextFileName(result.image);
    // The processing status first; the save's own message, when there is one, follows it.
    showStatus(result.statusText, 2000);
    storeCapture(result.image, name, /*barcodeVariant=*/false, &result, &request);
}

void MainWindow::onCaptureImageWithBarcode(const QString& barcode)
{
    const CaptureRequest request = captureRequest(TriggerKind::Automatic);
    const CaptureResult result = m_capture->processor->captureWithBarcode(m_cameraController->currentFrame(), request);
    if (!startDoublePageRun(result, request) && presentCaptureResult(result)) {
        QString name;
        if (m_settings.namingMethod == 2 || m_settings.namingMethod == 3) {
            name = saving::safeCodeFileName(barcode, saving::saveFormatExtension(m_settings.saveFormat));
        } else {
            name = nextFileName(result.image);
        }
        showStatus(result.statusText, 2000);
        storeCapture(result.image, name, /*barcodeVariant=*/true, &result, &request);
    }
    m_capture->scannerGun->captureFinished();
}

bool MainWindow::presentCaptureResult(const CaptureResult& result)
{
    if (result.hideCompositeHint)
        m_compositeHintLabel->hide();
    switch (result.outcome) {
    case CaptureOutcome::Blocked:
        if (result.blockPresentation == BlockPresentation::MessageBox)
            showMessageBox(QMessageBox::Warning, result.blockTitle, result.blockText);
        else if (result.blockPresentation == BlockPresentation::StatusBar)
            showStatus(result.blockText, 3000);
        return false;
    case CaptureOutcome::HeldForComposite: {
        // The hint sits over the middle of the preview until the second shot.
        m_compositeHintLabel->adjustSize();
        const QPoint centre = m_videoWidget->mapTo(this, m_videoWidget->rect().center());
        m_compositeHintLabel->move(centre - QPoint(m_compositeHintLabel->width() / 2, m_compositeHintLabel->height() / 2));
        m_compositeHintLabel->raise();
        m_compositeHintLabel->show();
        showStatus(result.statusText, result.statusTimeoutMs);
        return false;
    }
    case CaptureOutcome::Finished:
        return result.addToGallery;
    }
    return false;
}

QString MainWindow::nextFileName(const QImage& image)
{
    NamingOptions options;
    options.namingMethod = m_settings.namingMethod;
    options.saveFormat = m_settings.saveFormat;
    options.filePrefix = m_settings.filePrefix;
    // The number is taken whether or not the capture is saved; saveSettings persists it.
    FileNumberCounter counter{m_settings.fileNumber};
    const QString name = m_capture->namer->generateFileName(image, options, counter);
    m_settings.fileNumber = counter.fileNumber;
    return name;
}

void MainWindow::applyCaptureSettings()
{
    m_gallery->setAutoSave(m_settings.autoSave);
    m_capture->scannerGun->setCaptureDelayMs(m_settings.scannerGunDelayMs);
    if (!isScannerGunMode())
        m_capture->scannerGun->reset();
}

void MainWindow::storeCapture(const QImage& image, const QString& fileName, bool barcodeVariant,
                              const CaptureResult* result, const CaptureRequest* request)
{
    const bool flattening = result && result->galleryShowsFlattening;
    quint64 itemId = 0;
    const SaveResult saved = m_capture->store->store(
        image, fileName, barcodeVariant, {m_settings.autoSave, m_settings.savePath, m_settings.saveFormat},
        flattening, &itemId);
    if (flattening && request) {
        // The flattened page replaces this very item when its run ends.
        m_book->setNextItem(itemId);
        m_capture->processor->startBookFlatten(*result, *request);
    }
    if (!saved.statusText.isEmpty())
        showStatus(saved.statusText, saved.statusDurationMs);
    if (saved.ok && !barcodeVariant)
        saveSettings();  // the file counter survives a crash from here on
    updateUnsavedLabel();
}

void MainWindow::updateUnsavedLabel()
{
    // Not a timed message: the next capture's text or the status refresh would wipe it while the
    // captures are still only in memory.
    const int unsaved = m_capture->store->unsavedCount();
    const bool show = m_capture->store->savesFailing() && unsaved > 0;
    if (show)
        m_unsavedLabel->setText(tr("Saving failed: %n capture(s) not saved", nullptr, unsaved));
    m_unsavedLabel->setVisible(show);
}

namespace {
const QString kRescuedCountKey = QStringLiteral("session/rescuedCaptures");
const QString kRescuedFolderKey = QStringLiteral("session/rescuedFolder");
} // namespace

bool MainWindow::keepUnsavedCaptures()
{
    const int unsaved = m_capture->store->unsavedCount();
    if (unsaved == 0)
        return true;
    if (m_closingUnattended) {
        // Nobody can be asked: keep them where the next start finds them.
        const CaptureStore::BulkResult rescued = m_capture->store->rescueUnsaved();
        if (rescued.written > 0) {
            const std::unique_ptr<QSettings> store = m_env.openSettings();
            store->setValue(kRescuedCountKey, store->value(kRescuedCountKey, 0).toInt() + rescued.written);
            store->setValue(kRescuedFolderKey, CaptureStore::rescueDirectory());
        }
        if (rescued.failed > 0)
            qWarning().noquote() << "[Cap]" << rescued.failed << "unsaved capture(s) lost at session end:"
                                 << rescued.firstError;
        return true;
    }
    const QString folder = ImageSaver::resolveSaveDirectory(m_settings.savePath);
    const int answer = showMessageBox(
        QMessageBox::Question, tr("Unsaved Captures"),
        tr("%n capture(s) have not been saved to disk. Save them to %1 before closing?", nullptr, unsaved)
            .arg(QDir::toNativeSeparators(folder)),
        int(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel));
    if (answer == QMessageBox::Discard) {
        qInfo() << "[Cap] closing without saving" << unsaved << "capture(s), as the user chose";
        return true;
    }
    if (answer != QMessageBox::Save)
        return false;
    const CaptureStore::BulkResult saved = m_capture->store->saveUnsaved(folder, m_settings.saveFormat);
    updateUnsavedLabel();
    if (saved.failed == 0)
        return true;
    showMessageBox(QMessageBox::Warning, tr("Unsaved Captures"),
                   tr("%n capture(s) could not be saved and are still in the gallery.", nullptr, saved.failed) +
                       QLatin1Char('\n') + saved.firstError);
    return false;
}

void MainWindow::announceRescuedCaptures()
{
    const std::unique_ptr<QSettings> store = m_env.openSettings();
    const int count = store->value(kRescuedCountKey, 0).toInt();
    if (count <= 0)
        return;
    const QString folder = store->value(kRescuedFolderKey).toString();
    store->remove(kRescuedCountKey);
    store->remove(kRescuedFolderKey);
    showStatus(tr("%n capture(s) not saved when the last session ended were kept in %1", nullptr, count)
                   .arg(QDir::toNativeSeparators(folder)),
               15000);
}

void MainWindow::openPreviewDialog(const QImage& image)
{
    if (image.isNull())
        return;
    auto* dialog = new ImagePreviewDialog(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setImage(image);
    connect(dialog, &ImagePreviewDialog::imageSaved, this, [this](const QString& path) {
        showStatus(tr("Image saved: %1").arg(path), 3000);
    });
    dialog->show();
}

void MainWindow::onSaveImage()
{
    const QImage image = m_videoWidget->currentFrame();
    if (image.isNull()) {
        showMessageBox(QMessageBox::Warning, tr("Warning"), tr("No image to save."));
        return;
    }
    const QString proposal = QDir::homePath() + QLatin1Char('/') + proposedSaveImageName(QDateTime::currentDateTime());
    const QString path = m_env.askSaveFileName(tr("Save Image"), proposal, tr("Images (*.png *.jpg *.bmp)"));
    if (path.isEmpty())
        return;
    if (!saveImageToPath(image, path)) {
        showMessageBox(QMessageBox::Critical, tr("Error"), tr("Failed to save image."));
        return;
    }
    showStatus(tr("Image saved: %1").arg(path), 3000);
    m_env.speak(tr("Image saved"));
}

void MainWindow::onClearGallery()
{
    m_thumbnailDock->gallery->clearAll();
}

// ---- triggers ---------------------------------------------------------------------------------

void MainWindow::onVideoFrameForCapture(const QImage& frame)
{
    if (!m_capture->autoCapture->onFrame(frame))
        return;
    runCapture(TriggerKind::Automatic);
    m_capture->autoCapture->captureFinished();
}

void MainWindow::onAutoCaptureToggled(bool on)
{
    m_capture->autoCapture->setEnabled(on);
    if (on) {
        showStatus(tr("Auto capture enabled"), 3000);
        if (m_cameraDock->timerCaptureCheck->isChecked())
            m_cameraDock->timerCaptureCheck->setChecked(false);
    } else {
        showStatus(tr("Auto capture disabled"), 3000);
    }
}

void MainWindow::onTimerCaptureToggled(bool on)
{
    if (on) {
        const int seconds = m_cameraDock->timerCaptureSpin->value();
        m_capture->timer->start(seconds * 1000);
        showStatus(tr("Timer capture enabled: %1s").arg(seconds), 3000);
        if (m_cameraDock->autoCaptureCheck->isChecked())
            m_cameraDock->autoCaptureCheck->setChecked(false);
    } else {
        m_capture->timer->stop();
        showStatus(tr("Timer capture disabled"), 3000);
    }
}

void MainWindow::onTimerCaptureIntervalChanged(int seconds)
{
    // The interval in force is always the one the spin box shows.
    if (!m_capture->timer->isActive())
        return;
    m_capture->timer->start(seconds * 1000);
    showStatus(tr("Timer capture enabled: %1s").arg(seconds), 3000);
}

void MainWindow::onCompositeToggled(bool on)
{
    m_cameraDock->compositeDirectionCombo->setEnabled(on);
    if (on)
        return;
    // Switching off between the two shots drops the first one.
    m_capture->processor->setCompositeEnabled(false);
    m_compositeHintLabel->hide();
}

void MainWindow::onMattingToggled(bool on)
{
    // ID photos are cut by the guide, never by the document outline. Cropping is suspended, not switched
    // off: the user's choice is what gets saved and what comes back when the mode ends.
    if (on)
        m_autoCrop.suspend(QStringLiteral("idPhoto"));
    else
        m_autoCrop.resume(QStringLiteral("idPhoto"));
    {
        const QSignalBlocker block(m_cameraDock->autoCropCheck);
        m_cameraDock->autoCropCheck->setChecked(m_autoCrop.effective());
    }
    updateDetectionTimer();
    m_videoWidget->setIdPhotoMode(on);
    showStatus(on ? tr("ID Photo mode enabled") : tr("ID Photo mode disabled"), 3000);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && isScannerGunMode() &&
        ScannerGunBuffer::shouldTakeKeysFrom(QApplication::focusWidget(), QApplication::activeWindow(), this)) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_capture && m_capture->scannerGun->handleKeyPress(key->key(), key->text()))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}
