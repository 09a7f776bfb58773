#include "MediaCaptureWrapper.h"

#include "ICameraControls.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QMetaObject>

#include <algorithm>
#include <cstring>
#include <exception>
#include <map>

namespace {

// The camera's still-only 13-megapixel mode: the library lists it but the preview cannot stream it.
constexpr int kHiddenWidth = 4168;
constexpr int kHiddenHeight = 3126;
constexpr qint64 kDiagRawLimitBytes = 2097152;

// Process-wide, like the library thread that feeds them: which sizes have already left their
// diagnostics, and how many frames have passed.
std::mutex g_diagMutex;
QString g_diagDirectory;
QSize g_lastDumpedSize;   // the raw dump
QSize g_lastImagedSize;   // the PNG snapshots
std::atomic<quint64> g_frameCounter{0};

QString fromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), int(text.size())); }

QString hexHead(const uint8_t* rgb, int width, int height)
{
    // Never more rows or bytes than the frame has: a one-row frame dumps one row.
    const qint64 rowBytes = qint64(width) * 3;
    const int rows = std::min(height, 3);
    const int perRow = int(std::min<qint64>(rowBytes, 16));
    QString dump;
    for (int r = 0; r < rows; ++r) {
        dump += QStringLiteral("row%1:").arg(r);
        const uint8_t* row = rgb + r * rowBytes;
        for (int i = 0; i < perRow; ++i)
            dump += QStringLiteral("%1 ").arg(row[i], 2, 16, QLatin1Char('0'));
        dump += QStringLiteral(" | ");
    }
    return dump;
}

// Claims the diagnostics of a new size: true once per size change for the given memory.
bool claimNewSize(QSize& lastSeen, const QSize& size, QString& directory)
{
    std::lock_guard<std::mutex> lock(g_diagMutex);
    if (lastSeen == size)
        return false;
    lastSeen = size;
    directory = g_diagDirectory;
    return true;
}

void writeRawDump(const QString& directory, const uint8_t* rgb, int width, int height)
{
    const qint64 count = std::min(qint64(width) * 3 * height, kDiagRawLimitBytes);
    const QString fileName = QStringLiteral("%1x%2").arg(width).arg(height) + QStringLiteral(".bin");
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return;
    QFile file(QDir(directory).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(rgb), count) != count) {
        qWarning().noquote() << "[FrameCb-Diag] could not write" << file.fileName() << file.errorString();
        return;
    }
    qDebug().noquote() << "[FrameCb-Diag] saved" << fileName << "size=" << count;
}

void writeImageSnapshots(const QString& directory, const QImage& image, const uint8_t* rgb, int width, int height)
{
    if (directory.isEmpty() || !QDir().mkpath(directory))
        return;
    const QDir dir(directory);
    const QString rgbPath = dir.filePath(
        QStringLiteral("full_%1x%2_rgb888_s%3.png").arg(width).arg(height).arg(width * 3));
    if (image.save(rgbPath, "PNG", 95))
        qDebug().noquote() << "[Diag-Full] saved" << rgbPath;
    else
        qWarning().noquote() << "[Diag-Full] save failed" << rgbPath;

    // The same bytes read as one byte per pixel: a stride error shows up as a shear in this picture.
    QImage grey(width, height, QImage::Format_Grayscale8);
    if (grey.isNull())
        return;
    for (int r = 0; r < height; ++r)
        std::memcpy(grey.scanLine(r), rgb + qint64(r) * width, size_t(width));
    const QString greyPath = dir.filePath(
        QStringLiteral("full_%1x%2_gray8_s%3.png").arg(width).arg(height).arg(width));
    if (grey.save(greyPath, "PNG", 95))
        qDebug().noquote() << "[Diag-Full] saved" << greyPath;
}

}  // namespace

void registerCameraMetaTypes()
{
    static const bool registered = [] {
        qRegisterMetaType<CameraResolution>("CameraResolution");
        qRegisterMetaType<CameraDeviceInfo>("CameraDeviceInfo");
        qRegisterMetaType<QList<CameraDeviceInfo>>("QList<CameraDeviceInfo>");
        return true;
    }();
    Q_UNUSED(registered);
}

MediaCaptureWrapper::MediaCaptureWrapper(QObject* parent, LibraryFactory factory, RecordingFactory recording)
    : QObject(parent), m_factory(std::move(factory)), m_recording(std::move(recording))
{
    registerCameraMetaTypes();
    if (!m_factory)
        m_factory = [] { return MediaCapture::MediaCapturePtr(MediaCapture::CreateMediaCapture()); };
}

MediaCaptureWrapper::~MediaCaptureWrapper()
{
    stopCapture();
    closeDevice();
    stopMicrophone();
    if (auto recorder = detachRecorder())
        recorder->stop();
    m_capture.reset();
}

void MediaCaptureWrapper::setDiagDirectory(const QString& directory)
{
    std::lock_guard<std::mutex> lock(g_diagMutex);
    g_diagDirectory = directory;
}

QString MediaCaptureWrapper::diagDirectory()
{
    std::lock_guard<std::mutex> lock(g_diagMutex);
    return g_diagDirectory;
}

void MediaCaptureWrapper::resetFrameDiagnostics()
{
    std::lock_guard<std::mutex> lock(g_diagMutex);
    g_lastDumpedSize = QSize();
    g_lastImagedSize = QSize();
    g_frameCounter = 0;
}

bool MediaCaptureWrapper::initialize()
{
    if (m_initialized)
        return true;
    try {
        m_capture = m_factory();
    } catch (const std::exception& e) {
        qWarning().noquote() << "Failed to initialize MediaCapture:" << e.what();
        emit errorOccurred(tr("初始化失败: %1").arg(QString::fromLocal8Bit(e.what())));
        return false;
    }
    if (!m_capture)
        return false;
    m_initialized = true;
    qInfo().noquote() << "MediaCapture initialized successfully";
    return true;
}

QList<CameraResolution> MediaCaptureWrapper::groupFormats(const std::vector<MediaCapture::VideoFormat>& formats)
{
    std::map<std::pair<int, int>, CameraResolution> groups;  // ordered by width, then height
    for (const auto& format : formats) {
        if (format.width == kHiddenWidth && format.height == kHiddenHeight)
            continue;
        auto& group = groups[{format.width, format.height}];
        group.width = format.width;
        group.height = format.height;
        group.frameRates.append(format.fps);
    }
    QList<CameraResolution> resolutions;
    for (auto& entry : groups)
        resolutions.append(entry.second);
    return resolutions;
}

CameraDeviceInfo MediaCaptureWrapper::toDeviceInfo(const MediaCapture::DeviceRecord& record)
{
    CameraDeviceInfo info;
    info.name = fromUtf8(record.deviceName);
    info.vid = fromUtf8(record.vendorId);
    info.pid = fromUtf8(record.productId);
    info.detail = fromUtf8(record.description);
    info.path = fromUtf8(record.devicePath);
    info.resolutions = groupFormats(record.formats);
    return info;
}

QList<CameraDeviceInfo> MediaCaptureWrapper::enumerateDevices()
{
    m_devices.clear();
    qDebug().noquote() << "MediaCaptureWrapper::enumerateDevices()";
    if (!initialize())
        return {};
    if (!m_capture) {
        qWarning().noquote() << "MediaCapture instance is null";
        emit errorOccurred(tr("MediaCapture实例为空"));
        return {};
    }
    QList<CameraDeviceInfo> devices;
    try {
        const auto records = m_capture->enumDevices();
        qDebug().noquote() << "找到 " << records.size() << "个视频设备";
        for (const auto& record : records) {
            qDebug().noquote() << "dev.deviceName = " << fromUtf8(record.deviceName);
            devices.append(toDeviceInfo(record));
        }
    } catch (const std::exception& e) {
        qWarning().noquote() << "Failed to enumerate devices:" << e.what();
        emit errorOccurred(tr("枚举设备失败: %1").arg(QString::fromLocal8Bit(e.what())));
        m_devices = devices;
        return devices;
    }
    m_devices = devices;
    emit devicesUpdated(devices);
    return devices;
}

bool MediaCaptureWrapper::openDevice(const QString& devicePath, const QSize& size, int fps)
{
    if (!initialize())
        return false;
    if (!m_capture) {
        qWarning().noquote() << "MediaCapture instance is null";
        emit errorOccurred(tr("MediaCapture实例为空"));
        return false;
    }
    if (m_opened)
        closeDevice();
    try {
        const QByteArray path = devicePath.toUtf8();
        if (!m_capture->openDevice(path.toStdString(), {size.width(), size.height(), fps})) {
            emit deviceOpened(false);
            return false;
        }
    } catch (const std::exception& e) {
        qWarning().noquote() << "Failed to open device:" << e.what();
        emit errorOccurred(tr("打开设备失败: %1").arg(QString::fromLocal8Bit(e.what())));
        emit deviceOpened(false);
        return false;
    }
    m_opened = true;
    m_devicePath = devicePath;
    m_size = size;
    m_fps = fps;
    qInfo().noquote() << "Device opened successfully:" << devicePath;
    emit deviceOpened(true);
    return true;
}

void MediaCaptureWrapper::closeDevice()
{
    if (m_capturing)
        stopCapture();
    if (!m_opened || !m_capture)
        return;
    try {
        m_capture->closeDevice();
        m_opened = false;
        m_devicePath.clear();
        qInfo().noquote() << "Device closed";
    } catch (const std::exception& e) {
        qWarning().noquote() << "Failed to close device:" << e.what();
    }
}

bool MediaCaptureWrapper::startCapture()
{
    if (!m_opened || !m_capture) {
        emit errorOccurred(tr("设备未打开或MediaCapture实例为空"));
        return false;
    }
    if (m_capturing)
        return true;
    try {
        auto onFrame = [this](const uint8_t* rgb, int width, int height, int64_t timestampUs) {
            this->onFrame(rgb, width, height, timestampUs);
        };
        if (!m_capture->startVideoCapture(onFrame, MediaCapture::EventCallback())) {
            qWarning().noquote() << "[Cap] startVideoCapture FAILED (returned false) — SDK refused (re)start capture"
                                 << "(m_capturing was=" << m_capturing << ")";
            emit captureStarted(false);
            return false;
        }
    } catch (const std::exception& e) {
        qWarning().noquote() << "Failed to start capture:" << e.what();
        emit errorOccurred(tr("开始捕获失败: %1").arg(QString::fromLocal8Bit(e.what())));
        emit captureStarted(false);
        return false;
    }
    m_capturing = true;
    qInfo().noquote() << "Capture started";
    emit captureStarted(true);
    return true;
}

void MediaCaptureWrapper::stopCapture()
{
    if (!m_capturing || !m_capture)
        return;
    try {
        m_capture->stopVideoCapture();
    } catch (const std::exception& e) {
        qWarning().noquote() << "Failed to stop capture:" << e.what();
        return;
    }
    m_capturing = false;
    qInfo().noquote() << "Capture stopped";
    emit captureStopped();
}

bool MediaCaptureWrapper::isRecording()
{
    if (m_appRecording)
        return true;
    if (!m_capture)
        return false;
    try {
        return m_capture->isRecording();
    } catch (const std::exception& e) {
        qWarning().noquote() << "[Rec/Wrapper] isRecording EXCEPTION:" << e.what();
        return false;
    }
}

MediaCapture::ICameraControls* MediaCaptureWrapper::controls() const
{
    return dynamic_cast<MediaCapture::ICameraControls*>(m_capture.get());
}

QImage MediaCaptureWrapper::takeFrameBuffer(int width, int height)
{
    for (QImage& buffer : m_bufferPool) {
        if (buffer.width() == width && buffer.height() == height && buffer.isDetached())
            return buffer;  // shares with the pool entry; writing below does not copy (see onFrame)
    }
    // No free buffer of this size: replace the first one nobody else holds, else allocate afresh.
    for (QImage& buffer : m_bufferPool) {
        if (buffer.isNull() || buffer.isDetached()) {
            buffer = QImage(width, height, QImage::Format_RGB888);
            return buffer;
        }
    }
    return QImage(width, height, QImage::Format_RGB888);
}

void MediaCaptureWrapper::onFrame(const uint8_t* rgb, int width, int height, int64_t timestampUs)
{
    if (!rgb || width < 1 || height < 1)
        return;
    try {
        const qint64 rowBytes = qint64(width) * 3;
        const quint64 counter = g_frameCounter.load();
        if (counter < 3 || counter % 100 == 0)
            qDebug().noquote() << "[FrameCb]" << width << "x" << height << "fmt=RGB24 srcStride=" << rowBytes
                               << "rowBytes=" << rowBytes << "pad=" << 0;

        const QSize size(width, height);
        QString directory;
        if (claimNewSize(g_lastDumpedSize, size, directory)) {
            qDebug().noquote() << "[FrameCb-Diag]" << width << "x" << height << "srcStride=" << rowBytes
                               << "rowBytes=" << rowBytes << "head:" << hexHead(rgb, width, height);
            writeRawDump(directory, rgb, width, height);
        }
        ++g_frameCounter;

        QImage image = takeFrameBuffer(width, height);
        if (image.isNull())
            return;  // out of memory for this frame: drop it, the next one may fit
        // The pool keeps a second reference; detach explicitly would copy, so write through the
        // shared data on purpose: no other thread can reach a buffer the pool found unreferenced.
        uchar* bits = const_cast<uchar*>(image.constBits());
        const qint64 stride = image.bytesPerLine();
        if (stride == rowBytes) {
            std::memcpy(bits, rgb, size_t(rowBytes * height));
        } else {
            for (int r = 0; r < height; ++r)
                std::memcpy(bits + r * stride, rgb + r * rowBytes, size_t(rowBytes));
        }

        if (claimNewSize(g_lastImagedSize, size, directory))
            writeImageSnapshots(directory, image, rgb, width, height);

        if (m_appRecording) {
            // Held only for the recorder's non-blocking push: once stopRecording has taken it and
            // cleared the flag, no frame reaches the recorder any more.
            std::lock_guard<std::mutex> lock(m_recorderMutex);
            if (m_appRecording && m_recorder)
                m_recorder->pushVideoFrame(rgb, width, height);  // packed rows, as promised
        }

        {
            std::lock_guard<std::mutex> lock(m_pendingMutex);
            m_pendingFrame = image;
            m_pendingTimestampUs = timestampUs;
        }
        if (!m_deliveryQueued.exchange(true))
            QMetaObject::invokeMethod(this, [this] { deliverPendingFrame(); }, Qt::QueuedConnection);
    } catch (const std::exception& e) {
        qWarning().noquote() << "Error processing frame:" << e.what();
    } catch (...) {
        qWarning().noquote() << "Unknown error processing frame";
    }
}

void MediaCaptureWrapper::deliverPendingFrame()
{
    QImage frame;
    qint64 timestampUs = 0;
    {
        std::lock_guard<std::mutex> lock(m_pendingMutex);
        frame = std::move(m_pendingFrame);
        m_pendingFrame = QImage();
        timestampUs = m_pendingTimestampUs;
        m_deliveryQueued = false;
    }
    // A frame that was on its way when capture stopped belongs to a picture that is gone.
    if (frame.isNull() || !m_capturing)
        return;
    m_lastFrame = frame;
    m_lastTimestampUs = timestampUs;
    emit videoFrameReceived(frame);
}

std::shared_ptr<IAppRecorder> MediaCaptureWrapper::detachRecorder()
{
    std::lock_guard<std::mutex> lock(m_recorderMutex);
    m_appRecording = false;
    return std::move(m_recorder);
}

void MediaCaptureWrapper::stopMicrophone()
{
    if (!m_microphone)
        return;
    m_microphone->stop();
    m_microphone.reset();
}

bool MediaCaptureWrapper::startAppRecording(const QString& filePath)
{
    qInfo().noquote() << "[AppRec/Wrapper] startAppRecording(" << filePath << ") called";
    if (!m_capture || !m_opened || !m_capturing) {
        qInfo().noquote() << "[AppRec/Wrapper] EARLY RETURN: preconditions not met";
        return false;
    }
    if (!QDir().mkpath(QFileInfo(filePath).absolutePath())) {
        qWarning().noquote() << "[AppRec/Wrapper] cannot create output dir";
        return false;
    }
    stopMicrophone();
    if (auto previous = detachRecorder())
        previous->stop();
    std::shared_ptr<IAppRecorder> recorder = m_recording.makeRecorder ? m_recording.makeRecorder() : nullptr;
    if (!recorder) {
        qWarning().noquote() << "[AppRec/Wrapper] AppRecorder start failed";
        return false;
    }

    if (m_recording.makeMicrophone)
        m_microphone = m_recording.makeMicrophone();
    if (m_microphone) {
        std::weak_ptr<IAppRecorder> weak = recorder;
        connect(m_microphone.get(), &AudioCaptureSource::audioDataReady, this, [weak](const QByteArray& pcm) {
            auto target = weak.lock();
            if (target && target->acceptsAudio())
                target->pushAudio(pcm.constData(), pcm.size());
        }, Qt::QueuedConnection);
        connect(m_microphone.get(), &AudioCaptureSource::captureError, this, [](const QString& message) {
            qWarning().noquote() << "[AppRec/Wrapper] WASAPI audio:" << message;
        }, Qt::QueuedConnection);
        if (!m_microphone->start()) {
            qWarning().noquote() << "[AppRec/Wrapper] WASAPI mic capture start FAILED -> video only";
            m_microphone.reset();
        }
    }
    const bool withAudio = m_microphone != nullptr;
    if (!recorder->start(filePath, m_size.width(), m_size.height(), m_fps, withAudio)) {
        qWarning().noquote() << "[AppRec/Wrapper] AppRecorder start failed";
        stopMicrophone();
        return false;
    }
    {
        std::lock_guard<std::mutex> lock(m_recorderMutex);
        m_recorder = recorder;
        m_appRecording = true;
    }
    qInfo().noquote() << "[AppRec/Wrapper] started, audio=" << (withAudio ? "yes" : "no");
    return true;
}

bool MediaCaptureWrapper::stopRecording()
{
    qInfo().noquote() << "[Rec/Wrapper] stopRecording() called";
    if (m_appRecording) {
        stopMicrophone();
        // Detached first: the camera thread has stopped pushing before the recorder finishes.
        if (auto recorder = detachRecorder()) {
            const bool ok = recorder->stop();
            qInfo().noquote() << "[AppRec/Wrapper] AppRecorder stopped, ok=" << ok;
            return ok;
        }
    }
    if (m_capture && m_opened) {
        bool result = false;
        try {
            result = m_capture->stopRecording();
        } catch (const std::exception& e) {
            qWarning().noquote() << "[Rec/Wrapper]   stopRecording EXCEPTION:" << e.what();
        } catch (...) {
            qWarning().noquote() << "[Rec/Wrapper]   stopRecording UNKNOWN EXCEPTION";
        }
        qInfo().noquote() << "[Rec/Wrapper]   stopRecording returned:" << (result ? "true" : "false");
        try {
            m_capture->recordingCleanupFirst();
        } catch (...) {
        }
        try {
            m_capture->recordingCleanupSecond();
        } catch (...) {
        }
        return result;
    }
    qInfo().noquote() << "[Rec/Wrapper]   EARLY RETURN: instance or device not open";
    return false;
}
