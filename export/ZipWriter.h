#pragma once
// Our own ZIP writer for OFD packages: stored entries (no compression), CRC-32, no data descriptors and
// no ZIP64. The 16-bit entry count and 32-bit sizes and offsets of that layout limit a package; the
// writer refuses an entry that would break a limit instead of writing a corrupt archive.

#include <QByteArray>
#include <QString>
#include <QVector>

class QIODevice;

struct ZipEntry
{
    QString name; // written as UTF-8
    QByteArray data;
};

namespace zip {
// Entry count field of the end record.
constexpr int kMaxEntries = 0xFFFF;
// Sizes and offsets are 32-bit fields.
constexpr qint64 kMaxPackageBytes = 0xFFFFFFFFLL;
// A package built in one QByteArray cannot exceed what a Qt 5 byte array holds (its int size less its
// own header), well below the format's 4 GiB.
constexpr qint64 kMaxInMemoryPackageBytes = 0x7FFFFFFFLL - 64;

// Standard CRC-32 (reflected polynomial 0xEDB88320); crc32("abc") == 0x352441C2.
quint32 crc32(const QByteArray& data);

// Exact size of the package buildZip writes for entries with these name (UTF-8) and data sizes.
qint64 packageSize(const QVector<QPair<qint64, qint64>>& nameAndDataBytes);
} // namespace zip

// Writes a package entry by entry to a device, so the pages of a long document need not all be in
// memory; the central directory (a few dozen bytes per entry) is kept until finish().
class ZipWriter
{
public:
    // `maxBytes`: the largest package the destination may receive (at most zip::kMaxPackageBytes).
    explicit ZipWriter(QIODevice* device, qint64 maxBytes = zip::kMaxPackageBytes);

    // Appends one stored entry. False, with errorString(), when the package would break a limit or
    // the device refuses the bytes; nothing of that entry is written then.
    bool addEntry(const QString& name, const QByteArray& data);
    // Writes the central directory and the end record.
    bool finish();

    int entryCount() const { return m_entryCount; }
    qint64 bytesWritten() const { return m_offset; }
    QString errorString() const { return m_error; }

private:
    bool write(const QByteArray& bytes);

    QIODevice* m_device;
    qint64 m_maxBytes;
    qint64 m_offset = 0;
    int m_entryCount = 0;
    QByteArray m_centralDirectory;
    QString m_error;
};

// The whole package in memory, byte for byte what ZipWriter writes. Empty, with `*error` set, when the
// entries exceed 65,535 or the package would not fit in a byte array.
QByteArray buildZip(const QVector<ZipEntry>& entries, QString* error = nullptr);
