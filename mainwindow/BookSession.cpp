#include "BookSession.h"

#include "BookFlattenProcessor.h"
#include "GalleryModel.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFileInfo>

BookSession::BookSession(GalleryModel* gallery, CaptureStore* store, Environment env, QObject* parent)
    : QObject(parent), m_gallery(gallery), m_store(store), m_env(std::move(env)),
      m_processor(new BookFlattenProcessor(this))
{
    connect(m_processor, &BookFlattenProcessor::flattenCompleted, this, &BookSession::onCompleted);
    connect(m_processor, &BookFlattenProcessor::progressUpdated, this, &BookSession::onProgress);
}

BookSession::~BookSession() = default;

bool BookSession::doublePagePending() const
{
    for (const Run& run : m_runs)
        if (run.doublePage)
            return true;
    return false;
}

void BookSession::flattenAsync(const QImage& image)
{
    Run run;
    run.doublePage = m_nextOptions.forceDoublePage;
    run.itemId = run.doublePage ? 0 : m_nextItemId;
    const FlattenOptions options = m_nextOptions;
    m_nextOptions = FlattenOptions();
    m_nextItemId = 0;
    m_startingRun = run;
    m_starting = true;
    const quint64 id = m_processor->flattenAsync(image, options);
    if (m_starting)
        m_runs.insert(id, run);
    m_starting = false;
}

void BookSession::addOpenedImage(const QImage& image, bool flatten, bool removeFingers)
{
    const QString name = m_env.nextFileName(image);
    quint64 itemId = 0;
    // Opened, not captured: it has no file of its own until it is saved.
    itemId = m_gallery->addUnsaved(image, name, flatten);
    if (!flatten) {
        emit statusMessage(tr("Image loaded"), 2000);
        return;
    }
    emit statusMessage(tr("Book flattening in progress..."), 2000);
    setRemoveFingers(removeFingers);
    setForceDoublePage(false);
    setNextItem(itemId);
    flattenAsync(image);
}

void BookSession::onProgress(quint64 runId, int percent)
{
    const auto run = m_runs.constFind(runId);
    if (run == m_runs.constEnd() || run->itemId == 0)
        return;
    const int index = m_gallery->indexOfId(run->itemId);
    if (index >= 0)
        m_gallery->setProgress(index, percent);
}

void BookSession::onCompleted(quint64 runId, const FlattenResult& result)
{
    Run run;
    if (m_starting) {
        run = m_startingRun;
        m_starting = false;
    } else if (m_runs.contains(runId)) {
        run = m_runs.take(runId);
    } else {
        qWarning() << "[Book] result of an unknown run" << runId << "ignored";
        return;
    }
    if (run.doublePage)
        finishDoublePage(result);
    else
        finishSinglePage(run, result);
}

QString BookSession::failureText(const FlattenResult& result)
{
    // The run's own reason when it gave one: "edges not smooth" would be wrong for a page not found at all.
    return result.errorMessage.isEmpty() ? tr("Book edges are not smooth enough for flattening")
                                         : result.errorMessage;
}

void BookSession::finishSinglePage(const Run& run, const FlattenResult& result)
{
    const int index = run.itemId ? m_gallery->indexOfId(run.itemId) : -1;
    if (index < 0) {
        qWarning() << "MainWindow: No flattening item found, possibly deleted by user";
        return;
    }
    m_gallery->setProcessing(index, false);
    if (result.success && !result.image.isNull()) {
        replaceItemImage(index, m_env.removeBackground(result.image));
        emit statusMessage(tr("Book flattening completed"), 3000);
        return;
    }
    // The capture stays; book mode's background removal still applies to it.
    const QImage original = m_gallery->ensureFullImageAt(index);
    const QImage cleaned = m_env.removeBackground(original);
    if (!cleaned.isNull() && cleaned != original)
        replaceItemImage(index, cleaned);
    emit statusMessage(tr("Flattening failed: %1").arg(failureText(result)), 5000);
}

void BookSession::replaceItemImage(int index, const QImage& image)
{
    if (image.isNull())
        return;
    m_gallery->setOwnFullImage(index, image);
    const CaptureStore::Target target = m_env.saveTarget();
    if (!target.autoSave)
        return;
    const QString path = m_gallery->filePathAt(index);
    if (path.isEmpty()) {
        // Never written (its save failed, or it was opened from a file): nothing to write over.
        return;
    }
    if (m_store->saver().replaceFile(image, QDir::toNativeSeparators(path)))
        qInfo().noquote() << "MainWindow: Flattened image resaved to:" << QDir::toNativeSeparators(path);
    else
        qWarning().noquote() << "MainWindow: Failed to resave flattened image to:" << QDir::toNativeSeparators(path);
}

void BookSession::finishDoublePage(const FlattenResult& result)
{
    if (!result.success || result.image.isNull()) {
        emit statusMessage(tr("Double-page flattening failed: %1").arg(failureText(result)), 5000);
        return;
    }
    QList<QImage> pages;
    if (result.pages.size() >= 2) {
        for (const QImage& page : result.pages.mid(0, 2))
            pages << m_env.removeBackground(page);
    } else if (result.pages.size() == 1) {
        // Two regions were found but only one page flattened: that page is whole, not two halves.
        pages << m_env.removeBackground(result.pages.first());
    } else {
        // One region: an open spread whose pages touch at the spine; it is cut in the middle.
        const QImage whole = m_env.removeBackground(result.image);
        const int left = whole.width() / 2;
        pages << whole.copy(0, 0, left, whole.height()) << whole.copy(left, 0, whole.width() - left, whole.height());
    }
    const CaptureStore::Target target = m_env.saveTarget();
    const QFileInfo generated(m_env.nextFileName(pages.first()));
    const QString suffix = generated.suffix().isEmpty() ? QStringLiteral("jpg") : generated.suffix();
    const QString base = generated.completeBaseName();
    const char* const sides[] = {"_L.", "_R."};
    for (int i = 0; i < pages.size(); ++i) {
        const QString name = pages.size() == 1 ? base + QLatin1Char('.') + suffix
                                               : base + QLatin1String(sides[i]) + suffix;
        const SaveResult saved = m_store->store(pages.at(i), name, false, target);
        if (!saved.ok && target.autoSave && !saved.statusText.isEmpty())
            emit statusMessage(saved.statusText, saved.statusDurationMs);
    }
    emit statusMessage(tr("Book double-page flattening completed"), 3000);
}
