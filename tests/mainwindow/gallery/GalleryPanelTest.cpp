#include "GalleryModel.h"
#include "GalleryPanel.h"
#include "GalleryTestFiles.h"
#include "ThumbnailItem.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

using namespace gallerytest;

namespace {

struct Message {
    QMessageBox::Icon icon;
    QString title;
    QString text;
};

// A panel over a model of `count` saved captures, with every dialog replaced by a recorder.
struct PanelFixture {
    CaptureFolder folder;
    GalleryModel model;
    std::unique_ptr<GalleryPanel> panel;
    QStringList paths;
    QList<Message> messages;
    QMessageBox::StandardButton answer = QMessageBox::Yes;
    QString renameAnswer;
    QStringList renamePrompts;
    QList<QUrl> openedUrls;
    bool openerSucceeds = true;

    explicit PanelFixture(int count = 3, bool autoSave = true)
    {
        model.setAutoSave(autoSave);
        panel = std::make_unique<GalleryPanel>(&model);
        panel->setMessageFunction([this](QMessageBox::Icon icon, const QString& title, const QString& text,
                                         QMessageBox::StandardButtons) {
            messages.append({icon, title, text});
            return answer;
        });
        panel->setRenamePrompter([this](const QString& current) {
            renamePrompts << current;
            return renameAnswer;
        });
        panel->setUrlOpener([this](const QUrl& url) {
            openedUrls << url;
            return openerSucceeds;
        });
        for (int i = 0; i < count; ++i) {
            const QImage image = capture(10 * (i + 1));
            paths << folder.save(QString("IMG_2024010%1_10000%1.png").arg(i), image);
            model.add(image, paths.last());
        }
    }

    // The panel's layout shows the model's captures in the model's order, each item knowing its index.
    void expectVisibleOrderFollowsModel() const
    {
        const QVector<ThumbnailItem*> visible = panel->visibleItems();
        ASSERT_EQ(visible.size(), model.count());
        for (int i = 0; i < visible.size(); ++i) {
            EXPECT_EQ(visible[i], panel->itemAt(i)) << i;
            EXPECT_EQ(visible[i]->filePath(), model.filePathAt(i)) << i;
            EXPECT_EQ(visible[i]->index(), i) << i;
        }
    }

    QPoint centreOf(int index) const { return panel->itemAt(index)->geometry().center(); }

    void showSized(int width = 360, int height = 200)
    {
        panel->resize(width, height);
        panel->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    }
};

QAction* findAction(QMenu* menu, const char* name) { return menu->findChild<QAction*>(name); }

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(GalleryPanel, ShowsEveryCaptureAndAnnouncesIt)
{
    GalleryModel model;
    GalleryPanel panel(&model);
    QSignalSpy status(&panel, &GalleryPanel::statusMessage);
    model.add(capture(10));
    model.add(capture(20));
    EXPECT_EQ(panel.itemCount(), 2);
    ASSERT_EQ(status.count(), 2);
    EXPECT_EQ(status[0][0].toString(), QString("Image captured and added to gallery"));
    EXPECT_EQ(status[0][1].toInt(), 2000);

    auto* layout = qobject_cast<QVBoxLayout*>(panel.content()->layout());
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->spacing(), 5);
    EXPECT_EQ(layout->contentsMargins(), QMargins());
    // Items stay packed at the top: the stretch is always last.
    EXPECT_EQ(layout->count(), 3);
    EXPECT_TRUE(layout->itemAt(2)->spacerItem());
    EXPECT_TRUE(panel.scrollArea()->widgetResizable());
}

TEST(GalleryPanel, UpAndDownButtonsReorderScreenAndModelTogether)
{
    PanelFixture fixture(4);
    fixture.panel->itemAt(0)->upButton()->click();   // top item: nothing
    fixture.panel->itemAt(3)->downButton()->click(); // bottom item: nothing
    EXPECT_EQ(fixture.model.filePathAt(0), fixture.paths[0]);
    EXPECT_EQ(fixture.model.filePathAt(3), fixture.paths[3]);

    fixture.panel->itemAt(2)->upButton()->click();
    EXPECT_EQ(fixture.model.filePathAt(1), fixture.paths[2]);
    EXPECT_EQ(fixture.model.filePathAt(2), fixture.paths[1]);
    fixture.expectVisibleOrderFollowsModel();

    // The moved item's buttons now act on its new place.
    fixture.panel->itemAt(1)->upButton()->click();
    EXPECT_EQ(fixture.model.filePathAt(0), fixture.paths[2]);
    EXPECT_EQ(fixture.model.filePathAt(1), fixture.paths[0]);
    fixture.expectVisibleOrderFollowsModel();

    // Exports walk the same order: third, first, second, fourth capture.
    fixture.panel->selectAll();
    const auto selected = fixture.model.selectedInGalleryOrder();
    ASSERT_EQ(selected.size(), 4);
    const int shades[] = {30, 10, 20, 40};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(centrePixel(selected[i].image.isNull() ? QImage(selected[i].filePath) : selected[i].image),
                  centrePixel(capture(shades[i])))
            << i;
}

TEST(GalleryPanel, DelButtonRemovesTheItemAndKeepsTheFile)
{
    PanelFixture fixture(4);
    QPointer<ThumbnailItem> doomed = fixture.panel->itemAt(1);
    doomed->deleteButton()->click();
    EXPECT_EQ(fixture.model.count(), 3);
    EXPECT_EQ(fixture.panel->itemCount(), 3);
    fixture.expectVisibleOrderFollowsModel();
    EXPECT_TRUE(QFileInfo::exists(fixture.paths[1]));
    EXPECT_TRUE(QTest::qWaitFor([&] { return doomed.isNull(); }, 5000));
    // The item that was below now answers for index 1.
    QSignalSpy open(fixture.panel.get(), &GalleryPanel::openRequested);
    QTest::mouseClick(fixture.panel->itemAt(1)->imageLabel(), Qt::LeftButton);
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open[0][0].toInt(), 1);
}

TEST(GalleryPanel, ClickingAnItemAsksToOpenItsFullImage)
{
    PanelFixture fixture(5);
    ASSERT_FALSE(fixture.model.isResident(0));
    QSignalSpy open(fixture.panel.get(), &GalleryPanel::openRequested);
    QTest::mouseClick(fixture.panel->itemAt(0)->imageLabel(), Qt::LeftButton);
    ASSERT_EQ(open.count(), 1);
    EXPECT_EQ(open[0][0].toInt(), 0);
    const QImage image = open[0][1].value<QImage>();
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(centrePixel(image), centrePixel(capture(10)));
}

TEST(GalleryPanel, CheckBoxesAndModelSelectionAgree)
{
    PanelFixture fixture(4);
    fixture.panel->itemAt(1)->checkBox()->click();
    EXPECT_TRUE(fixture.model.isSelected(1));
    fixture.panel->itemAt(1)->checkBox()->click();
    EXPECT_FALSE(fixture.model.isSelected(1));

    fixture.panel->itemAt(0)->checkBox()->click();
    fixture.panel->itemAt(2)->checkBox()->click();
    fixture.panel->selectAll();
    for (int i = 0; i < 4; ++i) {
        EXPECT_TRUE(fixture.panel->itemAt(i)->isChecked()) << i;
        EXPECT_TRUE(fixture.model.isSelected(i)) << i;
    }
    fixture.panel->invertSelection();
    EXPECT_EQ(fixture.model.selectedCount(), 0);
    EXPECT_FALSE(fixture.panel->itemAt(3)->isChecked());

    fixture.panel->itemAt(3)->checkBox()->click();
    fixture.panel->invertSelection();
    fixture.panel->invertSelection();
    EXPECT_EQ(fixture.model.selectedIndexes(), QVector<int>{3});
    EXPECT_TRUE(fixture.panel->itemAt(3)->isChecked());
    EXPECT_FALSE(fixture.panel->itemAt(0)->isChecked());
}

TEST(GalleryPanel, ContextMenuEnablesActionsByWhatWasClicked)
{
    PanelFixture fixture(2);
    fixture.model.add(capture(90)); // not saved: no file path
    fixture.showSized(360, 600);

    std::unique_ptr<QMenu> onSaved(fixture.panel->buildContextMenu(fixture.centreOf(1)));
    QStringList texts;
    for (QAction* action : onSaved->actions())
        texts << (action->isSeparator() ? QString("--") : action->text());
    EXPECT_EQ(texts, (QStringList{"Select All", "Invert Selection", "--", "Rename", "打开文件夹"}));
    EXPECT_TRUE(findAction(onSaved.get(), "galleryRenameAction")->isEnabled());
    EXPECT_EQ(findAction(onSaved.get(), "galleryRenameAction")->data().toInt(), 1);
    EXPECT_TRUE(findAction(onSaved.get(), "galleryOpenFolderAction")->isEnabled());
    EXPECT_EQ(findAction(onSaved.get(), "galleryOpenFolderAction")->data().toInt(), 1);

    // Offered, so that the user hears why there is nothing to rename or open.
    std::unique_ptr<QMenu> onUnsaved(fixture.panel->buildContextMenu(fixture.centreOf(2)));
    EXPECT_TRUE(findAction(onUnsaved.get(), "galleryRenameAction")->isEnabled());
    EXPECT_TRUE(findAction(onUnsaved.get(), "galleryOpenFolderAction")->isEnabled());

    const QPoint belowItems(10, fixture.panel->itemAt(2)->geometry().bottom() + 40);
    ASSERT_EQ(fixture.panel->indexAtContentPos(belowItems), -1);
    std::unique_ptr<QMenu> onEmpty(fixture.panel->buildContextMenu(belowItems));
    EXPECT_FALSE(findAction(onEmpty.get(), "galleryRenameAction")->isEnabled());
    EXPECT_EQ(findAction(onEmpty.get(), "galleryRenameAction")->data().toInt(), -1);
    EXPECT_FALSE(findAction(onEmpty.get(), "galleryOpenFolderAction")->isEnabled());
    EXPECT_TRUE(findAction(onEmpty.get(), "gallerySelectAllAction")->isEnabled());

    findAction(onEmpty.get(), "gallerySelectAllAction")->trigger();
    EXPECT_EQ(fixture.model.selectedCount(), 3);
    findAction(onEmpty.get(), "galleryInvertSelectionAction")->trigger();
    EXPECT_EQ(fixture.model.selectedCount(), 0);
}

TEST(GalleryPanel, RightClickPopsTheMenuUp)
{
    PanelFixture fixture(2);
    fixture.showSized(360, 600);
    const QPoint pos = fixture.centreOf(0);
    emit fixture.panel->content()->customContextMenuRequested(pos);
    QMenu* menu = nullptr;
    EXPECT_TRUE(QTest::qWaitFor([&] {
        menu = fixture.panel->findChild<QMenu*>("galleryContextMenu");
        return menu && menu->isVisible();
    }, 5000));
    ASSERT_TRUE(menu);
    EXPECT_EQ(findAction(menu, "galleryRenameAction")->data().toInt(), 0);
    menu->close();
}

TEST(GalleryPanel, RenameThroughTheMenuRenamesTheFile)
{
    PanelFixture fixture(2);
    fixture.showSized(360, 600);
    QSignalSpy status(fixture.panel.get(), &GalleryPanel::statusMessage);
    fixture.renameAnswer = "contract page 1";
    std::unique_ptr<QMenu> menu(fixture.panel->buildContextMenu(fixture.centreOf(1)));
    findAction(menu.get(), "galleryRenameAction")->trigger();

    EXPECT_EQ(fixture.renamePrompts, QStringList{QFileInfo(fixture.paths[1]).completeBaseName()});
    const QString renamed = fixture.folder.path("contract page 1.png");
    EXPECT_TRUE(QFileInfo::exists(renamed));
    EXPECT_FALSE(QFileInfo::exists(fixture.paths[1]));
    EXPECT_EQ(fixture.panel->itemAt(1)->nameLabel()->text(), QString("contract page 1.png"));
    EXPECT_EQ(fixture.panel->itemAt(1)->nameLabel()->toolTip(), renamed);
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status[0][0].toString(), QString("Renamed to: contract page 1"));
    EXPECT_TRUE(fixture.messages.isEmpty());
}

TEST(GalleryPanel, RenameCancelledOrUnchangedDoesNothing)
{
    PanelFixture fixture(1);
    QSignalSpy status(fixture.panel.get(), &GalleryPanel::statusMessage);
    fixture.renameAnswer = QString();
    fixture.panel->renameItem(0);
    fixture.renameAnswer = QFileInfo(fixture.paths[0]).completeBaseName();
    fixture.panel->renameItem(0);
    fixture.panel->renameItem(5);
    EXPECT_EQ(fixture.renamePrompts.size(), 2);
    EXPECT_EQ(status.count(), 0);
    EXPECT_TRUE(fixture.messages.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(fixture.paths[0]));
}

TEST(GalleryPanel, RenameFailuresAreReported)
{
    PanelFixture fixture(2);
    // A capture that was never written, named like a file already in the folder (an earlier session's):
    // that file is somebody else's and must be neither renamed nor opened on its behalf.
    const QString otherFile = fixture.paths[0];
    const QByteArray otherBytes = readAll(otherFile);
    fixture.model.addUnsaved(capture(90), QFileInfo(otherFile).fileName());
    ASSERT_EQ(fixture.panel->itemAt(2)->nameLabel()->text(), QFileInfo(otherFile).fileName());

    fixture.renameAnswer = "new name";
    fixture.panel->renameItem(2);
    fixture.panel->openFolder(2);
    EXPECT_TRUE(fixture.renamePrompts.isEmpty());
    EXPECT_TRUE(fixture.openedUrls.isEmpty());
    ASSERT_EQ(fixture.messages.size(), 2);
    for (const auto& message : fixture.messages)
        EXPECT_EQ(message.text, QFileInfo(otherFile).fileName() + " has not been saved to a file yet.");
    EXPECT_EQ(readAll(otherFile), otherBytes);
    fixture.messages.clear();

    fixture.renameAnswer = QFileInfo(fixture.paths[1]).completeBaseName();
    fixture.panel->renameItem(0);
    ASSERT_EQ(fixture.messages.size(), 1);
    EXPECT_TRUE(fixture.messages[0].text.contains("already exists"));
    EXPECT_EQ(centrePixel(QImage(fixture.paths[1])), centrePixel(capture(20)));

    fixture.renameAnswer = "../outside";
    fixture.panel->renameItem(0);
    ASSERT_EQ(fixture.messages.size(), 2);
    EXPECT_TRUE(fixture.messages[1].text.startsWith("Invalid file name"));
    EXPECT_TRUE(QFileInfo::exists(fixture.paths[0]));
}

TEST(GalleryPanel, OpenFolderOpensTheCapturesDirectory)
{
    PanelFixture fixture(1);
    fixture.panel->openFolder(0);
    ASSERT_EQ(fixture.openedUrls.size(), 1);
    EXPECT_EQ(fixture.openedUrls[0], QUrl::fromLocalFile(QFileInfo(fixture.paths[0]).absolutePath()));

    LogCapture log;
    fixture.openerSucceeds = false;
    fixture.panel->openFolder(0);
    EXPECT_TRUE(log.contains("[MainWindow] 无法打开目录:"));

    // Nothing to open for a missing file or an index out of range.
    QFile::remove(fixture.paths[0]);
    fixture.panel->openFolder(0);
    fixture.panel->openFolder(4);
    EXPECT_EQ(fixture.openedUrls.size(), 2);
}

TEST(GalleryPanel, ClearAllAsksFirstAndKeepsTheFiles)
{
    PanelFixture fixture(3);
    QSignalSpy status(fixture.panel.get(), &GalleryPanel::statusMessage);
    fixture.answer = QMessageBox::No;
    fixture.panel->clearAll();
    ASSERT_EQ(fixture.messages.size(), 1);
    EXPECT_EQ(fixture.messages[0].icon, QMessageBox::Question);
    EXPECT_EQ(fixture.messages[0].title, QString("Clear All Thumbnails"));
    EXPECT_EQ(fixture.messages[0].text, QString("Are you sure you want to clear all thumbnails?"));
    EXPECT_EQ(fixture.model.count(), 3);

    fixture.answer = QMessageBox::Yes;
    fixture.panel->clearAll();
    EXPECT_EQ(fixture.model.count(), 0);
    EXPECT_EQ(fixture.panel->itemCount(), 0);
    EXPECT_TRUE(fixture.panel->visibleItems().isEmpty());
    ASSERT_EQ(status.count(), 1);
    EXPECT_EQ(status[0][0].toString(), QString("All thumbnails cleared"));
    EXPECT_EQ(status[0][1].toInt(), 2000);
    for (const QString& path : fixture.paths)
        EXPECT_TRUE(QFileInfo::exists(path));

    // An empty gallery is not asked about; new captures appear in a fresh list.
    fixture.panel->clearAll();
    EXPECT_EQ(fixture.messages.size(), 2);
    fixture.model.add(capture(70));
    EXPECT_EQ(fixture.panel->itemCount(), 1);
    auto* layout = fixture.panel->content()->layout();
    EXPECT_EQ(layout->count(), 2);
    EXPECT_TRUE(layout->itemAt(1)->spacerItem());
}

TEST(GalleryPanel, ScrollsToTheNewestCapture)
{
    PanelFixture fixture(0);
    fixture.showSized(360, 200);
    for (int i = 0; i < 6; ++i)
        fixture.model.add(capture(10 * i));
    QScrollBar* bar = fixture.panel->scrollArea()->verticalScrollBar();
    EXPECT_TRUE(QTest::qWaitFor([&] { return bar->maximum() > 0 && bar->value() == bar->maximum(); }, 5000));
}

TEST(GalleryPanel, ProcessingFollowsTheCaptureNotTheRow)
{
    PanelFixture fixture(2);
    const quint64 id = fixture.model.add(capture(90), QString(), true);
    EXPECT_TRUE(fixture.panel->itemAt(2)->isProcessing());
    fixture.panel->itemAt(2)->upButton()->click();
    const int now = fixture.model.indexOfId(id);
    ASSERT_EQ(now, 1);
    fixture.model.setProgress(now, 60);
    EXPECT_EQ(fixture.panel->itemAt(1)->progress(), 60);
    const QImage flat = capture(200, 1000, 300);
    fixture.model.setOwnFullImage(now, flat);
    fixture.model.setProcessing(now, false);
    EXPECT_FALSE(fixture.panel->itemAt(1)->isProcessing());
    EXPECT_EQ(fixture.panel->itemAt(1)->sizeLabel()->text(), QString("1000x300"));
    EXPECT_FALSE(fixture.panel->itemAt(2)->isProcessing());
}
