// The window's camera handling driven with scripted device lists: selection, the same list, unplug,
// waiting, replug and the mends for look-alike cameras and failed reopens.
#include "../camera/FakeMediaCapture.h"
#include "CameraController.h"
#include "CameraSession.h"

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using fake::LibraryState;
using MediaCapture::DeviceRecord;

namespace {

const std::vector<MediaCapture::VideoFormat> kModes = {{1920, 1080, 30}, {1280, 720, 30}, {640, 480, 30}};

class CameraSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_controller = new CameraController(nullptr, new MediaCaptureWrapper(nullptr, fake::factoryFor(m_state)));
        m_session = new CameraSession(m_controller, &m_devices, &m_sizes);
        m_statuses = std::make_unique<QSignalSpy>(m_session, &CameraSession::statusMessage);
    }
    void TearDown() override
    {
        delete m_session;
        delete m_controller;
    }

    // The system now lists these cameras; the controller re-enumerates as the window would.
    void plug(std::vector<DeviceRecord> devices)
    {
        m_state->devices = std::move(devices);
        m_controller->refreshDeviceList();
        settle();
    }
    static void settle() { QTest::qWait(30); }

    QStringList statusTexts() const
    {
        QStringList texts;
        for (const auto& args : *m_statuses)
            texts << args.first().toString();
        return texts;
    }
    QString openedPath() const { return QString::fromStdString(m_state->openedPaths.back()); }

    static DeviceRecord camA() { return fake::device("Doc Cam", "/dev/v4l/by-path/usb-1", kModes, "1234", "5678"); }
    static DeviceRecord camB() { return fake::device("Doc Cam", "/dev/v4l/by-path/usb-2", kModes, "1234", "5678"); }
    static DeviceRecord webcam() { return fake::device("Webcam", "/dev/v4l/by-id/webcam", {{640, 480, 30}}, "aaaa", "bbbb"); }

    std::shared_ptr<LibraryState> m_state = std::make_shared<LibraryState>();
    CameraController* m_controller = nullptr;
    CameraSession* m_session = nullptr;
    QComboBox m_devices;
    QComboBox m_sizes;
    std::unique_ptr<QSignalSpy> m_statuses;
};

}  // namespace

TEST_F(CameraSessionTest, FirstListOpensThePreferredCameraAtThePreferredSize)
{
    m_session->setPreferred("/dev/v4l/by-id/webcam", QSize(-1, -1));
    plug({camA(), webcam()});
    EXPECT_EQ(m_devices.count(), 2);
    EXPECT_EQ(m_devices.currentData().toString(), "/dev/v4l/by-id/webcam");
    EXPECT_EQ(openedPath(), "/dev/v4l/by-id/webcam");
    EXPECT_TRUE(m_controller->isPreviewing());
    EXPECT_TRUE(statusTexts().contains("Camera started successfully"));

    // A remembered size is used by the next selection, largest entries first in the box.
    m_session->setPreferred(QString(), QSize(1280, 720));
    m_devices.setCurrentIndex(0);
    m_session->onDeviceSelected(0);
    EXPECT_EQ(m_sizes.count(), 3);
    EXPECT_EQ(m_sizes.itemText(0), "1920x1080 (30 fps)");
    EXPECT_EQ(m_sizes.currentData().toSize(), QSize(1280, 720));
    EXPECT_EQ(m_state->openedFormat.width, 1280);
}

TEST_F(CameraSessionTest, TheSameListChangesNothingAndNoCameraSaysSo)
{
    plug({camA()});
    const int opens = m_state->openCalls;
    const int closes = m_state->closeCalls;
    plug({camA()});
    EXPECT_EQ(m_state->openCalls, opens);
    EXPECT_EQ(m_state->closeCalls, closes);
    EXPECT_TRUE(m_controller->isPreviewing());

    QSignalSpy capture(m_session, &CameraSession::captureEnabledChanged);
    m_controller->closeDevice();
    plug({});
    EXPECT_EQ(m_devices.count(), 0);
    EXPECT_EQ(statusTexts().last(), "No camera devices found");
    ASSERT_FALSE(capture.isEmpty());
    EXPECT_FALSE(capture.last().first().toBool());
}

TEST_F(CameraSessionTest, ASecondCameraArrivingLeavesTheOpenOneAlone)
{
    plug({camA()});
    const int opens = m_state->openCalls;
    const int closes = m_state->closeCalls;
    plug({webcam(), camA()});
    EXPECT_EQ(m_state->openCalls, opens);
    EXPECT_EQ(m_state->closeCalls, closes);
    EXPECT_TRUE(m_controller->isPreviewing());
    EXPECT_EQ(m_devices.currentData().toString(), camA().devicePath.c_str());
    // The rebuilt size box still shows the size the camera runs at (the largest, chosen first).
    EXPECT_EQ(m_sizes.currentData().toSize(), QSize(1920, 1080));
}

TEST_F(CameraSessionTest, UnplugWaitsAndReplugResumesAtTheRecordedSize)
{
    plug({camA()});
    m_sizes.setCurrentIndex(0);  // the user picks 1920x1080
    m_session->onResolutionSelected(0);
    ASSERT_EQ(m_state->openedFormat.width, 1920);

    QSignalSpy lost(m_session, &CameraSession::cameraLost);
    plug({});
    EXPECT_TRUE(m_session->isWaiting());
    EXPECT_TRUE(m_session->isPolling());
    EXPECT_FALSE(m_controller->isDeviceOpen());
    EXPECT_EQ(lost.size(), 1);
    EXPECT_TRUE(statusTexts().contains("Camera disconnected. Waiting for reconnect..."));

    // Each poll tick with nothing plugged in says so again.
    m_statuses->clear();
    QTest::qWait(2300);
    EXPECT_GE(statusTexts().count("No camera devices found"), 2);

    // Another camera is not the one we wait for.
    const int opens = m_state->openCalls;
    plug({webcam()});
    EXPECT_EQ(m_state->openCalls, opens);
    EXPECT_TRUE(m_session->isWaiting());

    plug({webcam(), camA()});
    EXPECT_FALSE(m_session->isWaiting());
    EXPECT_FALSE(m_session->isPolling());
    EXPECT_EQ(openedPath(), camA().devicePath.c_str());
    EXPECT_EQ(m_state->openedFormat.width, 1920);
    EXPECT_TRUE(m_controller->isPreviewing());
    EXPECT_EQ(statusTexts().last(), "Camera reconnected. Preview resumed.");
}

TEST_F(CameraSessionTest, ReplugWithoutTheRecordedSizeLetsTheControllerChoose)
{
    plug({camA()});
    m_sizes.setCurrentIndex(0);
    m_session->onResolutionSelected(0);  // 1920x1080
    plug({});
    DeviceRecord smaller = camA();
    smaller.formats = {{1280, 720, 30}, {640, 480, 30}};
    plug({smaller});
    EXPECT_TRUE(m_controller->isPreviewing());
    EXPECT_EQ(m_state->openedFormat.width, 1280);
}

TEST_F(CameraSessionTest, LookAlikeCamerasAreToldApartByPath)
{
    plug({camA(), camB()});
    m_devices.setCurrentIndex(1);
    m_session->onDeviceSelected(1);
    ASSERT_EQ(openedPath(), camB().devicePath.c_str());

    // B leaves while A, of the same model, stays: B's picture is gone, so the window waits.
    plug({camA()});
    EXPECT_TRUE(m_session->isWaiting());
    EXPECT_FALSE(m_controller->isDeviceOpen());

    // B returns: B reopens, not A.
    plug({camA(), camB()});
    EXPECT_FALSE(m_session->isWaiting());
    EXPECT_EQ(openedPath(), camB().devicePath.c_str());
    EXPECT_EQ(m_devices.currentData().toString(), camB().devicePath.c_str());
}

TEST_F(CameraSessionTest, AFailedReopenIsRetriedBeforeGivingUp)
{
    plug({camA()});
    plug({});
    m_state->refuseOpens = 1;  // still being set up by the system
    plug({camA()});
    EXPECT_TRUE(m_session->isWaiting());
    EXPECT_FALSE(m_controller->isDeviceOpen());
    QTest::qWait(1300);  // the next poll tick tries again
    EXPECT_TRUE(m_controller->isPreviewing());
    EXPECT_EQ(statusTexts().last(), "Camera reconnected. Preview resumed.");

    // A camera that never opens again: a few tries, then the message and no more polling.
    plug({});
    m_state->refuseOpen = true;
    plug({camA()});
    QTest::qWait(CameraSession::kPollIntervalMs * CameraSession::kReconnectAttempts + 500);
    EXPECT_FALSE(m_session->isWaiting());
    EXPECT_FALSE(m_session->isPolling());
    EXPECT_TRUE(statusTexts().contains("Failed to reopen camera after reconnect."));
}

TEST_F(CameraSessionTest, MatchRankPrefersPathThenIdsThenName)
{
    CameraDeviceInfo recorded;
    recorded.name = "Doc Cam";
    recorded.vid = "0x1234";
    recorded.pid = "5678";
    recorded.path = "/dev/a";
    CameraDeviceInfo other = recorded;
    EXPECT_EQ(CameraSession::matchRank(other, recorded), 3);
    other.path = "/dev/b";
    other.vid = "1234";  // the same id written without its prefix
    EXPECT_EQ(CameraSession::matchRank(other, recorded), 2);
    other.vid.clear();
    EXPECT_EQ(CameraSession::matchRank(other, recorded), 1);
    other.name = "Else";
    EXPECT_EQ(CameraSession::matchRank(other, recorded), 0);
}
