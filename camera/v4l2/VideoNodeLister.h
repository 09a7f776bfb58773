#pragma once
// What the system knows about each video4linux node before we open it: udev's view (properties, which
// stay empty without a udev daemon), the raw sysfs attributes, and the /dev/v4l links pointing at it.
// Behind an interface so that the tests can describe any set of cameras.
#include <map>
#include <string>
#include <vector>

namespace MediaCapture {
namespace v4l2 {

struct VideoNode
{
    std::string devnode;                              // "/dev/video0"
    std::string sysname;                              // "video0"
    std::map<std::string, std::string> properties;    // udev properties: ID_VENDOR_ID, ID_SERIAL, ...
    std::map<std::string, std::string> attributes;    // sysfs of the node itself: name, index
    std::map<std::string, std::string> usbAttributes; // sysfs of the parent usb_device: idVendor, serial
    std::vector<std::string> byIdLinks;               // /dev/v4l/by-id/... resolving to devnode
    std::vector<std::string> byPathLinks;             // /dev/v4l/by-path/... resolving to devnode
};

class VideoNodeLister
{
public:
    virtual ~VideoNodeLister() = default;
    // Throws std::runtime_error when the system cannot be asked at all.
    virtual std::vector<VideoNode> listNodes() = 0;
};

// libudev enumeration of the video4linux subsystem plus a scan of /dev/v4l.
class UdevVideoNodeLister : public VideoNodeLister
{
public:
    explicit UdevVideoNodeLister(std::string linkRoot = "/dev/v4l");
    std::vector<VideoNode> listNodes() override;

private:
    std::string m_linkRoot;
};

} // namespace v4l2
} // namespace MediaCapture
