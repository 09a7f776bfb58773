#include "GalleryPanel.h"

#include "GalleryModel.h"
#include "ThumbnailItem.h"

#include <QAction>
#include <QDebug>
#include <QDesktopServices>
#include <QFileInfo>
#include <QInputDialog>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

GalleryPanel::GalleryPanel(GalleryModel* model, QWidget* parent) : QWidget(parent), m_model(model)
{
    setObjectName(QStringLiteral("galleryPanel"));
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    m_scrollArea = new QScrollArea(this);
    m_scrollArea->setObjectName(QStringLiteral("galleryScrollArea"));
    m_scrollArea->setWidgetResizable(true);
    m_scrollArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_content = new QWidget(m_scrollArea);
    m_content->setObjectName(QStringLiteral("galleryContent"));
    m_layout = new QVBoxLayout(m_content);
    m_layout->setSpacing(5);
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->addStretch();
    m_scrollArea->setWidget(m_content);
    outer->addWidget(m_scrollArea);

    m_content->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_content, &QWidget::customContextMenuRequested, this, &GalleryPanel::onContextMenuRequested);

    m_urlOpener = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    m_renamePrompter = [this](const QString& current) {
        bool ok = false;
        const QString answer = QInputDialog::getText(this, tr("Rename file"), tr("New file name:"),
                                                     QLineEdit::Normal, current, &ok);
        return ok ? answer : QString();
    };
    m_messageFunction = [this](QMessageBox::Icon icon, const QString& title, const QString& text,
                               QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, title, text, buttons, this);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };

    connect(m_model, &GalleryModel::itemAdded, this, &GalleryPanel::onItemAdded);
    connect(m_model, &GalleryModel::itemRemoved, this, &GalleryPanel::onItemRemoved);
    connect(m_model, &GalleryModel::itemMoved, this, &GalleryPanel::onItemMoved);
    connect(m_model, &GalleryModel::cleared, this, &GalleryPanel::onCleared);
    connect(m_model, &GalleryModel::selectionChanged, this, [this](int index, bool selected) {
        if (ThumbnailItem* item = itemAt(index))
            item->setChecked(selected);
    });
    connect(m_model, &GalleryModel::pathChanged, this, [this](int index, const QString& path) {
        if (ThumbnailItem* item = itemAt(index))
            item->setFilePath(path);
    });
    connect(m_model, &GalleryModel::ownFullImageChanged, this, [this](int index, const QImage& image) {
        if (ThumbnailItem* item = itemAt(index))
            item->setFullImage(image);
    });
    connect(m_model, &GalleryModel::processingChanged, this, [this](int index, bool processing) {
        if (ThumbnailItem* item = itemAt(index))
            processing ? item->startProcessing() : item->stopProcessing();
    });
    connect(m_model, &GalleryModel::progressChanged, this, [this](int index, int percent) {
        if (ThumbnailItem* item = itemAt(index))
            item->setProgress(percent);
    });

    // A model that already holds captures (the panel rebuilt after a mode switch) shows them too.
    for (int i = 0; i < m_model->count(); ++i)
        onItemAdded(i);
}

ThumbnailItem* GalleryPanel::itemAt(int index) const
{
    return index >= 0 && index < m_items.size() ? m_items[index] : nullptr;
}

QVector<ThumbnailItem*> GalleryPanel::visibleItems() const
{
    QVector<ThumbnailItem*> result;
    for (int i = 0; i < m_layout->count(); ++i)
        if (auto* item = qobject_cast<ThumbnailItem*>(m_layout->itemAt(i)->widget()))
            result.append(item);
    return result;
}

void GalleryPanel::onItemAdded(int index)
{
    auto* item = new ThumbnailItem(m_model->imageAt(index), index, m_model->filePathAt(index), m_content);
    item->setDisplayName(m_model->displayNameAt(index));
    item->setChecked(m_model->isSelected(index));
    // The trailing stretch keeps the items packed at the top; the new one goes just above it.
    m_layout->insertWidget(m_layout->count() - 1, item);
    m_items.insert(index, item);
    renumber();

    connect(item, &ThumbnailItem::clicked, this, [this](int i) {
        const QImage image = m_model->imageAt(i);
        if (!image.isNull())
            emit openRequested(i, image);
    });
    connect(item, &ThumbnailItem::selectionChanged, m_model, &GalleryModel::setSelected);
    connect(item, &ThumbnailItem::moveUpRequested, m_model, &GalleryModel::moveUp);
    connect(item, &ThumbnailItem::moveDownRequested, m_model, &GalleryModel::moveDown);
    connect(item, &ThumbnailItem::deleteRequested, m_model, &GalleryModel::remove);

    if (m_model->isProcessing(index)) {
        item->startProcessing();
        item->setProgress(m_model->progressAt(index));
    }
    QTimer::singleShot(kScrollDelayMs, this, &GalleryPanel::scrollToBottom);
    emit statusMessage(tr("Image captured and added to gallery"), 2000);
}

void GalleryPanel::scrollToBottom()
{
    m_content->update();
    // Lay the content out now so the scroll range already includes the newest item.
    m_layout->activate();
    m_content->adjustSize();
    QScrollBar* bar = m_scrollArea->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void GalleryPanel::onItemRemoved(int index)
{
    if (index < 0 || index >= m_items.size())
        return;
    ThumbnailItem* item = m_items.takeAt(index);
    m_layout->removeWidget(item);
    item->hide();
    // Later: the removal may come from the item's own Del button, still inside its click handler.
    item->deleteLater();
    renumber();
}

void GalleryPanel::onItemMoved(int from, int to)
{
    if (from < 0 || from >= m_items.size() || to < 0 || to >= m_items.size())
        return;
    ThumbnailItem* item = m_items.takeAt(from);
    m_items.insert(to, item);
    m_layout->removeWidget(item);
    m_layout->insertWidget(to, item);
    renumber();
}

void GalleryPanel::onCleared()
{
    for (ThumbnailItem* item : qAsConst(m_items)) {
        m_layout->removeWidget(item);
        item->hide();
        item->deleteLater();
    }
    m_items.clear();
    while (QLayoutItem* rest = m_layout->takeAt(0)) {
        delete rest->widget();
        delete rest;
    }
    m_layout->addStretch();
}

void GalleryPanel::renumber()
{
    for (int i = 0; i < m_items.size(); ++i)
        m_items[i]->setIndex(i);
}

int GalleryPanel::indexAtContentPos(const QPoint& contentPos) const
{
    for (int i = 0; i < m_items.size(); ++i)
        if (m_items[i]->geometry().contains(contentPos))
            return i;
    return -1;
}

QMenu* GalleryPanel::buildContextMenu(const QPoint& contentPos, QWidget* parent)
{
    const int index = indexAtContentPos(contentPos);
    auto* menu = new QMenu(parent ? parent : this);
    menu->setObjectName(QStringLiteral("galleryContextMenu"));

    QAction* selectAllAction = menu->addAction(tr("Select All"));
    selectAllAction->setObjectName(QStringLiteral("gallerySelectAllAction"));
    connect(selectAllAction, &QAction::triggered, this, &GalleryPanel::selectAll);
    QAction* invertAction = menu->addAction(tr("Invert Selection"));
    invertAction->setObjectName(QStringLiteral("galleryInvertSelectionAction"));
    connect(invertAction, &QAction::triggered, this, &GalleryPanel::invertSelection);
    menu->addSeparator();

    QAction* renameAction = menu->addAction(tr("Rename"));
    renameAction->setObjectName(QStringLiteral("galleryRenameAction"));
    renameAction->setData(index);
    renameAction->setEnabled(index >= 0);
    connect(renameAction, &QAction::triggered, this, [this, renameAction] { renameItem(renameAction->data().toInt()); });

    QAction* openFolderAction = menu->addAction(tr("打开文件夹"));
    openFolderAction->setObjectName(QStringLiteral("galleryOpenFolderAction"));
    openFolderAction->setData(index);
    openFolderAction->setEnabled(index >= 0);
    connect(openFolderAction, &QAction::triggered, this,
            [this, openFolderAction] { openFolder(openFolderAction->data().toInt()); });
    return menu;
}

void GalleryPanel::onContextMenuRequested(const QPoint& pos)
{
    const QPoint globalPos = m_content->mapToGlobal(pos);
    QPointer<QMenu> menu = buildContextMenu(pos);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    // Shown from the event loop rather than inside the context-menu event.
    QTimer::singleShot(0, this, [menu, globalPos] {
        if (menu)
            menu->popup(globalPos);
    });
}

void GalleryPanel::selectAll() { m_model->selectAll(); }

void GalleryPanel::invertSelection() { m_model->invertSelection(); }

bool GalleryPanel::reportNoFile(int index)
{
    if (!m_model->isValidIndex(index) || m_model->hasFileAt(index))
        return false;
    showMessage(QMessageBox::Information, tr("No file yet"),
                tr("%1 has not been saved to a file yet.").arg(m_model->displayNameAt(index)), QMessageBox::Ok);
    return true;
}

void GalleryPanel::openFolder(int index)
{
    if (reportNoFile(index))
        return;
    const QString path = m_model->filePathAt(index);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    const QString dir = QFileInfo(path).absolutePath();
    if (!m_urlOpener(QUrl::fromLocalFile(dir)))
        qWarning() << "[MainWindow] 无法打开目录:" << dir;
}

void GalleryPanel::renameItem(int index)
{
    if (!m_model->isValidIndex(index) || reportNoFile(index))
        return;
    const QString current = QFileInfo(m_model->filePathAt(index)).completeBaseName();
    const QString answer = m_renamePrompter(current);
    if (answer.isEmpty())
        return;
    switch (m_model->rename(index, answer)) {
    case GalleryModel::RenameResult::Renamed:
        emit statusMessage(tr("Renamed to: %1").arg(answer), 3000);
        return;
    case GalleryModel::RenameResult::Unchanged:
    case GalleryModel::RenameResult::OutOfRange:
        return;
    case GalleryModel::RenameResult::InvalidName:
        showMessage(QMessageBox::Warning, tr("Error"), tr("Invalid file name: %1").arg(answer), QMessageBox::Ok);
        return;
    case GalleryModel::RenameResult::TargetExists:
        showMessage(QMessageBox::Warning, tr("Error"), tr("A file named %1 already exists.").arg(answer),
                    QMessageBox::Ok);
        return;
    case GalleryModel::RenameResult::NoFile:
    case GalleryModel::RenameResult::Failed:
        showMessage(QMessageBox::Warning, tr("Error"), tr("Failed to rename file. Please check permissions."),
                    QMessageBox::Ok);
        return;
    }
}

void GalleryPanel::clearAll()
{
    if (m_model->count() == 0)
        return;
    const QMessageBox::StandardButton answer =
        showMessage(QMessageBox::Question, tr("Clear All Thumbnails"), tr("Are you sure you want to clear all thumbnails?"),
                    QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes)
        return;
    m_model->clear();
    emit statusMessage(tr("All thumbnails cleared"), 2000);
}

void GalleryPanel::setUrlOpener(UrlOpener opener) { m_urlOpener = std::move(opener); }

void GalleryPanel::setRenamePrompter(RenamePrompter prompter) { m_renamePrompter = std::move(prompter); }

void GalleryPanel::setMessageFunction(MessageFunction function) { m_messageFunction = std::move(function); }

QMessageBox::StandardButton GalleryPanel::showMessage(QMessageBox::Icon icon, const QString& title,
                                                      const QString& text, QMessageBox::StandardButtons buttons)
{
    return m_messageFunction ? m_messageFunction(icon, title, text, buttons) : QMessageBox::NoButton;
}
