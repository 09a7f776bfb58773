#pragma once
// Where the capture thread takes its sound from: the sound server, the sound card, or a WAVE file.
// A source is created, opened, read and closed on the capture thread only.

#include "AudioFormat.h"

#include <QByteArray>
#include <QString>
#include <memory>

namespace voice {

class IAudioSource
{
public:
    virtual ~IAudioSource() = default;
    // The mechanism's name for log lines and messages ("PulseAudio", "ALSA", "WAV file").
    virtual QString name() const = 0;
    // Opens the device; on failure `error` names the step that failed.
    virtual bool open(QString* error) = 0;
    // The format of what read() returns; valid after a successful open.
    virtual AudioFormat format() const = 0;
    enum class ReadResult
    {
        Data,
        End,
        Lost
    };
    // Blocks for at most about 100 ms and appends whole frames to `packet` (it may append none).
    // End: a finite source has nothing more. Lost: the device went away (`error` says why).
    virtual ReadResult read(QByteArray* packet, QString* error) = 0;
    virtual void close() = 0;
};

// The default input of the PulseAudio server (also what PipeWire offers through its Pulse layer).
std::unique_ptr<IAudioSource> makePulseAudioSource();
// The ALSA "default" capture device, for systems without a sound server.
std::unique_ptr<IAudioSource> makeAlsaSource(const QString& device = QStringLiteral("default"));

// A WAVE file (16-bit or 32-bit integer PCM, 32-bit float, plain or extensible header) read as if it
// were a microphone: at the real-time pace, or as fast as the reader takes it.
enum class FilePace
{
    RealTime,
    AsFastAsPossible
};
std::unique_ptr<IAudioSource> makeWavFileSource(const QString& path, FilePace pace);

// The header of a WAVE file: its format and where its sample data lie. False for anything else.
struct WavInfo
{
    AudioFormat format;
    qint64 dataOffset = 0;
    qint64 dataBytes = 0;
};
bool readWavHeader(const QString& path, WavInfo* info, QString* error);

} // namespace voice
