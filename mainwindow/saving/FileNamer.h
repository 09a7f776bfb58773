#pragma once
// The one rule that names every capture, whether or not it is written to disk afterwards.

#include <QDateTime>
#include <QImage>
#include <QString>

#include <functional>

class ICodeDecoder;

// The part of the settings that naming consumes. The caller persists `fileNumber` (save/fileNumber):
// generateFileName takes a number whenever it makes a prefix name, saved or not.
struct FileNumberCounter
{
    int fileNumber = 1; // the next number to hand out, >= 1
};

struct NamingOptions
{
    int namingMethod = 0; // save/namingMethod: 0 date, 1 prefix + number, 2 barcode, 3 scanner gun
    int saveFormat = 0;   // save/format: picks the extension
    QString filePrefix;   // save/filePrefix, used by methods 1 and 3
};

namespace saving {

using Clock = std::function<QDateTime()>;

// The local wall clock; what every production caller uses.
QDateTime systemNow();

// ".jpg", ".png", ".bmp", ".tif", ".pdf", ".ofd"; a value outside 0 … 5 means JPEG.
QString saveFormatExtension(int saveFormat);
// "JPEG", "PNG", "BMP", "TIFF", "PDF", "OFD"; a value outside 0 … 5 means JPEG.
QString saveFormatName(int saveFormat);

// Characters refused in a file name: < > : " / \ | ? * and every control character. FAT and NTFS
// volumes refuse them, and captures often go to USB sticks formatted that way.
bool isInvalidFileNameChar(QChar c);
bool containsInvalidFileNameChar(const QString& name);

// Drops dots and blanks at the front of a name: a name starting with "." is hidden from file
// managers and `ls`, so every capture would seem to vanish ("../../x" cleaned of "/" is "....x").
QString withoutLeadingDotsAndBlanks(const QString& name);

// Bytes of a file name the publishing step may still add: a clash suffix ("_20240131_142502_123_2" at
// most) and the temporary name around it ("." in front, ".lumadoc-XXXXXX" before the extension).
constexpr int kMaxFileNameBytes = 255;
constexpr int kClashSuffixReserveBytes = 32;
constexpr int kTemporaryNameReserveBytes = 16;

// A file name (with `extension`, e.g. ".jpg") from a decoded code: invalid characters become "_", and
// the code is cut at a character boundary so that the UTF-8 name, any clash suffix and the temporary
// name stay within 255 bytes. Empty when nothing of the code is left (an empty code).
QString safeCodeFileName(const QString& code, const QString& extension);

} // namespace saving

class FileNamer
{
public:
    // `decoder` may be null (barcode naming then falls back to the date name); it must outlive the namer.
    explicit FileNamer(ICodeDecoder* decoder = nullptr, saving::Clock clock = saving::systemNow);

    void setDecoder(ICodeDecoder* decoder) { m_decoder = decoder; }

    // Base name + extension. Methods 1 and 3 take `counter.fileNumber` and advance it.
    QString generateFileName(const QImage& image, const NamingOptions& options,
                             FileNumberCounter& counter) const;

    // "IMG_yyyyMMdd_hhmmss_zzz" at the clock's current time.
    QString dateBaseName() const;

    // "%1_%2": the prefix and the number with at least four digits (DOC_0007, DOC_12345).
    static QString prefixBaseName(const QString& prefix, int number);

private:
    ICodeDecoder* m_decoder;
    saving::Clock m_clock;
};
