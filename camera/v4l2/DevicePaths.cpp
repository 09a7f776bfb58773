#include "DevicePaths.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace MediaCapture {
namespace v4l2 {

namespace {

std::string valueOf(const std::map<std::string, std::string>& map, const std::string& key)
{
    auto it = map.find(key);
    return it == map.end() ? std::string() : it->second;
}

std::string lowerHex(std::string text)
{
    // sysfs ends its values with a newline when read raw; udev strips it, a test may not.
    while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())))
        text.pop_back();
    for (char& c : text)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    if (text.empty() || !std::all_of(text.begin(), text.end(), [](char c) { return std::isxdigit(c); }))
        return std::string();
    return text;
}

} // namespace

std::string usbVendorId(const VideoNode& node)
{
    std::string id = lowerHex(valueOf(node.properties, "ID_VENDOR_ID"));
    return id.empty() ? lowerHex(valueOf(node.usbAttributes, "idVendor")) : id;
}

std::string usbProductId(const VideoNode& node)
{
    std::string id = lowerHex(valueOf(node.properties, "ID_MODEL_ID"));
    return id.empty() ? lowerHex(valueOf(node.usbAttributes, "idProduct")) : id;
}

std::string usbIdentity(const VideoNode& node)
{
    const std::string vendor = usbVendorId(node);
    const std::string product = usbProductId(node);
    if (vendor.empty() || product.empty())
        return std::string();
    std::string serial = valueOf(node.properties, "ID_SERIAL_SHORT");
    if (serial.empty())
        serial = valueOf(node.usbAttributes, "serial");
    std::string index = valueOf(node.attributes, "index");
    if (index.empty())
        index = "0";
    return vendor + ":" + product + ":" + serial + ":" + index;
}

std::vector<std::string> chooseDevicePaths(const std::vector<PathCandidate>& candidates)
{
    std::map<std::string, int> sameIdentity;
    for (const PathCandidate& candidate : candidates) {
        if (!candidate.identity.empty())
            ++sameIdentity[candidate.identity];
    }
    std::vector<std::string> paths;
    for (const PathCandidate& candidate : candidates) {
        const bool shared = !candidate.identity.empty() && sameIdentity[candidate.identity] > 1;
        if (!shared && !candidate.byIdLinks.empty())
            paths.push_back(candidate.byIdLinks.front());
        else if (!candidate.byPathLinks.empty())
            paths.push_back(candidate.byPathLinks.front());
        else
            paths.push_back(candidate.devnode);
    }
    return paths;
}

} // namespace v4l2
} // namespace MediaCapture
