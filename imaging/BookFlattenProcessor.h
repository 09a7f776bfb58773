#pragma once
// Runs book flattening on a thread of the global pool, one run at a time, for an owner on another
// thread (the main window). Every request is queued with its own switches and answered exactly once,
// in the order of the requests, tagged with the id flattenAsync returned.
#include "BookFlatten.h"

#include <QFutureWatcher>
#include <QObject>
#include <QQueue>

class BookFlattenProcessor : public QObject
{
    Q_OBJECT
public:
    explicit BookFlattenProcessor(QObject* parent = nullptr);
    // Waits for the running run; queued runs are dropped unanswered.
    ~BookFlattenProcessor() override;

    // Queues a run on a copy of `image` with `options`; returns its id (> 0). Never blocks the caller.
    // A null image is answered at once (flattenCompleted emitted before returning) with
    // "Input image is empty".
    quint64 flattenAsync(const QImage& image, FlattenOptions options = {});
    // Runs queued or running.
    int pendingRuns() const;

signals:
    // Once per run, on the owner's thread.
    void flattenCompleted(quint64 runId, FlattenResult result);
    // Percentages of the running run, delivered on the owner's thread.
    void progressUpdated(quint64 runId, int progress);

private slots:
    void onProcessingFinished();

private:
    struct Run
    {
        quint64 id = 0;
        QImage image;
        FlattenOptions options;
    };
    void startNext();

    QFutureWatcher<FlattenResult> m_watcher;
    QQueue<Run> m_queue;
    quint64 m_runningId = 0; // 0: nothing running
    quint64 m_lastId = 0;
};
