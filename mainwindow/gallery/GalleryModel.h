#pragma once
// The captured-image record: every capture in gallery order with its stable id, its resident full
// image (or none, then it is read back from its file), its file, the full image flattening gave it,
// and whether it is selected. Exports, OCR and the preview read images only through this class.

#include <QImage>
#include <QObject>
#include <QSize>
#include <QString>
#include <QVector>

class GalleryModel : public QObject
{
    Q_OBJECT
public:
    // The newest captures kept at full size while auto-save is on.
    static constexpr int kResidentNewest = 2;

    enum class RenameResult {
        Renamed,
        Unchanged,    // the answer equals the current base name: nothing to do
        InvalidName,  // empty, ".", "..", or containing a path separator
        NoFile,       // the item has no file, or it is gone
        TargetExists, // another file already has that name
        Failed,       // the file system refused
        OutOfRange,
    };

    // One page of an export. A capture with a readable file gives only its path, so that the export reads
    // the pages one at a time; only a capture without one gives its pixels (a shared copy, not a decode).
    struct SelectedImage {
        int index = -1;
        quint64 id = 0;
        QString filePath;      // readable image file, or empty
        QImage image;          // set when there is no such file
        bool fromThumbnail = false;  // the file is gone and the capture is not in memory: only its thumbnail
    };

    explicit GalleryModel(QObject* parent = nullptr);

    // With auto-save on, older captures whose files are on disk give up their full image.
    void setAutoSave(bool on);
    bool autoSave() const { return m_autoSave; }

    // Appends a capture and runs the memory pass. Returns its id, or 0 for a null image. `filePath` is the
    // file this capture itself was written to, or empty.
    quint64 add(const QImage& image, const QString& filePath = QString(), bool processing = false);
    // A capture that was not written (auto-save off, or the save failed): it shows `displayName`, has no
    // file path until it really is written, and keeps its pixels. A file of that name in the save folder
    // belongs to someone else and is never read, renamed or released against.
    quint64 addUnsaved(const QImage& image, const QString& displayName, bool processing = false);
    int count() const { return m_entries.size(); }
    bool isValidIndex(int index) const { return index >= 0 && index < m_entries.size(); }

    // Ids stay with a capture across moves and deletes; an index does not.
    quint64 idAt(int index) const;
    int indexOfId(quint64 id) const;

    QString filePathAt(int index) const;
    bool hasFileAt(int index) const { return !filePathAt(index).isEmpty(); }
    // The file's name, or the generated name of a capture without a file.
    QString displayNameAt(int index) const;
    // Captures that exist only in memory; closing the program would lose them.
    QVector<int> unsavedIndexes() const;
    int unsavedCount() const { return unsavedIndexes().size(); }
    // For a capture saved after it was added; updates the badge and labels through pathChanged.
    void setFilePath(int index, const QString& filePath);
    QSize originalSizeAt(int index) const;
    QImage thumbnailAt(int index) const;

    bool isResident(int index) const;
    int residentCount() const;
    // Resident image, else the flattened image, else the file, else the thumbnail; null out of range.
    QImage imageAt(int index) const;
    // Like imageAt, but an image read back from the file (or the flattened one) becomes resident again.
    QImage ensureFullImageAt(int index);

    // The full image flattening produced; it replaces the capture for previews and exports.
    void setOwnFullImage(int index, const QImage& image);
    bool hasOwnFullImage(int index) const;

    void setProcessing(int index, bool processing);
    bool isProcessing(int index) const;
    void setProgress(int index, int percent);
    int progressAt(int index) const;

    bool moveUp(int index);
    bool moveDown(int index);
    // Removes the capture from the gallery; its file stays on disk.
    bool remove(int index);
    void clear();

    bool isSelected(int index) const;
    void setSelected(int index, bool selected);
    void selectAll();
    void invertSelection();
    QVector<int> selectedIndexes() const;
    int selectedCount() const;
    // The selected captures from top to bottom, as exports take them.
    QVector<SelectedImage> selectedInGalleryOrder() const;
    // Removes the captures with these ids (those still there); returns how many went.
    int removeIds(const QVector<quint64>& ids);

    // Renames the capture's file within its folder to newBaseName + the old suffix.
    RenameResult rename(int index, const QString& newBaseName);
    static bool isAcceptableBaseName(const QString& name);

    // Releases full images that can be read back from disk; runs after every add.
    void runMemoryPass();

signals:
    void itemAdded(int index);
    void itemRemoved(int index);
    void itemMoved(int from, int to);
    void cleared();
    void selectionChanged(int index, bool selected);
    void pathChanged(int index, const QString& filePath);
    void ownFullImageChanged(int index, const QImage& image);
    void processingChanged(int index, bool processing);
    void progressChanged(int index, int percent);

private:
    struct Entry {
        quint64 id = 0;
        QImage resident;
        QImage ownFull;
        QImage thumbnail;
        QString filePath;
        QString displayName;
        QSize originalSize;
        bool selected = false;
        bool processing = false;
        int progress = 0;
    };

    bool move(int from, int to);
    quint64 append(const QImage& image, Entry entry, bool processing);

    QVector<Entry> m_entries;
    quint64 m_nextId = 1;
    bool m_autoSave = false;
};
