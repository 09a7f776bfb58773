#pragma once
// The machine facts that decide whether LumadocApp can start here.

#include <string>

namespace launchscope {

struct SystemFacts
{
    std::string osName;        // PRETTY_NAME of os-release, "未知" when unreadable
    std::string kernelRelease; // uname release
    std::string kernelVersion; // uname version
    std::string machine;       // uname machine ("x86_64")
    std::string architecture;  // "x64 (64 位)", "x86 (32 位)", "ARM64", "未知"
    bool is32Bit = false;
    unsigned cpuCount = 0;
    std::string cpuModel;
    bool root = false;
    std::string libcVersion;
    double memoryTotalGiB = -1, memoryAvailableGiB = -1; // -1 when /proc/meminfo is unreadable
    std::string display;                                 // $DISPLAY
    std::string waylandDisplay;                          // $WAYLAND_DISPLAY
    std::string sessionType;                             // $XDG_SESSION_TYPE
    bool remoteSession = false;                          // started over SSH
};

SystemFacts readSystemFacts();

} // namespace launchscope
