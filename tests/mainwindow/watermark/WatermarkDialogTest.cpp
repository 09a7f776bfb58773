// The "Watermark Settings" dialog against its store: it shows what is stored, OK stores every key
// the controls hold, Cancel leaves the store and brings the controls back.
#include "WatermarkDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

namespace {

template <typename T> T* child(QWidget& parent, const char* name)
{
    T* widget = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

} // namespace

TEST(WatermarkDialog, OkStoresEveryKeyAndCancelKeepsTheStore)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("WatermarkSettings.ini"));
    {
        QSettings seed(path, QSettings::IniFormat);
        seed.setValue(QStringLiteral("text"), QStringLiteral("Draft"));
        seed.setValue(QStringLiteral("textRotation"), 30);
        seed.setValue(QStringLiteral("imagePosition"), 2);
    }
    const auto store = [path] { return std::make_unique<QSettings>(path, QSettings::IniFormat); };

    WatermarkDialog dialog(nullptr, store);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Watermark Settings"));
    // Stored keys shown, missing ones at their defaults.
    WatermarkSettings shown = dialog.settings();
    EXPECT_EQ(shown.text, QStringLiteral("Draft"));
    EXPECT_EQ(shown.textRotation, 30);
    EXPECT_EQ(shown.imagePosition, 2);
    EXPECT_EQ(shown.fontSize, 36);
    EXPECT_EQ(shown.textColor, QColor(0xa0, 0xa0, 0xa4));
    EXPECT_EQ(shown.textPosition, 4);
    EXPECT_FALSE(shown.textTiledMode);

    // Change every kind of control, the colour and file through their seams.
    dialog.setColorChooser([](const QColor&) { return QColor(12, 34, 56); });
    dialog.setFilePrompter([](const QString&) { return QStringLiteral("/pictures/logo.png"); });
    child<QCheckBox>(dialog, "textEnabledCheckBox")->setChecked(true);
    child<QLineEdit>(dialog, "textLineEdit")->setText(QStringLiteral("Confidential"));
    child<QSpinBox>(dialog, "fontSizeSpinBox")->setValue(500);  // clamps to 200
    QTest::mouseClick(child<QPushButton>(dialog, "textColorButton"), Qt::LeftButton);
    child<QSlider>(dialog, "textOpacitySlider")->setValue(80);
    child<QComboBox>(dialog, "textPositionComboBox")->setCurrentIndex(8);
    child<QSlider>(dialog, "rotationSlider")->setValue(-90);
    child<QRadioButton>(dialog, "tiledRadioButton")->setChecked(true);
    child<QCheckBox>(dialog, "imageEnabledCheckBox")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog, "browseButton"), Qt::LeftButton);
    child<QSpinBox>(dialog, "imageWidthSpinBox")->setValue(5);  // clamps to 10
    child<QSpinBox>(dialog, "imageHeightSpinBox")->setValue(150);
    child<QSlider>(dialog, "imageOpacitySlider")->setValue(100);
    child<QComboBox>(dialog, "imagePositionComboBox")->setCurrentIndex(0);

    // Cancel: the store is untouched and the controls show it again.
    dialog.reject();
    {
        QSettings check(path, QSettings::IniFormat);
        EXPECT_EQ(check.value(QStringLiteral("text")).toString(), QStringLiteral("Draft"));
        EXPECT_FALSE(check.contains(QStringLiteral("textEnabled")));
    }
    EXPECT_EQ(dialog.settings().text, QStringLiteral("Draft"));
    EXPECT_FALSE(dialog.settings().textTiledMode);

    // The same changes again, then OK.
    child<QCheckBox>(dialog, "textEnabledCheckBox")->setChecked(true);
    child<QLineEdit>(dialog, "textLineEdit")->setText(QStringLiteral("Confidential"));
    child<QSpinBox>(dialog, "fontSizeSpinBox")->setValue(500);
    QTest::mouseClick(child<QPushButton>(dialog, "textColorButton"), Qt::LeftButton);
    child<QSlider>(dialog, "textOpacitySlider")->setValue(80);
    child<QComboBox>(dialog, "textPositionComboBox")->setCurrentIndex(8);
    child<QSlider>(dialog, "rotationSlider")->setValue(-90);
    child<QRadioButton>(dialog, "tiledRadioButton")->setChecked(true);
    child<QCheckBox>(dialog, "imageEnabledCheckBox")->setChecked(true);
    QTest::mouseClick(child<QPushButton>(dialog, "browseButton"), Qt::LeftButton);
    child<QSpinBox>(dialog, "imageWidthSpinBox")->setValue(5);
    child<QSpinBox>(dialog, "imageHeightSpinBox")->setValue(150);
    child<QSlider>(dialog, "imageOpacitySlider")->setValue(100);
    child<QComboBox>(dialog, "imagePositionComboBox")->setCurrentIndex(0);
    const QImage before = dialog.previewPixmap().toImage();
    ASSERT_FALSE(before.isNull());
    QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    QSettings stored(path, QSettings::IniFormat);
    const QStringList keys{"textEnabled", "text",          "fontSize",     "fontFamily",   "textColor",
                           "textOpacity", "textPosition",  "textRotation", "textTiledMode", "imageEnabled",
                           "imagePath",   "imageWidth",    "imageHeight",  "imageOpacity", "imagePosition"};
    for (const QString& key : keys)
        EXPECT_TRUE(stored.contains(key)) << key.toStdString();
    const WatermarkSettings back = loadWatermarkSettings(stored);
    EXPECT_TRUE(back.textEnabled);
    EXPECT_EQ(back.text, QStringLiteral("Confidential"));
    EXPECT_EQ(back.fontSize, 200);
    EXPECT_EQ(back.textColor, QColor(12, 34, 56));
    EXPECT_EQ(back.textOpacity, 80);
    EXPECT_EQ(back.textPosition, 8);
    EXPECT_EQ(back.textRotation, -90);
    EXPECT_TRUE(back.textTiledMode);
    EXPECT_TRUE(back.imageEnabled);
    EXPECT_EQ(back.imagePath, QStringLiteral("/pictures/logo.png"));
    EXPECT_EQ(back.imageWidth, 10);
    EXPECT_EQ(back.imageHeight, 150);
    EXPECT_EQ(back.imageOpacity, 100);
    EXPECT_EQ(back.imagePosition, 0);

    // A second dialog on the same store starts where OK left off.
    WatermarkDialog again(nullptr, store);
    EXPECT_EQ(again.settings().text, QStringLiteral("Confidential"));
    EXPECT_EQ(again.settings().textColor, QColor(12, 34, 56));
    // Its sample shows the tiled text on the light-blue page.
    const QImage sample = again.previewPixmap().toImage();
    ASSERT_EQ(sample.size(), QSize(400, 250));
    EXPECT_EQ(QColor(sample.pixel(5, 5)), QColor(Qt::white));
    int stamped = 0;
    for (int y = 20; y < 230; ++y)
        for (int x = 20; x < 380; ++x)
            stamped += QColor(sample.pixel(x, y)) != QColor(200, 220, 240);
    EXPECT_GT(stamped, 500);
}
