#include "GalleryModel.h"

#include "GalleryImage.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>

GalleryModel::GalleryModel(QObject* parent) : QObject(parent) {}

void GalleryModel::setAutoSave(bool on) { m_autoSave = on; }

quint64 GalleryModel::addUnsaved(const QImage& image, const QString& displayName, bool processing)
{
    Entry entry;
    entry.displayName = displayName;
    return append(image, entry, processing);
}

quint64 GalleryModel::add(const QImage& image, const QString& filePath, bool processing)
{
    Entry entry;
    entry.filePath = filePath;
    return append(image, entry, processing);
}

quint64 GalleryModel::append(const QImage& image, Entry entry, bool processing)
{
    if (image.isNull())
        return 0;
    const int index = m_entries.size();
    qInfo() << "[Thumb] addThumbnail called, index=" << index << "total-after-add=" << index + 1;
    entry.id = m_nextId++;
    entry.resident = image;
    entry.thumbnail = gallery::makeThumbnail(image);
    entry.originalSize = image.size();
    entry.processing = processing;
    m_entries.append(entry);
    runMemoryPass();
    emit itemAdded(index);
    return entry.id;
}

void GalleryModel::runMemoryPass()
{
    const int total = m_entries.size();
    int resident = 0;
    for (int i = 0; i < total; ++i) {
        Entry& entry = m_entries[i];
        if (entry.resident.isNull())
            continue;
        if (!entry.ownFull.isNull()) {
            entry.resident = QImage();
            continue;
        }
        // Only a capture that can really be read back may give up its pixels: an unsaved capture (or one
        // saved as PDF/OFD) would otherwise reach exports and OCR as its 180 x 124 thumbnail.
        if (m_autoSave && i < total - kResidentNewest && gallery::isReadableImageFile(entry.filePath)) {
            entry.resident = QImage();
            continue;
        }
        ++resident;
    }
    qInfo() << "[CapMem] evict pass done, total=" << total << "residentFullImages=" << resident
            << "unsaved=" << unsavedCount();
}

quint64 GalleryModel::idAt(int index) const { return isValidIndex(index) ? m_entries[index].id : 0; }

int GalleryModel::indexOfId(quint64 id) const
{
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].id == id)
            return i;
    return -1;
}

QString GalleryModel::filePathAt(int index) const
{
    return isValidIndex(index) ? m_entries[index].filePath : QString();
}

QString GalleryModel::displayNameAt(int index) const
{
    if (!isValidIndex(index))
        return QString();
    const Entry& entry = m_entries[index];
    return entry.filePath.isEmpty() ? entry.displayName : QFileInfo(entry.filePath).fileName();
}

QVector<int> GalleryModel::unsavedIndexes() const
{
    QVector<int> result;
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].filePath.isEmpty())
            result.append(i);
    return result;
}

void GalleryModel::setFilePath(int index, const QString& filePath)
{
    if (!isValidIndex(index) || m_entries[index].filePath == filePath)
        return;
    m_entries[index].filePath = filePath;
    emit pathChanged(index, filePath);
}

QSize GalleryModel::originalSizeAt(int index) const
{
    return isValidIndex(index) ? m_entries[index].originalSize : QSize();
}

QImage GalleryModel::thumbnailAt(int index) const
{
    return isValidIndex(index) ? m_entries[index].thumbnail : QImage();
}

bool GalleryModel::isResident(int index) const
{
    return isValidIndex(index) && !m_entries[index].resident.isNull();
}

int GalleryModel::residentCount() const
{
    int n = 0;
    for (const Entry& entry : m_entries)
        n += entry.resident.isNull() ? 0 : 1;
    return n;
}

QImage GalleryModel::imageAt(int index) const
{
    if (!isValidIndex(index))
        return QImage();
    const Entry& entry = m_entries[index];
    if (!entry.resident.isNull())
        return entry.resident;
    if (!entry.ownFull.isNull())
        return entry.ownFull;
    const QImage fromFile = gallery::readImageFile(entry.filePath);
    return fromFile.isNull() ? entry.thumbnail : fromFile;
}

QImage GalleryModel::ensureFullImageAt(int index)
{
    if (!isValidIndex(index)) {
        qWarning() << "[CapMem] ensureFullImageAt: out of range idx=" << index << "size=" << m_entries.size();
        return QImage();
    }
    Entry& entry = m_entries[index];
    if (!entry.resident.isNull())
        return entry.resident;
    if (!entry.ownFull.isNull())
        return entry.ownFull;
    const QImage fromFile = gallery::readImageFile(entry.filePath);
    if (fromFile.isNull()) {
        // The thumbnail is handed out as the last resort but never made resident: it would pass for the
        // full image in every later export.
        return entry.thumbnail;
    }
    entry.resident = fromFile;
    qInfo() << "[CapMem] lazy-loaded full image at idx" << index << "from disk, size:" << fromFile.size();
    return entry.resident;
}

void GalleryModel::setOwnFullImage(int index, const QImage& image)
{
    if (!isValidIndex(index) || image.isNull())
        return;
    Entry& entry = m_entries[index];
    entry.ownFull = image;
    entry.thumbnail = gallery::makeThumbnail(image);
    entry.originalSize = image.size();
    // The resident capture is the unflattened picture; keeping it would hand it to previews and exports.
    entry.resident = QImage();
    emit ownFullImageChanged(index, image);
}

bool GalleryModel::hasOwnFullImage(int index) const
{
    return isValidIndex(index) && !m_entries[index].ownFull.isNull();
}

void GalleryModel::setProcessing(int index, bool processing)
{
    if (!isValidIndex(index) || m_entries[index].processing == processing)
        return;
    m_entries[index].processing = processing;
    emit processingChanged(index, processing);
}

bool GalleryModel::isProcessing(int index) const { return isValidIndex(index) && m_entries[index].processing; }

void GalleryModel::setProgress(int index, int percent)
{
    if (!isValidIndex(index))
        return;
    m_entries[index].progress = qBound(0, percent, 100);
    emit progressChanged(index, m_entries[index].progress);
}

int GalleryModel::progressAt(int index) const { return isValidIndex(index) ? m_entries[index].progress : 0; }

bool GalleryModel::move(int from, int to)
{
    if (!isValidIndex(from) || !isValidIndex(to) || from == to)
        return false;
    m_entries.move(from, to);
    emit itemMoved(from, to);
    return true;
}

bool GalleryModel::moveUp(int index) { return index >= 1 && move(index, index - 1); }

bool GalleryModel::moveDown(int index) { return index < m_entries.size() - 1 && move(index, index + 1); }

bool GalleryModel::remove(int index)
{
    if (!isValidIndex(index))
        return false;
    m_entries.remove(index);
    emit itemRemoved(index);
    return true;
}

void GalleryModel::clear()
{
    m_entries.clear();
    emit cleared();
}

bool GalleryModel::isSelected(int index) const { return isValidIndex(index) && m_entries[index].selected; }

void GalleryModel::setSelected(int index, bool selected)
{
    if (!isValidIndex(index) || m_entries[index].selected == selected)
        return;
    m_entries[index].selected = selected;
    emit selectionChanged(index, selected);
}

void GalleryModel::selectAll()
{
    for (int i = 0; i < m_entries.size(); ++i)
        setSelected(i, true);
}

void GalleryModel::invertSelection()
{
    for (int i = 0; i < m_entries.size(); ++i)
        setSelected(i, !m_entries[i].selected);
}

QVector<int> GalleryModel::selectedIndexes() const
{
    QVector<int> result;
    for (int i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].selected)
            result.append(i);
    return result;
}

int GalleryModel::selectedCount() const { return selectedIndexes().size(); }

QVector<GalleryModel::SelectedImage> GalleryModel::selectedInGalleryOrder() const
{
    QVector<SelectedImage> result;
    for (int i = 0; i < m_entries.size(); ++i) {
        const Entry& entry = m_entries[i];
        if (!entry.selected)
            continue;
        SelectedImage page{i, entry.id, QString(), QImage(), false};
        if (!entry.ownFull.isNull())
            page.image = entry.ownFull;
        else if (gallery::isReadableImageFile(entry.filePath))
            page.filePath = entry.filePath;
        else if (!entry.resident.isNull())
            page.image = entry.resident;
        else {
            page.image = entry.thumbnail;
            page.fromThumbnail = true;
        }
        result.append(page);
    }
    return result;
}

int GalleryModel::removeIds(const QVector<quint64>& ids)
{
    int removed = 0;
    for (const quint64 id : ids) {
        const int index = indexOfId(id);
        if (index >= 0 && remove(index))
            ++removed;
    }
    return removed;
}

bool GalleryModel::isAcceptableBaseName(const QString& name)
{
    if (name.trimmed().isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    // A separator would move the file out of its folder; a NUL would cut the name short.
    return !name.contains(QLatin1Char('/')) && !name.contains(QLatin1Char('\\')) && !name.contains(QChar(0));
}

GalleryModel::RenameResult GalleryModel::rename(int index, const QString& newBaseName)
{
    if (!isValidIndex(index))
        return RenameResult::OutOfRange;
    const QString oldPath = m_entries[index].filePath;
    const QFileInfo oldInfo(oldPath);
    if (!oldPath.isEmpty() && newBaseName == oldInfo.completeBaseName())
        return RenameResult::Unchanged;
    if (!isAcceptableBaseName(newBaseName))
        return RenameResult::InvalidName;
    if (oldPath.isEmpty() || !oldInfo.isFile())
        return RenameResult::NoFile;
    const QString suffix = oldInfo.suffix();
    // A file without a suffix keeps having none, rather than gaining a trailing dot.
    const QString newName = suffix.isEmpty() ? newBaseName : newBaseName + QLatin1Char('.') + suffix;
    const QString newPath = oldInfo.absoluteDir().filePath(newName);
    if (QFileInfo::exists(newPath))
        return RenameResult::TargetExists;
    if (!QFile::rename(oldPath, newPath))
        return RenameResult::Failed;
    setFilePath(index, newPath);
    return RenameResult::Renamed;
}
