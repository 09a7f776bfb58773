#include "AppRecorder.h"

#include "FfmpegHandles.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QMutexLocker>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/opt.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kGopFrames = 15;
constexpr int kMaxBFrames = 3;
// Video time stamps are milliseconds of the recording clock: a camera that delivers a little faster
// or more unevenly than its nominal rate then still plays at real speed.
constexpr AVRational kVideoTimeBase{1, 1000};
constexpr int kLoggedDrops = 20;
constexpr int kLoggedClamps = 8;
constexpr int kSnapshotIntervalMs = 700;
// A microphone that stalls (or blocks dropped from a full queue) leaves a hole in the sound; holes
// longer than this are filled with silence so the sound stays on the picture's clock.
constexpr qint64 kAudioGapFillMs = 250;
constexpr qint64 kMaxAudioGapFillMs = 10000;
// Sound found this far ahead of the clock it arrived by is cut back (see encodeAudio).
constexpr qint64 kAudioAheadTrimMs = 30;
// Fragments of at least a second, each starting at a key frame (every 15 frames): a killed
// recording loses at most the fragment being collected.
constexpr const char* kMovFlags = "+frag_keyframe+empty_moov+default_base_moof";
constexpr const char* kMinFragmentUs = "1000000";
// AAC cannot use more than 6144 bits per channel and frame; 128 kbit/s at 16 kHz mono exceeds it.
constexpr qint64 kAudioBitRate = 96000;

std::atomic<int> g_dropLogs{0};
std::atomic<int> g_snapshotCounter{0};

QString avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

// FFmpeg's own messages go to the application log with the recorder's tag; its chatter below a
// warning (x264's statistics at every close) is left out.
void forwardFfmpegLog(void* context, int level, const char* format, va_list args)
{
    if (level > AV_LOG_WARNING)
        return;
    char line[1024];
    int printPrefix = 1;
    if (av_log_format_line2(context, level, format, args, line, sizeof line, &printPrefix) < 0)
        return;
    const QString text = QString::fromUtf8(line).trimmed();
    if (!text.isEmpty())
        qWarning().noquote() << "[AppRec][ffmpeg]" << text;
}

void installFfmpegLog()
{
    static const bool installed = [] {
        av_log_set_callback(forwardFfmpegLog);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace

struct AppRecorder::Output
{
    ffmpeg::FormatContextPtr format;
    bool fileOpened = false;
    ffmpeg::CodecContextPtr video;
    AVStream* videoStream = nullptr;
    ffmpeg::CodecContextPtr audio;
    AVStream* audioStream = nullptr;
    ffmpeg::FramePtr videoFrame;
    ffmpeg::FramePtr audioFrame;
    ffmpeg::PacketPtr packet;
    ffmpeg::SwsPtr scaler;
    ffmpeg::SwrPtr resampler;
};

AppRecorder::AppRecorder(QObject* parent) : AppRecorder(Options(), parent) {}

AppRecorder::AppRecorder(Options options, QObject* parent) : QThread(parent), m_options(std::move(options))
{
    if (qEnvironmentVariableIntValue("LUMADOC_REC_DIAG") == 1)
        m_options.diagnosticSnapshots = true;
    installFfmpegLog();
}

AppRecorder::~AppRecorder()
{
    if (m_started)
        stop();
}

QSize AppRecorder::destinationSize(const QSize& source)
{
    if (source.width() < 1 || source.height() < 1)
        return {};
    const double scale = std::min({double(kMaxDestinationWidth) / source.width(),
                                   double(kMaxDestinationHeight) / source.height(), 1.0});
    const auto side = [scale](int length) { return std::max(2, int(length * scale + 0.5) & ~1); };
    return {side(source.width()), side(source.height())};
}

qint64 AppRecorder::rateCapBps(int width, int height, int fps)
{
    const qint64 cap = qint64(width) * height * fps * 300 / 1000;
    return std::clamp<qint64>(cap, 8000000, 25000000);
}

QString AppRecorder::choosePreset(int width, int height, int fps)
{
    // Measured on a 2-core machine at CRF 18, 1920x1080: fast 13 fps, veryfast 26, superfast 49,
    // ultrafast 80, i.e. about 27, 54, 102 and 166 megapixels a second with both cores to itself.
    // Each preset is used up to half of that: the camera, the preview and the sound need the rest,
    // and a loaded machine gave the recorder barely one core (bench_recorder). 1920x1080 at 30 fps
    // (62 Mpx/s) therefore records with ultrafast, 1280x720 with superfast.
    const double megapixelsPerSecond = double(width) * height * std::max(fps, 1) / 1e6;
    if (megapixelsPerSecond <= 13.5)
        return QStringLiteral("fast");
    if (megapixelsPerSecond <= 27)
        return QStringLiteral("veryfast");
    if (megapixelsPerSecond <= 51)
        return QStringLiteral("superfast");
    return QStringLiteral("ultrafast");
}

qint64 AppRecorder::nowMs() const
{
    if (m_options.clock)
        return m_options.clock() - m_clockStartMs;
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count() - m_clockStartMs;
}

bool AppRecorder::acceptsAudio() const
{
    return m_running && m_audioReady;
}

int AppRecorder::queuedVideoFrames() const
{
    QMutexLocker lock(&m_mutex);
    return int(m_videoQueue.size());
}

bool AppRecorder::start(const QString& filePath, int width, int height, int fps, bool withAudio)
{
    if (m_started || isRunning() || width < 1 || height < 1)
        return false;
    m_sourceSize = QSize(width, height);
    m_fps = fps > 0 ? fps : 30;
    m_out = std::make_unique<Output>();

    AVFormatContext* format = nullptr;
    const QByteArray path = filePath.toUtf8();
    if (avformat_alloc_output_context2(&format, nullptr, "mp4", path.constData()) < 0 || !format) {
        qWarning().noquote() << "[AppRec] avformat_alloc_output_context2 failed";
        m_out.reset();
        return false;
    }
    m_out->format.reset(format);
    m_out->packet.reset(av_packet_alloc());
    if (!m_out->packet) {
        qWarning().noquote() << "[AppRec] av_packet_alloc failed";
        release();
        return false;
    }
    if (!initVideo()) {
        qWarning().noquote() << "[AppRec] initVideo failed";
        release();
        return false;
    }
    m_audioReady = false;
    if (withAudio && !initAudio()) {
        qWarning().noquote() << "[AppRec] audio init failed -> continue video-only";
        m_out->audio.reset();
        m_out->audioFrame.reset();
        m_out->resampler.reset();
        m_out->audioStream = nullptr; // never added: initAudio adds the stream last
    }

    if (!(format->oformat->flags & AVFMT_NOFILE)) {
        const int ret = avio_open(&format->pb, path.constData(), AVIO_FLAG_WRITE);
        if (ret < 0) {
            qWarning().noquote() << "[AppRec] avio_open failed, ret=" << ret << avError(ret);
            release();
            return false;
        }
        m_out->fileOpened = true;
    }
    // Every packet reaches the file at once, and a stream that stays silent (a microphone that never
    // delivers) holds the picture back by at most two seconds.
    format->flags |= AVFMT_FLAG_FLUSH_PACKETS;
    format->flush_packets = 1;
    format->max_interleave_delta = 2000000;
    AVDictionary* muxerOptions = nullptr;
    av_dict_set(&muxerOptions, "movflags", kMovFlags, 0);
    av_dict_set(&muxerOptions, "min_frag_duration", kMinFragmentUs, 0);
    const int ret = avformat_write_header(format, &muxerOptions);
    av_dict_free(&muxerOptions);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] avformat_write_header failed, ret=" << ret << avError(ret);
        release();
        return false;
    }

    m_audioRequested = withAudio;
    m_clockStartMs = 0;
    m_clockStartMs = nowMs();
    m_lastVideoPts = -1;
    m_clampCount = 0;
    m_droppedFrames = 0;
    m_encodedFrames = 0;
    m_videoPackets = 0;
    m_lastSnapshotMs = -1;
    m_encodeMsSum = 0;
    m_encodeCount = 0;
    m_audioBlocks = 0;
    m_audioBytes = 0;
    m_firstAudioLogged = false;
    m_pendingAudio.clear();
    m_audioNextPts = -1;
    m_writeFailed = false;
    {
        QMutexLocker lock(&m_mutex);
        m_videoQueue.clear();
        m_audioQueue.clear();
    }
    m_started = true;
    m_running = true;
    QThread::start(QThread::TimeCriticalPriority);
    return true;
}

bool AppRecorder::initVideo()
{
    const AVCodec* codec = avcodec_find_encoder_by_name(m_options.videoEncoder.toUtf8().constData());
    if (!codec) {
        qWarning().noquote() << "[AppRec] libx264 not found, fallback to mpeg4";
        codec = avcodec_find_encoder_by_name("mpeg4");
    }
    if (!codec) {
        emit errorOccurred(QStringLiteral("no video encoder (libx264/mpeg4) available"));
        return false;
    }
    const bool h264 = codec->id == AV_CODEC_ID_H264;
    m_destinationSize = destinationSize(m_sourceSize);
    const int w = m_destinationSize.width();
    const int h = m_destinationSize.height();

    m_out->video.reset(avcodec_alloc_context3(codec));
    AVCodecContext* ctx = m_out->video.get();
    if (!ctx)
        return false;
    ctx->width = w;
    ctx->height = h;
    ctx->pix_fmt = AV_PIX_FMT_YUV420P;
    ctx->time_base = kVideoTimeBase;
    ctx->framerate = AVRational{m_fps, 1};
    ctx->gop_size = kGopFrames;
    ctx->max_b_frames = kMaxBFrames;
    ctx->thread_count = 0;
    if (m_out->format->oformat->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;

    if (h264) {
        m_presetUsed = m_options.preset.isEmpty() ? choosePreset(w, h, m_fps) : m_options.preset;
        const qint64 cap = rateCapBps(w, h, m_fps);
        const QByteArray preset = m_presetUsed.toUtf8();
        const QByteArray capText = QByteArray::number(cap);
        const QByteArray bufText = QByteArray::number(2 * cap);
        for (const auto& [key, value] : {std::pair<const char*, const char*>{"preset", preset.constData()},
                                         {"crf", "18"},
                                         {"maxrate", capText.constData()},
                                         {"bufsize", bufText.constData()},
                                         {"rc-lookahead", "20"}}) {
            // maxrate and bufsize are codec options, the rest belong to x264.
            void* target = (std::strcmp(key, "maxrate") == 0 || std::strcmp(key, "bufsize") == 0)
                               ? static_cast<void*>(ctx)
                               : ctx->priv_data;
            const int ret = av_opt_set(target, key, value, 0);
            if (ret < 0) {
                qWarning().noquote() << "[AppRec] option" << key << "=" << value
                                     << "refused:" << avError(ret);
                return false;
            }
        }
        qInfo().noquote() << "[AppRec] video: CRF=18 + VBV cap=" << cap << "bps (preset=" << m_presetUsed
                          << ", bframes=" << kMaxBFrames << ")";
    } else {
        // MPEG-4 Part 2 has no constant-quality mode of its own; a fixed quantiser of 3 looks like
        // CRF 18 does on H.264 without the encoder's 200 kbit/s default turning text into blocks.
        m_presetUsed.clear();
        ctx->flags |= AV_CODEC_FLAG_QSCALE;
        ctx->global_quality = FF_QP2LAMBDA * 3;
    }

    int ret = avcodec_open2(ctx, codec, nullptr);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] avcodec_open2(video) failed, ret=" << ret << avError(ret);
        return false;
    }
    AVStream* stream = avformat_new_stream(m_out->format.get(), nullptr);
    if (!stream)
        return false;
    stream->id = int(m_out->format->nb_streams) - 1;
    stream->time_base = ctx->time_base;
    stream->avg_frame_rate = ctx->framerate;
    ret = avcodec_parameters_from_context(stream->codecpar, ctx);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] avcodec_parameters_from_context(video) failed:" << avError(ret);
        return false;
    }
    m_out->videoStream = stream;

    m_out->videoFrame.reset(av_frame_alloc());
    AVFrame* frame = m_out->videoFrame.get();
    if (!frame)
        return false;
    frame->format = AV_PIX_FMT_YUV420P;
    frame->width = w;
    frame->height = h;
    ret = av_frame_get_buffer(frame, 0);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] av_frame_get_buffer(video) failed:" << avError(ret);
        return false;
    }
    m_out->scaler.reset(sws_getContext(m_sourceSize.width(), m_sourceSize.height(), AV_PIX_FMT_RGB24, w, h,
                                       AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr));
    if (!m_out->scaler) {
        qWarning().noquote() << "[AppRec] sws_getContext failed";
        return false;
    }
    m_videoCodecName = QString::fromUtf8(codec->name);
    qInfo().noquote() << "[AppRec] video ready: src" << m_sourceSize.width() << "x" << m_sourceSize.height()
                      << " -> dst" << w << "x" << h << " codec=" << m_videoCodecName;
    return true;
}

bool AppRecorder::initAudio()
{
    const AVCodec* codec = avcodec_find_encoder_by_name(m_options.audioEncoder.toUtf8().constData());
    if (!codec) {
        qWarning().noquote() << "[AppRec] aac encoder not found";
        return false;
    }
    m_out->audio.reset(avcodec_alloc_context3(codec));
    AVCodecContext* ctx = m_out->audio.get();
    if (!ctx)
        return false;
    ctx->sample_rate = kAudioSampleRate;
    av_channel_layout_default(&ctx->ch_layout, 1);
    ctx->sample_fmt = AV_SAMPLE_FMT_FLTP;
    ctx->bit_rate = kAudioBitRate;
    ctx->time_base = AVRational{1, kAudioSampleRate};
    if (m_out->format->oformat->flags & AVFMT_GLOBALHEADER)
        ctx->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    int ret = avcodec_open2(ctx, codec, nullptr);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] avcodec_open2(aac) failed:" << avError(ret);
        return false;
    }

    m_out->audioFrame.reset(av_frame_alloc());
    AVFrame* frame = m_out->audioFrame.get();
    if (!frame)
        return false;
    frame->format = ctx->sample_fmt;
    frame->sample_rate = ctx->sample_rate;
    frame->nb_samples = ctx->frame_size > 0 ? ctx->frame_size : 1024;
    if (av_channel_layout_copy(&frame->ch_layout, &ctx->ch_layout) < 0)
        return false;
    ret = av_frame_get_buffer(frame, 0);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] av_frame_get_buffer(audio) failed:" << avError(ret);
        return false;
    }

    SwrContext* swr = nullptr;
    ret = swr_alloc_set_opts2(&swr, &ctx->ch_layout, AV_SAMPLE_FMT_FLTP, kAudioSampleRate, &ctx->ch_layout,
                              AV_SAMPLE_FMT_S16, kAudioSampleRate, 0, nullptr);
    m_out->resampler.reset(swr);
    if (ret < 0 || !swr || swr_init(swr) < 0) {
        qWarning().noquote() << "[AppRec] swr_init failed";
        return false;
    }

    // Added last, so that a failure above leaves no half-made stream in the file.
    AVStream* stream = avformat_new_stream(m_out->format.get(), nullptr);
    if (!stream)
        return false;
    stream->id = int(m_out->format->nb_streams) - 1;
    stream->time_base = AVRational{1, kAudioSampleRate};
    ret = avcodec_parameters_from_context(stream->codecpar, ctx);
    if (ret < 0) {
        // The stream exists now and cannot be taken back: this recording cannot go on without it.
        qWarning().noquote() << "[AppRec] avcodec_parameters_from_context(audio) failed:" << avError(ret);
        return false;
    }
    m_out->audioStream = stream;
    m_audioReady = true;
    qInfo().noquote() << "[AppRec] audio(aac) ready, rate=" << ctx->sample_rate
                      << " ch=" << ctx->ch_layout.nb_channels;
    return true;
}

void AppRecorder::release()
{
    if (m_out) {
        if (m_out->fileOpened && m_out->format)
            avio_closep(&m_out->format->pb);
        m_out.reset();
    }
    m_audioReady = false;
}

void AppRecorder::pushVideoFrame(const uchar* rgb, int width, int height)
{
    if (!m_running || !rgb || width < 1 || height < 1)
        return;
    VideoItem item;
    item.rgb = QByteArray(reinterpret_cast<const char*>(rgb), int(qint64(width) * height * 3));
    item.width = width;
    item.height = height;
    item.timeMs = nowMs();
    QMutexLocker lock(&m_mutex);
    while (int(m_videoQueue.size()) >= kMaxQueuedVideoFrames) {
        m_videoQueue.pop_front();
        ++m_droppedFrames;
        if (g_dropLogs.fetch_add(1) < kLoggedDrops)
            qWarning().noquote() << "[AppRec][diag] video frame DROPPED (queue full, size="
                                 << kMaxQueuedVideoFrames << ")";
    }
    m_videoQueue.push_back(std::move(item));
}

void AppRecorder::pushAudio(const char* pcm, int length)
{
    if (!m_running || !m_audioReady || !pcm || length < 1)
        return;
    ++m_audioBlocks;
    m_audioBytes += length;
    if (!m_firstAudioLogged.exchange(true)) {
        QString hex;
        for (int i = 0; i < std::min(length, 64); ++i)
            hex += QStringLiteral("%1 ").arg(uchar(pcm[i]), 2, 16, QLatin1Char('0'));
        qInfo().noquote() << "[AppRec][diag] FIRST audio chunk: size=" << length << " hex(64)=" << hex;
        qInfo().noquote() << "[AppRec][diag] input fmt: S16 mono" << kAudioSampleRate
                          << "Hz (WASAPI); 若 hex 为 00 01 02.. 线性斜坡=虚拟数据(无真实声音)，"
                          << "若多为 00/小值波动=真实麦克风(成功)";
    }
    AudioItem item{QByteArray(pcm, length), nowMs()};
    QMutexLocker lock(&m_mutex);
    while (int(m_audioQueue.size()) >= kMaxQueuedAudioBlocks)
        m_audioQueue.pop_front();
    m_audioQueue.push_back(std::move(item));
}

void AppRecorder::run()
{
    const auto takeVideo = [this](VideoItem* item) {
        QMutexLocker lock(&m_mutex);
        if (m_videoQueue.empty())
            return false;
        *item = std::move(m_videoQueue.front());
        m_videoQueue.pop_front();
        return true;
    };
    const auto takeAudio = [this](AudioItem* item) {
        QMutexLocker lock(&m_mutex);
        if (m_audioQueue.empty())
            return false;
        *item = std::move(m_audioQueue.front());
        m_audioQueue.pop_front();
        return true;
    };
    const auto audioQueued = [this] {
        QMutexLocker lock(&m_mutex);
        return !m_audioQueue.empty();
    };

    VideoItem video;
    AudioItem audio;
    while (m_running) {
        const bool haveVideo = takeVideo(&video);
        if (!haveVideo && !audioQueued()) {
            msleep(2);
            continue;
        }
        if (haveVideo)
            encodeVideo(video);
        for (int i = 0; i < 64 && m_audioReady && takeAudio(&audio); ++i)
            encodeAudio(audio);
    }
    // What arrived before stop belongs to the recording: the last second is not thrown away.
    while (takeVideo(&video))
        encodeVideo(video);
    while (m_audioReady && takeAudio(&audio))
        encodeAudio(audio);
    if (m_audioReady)
        flushAudioRemainder();
    drainEncoder(true);
    if (m_audioReady)
        drainEncoder(false);
}

void AppRecorder::encodeVideo(const VideoItem& item)
{
    AVFrame* frame = m_out->videoFrame.get();
    // A camera that changes size mid-recording gets a scaler for its new size, never a read past
    // the end of a smaller frame.
    SwsContext* scaler =
        sws_getCachedContext(m_out->scaler.release(), item.width, item.height, AV_PIX_FMT_RGB24, frame->width,
                             frame->height, AV_PIX_FMT_YUV420P, SWS_BILINEAR, nullptr, nullptr, nullptr);
    m_out->scaler.reset(scaler);
    if (!scaler) {
        qWarning().noquote() << "[AppRec] no scaler for" << item.width << "x" << item.height
                             << "- frame dropped";
        return;
    }
    int ret = av_frame_make_writable(frame);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] av_frame_make_writable(video) failed:" << avError(ret);
        return;
    }
    const uint8_t* source[1] = {reinterpret_cast<const uint8_t*>(item.rgb.constData())};
    const int sourceStride[1] = {item.width * 3};
    sws_scale(scaler, source, sourceStride, 0, item.height, frame->data, frame->linesize);

    if (m_options.diagnosticSnapshots &&
        (m_lastSnapshotMs < 0 || item.timeMs - m_lastSnapshotMs >= kSnapshotIntervalMs)) {
        m_lastSnapshotMs = item.timeMs;
        saveSnapshot(item);
    }

    qint64 pts = item.timeMs * kVideoTimeBase.den / 1000;
    if (pts <= m_lastVideoPts) {
        const qint64 raw = pts;
        pts = m_lastVideoPts + 1;
        if (m_clampCount++ < kLoggedClamps)
            qInfo().noquote() << "[AppRec][diag] PTS clamped ->" << pts << "(raw=" << raw
                              << " last=" << m_lastVideoPts << ")";
    }
    m_lastVideoPts = pts;
    frame->pts = pts;

    QElapsedTimer timer;
    timer.start();
    if (sendAndWrite(true, frame))
        ++m_encodedFrames;
    m_encodeMsSum += timer.nsecsElapsed() / 1e6;
    if (++m_encodeCount >= 30) {
        qInfo().noquote() << "[AppRec][perf] video encode avg"
                          << QString::number(m_encodeMsSum / m_encodeCount, 'f', 2)
                          << "ms/frame, target=" << QString::number(1000.0 / m_fps, 'f', 1)
                          << "ms (<=target 即实时不丢帧 -> 无快进/马赛克)";
        m_encodeMsSum = 0;
        m_encodeCount = 0;
    }
}

void AppRecorder::saveSnapshot(const VideoItem& item)
{
    // The folder is the user's to create: no folder, no snapshot, no complaint.
    const QImage image(reinterpret_cast<const uchar*>(item.rgb.constData()), item.width, item.height,
                       item.width * 3, QImage::Format_RGB888);
    const QString path =
        QStringLiteral("diag/rec_src_%1.png").arg(g_snapshotCounter.fetch_add(1), 4, 10, QLatin1Char('0'));
    if (image.save(path, "PNG"))
        qInfo().noquote() << "[AppRec][diag] saved source frame (pre-encode):" << path;
}

void AppRecorder::encodeAudio(const AudioItem& item)
{
    if (!m_audioReady)
        return;
    const qint64 samples = item.pcm.size() / 2;
    const qint64 samplesPerMs = kAudioSampleRate / 1000;
    // The block arrived when its last sample was taken.
    const qint64 arrivalEnd = item.timeMs * samplesPerMs;
    qint64 trim = 0;
    if (m_audioNextPts < 0) {
        // A first block that holds more than the recording's age was partly taken before the
        // recording started (a sound server hands over its buffer in one piece): that part goes.
        trim = std::max<qint64>(0, samples - arrivalEnd);
        m_audioNextPts = std::max<qint64>(0, arrivalEnd - samples);
    } else {
        const qint64 pendingEnd = m_audioNextPts + m_pendingAudio.size() / 2 + samples;
        const qint64 gap = arrivalEnd - pendingEnd;
        if (gap > kAudioGapFillMs * samplesPerMs) {
            const qint64 fill = std::min(gap, kMaxAudioGapFillMs * samplesPerMs);
            qInfo().noquote() << "[AppRec] audio gap of" << fill / samplesPerMs << "ms filled with silence";
            m_pendingAudio.append(QByteArray(int(fill * 2), '\0'));
        } else if (gap < -kAudioAheadTrimMs * samplesPerMs) {
            // No sample can be stamped later than it arrived: a microphone whose own clock runs fast
            // would carry the sound ahead of the picture (0.01 % is 60 ms in ten minutes). The
            // excess is dropped from the front of the block.
            trim = std::min<qint64>(-gap, samples);
            qInfo().noquote() << "[AppRec] audio ahead of the clock by" << -gap / samplesPerMs
                              << "ms, trimmed";
        }
    }
    m_pendingAudio.append(item.pcm.constData() + trim * 2, int((samples - trim) * 2));

    const int frameSamples = m_out->audioFrame->nb_samples;
    const int frameBytes = frameSamples * 2;
    int offset = 0;
    while (m_audioReady && m_pendingAudio.size() - offset >= frameBytes) {
        encodeAudioFrame(m_pendingAudio.constData() + offset, frameSamples);
        offset += frameBytes;
    }
    if (m_audioReady)
        m_pendingAudio.remove(0, offset);
}

void AppRecorder::encodeAudioFrame(const char* pcm, int samples)
{
    AVFrame* frame = m_out->audioFrame.get();
    int ret = av_frame_make_writable(frame);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] av_frame_make_writable(audio) failed:" << avError(ret);
        return;
    }
    const uint8_t* input[1] = {reinterpret_cast<const uint8_t*>(pcm)};
    ret = swr_convert(m_out->resampler.get(), frame->data, samples, input, samples);
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] swr_convert failed -> disable audio";
        m_audioReady = false;
        m_pendingAudio.clear();
        return;
    }
    // Time stamps count samples: they never go backwards, whatever the delivery jitter.
    frame->nb_samples = ret;
    frame->pts = m_audioNextPts;
    m_audioNextPts += ret;
    sendAndWrite(false, frame);
}

void AppRecorder::flushAudioRemainder()
{
    const int samples = m_pendingAudio.size() / 2;
    if (samples > 0 && samples <= m_out->audioFrame->nb_samples)
        encodeAudioFrame(m_pendingAudio.constData(), samples);
    m_pendingAudio.clear();
}

bool AppRecorder::sendAndWrite(bool video, AVFrame* frame)
{
    AVCodecContext* ctx = video ? m_out->video.get() : m_out->audio.get();
    AVStream* stream = video ? m_out->videoStream : m_out->audioStream;
    int ret = avcodec_send_frame(ctx, frame);
    if (ret < 0) {
        if (frame)
            qWarning().noquote() << (video ? "[AppRec] avcodec_send_frame(video) failed, ret="
                                           : "[AppRec] avcodec_send_frame(audio) failed, ret=")
                                 << ret << avError(ret);
        return false;
    }
    AVPacket* packet = m_out->packet.get();
    while (true) {
        ret = avcodec_receive_packet(ctx, packet);
        if (ret == AVERROR(EAGAIN) || ret == AVERROR_EOF)
            break;
        if (ret < 0) {
            qWarning().noquote() << "[AppRec] avcodec_receive_packet failed:" << avError(ret);
            break;
        }
        packet->stream_index = stream->index;
        av_packet_rescale_ts(packet, ctx->time_base, stream->time_base);
        ret = av_interleaved_write_frame(m_out->format.get(), packet);
        if (ret < 0) {
            if (!m_writeFailed.exchange(true))
                qWarning().noquote() << "[AppRec] av_interleaved_write_frame failed:" << avError(ret);
        } else if (video) {
            ++m_videoPackets;
        }
    }
    return true;
}

void AppRecorder::drainEncoder(bool video)
{
    if (!(video ? m_out->video : m_out->audio))
        return;
    sendAndWrite(video, nullptr);
}

bool AppRecorder::stop()
{
    if (!m_started)
        return false;
    m_running = false;
    // The encoders and the muxer belong to the thread until it has ended: never finish the file
    // under a thread that may still write to it, however long the last frames take.
    if (!wait(10000)) {
        qWarning().noquote() << "[AppRec] encoding thread still busy after 10 s, waiting for it to end";
        wait();
    }
    bool ok = !m_writeFailed;
    if (m_videoPackets == 0) {
        qWarning().noquote() << "[AppRec] no video frame was written";
        ok = false;
    }
    int ret = av_write_trailer(m_out->format.get());
    if (ret < 0) {
        qWarning().noquote() << "[AppRec] av_write_trailer failed:" << avError(ret);
        ok = false;
    }
    if (m_out->fileOpened) {
        m_out->fileOpened = false;
        ret = avio_closep(&m_out->format->pb);
        if (ret < 0) {
            qWarning().noquote() << "[AppRec] avio_closep failed:" << avError(ret);
            ok = false;
        }
    }
    qInfo().noquote() << "[AppRec][diag] audio rx: callbacks=" << m_audioBlocks.load()
                      << " bytesTotal=" << m_audioBytes.load() << " expected(S16 mono " << kAudioSampleRate
                      << "Hz, 1ch) per sec=" << (1 * kAudioSampleRate * 2);
    release();
    m_started = false;
    return ok;
}
