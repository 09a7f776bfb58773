#include "ExportSession.h"

#include "GalleryModel.h"
#include "OcrExport.h"
#include "OfdWriter.h"
#include "PdfExport.h"

#include <QCheckBox>
#include <QDebug>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QFrame>
#include <QFutureWatcher>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QThreadPool>
#include <QUrl>
#include <QVBoxLayout>
#include <QtConcurrent/QtConcurrentRun>

#include <cstdio>

namespace {

const char* tagOf(ExportKind kind) { return kind == ExportKind::Pdf ? "PDF-SAVE" : "OFD-SAVE"; }
QString extensionOf(ExportKind kind) { return kind == ExportKind::Pdf ? QStringLiteral(".pdf") : QStringLiteral(".ofd"); }
QString storeKey(ExportKind kind) { return kind == ExportKind::Pdf ? QStringLiteral("pdfSavePath") : QStringLiteral("ofdSavePath"); }

const char* const kDialogStyle =
    "QDialog { background-color: #2b2f3a; } QLabel { color: #e0e0e0; } "
    "QLineEdit { background-color: #1e2129; color: #ffffff; border: 1px solid #4a5060; padding: 4px; } "
    "QPushButton { background-color: #3d4455; color: #ffffff; padding: 5px 14px; } "
    "QPushButton:default { background-color: #2d7dd2; }";

} // namespace

// What one running export needs again when it ends.
struct ExportSession::Run
{
    ExportKind kind = ExportKind::Pdf;
    QString path;
    QVector<quint64> ids;        // the exported captures, by stable id
    QVector<QString> filePaths;  // the file each page was read from (empty for pixels), parallel to ids
    bool searchable = false;
    QElapsedTimer clock;
};

ExportSession::ExportSession(GalleryModel* gallery, Environment env, QWidget* dialogParent)
    : QObject(dialogParent), m_gallery(gallery), m_env(std::move(env)), m_dialogParent(dialogParent)
{
    if (!m_env.execDialog)
        m_env.execDialog = [](QDialog& dialog) { return dialog.exec(); };
    if (!m_env.message)
        m_env.message = [this](int icon, const QString& title, const QString& text) {
            QMessageBox box(QMessageBox::Icon(icon), title, text, QMessageBox::Ok, m_dialogParent);
            m_env.execDialog(box);
        };
    if (!m_env.openFile)
        m_env.openFile = [](const QString& path) { return QDesktopServices::openUrl(QUrl::fromLocalFile(path)); };
    if (!m_env.openStore)
        m_env.openStore = [](ExportKind kind) {
            return std::make_unique<QSettings>(QStringLiteral("LumadocApp"),
                                               kind == ExportKind::Pdf ? QStringLiteral("PDFExport")
                                                                       : QStringLiteral("OFDExport"));
        };
    if (!m_env.readPageText)
        m_env.readPageText = &ocrexport::readPageText;
}

void ExportSession::cancel()
{
    if (isRunning()) {
        qInfo() << "[PDF-SAVE] export cancelled by the user";
        m_stop->store(true);
    }
}

ExportSession::~ExportSession()
{
    // The writer stops at its next page and removes its partial file; nothing it reports arrives after us.
    if (m_watcher) {
        m_stop->store(true);
        m_watcher->disconnect(this);
        m_watcher->waitForFinished();
    }
}

QString ExportSession::proposedBaseName(const Naming& naming, const QDateTime& now)
{
    if (naming.namingMethod == 1 || naming.namingMethod == 3)
        return QStringLiteral("%1_%2").arg(naming.filePrefix).arg(naming.fileNumber, 4, 10, QLatin1Char('0'));
    return QStringLiteral("IMG_%1").arg(now.toString(QStringLiteral("yyyyMMdd_hhmmss")));
}

QString ExportSession::finalFileName(const QString& typed, ExportKind kind, const QDate& today)
{
    QString name = typed.trimmed();
    if (name.isEmpty())
        name = today.toString(QStringLiteral("yyyyMMdd"));
    if (!name.endsWith(extensionOf(kind), Qt::CaseInsensitive))
        name += extensionOf(kind);
    return name;
}

void ExportSession::exportSelection(ExportKind kind, const Naming& naming)
{
    const char* tag = tagOf(kind);
    qInfo().noquote() << QStringLiteral("[%1] export button clicked").arg(QLatin1String(tag));
    if (isRunning())
        return;
    const QVector<GalleryModel::SelectedImage> selected = m_gallery->selectedInGalleryOrder();
    if (selected.isEmpty()) {
        std::fprintf(stderr, "[%s] No thumbnails selected, aborting\n", tag);
        m_env.message(QMessageBox::Warning, tr("Warning"), tr("Please select images first!"));
        return;
    }

    // Where to.
    const std::unique_ptr<QSettings> store = m_env.openStore(kind);
    QDialog dialog(m_dialogParent);
    dialog.setObjectName(QStringLiteral("exportDialog"));
    dialog.setWindowTitle(kind == ExportKind::Pdf ? tr("Save as PDF") : tr("Save as OFD"));
    dialog.setFixedSize(580, 210);
    dialog.setStyleSheet(QString::fromLatin1(kDialogStyle));
    auto* column = new QVBoxLayout(&dialog);
    column->setContentsMargins(20, 16, 20, 16);
    auto* folderRow = new QHBoxLayout;
    auto* folderEdit = new QLineEdit(store->value(storeKey(kind), naming.saveDirectory).toString(), &dialog);
    folderEdit->setObjectName(QStringLiteral("exportFolderEdit"));
    auto* browse = new QPushButton(tr("Browse..."), &dialog);
    browse->setObjectName(QStringLiteral("exportBrowseButton"));
    browse->setAutoDefault(false);
    folderRow->addWidget(new QLabel(tr("Save to:"), &dialog));
    folderRow->addWidget(folderEdit, 1);
    folderRow->addWidget(browse);
    auto* nameRow = new QHBoxLayout;
    auto* nameEdit = new QLineEdit(proposedBaseName(naming, QDateTime::currentDateTime()) + extensionOf(kind), &dialog);
    nameEdit->setObjectName(QStringLiteral("exportFileNameEdit"));
    nameEdit->selectAll();
    nameRow->addWidget(new QLabel(tr("File name:"), &dialog));
    nameRow->addWidget(nameEdit, 1);
    // Searchable: each page is read by OCR on the export's thread and gets its words as an invisible layer.
    QCheckBox* searchable = nullptr;
    if (kind == ExportKind::Pdf) {
        searchable = new QCheckBox(tr("Searchable (OCR)"), &dialog);
        searchable->setObjectName(QStringLiteral("exportSearchableCheckBox"));
        searchable->setStyleSheet(QStringLiteral("QCheckBox { color: #e0e0e0; }"));
    }
    auto* buttons = new QHBoxLayout;
    if (searchable)
        buttons->addWidget(searchable);
    auto* cancel = new QPushButton(tr("Cancel"), &dialog);
    auto* save = new QPushButton(tr("Save"), &dialog);
    save->setObjectName(QStringLiteral("exportSaveButton"));
    save->setDefault(true);
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    column->addLayout(folderRow);
    column->addLayout(nameRow);
    column->addStretch();
    column->addLayout(buttons);
    connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    connect(save, &QPushButton::clicked, &dialog, &QDialog::accept);
    connect(browse, &QPushButton::clicked, &dialog, [&dialog, folderEdit] {
        const QString chosen = QFileDialog::getExistingDirectory(&dialog, tr("Select Folder"), folderEdit->text(),
                                                                 QFileDialog::ShowDirsOnly);
        if (!chosen.isEmpty())
            folderEdit->setText(chosen);
    });
    nameEdit->setFocus();
    if (m_env.execDialog(dialog) != QDialog::Accepted)
        return;

    QString folder = folderEdit->text().trimmed();
    if (folder.isEmpty())
        folder = naming.saveDirectory;
    store->setValue(storeKey(kind), folder);
    const QString path = QDir(folder).filePath(finalFileName(nameEdit->text(), kind, QDate::currentDate()));

    // The pages, in gallery order. Files are read by the writer one at a time; captures without a file
    // give a shared copy of their pixels, so deleting or clearing them meanwhile frees nothing it reads.
    auto run = std::make_unique<Run>();
    run->kind = kind;
    run->path = path;
    run->searchable = searchable && searchable->isChecked();
    QVector<PageSource> sources;
    int skipped = 0;
    for (const GalleryModel::SelectedImage& page : selected) {
        PageSource source;
        if (!page.filePath.isEmpty()) {
            source = PageSource::fromFile(page.filePath);
        } else if (!page.image.isNull()) {
            source = PageSource::fromImage(page.image);
            source.imageIsThumbnail = page.fromThumbnail;
        } else {
            ++skipped;
            continue;
        }
        sources.append(source);
        run->ids.append(page.id);
        run->filePaths.append(page.filePath);
    }
    std::fprintf(stderr, "[%s] collected %d sources (disk-path or inline), skipped %d null (of %d selected thumbs)\n",
                 tag, int(sources.size()), skipped, int(selected.size()));
    if (sources.isEmpty()) {
        m_env.message(QMessageBox::Warning, tr("Warning"), tr("No images to save!"));
        return;
    }
    std::fprintf(stderr, "[%s] Dispatching async export, count:%d path:%s\n", tag, int(sources.size()),
                 qUtf8Printable(path));

    m_run = std::move(run);
    m_stop->store(false);
    emit runningChanged(true);
    onProgress(0, sources.size());
    const auto stop = m_stop;
    QPointer<ExportSession> self(this);
    const ExportProgress progress = [stop, self](int done, int total) {
        QMetaObject::invokeMethod(
            self.data(), [self, done, total] { if (self) self->onProgress(done, total); }, Qt::QueuedConnection);
        return !stop->load();
    };
    PageTextReader readText;
    if (m_run->searchable) {
        const PageTextReader read = m_env.readPageText;
        // A cancel during a long page skips the recognition of every page after it.
        readText = [read, stop](const QImage& page) { return stop->load() ? QList<TextBox>() : read(page); };
    }
    m_run->clock.start();
    m_watcher = new QFutureWatcher<Outcome>(this);
    connect(m_watcher, &QFutureWatcher<Outcome>::finished, this, &ExportSession::onFinished);
    m_watcher->setFuture(QtConcurrent::run(QThreadPool::globalInstance(), [kind, sources, path, progress, readText] {
        Outcome outcome;
        if (kind == ExportKind::Pdf) {
            outcome.ok = writePdf(sources, path, &outcome.report, progress, readText);
        } else {
            outcome.ok = writeOfdFromSources(path, sources, pdfexport::kMaxPageSidePx, &outcome.report, progress);
            qInfo().noquote() << "[OFD-Export] done:" << path << "pages=" << outcome.report.pagesWritten
                              << "ok=" << outcome.ok;
        }
        return outcome;
    }));
}

void ExportSession::onProgress(int done, int total)
{
    if (!m_run)
        return;
    const QString base = m_run->kind == ExportKind::Pdf ? tr("Generating PDF, please wait...")
                                                         : tr("Generating OFD, please wait...");
    emit statusMessage(total > 0 ? QStringLiteral("%1 (%2/%3)").arg(base).arg(done).arg(total) : base, 0);
    emit progressChanged(done, total);
}

void ExportSession::onFinished()
{
    const Outcome outcome = m_watcher->result();
    m_watcher->deleteLater();
    m_watcher = nullptr;
    const std::unique_ptr<Run> run = std::move(m_run);
    const char* tag = tagOf(run->kind);
    std::fprintf(stderr, "[%s] async finished ok=%d\n", tag, outcome.ok ? 1 : 0);
    qInfo().noquote() << QStringLiteral("[%1] %2 page(s)%3 in %4 ms")
                             .arg(QLatin1String(tag))
                             .arg(outcome.report.pagesWritten)
                             .arg(run->searchable ? QStringLiteral(" with OCR") : QString())
                             .arg(run->clock.elapsed());

    if (!outcome.ok && outcome.report.cancelled) {
        emit statusMessage(run->kind == ExportKind::Pdf ? tr("PDF export cancelled") : tr("OFD export cancelled"),
                           5000);
        emit runningChanged(false);
        emit exportFinished(false);
        return;
    }
    if (!outcome.ok) {
        QString text = run->kind == ExportKind::Pdf ? tr("Failed to save PDF. Please try again.")
                                                    : tr("Failed to save OFD. Please try again.");
        if (!outcome.report.error.isEmpty())
            text += QLatin1Char('\n') + outcome.report.error;
        m_env.message(QMessageBox::Warning, tr("Error"), text);
        emit statusMessage(run->kind == ExportKind::Pdf ? tr("Failed to save PDF") : tr("Failed to save OFD"), 5000);
        emit runningChanged(false);
        emit exportFinished(false);
        return;
    }

    const int count = run->ids.size();
    QDialog done(m_dialogParent);
    done.setObjectName(QStringLiteral("exportDoneDialog"));
    done.setWindowTitle(run->kind == ExportKind::Pdf ? tr("PDF Saved") : tr("OFD Saved"));
    done.setStyleSheet(QString::fromLatin1(kDialogStyle));
    auto* column = new QVBoxLayout(&done);
    column->addWidget(new QLabel(run->kind == ExportKind::Pdf ? tr("✅ Successfully saved %1 image(s) as PDF").arg(count)
                                                              : tr("✅ Successfully saved %1 image(s) as OFD").arg(count),
                                 &done));
    if (!outcome.report.standInPages.isEmpty()) {
        // The user must know that these pages are small: their files had gone.
        QStringList pages;
        for (const int index : outcome.report.standInPages)
            pages << QString::number(index + 1);
        auto* warning = new QLabel(tr("Page(s) %1 came from the small preview picture, because the file was gone.")
                                       .arg(pages.join(QStringLiteral(", "))),
                                   &done);
        warning->setObjectName(QStringLiteral("standInPagesLabel"));
        warning->setWordWrap(true);
        column->addWidget(warning);
    }
    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(new QLabel(run->kind == ExportKind::Pdf ? tr("PDF file:") : tr("OFD file:"), &done));
    auto* pathValue = new QLabel(QDir::toNativeSeparators(run->path), &done);
    pathValue->setObjectName(QStringLiteral("pathValue"));
    pathValue->setTextInteractionFlags(Qt::TextSelectableByMouse);
    pathRow->addWidget(pathValue, 1);
    auto* open = new QPushButton(tr("Open"), &done);
    open->setObjectName(QStringLiteral("exportOpenButton"));
    open->setFixedWidth(90);
    open->setAutoDefault(false);
    pathRow->addWidget(open);
    column->addLayout(pathRow);
    auto* separator = new QFrame(&done);
    separator->setObjectName(QStringLiteral("separator"));
    separator->setFrameShape(QFrame::HLine);
    column->addWidget(separator);
    auto* deleteSources = new QCheckBox(
        run->kind == ExportKind::Pdf ? tr("Delete the original source images that were used to create this PDF?")
                                     : tr("Delete the original source images that were used to create this OFD?"),
        &done);
    deleteSources->setObjectName(QStringLiteral("deleteSourcesCheckBox"));
    column->addWidget(deleteSources);
    auto* ok = new QPushButton(tr("OK"), &done);
    ok->setDefault(true);
    column->addWidget(ok, 0, Qt::AlignRight);
    connect(ok, &QPushButton::clicked, &done, &QDialog::accept);
    const QString written = run->path;
    connect(open, &QPushButton::clicked, &done, [this, &done, written] {
        m_env.openFile(written);
        done.accept();
    });
    m_env.execDialog(done);

    if (deleteSources->isChecked()) {
        std::fprintf(stderr, "[%s] async user-confirmed delete, count:%d\n", tag, count);
        // By id: a capture deleted or cleared while the export ran is simply no longer there. Only the file
        // a page was read from is deleted, never whatever the item points at now.
        for (int i = 0; i < run->ids.size(); ++i) {
            const int index = m_gallery->indexOfId(run->ids[i]);
            if (index < 0)
                continue;
            const QString file = run->filePaths[i];
            if (!file.isEmpty() && m_gallery->filePathAt(index) == file && QFile::exists(file))
                QFile::remove(file);
            m_gallery->remove(index);
        }
        for (int i = 0; i < m_gallery->count(); ++i)
            m_gallery->setSelected(i, false);
    }
    emit statusMessage(run->kind == ExportKind::Pdf ? tr("%1 images saved as PDF").arg(count)
                                                    : tr("%1 images saved as OFD").arg(count),
                       5000);
    emit runningChanged(false);
    emit exportFinished(true);
}
