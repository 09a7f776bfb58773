#include "ImageSaver.h"

#include "AtomicFileWriter.h"
#include "SinglePageExporter.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QBuffer>
#include <QImageWriter>
#include <QStorageInfo>
#include <QTemporaryFile>
#include <QThreadPool>

#include <fcntl.h>
#include <unistd.h>

namespace {

enum class FormatKind
{
    Jpeg,
    Tiff,
    PngBmp,
    Pdf,
    Ofd
};

FormatKind classify(const QString& formatName)
{
    const QString name = formatName.toLower();
    if (name == QLatin1String("jpeg") || name == QLatin1String("jpg"))
        return FormatKind::Jpeg;
    if (name == QLatin1String("tiff") || name == QLatin1String("tif"))
        return FormatKind::Tiff;
    if (name == QLatin1String("pdf"))
        return FormatKind::Pdf;
    if (name == QLatin1String("ofd"))
        return FormatKind::Ofd;
    return FormatKind::PngBmp;
}

QImage toRgb32(const QImage& image, const char* logText)
{
    const QImage converted = image.convertToFormat(QImage::Format_RGB32);
    if (logText)
        qInfo().noquote() << logText << int(image.format()) << "to" << int(converted.format());
    return converted;
}

// What each format can take. JPEG has no alpha: every format that carries one is flattened to RGB32
// (not only ARGB32, so an RGBA8888 capture is not left to the JPEG plug-in's own guess).
QImage compatibleImage(const QImage& image, FormatKind kind, bool captureRoute)
{
    switch (kind) {
    case FormatKind::Jpeg:
        return image.hasAlphaChannel() ? toRgb32(image, "Converted image format for JPEG from") : image;
    case FormatKind::Tiff:
        return captureRoute ? toRgb32(image, "Converted image format for TIFF from") : image;
    case FormatKind::Pdf:
    case FormatKind::Ofd:
        return image.convertToFormat(QImage::Format_RGB32);
    case FormatKind::PngBmp:
        break;
    }
    return image;
}

QList<EncodeAttempt> encodeAttempts(FormatKind kind, const QString& formatName, bool captureRoute)
{
    const QByteArray name = formatName.toLatin1();
    if (!captureRoute) {
        if (kind == FormatKind::Jpeg)
            return {{"JPEG", 75, false, false}};
        return {{name, -1, true, false}};
    }
    switch (kind) {
    case FormatKind::Jpeg:
        return {{"JPEG", 75, false, false}, {"JPEG", 50, false, false}, {"jpeg", 75, true, false}};
    case FormatKind::Tiff:
        return {{"TIFF", 75, false, false}, {"tiff", -1, true, false}};
    case FormatKind::PngBmp:
        if (name.compare("BMP", Qt::CaseInsensitive) == 0)
            return {{name, 95, true, false}, {name, 75, false, false}};
        return {{name, 75, true, true}, {name, 50, false, false}};
    case FormatKind::Pdf:
    case FormatKind::Ofd:
        break;
    }
    return {};
}

// "name.jpg" → ("name", ".jpg"); a name without a dot has no extension.
std::pair<QString, QString> splitExtension(const QString& fileName)
{
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    if (dot <= 0)
        return {fileName, QString()};
    return {fileName.left(dot), fileName.mid(dot)};
}

QString replaceInvalidChars(QString name)
{
    for (QChar& c : name) {
        if (saving::isInvalidFileNameChar(c))
            c = QLatin1Char('_');
    }
    return name;
}

// Whether the file system holding `dir` has no room for `neededBytes` more. A full disk is the common
// cause of failed saves at a counter PC, and the one message the user can act on.
bool isDiskFull(const QString& dir, qint64 neededBytes)
{
    // A folder that could not be created is measured by the nearest one that exists.
    QFileInfo existing(dir);
    while (!existing.exists() && !existing.isRoot() && existing.absolutePath() != existing.absoluteFilePath())
        existing.setFile(existing.absolutePath());
    QStorageInfo storage(existing.absoluteFilePath());
    if (!storage.isValid())
        return false;
    storage.refresh();
    return storage.bytesAvailable() < qMax<qint64>(neededBytes, 1);
}

QString diskFullText(const QString& dir)
{
    return QCoreApplication::translate("MainWindow",
                                       "The disk holding the save folder %1 is full. Free some space, or choose "
                                       "another folder in the settings.")
        .arg(QDir::toNativeSeparators(dir));
}

SaveResult status(const QString& text, int durationMs)
{
    SaveResult result;
    result.statusText = text;
    result.statusDurationMs = durationMs;
    return result;
}

// A folder that refuses a new file: said plainly when the disk is full, else `otherwise`.
SaveResult folderFailure(const QString& dir, const QString& otherwise)
{
    if (!isDiskFull(dir, 1))
        return status(otherwise, ImageSaver::kStatusDurationMs);
    SaveResult result = status(diskFullText(dir), ImageSaver::kStatusDurationMs);
    result.diskFull = true;
    return result;
}

} // namespace

ImageSaver::ImageSaver(saving::Clock clock)
    : m_clock(clock ? std::move(clock) : saving::Clock(saving::systemNow))
{
}

ImageSaver::~ImageSaver() = default;

QString ImageSaver::resolveSaveDirectory(const QString& savePath)
{
    if (!savePath.isEmpty())
        return savePath;
    return QDir::fromNativeSeparators(QDir::homePath()) + QStringLiteral("/Pictures/Lumadoc");
}

SaveResult ImageSaver::saveCapture(const QImage& image, const QString& fileName, const QString& savePath,
                                   int saveFormat)
{
    return save(Route::Capture, image, fileName, savePath, saveFormat);
}

SaveResult ImageSaver::saveBarcodeCapture(const QImage& image, const QString& fileName,
                                          const QString& savePath, int saveFormat)
{
    return save(Route::Barcode, image, fileName, savePath, saveFormat);
}

SaveResult ImageSaver::save(Route route, const QImage& image, const QString& fileName,
                            const QString& savePath, int saveFormat)
{
    const bool captureRoute = route == Route::Capture;
    const QString formatName = saving::saveFormatName(saveFormat);
    const FormatKind kind = classify(formatName);

    // Before anything touches the disk: a PDF that is really a JPEG would be worse than no file.
    ISinglePageExporter* exporter = kind == FormatKind::Pdf   ? m_pdfExporter
                                    : kind == FormatKind::Ofd ? m_ofdExporter
                                                              : nullptr;
    if ((kind == FormatKind::Pdf || kind == FormatKind::Ofd) && !exporter) {
        SaveResult result =
            status(kind == FormatKind::Pdf
                       ? QCoreApplication::translate("MainWindow", "PDF export is not available yet")
                       : QCoreApplication::translate("MainWindow", "OFD export is not available yet"),
                   kStatusDurationMs);
        result.formatNotAvailable = true;
        return result;
    }

    const QString dir = resolveSaveDirectory(savePath);
    if (captureRoute)
        qInfo().noquote() << "savePath =" << dir;
    if (!QFileInfo(dir).isDir()) {
        if (!QDir().mkpath(dir)) {
            qWarning().noquote() << "[Save] failed to create the save folder" << dir;
            return folderFailure(
                dir, QCoreApplication::translate("MainWindow", "Failed to create save directory: %1").arg(dir));
        }
        if (captureRoute)
            qInfo() << "create save directory sucess!";
    }
    if (!QFileInfo(dir).isWritable()) {
        qWarning().noquote() << "[Save] the save folder is not writable:" << dir;
        return status(QCoreApplication::translate("MainWindow", "Save directory is not writable: %1").arg(dir),
                      kStatusDurationMs);
    }

    // The scanner-gun name comes from a scanned code; whatever the caller did, a "/" in it must not reach
    // another folder.
    const QString name = captureRoute ? fileName : replaceInvalidChars(fileName);
    if (name.isEmpty())
        return status(QCoreApplication::translate("MainWindow", "Invalid file path"), kStatusDurationMs);
    if (image.isNull())
        return status(QCoreApplication::translate("MainWindow", "Invalid image"), kStatusDurationMs);
    const QString filePath = QDir(dir).absoluteFilePath(name);

    if (captureRoute) {
        qInfo().noquote() << "filePath =" << filePath;
        // The whole name is checked, not only what follows its last "/": a prefix "a/b" would otherwise
        // pass and write into a folder "a" of its own.
        if (saving::containsInvalidFileNameChar(name))
            return status(
                QCoreApplication::translate("MainWindow", "File name contains invalid characters: %1")
                    .arg(name),
                kStatusDurationMs);
        if (filePath.size() > kMaxPathChars)
            return status(
                QCoreApplication::translate("MainWindow", "File path is too long: %1").arg(filePath),
                kStatusDurationMs);
        // A fresh uniquely named file: the probe can never meet, truncate or delete a file of the user's.
        QTemporaryFile probe(QDir(dir).absoluteFilePath(QStringLiteral(".lumadoc_write_probe_XXXXXX")));
        if (!probe.open()) {
            qWarning().noquote() << "[Save] cannot create a file in the save folder" << dir << ":"
                                 << probe.errorString();
            return folderFailure(
                dir, QCoreApplication::translate("MainWindow", "Save directory is not writable: %1").arg(dir));
        }
    }

    const QString nativePath = QDir::toNativeSeparators(filePath);
    const QImage compatible = compatibleImage(image, kind, captureRoute);

    WriteOutcome outcome;
    if (exporter) {
        outcome = writeThroughExporter(*exporter, compatible, dir, name, route);
        if (!outcome.ok)
            qWarning().noquote() << (kind == FormatKind::Pdf ? "PDF save failed, normalizedPath:"
                                                             : "OFD save failed, normalizedPath:")
                                 << nativePath;
    } else {
        outcome = writeEncoded(compatible, encodeAttempts(kind, formatName, captureRoute), dir, name, route);
    }

    if (outcome.ok) {
        if (m_syncInBackground)
            syncInBackground(outcome.writtenPath);
        SaveResult result;
        result.ok = true;
        result.writtenPath = QDir::toNativeSeparators(outcome.writtenPath);
        result.statusDurationMs = kStatusDurationMs;
        if (captureRoute) {
            result.statusText =
                QCoreApplication::translate("MainWindow", "Image saved: %1").arg(result.writtenPath);
        } else {
            result.statusText = QCoreApplication::translate("MainWindow", "Image saved with barcode: %1")
                                    .arg(result.writtenPath);
            qInfo().noquote() << "[ScannerGun] Image saved:" << result.writtenPath;
        }
        return result;
    }

    if (!captureRoute)
        qWarning() << "[ScannerGun] Failed to save image";
    // The scanner-gun user gets the report too: a save that fails without a word loses captures unnoticed.
    const QString report = failureReport(nativePath, formatName, image, compatible, dir);
    qWarning().noquote() << report;
    SaveResult result = outcome.diskFull ? status(diskFullText(dir), kFailureReportDurationMs)
                                         : status(report, kFailureReportDurationMs);
    result.diskFull = outcome.diskFull;
    return result;
}

bool ImageSaver::encode(const QImage& image, QIODevice& device, const EncodeAttempt& attempt)
{
    if (!attempt.useWriter)
        return image.save(&device, attempt.format.constData(), attempt.quality);
    QImageWriter writer(&device, attempt.format);
    if (attempt.quality >= 0)
        writer.setQuality(attempt.quality);
    if (attempt.softwareText)
        writer.setText(QStringLiteral("Software"), QStringLiteral("Lumadoc"));
    return writer.write(image);
}

namespace {

// The names a save may take, in order: the generated one, then "base_2", "base_3" …; the scanner-gun
// variant first tries "base_<time>" and only then "base_<time>_2" …
std::function<QString(int)> candidateNames(const QString& dir, const QString& fileName, bool captureRoute,
                                           const QString& timeStamp)
{
    const QDir folder(dir);
    const auto parts = splitExtension(fileName);
    return [folder, fileName, parts, captureRoute, timeStamp](int attempt) {
        if (attempt == 0)
            return folder.absoluteFilePath(fileName);
        if (captureRoute)
            return folder.absoluteFilePath(
                QStringLiteral("%1_%2%3").arg(parts.first).arg(attempt + 1).arg(parts.second));
        const QString stamped = QStringLiteral("%1_%2").arg(parts.first, timeStamp);
        if (attempt == 1)
            return folder.absoluteFilePath(stamped + parts.second);
        return folder.absoluteFilePath(QStringLiteral("%1_%2%3").arg(stamped).arg(attempt).arg(parts.second));
    };
}

} // namespace

ImageSaver::WriteOutcome ImageSaver::writeEncoded(const QImage& image, const QList<EncodeAttempt>& attempts,
                                                  const QString& dir, const QString& fileName, Route route)
{
    // Encoded in memory first: an encoder that meets a failing device mid-stream reports it through its own
    // error path (Qt's JPEG writer then logs "Bogus message code 0") and leaves us no cause to tell the user.
    // Here the encoder never sees the disk, and a failed write has a plain errno.
    QBuffer encoded;
    bool ok = false;
    for (const EncodeAttempt& attempt : attempts) {
        encoded.close();
        encoded.setData(QByteArray());
        encoded.open(QIODevice::WriteOnly);
        if (encode(image, encoded, attempt)) {
            ok = true;
            break;
        }
    }
    encoded.close();
    if (!ok)
        return {};
    const QByteArray& bytes = encoded.data();

    AtomicFileWriter writer;
    if (!writer.open(dir, fileName)) {
        qWarning().noquote() << "[Save] cannot create a temporary file in" << dir << ":" << writer.errorString();
        return {false, QString(), isDiskFull(dir, bytes.size())};
    }
    if (writer.file().write(bytes) != bytes.size() || !writer.closeFile()) {
        qWarning().noquote() << "[Save] cannot write" << bytes.size() << "bytes into" << dir << ":"
                             << writer.file().errorString();
        return {false, QString(), isDiskFull(dir, bytes.size())};
    }
    const QString timeStamp = m_clock().toString(QStringLiteral("yyyyMMdd_hhmmss_zzz"));
    const QString written = writer.publishNoReplace(
        candidateNames(dir, fileName, route == Route::Capture, timeStamp), kMaxClashAttempts);
    if (written.isEmpty()) {
        qWarning().noquote() << "[Save] cannot move the new file into place:" << writer.errorString();
        return {};
    }
    return {true, written};
}

ImageSaver::WriteOutcome ImageSaver::writeThroughExporter(ISinglePageExporter& exporter, const QImage& image,
                                                          const QString& dir, const QString& fileName,
                                                          Route route)
{
    // The page image goes through a uniquely named JPEG: two captures within one millisecond must not
    // share it.
    const QString stamp = m_clock().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
    QTemporaryFile pageImage(QDir::tempPath() + QStringLiteral("/lumadoc_capture_temp_") + stamp +
                             QStringLiteral("_XXXXXX.jpg"));
    if (!pageImage.open())
        return {};
    const bool pageWritten = encode(image, pageImage, {"JPEG", 85, false, false}) && pageImage.flush();
    pageImage.close();
    if (!pageWritten)
        return {};

    // The exporter writes into a temporary file beside the target, so the target name only ever shows a
    // finished document and never replaces an existing one.
    AtomicFileWriter document;
    if (!document.open(dir, fileName) || !document.closeFile())
        return {};
    const bool exported = exporter.exportPages({pageImage.fileName()}, document.temporaryPath());
    pageImage.remove();
    if (!exported || QFileInfo(document.temporaryPath()).size() <= 0)
        return {};
    const QString timeStamp = m_clock().toString(QStringLiteral("yyyyMMdd_hhmmss_zzz"));
    const QString written = document.publishNoReplace(
        candidateNames(dir, fileName, route == Route::Capture, timeStamp), kMaxClashAttempts);
    if (written.isEmpty())
        return {};
    return {true, written};
}

QString ImageSaver::failureReport(const QString& nativePath, const QString& formatName,
                                  const QImage& original, const QImage& compatible, const QString& dir) const
{
    const FormatKind kind = classify(formatName);
    const auto yesNo = [](bool value) { return value ? QStringLiteral("Yes") : QStringLiteral("No"); };
    QString message = QCoreApplication::translate("MainWindow", "Failed to save image. ");
    message += QCoreApplication::translate("MainWindow", "Path: %1. ").arg(nativePath);
    message += QCoreApplication::translate("MainWindow", "Format: %1. ").arg(formatName);
    message += QCoreApplication::translate("MainWindow", "Image size: %1x%2. ")
                   .arg(original.width())
                   .arg(original.height());
    message += QCoreApplication::translate("MainWindow", "Original format: %1. ").arg(int(original.format()));
    message +=
        QCoreApplication::translate("MainWindow", "Compatible format: %1. ").arg(int(compatible.format()));
    message +=
        QCoreApplication::translate("MainWindow", "Is JPEG: %1. ").arg(yesNo(kind == FormatKind::Jpeg));
    message +=
        QCoreApplication::translate("MainWindow", "Is TIFF: %1. ").arg(yesNo(kind == FormatKind::Tiff));
    message +=
        QCoreApplication::translate("MainWindow", "Is PNG/BMP: %1. ").arg(yesNo(kind == FormatKind::PngBmp));
    message +=
        QCoreApplication::translate("MainWindow", "Qt version: %1. ").arg(QString::fromLatin1(qVersion()));
    // Whether the folder takes a new file at all. A file of the user's at the target path is never
    // opened for writing here, let alone deleted.
    QTemporaryFile probe(QDir(dir).absoluteFilePath(QStringLiteral(".lumadoc_write_probe_XXXXXX")));
    if (probe.open())
        message += QCoreApplication::translate("MainWindow", "File open successful, but save failed. ");
    else
        message +=
            QCoreApplication::translate("MainWindow", "File open error: %1. ").arg(probe.errorString());
    return message;
}

void ImageSaver::syncInBackground(const QString& path) const
{
    const QByteArray file = QFile::encodeName(path);
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    QThreadPool::globalInstance()->start([file, folder] {
        // The directory too: the new name lives in it.
        for (const QByteArray& target : {file, folder}) {
            const int fd = ::open(target.constData(), O_RDONLY | O_CLOEXEC);
            if (fd >= 0) {
                ::fsync(fd);
                ::close(fd);
            }
        }
    });
}

bool saveImageToPath(const QImage& image, const QString& path)
{
    if (image.isNull() || path.isEmpty())
        return false;
    const QFileInfo info(path);
    const QByteArray format = info.suffix().toLower().toLatin1();
    if (format.isEmpty() || !QImageWriter::supportedImageFormats().contains(format))
        return false;
    AtomicFileWriter writer;
    if (!writer.open(info.absolutePath(), info.fileName()))
        return false;
    QImageWriter imageWriter(&writer.file(), format);
    if (!imageWriter.write(image) || writer.file().error() != QFileDevice::NoError)
        return false;
    return writer.publishReplacing(info.absoluteFilePath());
}

QString proposedSaveImageName(const QDateTime& now)
{
    return now.toString(QStringLiteral("yyyyMMdd_hhmmss")) + QStringLiteral(".png");
}

bool ImageSaver::replaceFile(const QImage& image, const QString& filePath)
{
    if (filePath.isEmpty() || image.isNull())
        return false;
    const QFileInfo target(QDir::fromNativeSeparators(filePath));
    const QString suffix = target.suffix().toLower();
    ISinglePageExporter* exporter = suffix == QLatin1String("pdf")   ? m_pdfExporter
                                    : suffix == QLatin1String("ofd") ? m_ofdExporter
                                                                     : nullptr;
    if (suffix == QLatin1String("pdf") || suffix == QLatin1String("ofd")) {
        if (!exporter)
            return false;
        // The exporters take image files; the page goes through a JPEG of its own, removed afterwards.
        const QString temporary = QDir::tempPath() + QStringLiteral("/lumadoc_flatten_temp_") +
                                  QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmsszzz")) +
                                  QStringLiteral(".jpg");
        if (!image.convertToFormat(QImage::Format_RGB32).save(temporary, "JPEG", 85))
            return false;
        // Written beside the target first, so a failed export leaves the old document in place.
        AtomicFileWriter writer;
        bool ok = writer.open(target.absolutePath(), target.fileName()) && writer.closeFile() &&
                  exporter->exportPages({temporary}, writer.temporaryPath()) && writer.publishReplacing(target.filePath());
        QFile::remove(temporary);
        return ok;
    }
    QByteArray format;
    QImage compatible = image;
    int quality = -1;
    if (suffix == QLatin1String("jpg") || suffix == QLatin1String("jpeg")) {
        format = "JPEG";
        quality = 75;
        if (image.hasAlphaChannel())
            compatible = image.convertToFormat(QImage::Format_RGB32);
    } else if (suffix == QLatin1String("tif") || suffix == QLatin1String("tiff")) {
        format = "TIFF";
        compatible = image.convertToFormat(QImage::Format_RGB32);
    } else if (suffix == QLatin1String("png")) {
        format = "PNG";
    } else if (suffix == QLatin1String("bmp")) {
        format = "BMP";
    }
    AtomicFileWriter writer;
    // The temporary name keeps the suffix last, so an unnamed format is still chosen by it.
    if (!writer.open(target.absolutePath(), target.fileName()) || !writer.closeFile())
        return false;
    const bool written =
        compatible.save(writer.temporaryPath(), format.isEmpty() ? nullptr : format.constData(), quality);
    return written && writer.publishReplacing(target.filePath());
}

