#include "SystemFacts.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <gnu/libc-version.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace launchscope {

namespace {

std::string env(const char* name)
{
    const char* v = std::getenv(name);
    return v ? v : "";
}

std::string osReleaseName()
{
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::FILE* f = std::fopen(path, "re");
        if (!f)
            continue;
        char line[512];
        std::string name;
        while (std::fgets(line, sizeof line, f)) {
            if (std::strncmp(line, "PRETTY_NAME=", 12) != 0)
                continue;
            name = line + 12;
            while (!name.empty() && (name.back() == '\n' || name.back() == '\r'))
                name.pop_back();
            if (name.size() >= 2 && (name.front() == '"' || name.front() == '\''))
                name = name.substr(1, name.size() - 2);
            break;
        }
        std::fclose(f);
        if (!name.empty())
            return name;
    }
    return "未知";
}

std::string cpuModel()
{
    std::FILE* f = std::fopen("/proc/cpuinfo", "re");
    if (!f)
        return {};
    char line[512];
    std::string model;
    while (model.empty() && std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "model name", 10) != 0)
            continue;
        const char* colon = std::strchr(line, ':');
        if (colon) {
            model = colon + 1;
            while (!model.empty() && (model.front() == ' ' || model.front() == '\t'))
                model.erase(0, 1);
            while (!model.empty() && (model.back() == '\n' || model.back() == ' '))
                model.pop_back();
        }
    }
    std::fclose(f);
    return model;
}

void readMemory(double& totalGiB, double& availableGiB)
{
    std::FILE* f = std::fopen("/proc/meminfo", "re");
    if (!f)
        return;
    char line[256];
    unsigned long long kib = 0;
    while (std::fgets(line, sizeof line, f)) {
        if (std::sscanf(line, "MemTotal: %llu kB", &kib) == 1)
            totalGiB = kib / 1048576.0;
        else if (std::sscanf(line, "MemAvailable: %llu kB", &kib) == 1)
            availableGiB = kib / 1048576.0;
    }
    std::fclose(f);
}

} // namespace

SystemFacts readSystemFacts()
{
    SystemFacts f;
    f.osName = osReleaseName();
    utsname u{};
    if (::uname(&u) == 0) {
        f.kernelRelease = u.release;
        f.kernelVersion = u.version;
        f.machine = u.machine;
    }
    if (f.machine == "x86_64")
        f.architecture = "x64 (64 位)";
    else if (f.machine == "aarch64" || f.machine == "arm64")
        f.architecture = "ARM64";
    else if (f.machine.size() == 4 && f.machine[0] == 'i' && f.machine.compare(2, 2, "86") == 0)
        f.architecture = "x86 (32 位)";
    else
        f.architecture = "未知";
    f.is32Bit = f.architecture == "x86 (32 位)";
    const long cpus = ::sysconf(_SC_NPROCESSORS_ONLN);
    f.cpuCount = cpus > 0 ? static_cast<unsigned>(cpus) : 0;
    f.cpuModel = cpuModel();
    f.root = ::geteuid() == 0;
    f.libcVersion = ::gnu_get_libc_version();
    readMemory(f.memoryTotalGiB, f.memoryAvailableGiB);
    f.display = env("DISPLAY");
    f.waylandDisplay = env("WAYLAND_DISPLAY");
    f.sessionType = env("XDG_SESSION_TYPE");
    f.remoteSession = !env("SSH_CONNECTION").empty() || !env("SSH_CLIENT").empty();
    return f;
}

} // namespace launchscope
