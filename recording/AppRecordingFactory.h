#pragma once
// What the camera wrapper records with in the program: an AppRecorder per recording and the voice
// module's microphone capture.
#include "AudioCapture.h"
#include "RecordingSinks.h"

#include <functional>
#include <vector>

// The microphone as the wrapper wants it. Blocks leave on the capture thread; the wrapper queues
// them to its own thread.
class MicrophoneSource : public AudioCaptureSource
{
    Q_OBJECT
public:
    // Empty sources: the system's microphone (PulseAudio, then ALSA).
    explicit MicrophoneSource(std::vector<AudioCapture::SourceFactory> sources = {},
                              QObject* parent = nullptr);
    // Told whether each start succeeded (the wrapper only logs it).
    void setStartObserver(std::function<void(bool)> observer) { m_startObserver = std::move(observer); }
    // The wrapper may end a recording on a pool thread: the capture thread is joined there, and the
    // capture object itself is deleted on the thread it belongs to.
    ~MicrophoneSource() override;

    bool start() override;
    void stop() override;

private:
    AudioCapture* m_capture = nullptr;
    std::function<void(bool)> m_startObserver;
};

struct AppRecordingOptions
{
    bool microphone = true;
    // Where the microphone's sound comes from; empty: the system's microphone.
    std::vector<AudioCapture::SourceFactory> audioSources;
    // Called with the result of every microphone start.
    std::function<void(bool)> microphoneStarted;
};

// Recorders are deleted on the thread they belong to (at once there, later from any other thread).
RecordingFactory makeAppRecordingFactory(AppRecordingOptions options = {});
