// The window's side of the working modes: what each mode shows and hides, the book panel's capture
// triggers, and the presenter tool bar. The order of the steps and the re-entry guard live in
// WindowModeSwitch.
#include "AnnotationDock.h"
#include "AnnotationToolbar.h"
#include "BookPanel.h"
#include "CameraDock.h"
#include "MainWindow.h"
#include "MainWindowActions.h"
#include "MainWindowCaptureParts.h"
#include "ScreenCompareDialog.h"
#include "ThumbnailDock.h"
#include "TicketPanel.h"
#include "TicketSession.h"
#include "TitleBar.h"
#include "VideoWidget.h"
#include "WindowModeSwitch.h"
#include "WindowModes.h"
#include "WindowSwitchPanel.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDebug>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace {
const QString kModeSuspension = QStringLiteral("windowMode");

bool suspendsDetection(int mode) { return mode == windowmode::Presenter || mode == windowmode::Book; }

QToolButton* presenterButton(QToolBar* bar, const char* objectName, const char* icon)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setIcon(QIcon(QString::fromLatin1(icon)));
    button->setIconSize(QSize(40, 40));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setMinimumSize(90, 80);
    bar->addWidget(button);
    return button;
}
}  // namespace

void MainWindow::buildModes()
{
    WindowModeSwitch::Steps steps;
    steps.resetAnnotations = [this](int) { resetAnnotationState(); };
    steps.tearDown = [this](int mode) { tearDownMode(mode); };
    steps.applyDetectionRule = [this](int oldMode, int newMode) { applyModeDetectionRule(oldMode, newMode); };
    steps.setUp = [this](int mode) { setUpMode(mode); };
    steps.settled = [this](int) {
        if (centralWidget() && centralWidget()->layout())
            centralWidget()->layout()->activate();
        updateGeometry();
    };
    m_modes = new WindowModeSwitch(steps, this);

    m_windowSwitchPanel = new WindowSwitchPanel(this);
    connect(m_windowSwitchPanel, &WindowSwitchPanel::modeChosen, this, &MainWindow::switchWindowMode);

    m_presenterBar = new QToolBar(this);
    m_presenterBar->setObjectName(QStringLiteral("videoDisplayToolBar"));
    m_presenterBar->setMovable(false);
    m_presenterBar->setIconSize(QSize(40, 40));
    QToolButton* scan = presenterButton(m_presenterBar, "videoDisplay_qrScan", ":/icons/qrcode.png");
    QToolButton* compare = presenterButton(m_presenterBar, "videoDisplay_compare", ":/icons/camera.png");
    QToolButton* back = presenterButton(m_presenterBar, "videoDisplay_back", ":/icons/exit.png");
    connect(scan, &QToolButton::clicked, this, &MainWindow::onScanCode);
    connect(compare, &QToolButton::clicked, this, &MainWindow::onScreenComparison);
    connect(back, &QToolButton::clicked, this, [this] { switchWindowMode(windowmode::Standard); });
    addToolBar(Qt::BottomToolBarArea, m_presenterBar);
    m_presenterBar->hide();

    m_bookTimer = new QTimer(this);
    m_bookTimer->setObjectName(QStringLiteral("bookCaptureTimer"));
    connect(m_bookTimer, &QTimer::timeout, this, &MainWindow::onBookTimerCapture);
    retranslateModes();
}

void MainWindow::retranslateModes()
{
    if (!m_presenterBar)
        return;
    const QList<QToolButton*> buttons = m_presenterBar->findChildren<QToolButton*>(QRegularExpression("^videoDisplay_"));
    for (QToolButton* button : buttons) {
        if (button->objectName() == QLatin1String("videoDisplay_qrScan"))
            button->setText(tr("QR Code Scan"));
        else if (button->objectName() == QLatin1String("videoDisplay_compare"))
            button->setText(tr("Screen Comparison"));
        else if (button->objectName() == QLatin1String("videoDisplay_back"))
            button->setText(tr("Back"));
    }
}

int MainWindow::currentMode() const { return m_modes ? m_modes->currentMode() : windowmode::Standard; }

void MainWindow::onWindowSwitch() { showWindowSwitchPanel(); }

void MainWindow::showWindowSwitchPanel() { m_windowSwitchPanel->popUp(); }

void MainWindow::switchWindowMode(int mode)
{
    if (mode == windowmode::Ai && !aiModeAvailable()) {
        qWarning() << "[WindowMode] AI collaboration requested, but this build has no embedded browser";
        showMessageBox(QMessageBox::Information, tr("AI Collaboration"),
                       tr("The AI panel is not available in this build."));
        return;
    }
    m_modes->request(mode);
}

// ---- the switching steps ----------------------------------------------------------------------

void MainWindow::resetAnnotationState()
{
    for (QAction* action : m_annotationToolbar->actions()) {
        if (!action->isCheckable())
            continue;
        const QSignalBlocker block(action);
        action->setChecked(false);
    }
    for (QToolButton* button : m_annotationToolbar->findChildren<QToolButton*>()) {
        if (!button->isCheckable())
            continue;
        const QSignalBlocker block(button);
        button->setChecked(false);
    }
    m_annotationToolbar->hide();
    m_videoWidget->setTool(0);
    {
        const QSignalBlocker block(m_actions->toggleCrop);
        m_actions->toggleCrop->setChecked(false);
    }
    m_videoWidget->setCropMode(false);
    m_videoWidget->setCropRect(QRect());
    m_videoWidget->clearAnnotations();
}

void MainWindow::tearDownMode(int mode)
{
    switch (mode) {
    case windowmode::Presenter:
        m_titleBar->show();
        m_presenterBar->hide();
        break;
    case windowmode::Book:
        if (m_bookPanel->timerCaptureCheck->isChecked())
            m_bookPanel->timerCaptureCheck->setChecked(false);  // stops the book timer
        m_bookTimer->stop();
        if (m_bookPanel->autoCaptureCheck->isChecked()) {
            // Off, and the reference frame and stable count with it, so nothing fires from a stale picture.
            m_capture->autoCapture->setEnabled(false);
            const QSignalBlocker blockBook(m_bookPanel->autoCaptureCheck);
            const QSignalBlocker blockMain(m_cameraDock->autoCaptureCheck);
            m_bookPanel->autoCaptureCheck->setChecked(false);
            m_cameraDock->autoCaptureCheck->setChecked(false);
        }
        setSidePanel(nullptr);
        m_cameraDock->takeBackCameraBoxes();
        break;
    case windowmode::Ai:
        setSidePanel(nullptr);
        leaveAiMode();
        break;
    case windowmode::Ticket:
        // The next mode's set-up arranges the window; the panel must not stay beside it.
        setSidePanel(nullptr);
        break;
    default:
        break;
    }
}

void MainWindow::applyModeDetectionRule(int oldMode, int newMode)
{
    if (suspendsDetection(newMode)) {
        // Suspended, not switched off: the stored choice is the user's and comes back afterwards.
        m_autoCrop.suspend(kModeSuspension);
        const QSignalBlocker block(m_cameraDock->autoCropCheck);
        m_cameraDock->autoCropCheck->setChecked(false);
        stopDetection();
    } else if (suspendsDetection(oldMode)) {
        m_autoCrop.resume(kModeSuspension);
        {
            const QSignalBlocker block(m_cameraDock->autoCropCheck);
            m_cameraDock->autoCropCheck->setChecked(m_autoCrop.effective());
        }
        updateDetectionTimer();
    }
}

void MainWindow::setUpMode(int mode)
{
    switch (mode) {
    case windowmode::Standard:
        removeToolBar(m_annotationToolbar);
        addToolBar(Qt::BottomToolBarArea, m_annotationToolbar);
        m_annotationToolbar->hide();
        statusBar()->show();
        statusBar()->raise();
        showDocks(true, true);
        if (m_annotationDockWasVisible) {
            m_annotationDock->show();
            tabifyDockWidget(m_cameraDock, m_annotationDock);
        }
        m_cameraDock->raise();
        break;
    case windowmode::Presenter:
        m_titleBar->hide();
        showDocks(false, false);
        m_centralRow->setStretchFactor(m_videoWidget, 1);
        m_presenterBar->show();
        break;
    case windowmode::Book:
        if (!m_bookPanel)
            wireBookPanel();
        m_bookPanel->borrowCameraBoxes(m_cameraDock->deviceCombo, m_cameraDock->resolutionCombo);
        showDocks(true, false);
        setSidePanel(m_bookPanel);
        break;
    case windowmode::Ai:
        showDocks(false, false);
        enterAiMode();
        break;
    case windowmode::Ticket:
        if (!m_ticketPanel)
            wireTicketPanel();
        showDocks(true, false);
        setSidePanel(m_ticketPanel);
        m_tickets->openDatabase(this);
        break;
    default:
        break;
    }
}

void MainWindow::setSidePanel(QWidget* panel, int stretch)
{
    if (m_sidePanel == panel)
        return;
    if (m_sidePanel) {
        m_centralRow->removeWidget(m_sidePanel);
        m_sidePanel->hide();
    }
    m_sidePanel = panel;
    if (panel) {
        m_centralRow->addWidget(panel, stretch);
        panel->show();
    }
}

void MainWindow::showDocks(bool thumbnails, bool cameraControls)
{
    if (!m_thumbnailDock) {
        qInfo() << "Thumbnail dock is null!";
    } else {
        if (thumbnails && !m_thumbnailDock->parent())
            addDockWidget(Qt::LeftDockWidgetArea, m_thumbnailDock);
        m_thumbnailDock->setVisible(thumbnails);
        if (thumbnails)
            m_thumbnailDock->raise();
        qInfo() << "Thumbnail dock visible:" << m_thumbnailDock->isVisible();
    }
    if (!m_cameraDock) {
        qInfo() << "Camera dock widget is null!";
        return;
    }
    if (!cameraControls && m_cameraDock->isVisible()) {
        // The drawing dock shares the camera dock's tab; it comes back with it in standard mode.
        m_annotationDockWasVisible = m_annotationDock->isVisible() || !m_annotationDock->isHidden();
        m_annotationDock->hide();
    }
    if (cameraControls && !m_cameraDock->parent())
        addDockWidget(Qt::RightDockWidgetArea, m_cameraDock);
    m_cameraDock->setVisible(cameraControls);
    if (cameraControls)
        m_cameraDock->raise();
    qInfo() << "Camera dock visible:" << m_cameraDock->isVisible();
}

// ---- book mode ----------------------------------------------------------------------------------

void MainWindow::wireBookPanel()
{
    m_bookPanel = new BookPanel(m_videoContainer);
    m_bookPanel->hide();
    BookPanel* b = m_bookPanel;
    CameraDock* d = m_cameraDock;
    connect(b->timerCaptureCheck, &QCheckBox::toggled, this, &MainWindow::onBookTimerCaptureToggled);
    connect(b->timerCaptureSpin, QOverload<int>::of(&QSpinBox::valueChanged), this,
            &MainWindow::onBookTimerCaptureIntervalChanged);
    connect(b->autoCaptureCheck, &QCheckBox::toggled, this, &MainWindow::onBookAutoCaptureToggled);
    connect(b->captureButton, &QPushButton::clicked, this, &MainWindow::onCaptureImage);
    // The flatten and finger switches are read at each capture.
    // Background removal is one setting shown in two places; the main panel's handlers do the work
    // and mirror it back.
    b->removeBackgroundCheck->setChecked(d->removeBackgroundCheck->isChecked());
    b->backgroundModeCombo->setCurrentIndex(d->backgroundModeCombo->currentIndex());
    b->thresholdSlider->setValue(d->thresholdSlider->value());
    b->updateBackgroundControls();
    connect(b->removeBackgroundCheck, &QCheckBox::toggled, d->removeBackgroundCheck, &QCheckBox::setChecked);
    connect(b->backgroundModeCombo, QOverload<int>::of(&QComboBox::currentIndexChanged), this, [d](int index) {
        if (index >= 0)
            d->backgroundModeCombo->setCurrentIndex(index);
    });
    connect(b->thresholdSlider, &QSlider::valueChanged, d->thresholdSlider, &QSlider::setValue);
}

void MainWindow::mirrorBackgroundControls()
{
    if (!m_bookPanel)
        return;
    BookPanel* b = m_bookPanel;
    CameraDock* d = m_cameraDock;
    const QSignalBlocker blockCheck(b->removeBackgroundCheck);
    const QSignalBlocker blockCombo(b->backgroundModeCombo);
    const QSignalBlocker blockSlider(b->thresholdSlider);
    b->removeBackgroundCheck->setChecked(d->removeBackgroundCheck->isChecked());
    if (d->backgroundModeCombo->currentIndex() >= 0)
        b->backgroundModeCombo->setCurrentIndex(d->backgroundModeCombo->currentIndex());
    b->thresholdSlider->setValue(d->thresholdSlider->value());
    b->thresholdValueLabel->setText(QString::number(d->thresholdSlider->value()));
    b->updateBackgroundControls();
}

// ---- presenter mode ------------------------------------------------------------------------------

void MainWindow::onScreenComparison()
{
    if (!m_compareDialog) {
        auto* dialog = new ScreenCompareDialog([this] { return m_videoWidget->currentFrame(); }, this);
        dialog->setObjectName(QStringLiteral("screenCompareDialog"));
        connect(dialog, &ScreenCompareDialog::closed, dialog, &QObject::deleteLater);
        m_compareDialog = dialog;
    }
    m_compareDialog->show();
    m_compareDialog->raise();
    m_compareDialog->activateWindow();
}

void MainWindow::onBookTimerCaptureToggled(bool on)
{
    m_bookPanel->timerCaptureSpin->setEnabled(on);
    if (on) {
        const int seconds = m_bookPanel->timerCaptureSpin->value();
        m_bookTimer->start(seconds * 1000);
        m_statusLabel->setText(tr("Book timer capture enabled: %1s").arg(seconds));
        // One trigger at a time: the stable-picture capture and the main timer give way.
        if (m_bookPanel->autoCaptureCheck->isChecked())
            m_bookPanel->autoCaptureCheck->setChecked(false);
        if (m_cameraDock->timerCaptureCheck->isChecked())
            m_cameraDock->timerCaptureCheck->setChecked(false);
        if (m_capture->autoCapture->isEnabled())
            m_cameraDock->autoCaptureCheck->setChecked(false);
    } else {
        m_bookTimer->stop();
        m_statusLabel->setText(tr("Book timer capture disabled"));
    }
}

void MainWindow::onBookTimerCaptureIntervalChanged(int seconds)
{
    if (!m_bookTimer->isActive())
        return;
    m_bookTimer->start(seconds * 1000);
    m_statusLabel->setText(tr("Book timer capture enabled: %1s").arg(seconds));
}

void MainWindow::onBookTimerCapture()
{
    qInfo().noquote() << "Book timer capture triggered";
    onCaptureImage();
}

void MainWindow::onBookAutoCaptureToggled(bool on)
{
    // The same stable-picture watch as the main panel's; both boxes show its state.
    m_capture->autoCapture->setEnabled(on);
    {
        const QSignalBlocker block(m_cameraDock->autoCaptureCheck);
        m_cameraDock->autoCaptureCheck->setChecked(on);
    }
    if (on) {
        m_statusLabel->setText(tr("Book auto capture enabled"));
        if (m_bookPanel->timerCaptureCheck->isChecked())
            m_bookPanel->timerCaptureCheck->setChecked(false);
        if (m_cameraDock->timerCaptureCheck->isChecked())
            m_cameraDock->timerCaptureCheck->setChecked(false);
    } else {
        m_statusLabel->setText(tr("Book auto capture disabled"));
    }
}

// ---- ticket mode --------------------------------------------------------------------------------

void MainWindow::wireTicketPanel()
{
    m_ticketPanel = new TicketPanel(m_videoContainer);
    m_ticketPanel->hide();
    TicketPanel* t = m_ticketPanel;
    connect(t->recognizeButton, &QPushButton::clicked, this, &MainWindow::onTicketRecognize);
    connect(t->readCardButton, &QPushButton::clicked, this, &MainWindow::onReadIdCardViaHardware);
    connect(t->editButton, &QPushButton::clicked, this, &MainWindow::onTicketEditResult);
    connect(t->queryButton, &QPushButton::clicked, this, &MainWindow::onTicketQueryRecords);
    connect(t->exportJsonButton, &QPushButton::clicked, this, &MainWindow::onTicketExportJson);
    connect(t->copyButton, &QPushButton::clicked, this, [this] { m_tickets->copyResult(); });
    connect(t->backButton, &QPushButton::clicked, this, [this] { switchWindowMode(windowmode::Standard); });
}
