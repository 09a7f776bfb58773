#pragma once
// Where a finished capture goes: written to the save folder when auto-save is on, and into the gallery
// in every case. A capture that was not written stays in memory as an unsaved gallery item (never
// pointing at somebody else's file of the same name) until it is saved, and the store keeps track of
// saves that keep failing so the window can say so for as long as it lasts.

#include "ImageSaver.h"

#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class GalleryModel;

class CaptureStore : public QObject
{
    Q_OBJECT
public:
    struct Target
    {
        bool autoSave = true;
        QString savePath;  // the save/path setting; empty: the default folder
        int saveFormat = 0;
    };

    struct BulkResult
    {
        int written = 0;
        int failed = 0;
        QString firstError;  // the status text of the first failure
    };

    // `gallery` must outlive the store.
    CaptureStore(GalleryModel* gallery, std::unique_ptr<ImageSaver> saver, QObject* parent = nullptr);
    ~CaptureStore() override;

    ImageSaver& saver() { return *m_saver; }

    // Writes the capture (auto-save on) and adds it to the gallery, with the flattening animation when
    // `processing`. The result is the save's, or an empty one when auto-save is off; `itemId` (optional)
    // receives the gallery item's id.
    SaveResult store(const QImage& image, const QString& fileName, bool barcodeVariant, const Target& target,
                     bool processing = false, quint64* itemId = nullptr);

    // A save failed and none has succeeded since.
    bool savesFailing() const { return m_savesFailing; }
    int unsavedCount() const;

    // Writes every capture that has no file yet into `directory` in `saveFormat`, each under its own
    // generated name; the written ones then point at their new files.
    BulkResult saveUnsaved(const QString& directory, int saveFormat);

    // Where captures nobody could be asked about are put when the session ends:
    // $XDG_STATE_HOME/Lumadoc/unsaved (default ~/.local/state/Lumadoc/unsaved).
    static QString rescueDirectory();
    // Writes the unsaved captures losslessly (PNG) into rescueDirectory().
    BulkResult rescueUnsaved();

signals:
    void savesFailingChanged(bool failing);

private:
    void setSavesFailing(bool failing);
    // The first use of a folder in this session clears what interrupted saves left there.
    void cleanFolderOnce(const QString& directory);

    GalleryModel* m_gallery;
    std::unique_ptr<ImageSaver> m_saver;
    QSet<QString> m_cleanedFolders;
    bool m_savesFailing = false;
};
