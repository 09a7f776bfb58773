// The watermark's drawing rule: tiled text reaches every corner at every angle, the single text sits
// at its margin, and the logo's opacity and placement are those asked for.
#include "Watermark.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QSettings>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QImage white(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

bool anyChanged(const QImage& before, const QImage& after, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                return true;
    return false;
}

QRect changedBounds(const QImage& before, const QImage& after)
{
    QRect bounds;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            if (before.pixel(x, y) != after.pixel(x, y))
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

} // namespace

TEST(Watermark, TiledTextReachesEveryCornerAtEveryAngle)
{
    WatermarkSettings settings;
    settings.textEnabled = true;
    settings.textTiledMode = true;
    // 4:3 and 16:9, large enough that a grid only the size of the picture leaves whole corner
    // patches bare when turned.
    const QSize sizes[] = {{3200, 2400}, {1920, 1080}};
    for (const QSize& size : sizes) {
        const QImage blank = white(size.width(), size.height());
        for (int rotation = -180; rotation <= 180; rotation += 15) {
            settings.textRotation = rotation;
            const QImage stamped = applyWatermark(blank, settings);
            ASSERT_EQ(stamped.format(), blank.format());
            const int w = size.width();
            const int h = size.height();
            const QRect corners[] = {{0, 0, 200, 200}, {w - 200, 0, 200, 200}, {0, h - 200, 200, 200},
                                     {w - 200, h - 200, 200, 200}};
            for (const QRect& corner : corners)
                EXPECT_TRUE(anyChanged(blank, stamped, corner))
                    << size.width() << "x" << size.height() << " at " << rotation << " deg, corner " << corner.x()
                    << "," << corner.y();
        }
    }
}

TEST(Watermark, SingleTextAtBottomRightKeepsItsMargins)
{
    WatermarkSettings settings;
    settings.textEnabled = true;
    settings.textRotation = 0;
    settings.textPosition = 8;
    settings.textColor = Qt::black;
    settings.textOpacity = 100;
    const QImage blank = white(800, 600);
    const QImage stamped = applyWatermark(blank, settings);

    QImage probe = blank;
    QPainter painter(&probe);
    QFont font(settings.fontFamily);
    font.setPointSize(settings.fontSize);
    painter.setFont(font);
    const QRect box = painter.fontMetrics().boundingRect(settings.text);
    painter.end();

    const QRect ink = changedBounds(blank, stamped);
    ASSERT_FALSE(ink.isEmpty());
    // The text box ends 20 px from the right and from the bottom; the glyphs lie inside it.
    const QRect textBox(800 - 20 - box.width(), 600 - 20 - box.height(), box.width(), box.height());
    EXPECT_TRUE(textBox.adjusted(-1, -1, 1, 1).contains(ink)) << "ink " << ink.x() << "," << ink.y() << " "
                                                               << ink.width() << "x" << ink.height();
    EXPECT_GE(ink.right(), 800 - 20 - 8);
    EXPECT_LT(std::abs(ink.center().y() - textBox.center().y()), box.height() / 4);
}

TEST(Watermark, ImageOpacityAndPlacementFollowTheScaledLogo)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // 100x50 pure red: into the 200x200 box it scales to 200x100.
    QImage logo(100, 50, QImage::Format_RGB32);
    logo.fill(QColor(255, 0, 0));
    const QString png = dir.filePath(QStringLiteral("logo.png"));
    const QString bmp = dir.filePath(QStringLiteral("logo.bmp"));
    ASSERT_TRUE(logo.save(png));
    ASSERT_TRUE(logo.save(bmp));

    struct Case {
        const char* name;
        QString path;
        int opacity;
        int expectedGreen;  // over white: 0 opaque red, 255 invisible, ~128 half
        int tolerance;
    };
    const Case cases[] = {
        {"opaque", png, 100, 0, 0},
        {"invisible", png, 0, 255, 0},
        {"half, from a file without alpha", bmp, 50, 128, 3},
    };
    const QImage blank = white(800, 600);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WatermarkSettings settings;
        settings.imageEnabled = true;
        settings.imagePath = c.path;
        settings.imageOpacity = c.opacity;
        settings.imagePosition = 8;
        const QImage stamped = applyWatermark(blank, settings);
        // Bottom right by the scaled size: x 580..779, y 480..579.
        for (const QPoint p : {QPoint(580, 480), QPoint(779, 579), QPoint(680, 530)})
            EXPECT_NEAR(qGreen(stamped.pixel(p)), c.expectedGreen, c.tolerance) << p.x() << "," << p.y();
        for (const QPoint p : {QPoint(579, 530), QPoint(680, 479), QPoint(780, 530), QPoint(680, 580)})
            EXPECT_EQ(stamped.pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
        if (c.opacity == 0) {
            EXPECT_EQ(stamped, blank);
        }
    }
}

TEST(Watermark, SettingsRoundTripThroughTheStoreWithDefaultsForMissingKeys)
{
    QTemporaryDir dir;
    QSettings store(dir.filePath(QStringLiteral("wm.ini")), QSettings::IniFormat);
    const WatermarkSettings defaults = loadWatermarkSettings(store);
    EXPECT_EQ(defaults.text, QStringLiteral("Tessaro高拍仪"));
    EXPECT_EQ(defaults.textColor, QColor(0xa0, 0xa0, 0xa4));
    EXPECT_EQ(defaults.textRotation, -45);
    EXPECT_EQ(defaults.imagePosition, 7);

    WatermarkSettings changed;
    changed.textEnabled = true;
    changed.text = QStringLiteral("Confidential");
    changed.textColor = QColor(10, 20, 30);
    changed.textRotation = 30;
    changed.textTiledMode = true;
    changed.imagePath = QStringLiteral("/tmp/logo.png");
    changed.imageHeight = 77;
    saveWatermarkSettings(store, changed);
    QSettings reread(dir.filePath(QStringLiteral("wm.ini")), QSettings::IniFormat);
    const WatermarkSettings back = loadWatermarkSettings(reread);
    EXPECT_TRUE(back.textEnabled);
    EXPECT_EQ(back.text, changed.text);
    EXPECT_EQ(back.textColor, changed.textColor);
    EXPECT_EQ(back.textRotation, 30);
    EXPECT_TRUE(back.textTiledMode);
    EXPECT_EQ(back.imagePath, changed.imagePath);
    EXPECT_EQ(back.imageHeight, 77);
    EXPECT_EQ(back.fontSize, 36);
}
