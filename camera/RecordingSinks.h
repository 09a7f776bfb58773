#pragma once
// What the wrapper needs of the application's own recorder and of the microphone. The real MP4
// recorder and microphone capture plug in behind these; tests use fakes.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>

class IAppRecorder {
public:
    virtual ~IAppRecorder() = default;
    // fps is frames per second of the source; withAudio asks for a sound track.
    virtual bool start(const QString& filePath, int width, int height, int fps, bool withAudio) = 0;
    // True when the file was finished and written.
    virtual bool stop() = 0;
    // Packed RGB24, stride width*3. Called on the camera thread; must not block on the encoder.
    virtual void pushVideoFrame(const uchar* rgb, int width, int height) = 0;
    // 16-bit signed mono PCM at 16000 Hz, from any thread.
    virtual void pushAudio(const char* pcm, int length) = 0;
    // False once the recorder has given up on its sound track.
    virtual bool acceptsAudio() const = 0;
};

// Microphone delivering 16-bit signed little-endian mono PCM at 16000 Hz.
class AudioCaptureSource : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    // True once sound is flowing.
    virtual bool start() = 0;
    virtual void stop() = 0;

signals:
    void audioDataReady(const QByteArray& pcm);
    void captureError(const QString& message);
};

// Makes one recorder and one microphone per recording. An empty function means the piece is not
// available in this build; the wrapper then refuses to record (no recorder) or records video only.
struct RecordingFactory {
    std::function<std::shared_ptr<IAppRecorder>()> makeRecorder;
    std::function<std::unique_ptr<AudioCaptureSource>()> makeMicrophone;
};
