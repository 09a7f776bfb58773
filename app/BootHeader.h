#pragma once
// The header and the shared-library probe at the top of each start's boot log.

#include <string>
#include <vector>

namespace bootlog {

struct SystemDescription
{
    std::string osName;       // PRETTY_NAME of /etc/os-release, "Unknown" when unreadable
    unsigned kernelMajor = 0, kernelMinor = 0, kernelPatch = 0;
    std::string kernelRelease; // the full uname release and version
    std::string architecture;  // "x64", "x86", "ARM64" or "Unknown"
    unsigned cpuCount = 0;
    bool elevated = false;     // effective uid 0
    std::string libcVersion;
};

SystemDescription describeSystem();

// Header lines after open(): program, working folder, pid, command line, system.
void writeHeader(int argc, char** argv, const char* exePath);

struct ModuleSpec
{
    const char* fileName; // as the loader knows it; may carry a sub-folder ("platforms/…")
    bool required;
};

// The libraries the program links, in probe order.
const std::vector<ModuleSpec>& probedModules();

// Loads each module from the program's folder first, then through the normal search, and logs where it
// came from or why it failed. Returns the number of required modules that failed.
int probeModules(const char* exeDir, const std::vector<ModuleSpec>& modules);

} // namespace bootlog
