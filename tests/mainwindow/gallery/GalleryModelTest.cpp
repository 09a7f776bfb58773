#include "GalleryModel.h"
#include "GalleryTestFiles.h"

#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace gallerytest;

namespace {

QVector<bool> residency(const GalleryModel& model)
{
    QVector<bool> result;
    for (int i = 0; i < model.count(); ++i)
        result.append(model.isResident(i));
    return result;
}

// Five captures saved as IMG_<n>.png with shades 10, 20, ... 50.
struct SavedGallery {
    CaptureFolder folder;
    GalleryModel model;
    QStringList paths;

    explicit SavedGallery(bool autoSave, int count = 5)
    {
        model.setAutoSave(autoSave);
        for (int i = 0; i < count; ++i) {
            const QImage image = capture(10 * (i + 1));
            paths << folder.save(QString("IMG_%1.png").arg(i), image);
            model.add(image, paths.last());
        }
    }
};

} // namespace

TEST(GalleryModel, AutoSaveKeepsOnlyTheTwoNewestResident)
{
    LogCapture log;
    SavedGallery gallery(true);
    EXPECT_EQ(residency(gallery.model), (QVector<bool>{false, false, false, true, true}));
    EXPECT_EQ(gallery.model.residentCount(), 2);
    EXPECT_TRUE(log.contains("[CapMem] evict pass done, total= 5 residentFullImages= 2"));
    EXPECT_TRUE(log.contains("[Thumb] addThumbnail called, index= 4 total-after-add= 5"));
}

TEST(GalleryModel, WithoutAutoSaveEveryCaptureStaysResident)
{
    LogCapture log;
    SavedGallery gallery(false);
    EXPECT_EQ(gallery.model.residentCount(), 5);
    EXPECT_TRUE(log.contains("residentFullImages= 5"));
}

TEST(GalleryModel, CaptureWithoutAReadableFileKeepsItsFullImage)
{
    CaptureFolder folder;
    GalleryModel model;
    model.setAutoSave(true);
    model.add(capture(10), folder.save("a.png", capture(10)));
    model.add(capture(20), folder.path("never-written.png")); // save failed
    model.add(capture(30));                                  // no file at all
    QFile pdf(folder.path("page.pdf"));                      // saved as a document, not an image
    ASSERT_TRUE(pdf.open(QIODevice::WriteOnly));
    pdf.write("%PDF-1.4\n");
    pdf.close();
    model.add(capture(40), pdf.fileName());
    model.add(capture(50), folder.save("e.png", capture(50)));
    model.add(capture(60), folder.save("f.png", capture(60)));

    EXPECT_EQ(residency(model), (QVector<bool>{false, true, true, true, true, true}));
    // Exports of the unsaved ones get the real pixels, not a thumbnail.
    EXPECT_EQ(model.imageAt(1).size(), QSize(800, 600));
    EXPECT_EQ(centrePixel(model.imageAt(2)), centrePixel(capture(30)));
}

TEST(GalleryModel, CaptureSavedAfterItWasAddedIsReleasedByTheNextPass)
{
    CaptureFolder folder;
    GalleryModel model;
    model.setAutoSave(true);
    const QString late = folder.path("late.png");
    model.add(capture(10), late);
    model.add(capture(20), folder.save("b.png", capture(20)));
    model.add(capture(30), folder.save("c.png", capture(30)));
    EXPECT_TRUE(model.isResident(0));
    capture(10).save(late);
    model.add(capture(40), folder.save("d.png", capture(40)));
    EXPECT_EQ(residency(model), (QVector<bool>{false, false, true, true}));
}

TEST(GalleryModel, EvictedCaptureIsReloadedFromItsFile)
{
    SavedGallery gallery(true);
    LogCapture log;
    ASSERT_FALSE(gallery.model.isResident(0));
    const QImage image = gallery.model.ensureFullImageAt(0);
    EXPECT_EQ(image.size(), QSize(800, 600));
    EXPECT_EQ(centrePixel(image), centrePixel(capture(10)));
    EXPECT_TRUE(gallery.model.isResident(0));
    EXPECT_TRUE(log.contains("[CapMem] lazy-loaded full image at idx 0 from disk, size: QSize(800, 600)"));
    // The next capture's pass releases it again.
    gallery.model.add(capture(60), gallery.folder.save("IMG_5.png", capture(60)));
    EXPECT_FALSE(gallery.model.isResident(0));
}

TEST(GalleryModel, DeletedFileFallsBackToTheThumbnailWithoutPretendingToBeFull)
{
    SavedGallery gallery(true);
    ASSERT_TRUE(QFile::remove(gallery.paths[0]));
    const QImage shown = gallery.model.imageAt(0);
    EXPECT_EQ(shown.size(), QSize(165, 124));
    EXPECT_EQ(centrePixel(shown), centrePixel(capture(10)));
    EXPECT_EQ(gallery.model.ensureFullImageAt(0).size(), QSize(165, 124));
    EXPECT_FALSE(gallery.model.isResident(0));
    // Put back, the file is the source again.
    capture(10).save(gallery.paths[0]);
    EXPECT_EQ(gallery.model.ensureFullImageAt(0).size(), QSize(800, 600));
}

TEST(GalleryModel, OutOfRangeGivesNullImagesAndAWarning)
{
    SavedGallery gallery(false, 2);
    LogCapture log;
    EXPECT_TRUE(gallery.model.imageAt(-1).isNull());
    EXPECT_TRUE(gallery.model.imageAt(2).isNull());
    EXPECT_TRUE(gallery.model.ensureFullImageAt(7).isNull());
    EXPECT_TRUE(log.contains("[CapMem] ensureFullImageAt: out of range idx= 7 size= 2"));
    EXPECT_EQ(gallery.model.add(QImage()), 0u);
    EXPECT_EQ(gallery.model.count(), 2);
}

TEST(GalleryModel, MovesStopAtTheEndsAndSwapNeighbours)
{
    SavedGallery gallery(true);
    GalleryModel& model = gallery.model;
    QSignalSpy moved(&model, &GalleryModel::itemMoved);
    EXPECT_FALSE(model.moveUp(0));
    EXPECT_FALSE(model.moveDown(4));
    EXPECT_FALSE(model.moveUp(5));
    EXPECT_FALSE(model.moveDown(-1));
    EXPECT_EQ(moved.count(), 0);

    const quint64 second = model.idAt(1);
    const quint64 third = model.idAt(2);
    EXPECT_TRUE(model.moveUp(2));
    EXPECT_EQ(model.idAt(1), third);
    EXPECT_EQ(model.idAt(2), second);
    EXPECT_EQ(model.filePathAt(1), gallery.paths[2]);
    EXPECT_EQ(model.indexOfId(second), 2);
    ASSERT_EQ(moved.count(), 1);
    EXPECT_EQ(moved[0][0].toInt(), 2);
    EXPECT_EQ(moved[0][1].toInt(), 1);

    // Exports follow the new order, with each capture's own pixels.
    model.selectAll();
    const auto selected = model.selectedInGalleryOrder();
    ASSERT_EQ(selected.size(), 5);
    const int expectedShades[] = {10, 30, 20, 40, 50};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(selected[i].index, i);
        const QImage page = selected[i].image.isNull() ? QImage(selected[i].filePath) : selected[i].image;
        EXPECT_EQ(centrePixel(page), centrePixel(capture(expectedShades[i]))) << i;
        EXPECT_EQ(page.size(), QSize(800, 600)) << i;
    }

    EXPECT_TRUE(model.moveDown(3));
    EXPECT_EQ(model.filePathAt(4), gallery.paths[3]);
}

TEST(GalleryModel, DeleteRenumbersAndLeavesTheFile)
{
    SavedGallery gallery(true);
    GalleryModel& model = gallery.model;
    const quint64 fourth = model.idAt(3);
    model.setSelected(1, true);
    QSignalSpy removed(&model, &GalleryModel::itemRemoved);
    EXPECT_TRUE(model.remove(1));
    EXPECT_FALSE(model.remove(4));
    EXPECT_FALSE(model.remove(-1));
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed[0][0].toInt(), 1);
    EXPECT_EQ(model.count(), 4);
    EXPECT_EQ(model.indexOfId(fourth), 2);
    EXPECT_EQ(model.filePathAt(1), gallery.paths[2]);
    EXPECT_TRUE(QFileInfo::exists(gallery.paths[1]));
    EXPECT_EQ(model.selectedCount(), 0);
    EXPECT_EQ(centrePixel(model.imageAt(1)), centrePixel(capture(30)));
}

TEST(GalleryModel, ClearEmptiesTheGalleryButNotTheFolder)
{
    SavedGallery gallery(true);
    QSignalSpy cleared(&gallery.model, &GalleryModel::cleared);
    gallery.model.clear();
    EXPECT_EQ(cleared.count(), 1);
    EXPECT_EQ(gallery.model.count(), 0);
    for (const QString& path : gallery.paths)
        EXPECT_TRUE(QFileInfo::exists(path));
}

TEST(GalleryModel, SelectAllSelectsEveryItemWhateverWasChecked)
{
    SavedGallery gallery(false);
    gallery.model.setSelected(1, true);
    gallery.model.setSelected(3, true);
    QSignalSpy changed(&gallery.model, &GalleryModel::selectionChanged);
    gallery.model.selectAll();
    EXPECT_EQ(gallery.model.selectedIndexes(), (QVector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ(changed.count(), 3); // only the three that changed
}

TEST(GalleryModel, InvertingTwiceRestoresTheSelection)
{
    SavedGallery gallery(false);
    gallery.model.setSelected(0, true);
    gallery.model.setSelected(3, true);
    gallery.model.invertSelection();
    EXPECT_EQ(gallery.model.selectedIndexes(), (QVector<int>{1, 2, 4}));
    gallery.model.invertSelection();
    EXPECT_EQ(gallery.model.selectedIndexes(), (QVector<int>{0, 3}));
}

TEST(GalleryModel, SelectedImagesComeInGalleryOrderNotClickOrder)
{
    SavedGallery gallery(true);
    gallery.model.setSelected(4, true);
    gallery.model.setSelected(0, true);
    gallery.model.setSelected(2, true);
    const auto selected = gallery.model.selectedInGalleryOrder();
    ASSERT_EQ(selected.size(), 3);
    EXPECT_EQ(selected[0].filePath, gallery.paths[0]);
    EXPECT_EQ(selected[1].filePath, gallery.paths[2]);
    EXPECT_EQ(selected[2].filePath, gallery.paths[4]);
    EXPECT_EQ(selected[1].id, gallery.model.idAt(2));
    // Captures with a file are handed over as paths only: the export reads one page at a time, and
    // nothing is decoded or made resident here.
    for (const auto& page : selected)
        EXPECT_TRUE(page.image.isNull());
    EXPECT_FALSE(gallery.model.isResident(0));

    // Without its file a capture gives what it has: its pixels, or, when evicted, its thumbnail, said so.
    gallery.model.addUnsaved(capture(77), "IMG_unsaved.png");
    gallery.model.setSelected(5, true);
    QFile::remove(gallery.paths[0]);
    const auto again = gallery.model.selectedInGalleryOrder();
    ASSERT_EQ(again.size(), 4);
    EXPECT_TRUE(again[0].fromThumbnail);
    EXPECT_TRUE(again[0].filePath.isEmpty());
    EXPECT_EQ(again[0].image.size(), gallery.model.thumbnailAt(0).size());
    EXPECT_FALSE(again[3].fromThumbnail);
    EXPECT_EQ(again[3].image.size(), QSize(800, 600));
    EXPECT_EQ(centrePixel(again[3].image), centrePixel(capture(77)));
}

TEST(GalleryModel, RenameMovesTheFileWithinItsFolder)
{
    SavedGallery gallery(true, 1);
    QSignalSpy pathChanged(&gallery.model, &GalleryModel::pathChanged);
    EXPECT_EQ(gallery.model.rename(0, "receipt march"), GalleryModel::RenameResult::Renamed);
    const QString renamed = gallery.folder.path("receipt march.png");
    EXPECT_EQ(gallery.model.filePathAt(0), renamed);
    EXPECT_TRUE(QFileInfo::exists(renamed));
    EXPECT_FALSE(QFileInfo::exists(gallery.paths[0]));
    ASSERT_EQ(pathChanged.count(), 1);
    EXPECT_EQ(pathChanged[0][1].toString(), renamed);
    EXPECT_EQ(gallery.model.imageAt(0).size(), QSize(800, 600));
}

TEST(GalleryModel, RenameRefusesNamesThatLeaveTheFolderOrAreEmpty)
{
    SavedGallery gallery(true, 1);
    using R = GalleryModel::RenameResult;
    EXPECT_EQ(gallery.model.rename(0, "IMG_0"), R::Unchanged);
    EXPECT_EQ(gallery.model.rename(0, ""), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(0, "   "), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(0, "."), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(0, ".."), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(0, "../escaped"), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(0, "sub/dir"), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(0, "/tmp/abs"), R::InvalidName);
    EXPECT_EQ(gallery.model.rename(3, "x"), R::OutOfRange);
    EXPECT_EQ(gallery.model.filePathAt(0), gallery.paths[0]);
    EXPECT_TRUE(QFileInfo::exists(gallery.paths[0]));
    EXPECT_FALSE(QFileInfo::exists(gallery.folder.path("escaped.png")));
}

TEST(GalleryModel, RenameNeverOverwritesAnotherFile)
{
    SavedGallery gallery(false, 2);
    EXPECT_EQ(gallery.model.rename(0, "IMG_1"), GalleryModel::RenameResult::TargetExists);
    EXPECT_EQ(gallery.model.filePathAt(0), gallery.paths[0]);
    // Both files keep their own pixels.
    EXPECT_EQ(centrePixel(QImage(gallery.paths[0])), centrePixel(capture(10)));
    EXPECT_EQ(centrePixel(QImage(gallery.paths[1])), centrePixel(capture(20)));
}

TEST(GalleryModel, RenameWithoutAFileFails)
{
    CaptureFolder folder;
    GalleryModel model;
    model.add(capture(10));
    model.add(capture(20), folder.path("gone.png"));
    EXPECT_EQ(model.rename(0, "new"), GalleryModel::RenameResult::NoFile);
    EXPECT_EQ(model.rename(1, "new"), GalleryModel::RenameResult::NoFile);
    EXPECT_TRUE(model.filePathAt(0).isEmpty());
}

TEST(GalleryModel, RenameKeepsAFileWithoutSuffixWithoutSuffix)
{
    CaptureFolder folder;
    GalleryModel model;
    const QString plain = folder.path("scan");
    ASSERT_TRUE(capture(10).save(plain, "PNG"));
    model.add(capture(10), plain);
    ASSERT_EQ(model.rename(0, "scan2"), GalleryModel::RenameResult::Renamed);
    EXPECT_EQ(model.filePathAt(0), folder.path("scan2"));
}

TEST(GalleryModel, FlattenedImageReplacesTheCaptureEverywhere)
{
    SavedGallery gallery(false, 2);
    QSignalSpy changed(&gallery.model, &GalleryModel::ownFullImageChanged);
    const QImage flat = capture(200, 1200, 700);
    gallery.model.setOwnFullImage(1, flat);
    EXPECT_EQ(changed.count(), 1);
    EXPECT_TRUE(gallery.model.hasOwnFullImage(1));
    EXPECT_EQ(gallery.model.imageAt(1).size(), QSize(1200, 700));
    EXPECT_EQ(gallery.model.ensureFullImageAt(1).size(), QSize(1200, 700));
    EXPECT_EQ(gallery.model.originalSizeAt(1), QSize(1200, 700));
    gallery.model.setOwnFullImage(1, QImage());
    EXPECT_EQ(gallery.model.imageAt(1).size(), QSize(1200, 700));
}
