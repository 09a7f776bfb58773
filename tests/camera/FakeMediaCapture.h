#pragma once
// A scripted camera library: the test sets the devices and answers, drives frames from a thread of
// its own as a real library would, and reads back every call the wrapper made.
#include "ICameraControls.h"
#include "IMediaCapture.h"
#include "MediaCaptureWrapper.h"
#include "RecordingSinks.h"

#include <QMutex>

#include <atomic>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace fake {

struct LibraryState {
    std::vector<MediaCapture::DeviceRecord> devices;
    bool refuseOpen = false;
    int refuseOpens = 0;  // refuse this many opens, then accept
    std::string throwOnOpen;
    std::string throwOnEnumerate;
    bool refuseStart = false;
    bool libraryRecording = false;
    bool stopRecordingResult = false;
    std::string throwOnStopRecording;

    int enumerateCalls = 0;
    int openCalls = 0;
    int startCalls = 0;
    int stopCalls = 0;
    int closeCalls = 0;
    int cleanupCalls = 0;
    std::vector<std::string> openedPaths;
    MediaCapture::VideoFormat openedFormat;
    bool open = false;
    MediaCapture::FrameCallback callback;
    std::map<uint32_t, int32_t> controlValues;
};

class FakeMediaCapture : public MediaCapture::IMediaCapture, public MediaCapture::ICameraControls {
public:
    explicit FakeMediaCapture(std::shared_ptr<LibraryState> state) : m_state(std::move(state)) {}

    std::vector<MediaCapture::DeviceRecord> enumDevices() override
    {
        ++m_state->enumerateCalls;
        if (!m_state->throwOnEnumerate.empty())
            throw std::runtime_error(m_state->throwOnEnumerate);
        return m_state->devices;
    }
    bool openDevice(const std::string& path, const MediaCapture::VideoFormat& format) override
    {
        ++m_state->openCalls;
        if (!m_state->throwOnOpen.empty())
            throw std::runtime_error(m_state->throwOnOpen);
        if (m_state->refuseOpen)
            return false;
        if (m_state->refuseOpens > 0) {
            --m_state->refuseOpens;
            return false;
        }
        m_state->openedPaths.push_back(path);
        m_state->openedFormat = format;
        m_state->open = true;
        return true;
    }
    bool startVideoCapture(MediaCapture::FrameCallback onFrame, MediaCapture::EventCallback) override
    {
        ++m_state->startCalls;
        if (m_state->refuseStart)
            return false;
        m_state->callback = std::move(onFrame);
        return true;
    }
    void stopVideoCapture() override
    {
        ++m_state->stopCalls;
        m_state->callback = nullptr;
    }
    void closeDevice() override
    {
        ++m_state->closeCalls;
        m_state->open = false;
    }
    bool recordingCleanupFirst() override { return ++m_state->cleanupCalls, true; }
    bool recordingCleanupSecond() override { return ++m_state->cleanupCalls, true; }
    bool stopRecording() override
    {
        if (!m_state->throwOnStopRecording.empty())
            throw std::runtime_error(m_state->throwOnStopRecording);
        return m_state->stopRecordingResult;
    }
    bool isRecording() override { return m_state->libraryRecording; }

    std::vector<MediaCapture::CameraControl> listControls() override
    {
        std::vector<MediaCapture::CameraControl> list;
        if (!m_state->open)
            return list;
        MediaCapture::CameraControl brightness;
        brightness.id = 0x00980900;  // V4L2_CID_BRIGHTNESS
        brightness.name = "Brightness";
        brightness.minimum = -64;
        brightness.maximum = 64;
        brightness.defaultValue = 0;
        brightness.value = m_state->controlValues[brightness.id];
        list.push_back(brightness);
        MediaCapture::CameraControl autoWhite;
        autoWhite.id = 0x0098090c;  // V4L2_CID_AUTO_WHITE_BALANCE
        autoWhite.name = "White Balance, Automatic";
        autoWhite.type = MediaCapture::CameraControl::Type::Boolean;
        autoWhite.maximum = 1;
        autoWhite.defaultValue = 1;
        autoWhite.value = m_state->controlValues.count(autoWhite.id) ? m_state->controlValues[autoWhite.id] : 1;
        list.push_back(autoWhite);
        MediaCapture::CameraControl temperature;
        temperature.id = 0x0098091a;  // V4L2_CID_WHITE_BALANCE_TEMPERATURE
        temperature.name = "White Balance Temperature";
        temperature.minimum = 2800;
        temperature.maximum = 6500;
        temperature.defaultValue = 4600;
        temperature.value = m_state->controlValues.count(temperature.id) ? m_state->controlValues[temperature.id] : 4600;
        temperature.inactive = autoWhite.value != 0;  // manual temperature only without automatic balance
        list.push_back(temperature);
        return list;
    }
    bool setControl(uint32_t id, int32_t value) override
    {
        m_state->controlValues[id] = value;
        return true;
    }

private:
    std::shared_ptr<LibraryState> m_state;
};

inline MediaCaptureWrapper::LibraryFactory factoryFor(const std::shared_ptr<LibraryState>& state)
{
    return [state] { return MediaCapture::MediaCapturePtr(new FakeMediaCapture(state)); };
}

inline MediaCapture::DeviceRecord device(const std::string& name, const std::string& path,
                                         std::vector<MediaCapture::VideoFormat> formats,
                                         const std::string& vid = "", const std::string& pid = "")
{
    MediaCapture::DeviceRecord record;
    record.symbolicName = "fake";
    record.deviceName = name;
    record.devicePath = path;
    record.description = "fake camera";
    record.vendorId = vid;
    record.productId = pid;
    record.formats = std::move(formats);
    return record;
}

// A recorder that counts what reaches it; start and stop answer as told.
class FakeRecorder : public IAppRecorder {
public:
    bool startResult = true;
    bool stopResult = true;
    QString path;
    int width = 0, height = 0, fps = 0;
    bool withAudio = false;
    std::atomic<int> frames{0};
    std::atomic<int> audioBytes{0};
    std::atomic<bool> stopped{false};
    std::atomic<int> framesAfterStop{0};

    bool start(const QString& p, int w, int h, int f, bool audio) override
    {
        path = p;
        width = w;
        height = h;
        fps = f;
        withAudio = audio;
        return startResult;
    }
    bool stop() override
    {
        stopped = true;
        return stopResult;
    }
    void pushVideoFrame(const uchar* rgb, int w, int h) override
    {
        if (stopped)
            ++framesAfterStop;
        if (frames++ == 0)  // the rows as the interface promises them: packed, width * 3 bytes each
            firstFrame = QByteArray(reinterpret_cast<const char*>(rgb), w * h * 3);
    }
    QByteArray firstFrame;
    void pushAudio(const char*, int length) override { audioBytes += length; }
    bool acceptsAudio() const override { return true; }
};

class FakeMicrophone : public AudioCaptureSource {
    Q_OBJECT
public:
    explicit FakeMicrophone(bool starts) : m_starts(starts) {}
    bool start() override { return m_starts; }
    void stop() override { stopped = true; }
    void speak(const QByteArray& pcm) { emit audioDataReady(pcm); }
    bool stopped = false;

private:
    bool m_starts;
};

}  // namespace fake
