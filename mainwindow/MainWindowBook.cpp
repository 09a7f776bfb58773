// The window's side of book flattening: the session that runs it, the opened-file path and book mode's
// background removal. The pixel work is in imaging/.
#include "BackgroundRemoval.h"
#include "BookFlattenProcessor.h"
#include "BookPanel.h"
#include "BookSession.h"
#include "CameraDock.h"
#include "MainWindow.h"
#include "MainWindowCaptureParts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDebug>
#include <QDir>
#include <QLabel>
#include <QFileDialog>
#include <QImageReader>
#include <QMessageBox>
#include <QSlider>

void MainWindow::buildBook()
{
    BookSession::Environment env;
    env.nextFileName = [this](const QImage& image) {
        const QString name = nextFileName(image);
        saveSettings();  // the file counter
        return name;
    };
    env.saveTarget = [this] {
        return CaptureStore::Target{m_settings.autoSave, m_settings.savePath, m_settings.saveFormat};
    };
    env.removeBackground = [this](const QImage& image) { return bookBackgroundRemoval(image); };
    m_book = new BookSession(m_gallery, m_capture->store, env, this);
    connect(m_book, &BookSession::statusMessage, this, &MainWindow::showStatus);
    m_capture->processor->setBookFlattener(m_book);
}

QImage MainWindow::bookBackgroundRemoval(const QImage& image) const
{
    // Book mode's switch is the main panel's, mirrored; the main panel's box is the one always there.
    if (image.isNull() || !m_cameraDock->removeBackgroundCheck->isChecked())
        return image;
    int mode = m_cameraDock->backgroundModeCombo->currentIndex();
    if (mode < 0 || mode > 2)
        mode = 0;
    const QImage cleaned = removeBackground(image, mode, m_cameraDock->thresholdSlider->value());
    return cleaned.isNull() ? image : cleaned;
}

void MainWindow::onOpenImageForFlatten()
{
    const QString path = m_env.askOpenFileName(
        tr("Select Image"), tr("Image Files (*.png *.jpg *.jpeg *.bmp *.tiff *.tif);;All Files (*)"));
    if (path.isEmpty()) {
        qInfo() << "[Book] no image chosen for flattening";
        return;
    }
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        showMessageBox(QMessageBox::Warning, tr("Error"), tr("Failed to load image."));
        return;
    }
    const bool flatten = m_bookPanel && m_bookPanel->singlePageCheck->isChecked();
    const bool fingers = m_bookPanel && m_bookPanel->removeFingersCheck->isChecked();
    m_book->addOpenedImage(image, flatten, fingers);
}

bool MainWindow::startDoublePageRun(const CaptureResult& result, const CaptureRequest& request)
{
    if (result.outcome != CaptureOutcome::Finished || !result.book.shouldFlattenDouble)
        return false;
    if (result.hideCompositeHint)
        m_compositeHintLabel->hide();
    showStatus(result.statusText, result.statusTimeoutMs);
    if (result.createSaveDirectory && m_settings.autoSave)
        QDir().mkpath(ImageSaver::resolveSaveDirectory(m_settings.savePath));
    m_capture->processor->startBookFlatten(result, request);
    return true;
}
