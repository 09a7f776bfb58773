#pragma once
// Reads a recorded file back with the system's ffprobe and ffmpeg, independent of the code that wrote it.
#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QVector>

namespace mediaprobe {

struct StreamInfo
{
    QString type; // "video" or "audio"
    QString codec;
    QString pixelFormat;
    int width = 0;
    int height = 0;
    int sampleRate = 0;
    int channels = 0;
    int frames = 0; // decoded frames (video), with counting asked for
};

struct FileInfo
{
    bool readable = false;
    double durationSec = 0;
    QVector<StreamInfo> streams;
    const StreamInfo* find(const QString& type) const;
};

// ffprobe -show_streams -show_format; countFrames decodes every frame to count them.
FileInfo probe(const QString& path, bool countFrames = false);

// The sound decoded to 16-bit mono at 16000 Hz (empty when there is none).
QVector<qint16> decodeAudio(const QString& path);

// The mean luma of every decoded video frame, scaled to a width of 32, with its time in seconds.
struct FrameLuma
{
    double timeSec = 0;
    double luma = 0;
};
QVector<FrameLuma> decodeVideoLuma(const QString& path);

} // namespace mediaprobe
