#pragma once
// The stamp put on captures: a text (once, or tiled over the whole picture) and/or a logo image. One
// drawing rule serves the capture step, the live preview's overlay and the settings dialog's sample.
#include <QColor>
#include <QImage>
#include <QSize>
#include <QString>

class QPainter;
class QSettings;

// Positions 0..8: "Top Left", "Top Center", "Top Right", "Middle Left", "Center", "Middle Right",
// "Bottom Left", "Bottom Center", "Bottom Right"; anything else counts as "Center".
struct WatermarkSettings
{
    bool textEnabled = false;
    QString text = QStringLiteral("Tessaro高拍仪");
    int fontSize = 36;  // points, 8..200
    QString fontFamily = QStringLiteral("WenQuanYi Micro Hei");
    QColor textColor = QColor(0xa0, 0xa0, 0xa4);
    int textOpacity = 50;   // percent
    int textPosition = 4;
    int textRotation = -45;  // degrees, clockwise on screen, -180..180
    bool textTiledMode = false;
    bool imageEnabled = false;
    QString imagePath;
    int imageWidth = 200;   // px, the box the image is scaled into (aspect kept)
    int imageHeight = 200;  // px
    int imageOpacity = 50;  // percent
    int imagePosition = 7;
};

// The watermark's own settings store: organisation "LumadocApp", application "WatermarkSettings".
extern const char* const kWatermarkSettingsOrganization;
extern const char* const kWatermarkSettingsApplication;

// Missing keys keep their defaults.
WatermarkSettings loadWatermarkSettings(QSettings& store);
void saveWatermarkSettings(QSettings& store, const WatermarkSettings& settings);
// The same through the watermark's own store.
WatermarkSettings loadStoredWatermarkSettings();
void saveStoredWatermarkSettings(const WatermarkSettings& settings);

// Paints the enabled parts onto `painter`, whose device is `canvas` pixels large (20 px margins).
// A tiled text covers every point of the canvas at any rotation.
void paintWatermark(QPainter& painter, const QSize& canvas, const WatermarkSettings& settings);

// A stamped copy of `image` in the same format; a null image comes back null.
QImage applyWatermark(const QImage& image, const WatermarkSettings& settings);
