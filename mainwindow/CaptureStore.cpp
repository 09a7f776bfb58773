#include "CaptureStore.h"

#include "AtomicFileWriter.h"
#include "GalleryModel.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

constexpr int kPngFormat = 1;

// The generated name with the extension of the format it is now written in.
QString nameInFormat(const QString& displayName, int saveFormat)
{
    const QString base = QFileInfo(displayName).completeBaseName();
    return (base.isEmpty() ? QStringLiteral("capture") : base) + saving::saveFormatExtension(saveFormat);
}

} // namespace

CaptureStore::CaptureStore(GalleryModel* gallery, std::unique_ptr<ImageSaver> saver, QObject* parent)
    : QObject(parent), m_gallery(gallery), m_saver(saver ? std::move(saver) : std::make_unique<ImageSaver>())
{
}

CaptureStore::~CaptureStore() = default;

int CaptureStore::unsavedCount() const { return m_gallery->unsavedCount(); }

SaveResult CaptureStore::store(const QImage& image, const QString& fileName, bool barcodeVariant,
                               const Target& target, bool processing, quint64* itemId)
{
    quint64 unusedId = 0;
    quint64& id = itemId ? *itemId : unusedId;
    if (!target.autoSave) {
        id = m_gallery->addUnsaved(image, fileName, processing);
        return {};
    }
    const QString directory = ImageSaver::resolveSaveDirectory(target.savePath);
    cleanFolderOnce(directory);
    const SaveResult saved =
        barcodeVariant ? m_saver->saveBarcodeCapture(image, fileName, target.savePath, target.saveFormat)
                       : m_saver->saveCapture(image, fileName, target.savePath, target.saveFormat);
    if (saved.ok) {
        id = m_gallery->add(image, QDir::fromNativeSeparators(saved.writtenPath), processing);
        setSavesFailing(false);
    } else {
        qWarning().noquote() << "[Cap] capture kept in memory only, not saved:" << fileName;
        id = m_gallery->addUnsaved(image, fileName, processing);
        setSavesFailing(true);
    }
    return saved;
}

CaptureStore::BulkResult CaptureStore::saveUnsaved(const QString& directory, int saveFormat)
{
    BulkResult result;
    cleanFolderOnce(directory);
    for (const int index : m_gallery->unsavedIndexes()) {
        const QImage image = m_gallery->imageAt(index);
        SaveResult saved =
            m_saver->saveCapture(image, nameInFormat(m_gallery->displayNameAt(index), saveFormat), directory, saveFormat);
        if (saved.formatNotAvailable)  // PDF/OFD without an exporter: lossless rather than nothing
            saved = m_saver->saveCapture(image, nameInFormat(m_gallery->displayNameAt(index), kPngFormat), directory,
                                         kPngFormat);
        if (saved.ok) {
            m_gallery->setFilePath(index, QDir::fromNativeSeparators(saved.writtenPath));
            ++result.written;
        } else {
            if (result.failed++ == 0)
                result.firstError = saved.statusText;
        }
    }
    if (result.written > 0 && result.failed == 0)
        setSavesFailing(false);
    qInfo().noquote() << QStringLiteral("[Cap] saved %1 unsaved capture(s) into %2, %3 failed")
                             .arg(result.written)
                             .arg(directory)
                             .arg(result.failed);
    return result;
}

QString CaptureStore::rescueDirectory()
{
    QString state = QString::fromLocal8Bit(qgetenv("XDG_STATE_HOME"));
    if (state.isEmpty() || !QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/Lumadoc/unsaved");
}

CaptureStore::BulkResult CaptureStore::rescueUnsaved()
{
    return saveUnsaved(rescueDirectory(), kPngFormat);
}

void CaptureStore::setSavesFailing(bool failing)
{
    if (failing == m_savesFailing)
        return;
    m_savesFailing = failing;
    emit savesFailingChanged(failing);
}

void CaptureStore::cleanFolderOnce(const QString& directory)
{
    const QString key = QDir::cleanPath(QFileInfo(directory).absoluteFilePath());
    if (m_cleanedFolders.contains(key) || !QFileInfo(key).isDir())
        return;
    m_cleanedFolders.insert(key);
    AtomicFileWriter::removeStaleTemporaries(key);
}
