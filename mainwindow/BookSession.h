#pragma once
// Book captures: hands a capture or an opened file to the flattener, shows each run's progress on its
// own gallery item, and when a run ends puts the flattened picture in place of the capture (written
// over its file) or, for a double page, adds the left and right pages as new captures. Runs are told
// apart by id, so two captures in quick succession each get their own result.

#include "BookFlatten.h"
#include "CaptureHooks.h"
#include "CaptureStore.h"

#include <QHash>
#include <QObject>

#include <functional>

class BookFlattenProcessor;
class GalleryModel;

class BookSession : public QObject, public IBookFlattener
{
    Q_OBJECT
public:
    struct Environment
    {
        // The next capture file name (the window's namer; it advances the file counter).
        std::function<QString(const QImage&)> nextFileName;
        // Where captures go now (auto-save, folder, format).
        std::function<CaptureStore::Target()> saveTarget;
        // Book mode's background removal when it is switched on; the image itself otherwise.
        std::function<QImage(const QImage&)> removeBackground;
    };

    BookSession(GalleryModel* gallery, CaptureStore* store, Environment env, QObject* parent = nullptr);
    ~BookSession() override;

    BookFlattenProcessor* processor() const { return m_processor; }

    // The capture pipeline's hand-off: the switches apply to the next run only. A single page flattens
    // the gallery item named by setNextItem(); a double page adds its pages when it ends.
    void setRemoveFingers(bool on) override { m_nextOptions.removeFingers = on; }
    void setForceDoublePage(bool on) override { m_nextOptions.forceDoublePage = on; }
    void flattenAsync(const QImage& image) override;
    void setNextItem(quint64 galleryItemId) { m_nextItemId = galleryItemId; }

    // An image file opened for flattening: added to the gallery, flattened as one page when `flatten`.
    void addOpenedImage(const QImage& image, bool flatten, bool removeFingers);

    // A double-page run is under way; the pipeline does not save captures meanwhile.
    bool doublePagePending() const;
    int runningCount() const { return m_runs.size(); }

signals:
    void statusMessage(const QString& text, int durationMs);

private:
    struct Run
    {
        quint64 itemId = 0;  // the single page's gallery item; 0 for a double page
        bool doublePage = false;
    };
    void onCompleted(quint64 runId, const FlattenResult& result);
    void onProgress(quint64 runId, int percent);
    void finishSinglePage(const Run& run, const FlattenResult& result);
    void finishDoublePage(const FlattenResult& result);
    // Gives the item its new picture and writes it over the item's file, or into the save folder when
    // it has none and auto-save is on.
    void replaceItemImage(int index, const QImage& image);
    static QString failureText(const FlattenResult& result);

    GalleryModel* m_gallery;
    CaptureStore* m_store;
    Environment m_env;
    BookFlattenProcessor* m_processor;
    FlattenOptions m_nextOptions;
    quint64 m_nextItemId = 0;
    QHash<quint64, Run> m_runs;
    // The run being started: a null image completes before its id is known.
    Run m_startingRun;
    bool m_starting = false;
};
