// Actions, menus, the tool bar and re-translation of the main window.

#include "MainWindow.h"

#include "AnnotationDock.h"
#include "CameraDock.h"
#include "LanguageManager.h"
#include "MainWindowActions.h"
#include "ThumbnailDock.h"
#include "TitleBar.h"

#include <QActionGroup>
#include <QDebug>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace {

QAction* makeAction(QObject* parent, const char* objectName, const char* icon)
{
    auto* a = new QAction(parent);
    a->setObjectName(QString::fromLatin1(objectName));
    a->setIcon(QIcon(QString::fromLatin1(icon)));
    return a;
}

} // namespace

void MainWindow::buildActions()
{
    m_actions = std::make_unique<Actions>();
    Actions& a = *m_actions;
    a.open = makeAction(this, "actionOpen", ":/icons/open.png");
    a.save = makeAction(this, "actionSave", ":/icons/save.png");
    a.exit = makeAction(this, "actionExit", ":/icons/exit.png");
    a.openCamera = makeAction(this, "actionOpenCamera", ":/icons/camera_open.png");
    a.closeCamera = makeAction(this, "actionCloseCamera", ":/icons/camera_close.png");
    a.capture = makeAction(this, "actionCapture", ":/icons/capture.png");
    a.rotateLeft = makeAction(this, "actionRotateLeft", ":/icons/rotate_left.png");
    a.rotateRight = makeAction(this, "actionRotateRight", ":/icons/rotate_right.png");
    a.zoomIn = makeAction(this, "actionZoomIn", ":/icons/zoom_in.png");
    a.zoomOut = makeAction(this, "actionZoomOut", ":/icons/zoom_out.png");
    a.zoomReset = makeAction(this, "actionZoomReset", ":/icons/zoom_reset.png");
    a.scanBarcode = makeAction(this, "actionScanBarcode", ":/icons/barcode.png");
    a.scanQRCode = makeAction(this, "actionScanQRCode", ":/icons/qrcode.png");
    a.ocr = makeAction(this, "actionOCR", ":/icons/ocr.png");
    a.undo = makeAction(this, "actionUndo", ":/icons/undo.png");
    a.clear = makeAction(this, "actionClear", ":/icons/clear.png");
    a.about = makeAction(this, "actionAbout", ":/icons/about.png");
    a.refreshDevices = makeAction(this, "actionRefreshDevices", ":/icons/refresh.png");
    a.autoCrop = makeAction(this, "actionAutoCrop", ":/icons/auto_crop.png");
    a.deskew = makeAction(this, "actionDeskew", ":/icons/deskew.png");
    a.toggleCrop = makeAction(this, "actionToggleCrop", ":/icons/crop_select.png");
    a.toggleCrop->setCheckable(true);
    a.applyCrop = makeAction(this, "actionApplyCrop", ":/icons/crop_apply.png");
    m_fitAction = makeAction(this, "actionFitToView", ":/icons/fit.png");
    m_settingsAction = makeAction(this, "actionSettings", ":/icons/titlebar/settings.png");
    m_cameraSettingsAction = makeAction(this, "actionCameraSettings", ":/icons/camera.png");
    m_scanCodeMenuAction = makeAction(this, "actionScanCode", ":/icons/scan.png");
}

void MainWindow::buildMenus()
{
    Actions& a = *m_actions;
    QMenuBar* bar = menuWidget()->findChild<QMenuBar*>(QStringLiteral("menuBar"));
    m_fileMenu = bar->addMenu(QString());
    m_fileMenu->setObjectName(QStringLiteral("menuFile"));
    m_fileMenu->addActions({a.open, a.save});
    m_fileMenu->addSeparator();
    m_fileMenu->addAction(a.exit);
    m_cameraMenu = bar->addMenu(QString());
    m_cameraMenu->setObjectName(QStringLiteral("menuCamera"));
    m_cameraMenu->addActions({a.openCamera, a.closeCamera, a.refreshDevices});
    m_cameraMenu->addSeparator();
    m_cameraMenu->addActions({a.capture, m_cameraSettingsAction});
    m_viewMenu = bar->addMenu(QString());
    m_viewMenu->setObjectName(QStringLiteral("menuView"));
    m_viewMenu->addActions({a.zoomIn, a.zoomOut, a.zoomReset, m_fitAction});
    m_viewMenu->addSeparator();
    m_viewMenu->addActions({a.rotateLeft, a.rotateRight});
    m_toolsMenu = bar->addMenu(QString());
    m_toolsMenu->setObjectName(QStringLiteral("menuTools"));
    m_toolsMenu->addActions({m_scanCodeMenuAction, a.ocr});
    m_toolsMenu->addSeparator();
    m_toolsMenu->addActions({a.autoCrop, a.deskew, a.toggleCrop, a.applyCrop});
    m_toolsMenu->addSeparator();
    m_toolsMenu->addActions({a.undo, a.clear});
    m_settingsMenu = bar->addMenu(QString());
    m_settingsMenu->setObjectName(QStringLiteral("menuSettings"));
    m_settingsMenu->addAction(m_settingsAction);
    m_languageMenu = bar->addMenu(QString());
    m_languageMenu->setObjectName(QStringLiteral("menuLanguage"));
    buildLanguageMenu(m_languageMenu);
    m_helpMenu = bar->addMenu(QString());
    m_helpMenu->setObjectName(QStringLiteral("menuHelp"));
    m_helpMenu->addAction(a.about);

    m_popupMenu = new QMenu(this);
    m_popupMenu->setObjectName(QStringLiteral("popupMenu"));
    m_popupViewMenu = m_popupMenu->addMenu(QString());
    m_popupViewMenu->setObjectName(QStringLiteral("popupViewMenu"));
    m_popupZoomIn = m_popupViewMenu->addAction(QString(), this, &MainWindow::onZoomIn);
    m_popupZoomOut = m_popupViewMenu->addAction(QString(), this, &MainWindow::onZoomOut);
    m_popupZoomReset = m_popupViewMenu->addAction(QString(), this, &MainWindow::onZoomReset);
    m_popupFit = m_popupViewMenu->addAction(QString(), this, &MainWindow::onFitToView);
    m_popupOcrLanguageMenu = m_popupMenu->addMenu(QString());
    m_popupOcrLanguageMenu->setObjectName(QStringLiteral("popupOcrLanguageMenu"));
    // Filled with the recognition languages once text recognition exists.
    m_popupCapturedImages = m_popupMenu->addAction(QString());
    m_popupCapturedImages->setObjectName(QStringLiteral("popupCapturedImages"));
    m_popupCapturedImages->setCheckable(true);
    m_popupCapturedImages->setChecked(true);
    connect(m_popupCapturedImages, &QAction::toggled, this, [this](bool on) { m_thumbnailDock->setVisible(on); });
    m_popupLanguageMenu = m_popupMenu->addMenu(QString());
    m_popupLanguageMenu->setObjectName(QStringLiteral("popupLanguageMenu"));
    buildLanguageMenu(m_popupLanguageMenu);
    m_popupCameraSettings = m_popupMenu->addAction(QString(), this, &MainWindow::onCameraSettings);
    m_popupCameraSettings->setObjectName(QStringLiteral("popupCameraSettings"));
    m_popupAbout = m_popupMenu->addAction(QString(), this, &MainWindow::onAbout);
    m_popupAbout->setObjectName(QStringLiteral("popupAbout"));
}

void MainWindow::buildToolBar()
{
    m_mainToolBar = addToolBar(QString());
    m_mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    m_mainToolBar->setIconSize(QSize(24, 24));
    m_mainToolBar->setMovable(false);
    for (QAction* action : m_actions->all())
        m_mainToolBar->addAction(action);
}

void MainWindow::buildLanguageMenu(QMenu* menu)
{
    auto* group = new QActionGroup(menu);
    group->setExclusive(true);
    for (const LanguageManager::Language& lang : LanguageManager::supportedLanguages()) {
        QAction* action = menu->addAction(QString());
        action->setData(lang.code);
        action->setCheckable(true);
        group->addAction(action);
        connect(action, &QAction::triggered, this, [this, code = lang.code] { onLanguageSelected(code); });
    }
}

void MainWindow::rebuildLanguageMenus()
{
    // The actions stay; only their texts and marks change. A language is chosen from inside one of these
    // actions' signals, so deleting them here would pull the action out from under its own emission.
    const QString current = LanguageManager::instance()->currentLanguage();
    const auto languages = LanguageManager::supportedLanguages();
    for (QMenu* menu : {m_languageMenu, m_popupLanguageMenu}) {
        const QList<QAction*> actions = menu->actions();
        for (int i = 0; i < actions.size() && i < languages.size(); ++i) {
            actions[i]->setText(languages[i].displayName);
            actions[i]->setChecked(languages[i].code == current);
        }
    }
}

void MainWindow::onLanguageSelected(const QString& code)
{
    LanguageManager::instance()->loadLanguage(code);
    m_settings.language = LanguageManager::instance()->currentLanguage();
    saveSettings();
}

void MainWindow::onLanguageChanged()
{
    retranslateUi();
}

void MainWindow::retranslateUi()
{
    Actions& a = *m_actions;
    a.open->setText(tr("Open"));
    a.save->setText(tr("Save"));
    a.exit->setText(tr("Exit"));
    a.openCamera->setText(tr("Open Camera"));
    a.closeCamera->setText(tr("Close Camera"));
    a.capture->setText(tr("Capture"));
    a.rotateLeft->setText(tr("Rotate Left"));
    a.rotateRight->setText(tr("Rotate Right"));
    a.zoomIn->setText(tr("Zoom In"));
    a.zoomOut->setText(tr("Zoom Out"));
    a.zoomReset->setText(tr("Zoom Reset"));
    a.scanBarcode->setText(tr("Scan Barcode"));
    a.scanQRCode->setText(tr("Scan QR Code"));
    a.ocr->setText(tr("OCR"));
    a.undo->setText(tr("Undo"));
    a.clear->setText(tr("Clear"));
    a.about->setText(tr("About"));
    a.refreshDevices->setText(tr("Refresh Devices"));
    a.autoCrop->setText(tr("Auto Crop"));
    a.deskew->setText(tr("Deskew"));
    a.toggleCrop->setText(tr("Select Crop Area"));
    a.applyCrop->setText(tr("Apply Crop"));
    m_fitAction->setText(tr("Fit to View"));
    m_settingsAction->setText(tr("Settings..."));
    m_cameraSettingsAction->setText(tr("Camera Settings"));
    m_scanCodeMenuAction->setText(tr("Scan &Barcode/QR Code"));
    for (QAction* action : a.all())
        action->setToolTip(action->text());

    m_fileMenu->setTitle(tr("&File"));
    m_cameraMenu->setTitle(tr("&Camera"));
    m_viewMenu->setTitle(tr("&View"));
    m_toolsMenu->setTitle(tr("&Tools"));
    m_settingsMenu->setTitle(tr("&Settings"));
    m_languageMenu->setTitle(tr("&Language"));
    m_helpMenu->setTitle(tr("&Help"));

    m_popupViewMenu->setTitle(tr("View"));
    m_popupZoomIn->setText(tr("Zoom In"));
    m_popupZoomOut->setText(tr("Zoom Out"));
    m_popupZoomReset->setText(tr("Zoom Reset"));
    m_popupFit->setText(tr("Fit to View"));
    m_popupOcrLanguageMenu->setTitle(tr("OCR Language"));
    if (m_ocr)
        retranslateOcrLanguageMenu();
    m_popupCapturedImages->setText(tr("Captured Images"));
    m_popupLanguageMenu->setTitle(tr("Language"));
    m_popupCameraSettings->setText(tr("Camera Settings"));
    m_popupAbout->setText(tr("About"));
    m_mainToolBar->setWindowTitle(tr("Main Toolbar"));
    m_compositeHintLabel->setText(tr("Please flip the page and capture again"));
    if (auto* cancelExport = statusBar()->findChild<QToolButton*>(QStringLiteral("exportCancelButton")))
        cancelExport->setText(tr("Cancel"));

    m_titleBar->retranslateUi();
    m_cameraDock->retranslateUi();
    m_annotationDock->retranslateUi();
    m_thumbnailDock->retranslateUi();
    rebuildLanguageMenus();
    retranslateModes();
    updateStatusBar();
}
