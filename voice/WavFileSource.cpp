#include "AudioSource.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>
#include <QtEndian>

namespace voice {

bool readWavHeader(const QString& path, WavInfo* info, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error)
            *error = why;
        return false;
    };
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return fail(QStringLiteral("cannot open %1: %2").arg(path, f.errorString()));
    const QByteArray riff = f.read(12);
    if (riff.size() < 12 || !riff.startsWith("RIFF") || riff.mid(8, 4) != "WAVE")
        return fail(QStringLiteral("not a WAVE file: %1").arg(path));
    bool haveFormat = false;
    WavInfo out;
    while (!f.atEnd()) {
        const QByteArray head = f.read(8);
        if (head.size() < 8)
            break;
        const auto* h = reinterpret_cast<const uchar*>(head.constData());
        quint32 size = qFromLittleEndian<quint32>(h + 4);
        const QByteArray id = head.left(4);
        if (id == "fmt ") {
            const QByteArray fmt = f.read(qMin<qint64>(size, 64));
            if (fmt.size() < 16)
                return fail(QStringLiteral("short format record in %1").arg(path));
            const auto* p = reinterpret_cast<const uchar*>(fmt.constData());
            const int tag = qFromLittleEndian<quint16>(p);
            out.format.channels = qFromLittleEndian<quint16>(p + 2);
            out.format.sampleRateHz = int(qFromLittleEndian<quint32>(p + 4));
            const int bits = qFromLittleEndian<quint16>(p + 14);
            // The extensible record carries the real kind in the first two bytes of its GUID (offset 24).
            const int subTag = fmt.size() >= 26 ? qFromLittleEndian<quint16>(p + 24) : 0;
            out.format.sample = sampleFormatFromWave(tag, bits, subTag);
            if (!out.format.isValid())
                return fail(QStringLiteral("unsupported WAVE format tag=%1 bits=%2 in %3")
                                .arg(tag)
                                .arg(bits)
                                .arg(path));
            haveFormat = true;
            f.seek(f.pos() - fmt.size() + size + (size & 1));
        } else if (id == "data") {
            if (!haveFormat)
                return fail(QStringLiteral("data before format in %1").arg(path));
            out.dataOffset = f.pos();
            // Streams written by pipes put 0xFFFFFFFF or 0 here; the file's end is the real limit.
            const qint64 rest = f.size() - out.dataOffset;
            out.dataBytes = (size == 0 || size == 0xFFFFFFFFu || qint64(size) > rest) ? rest : qint64(size);
            out.dataBytes -= out.dataBytes % out.format.bytesPerFrame();
            *info = out;
            return true;
        } else {
            f.seek(f.pos() + size + (size & 1));
        }
    }
    return fail(QStringLiteral("no sample data in %1").arg(path));
}

namespace {

class WavFileSource : public IAudioSource
{
public:
    WavFileSource(const QString& path, FilePace pace) : m_path(path), m_pace(pace) {}

    QString name() const override { return QStringLiteral("WAV file"); }

    bool open(QString* error) override
    {
        if (!readWavHeader(m_path, &m_info, error))
            return false;
        m_file.setFileName(m_path);
        if (!m_file.open(QIODevice::ReadOnly) || !m_file.seek(m_info.dataOffset)) {
            if (error)
                *error = m_file.errorString();
            return false;
        }
        m_readBytes = 0;
        m_clock.start();
        return true;
    }

    AudioFormat format() const override { return m_info.format; }

    ReadResult read(QByteArray* packet, QString* error) override
    {
        if (m_readBytes >= m_info.dataBytes)
            return ReadResult::End;
        const int frameBytes = m_info.format.bytesPerFrame();
        const qint64 chunk = qMin<qint64>(qint64(m_info.format.sampleRateHz / 10) * frameBytes,
                                          m_info.dataBytes - m_readBytes);
        if (m_pace == FilePace::RealTime) {
            // Hand out a block only when its last sample would have been spoken by now.
            const qint64 dueMs = (m_readBytes + chunk) / frameBytes * 1000 / m_info.format.sampleRateHz;
            const qint64 waitMs = dueMs - m_clock.elapsed();
            if (waitMs > 0)
                QThread::msleep(quint64(qMin<qint64>(waitMs, 100)));
            if (dueMs > m_clock.elapsed())
                return ReadResult::Data; // nothing yet; the loop asks again
        }
        const QByteArray bytes = m_file.read(chunk);
        if (bytes.size() != chunk) {
            if (error)
                *error = QStringLiteral("read error in %1").arg(m_path);
            return ReadResult::Lost;
        }
        m_readBytes += chunk;
        packet->append(bytes);
        return ReadResult::Data;
    }

    void close() override { m_file.close(); }

private:
    QString m_path;
    FilePace m_pace;
    WavInfo m_info;
    QFile m_file;
    qint64 m_readBytes = 0;
    QElapsedTimer m_clock;
};

} // namespace

std::unique_ptr<IAudioSource> makeWavFileSource(const QString& path, FilePace pace)
{
    return std::make_unique<WavFileSource>(path, pace);
}

} // namespace voice
