#include "VideoNodeLister.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <libudev.h>
#include <memory>
#include <stdexcept>

namespace MediaCapture {
namespace v4l2 {

namespace {

struct UdevDeleter
{
    void operator()(udev* handle) const { udev_unref(handle); }
};
struct UdevEnumerateDeleter
{
    void operator()(udev_enumerate* handle) const { udev_enumerate_unref(handle); }
};
struct UdevDeviceDeleter
{
    void operator()(udev_device* handle) const { udev_device_unref(handle); }
};
struct DirDeleter
{
    void operator()(DIR* handle) const { closedir(handle); }
};
using UdevPtr = std::unique_ptr<udev, UdevDeleter>;
using UdevEnumeratePtr = std::unique_ptr<udev_enumerate, UdevEnumerateDeleter>;
using UdevDevicePtr = std::unique_ptr<udev_device, UdevDeviceDeleter>;
using DirPtr = std::unique_ptr<DIR, DirDeleter>;

std::string canonicalPath(const std::string& path)
{
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
        return std::string();
    return resolved;
}

// Every link in one of the /dev/v4l folders, keyed by the node it resolves to. Read from the file system
// rather than udev's DEVLINKS, which is empty when no udev daemon keeps a database.
std::map<std::string, std::vector<std::string>> linksIn(const std::string& folder)
{
    std::map<std::string, std::vector<std::string>> links;
    DirPtr dir(opendir(folder.c_str()));
    if (!dir)
        return links;
    while (dirent* entry = readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name == "." || name == "..")
            continue;
        const std::string link = folder + "/" + name;
        const std::string target = canonicalPath(link);
        if (!target.empty())
            links[target].push_back(link);
    }
    for (auto& entry : links)
        std::sort(entry.second.begin(), entry.second.end());
    return links;
}

void copyAttribute(udev_device* device, const char* name, std::map<std::string, std::string>& into)
{
    if (const char* value = udev_device_get_sysattr_value(device, name))
        into[name] = value;
}

// video2 before video10.
bool nodeOrder(const VideoNode& a, const VideoNode& b)
{
    auto number = [](const std::string& sysname) {
        const size_t digits = sysname.find_first_of("0123456789");
        return digits == std::string::npos ? -1L : std::strtol(sysname.c_str() + digits, nullptr, 10);
    };
    const long na = number(a.sysname), nb = number(b.sysname);
    return na != nb ? na < nb : a.sysname < b.sysname;
}

} // namespace

UdevVideoNodeLister::UdevVideoNodeLister(std::string linkRoot) : m_linkRoot(std::move(linkRoot)) {}

std::vector<VideoNode> UdevVideoNodeLister::listNodes()
{
    UdevPtr context(udev_new());
    if (!context)
        throw std::runtime_error("cannot create a udev context");
    UdevEnumeratePtr enumerate(udev_enumerate_new(context.get()));
    if (!enumerate)
        throw std::runtime_error("cannot create a udev enumeration");
    if (udev_enumerate_add_match_subsystem(enumerate.get(), "video4linux") < 0)
        throw std::runtime_error("cannot filter the udev enumeration on video4linux");
    const int scanned = udev_enumerate_scan_devices(enumerate.get());
    if (scanned < 0)
        throw std::runtime_error("cannot list video4linux devices through udev (error " +
                                 std::to_string(-scanned) + ")");

    const auto byId = linksIn(m_linkRoot + "/by-id");
    const auto byPath = linksIn(m_linkRoot + "/by-path");

    std::vector<VideoNode> nodes;
    udev_list_entry* entry;
    udev_list_entry_foreach(entry, udev_enumerate_get_list_entry(enumerate.get()))
    {
        const char* syspath = udev_list_entry_get_name(entry);
        UdevDevicePtr device(udev_device_new_from_syspath(context.get(), syspath));
        if (!device)
            continue; // vanished since the scan
        const char* devnode = udev_device_get_devnode(device.get());
        if (!devnode)
            continue;

        // Picture nodes are videoN. Radio, vbi, touch and sub-device nodes share the subsystem, and opening
        // some of them has effects of its own (a radio tuner unmutes).
        const char* sysname = udev_device_get_sysname(device.get());
        if (!sysname || std::strncmp(sysname, "video", 5) != 0)
            continue;

        VideoNode node;
        node.devnode = devnode;
        node.sysname = sysname;
        udev_list_entry* property;
        udev_list_entry_foreach(property, udev_device_get_properties_list_entry(device.get()))
        {
            const char* value = udev_list_entry_get_value(property);
            node.properties[udev_list_entry_get_name(property)] = value ? value : "";
        }
        copyAttribute(device.get(), "name", node.attributes);
        copyAttribute(device.get(), "index", node.attributes);

        // Borrowed from the child, which keeps it alive: no unref.
        if (udev_device* usb =
                udev_device_get_parent_with_subsystem_devtype(device.get(), "usb", "usb_device")) {
            for (const char* name : {"idVendor", "idProduct", "serial", "manufacturer", "product"})
                copyAttribute(usb, name, node.usbAttributes);
        }

        const std::string target = canonicalPath(node.devnode);
        if (auto it = byId.find(target); it != byId.end())
            node.byIdLinks = it->second;
        if (auto it = byPath.find(target); it != byPath.end())
            node.byPathLinks = it->second;
        nodes.push_back(std::move(node));
    }
    std::sort(nodes.begin(), nodes.end(), nodeOrder);
    return nodes;
}

} // namespace v4l2
} // namespace MediaCapture
