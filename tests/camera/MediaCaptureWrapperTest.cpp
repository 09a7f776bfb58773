// The wrapper over a scripted camera library: device records, opening rules, the frame path from the
// library's thread to the main thread, its diagnostics and the application's own recording.
#include "FakeMediaCapture.h"
#include "MediaCaptureWrapper.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <thread>

using fake::LibraryState;
using MediaCapture::VideoFormat;

namespace {

class WrapperTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        MediaCaptureWrapper::setDiagDirectory(QString());
        MediaCaptureWrapper::resetFrameDiagnostics();
        m_state->devices = {fake::device("Desk Camera", "/dev/v4l/by-id/desk", {{1280, 720, 30}}, "046d", "0825")};
    }
    void TearDown() override { MediaCaptureWrapper::setDiagDirectory(QString()); }

    std::unique_ptr<MediaCaptureWrapper> makeWrapper(RecordingFactory recording = {})
    {
        return std::make_unique<MediaCaptureWrapper>(nullptr, fake::factoryFor(m_state), std::move(recording));
    }

    // Opens the first device and starts the frame flow.
    void startStreaming(MediaCaptureWrapper& wrapper)
    {
        ASSERT_TRUE(wrapper.openDevice("/dev/v4l/by-id/desk", QSize(1280, 720), 30));
        ASSERT_TRUE(wrapper.startCapture());
        ASSERT_TRUE(m_state->callback);
    }

    // A frame whose pixel (x, y) is (x, y, tag), packed rows of exactly width*3 bytes.
    static std::vector<uint8_t> patternFrame(int width, int height, uint8_t tag)
    {
        std::vector<uint8_t> bytes(size_t(width) * 3 * height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                uint8_t* p = &bytes[(size_t(y) * width + x) * 3];
                p[0] = uint8_t(x);
                p[1] = uint8_t(y);
                p[2] = tag;
            }
        return bytes;
    }

    void deliverFromLibraryThread(const std::vector<uint8_t>& bytes, int width, int height, int64_t ts = 1)
    {
        std::thread([&] { m_state->callback(bytes.data(), width, height, ts); }).join();
    }

    std::shared_ptr<LibraryState> m_state = std::make_shared<LibraryState>();
};

}  // namespace

TEST_F(WrapperTest, DeviceRecordsBecomeGroupedResolutionsWithoutTheStillMode)
{
    m_state->devices = {fake::device(u8"高拍仪 Camera", "/dev/v4l/by-id/usb-cam",
                                     {{4168, 3126, 15}, {1920, 1080, 30}, {1280, 720, 30}, {1920, 1080, 15},
                                      {640, 480, 30}, {1280, 720, 30}},
                                     "0x1d6b", "0102")};
    auto wrapper = makeWrapper();
    QSignalSpy updated(wrapper.get(), &MediaCaptureWrapper::devicesUpdated);

    const QList<CameraDeviceInfo> devices = wrapper->enumerateDevices();

    ASSERT_EQ(devices.size(), 1);
    const CameraDeviceInfo& d = devices.first();
    EXPECT_EQ(d.name, QString::fromUtf8(u8"高拍仪 Camera"));
    EXPECT_EQ(d.path, "/dev/v4l/by-id/usb-cam");
    EXPECT_EQ(d.vid, "0x1d6b");
    EXPECT_EQ(d.pid, "0102");
    EXPECT_EQ(d.detail, "fake camera");
    ASSERT_EQ(d.resolutions.size(), 3);
    EXPECT_EQ(d.resolutions[0].size(), QSize(640, 480));
    EXPECT_EQ(d.resolutions[1].size(), QSize(1280, 720));
    EXPECT_EQ(d.resolutions[1].frameRates, QList<qint32>({30, 30}));  // duplicates kept
    EXPECT_EQ(d.resolutions[2].size(), QSize(1920, 1080));
    EXPECT_EQ(d.resolutions[2].frameRates, QList<qint32>({30, 15}));
    ASSERT_EQ(updated.size(), 1);
    EXPECT_EQ(updated.first().first().value<QList<CameraDeviceInfo>>(), devices);
    EXPECT_EQ(wrapper->devices(), devices);
}

TEST_F(WrapperTest, LibraryFailuresAreReportedWithTheirText)
{
    m_state->throwOnEnumerate = "bus error";
    auto wrapper = makeWrapper();
    QSignalSpy errors(wrapper.get(), &MediaCaptureWrapper::errorOccurred);
    QSignalSpy updated(wrapper.get(), &MediaCaptureWrapper::devicesUpdated);
    EXPECT_TRUE(wrapper->enumerateDevices().isEmpty());
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors.first().first().toString(), QString::fromUtf8("枚举设备失败: bus error"));
    EXPECT_EQ(updated.size(), 0);

    m_state->throwOnOpen = "device busy";
    QSignalSpy opened(wrapper.get(), &MediaCaptureWrapper::deviceOpened);
    EXPECT_FALSE(wrapper->openDevice("/dev/v4l/by-id/desk", QSize(1280, 720), 30));
    EXPECT_EQ(errors.last().first().toString(), QString::fromUtf8("打开设备失败: device busy"));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_FALSE(opened.first().first().toBool());

    // Without a library object there is nothing to enumerate or open.
    MediaCaptureWrapper empty(nullptr, [] { return MediaCapture::MediaCapturePtr(); });
    EXPECT_FALSE(empty.initialize());
    EXPECT_TRUE(empty.enumerateDevices().isEmpty());
    EXPECT_FALSE(empty.openDevice("/dev/video0", QSize(640, 480), 30));
}

TEST_F(WrapperTest, OpeningRules)
{
    auto wrapper = makeWrapper();
    QSignalSpy opened(wrapper.get(), &MediaCaptureWrapper::deviceOpened);
    QSignalSpy errors(wrapper.get(), &MediaCaptureWrapper::errorOccurred);

    // Open while open closes the first device before the library sees the second open.
    ASSERT_TRUE(wrapper->openDevice("/dev/a", QSize(1280, 720), 30));
    EXPECT_EQ(m_state->closeCalls, 0);
    ASSERT_TRUE(wrapper->openDevice("/dev/b", QSize(640, 480), 15));
    EXPECT_EQ(m_state->closeCalls, 1);
    EXPECT_EQ(wrapper->currentDevicePath(), "/dev/b");
    EXPECT_EQ(m_state->openedFormat.width, 640);
    EXPECT_EQ(m_state->openedFormat.fps, 15);

    // A refusal says deviceOpened(false) and nothing else.
    m_state->refuseOpen = true;
    opened.clear();
    EXPECT_FALSE(wrapper->openDevice("/dev/c", QSize(640, 480), 30));
    ASSERT_EQ(opened.size(), 1);
    EXPECT_FALSE(opened.first().first().toBool());
    EXPECT_EQ(errors.size(), 0);
    EXPECT_FALSE(wrapper->isOpened());

    // Capture needs an open device; a second start makes no second library call.
    EXPECT_FALSE(wrapper->startCapture());
    EXPECT_EQ(errors.last().first().toString(), QString::fromUtf8("设备未打开或MediaCapture实例为空"));
    m_state->refuseOpen = false;
    ASSERT_TRUE(wrapper->openDevice("/dev/a", QSize(1280, 720), 30));
    QSignalSpy started(wrapper.get(), &MediaCaptureWrapper::captureStarted);
    EXPECT_TRUE(wrapper->startCapture());
    EXPECT_TRUE(wrapper->startCapture());
    EXPECT_EQ(m_state->startCalls, 1);
    EXPECT_EQ(started.size(), 1);

    // Closing stops the capture first.
    QSignalSpy stopped(wrapper.get(), &MediaCaptureWrapper::captureStopped);
    wrapper->closeDevice();
    EXPECT_EQ(m_state->stopCalls, 1);
    EXPECT_EQ(stopped.size(), 1);
    EXPECT_FALSE(wrapper->isCapturing());
    EXPECT_TRUE(wrapper->currentDevicePath().isEmpty());
}

TEST_F(WrapperTest, FramesReachTheMainThreadUnshearedAtAnyWidth)
{
    auto wrapper = makeWrapper();
    startStreaming(*wrapper);
    QSignalSpy frames(wrapper.get(), &MediaCaptureWrapper::videoFrameReceived);

    // 641*3 bytes per row is not a multiple of four: an image with padded rows would shear.
    const int width = 641, height = 37;
    const auto bytes = patternFrame(width, height, 7);
    deliverFromLibraryThread(bytes, width, height, 123456);
    ASSERT_TRUE(frames.wait(2000));

    const QImage image = frames.first().first().value<QImage>();
    ASSERT_EQ(image.size(), QSize(width, height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            ASSERT_EQ(image.pixel(x, y), qRgb(x & 0xff, y, 7)) << x << "," << y;
    EXPECT_EQ(wrapper->lastFrame(), image);
    EXPECT_EQ(wrapper->lastTimestampUs(), 123456);

    // A frame still on its way when capture stops never arrives after the stop.
    deliverFromLibraryThread(bytes, width, height);
    wrapper->stopCapture();
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.size(), 1);
    ASSERT_TRUE(wrapper->startCapture());

    // Nonsense from the library is ignored.
    m_state->callback(nullptr, 10, 10, 0);
    m_state->callback(bytes.data(), 0, 10, 0);
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.size(), 1);
}

TEST_F(WrapperTest, ABusyMainThreadOnlyEverHasTheNewestFrameWaiting)
{
    auto wrapper = makeWrapper();
    startStreaming(*wrapper);
    QSignalSpy frames(wrapper.get(), &MediaCaptureWrapper::videoFrameReceived);

    // Sixty frames while the main thread does not run its loop.
    std::vector<std::vector<uint8_t>> sent;
    for (int i = 0; i < 60; ++i)
        sent.push_back(patternFrame(32, 8, uint8_t(i)));
    std::thread([&] {
        for (int i = 0; i < 60; ++i)
            m_state->callback(sent[i].data(), 32, 8, i);
    }).join();

    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    ASSERT_EQ(frames.size(), 1);
    EXPECT_EQ(qBlue(frames.first().first().value<QImage>().pixel(0, 0)), 59);

    // The flow goes on after the backlog was dropped, and buffers the main thread let go are reused.
    for (int round = 0; round < 5; ++round) {
        deliverFromLibraryThread(sent[round], 32, 8);
        QCoreApplication::processEvents();
        ASSERT_EQ(qBlue(wrapper->lastFrame().pixel(0, 0)), round);
    }
    // A frame the main thread still holds is never overwritten by a later one.
    const QImage held = wrapper->lastFrame();
    deliverFromLibraryThread(sent[42], 32, 8);
    deliverFromLibraryThread(sent[43], 32, 8);
    QCoreApplication::processEvents();
    EXPECT_EQ(qBlue(held.pixel(0, 0)), 4);
    EXPECT_EQ(qBlue(wrapper->lastFrame().pixel(0, 0)), 43);
}

TEST_F(WrapperTest, FirstFrameOfEachSizeLeavesDiagnosticsOnce)
{
    testsupport::TempAppDir dir;
    const QString diag = dir.filePath("logs/diag");
    MediaCaptureWrapper::setDiagDirectory(diag);
    auto wrapper = makeWrapper();
    startStreaming(*wrapper);

    const auto big = patternFrame(64, 48, 1);
    deliverFromLibraryThread(big, 64, 48);
    const QStringList expected = {"64x48.bin", "full_64x48_gray8_s64.png", "full_64x48_rgb888_s192.png"};
    EXPECT_EQ(QDir(diag).entryList(QDir::Files, QDir::Name), expected);
    EXPECT_EQ(QFileInfo(QDir(diag).filePath("64x48.bin")).size(), 64 * 3 * 48);
    QImage saved(QDir(diag).filePath("full_64x48_rgb888_s192.png"));
    EXPECT_EQ(saved.pixel(10, 20), qRgb(10, 20, 1));

    // The same size again writes nothing; a new size writes its own three files.
    for (const QString& name : expected)
        QFile::remove(QDir(diag).filePath(name));
    deliverFromLibraryThread(big, 64, 48);
    EXPECT_TRUE(QDir(diag).entryList(QDir::Files).isEmpty());
    const auto small = patternFrame(16, 4, 2);
    deliverFromLibraryThread(small, 16, 4);
    EXPECT_EQ(QDir(diag).entryList(QDir::Files).size(), 3);
    EXPECT_TRUE(QFileInfo::exists(QDir(diag).filePath("16x4.bin")));
    QCoreApplication::processEvents();
}

TEST_F(WrapperTest, FramesShorterThanThreeRowsAreNeverReadPastTheirEnd)
{
    MediaCaptureWrapper::setDiagDirectory(QString());
    auto wrapper = makeWrapper();
    startStreaming(*wrapper);
    QSignalSpy frames(wrapper.get(), &MediaCaptureWrapper::videoFrameReceived);

    // The frame ends exactly where an inaccessible page begins: one byte too far faults at once.
    const long page = sysconf(_SC_PAGESIZE);
    auto* area = static_cast<uint8_t*>(mmap(nullptr, size_t(page) * 2, PROT_READ | PROT_WRITE,
                                            MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    ASSERT_NE(area, MAP_FAILED);
    ASSERT_EQ(mprotect(area + page, size_t(page), PROT_NONE), 0);
    for (const QSize size : {QSize(2, 1), QSize(1, 2), QSize(5, 1)}) {
        MediaCaptureWrapper::resetFrameDiagnostics();
        const size_t length = size_t(size.width()) * 3 * size.height();
        uint8_t* frame = area + page - length;
        std::memset(frame, 0x5a, length);
        std::thread([&] { m_state->callback(frame, size.width(), size.height(), 0); }).join();
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(frames.size(), 1);
    EXPECT_EQ(wrapper->lastFrame().size(), QSize(5, 1));
    munmap(area, size_t(page) * 2);
}

TEST_F(WrapperTest, AppRecordingFeedsTheRecorderAndEndsCleanly)
{
    auto recorder = std::make_shared<fake::FakeRecorder>();
    fake::FakeMicrophone* microphone = nullptr;
    RecordingFactory recording;
    recording.makeRecorder = [&] { return recorder; };
    recording.makeMicrophone = [&] {
        auto mic = std::make_unique<fake::FakeMicrophone>(true);
        microphone = mic.get();
        return mic;
    };
    auto wrapper = makeWrapper(recording);
    testsupport::TempAppDir dir;
    const QString file = dir.filePath("videos/new/clip.mp4");

    // Nothing to record before the picture flows.
    EXPECT_FALSE(wrapper->startAppRecording(file));
    startStreaming(*wrapper);
    ASSERT_TRUE(wrapper->startAppRecording(file));
    EXPECT_TRUE(QFileInfo(dir.filePath("videos/new")).isDir());
    EXPECT_EQ(recorder->path, file);
    EXPECT_EQ(QSize(recorder->width, recorder->height), QSize(1280, 720));
    EXPECT_EQ(recorder->fps, 30);
    EXPECT_TRUE(recorder->withAudio);
    EXPECT_TRUE(wrapper->isRecording());

    // An odd width: a QImage row is padded to four bytes, the recorder's rows must not be.
    const auto frame = patternFrame(1001, 3, 0);
    deliverFromLibraryThread(frame, 1001, 3);
    EXPECT_EQ(recorder->frames, 1);
    EXPECT_EQ(recorder->firstFrame, QByteArray(reinterpret_cast<const char*>(frame.data()), 1001 * 3 * 3));
    ASSERT_NE(microphone, nullptr);
    microphone->speak(QByteArray(640, '\0'));
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder->audioBytes, 640);

    // Stopping while the camera thread keeps delivering: nothing reaches a stopped recorder.
    std::atomic<bool> run{true};
    std::thread camera([&] {
        while (run)
            m_state->callback(frame.data(), 1001, 3, 0);
    });
    QTest::qWait(20);
    EXPECT_TRUE(wrapper->stopRecording());
    QTest::qWait(20);
    run = false;
    camera.join();
    EXPECT_EQ(recorder->framesAfterStop, 0);
    EXPECT_FALSE(wrapper->isRecording());
}

TEST_F(WrapperTest, RecordingWithoutMicrophoneOrRecorder)
{
    auto recorder = std::make_shared<fake::FakeRecorder>();
    RecordingFactory recording;
    recording.makeRecorder = [&] { return recorder; };
    recording.makeMicrophone = [] { return std::make_unique<fake::FakeMicrophone>(false); };
    {
        auto wrapper = makeWrapper(recording);
        startStreaming(*wrapper);
        ASSERT_TRUE(wrapper->startAppRecording(testsupport::TempAppDir().filePath("a.mp4")));
        EXPECT_FALSE(recorder->withAudio);  // the microphone refused: video only
        recorder->stopResult = false;
        EXPECT_FALSE(wrapper->stopRecording());  // the recorder's answer is the answer
    }
    {
        recorder = std::make_shared<fake::FakeRecorder>();
        recorder->startResult = false;
        auto wrapper = makeWrapper(recording);
        startStreaming(*wrapper);
        EXPECT_FALSE(wrapper->startAppRecording(testsupport::TempAppDir().filePath("b.mp4")));
        EXPECT_FALSE(wrapper->isRecording());
    }
    // Without a recording of ours, stopping asks the library and always runs both clean-ups.
    auto wrapper = makeWrapper();
    EXPECT_FALSE(wrapper->stopRecording());
    EXPECT_EQ(m_state->cleanupCalls, 0);
    startStreaming(*wrapper);
    m_state->stopRecordingResult = true;
    EXPECT_TRUE(wrapper->stopRecording());
    EXPECT_EQ(m_state->cleanupCalls, 2);
    m_state->throwOnStopRecording = "disk full";
    EXPECT_FALSE(wrapper->stopRecording());
    EXPECT_EQ(m_state->cleanupCalls, 4);
    m_state->libraryRecording = true;
    EXPECT_TRUE(wrapper->isRecording());
}
