#include "VideoWidgetUpload.h"

#include <gtest/gtest.h>

using namespace videoupload;

TEST(VideoWidgetUpload, HighQualityCapFollowsTheFrameNotTheWidget)
{
    // The frame's longer side, at least 2048, at most the GL limit; the widget size plays no part.
    EXPECT_EQ(capSize(QSize(4000, 3000), QSize(800, 600), true, false, 16384), QSize(4000, 4000));
    EXPECT_EQ(capSize(QSize(1000, 800), QSize(800, 600), true, false, 16384), QSize(2048, 2048));
    EXPECT_EQ(capSize(QSize(8000, 6000), QSize(800, 600), true, true, 0), QSize(4096, 4096));
    EXPECT_EQ(capSize(QSize(8000, 6000), QSize(800, 600), true, false, 2048), QSize(2048, 2048));
}

TEST(VideoWidgetUpload, NormalCapIsTheWidgetCappedPerSide)
{
    EXPECT_EQ(capSize(QSize(3840, 2160), QSize(800, 600), false, false, 16384), QSize(800, 600));
    EXPECT_EQ(capSize(QSize(3840, 2160), QSize(3000, 2000), false, false, 16384), QSize(1920, 1920));
    EXPECT_EQ(capSize(QSize(3840, 2160), QSize(3000, 2000), false, true, 16384), QSize(1280, 1280));
    // A target under 16 px in a direction says nothing; the plain cap applies there.
    EXPECT_EQ(capSize(QSize(3840, 2160), QSize(10, 600), false, false, 16384), QSize(1920, 600));
}

TEST(VideoWidgetUpload, PrepareScalesDownKeepingAspectAndConverts)
{
    QImage frame(1920, 1080, QImage::Format_RGB888);
    frame.fill(QColor(10, 200, 30));
    const QImage out = prepareRgba(frame, QSize(800, 600));
    EXPECT_EQ(out.size(), QSize(800, 450));
    EXPECT_EQ(out.format(), QImage::Format_RGBA8888);
    EXPECT_EQ(out.pixelColor(400, 200), QColor(10, 200, 30));
    // Smaller than the cap: converted only.
    const QImage small = prepareRgba(frame, QSize(4000, 4000));
    EXPECT_EQ(small.size(), QSize(1920, 1080));
    EXPECT_TRUE(prepareRgba(QImage(), QSize(800, 600)).isNull());
}
