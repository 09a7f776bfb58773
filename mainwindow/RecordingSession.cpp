#include "RecordingSession.h"

#include "CameraController.h"
#include "CameraSession.h"

#include <QApplication>
#include <QClipboard>
#include <QDebug>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QThreadPool>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent>

#include <exception>

namespace {

const char* const kIndicatorStyle = "color:#E53935; font-weight:bold; padding-right:8px;";

class ControllerRecordingCamera : public RecordingCamera
{
public:
    ControllerRecordingCamera(CameraController* controller, CameraSession* session)
        : m_controller(controller), m_session(session)
    {
    }
    bool isRecording() override { return m_controller->isRecording(); }
    bool startRecording(const QString& filePath) override { return m_controller->startRecording(filePath); }
    bool stopRecording() override { return m_controller->stopRecording(); }
    bool isPreviewing() override { return m_controller->isPreviewing(); }
    bool startPreview() override { return m_controller->startPreview(); }
    void stopPreview() override { m_controller->stopPreview(); }
    void closeDevice() override { m_controller->closeDevice(); }
    bool reopenDevice() override
    {
        if (!m_session || m_session->recordedDevice().path.isEmpty())
            return false;
        return m_controller->openDevice(m_session->recordedDevice(), m_session->recordedSize(),
                                        m_session->recordedFps());
    }
    QSize currentSize() override { return m_controller->currentResolution(); }

private:
    CameraController* m_controller;
    QPointer<CameraSession> m_session;
};

QPixmap checkMark()
{
    QPixmap pixmap(64, 64);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 167, 69));
    painter.drawEllipse(QRectF(0, 0, 64, 64));
    QPen pen(Qt::white, 6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const QPointF points[] = {{17, 34}, {28, 45}, {47, 22}};
    painter.drawPolyline(points, 3);
    return pixmap;
}

} // namespace

std::unique_ptr<RecordingCamera> makeControllerRecordingCamera(CameraController* controller,
                                                               CameraSession* cameraSession)
{
    return std::make_unique<ControllerRecordingCamera>(controller, cameraSession);
}

RecordingSession::RecordingSession(std::unique_ptr<RecordingCamera> camera, Environment env, QObject* parent)
    : QObject(parent), m_camera(std::move(camera)), m_env(std::move(env))
{
    if (!m_env.execDialog)
        m_env.execDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (!m_env.openUrl)
        m_env.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    if (!m_env.now)
        m_env.now = [] { return QDateTime::currentDateTime(); };
    if (m_env.homePath.isEmpty())
        m_env.homePath = QDir::homePath();
    m_recordingTimer = new QTimer(this);
    m_recordingTimer->setInterval(kTimerIntervalMs);
    connect(m_recordingTimer, &QTimer::timeout, this, &RecordingSession::onRecordingTimerTimeout);
}

RecordingSession::~RecordingSession()
{
    if (m_stopFuture.isRunning()) {
        qWarning().noquote() << "[Rec] waiting for the recording stop to finish before closing";
        m_stopFuture.waitForFinished();
    }
}

bool RecordingSession::isStopping() const
{
    return m_stopWatcher && !m_stopWatcher->isFinished();
}

QString RecordingSession::recordingDirectory(const QString& savePath, const QString& homePath)
{
    const QString base = savePath.isEmpty() ? homePath + QStringLiteral("/Pictures/Lumadoc") : savePath;
    return base + QStringLiteral("/video");
}

QString RecordingSession::recordingFileName(const QDateTime& localTime)
{
    return QStringLiteral("REC_%1.mp4").arg(localTime.toString(QStringLiteral("yyyyMMdd_hhmmss_zzz")));
}

void RecordingSession::onStartRecording()
{
    qInfo().noquote() << "[Rec] onStartRecording() CALLED";
    if (m_isRecording)
        return;
    // The camera layer must not be handed a second recording while the first one's file is still
    // being finished on the pool thread: the start button comes back after the watchdog, the
    // recorder may not.
    if (isStopping()) {
        qWarning().noquote() << "[Rec] start refused: the previous recording is still being finalised";
        emit statusMessage(tr("The previous recording is still being saved, please wait"), 3000);
        return;
    }
    m_isRecording = true;
    m_recordingSeconds = 0;
    m_recordingTimer->start();

    const QString dir = recordingDirectory(m_savePath, m_env.homePath);
    if (!QFileInfo(dir).isDir()) {
        const bool made = QDir().mkpath(dir);
        qInfo().noquote() << "[Rec] Recording dir not exist, mkpath(" << dir << ") ->"
                          << (made ? "OK" : "FAILED");
    } else {
        qInfo().noquote() << "[Rec] Recording dir:" << dir;
    }
    m_recordingFile = QDir(dir).absoluteFilePath(recordingFileName(m_env.now()));
    qInfo().noquote() << "[Rec] Output file:" << m_recordingFile;

    if (!m_camera) {
        qWarning().noquote() << "[Rec] CameraController is NULL!";
        emit statusMessage(tr("Camera controller unavailable"), 3000);
        m_isRecording = false;
        m_recordingTimer->stop();
        return;
    }
    qInfo().noquote() << "[Rec] CameraController: isRecording=" << m_camera->isRecording();
    bool started = false;
    try {
        started = m_camera->startRecording(m_recordingFile);
    } catch (const std::exception& e) {
        qCritical().noquote() << "[Rec] startRecording() EXCEPTION:" << e.what();
    } catch (...) {
        qCritical().noquote() << "[Rec] startRecording() UNKNOWN EXCEPTION";
    }
    qInfo().noquote() << "[Rec] startRecording() returned:" << (started ? "true" : "false");

    if (!started) {
        qWarning().noquote() << "[Rec] startRecording() FAILED, rolling back state";
        m_isRecording = false;
        m_recordingTimer->stop();
        emit indicatorChanged(QString(), QString());
        emit statusMessage(tr("Failed to start recording (check logs)"), 3000);
        return;
    }
    emit recordingChanged(true);
    emit controlsChanged(false, true);
    emit captureTriggersOff();
    emit indicatorChanged(QStringLiteral("● %1s").arg(0), QString::fromLatin1(kIndicatorStyle));
    const QSize size = m_camera->currentSize();
    if (qint64(size.width()) * qMax(size.height(), 1) <= kLowLatencyMaxPixels)
        emit lowLatencyChanged(true);
    qInfo().noquote() << "[Rec] Recording started:" << m_recordingFile;
}

void RecordingSession::onRecordingTimerTimeout()
{
    ++m_recordingSeconds;
    emit indicatorChanged(QStringLiteral("● %1s").arg(m_recordingSeconds),
                          QString::fromLatin1(kIndicatorStyle));
}

void RecordingSession::onCameraLost()
{
    if (!m_isRecording)
        return;
    qWarning().noquote() << "[Rec] camera lost while recording, finishing the file";
    m_cameraLost = true;
    onStopRecording();
}

void RecordingSession::onStopRecording()
{
    qInfo().noquote() << "[Rec] onStopRecording() CALLED, current duration:" << m_recordingSeconds << "s";
    if (!m_isRecording) {
        qInfo().noquote() << "[Rec] not currently recording, ignore";
        return;
    }
    m_isRecording = false;
    m_recordingTimer->stop();
    emit indicatorChanged(QString(), QString());
    emit lowLatencyChanged(false);
    emit recordingChanged(false);
    emit controlsChanged(false, false);
    // No more frames into a recorder that is being torn down.
    m_camera->stopPreview();

    auto* watcher = new QFutureWatcher<bool>(this);
    m_stopWatcher = watcher;
    const QString filePath = m_recordingFile;
    connect(watcher, &QFutureWatcher<bool>::finished, this, [this, watcher, filePath] {
        onStopFinished(filePath, watcher->result());
        if (m_stopWatcher == watcher)
            m_stopWatcher.clear();
        watcher->deleteLater();
    });

    QPointer<QFutureWatcher<bool>> guard = watcher;
    QTimer::singleShot(m_env.watchdogMs, this, [this, guard, filePath] {
        if (!guard || guard->isFinished())
            return;
        qCritical().noquote()
            << "[Rec] stopRecording() TIMEOUT (15s) —— MediaCapture SDK 疑似死锁，强制恢复 UI";
        emit statusMessage(tr("Recording stop timed out (device not responding)"), 3000);
        const QFileInfo file(filePath);
        qInfo().noquote() << "[Rec][watchdog] output file exists=" << file.exists()
                          << " size=" << (file.exists() ? file.size() : -1) << " path=" << filePath;
        emit controlsChanged(true, false);
    });

    qInfo().noquote()
        << "[Rec] invoking stopRecording on worker thread (preview stopped on main thread first)...";
    RecordingCamera* camera = m_camera.get();
    m_stopFuture = QtConcurrent::run(QThreadPool::globalInstance(), [camera] {
        qInfo().noquote() << "[Rec][worker] stopRecording()...";
        bool ok = false;
        try {
            ok = camera->stopRecording();
        } catch (const std::exception& e) {
            qCritical().noquote() << "[Rec] stopRecording EXCEPTION:" << e.what();
        } catch (...) {
            qCritical().noquote() << "[Rec] stopRecording UNKNOWN EXCEPTION";
        }
        qInfo().noquote() << "[Rec][worker] stopRecording() returned:" << (ok ? "true" : "false");
        return ok;
    });
    watcher->setFuture(m_stopFuture);
}

void RecordingSession::onStopFinished(const QString& filePath, bool stopResult)
{
    qInfo().noquote() << "[Rec] stopRecording() returned:" << (stopResult ? "true" : "false");
    const QFileInfo file(filePath);
    const qint64 size = file.exists() ? file.size() : -1;
    qInfo().noquote() << "[Rec] output file exists=" << file.exists() << " size=" << size
                      << " path=" << filePath;

    if (m_cameraLost) {
        // The camera is gone; the hot-plug handling brings the picture back when it returns.
        m_cameraLost = false;
        qInfo().noquote() << "[Rec] camera was lost, preview not restarted";
    } else {
        restartPreview();
    }
    emit previewOpeningChanged(false);

    // A file the recorder could not finish is not a saved recording, whatever its size.
    const bool saved = stopResult && size >= 1;
    if (!saved) {
        emit statusMessage(tr("Failed to stop recording / no file produced (check logs)"), 3000);
        qWarning().noquote() << "[Rec] Failed to stop recording or output file missing";
    } else {
        emit statusMessage(tr("Recording saved, duration: %1s").arg(m_recordingSeconds), 3000);
        qInfo().noquote() << "[Rec] Recording stopped OK, duration:" << m_recordingSeconds
                          << "s, size=" << size;
        showCompletionDialog(filePath);
    }
    emit controlsChanged(!m_isRecording, m_isRecording);
    emit stopCompleted(saved);
}

void RecordingSession::restartPreview()
{
    bool previewing = m_camera->startPreview();
    qInfo().noquote() << "[Rec] after stop -> startPreview()=" << previewing
                      << " isPreviewing=" << m_camera->isPreviewing();
    if (!previewing) {
        qWarning().noquote() << "[Rec] startPreview failed after stop, re-open device to recover";
        m_camera->closeDevice();
        const bool opened = m_camera->reopenDevice();
        if (opened)
            previewing = m_camera->startPreview();
        qInfo().noquote() << "[Rec] fallback re-open: openDevice=" << opened << " startPreview=" << previewing
                          << " isPreviewing=" << m_camera->isPreviewing();
    }
    qInfo().noquote() << "[Rec] final isPreviewing=" << m_camera->isPreviewing();
}

std::unique_ptr<QDialog> RecordingSession::buildCompletionDialog(const QString& filePath, QWidget* parent)
{
    auto dialog = std::make_unique<QDialog>(parent);
    dialog->setObjectName(QStringLiteral("recordingCompleteDialog"));
    dialog->setWindowTitle(tr("Recording Complete"));
    dialog->setMinimumWidth(520);
    dialog->setModal(true);
    dialog->setStyleSheet(QStringLiteral("QDialog { background-color: #2b2b2b; }"));

    auto* outer = new QVBoxLayout(dialog.get());
    outer->setContentsMargins(20, 20, 20, 16);
    outer->setSpacing(14);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(dialog.get());
    icon->setFixedSize(72, 72);
    icon->setAlignment(Qt::AlignCenter);
    icon->setPixmap(checkMark());
    row->addWidget(icon, 0, Qt::AlignTop);

    auto* texts = new QVBoxLayout;
    auto* title = new QLabel(tr("Recording saved successfully."), dialog.get());
    title->setStyleSheet(QStringLiteral("font-size: 14px; font-weight: 600; padding-top: 2px;"));
    texts->addWidget(title);
    texts->addSpacing(4);
    auto* savedTo = new QLabel(tr("Saved to:"), dialog.get());
    savedTo->setStyleSheet(QStringLiteral("font-size: 12px; padding-top: 4px;"));
    texts->addWidget(savedTo);
    auto* pathRow = new QHBoxLayout;
    auto* pathEdit = new QLineEdit(filePath, dialog.get());
    pathEdit->setObjectName(QStringLiteral("recordingPathEdit"));
    pathEdit->setReadOnly(true);
    pathEdit->setCursorPosition(0);
    pathEdit->setStyleSheet(QStringLiteral("QLineEdit {  font-family: Consolas, 'Courier New', monospace;  "
                                           "font-size: 12px;  padding: 7px 10px;  border-radius: 4px;}"));
    pathRow->addWidget(pathEdit, 1);
    auto* copy = new QPushButton(tr("Copy"), dialog.get());
    copy->setObjectName(QStringLiteral("copyPathButton"));
    copy->setCursor(Qt::PointingHandCursor);
    copy->setFixedHeight(pathEdit->sizeHint().height() + 4);
    QObject::connect(copy, &QPushButton::clicked, dialog.get(),
                     [filePath] { QApplication::clipboard()->setText(filePath); });
    pathRow->addWidget(copy);
    texts->addLayout(pathRow);
    row->addLayout(texts, 1);
    outer->addLayout(row);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    auto* openFolder = new QPushButton(tr("Open Folder"), dialog.get());
    openFolder->setObjectName(QStringLiteral("openFolderButton"));
    openFolder->setMinimumWidth(110);
    auto* ok = new QPushButton(tr("OK"), dialog.get());
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setMinimumWidth(110);
    ok->setDefault(true);
    buttons->addWidget(openFolder);
    buttons->addWidget(ok);
    outer->addLayout(buttons);
    QDialog* raw = dialog.get();
    QObject::connect(openFolder, &QPushButton::clicked, raw, [raw] { raw->done(kOpenFolderResult); });
    QObject::connect(ok, &QPushButton::clicked, raw, &QDialog::accept);
    return dialog;
}

void RecordingSession::showCompletionDialog(const QString& filePath)
{
    std::unique_ptr<QDialog> dialog = buildCompletionDialog(filePath, m_env.dialogParent);
    // The folder opens after the dialog has closed, so the file manager is not hidden behind it.
    if (m_env.execDialog(*dialog) == kOpenFolderResult)
        m_env.openUrl(QUrl::fromLocalFile(QFileInfo(filePath).absolutePath()));
}
