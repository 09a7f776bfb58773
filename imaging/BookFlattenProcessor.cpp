#include "BookFlattenProcessor.h"

#include <QCoreApplication>
#include <QDebug>
#include <QtConcurrent/QtConcurrentRun>

BookFlattenProcessor::BookFlattenProcessor(QObject* parent) : QObject(parent)
{
    qRegisterMetaType<FlattenResult>("FlattenResult");
    connect(&m_watcher, &QFutureWatcher<FlattenResult>::finished, this,
            &BookFlattenProcessor::onProcessingFinished);
}

BookFlattenProcessor::~BookFlattenProcessor()
{
    m_queue.clear();
    // The run holds only its own copies, but its progress posts name this object: let it end first.
    m_watcher.waitForFinished();
}

quint64 BookFlattenProcessor::flattenAsync(const QImage& image, FlattenOptions options)
{
    qDebug().noquote() << "BookFlattenProcessor::flattenAsync called";
    const quint64 id = ++m_lastId;
    if (image.isNull()) {
        qWarning().noquote() << "BookFlattenProcessor: Input image is null";
        FlattenResult result;
        result.errorMessage = QCoreApplication::translate("BookFlattenProcessor", "Input image is empty");
        emit flattenCompleted(id, result);
        return id;
    }
    // A deep copy: the caller may paint into its image while the run reads this one.
    m_queue.enqueue(Run{id, image.copy(), options});
    if (m_runningId == 0)
        startNext();
    else
        qDebug().noquote() << "BookFlattenProcessor: Previous task still running, queued run" << id;
    return id;
}

int BookFlattenProcessor::pendingRuns() const
{
    return m_queue.size() + (m_runningId != 0 ? 1 : 0);
}

void BookFlattenProcessor::startNext()
{
    if (m_queue.isEmpty())
        return;
    Run run = m_queue.dequeue();
    m_runningId = run.id;
    const quint64 id = run.id;
    const auto progress = [this, id](int percent) {
        // Posted to this object, so it arrives on the owner's thread and is dropped if it is gone.
        QMetaObject::invokeMethod(
            this, [this, id, percent] { emit progressUpdated(id, percent); }, Qt::QueuedConnection);
    };
    m_watcher.setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [run, progress] {
        qDebug().noquote() << "BookFlattenProcessor: Async task started in worker thread";
        FlattenResult result = processFlattening(run.image, run.options, progress);
        qDebug().noquote() << "BookFlattenProcessor: Async task completed";
        return result;
    }));
}

void BookFlattenProcessor::onProcessingFinished()
{
    const quint64 id = m_runningId;
    if (id == 0)
        return;
    const FlattenResult result = m_watcher.future().result();
    qDebug().noquote() << "BookFlattenProcessor: Result success=" << result.success
                       << "canFlatten=" << result.canFlatten << "isNull=" << result.image.isNull();
    m_runningId = 0;
    // The next run starts before the owner hears of this one, so a slot that queues more work (or
    // inspects pendingRuns) sees a consistent state.
    startNext();
    emit flattenCompleted(id, result);
}
