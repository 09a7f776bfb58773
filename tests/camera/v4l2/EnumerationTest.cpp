#include "DevicePaths.h"
#include "FakeCamera.h"
#include "V4l2Backend.h"

#include <gtest/gtest.h>

#include <stdexcept>

using MediaCapture::DeviceRecord;
using MediaCapture::V4l2MediaCapture;
using namespace MediaCapture::v4l2;

namespace {

std::shared_ptr<fake::Camera> documentCamera()
{
    auto camera = std::make_shared<fake::Camera>();
    camera->modes = {{V4L2_PIX_FMT_MJPEG, 1920, 1080, {{1, 30}}},
                     {V4L2_PIX_FMT_MJPEG, 640, 480, {{1001, 30000}}},
                     {V4L2_PIX_FMT_YUYV, 1920, 1080, {{1, 5}}},
                     {V4L2_PIX_FMT_YUYV, 640, 480, {{1, 30}, {1, 15}}}};
    return camera;
}

// The second node of a UVC camera. It even answers format queries here, so only its device_caps can
// tell that it delivers no pictures.
std::shared_ptr<fake::Camera> metadataNode()
{
    auto camera = documentCamera();
    camera->deviceCaps = V4L2_CAP_META_CAPTURE | V4L2_CAP_STREAMING;
    return camera;
}

struct Rig
{
    std::shared_ptr<fake::Io> io = std::make_shared<fake::Io>();
    std::shared_ptr<fake::Lister> lister = std::make_shared<fake::Lister>();
    V4l2MediaCapture capture{io, lister};
};

} // namespace

TEST(Enumeration, ListsCaptureNodesWithNamesAndIdsFromSysfs)
{
    Rig rig;
    rig.io->add(documentCamera(), "/dev/video0");
    rig.io->add(metadataNode(), "/dev/video1");
    // Without a udev daemon only sysfs knows the ids; the kernel writes them in lower case, some
    // firmware strings do not.
    rig.lister->nodes = {fake::usbNode("/dev/video0", "046D", "0825", "0"),
                         fake::usbNode("/dev/video1", "046D", "0825", "1")};

    const std::vector<DeviceRecord> devices = rig.capture.enumDevices();
    ASSERT_EQ(devices.size(), 1u);
    const DeviceRecord& camera = devices[0];
    EXPECT_EQ(camera.deviceName, "Doc Camera X1");
    EXPECT_EQ(camera.description, "uvcvideo usb-0000:00:14.0-1");
    EXPECT_EQ(camera.vendorId, "046d");
    EXPECT_EQ(camera.productId, "0825");
    EXPECT_EQ(camera.devicePath, "/dev/video0");

    // Sizes x rates, 640x480@30 once although MJPEG (29.97) and YUYV (30) both offer it.
    std::vector<std::string> formats;
    for (const auto& f : camera.formats)
        formats.push_back(std::to_string(f.width) + "x" + std::to_string(f.height) + "@" +
                          std::to_string(f.fps));
    EXPECT_EQ(formats, (std::vector<std::string>{"1920x1080@30", "1920x1080@5", "640x480@30", "640x480@15"}));
    EXPECT_EQ(rig.io->openDescriptors(), 0);
}

TEST(Enumeration, UdevPropertiesWinOverSysfsWhenPresent)
{
    Rig rig;
    auto camera = documentCamera();
    camera->card = "";
    rig.io->add(camera, "/dev/video4");
    VideoNode node = fake::usbNode("/dev/video4", "ffff", "ffff", "0");
    node.properties = {{"ID_VENDOR_ID", "1b3f"}, {"ID_MODEL_ID", "2247"}, {"ID_V4L_PRODUCT", "Visualizer"}};
    rig.lister->nodes = {node};

    const auto devices = rig.capture.enumDevices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].vendorId, "1b3f");
    EXPECT_EQ(devices[0].productId, "2247");
    EXPECT_EQ(devices[0].deviceName, "Visualizer"); // the driver gave no card name
}

TEST(Enumeration, PrefersTheByIdLinkAndOpensThroughIt)
{
    Rig rig;
    const std::string byId = "/dev/v4l/by-id/usb-Doc_Camera_X1_SN42-video-index0";
    const std::string byPath = "/dev/v4l/by-path/pci-0000:00:14.0-usb-0:1:1.0-video-index0";
    rig.io->add(documentCamera(), "/dev/video0", {byId, byPath});
    VideoNode node = fake::usbNode("/dev/video0", "046d", "0825", "0");
    node.usbAttributes["serial"] = "SN42";
    node.byIdLinks = {byId};
    node.byPathLinks = {byPath};
    rig.lister->nodes = {node};

    const auto devices = rig.capture.enumDevices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].devicePath, byId);
    EXPECT_TRUE(rig.capture.openDevice(byId, {1920, 1080, 30}));
    rig.capture.closeDevice();
    EXPECT_TRUE(rig.capture.openDevice(byPath, {640, 480, 15}));
}

TEST(Enumeration, IdenticalCamerasWithoutSerialFallBackToByPath)
{
    Rig rig;
    // Same model twice, no serial: udev's by-id name is the same for both and the link reaches only one.
    const std::string sharedById = "/dev/v4l/by-id/usb-Doc_Camera_X1-video-index0";
    const std::string port1 = "/dev/v4l/by-path/pci-0000:00:14.0-usb-0:1:1.0-video-index0";
    const std::string port2 = "/dev/v4l/by-path/pci-0000:00:14.0-usb-0:2:1.0-video-index0";
    rig.io->add(documentCamera(), "/dev/video0", {sharedById, port1});
    rig.io->add(documentCamera(), "/dev/video2", {port2});
    rig.io->add(metadataNode(), "/dev/video1");
    VideoNode first = fake::usbNode("/dev/video0", "046d", "0825", "0");
    first.byIdLinks = {sharedById};
    first.byPathLinks = {port1};
    VideoNode metadata = fake::usbNode("/dev/video1", "046d", "0825", "1");
    VideoNode second = fake::usbNode("/dev/video2", "046d", "0825", "0");
    second.byPathLinks = {port2};
    rig.lister->nodes = {first, metadata, second};

    const auto devices = rig.capture.enumDevices();
    ASSERT_EQ(devices.size(), 2u);
    EXPECT_EQ(devices[0].devicePath, port1);
    EXPECT_EQ(devices[1].devicePath, port2);
    EXPECT_TRUE(rig.capture.openDevice(port2, {640, 480, 30}));
}

TEST(DevicePathChoice, SerialNumbersKeepByIdAndMissingLinksKeepTheNode)
{
    const std::vector<PathCandidate> candidates = {
        {"/dev/video0", "046d:0825:A1:0", {"/dev/v4l/by-id/a"}, {"/dev/v4l/by-path/1"}},
        {"/dev/video2", "046d:0825:B2:0", {"/dev/v4l/by-id/b"}, {"/dev/v4l/by-path/2"}},
        {"/dev/video4", "", {}, {}},             // no udev links at all
        {"/dev/video6", "1234:5678::0", {}, {}}, // duplicate identity without any link
        {"/dev/video8", "1234:5678::0", {"/dev/v4l/by-id/c"}, {}},
    };
    EXPECT_EQ(chooseDevicePaths(candidates),
              (std::vector<std::string>{"/dev/v4l/by-id/a", "/dev/v4l/by-id/b", "/dev/video4", "/dev/video6",
                                        "/dev/video8"}));
}

TEST(DevicePathChoice, IdentityFromUdevOrSysfs)
{
    VideoNode node = fake::usbNode("/dev/video0", "046d", "0825", "0");
    EXPECT_EQ(usbIdentity(node), "046d:0825::0");
    node.usbAttributes["serial"] = "77AB";
    EXPECT_EQ(usbIdentity(node), "046d:0825:77AB:0");
    node.properties["ID_SERIAL_SHORT"] = "77AB";
    node.properties["ID_VENDOR_ID"] = "1B3F";
    EXPECT_EQ(usbIdentity(node), "1b3f:0825:77AB:0");
    VideoNode platform;
    platform.devnode = "/dev/video9";
    EXPECT_EQ(usbIdentity(platform), "");
    EXPECT_EQ(usbVendorId(platform), "");
}

TEST(Enumeration, InaccessibleNodesAreSkippedOrReported)
{
    Rig rig;
    auto busy = documentCamera();
    busy->openError = EBUSY;
    auto locked = documentCamera();
    locked->openError = EACCES;
    rig.io->add(busy, "/dev/video0");
    rig.io->add(locked, "/dev/video2");
    rig.lister->nodes = {fake::usbNode("/dev/video0", "046d", "0825", "0"),
                         fake::usbNode("/dev/video2", "046d", "0826", "0")};
    // Nothing could be listed and one node refused us: the caller learns why.
    try {
        rig.capture.enumDevices();
        FAIL() << "expected an exception";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "cannot open /dev/video2: Permission denied");
    }

    // With one usable camera the others are left out quietly.
    rig.io->add(documentCamera(), "/dev/video4");
    rig.lister->nodes.push_back(fake::usbNode("/dev/video4", "046d", "0827", "0"));
    const auto devices = rig.capture.enumDevices();
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].productId, "0827");

    // Vanished between the listing and the open: not an error at all.
    rig.lister->nodes = {fake::usbNode("/dev/video9", "046d", "0825", "0")};
    EXPECT_TRUE(rig.capture.enumDevices().empty());
}
