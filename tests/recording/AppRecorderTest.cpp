// The recorder is fed synthetic pictures and sound on a clock the test drives, and its files are read
// back with ffprobe and ffmpeg: what a player would see is what is checked.
#include "AppRecorder.h"
#include "MediaProbe.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>

namespace {

constexpr int kRate = AppRecorder::kAudioSampleRate;

struct Feed
{
    QSize size{320, 240};
    int fps = 30;
    int durationMs = 1000;
    bool audio = false;
    double toneHz = 0;    // a continuous tone at a quarter of full scale
    QVector<int> flashMs; // a white picture and a loud click start at each of these times
    int audioBlockMs = 100;
    int audioJitterMs = 0; // blocks arrive up to this much late, alternately
    double micSkew = 0;    // the microphone's clock runs this much fast (0.02 = 2 %)
    int lostFromMs = -1;   // blocks ending in [lostFromMs, lostToMs) never arrive
    int lostToMs = -1;
};

// Pushes the feed as a camera and a microphone would, moving the clock to each event's time, and
// waits for the encoder instead of letting the queue overflow. Returns the frames pushed.
int runFeed(AppRecorder& recorder, std::atomic<qint64>& clock, const Feed& feed)
{
    const int w = feed.size.width();
    const int h = feed.size.height();
    QByteArray dark(w * h * 3, char(16));
    QByteArray white(w * h * 3, char(235));
    const int samplesPerBlock = kRate * feed.audioBlockMs / 1000;
    const double micRate = kRate * (1 + feed.micSkew); // samples per second of the test's clock
    const qint64 base = clock.load();                  // the feed starts where the clock stands
    qint64 nextSample = 0;
    int frame = 0;
    int block = 0;
    int pushed = 0;
    while (true) {
        const qint64 videoMs = qint64(frame) * 1000 / feed.fps;
        const qint64 audioEndMs = qint64(std::llround((nextSample + samplesPerBlock) * 1000.0 / micRate));
        const qint64 audioMs = audioEndMs + ((block % 2) ? feed.audioJitterMs : 0);
        const bool videoDue = videoMs < feed.durationMs;
        const bool audioDue = feed.audio && audioEndMs <= feed.durationMs;
        if (!videoDue && !audioDue)
            break;
        if (videoDue && (!audioDue || videoMs <= audioMs)) {
            clock = base + videoMs;
            while (recorder.queuedVideoFrames() >= AppRecorder::kMaxQueuedVideoFrames - 4)
                QThread::msleep(2);
            bool flash = false;
            for (int f : feed.flashMs)
                flash = flash || (videoMs >= f && videoMs < f + 200);
            recorder.pushVideoFrame(reinterpret_cast<const uchar*>((flash ? white : dark).constData()), w, h);
            ++pushed;
            ++frame;
        } else {
            clock = base + audioMs;
            QVector<qint16> pcm(samplesPerBlock);
            for (int i = 0; i < samplesPerBlock; ++i, ++nextSample) {
                double v = feed.toneHz > 0 ? 8000 * std::sin(2 * M_PI * feed.toneHz * nextSample / kRate) : 0;
                const double takenMs = nextSample * 1000.0 / micRate;
                for (int f : feed.flashMs)
                    if (takenMs >= f && takenMs < f + 10)
                        v = 30000;
                pcm[i] = qint16(v);
            }
            if (audioEndMs < feed.lostFromMs || audioEndMs >= feed.lostToMs)
                recorder.pushAudio(reinterpret_cast<const char*>(pcm.constData()), samplesPerBlock * 2);
            ++block;
        }
    }
    return pushed;
}

AppRecorder::Options clockedOptions(std::atomic<qint64>& clock)
{
    AppRecorder::Options options;
    options.clock = [&clock] { return clock.load(); };
    return options;
}

class AppRecorderTest : public ::testing::Test
{
protected:
    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }
    QTemporaryDir m_dir;
    std::atomic<qint64> m_clock{0};
};

TEST_F(AppRecorderTest, FiveSecondsOf720pWithToneGiveH264AndAacAtTheRightLengthAndPitch)
{
    AppRecorder recorder(clockedOptions(m_clock));
    const QString file = path("tone.mp4");
    ASSERT_TRUE(recorder.start(file, 1280, 720, 30, true));
    Feed feed;
    feed.size = QSize(1280, 720);
    feed.durationMs = 5000;
    feed.audio = true;
    feed.toneHz = 1000;
    const int pushed = runFeed(recorder, m_clock, feed);
    ASSERT_TRUE(recorder.stop());
    EXPECT_EQ(recorder.droppedVideoFrames(), 0);

    const mediaprobe::FileInfo info = mediaprobe::probe(file, true);
    ASSERT_TRUE(info.readable);
    const mediaprobe::StreamInfo* video = info.find("video");
    const mediaprobe::StreamInfo* audio = info.find("audio");
    ASSERT_TRUE(video && audio);
    EXPECT_EQ(video->codec, "h264");
    EXPECT_EQ(video->pixelFormat, "yuv420p");
    EXPECT_EQ(QSize(video->width, video->height), QSize(1280, 720));
    EXPECT_EQ(video->frames, pushed); // every frame pushed before stop is in the file
    EXPECT_EQ(audio->codec, "aac");
    EXPECT_EQ(audio->sampleRate, 16000);
    EXPECT_EQ(audio->channels, 1);
    EXPECT_NEAR(info.durationSec, 5.0, 0.2);

    // Pitch from zero crossings over the decoded sound, away from the encoder's start and end.
    const QVector<qint16> pcm = mediaprobe::decodeAudio(file);
    ASSERT_GT(pcm.size(), 4 * kRate);
    int crossings = 0;
    const int from = kRate / 2, to = 4 * kRate;
    for (int i = from + 1; i < to; ++i)
        crossings += (pcm[i - 1] < 0) != (pcm[i] < 0);
    const double hz = crossings / 2.0 / (double(to - from) / kRate);
    EXPECT_NEAR(hz, 1000.0, 10.0);
}

TEST_F(AppRecorderTest, SourceSizesMapToEvenSizesWithinTheLimit)
{
    struct Case
    {
        QSize source;
        QSize expected;
    };
    const Case cases[] = {
        {{2592, 1944}, {1920, 1440}},
        {{1001, 601}, {1000, 600}},
        {{1280, 720}, {1280, 720}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(QString("%1x%2").arg(c.source.width()).arg(c.source.height()).toStdString());
        EXPECT_EQ(AppRecorder::destinationSize(c.source), c.expected);
        AppRecorder recorder(clockedOptions(m_clock));
        const QString file = path("size.mp4");
        ASSERT_TRUE(recorder.start(file, c.source.width(), c.source.height(), 30, false));
        Feed feed;
        feed.size = c.source;
        feed.durationMs = 100;
        runFeed(recorder, m_clock, feed);
        ASSERT_TRUE(recorder.stop());
        const mediaprobe::FileInfo info = mediaprobe::probe(file);
        const mediaprobe::StreamInfo* video = info.find("video");
        ASSERT_TRUE(video);
        EXPECT_EQ(QSize(video->width, video->height), c.expected);
    }
}

TEST_F(AppRecorderTest, RateCapIsComputedWithoutOverflowAndClamped)
{
    struct Case
    {
        int w, h, fps;
        qint64 bps;
    };
    const Case cases[] = {
        {1920, 1080, 30, 18662400},
        {640, 480, 30, 8000000},
        {1920, 1440, 60, 25000000},   // 49.8 Mbit/s before the clamp
        {1920, 1440, 1000, 25000000}, // the product needs more than 32 bits
    };
    for (const Case& c : cases)
        EXPECT_EQ(AppRecorder::rateCapBps(c.w, c.h, c.fps), c.bps) << c.w << "x" << c.h << "@" << c.fps;
}

TEST_F(AppRecorderTest, StreamsFollowWhatCouldBeSetUp)
{
    struct Case
    {
        const char* name;
        bool withAudio;
        const char* videoEncoder;
        const char* audioEncoder;
        int streams;
        const char* videoCodec;
    };
    const Case cases[] = {
        {"audio", true, "libx264", "aac", 2, "h264"},
        {"no microphone", false, "libx264", "aac", 1, "h264"},
        {"aac failing", true, "libx264", "no-such-audio-encoder", 1, "h264"},
        {"no x264", false, "no-such-video-encoder", "aac", 1, "mpeg4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppRecorder::Options options = clockedOptions(m_clock);
        options.videoEncoder = QString::fromLatin1(c.videoEncoder);
        options.audioEncoder = QString::fromLatin1(c.audioEncoder);
        AppRecorder recorder(options);
        const QString file = path("streams.mp4");
        ASSERT_TRUE(recorder.start(file, 320, 240, 30, c.withAudio));
        EXPECT_EQ(recorder.acceptsAudio(), c.streams == 2);
        Feed feed;
        feed.durationMs = 500;
        feed.audio = c.withAudio;
        feed.toneHz = 440;
        runFeed(recorder, m_clock, feed);
        ASSERT_TRUE(recorder.stop());
        const mediaprobe::FileInfo info = mediaprobe::probe(file);
        ASSERT_EQ(info.streams.size(), c.streams);
        EXPECT_EQ(info.find("video")->codec, c.videoCodec);
    }
}

TEST_F(AppRecorderTest, FramesQueuedAtStopAndFramesOfAnotherSizeAreAllEncoded)
{
    AppRecorder recorder(clockedOptions(m_clock));
    const QString file = path("queued.mp4");
    ASSERT_TRUE(recorder.start(file, 320, 240, 30, false));
    // No pacing: the twenty frames are still queued when stop comes. Every fourth is smaller and
    // every fifth larger than the size the recording was started with.
    const QSize sizes[] = {{320, 240}, {160, 120}, {640, 480}};
    for (int i = 0; i < 20; ++i) {
        const QSize s = sizes[(i % 4 == 3) ? 1 : (i % 5 == 4) ? 2 : 0];
        const QByteArray rgb(s.width() * s.height() * 3, char(i * 10));
        m_clock = i * 33;
        recorder.pushVideoFrame(reinterpret_cast<const uchar*>(rgb.constData()), s.width(), s.height());
    }
    ASSERT_TRUE(recorder.stop());
    const mediaprobe::FileInfo info = mediaprobe::probe(file, true);
    const mediaprobe::StreamInfo* video = info.find("video");
    ASSERT_TRUE(video);
    EXPECT_EQ(video->frames, 20);
    EXPECT_EQ(QSize(video->width, video->height), QSize(320, 240));
}

TEST_F(AppRecorderTest, LifecycleRefusesWhatItCannotDo)
{
    AppRecorder recorder(clockedOptions(m_clock));
    EXPECT_FALSE(recorder.stop()); // idle
    EXPECT_FALSE(recorder.start(path("zero.mp4"), 0, 240, 30, false));
    EXPECT_FALSE(recorder.start(path("no-folder/x.mp4"), 320, 240, 30, false));

    const QString file = path("life.mp4");
    ASSERT_TRUE(recorder.start(file, 320, 240, 30, false));
    EXPECT_FALSE(recorder.start(path("second.mp4"), 320, 240, 30, false));
    EXPECT_FALSE(QFile::exists(path("second.mp4")));
    Feed feed;
    feed.durationMs = 300;
    const int pushed = runFeed(recorder, m_clock, feed);
    ASSERT_TRUE(recorder.stop());
    const QByteArray rgb(320 * 240 * 3, char(90));
    recorder.pushVideoFrame(reinterpret_cast<const uchar*>(rgb.constData()), 320, 240);
    EXPECT_EQ(recorder.queuedVideoFrames(), 0);
    EXPECT_EQ(mediaprobe::probe(file, true).find("video")->frames, pushed);

    // A stopped recorder records again.
    ASSERT_TRUE(recorder.start(path("again.mp4"), 320, 240, 30, false));
    runFeed(recorder, m_clock, feed);
    EXPECT_TRUE(recorder.stop());

    // Nothing recorded, or nowhere to write it, is never a success.
    AppRecorder empty(clockedOptions(m_clock));
    ASSERT_TRUE(empty.start(path("empty.mp4"), 320, 240, 30, false));
    EXPECT_FALSE(empty.stop());
    AppRecorder full(clockedOptions(m_clock));
    if (full.start(QStringLiteral("/dev/full"), 320, 240, 30, false)) {
        runFeed(full, m_clock, feed);
        EXPECT_FALSE(full.stop());
    }
}

TEST_F(AppRecorderTest, AFileCopiedMidRecordingAlreadyPlays)
{
    // What is on disk at any moment is what a killed program leaves behind.
    AppRecorder recorder(clockedOptions(m_clock));
    const QString file = path("live.mp4");
    ASSERT_TRUE(recorder.start(file, 320, 240, 30, true));
    Feed feed;
    feed.durationMs = 4000;
    feed.audio = true;
    feed.toneHz = 440;
    const int pushed = runFeed(recorder, m_clock, feed);
    for (int i = 0; i < 5000 && recorder.encodedVideoFrames() < pushed; ++i)
        QThread::msleep(2);
    const QString copy = path("killed.mp4");
    ASSERT_TRUE(QFile::copy(file, copy));
    const mediaprobe::FileInfo info = mediaprobe::probe(copy, true);
    ASSERT_TRUE(info.readable);
    ASSERT_TRUE(info.find("video"));
    EXPECT_GE(info.find("video")->frames, 60); // the encoder holds back at most its look-ahead
    recorder.stop();
}

TEST_F(AppRecorderTest, SoundAndPictureStayTogether)
{
    struct Case
    {
        const char* name;
        int jitterMs;
        double micSkew;
        int lostFromMs, lostToMs;
        int cameraFps = 30; // what arrives, whatever the recording was started with
    };
    const Case cases[] = {
        {"late blocks", 40, 0, -1, -1},
        {"microphone clock 2 % fast", 0, 0.02, -1, -1},
        {"half a second of sound lost", 0, 0, 1300, 1800},
        {"camera faster than its nominal 30 fps", 0, 0, -1, -1, 36},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        AppRecorder recorder(clockedOptions(m_clock));
        const QString file = path("sync.mp4");
        ASSERT_TRUE(recorder.start(file, 320, 240, 30, true));
        Feed feed;
        feed.durationMs = 4000;
        feed.audio = true;
        feed.flashMs = {1000, 2000, 3000};
        feed.audioJitterMs = c.jitterMs;
        feed.micSkew = c.micSkew;
        feed.lostFromMs = c.lostFromMs;
        feed.lostToMs = c.lostToMs;
        feed.fps = c.cameraFps;
        runFeed(recorder, m_clock, feed);
        ASSERT_TRUE(recorder.stop());

        const QVector<mediaprobe::FrameLuma> frames = mediaprobe::decodeVideoLuma(file);
        const QVector<qint16> pcm = mediaprobe::decodeAudio(file);
        ASSERT_GT(frames.size(), 100);
        ASSERT_GT(pcm.size(), 3 * kRate);
        for (int flash : feed.flashMs) {
            SCOPED_TRACE(flash);
            double videoSec = -1;
            for (const auto& f : frames)
                if (f.timeSec > flash / 1000.0 - 0.5 && f.luma > 128) {
                    videoSec = f.timeSec;
                    break;
                }
            double audioSec = -1;
            for (int i = std::max(0, (flash - 500) * kRate / 1000); i < pcm.size(); ++i)
                if (std::abs(int(pcm[i])) > 15000) {
                    audioSec = double(i) / kRate;
                    break;
                }
            ASSERT_GE(videoSec, 0);
            ASSERT_GE(audioSec, 0);
            // The file's timeline starts at its first picture (B-frames move it a few frames on).
            EXPECT_NEAR(videoSec - frames.first().timeSec, flash / 1000.0, 0.040);
            EXPECT_NEAR(audioSec, videoSec, 0.040);
        }
    }
}

} // namespace

TEST_F(AppRecorderTest, SourceSnapshotsAreWrittenOnlyWhenAskedFor)
{
    // The snapshots go to "diag" of the working folder, which the user creates to ask for them.
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_dir.path()));
    ASSERT_TRUE(QDir().mkpath("diag"));
    for (bool wanted : {false, true}) {
        SCOPED_TRACE(wanted);
        AppRecorder::Options options = clockedOptions(m_clock);
        options.diagnosticSnapshots = wanted;
        AppRecorder recorder(options);
        ASSERT_TRUE(recorder.start(path("diag.mp4"), 320, 240, 30, false));
        Feed feed;
        feed.durationMs = 1000;
        runFeed(recorder, m_clock, feed);
        ASSERT_TRUE(recorder.stop());
        const int snapshots = QDir("diag").entryList({"rec_src_*.png"}, QDir::Files).size();
        if (wanted)
            EXPECT_EQ(snapshots, 2); // the first frame, then one every 700 ms of the second
        else
            EXPECT_EQ(snapshots, 0);
    }
    QDir::setCurrent(previous);
}
