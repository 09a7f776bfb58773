#pragma once
// The application's one main window and the hub of the program: it owns the frame (title bar, menus,
// tool bar, docks, status bar) and forwards every control to the object that does the work. Its
// slots stay short; decisions live in classes a test can drive without a window.

#include "AiSites.h"
#include "AutoCropState.h"
#include "ExportSession.h"
#include "MainSettings.h"
#include "OCRProcessor.h"

#include <QMainWindow>
#include <QColor>
#include <QPointer>
#include <QPolygon>
#include <QUrl>

#include <functional>
#include <memory>

class AnnotationDock;
class BookPanel;
class BookSession;
class QHBoxLayout;
class TicketPanel;
class TicketSession;
class WindowModeSwitch;
class WindowSwitchPanel;
class AnnotationToolbar;
class CameraController;
class CameraDock;
class CameraSession;
class DeviceMonitor;
class GalleryModel;
class ImageSaver;
struct CaptureRequest;
struct CaptureResult;
enum class TriggerKind;
class QAction;
class QCheckBox;
class QActionGroup;
class QDialog;
class QLabel;
class QMenu;
class QMessageBox;
class ISpeaker;
class TicketPrompter;
class OcrSession;
class RecordingSession;
class VoiceCommandThread;
class VoiceSession;
class QNetworkReply;
class QProgressBar;
class QSettings;
class QTimer;
class QToolBar;
class SettingsDialog;
class ThumbnailDock;
class TitleBar;
class VideoWidget;
class WatermarkDialog;
struct CameraDeviceInfo;

// What the window needs from the outside world, replaceable in tests.
struct MainWindowEnvironment
{
    std::function<std::unique_ptr<QSettings>()> openSettings; // default: the user's settings store
    QString appDir;                                           // default: the program's folder
    std::function<bool(const QUrl&)> openUrl;                 // default: the desktop's browser
    std::function<int(QDialog&)> execDialog;                  // default: QDialog::exec
    // The camera controller; default: one over the library chosen by LUMADOC_CAMERA.
    std::function<CameraController*(QObject* parent)> makeCameraController;
    bool watchDevices = true;                                 // listen to the system's camera arrivals
    // Asks where to save (title, proposed path, filter); empty when cancelled. Default: a file dialog.
    std::function<QString(const QString&, const QString&, const QString&)> askSaveFileName;
    // Asks for a file to open (title, filter); empty when cancelled. Default: a file dialog.
    std::function<QString(const QString&, const QString&)> askOpenFileName;
    // Reads a short text aloud; silent until a speech service is wired in.
    std::function<void(const QString&)> speak;
    // The writer of captures; default: an ImageSaver. Tests give one whose saves fail.
    std::function<std::unique_ptr<ImageSaver>()> makeImageSaver;
    // The read-aloud service; default: Qt's text-to-speech. Tests give a fake (or return null: silent).
    std::function<ISpeaker*(QObject* parent)> makeSpeaker;
    // The OCR call on a pool thread; default: the OCR adapter.
    std::function<QString(const QImage&)> recognizeText;
    // The GET sent for a scanned public web address; default: the window's network access manager.
    std::function<void(const QUrl&)> fetchUrl;
    // The ticket dialogs' message boxes, file chooser and modal runs; default: the desktop's.
    std::shared_ptr<TicketPrompter> ticketPrompter;
    // The OCR call of ticket recognition, on a pool thread; default: the OCR adapter.
    std::function<QList<OcrTextBlockEx>(const QImage&, const QString& languages)> recognizeBlocks;
    // The chat sites of the AI panel; empty: the public ones. Tests give local pages.
    QList<AiSite> aiSites;
    // The voice recognizer; default: Vosk over the microphone. The model folder; default: the data "model".
    std::function<VoiceCommandThread*(QObject* parent)> makeVoiceRecognizer;
    QString voiceModelDir;
};

class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    // The project's home page behind the title logo.
    static const char* const kHomePageUrl;

    explicit MainWindow(MainWindowEnvironment env = {}, QWidget* parent = nullptr);
    ~MainWindow() override;

    void loadSettings();
    void saveSettings();
    const MainSettings& settings() const { return m_settings; }
    bool isScannerGunMode() const { return m_settings.namingMethod == 3; }

    // Closes without asking anybody (the session is ending): captures that exist only in memory are
    // written into CaptureStore::rescueDirectory() and announced at the next start.
    void closeUnattended();
    // A second start of the program shows this window instead: restored, raised and active.
    void bringToFront();

    // Working modes: 0 standard, 1 presenter, 2 book, 3 AI collaboration, 4 tickets.
    void showWindowSwitchPanel();
    void switchWindowMode(int mode);
    int currentMode() const;
    // False in a build without the embedded browser.
    static bool aiModeAvailable();

    // The About box, built but not shown (onAbout shows it).
    std::unique_ptr<QMessageBox> createAboutBox();

public slots:
    void onOpenCamera();
    void onCloseCamera();
    void onCaptureImage();
    void onRefreshDevices();
    void onDeviceSelected(int index);
    void onResolutionSelected(int index);
    void onZoomIn();
    void onZoomOut();
    void onZoomReset();
    void onFitToView();
    void onScanCode();
    void onPerformOCR();
    void onRotateLeft();
    void onRotateRight();
    void onSelectColor();
    void onUndoAnnotation();
    void onRedoAnnotation();
    void onClearAnnotations();
    void onAbout();
    void onSettings();
    void updateStatusBar();

    void onOpenImage();
    void onSaveImage();
    void onToggleCrop(bool checked);
    void onApplyCrop();
    void onDeskew();
    void onAutoCropToggled(bool on);
    void onAutoCaptureToggled(bool on);
    void onTimerCaptureToggled(bool on);
    void onTimerCaptureIntervalChanged(int seconds);
    void onStartRecording();
    void onStopRecording();
    void onRecordingTimerTimeout();
    void onMattingToggled(bool on);
    void onWatermarkToggled(bool on);
    void onWatermarkSettingsClicked();
    void detectDocument();
    void setAutoCropEnabled(bool on);
    void onAutoCrop();
    void onRemoveBackground();
    void onBackgroundThresholdModeChanged(int index);
    void onBackgroundThresholdValueChanged(int value);
    void onBackgroundColorChanged(const QColor& colour);
    void onCustomColorClicked();
    void updateMattingAvailability(const CameraDeviceInfo& device);
    void clearScanResult();
    void openUrl(const QUrl& url);
    void onNetworkReplyFinished(QNetworkReply* reply);
    void onCompositeToggled(bool on);
    void onCaptureImageWithBarcode(const QString& barcode);
    void onClearGallery();
    void onSaveAsPdf();
    void onSaveAsOfd();
    void onCameraSettings();
    void onWindowSwitch();
    void onBookTimerCaptureToggled(bool on);
    void onBookTimerCaptureIntervalChanged(int seconds);
    void onBookTimerCapture();
    void onBookAutoCaptureToggled(bool on);
    void onScreenComparison();
    void onOpenImageForFlatten();
    void onTicketRecognize();
    void onReadIdCardViaHardware();
    void onTicketEditResult();
    void onTicketExportJson();
    void onTicketQueryRecords();
    void onVoiceToggled(bool on);
    void onToolChanged(int tool);
    void onEraserSizeChanged(int size);
    void onPenWidthChanged(int width);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildFrame();
    void buildActions();
    void buildMenus();
    void buildToolBar();
    void buildDocks();
    void buildStatusBar();
    void wireControls();
    void retranslateUi();
    void buildLanguageMenu(QMenu* menu);
    void rebuildLanguageMenus();
    void onLanguageSelected(const QString& code);
    void onLanguageChanged();
    void showStatus(const QString& text, int durationMs);
    // Controls whose work arrives later say so instead of pretending.
    void reportNotAvailable(const QString& feature);
    // A message box shown through the environment, so tests answer it.
    void showMessageBox(int icon, const QString& title, const QString& text);
    // With a choice of buttons (QMessageBox::StandardButtons); returns the one chosen.
    int showMessageBox(int icon, const QString& title, const QString& text, int buttons);

    // Camera (MainWindowCamera.cpp).
    void buildCamera();
    void startCamera();
    void onCameraDeviceOpened(bool success);
    void onPreviewStarted(bool success);
    void onPreviewStopped();
    void onCameraError(const QString& error);
    void onVideoFrame(const QImage& frame);

    // Capture (MainWindowCapture.cpp).
    void buildCapture();
    void applyCaptureSettings();
    CaptureRequest captureRequest(TriggerKind trigger) const;
    void runCapture(TriggerKind trigger);
    // False when the capture ends here (blocked, or held as the first of two shots).
    bool presentCaptureResult(const CaptureResult& result);
    QString nextFileName(const QImage& image);
    // With a capture result that asks for flattening, the new item is handed to the book run.
    void storeCapture(const QImage& image, const QString& fileName, bool barcodeVariant,
                      const CaptureResult* result = nullptr, const CaptureRequest* request = nullptr);
    // A double-page capture adds nothing now: its pages arrive when the run ends. True when started.
    bool startDoublePageRun(const CaptureResult& result, const CaptureRequest& request);
    void updateUnsavedLabel();
    // Before closing: false when the user chose to stay, or captures could not be saved.
    bool keepUnsavedCaptures();
    void announceRescuedCaptures();
    void openPreviewDialog(const QImage& image);
    void onVideoFrameForCapture(const QImage& frame);

    // OCR and read-aloud (MainWindowOcr.cpp).
    void buildOcr();
    void retranslateOcrLanguageMenu();

    // Scanning (MainWindowScan.cpp).
    void buildScan();

    // Gallery export.
    void buildExport();
    ExportSession::Naming exportNaming() const;

    // Picture steps (MainWindowImaging.cpp).
    void buildImaging();
    bool isPreviewing() const;
    // Runs the detection timer exactly while cropping is in effect and the camera previews.
    void updateDetectionTimer();
    void stopDetection();
    void showDetectionStatus(const QString& text);
    void ensureWatermarkDialog();

    // Tickets (MainWindowTickets.cpp).
    void buildTickets();

    // Recording (MainWindowRecording.cpp).
    void buildRecording();
    void onRecordButtonClicked();

    // Voice commands (MainWindowVoice.cpp).
    void buildVoice();

    // Book flattening (MainWindowBook.cpp).
    void buildBook();
    QImage bookBackgroundRemoval(const QImage& image) const;

    // Working modes (MainWindowModes.cpp).
    void buildModes();
    void resetAnnotationState();
    void tearDownMode(int mode);
    void applyModeDetectionRule(int oldMode, int newMode);
    void setUpMode(int mode);
    void setSidePanel(QWidget* panel, int stretch = 0);
    void showDocks(bool thumbnails, bool cameraControls);
    void retranslateModes();
    void wireBookPanel();
    void mirrorBackgroundControls();
    void wireTicketPanel();
    // AI collaboration (MainWindowAi.cpp).
    void enterAiMode();
    void leaveAiMode();
    void onExerciseAutoCropToggled(bool on);
    // Detection as it should run now: the exercise panel of the AI mode may override the user's choice
    // while that mode is shown, without touching it.
    bool detectionWanted() const;

    // Preview (MainWindowPreview.cpp).
    void wirePreview();
    void onPreviewGlFailed(const QString& reason);
    void onImageDragged(const QImage& image);
    void applyPenColor(const QColor& colour);
    void toggleMaximized();
    void applySettingsToFrame();
    MainSettings collectSettings() const;
    void setScannerGunFilter(bool on);
    bool eventFilter(QObject* watched, QEvent* event) override;

    MainWindowEnvironment m_env;
    MainSettings m_settings;
    AutoCropState m_autoCrop;

    TitleBar* m_titleBar = nullptr;
    VideoWidget* m_videoWidget = nullptr;
    QWidget* m_videoContainer = nullptr;
    QHBoxLayout* m_centralRow = nullptr;  // the preview and the side panel of the current mode
    CameraDock* m_cameraDock = nullptr;
    AnnotationDock* m_annotationDock = nullptr;
    AnnotationToolbar* m_annotationToolbar = nullptr;
    ThumbnailDock* m_thumbnailDock = nullptr;
    GalleryModel* m_gallery = nullptr;

    struct CaptureParts;
    std::unique_ptr<CaptureParts> m_capture;
    struct ScanParts;
    std::unique_ptr<ScanParts> m_scan;
    QPolygon m_documentQuad;  // the document outline on the live picture; found by detection
    QTimer* m_detectionTimer = nullptr;
    QString m_lastDetectionStatus;
    WatermarkDialog* m_watermarkDialog = nullptr;
    ExportSession* m_export = nullptr;
    OcrSession* m_ocr = nullptr;
    RecordingSession* m_recording = nullptr;
    ISpeaker* m_speaker = nullptr;
    VoiceSession* m_voice = nullptr;
    QProgressBar* m_exportProgress = nullptr;
    QColor m_mattingBackground = Qt::white;
    QToolBar* m_mainToolBar = nullptr;
    QLabel* m_statusLabel = nullptr;
    QLabel* m_zoomLabel = nullptr;
    QLabel* m_unsavedLabel = nullptr;
    QLabel* m_compositeHintLabel = nullptr;
    QTimer* m_statusTimer = nullptr;

    CameraController* m_cameraController = nullptr;
    CameraSession* m_cameraSession = nullptr;
    DeviceMonitor* m_deviceMonitor = nullptr;

    QMenu* m_popupMenu = nullptr;
    QMenu* m_popupViewMenu = nullptr;
    QMenu* m_popupOcrLanguageMenu = nullptr;
    QMenu* m_popupLanguageMenu = nullptr;
    QAction* m_popupCapturedImages = nullptr;
    QAction* m_popupCameraSettings = nullptr;
    QAction* m_popupAbout = nullptr;
    QAction* m_popupZoomIn = nullptr;
    QAction* m_popupZoomOut = nullptr;
    QAction* m_popupZoomReset = nullptr;
    QAction* m_popupFit = nullptr;
    QMenu* m_fileMenu = nullptr;
    QMenu* m_cameraMenu = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_toolsMenu = nullptr;
    QMenu* m_settingsMenu = nullptr;
    QMenu* m_languageMenu = nullptr;
    QMenu* m_helpMenu = nullptr;
    QAction* m_scanCodeMenuAction = nullptr;
    QAction* m_settingsAction = nullptr;
    QAction* m_cameraSettingsAction = nullptr;
    QAction* m_fitAction = nullptr;

    struct Actions;
    std::unique_ptr<Actions> m_actions;

    WindowModeSwitch* m_modes = nullptr;
    WindowSwitchPanel* m_windowSwitchPanel = nullptr;
    BookPanel* m_bookPanel = nullptr;
    BookSession* m_book = nullptr;
    TicketPanel* m_ticketPanel = nullptr;
    TicketSession* m_tickets = nullptr;
    QToolBar* m_presenterBar = nullptr;
    QWidget* m_sidePanel = nullptr;
    QWidget* m_aiPanel = nullptr;  // built on the first visit of the AI mode, kept until exit
    QPointer<QDialog> m_compareDialog;
    QTimer* m_bookTimer = nullptr;
    int m_exerciseAutoCrop = -1;  // the AI mode's own detection switch: -1 none, 0 off, 1 on
    bool m_annotationDockWasVisible = false;

    QRect m_normalGeometry;
    bool m_firstShowDone = false;
    bool m_scannerFilterInstalled = false;
    bool m_closingUnattended = false;
};
