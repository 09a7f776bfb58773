#include "ThumbnailItem.h"
#include "GalleryTestFiles.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QTranslator>
#include <gtest/gtest.h>

using namespace gallerytest;

TEST(ThumbnailItem, FileNameGivesTimeDateNameAndBadge)
{
    ThumbnailItem item(capture(10, 4000, 3000), 0, "/saves/IMG_20240131_142502_123.jpg");
    EXPECT_EQ(item.timeLabel()->text(), QString("14:25:02"));
    EXPECT_EQ(item.dateLabel()->text(), QString("2024-01-31"));
    EXPECT_EQ(item.sizeLabel()->text(), QString("4000x3000"));
    EXPECT_EQ(item.nameLabel()->text(), QString("IMG_20240131_142502_123.jpg"));
    EXPECT_EQ(item.nameLabel()->toolTip(), QString("/saves/IMG_20240131_142502_123.jpg"));
    EXPECT_TRUE(item.nameLabel()->textInteractionFlags() & Qt::TextSelectableByMouse);
    EXPECT_EQ(item.badgeLabel()->text(), QString("JPG"));
    EXPECT_EQ(item.thumbnail().size(), QSize(165, 124));

    item.setFilePath("/saves/IMG_20231205_080910.pdf");
    EXPECT_EQ(item.timeLabel()->text(), QString("08:09:10"));
    EXPECT_EQ(item.dateLabel()->text(), QString("2023-12-05"));
    EXPECT_EQ(item.badgeLabel()->text(), QString("PDF"));
    EXPECT_TRUE(item.badgeLabel()->styleSheet().contains("background-color: rgba(220, 50, 50, 0.9);"));
}

TEST(ThumbnailItem, NameWithoutStampKeepsTheTimeOfCapture)
{
    ThumbnailItem item(capture(10), 0, "/saves/holiday.png");
    EXPECT_TRUE(QRegularExpression("^\\d\\d:\\d\\d:\\d\\d$").match(item.timeLabel()->text()).hasMatch());
    EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\d$").match(item.dateLabel()->text()).hasMatch());
    EXPECT_EQ(item.badgeLabel()->text(), QString("PNG"));

    ThumbnailItem unsaved(capture(10), 0, QString());
    EXPECT_TRUE(QRegularExpression("^IMG_\\d{6}$").match(unsaved.nameLabel()->text()).hasMatch());
    EXPECT_EQ(unsaved.badgeLabel()->text(), QString("IMG"));
}

TEST(ThumbnailItem, LayoutSizes)
{
    ThumbnailItem item(capture(10), 0, QString());
    EXPECT_EQ(item.minimumHeight(), 140);
    EXPECT_EQ(item.maximumHeight(), 140);
    EXPECT_EQ(item.sizePolicy().horizontalPolicy(), QSizePolicy::Expanding);
    EXPECT_EQ(item.checkBox()->size(), QSize(16, 16));
    EXPECT_EQ(item.upButton()->size(), QSize(30, 18));
    EXPECT_EQ(item.downButton()->size(), QSize(35, 18));
    EXPECT_EQ(item.deleteButton()->size(), QSize(30, 18));
    EXPECT_EQ(item.badgeLabel()->size(), QSize(32, 16));
    EXPECT_EQ(item.upButton()->text(), QString("Up"));
    EXPECT_EQ(item.downButton()->text(), QString("Down"));
    EXPECT_EQ(item.deleteButton()->text(), QString("Del"));
    EXPECT_TRUE(item.styleSheet().startsWith("QWidget {   background-color: #2b2b2b;"));
}

TEST(ThumbnailItem, FullImageReplacesThePictureAndSize)
{
    ThumbnailItem item(capture(10), 0, QString());
    item.setFullImage(QImage());
    EXPECT_FALSE(item.hasFullImage());
    item.setFullImage(capture(90, 1000, 200));
    EXPECT_TRUE(item.hasFullImage());
    EXPECT_EQ(item.sizeLabel()->text(), QString("1000x200"));
    EXPECT_EQ(item.thumbnail().size(), QSize(180, 36));
    EXPECT_EQ(item.image().size(), QSize(1000, 200));
}

TEST(ThumbnailItem, ImageComesFromTheFileThenTheThumbnail)
{
    CaptureFolder folder;
    const QString path = folder.save("a.png", capture(40));
    ThumbnailItem item(capture(40), 0, path);
    EXPECT_EQ(item.image().size(), QSize(800, 600));
    QFile::remove(path);
    EXPECT_EQ(item.image().size(), QSize(165, 124));
    EXPECT_EQ(centrePixel(item.image()), centrePixel(capture(40)));
}

TEST(ThumbnailItem, SignalsCarryTheCurrentIndex)
{
    ThumbnailItem item(capture(10), 0, QString());
    item.setIndex(3);
    QSignalSpy up(&item, &ThumbnailItem::moveUpRequested);
    QSignalSpy down(&item, &ThumbnailItem::moveDownRequested);
    QSignalSpy del(&item, &ThumbnailItem::deleteRequested);
    QSignalSpy selection(&item, &ThumbnailItem::selectionChanged);
    QSignalSpy clicked(&item, &ThumbnailItem::clicked);

    item.upButton()->click();
    item.downButton()->click();
    item.deleteButton()->click();
    item.checkBox()->click();
    QTest::mouseClick(item.imageLabel(), Qt::LeftButton);
    QTest::mouseClick(item.timeLabel(), Qt::RightButton);

    ASSERT_EQ(up.count(), 1);
    EXPECT_EQ(up[0][0].toInt(), 3);
    ASSERT_EQ(down.count(), 1);
    EXPECT_EQ(down[0][0].toInt(), 3);
    ASSERT_EQ(del.count(), 1);
    EXPECT_EQ(del[0][0].toInt(), 3);
    ASSERT_EQ(selection.count(), 1);
    EXPECT_EQ(selection[0][0].toInt(), 3);
    EXPECT_TRUE(selection[0][1].toBool());
    ASSERT_EQ(clicked.count(), 1);
    EXPECT_EQ(clicked[0][0].toInt(), 3);

    // The gallery showing its selection is not a user's change.
    item.setChecked(false);
    EXPECT_FALSE(item.isChecked());
    EXPECT_EQ(selection.count(), 1);
}

TEST(ThumbnailItem, ScanLineBouncesBetweenTopAndBottom)
{
    ThumbnailItem item(capture(10), 0, QString());
    item.startProcessing();
    EXPECT_TRUE(item.isProcessing());
    EXPECT_EQ(item.scanPosition(), 0);
    for (int i = 0; i < 24; ++i)
        item.advanceScan();
    EXPECT_EQ(item.scanPosition(), 120);
    EXPECT_EQ(item.scanStep(), 1);
    item.advanceScan();
    EXPECT_EQ(item.scanPosition(), 124);
    EXPECT_EQ(item.scanStep(), -1);
    for (int i = 0; i < 24; ++i)
        item.advanceScan();
    EXPECT_EQ(item.scanPosition(), 4);
    item.advanceScan();
    EXPECT_EQ(item.scanPosition(), 0);
    EXPECT_EQ(item.scanStep(), 1);

    item.setProgress(150);
    EXPECT_EQ(item.progress(), 100);
    item.setProgress(-3);
    EXPECT_EQ(item.progress(), 0);
    item.stopProcessing();
    item.advanceScan();
    EXPECT_EQ(item.scanPosition(), 0);
}

TEST(ThumbnailItem, AnimationPaintsTheScanLineAndPercent)
{
    QImage canvas(180, 124, QImage::Format_ARGB32);
    canvas.fill(Qt::black);
    {
        QPainter painter(&canvas);
        ThumbnailItem::paintProcessing(painter, canvas.rect(), 30, 42);
    }
    EXPECT_EQ(QColor(canvas.pixel(5, 30)), QColor(0, 200, 255));
    EXPECT_NE(QColor(canvas.pixel(5, 36)), QColor(Qt::black));   // inside the band
    EXPECT_EQ(QColor(canvas.pixel(5, 100)), QColor(Qt::black)); // outside it
}

namespace {
class GermanButtons : public QTranslator
{
public:
    QString translate(const char* context, const char* source, const char*, int) const override
    {
        if (QByteArray(context) != "ThumbnailItem")
            return QString();
        if (QByteArray(source) == "Up")
            return "Hoch";
        if (QByteArray(source) == "Down")
            return "Runter";
        if (QByteArray(source) == "Del")
            return "Lösch";
        return QString();
    }
    bool isEmpty() const override { return false; }
};
} // namespace

TEST(ThumbnailItem, ButtonsFollowTheLanguage)
{
    ThumbnailItem item(capture(10), 0, QString());
    GermanButtons german;
    QCoreApplication::installTranslator(&german);
    QCoreApplication::processEvents(); // the change reaches widgets as a posted event
    EXPECT_EQ(item.upButton()->text(), QString("Hoch"));
    EXPECT_EQ(item.downButton()->text(), QString("Runter"));
    EXPECT_EQ(item.deleteButton()->text(), QString("Lösch"));
    QCoreApplication::removeTranslator(&german);
    QCoreApplication::processEvents();
    EXPECT_EQ(item.upButton()->text(), QString("Up"));
}
