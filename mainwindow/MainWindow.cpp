#include "MainWindow.h"

#include "AnnotationDock.h"
#include "CameraController.h"
#include "CameraDock.h"
#include "FrameLogic.h"
#include "ImageSaver.h"
#include "GalleryModel.h"
#include "LanguageManager.h"
#include "MainWindowActions.h"
#include "MainWindowCaptureParts.h"
#include "RecordingSession.h"
#include "Resources.h"
#include "SettingsDialog.h"
#include "Speaker.h"
#include "ThumbnailDock.h"
#include "TitleBar.h"
#include "VideoWidget.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDebug>
#include <QDesktopServices>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

const char* const MainWindow::kHomePageUrl = "https://lumadoc.example.org/";

namespace {

// Buttons, check boxes and combo boxes of the docks are reached with Tab but not focused by a click:
// otherwise the last one clicked keeps the keyboard and the next Space presses it again ("Clear All",
// "Rotate Left") instead of capturing.
void keepClicksFromTakingFocus(QWidget* root)
{
    for (QAbstractButton* button : root->findChildren<QAbstractButton*>())
        button->setFocusPolicy(Qt::TabFocus);
    for (QComboBox* combo : root->findChildren<QComboBox*>())
        combo->setFocusPolicy(Qt::TabFocus);
}

// The build tag the About box and the logs report as the version.
const char kBuildTag[] = "v4.0.41-20261105-dockfit-CropPreview+Hotplug";
constexpr int kStatusRefreshMs = 1000;
} // namespace

MainWindow::MainWindow(MainWindowEnvironment env, QWidget* parent)
    : QMainWindow(parent, Qt::FramelessWindowHint | Qt::Window), m_env(std::move(env))
{
    if (!m_env.openSettings)
        m_env.openSettings = [] { return MainSettings::openStore(); };
    if (m_env.appDir.isEmpty())
        m_env.appDir = QCoreApplication::applicationDirPath();
    if (!m_env.openUrl)
        m_env.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (!m_env.execDialog)
        m_env.execDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (!m_env.askSaveFileName)
        m_env.askSaveFileName = [this](const QString& title, const QString& proposal, const QString& filter) {
            return QFileDialog::getSaveFileName(this, title, proposal, filter);
        };
    if (!m_env.askOpenFileName)
        m_env.askOpenFileName = [this](const QString& title, const QString& filter) {
            return QFileDialog::getOpenFileName(this, title, QString(), filter);
        };
    if (!m_env.speak)
        m_env.speak = [this](const QString& text) {
            if (m_speaker)
                m_speaker->speak(text);
        };

    lumadoc::initResources();
    QCoreApplication::setApplicationVersion(QString::fromLatin1(kBuildTag));
    setWindowTitle(QStringLiteral("Lumadoc"));
    setWindowIcon(QIcon(QStringLiteral(":/icons/logo.ico")));
    buildFrame();
    wireControls();
    retranslateUi();
    // Before loadSettings: the stored language switches the catalogue there, and the frame follows.
    connect(LanguageManager::instance(), &LanguageManager::languageChanged, this, &MainWindow::onLanguageChanged);
    loadSettings();
    buildCapture();
    buildCamera();
    buildImaging();
    buildBook();
    buildTickets();
    buildExport();
    buildScan();
    buildOcr();
    buildRecording();
    buildVoice();
    buildModes();

    m_statusTimer = new QTimer(this);
    m_statusTimer->setInterval(kStatusRefreshMs);
    connect(m_statusTimer, &QTimer::timeout, this, &MainWindow::updateStatusBar);
    m_statusTimer->start();
    updateStatusBar();
    // After the camera's own opening messages.
    QTimer::singleShot(1500, this, &MainWindow::announceRescuedCaptures);
}

MainWindow::~MainWindow()
{
    // First: a recording still being finished on a pool thread uses the camera controller.
    delete m_recording;
    m_recording = nullptr;
    saveSettings();
    setScannerGunFilter(false);
}

void MainWindow::buildFrame()
{
    resize(1280, 800);
    m_titleBar = new TitleBar(this);
    auto* top = new QWidget(this);
    top->setObjectName(QStringLiteral("titleArea"));
    auto* topLayout = new QVBoxLayout(top);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->setSpacing(0);
    topLayout->addWidget(m_titleBar);
    auto* menuBar = new QMenuBar(top);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    topLayout->addWidget(menuBar);
    // The title bar sits above the menu bar across the whole width, where a system frame would be.
    setMenuWidget(top);

    m_videoContainer = new QWidget(this);
    m_videoContainer->setObjectName(QStringLiteral("videoContainer"));
    m_videoContainer->setAttribute(Qt::WA_StyledBackground);
    auto* centre = new QVBoxLayout(m_videoContainer);
    centre->setContentsMargins(0, 0, 0, 0);
    // The preview and, beside it, the panel of the current working mode.
    m_centralRow = new QHBoxLayout;
    m_centralRow->setObjectName(QStringLiteral("horizontalLayout"));
    m_centralRow->setContentsMargins(0, 0, 0, 0);
    m_centralRow->setSpacing(0);
    m_videoWidget = new VideoWidget(m_videoContainer);
    m_centralRow->addWidget(m_videoWidget, 1);
    centre->addLayout(m_centralRow, 1);
    setCentralWidget(m_videoContainer);

    m_compositeHintLabel = new QLabel(this);
    m_compositeHintLabel->setObjectName(QStringLiteral("compositeHintLabel"));
    m_compositeHintLabel->setAlignment(Qt::AlignCenter);
    m_compositeHintLabel->setStyleSheet(QStringLiteral(
        "QLabel {  background-color: rgba(0, 120, 215, 0.9);  color: white;  font-size: 16px;  font-weight: bold;  "
        "padding: 12px 24px;  border-radius: 8px;  border: 2px solid rgba(255, 255, 255, 0.5);}"));
    m_compositeHintLabel->hide();

    buildActions();
    buildMenus();
    buildToolBar();
    buildDocks();
    buildStatusBar();
}

void MainWindow::buildStatusBar()
{
    m_statusLabel = new QLabel(this);
    m_statusLabel->setObjectName(QStringLiteral("statusLabel"));
    m_zoomLabel = new QLabel(this);
    m_zoomLabel->setObjectName(QStringLiteral("zoomLabel"));
    m_unsavedLabel = new QLabel(this);
    m_unsavedLabel->setObjectName(QStringLiteral("unsavedCapturesLabel"));
    m_unsavedLabel->setStyleSheet(QStringLiteral("QLabel { color: #ff6b5b; font-weight: bold; }"));
    m_unsavedLabel->hide();
    statusBar()->addWidget(m_statusLabel, 1);
    statusBar()->addPermanentWidget(m_unsavedLabel);
    statusBar()->addPermanentWidget(m_zoomLabel);
}

void MainWindow::buildDocks()
{
    m_gallery = new GalleryModel(this);
    m_thumbnailDock = new ThumbnailDock(m_gallery, this);
    addDockWidget(Qt::LeftDockWidgetArea, m_thumbnailDock);
    m_cameraDock = new CameraDock(this);
    addDockWidget(Qt::RightDockWidgetArea, m_cameraDock);
    m_annotationDock = new AnnotationDock(this);
    addDockWidget(Qt::RightDockWidgetArea, m_annotationDock);
    tabifyDockWidget(m_cameraDock, m_annotationDock);
    m_cameraDock->raise();
    for (QWidget* dock : std::initializer_list<QWidget*>{m_thumbnailDock, m_cameraDock, m_annotationDock})
        keepClicksFromTakingFocus(dock);
}

void MainWindow::wireControls()
{
    Actions& a = *m_actions;
    connect(a.open, &QAction::triggered, this, &MainWindow::onOpenImage);
    connect(a.save, &QAction::triggered, this, &MainWindow::onSaveImage);
    connect(a.exit, &QAction::triggered, this, &QWidget::close);
    connect(a.openCamera, &QAction::triggered, this, &MainWindow::onOpenCamera);
    connect(a.closeCamera, &QAction::triggered, this, &MainWindow::onCloseCamera);
    connect(a.capture, &QAction::triggered, this, &MainWindow::onCaptureImage);
    connect(a.rotateLeft, &QAction::triggered, this, &MainWindow::onRotateLeft);
    connect(a.rotateRight, &QAction::triggered, this, &MainWindow::onRotateRight);
    connect(a.zoomIn, &QAction::triggered, this, &MainWindow::onZoomIn);
    connect(a.zoomOut, &QAction::triggered, this, &MainWindow::onZoomOut);
    connect(a.zoomReset, &QAction::triggered, this, &MainWindow::onZoomReset);
    connect(a.scanBarcode, &QAction::triggered, this, &MainWindow::onScanCode);
    connect(a.scanQRCode, &QAction::triggered, this, &MainWindow::onScanCode);
    connect(a.ocr, &QAction::triggered, this, &MainWindow::onPerformOCR);
    connect(a.undo, &QAction::triggered, this, &MainWindow::onUndoAnnotation);
    connect(a.clear, &QAction::triggered, this, &MainWindow::onClearAnnotations);
    connect(a.about, &QAction::triggered, this, &MainWindow::onAbout);
    connect(a.refreshDevices, &QAction::triggered, this, &MainWindow::onRefreshDevices);
    connect(a.autoCrop, &QAction::triggered, this, &MainWindow::onAutoCrop);
    connect(a.deskew, &QAction::triggered, this, &MainWindow::onDeskew);
    connect(a.toggleCrop, &QAction::toggled, this, &MainWindow::onToggleCrop);
    connect(a.applyCrop, &QAction::triggered, this, &MainWindow::onApplyCrop);
    connect(m_fitAction, &QAction::triggered, this, &MainWindow::onFitToView);
    connect(m_settingsAction, &QAction::triggered, this, &MainWindow::onSettings);
    connect(m_cameraSettingsAction, &QAction::triggered, this, &MainWindow::onCameraSettings);
    connect(m_scanCodeMenuAction, &QAction::triggered, this, &MainWindow::onScanCode);

    connect(m_titleBar, &TitleBar::logoClicked, this, [this] { m_env.openUrl(QUrl(QString::fromLatin1(kHomePageUrl))); });
    connect(m_titleBar, &TitleBar::settingsClicked, this, &MainWindow::onSettings);
    connect(m_titleBar, &TitleBar::windowSwitchClicked, this, &MainWindow::onWindowSwitch);
    connect(m_titleBar, &TitleBar::menuClicked, this, [this] {
        QWidget* button = m_titleBar->menuButton();
        m_popupMenu->popup(button->mapToGlobal(QPoint(0, button->height())));
    });
    connect(m_titleBar, &TitleBar::voiceToggled, this, &MainWindow::onVoiceToggled);
    connect(m_titleBar, &TitleBar::minimizeClicked, this, &QWidget::showMinimized);
    connect(m_titleBar, &TitleBar::maximizeClicked, this, &MainWindow::toggleMaximized);
    connect(m_titleBar, &TitleBar::closeClicked, this, &QWidget::close);

    CameraDock* d = m_cameraDock;
    connect(d->deviceCombo, QOverload<int>::of(&QComboBox::activated), this, &MainWindow::onDeviceSelected);
    connect(d->resolutionCombo, QOverload<int>::of(&QComboBox::activated), this, &MainWindow::onResolutionSelected);
    connect(d->rotateLeftButton, &QPushButton::clicked, this, &MainWindow::onRotateLeft);
    connect(d->rotateRightButton, &QPushButton::clicked, this, &MainWindow::onRotateRight);
    connect(d->scanCodeButton, &QPushButton::clicked, this, &MainWindow::onScanCode);
    connect(d->ocrButton, &QPushButton::clicked, this, &MainWindow::onPerformOCR);
    connect(d->autoCropCheck, &QCheckBox::toggled, this, &MainWindow::onAutoCropToggled);
    connect(d->cropDocumentButton, &QPushButton::clicked, a.toggleCrop, &QAction::trigger);
    connect(d->autoCaptureCheck, &QCheckBox::toggled, this, &MainWindow::onAutoCaptureToggled);
    connect(d->timerCaptureCheck, &QCheckBox::toggled, this, &MainWindow::onTimerCaptureToggled);
    connect(d->timerCaptureSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &MainWindow::onTimerCaptureIntervalChanged);
    connect(d->recordButton, &QPushButton::clicked, this, &MainWindow::onRecordButtonClicked);
    connect(d->idPhotoCheck, &QCheckBox::toggled, this, &MainWindow::onMattingToggled);
    connect(d->removeBackgroundCheck, &QCheckBox::toggled, this, &MainWindow::onRemoveBackground);
    connect(d->watermarkCheck, &QCheckBox::toggled, this, &MainWindow::onWatermarkToggled);
    connect(d->watermarkSettingsButton, &QPushButton::clicked, this, &MainWindow::onWatermarkSettingsClicked);
    connect(d->compositeCheck, &QCheckBox::toggled, this, &MainWindow::onCompositeToggled);
    connect(d->zoomInButton, &QPushButton::clicked, this, &MainWindow::onZoomIn);
    connect(d->zoomOutButton, &QPushButton::clicked, this, &MainWindow::onZoomOut);
    connect(d->zoomResetButton, &QPushButton::clicked, this, &MainWindow::onZoomReset);
    connect(d->fitButton, &QPushButton::clicked, this, &MainWindow::onFitToView);
    connect(d->captureButton, &QPushButton::clicked, this, &MainWindow::onCaptureImage);

    connect(m_annotationDock, &AnnotationDock::toolChanged, this, &MainWindow::onToolChanged);
    connect(m_annotationDock, &AnnotationDock::colorButtonClicked, this, &MainWindow::onSelectColor);
    connect(m_annotationDock, &AnnotationDock::penWidthChanged, this, &MainWindow::onPenWidthChanged);
    connect(m_annotationDock, &AnnotationDock::eraserSizeChanged, this, &MainWindow::onEraserSizeChanged);
    connect(m_annotationDock, &AnnotationDock::undoRequested, this, &MainWindow::onUndoAnnotation);
    connect(m_annotationDock, &AnnotationDock::clearRequested, this, &MainWindow::onClearAnnotations);

    connect(m_thumbnailDock->clearAllButton, &QPushButton::clicked, this, &MainWindow::onClearGallery);
    connect(m_thumbnailDock->saveAsPdfButton, &QPushButton::clicked, this, &MainWindow::onSaveAsPdf);
    connect(m_thumbnailDock->saveAsOfdButton, &QPushButton::clicked, this, &MainWindow::onSaveAsOfd);
    connect(m_thumbnailDock, &QDockWidget::visibilityChanged, this, [this](bool visible) {
        // Hidden by tabbing or minimising is not the user's choice; only a closed dock unchecks.
        if (!visible && !m_thumbnailDock->isHidden())
            return;
        m_popupCapturedImages->setChecked(visible);
    });

    wirePreview();
}

// ---- status bar -------------------------------------------------------------------------------

void MainWindow::showStatus(const QString& text, int durationMs)
{
    statusBar()->showMessage(text, durationMs);
}

void MainWindow::reportNotAvailable(const QString& feature)
{
    qInfo().noquote() << "[MAIN]" << feature << "requested; not available yet";
    showStatus(tr("%1: not available yet").arg(feature), 3000);
}

void MainWindow::updateStatusBar()
{
    frame::StatusInput in;
    in.zoomPercent = m_videoWidget->zoomPercent();
    if (m_cameraController) {
        in.previewing = m_cameraController->isPreviewing();
        in.deviceOpen = m_cameraController->isDeviceOpen();
        in.deviceName = m_cameraController->currentDeviceName();
        in.width = m_cameraController->currentResolution().width();
        in.height = m_cameraController->currentResolution().height();
        in.fps = m_cameraController->currentFps();
    }
    const frame::StatusTexts t = frame::statusTexts(in);
    m_statusLabel->setText(t.status);
    m_zoomLabel->setText(t.zoom);
}

// ---- view -------------------------------------------------------------------------------------

void MainWindow::onZoomIn()
{
    m_videoWidget->zoomIn();
    updateStatusBar();
}

void MainWindow::onZoomOut()
{
    m_videoWidget->zoomOut();
    updateStatusBar();
}

void MainWindow::onZoomReset()
{
    // Without a picture there is nothing to measure the zoom against: back to 100 %.
    if (m_videoWidget->currentFrame().isNull())
        m_videoWidget->setZoom(100);
    else
        m_videoWidget->resetZoom();
    updateStatusBar();
}

void MainWindow::onFitToView()
{
    m_videoWidget->fitToView();
    updateStatusBar();
}

void MainWindow::onRotateLeft()
{
    m_videoWidget->rotateLeft();
}

void MainWindow::onRotateRight()
{
    m_videoWidget->rotateRight();
}

// ---- features that arrive with later work -----------------------------------------------------

void MainWindow::onOpenImage() { onOpenImageForFlatten(); }
void MainWindow::onDeskew() { reportNotAvailable(tr("Deskew")); }
void MainWindow::onSaveAsPdf() { m_export->exportSelection(ExportKind::Pdf, exportNaming()); }
void MainWindow::onSaveAsOfd() { m_export->exportSelection(ExportKind::Ofd, exportNaming()); }

ExportSession::Naming MainWindow::exportNaming() const
{
    return {m_settings.namingMethod, m_settings.filePrefix, m_settings.fileNumber,
            ImageSaver::resolveSaveDirectory(m_settings.savePath)};
}

void MainWindow::buildExport()
{
    ExportSession::Environment env;
    env.execDialog = m_env.execDialog;
    env.message = [this](int icon, const QString& title, const QString& text) { showMessageBox(icon, title, text); };
    env.openFile = [this](const QString& path) { return m_env.openUrl(QUrl::fromLocalFile(path)); };
    m_export = new ExportSession(m_gallery, env, this);
    connect(m_export, &ExportSession::statusMessage, this, &MainWindow::showStatus);
    // A bar of its own: the detection and capture messages would take the status text over meanwhile.
    m_exportProgress = new QProgressBar(this);
    m_exportProgress->setObjectName(QStringLiteral("exportProgressBar"));
    m_exportProgress->setMaximumWidth(180);
    m_exportProgress->setFormat(QStringLiteral("%v / %m"));
    m_exportProgress->hide();
    statusBar()->addPermanentWidget(m_exportProgress);
    auto* cancelExport = new QToolButton(this);
    cancelExport->setObjectName(QStringLiteral("exportCancelButton"));
    cancelExport->setText(tr("Cancel"));
    cancelExport->hide();
    statusBar()->addPermanentWidget(cancelExport);
    connect(cancelExport, &QToolButton::clicked, m_export, &ExportSession::cancel);
    connect(m_export, &ExportSession::runningChanged, cancelExport, &QToolButton::setVisible);
    connect(m_export, &ExportSession::progressChanged, this, [this](int done, int total) {
        m_exportProgress->setRange(0, qMax(1, total));
        m_exportProgress->setValue(done);
    });
    connect(m_export, &ExportSession::runningChanged, this, [this](bool running) {
        m_thumbnailDock->saveAsPdfButton->setEnabled(!running);
        m_thumbnailDock->saveAsOfdButton->setEnabled(!running);
        m_exportProgress->setVisible(running);
    });
}


void MainWindow::onSelectColor()
{
    const QColor colour = QColorDialog::getColor(m_annotationDock->penColor(), this, tr("Select Pen Color"),
                                                 QColorDialog::ShowAlphaChannel);
    if (colour.isValid())
        applyPenColor(colour);
}

// ---- About ------------------------------------------------------------------------------------

std::unique_ptr<QMessageBox> MainWindow::createAboutBox()
{
    qDebug() << "Current language:" << LanguageManager::instance()->currentLanguage();
    const QString title = tr("About Lumadoc");
    qDebug() << "About Lumadoc translation:" << title;
    const QString html =
        QStringLiteral("<h2>Lumadoc v1.0</h2><p>%1</p><p><b>%2</b></p><ul><li>%3</li><li>%4</li><li>%5</li>"
                       "<li>%6</li><li>%7</li><li>%8</li><li>%9</li></ul>")
            .arg(tr("A professional camera application for high-speed document cameras."), tr("Features:"),
                 tr("Real-time video preview"), tr("Annotation tools (pen, line, rectangle, ellipse)"),
                 tr("Zoom and rotate"), tr("Barcode/QR code scanning"), tr("OCR text recognition"),
                 tr("Multi-language support"), tr("Thumbnail gallery")) +
        QStringLiteral("<p>%1 <a href=\"%2\">%2</a></p><p>%3</p>")
            .arg(tr("Contact:"), QString::fromLatin1(kHomePageUrl), tr("© 2026 Lumadoc. All rights reserved."));
    auto box = std::make_unique<QMessageBox>(this);
    box->setObjectName(QStringLiteral("aboutBox"));
    box->setWindowTitle(title);
    box->setTextFormat(Qt::RichText);
    box->setText(html);
    box->setIconPixmap(QPixmap(QStringLiteral(":/icons/camera.png")).scaled(64, 64, Qt::KeepAspectRatio,
                                                                            Qt::SmoothTransformation));
    return box;
}

void MainWindow::onAbout()
{
    const std::unique_ptr<QMessageBox> box = createAboutBox();
    m_env.execDialog(*box);
}

// ---- window events ----------------------------------------------------------------------------

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    switch (frame::keyCommand(event->key(), event->modifiers(), isScannerGunMode())) {
    case frame::KeyCommand::Capture:
        onCaptureImage();
        break;
    case frame::KeyCommand::ZoomIn:
        onZoomIn();
        break;
    case frame::KeyCommand::ZoomOut:
        onZoomOut();
        break;
    case frame::KeyCommand::ZoomReset:
        onZoomReset();
        break;
    case frame::KeyCommand::FitToView:
        onFitToView();
        break;
    case frame::KeyCommand::ScanCode:
        onScanCode();
        break;
    case frame::KeyCommand::RedoAnnotation:
        onRedoAnnotation();
        break;
    case frame::KeyCommand::UndoAnnotation:
        onUndoAnnotation();
        break;
    case frame::KeyCommand::None:
        QMainWindow::keyPressEvent(event);
        return;
    }
    event->accept();
}

void MainWindow::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (m_firstShowDone)
        return;
    m_firstShowDone = true;
    // Keys start at the preview (Space captures), not at whichever dock control came first.
    m_videoWidget->setFocus(Qt::OtherFocusReason);
    QScreen* screen = windowHandle() ? windowHandle()->screen() : QGuiApplication::primaryScreen();
    if (!screen || isMaximized() || isFullScreen())
        return;
    const QRect fitted = frame::clampIntoScreen(geometry(), screen->availableGeometry());
    if (fitted != geometry())
        setGeometry(fitted);
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    if (m_compositeHintLabel->isVisible()) {
        m_compositeHintLabel->adjustSize();
        m_compositeHintLabel->move((width() - m_compositeHintLabel->width()) / 2,
                                   height() - m_compositeHintLabel->height() - 80);
        m_compositeHintLabel->raise();
    }
    if (!isMaximized() && !isMinimized() && !isFullScreen())
        m_normalGeometry = geometry();
}

void MainWindow::changeEvent(QEvent* event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && isScannerGunMode()) {
        qInfo() << "[ScannerGun] Window activated, re-enabling scanner gun mode";
        setScannerGunFilter(true);
    } else if (event->type() == QEvent::WindowStateChange) {
        const Qt::WindowStates states = windowState();
        m_titleBar->setMaximized(states & Qt::WindowMaximized);
        const bool normal = !(states & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen));
        if (normal && m_normalGeometry.isValid())
            QTimer::singleShot(0, this, [this] { setGeometry(m_normalGeometry); });
    }
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!keepUnsavedCaptures()) {
        event->ignore();
        return;
    }
    saveSettings();
    QMainWindow::closeEvent(event);
}

void MainWindow::closeUnattended()
{
    m_closingUnattended = true;
    // A dialog left open (an OCR result, a question) runs an event loop of its own, which would keep the
    // program alive until the session kills it; nobody is there to answer it.
    while (QWidget* modal = QApplication::activeModalWidget()) {
        modal->close();
        if (QApplication::activeModalWidget() == modal)
            break;
    }
    close();
}

void MainWindow::bringToFront()
{
    qInfo() << "[MAIN] another start asked for the running window";
    if (isMinimized())
        setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    show();
    raise();
    activateWindow();
}

void MainWindow::toggleMaximized()
{
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void MainWindow::setScannerGunFilter(bool on)
{
    if (on == m_scannerFilterInstalled)
        return;
    m_scannerFilterInstalled = on;
    if (on)
        qApp->installEventFilter(this);
    else
        qApp->removeEventFilter(this);
}


