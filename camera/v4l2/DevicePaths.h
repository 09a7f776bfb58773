#pragma once
// Which path we hand out for each camera: the most stable one that names exactly that camera.
#include "VideoNodeLister.h"

#include <string>
#include <vector>

namespace MediaCapture {
namespace v4l2 {

struct PathCandidate
{
    std::string devnode;
    // Same text for nodes udev would give the same by-id name; empty when unknown (not USB).
    std::string identity;
    std::vector<std::string> byIdLinks;
    std::vector<std::string> byPathLinks;
};

// by-id survives a change of USB port and of /dev/videoN numbering, so it comes first. But identical
// models without a serial number share one by-id name, whose link points at only one of them; such
// cameras get their by-path link (the port they sit in) instead. /dev/videoN when there is no link.
std::vector<std::string> chooseDevicePaths(const std::vector<PathCandidate>& candidates);

// vendor:product:serial:index, from udev's properties or, without a udev database, from sysfs.
std::string usbIdentity(const VideoNode& node);

// USB vendor and product id as lower-case hex text, empty when unknown.
std::string usbVendorId(const VideoNode& node);
std::string usbProductId(const VideoNode& node);

} // namespace v4l2
} // namespace MediaCapture
