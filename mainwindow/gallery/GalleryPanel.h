#pragma once
// The gallery's view: one ThumbnailItem per capture of a GalleryModel in a vertical scroll list, its
// context menu, and the user's actions on it (rename, open folder, select all, invert, clear all).
// Opening a capture is left to the window through openRequested.

#include <QImage>
#include <QMessageBox>
#include <QPoint>
#include <QPointer>
#include <QUrl>
#include <QVector>
#include <QWidget>

#include <functional>

class GalleryModel;
class QAction;
class QMenu;
class QScrollArea;
class QVBoxLayout;
class ThumbnailItem;

class GalleryPanel : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kScrollDelayMs = 50;

    // Opens a URL with the desktop's handler; false when it could not.
    using UrlOpener = std::function<bool(const QUrl& url)>;
    // Asks for a new base name, pre-filled with `current`; empty means cancelled.
    using RenamePrompter = std::function<QString(const QString& current)>;
    // Shows a message; returns the button chosen (only questions have a choice).
    using MessageFunction = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& title, const QString& text, QMessageBox::StandardButtons buttons)>;

    // The model is the window's and must outlive the panel.
    explicit GalleryPanel(GalleryModel* model, QWidget* parent = nullptr);

    GalleryModel* model() const { return m_model; }
    int itemCount() const { return m_items.size(); }
    ThumbnailItem* itemAt(int index) const;
    // The items in the order the layout shows them, top to bottom.
    QVector<ThumbnailItem*> visibleItems() const;
    QScrollArea* scrollArea() const { return m_scrollArea; }
    QWidget* content() const { return m_content; }

    // The index of the item under a point of the scroll-area content, or -1.
    int indexAtContentPos(const QPoint& contentPos) const;
    // The context menu for a click at a point of the scroll-area content; the caller owns it.
    QMenu* buildContextMenu(const QPoint& contentPos, QWidget* parent = nullptr);

    void setUrlOpener(UrlOpener opener);
    void setRenamePrompter(RenamePrompter prompter);
    void setMessageFunction(MessageFunction function);

public slots:
    void selectAll();
    void invertSelection();
    void openFolder(int index);
    void renameItem(int index);
    // Asks first; files on disk stay.
    void clearAll();
    void scrollToBottom();

signals:
    void openRequested(int index, const QImage& image);
    void statusMessage(const QString& text, int timeoutMs);

private:
    // Tells the user that the capture at `index` exists only in memory; true when it did.
    bool reportNoFile(int index);
    void onItemAdded(int index);
    void onItemRemoved(int index);
    void onItemMoved(int from, int to);
    void onCleared();
    void onContextMenuRequested(const QPoint& pos);
    void renumber();
    QMessageBox::StandardButton showMessage(QMessageBox::Icon icon, const QString& title, const QString& text,
                                            QMessageBox::StandardButtons buttons);

    GalleryModel* m_model;
    QScrollArea* m_scrollArea = nullptr;
    QWidget* m_content = nullptr;
    QVBoxLayout* m_layout = nullptr;
    QVector<ThumbnailItem*> m_items;
    UrlOpener m_urlOpener;
    RenamePrompter m_renamePrompter;
    MessageFunction m_messageFunction;
};
