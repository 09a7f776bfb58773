#include "MediaProbe.h"

#include <QJsonDocument>
#include <QProcess>

#include <cstring>

namespace mediaprobe {
namespace {

QByteArray runTool(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForStarted(10000))
        return {};
    process.closeWriteChannel();
    QByteArray out;
    while (process.state() != QProcess::NotRunning) {
        process.waitForReadyRead(1000);
        out += process.readAllStandardOutput();
    }
    out += process.readAllStandardOutput();
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0 ? out : QByteArray();
}

} // namespace

const StreamInfo* FileInfo::find(const QString& type) const
{
    for (const StreamInfo& s : streams)
        if (s.type == type)
            return &s;
    return nullptr;
}

FileInfo probe(const QString& path, bool countFrames)
{
    QStringList args{"-v", "error", "-show_streams", "-show_format", "-of", "json"};
    if (countFrames)
        args << "-count_frames";
    args << path;
    const QJsonObject root = QJsonDocument::fromJson(runTool("ffprobe", args)).object();
    FileInfo info;
    if (root.isEmpty())
        return info;
    info.readable = true;
    info.durationSec = root.value("format").toObject().value("duration").toString().toDouble();
    for (const QJsonValue& v : root.value("streams").toArray()) {
        const QJsonObject s = v.toObject();
        StreamInfo stream;
        stream.type = s.value("codec_type").toString();
        stream.codec = s.value("codec_name").toString();
        stream.pixelFormat = s.value("pix_fmt").toString();
        stream.width = s.value("width").toInt();
        stream.height = s.value("height").toInt();
        stream.sampleRate = s.value("sample_rate").toString().toInt();
        stream.channels = s.value("channels").toInt();
        stream.frames = s.value("nb_read_frames").toString().toInt();
        info.streams.append(stream);
    }
    return info;
}

QVector<qint16> decodeAudio(const QString& path)
{
    const QByteArray raw = runTool("ffmpeg", {"-v", "error", "-i", path, "-map", "0:a:0", "-f", "s16le",
                                              "-ac", "1", "-ar", "16000", "-"});
    QVector<qint16> samples(raw.size() / 2);
    std::memcpy(samples.data(), raw.constData(), size_t(samples.size()) * 2);
    return samples;
}

QVector<FrameLuma> decodeVideoLuma(const QString& path)
{
    // Every frame with its own time: showinfo would need parsing of the log, so the frames come out
    // one 32x2 grey picture each and the times from ffprobe.
    const QByteArray raw =
        runTool("ffmpeg", {"-v", "error", "-i", path, "-map", "0:v:0", "-vsync", "passthrough", "-vf",
                           "scale=32:2", "-pix_fmt", "gray", "-f", "rawvideo", "-"});
    const QJsonObject root =
        QJsonDocument::fromJson(
            runTool("ffprobe", {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                "frame=pts_time,best_effort_timestamp_time", "-of", "json", path}))
            .object();
    const QJsonArray frames = root.value("frames").toArray();
    QVector<FrameLuma> out;
    const int frameBytes = 64;
    for (int i = 0; i < frames.size() && (i + 1) * frameBytes <= raw.size(); ++i) {
        const QJsonObject f = frames[i].toObject();
        QString t = f.value("pts_time").toString();
        if (t.isEmpty())
            t = f.value("best_effort_timestamp_time").toString();
        double sum = 0;
        for (int b = 0; b < frameBytes; ++b)
            sum += uchar(raw[i * frameBytes + b]);
        out.append({t.toDouble(), sum / frameBytes});
    }
    return out;
}

} // namespace mediaprobe
