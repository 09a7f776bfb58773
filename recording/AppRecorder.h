#pragma once
// The application's own MP4 recorder: camera frames (packed RGB24) and microphone blocks (16-bit mono
// PCM at 16000 Hz) go into two bounded queues from any thread; the recorder's own thread scales,
// encodes (H.264, MPEG-4 Part 2 when x264 is missing; AAC) and writes a fragmented MP4 straight to
// the output path, so a recording cut short by a crash still plays up to its last fragment.
#include "RecordingSinks.h"

#include <QByteArray>
#include <QMutex>
#include <QSize>
#include <QString>
#include <QThread>

#include <atomic>
#include <deque>
#include <functional>
#include <memory>

class AppRecorder : public QThread, public IAppRecorder
{
    Q_OBJECT
public:
    static constexpr int kMaxQueuedVideoFrames = 24;
    static constexpr int kMaxQueuedAudioBlocks = 201;
    static constexpr int kAudioSampleRate = 16000;
    static constexpr int kMaxDestinationWidth = 1920;
    static constexpr int kMaxDestinationHeight = 1440;

    // Milliseconds on a monotonic clock; only differences matter.
    using Clock = std::function<qint64()>;

    struct Options
    {
        QString videoEncoder = QStringLiteral("libx264");
        QString audioEncoder = QStringLiteral("aac");
        // x264 preset; empty picks one by the pixel rate (choosePreset).
        QString preset;
        // Saves a source frame now and then into "diag/" of the working folder. Off unless asked
        // for (or LUMADOC_REC_DIAG=1): a PNG encode on the encoding thread costs frames.
        bool diagnosticSnapshots = false;
        // Null: a steady clock started by start().
        Clock clock;
    };

    explicit AppRecorder(QObject* parent = nullptr);
    AppRecorder(Options options, QObject* parent = nullptr);
    ~AppRecorder() override;

    // fps <= 0 means 30. False when already started or on any set-up failure (nothing is left open).
    bool start(const QString& filePath, int width, int height, int fps, bool withAudio) override;
    // Encodes everything still queued, finishes the file and releases the encoders. False when not
    // started, when no frame was written, or when a write, the trailer or the close failed.
    bool stop() override;
    void pushVideoFrame(const uchar* rgb, int width, int height) override;
    void pushAudio(const char* pcm, int length) override;
    bool acceptsAudio() const override;

    // Frames waiting for the encoder; synthetic sources use it to keep pace without drops.
    int queuedVideoFrames() const;
    // Frames dropped because the queue was full, since start.
    int droppedVideoFrames() const { return m_droppedFrames; }
    int encodedVideoFrames() const { return m_encodedFrames; }
    QString videoCodecName() const { return m_videoCodecName; }
    QString presetUsed() const { return m_presetUsed; }

    // Output size for a source: at most 1920x1440, aspect kept, even, at least 2x2.
    static QSize destinationSize(const QSize& source);
    // H.264 rate cap in bits per second: 300 bits per 1000 pixels of each frame, 8 to 25 Mbit/s.
    static qint64 rateCapBps(int width, int height, int fps);
    // The slowest (best) x264 preset that uses at most half of a 2-core machine at this pixel rate.
    static QString choosePreset(int width, int height, int fps);

signals:
    void errorOccurred(QString msg);

protected:
    void run() override;

private:
    struct VideoItem
    {
        QByteArray rgb;
        int width = 0;
        int height = 0;
        qint64 timeMs = 0;
    };
    struct AudioItem
    {
        QByteArray pcm;
        qint64 timeMs = 0;
    };
    struct Output;

    qint64 nowMs() const;
    bool initVideo();
    bool initAudio();
    void release();
    void encodeVideo(const VideoItem& item);
    void encodeAudio(const AudioItem& item);
    void encodeAudioFrame(const char* pcm, int samples);
    void flushAudioRemainder();
    // Sends frame (null: end of stream) and writes every packet the encoder has ready.
    bool sendAndWrite(bool video, struct AVFrame* frame);
    void drainEncoder(bool video);
    void saveSnapshot(const VideoItem& item);

    Options m_options;
    std::unique_ptr<Output> m_out;
    QString m_videoCodecName;
    QString m_presetUsed;

    QSize m_sourceSize;
    QSize m_destinationSize;
    int m_fps = 30;
    bool m_audioRequested = false;
    std::atomic<bool> m_audioReady{false};
    std::atomic<bool> m_started{false};
    std::atomic<bool> m_running{false};
    std::atomic<bool> m_writeFailed{false};
    qint64 m_clockStartMs = 0;

    qint64 m_lastVideoPts = -1;
    int m_clampCount = 0;
    std::atomic<int> m_droppedFrames{0};
    std::atomic<int> m_encodedFrames{0};
    qint64 m_videoPackets = 0;
    qint64 m_lastSnapshotMs = -1;
    double m_encodeMsSum = 0;
    int m_encodeCount = 0;

    std::atomic<qint64> m_audioBlocks{0};
    std::atomic<qint64> m_audioBytes{0};
    std::atomic<bool> m_firstAudioLogged{false};
    QByteArray m_pendingAudio;
    // Sample index (on the recording's timeline) of the first pending sample; -1 before any sound.
    qint64 m_audioNextPts = -1;

    mutable QMutex m_mutex;
    std::deque<VideoItem> m_videoQueue;
    std::deque<AudioItem> m_audioQueue;
};
