#include "ZipWriter.h"

#include <QBuffer>
#include <QDebug>
#include <QIODevice>

#include <array>

namespace {

constexpr int kLocalHeaderBytes = 30;
constexpr int kCentralRecordBytes = 46;
constexpr int kEndRecordBytes = 22;
constexpr quint16 kVersion = 20;
constexpr quint16 kDosDate = 0x0021; // 1 January 1980: the package carries no real timestamps

const std::array<quint32, 256>& crcTable()
{
    // A function-local static is built once and safely from any thread.
    static const std::array<quint32, 256> table = [] {
        std::array<quint32, 256> t{};
        for (quint32 n = 0; n < 256; ++n) {
            quint32 c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    return table;
}

void put16(QByteArray& out, quint16 value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

void put32(QByteArray& out, quint32 value)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.append(char((value >> shift) & 0xFF));
}

} // namespace

namespace zip {

quint32 crc32(const QByteArray& data)
{
    const auto& table = crcTable();
    quint32 c = 0xFFFFFFFFu;
    const auto* p = reinterpret_cast<const uchar*>(data.constData());
    for (int i = 0, n = data.size(); i < n; ++i)
        c = table[(c ^ p[i]) & 0xFF] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}

qint64 packageSize(const QVector<QPair<qint64, qint64>>& nameAndDataBytes)
{
    qint64 size = kEndRecordBytes;
    for (const auto& entry : nameAndDataBytes)
        size += kLocalHeaderBytes + kCentralRecordBytes + 2 * entry.first + entry.second;
    return size;
}

} // namespace zip

ZipWriter::ZipWriter(QIODevice* device, qint64 maxBytes)
    : m_device(device), m_maxBytes(qMin(maxBytes, zip::kMaxPackageBytes))
{
}

bool ZipWriter::write(const QByteArray& bytes)
{
    if (m_device->write(bytes) != bytes.size()) {
        m_error = QStringLiteral("write failed: %1").arg(m_device->errorString());
        return false;
    }
    m_offset += bytes.size();
    return true;
}

bool ZipWriter::addEntry(const QString& name, const QByteArray& data)
{
    if (!m_error.isEmpty())
        return false;
    const QByteArray utf8Name = name.toUtf8();
    if (m_entryCount >= zip::kMaxEntries) {
        m_error = QStringLiteral("a package holds at most %1 entries").arg(zip::kMaxEntries);
        return false;
    }
    if (utf8Name.size() > 0xFFFF) {
        m_error = QStringLiteral("entry name too long: %1 bytes").arg(utf8Name.size());
        return false;
    }
    // What the package will measure with this entry and its end record: every offset and size field
    // must still hold it.
    const qint64 after = m_offset + kLocalHeaderBytes + utf8Name.size() + data.size() +
                         m_centralDirectory.size() + kCentralRecordBytes + utf8Name.size() + kEndRecordBytes;
    if (after > m_maxBytes) {
        m_error = QStringLiteral("the package would measure %1 bytes, more than the %2 allowed")
                      .arg(after)
                      .arg(m_maxBytes);
        return false;
    }

    const quint32 crc = zip::crc32(data);
    const quint32 size = quint32(data.size());
    const quint32 localOffset = quint32(m_offset);

    QByteArray header;
    header.reserve(kLocalHeaderBytes + utf8Name.size());
    put32(header, 0x04034B50);
    put16(header, kVersion);
    put16(header, 0); // flags
    put16(header, 0); // stored
    put16(header, 0); // time
    put16(header, kDosDate);
    put32(header, crc);
    put32(header, size);
    put32(header, size);
    put16(header, quint16(utf8Name.size()));
    put16(header, 0); // extra field
    header.append(utf8Name);

    QByteArray& central = m_centralDirectory;
    put32(central, 0x02014B50);
    put16(central, kVersion); // made by
    put16(central, kVersion); // needed
    put16(central, 0);
    put16(central, 0);
    put16(central, 0);
    put16(central, kDosDate);
    put32(central, crc);
    put32(central, size);
    put32(central, size);
    put16(central, quint16(utf8Name.size()));
    put16(central, 0); // extra
    put16(central, 0); // comment
    put16(central, 0); // disk
    put16(central, 0); // internal attributes
    put32(central, 0); // external attributes
    put32(central, localOffset);
    central.append(utf8Name);
    ++m_entryCount;

    return write(header) && write(data);
}

bool ZipWriter::finish()
{
    if (!m_error.isEmpty())
        return false;
    const quint32 directoryOffset = quint32(m_offset);
    QByteArray end;
    put32(end, 0x06054B50);
    put16(end, 0);
    put16(end, 0);
    put16(end, quint16(m_entryCount));
    put16(end, quint16(m_entryCount));
    put32(end, quint32(m_centralDirectory.size()));
    put32(end, directoryOffset);
    put16(end, 0); // comment
    return write(m_centralDirectory) && write(end);
}

QByteArray buildZip(const QVector<ZipEntry>& entries, QString* error)
{
    QString failure;
    // Refused before a single byte is copied: a package too large for a byte array must not first
    // exhaust memory and then come out truncated.
    if (entries.size() > zip::kMaxEntries) {
        failure = QStringLiteral("%1 entries, a package holds at most %2")
                      .arg(entries.size())
                      .arg(zip::kMaxEntries);
    } else {
        QVector<QPair<qint64, qint64>> sizes;
        sizes.reserve(entries.size());
        for (const ZipEntry& entry : entries)
            sizes.append({entry.name.toUtf8().size(), entry.data.size()});
        const qint64 total = zip::packageSize(sizes);
        if (total > zip::kMaxInMemoryPackageBytes)
            failure = QStringLiteral("the package would measure %1 bytes, more than a byte array holds (%2)")
                          .arg(total)
                          .arg(zip::kMaxInMemoryPackageBytes);
        else {
            QByteArray out;
            out.reserve(int(total));
            QBuffer buffer(&out);
            buffer.open(QIODevice::WriteOnly);
            ZipWriter writer(&buffer, zip::kMaxInMemoryPackageBytes);
            bool ok = true;
            for (const ZipEntry& entry : entries) {
                if (!(ok = writer.addEntry(entry.name, entry.data)))
                    break;
            }
            if (ok && writer.finish()) {
                buffer.close();
                return out;
            }
            failure = writer.errorString();
        }
    }
    qWarning().noquote() << "[OFD] zip refused:" << failure;
    if (error)
        *error = failure;
    return QByteArray();
}
