#include "GalleryImage.h"
#include "GalleryTestFiles.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace gallerytest;

TEST(GalleryImage, ThumbnailFitsThePictureAreaKeepingTheAspectRatio)
{
    EXPECT_EQ(gallery::makeThumbnail(capture(10, 4000, 3000)).size(), QSize(165, 124));
    EXPECT_EQ(gallery::makeThumbnail(capture(10, 1000, 200)).size(), QSize(180, 36));
    EXPECT_TRUE(gallery::makeThumbnail(QImage()).isNull());
}

TEST(GalleryImage, BadgePerSuffix)
{
    const QString grey = "rgba(76, 76, 76, 0.85)";
    struct Case {
        const char* path;
        const char* text;
        QString color;
    };
    const Case cases[] = {
        {"/d/a.pdf", "PDF", "rgba(220, 50, 50, 0.9)"}, {"/d/a.PNG", "PNG", "rgba(50, 120, 200, 0.85)"},
        {"/d/a.jpg", "JPG", grey},  {"/d/a.JPEG", "JPG", grey}, {"/d/a.bmp", "BMP", grey},
        {"/d/a.tif", "TIF", grey},  {"/d/a.tiff", "TIF", grey}, {"/d/a.ofd", "IMG", grey},
        {"", "IMG", grey},          {"/d/noext", "IMG", grey},
    };
    for (const Case& c : cases) {
        const gallery::FormatBadge badge = gallery::badgeForPath(c.path);
        EXPECT_EQ(badge.text, QString(c.text)) << c.path;
        EXPECT_EQ(badge.color, c.color) << c.path;
    }
    EXPECT_EQ(gallery::badgeStyleSheet("red"),
              QString("QLabel {   font-size: 8px;   font-weight: bold;   padding: 0px;   border-radius: 2px;"
                      "   color: #ffffff;   background-color: red;}"));
}

TEST(GalleryImage, CaptureStampIsReadFromTheFileName)
{
    const gallery::CaptureStamp stamp = gallery::parseCaptureStamp("/saves/IMG_20240131_142502_123.jpg");
    ASSERT_TRUE(stamp.valid);
    EXPECT_EQ(stamp.time.toString("HH:mm:ss"), QString("14:25:02"));
    EXPECT_EQ(stamp.date.toString("yyyy-MM-dd"), QString("2024-01-31"));

    EXPECT_FALSE(gallery::parseCaptureStamp("/saves/holiday.jpg").valid);
    EXPECT_FALSE(gallery::parseCaptureStamp("").valid);
    // Digits in the right places but no real date or time.
    EXPECT_FALSE(gallery::parseCaptureStamp("/saves/IMG_20241399_142502.jpg").valid);
    EXPECT_FALSE(gallery::parseCaptureStamp("/saves/IMG_20240131_256102.jpg").valid);
}

TEST(GalleryImage, OnlyRealImageFilesCountAsReadable)
{
    CaptureFolder folder;
    const QString png = folder.save("a.png", capture(30));
    EXPECT_TRUE(gallery::isReadableImageFile(png));
    EXPECT_EQ(gallery::readImageFile(png).size(), QSize(800, 600));

    QFile fake(folder.path("fake.png"));
    ASSERT_TRUE(fake.open(QIODevice::WriteOnly));
    fake.write("%PDF-1.4 not an image");
    fake.close();
    EXPECT_FALSE(gallery::isReadableImageFile(fake.fileName()));
    EXPECT_FALSE(gallery::isReadableImageFile(folder.path("missing.png")));
    EXPECT_FALSE(gallery::isReadableImageFile(QString()));
    EXPECT_TRUE(gallery::readImageFile(folder.path("missing.png")).isNull());
}
