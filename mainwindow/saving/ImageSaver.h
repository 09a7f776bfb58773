#pragma once
// Writes captures into the save directory: the automatic save after each capture, its scanner-gun
// variant, and the interactive "Save Image" command. Everything here runs on the caller's (main)
// thread and tells the user through a status text the caller shows; nothing raises a dialog.

#include "FileNamer.h"

#include <QByteArray>
#include <QImage>
#include <QString>

class ISinglePageExporter;
class QIODevice;

struct SaveResult
{
    bool ok = false;
    QString writtenPath; // the file really written (clash suffix included), native separators
    QString statusText;  // for the status bar; translated
    int statusDurationMs = 0;
    bool formatNotAvailable = false; // PDF or OFD without an exporter: nothing was written
    bool diskFull = false;           // ... because the disk holding the save folder is full
};

// One way of encoding, tried in order until one works.
struct EncodeAttempt
{
    QByteArray format;         // Qt image format name, e.g. "JPEG", "png"
    int quality = -1;          // -1: the format's default
    bool useWriter = false;    // QImageWriter rather than QImage::save
    bool softwareText = false; // PNG text entry "Software" = "Lumadoc"
};

class ImageSaver
{
public:
    static constexpr int kStatusDurationMs = 3000;
    static constexpr int kFailureReportDurationMs = 15000;
    static constexpr int kMaxPathChars = 260;
    // How many names ("base", "base_2" … ) are tried before a save gives up on clashes.
    static constexpr int kMaxClashAttempts = 10000;

    explicit ImageSaver(saving::Clock clock = saving::systemNow);
    virtual ~ImageSaver();

    // Exporters for formats 4 and 5; null (the default) until the export code is wired in. They must
    // outlive the saver.
    void setPdfExporter(ISinglePageExporter* exporter) { m_pdfExporter = exporter; }
    void setOfdExporter(ISinglePageExporter* exporter) { m_ofdExporter = exporter; }

    // After publishing, a pool thread flushes the file to the disk, so that pulling a USB stick soon after
    // a capture does not lose it, without the main thread waiting for the device. On by default.
    void setSyncInBackground(bool on) { m_syncInBackground = on; }

    // The automatic save of a capture: `fileName` from FileNamer::generateFileName, `savePath` the
    // save/path setting (empty: $HOME/Pictures/Lumadoc), `saveFormat` the save/format setting. An
    // existing file is never replaced: the name gets "_2", "_3" … instead. On ok the caller saves all
    // settings, which persists the file number.
    SaveResult saveCapture(const QImage& image, const QString& fileName, const QString& savePath,
                           int saveFormat);

    // The scanner-gun variant: the same directory handling, a name that exists gets the current time
    // ("CODE_20240131_142502_123.jpg"), simpler encoding, and the caller does not save the settings.
    SaveResult saveBarcodeCapture(const QImage& image, const QString& fileName, const QString& savePath,
                                  int saveFormat);

    // Writes a changed capture (a flattened page) over its own file, in the format its suffix names:
    // JPEG quality 75, TIFF, PNG, BMP, or a one-page PDF or OFD through the exporter (from a temporary
    // JPEG, quality 85). The old file is replaced in one step, so a failure leaves it as it was. An empty
    // path writes nothing and fails.
    bool replaceFile(const QImage& image, const QString& filePath);

    // `savePath`, or $HOME/Pictures/Lumadoc (with "/") when it is empty.
    static QString resolveSaveDirectory(const QString& savePath);

protected:
    // One encoding attempt of `image` into `device`, which is open and empty. Tests override it to play
    // an encoder that fails half-way.
    virtual bool encode(const QImage& image, QIODevice& device, const EncodeAttempt& attempt);

private:
    struct WriteOutcome
    {
        bool ok = false;
        QString writtenPath;
        bool diskFull = false;
    };
    enum class Route
    {
        Capture,
        Barcode
    };

    SaveResult save(Route route, const QImage& image, const QString& fileName, const QString& savePath,
                    int saveFormat);
    WriteOutcome writeEncoded(const QImage& image, const QList<EncodeAttempt>& attempts, const QString& dir,
                              const QString& fileName, Route route);
    WriteOutcome writeThroughExporter(ISinglePageExporter& exporter, const QImage& image, const QString& dir,
                                      const QString& fileName, Route route);
    QString failureReport(const QString& nativePath, const QString& formatName, const QImage& original,
                          const QImage& compatible, const QString& dir) const;
    void syncInBackground(const QString& path) const;

    saving::Clock m_clock;
    ISinglePageExporter* m_pdfExporter = nullptr;
    ISinglePageExporter* m_ofdExporter = nullptr;
    bool m_syncInBackground = true;
};

// "Save Image": writes `image` to the path the user chose (and confirmed, should it exist), in the
// format its suffix names, at the format's default quality. The file there is replaced in one step, so
// it is never left half-written. False when the suffix names no format Qt can write or writing failed.
bool saveImageToPath(const QImage& image, const QString& path);

// The name the "Save Image" dialog proposes: "yyyyMMdd_hhmmss.png".
QString proposedSaveImageName(const QDateTime& now);
