#pragma once
// Every option the main window keeps in the user's settings store, as one plain value. Loading cleans up
// whatever a hand-edited or older store holds, so the window never has to check a value again; saving
// writes every key at once, so the store never mixes values from two different moments.

#include <QByteArray>
#include <QColor>
#include <QString>

#include <memory>

class QSettings;

// What save/format means.
enum class SaveFormat : int
{
    Jpeg = 0,
    Png = 1,
    Bmp = 2,
    Tiff = 3,
    Pdf = 4, // one page per file
    Ofd = 5,
};

// How captures are named (save/namingMethod).
enum class NamingMethod : int
{
    DateTime = 0,
    PrefixNumber = 1,
    Barcode = 2,
    ScannerGun = 3,
};

// What the OCR command writes (ocr/outputType).
enum class OcrOutputType : int
{
    Txt = 0,
    Word = 1,
    SearchablePdf = 2, // text layer under the image
};

struct MainSettings
{
    static constexpr int kSaveFormatCount = 6;
    static constexpr int kNamingMethodCount = 4;
    static constexpr int kOcrOutputTypeCount = 3;
    static constexpr int kMinScannerGunDelayMs = 100;
    static constexpr int kMaxScannerGunDelayMs = 5000;
    static constexpr int kDefaultScannerGunDelayMs = 1000;

    QByteArray geometry;    // QWidget::saveGeometry(); empty when never saved
    QByteArray windowState; // QMainWindow::saveState(); empty when never saved
    QString language = QStringLiteral("zh_CN");

    QColor penColor = QColor(Qt::red); // always valid after load()
    int penWidth = 3;                  // pixels, >= 1
    int eraserSize = 20;               // pixels, >= 1

    bool autoSave = true;
    int saveFormat = static_cast<int>(SaveFormat::Jpeg);         // 0 … kSaveFormatCount - 1
    QString savePath = defaultSavePath();                        // never empty after load()
    int namingMethod = static_cast<int>(NamingMethod::DateTime); // 0 … kNamingMethodCount - 1
    QString filePrefix = QStringLiteral("IMG");                  // never holds a path separator
    int fileNumber = 1;                                          // next number to use, >= 1
    int scannerGunDelayMs = kDefaultScannerGunDelayMs;           // 100 … 5000

    bool voiceListening = false;
    int ocrOutputType = static_cast<int>(OcrOutputType::Txt); // 0 … kOcrOutputTypeCount - 1
    bool autoStraighten = false;

    QString cameraDevicePath; // empty: no camera remembered
    int cameraWidth = -1;     // both sides >= 1, or both -1 (no preferred resolution)
    int cameraHeight = -1;

    // The user's own choice. A working mode that switches cropping off for a while (see AutoCropState)
    // must not end up here, or a save during that mode would turn cropping off for good.
    bool autoCrop = true;
    int rotationDeg = 0; // clockwise preview rotation: 0, 90, 180 or 270

    bool hasPreferredResolution() const { return cameraWidth >= 1 && cameraHeight >= 1; }
    bool scannerGunEnabled() const { return namingMethod == static_cast<int>(NamingMethod::ScannerGun); }

    // $HOME/Pictures/Lumadoc, with "/" separators.
    static QString defaultSavePath();

    // The installation's default for automatic cropping: "Defaults/AutoCropDefault" of "appconfig.ini" in
    // `appDir`, true when the file or the key is missing or the value is not a boolean. The file is only
    // ever read.
    static bool autoCropDefault(const QString& appDir);

    // A prefix becomes part of a file name: drops path separators, characters that FAT and NTFS volumes
    // refuse (captures often go to USB sticks) and control characters.
    static QString sanitizeFilePrefix(const QString& prefix);

    // The store the application uses: ~/.config/Lumadoc/LumadocApp.conf.
    static std::unique_ptr<QSettings> openStore();

    // Reads every key, falling back to the default (or clamping, for the scanner-gun delay) for a value
    // that is missing or out of range. `appDir` holds "appconfig.ini".
    static MainSettings load(QSettings& store, const QString& appDir);

    // Writes every key, save/scannerGunEnabled included, and flushes the store. False (and a warning in
    // the log) when the store could not be written.
    bool save(QSettings& store) const;
};
