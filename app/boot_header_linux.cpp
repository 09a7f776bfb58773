#include "BootHeader.h"
#include "BootLog.h"

#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <fstream>
#include <gnu/libc-version.h>
#include <link.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace bootlog {

namespace {

std::string osReleaseName()
{
    for (const char* path : {"/etc/os-release", "/usr/lib/os-release"}) {
        std::ifstream in(path);
        std::string line;
        while (std::getline(in, line)) {
            if (line.compare(0, 12, "PRETTY_NAME=") != 0)
                continue;
            std::string value = line.substr(12);
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\''))
                value = value.substr(1, value.size() - 2);
            return value;
        }
    }
    return "Unknown";
}

std::string commandLine(int argc, char** argv)
{
    std::string text;
    for (int i = 0; i < argc; ++i) {
        if (i)
            text += ' ';
        const bool quote = std::strchr(argv[i], ' ') != nullptr;
        text += quote ? "\"" + std::string(argv[i]) + "\"" : std::string(argv[i]);
    }
    return text;
}

std::string loadedPath(void* handle)
{
    link_map* map = nullptr;
    if (::dlinfo(handle, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name && *map->l_name)
        return map->l_name;
    return "?";
}

std::string baseName(const char* name)
{
    const char* slash = std::strrchr(name, '/');
    return slash ? slash + 1 : name;
}

} // namespace

SystemDescription describeSystem()
{
    SystemDescription d;
    d.osName = osReleaseName();
    utsname u{};
    if (::uname(&u) == 0) {
        std::sscanf(u.release, "%u.%u.%u", &d.kernelMajor, &d.kernelMinor, &d.kernelPatch);
        d.kernelRelease = std::string(u.release) + " " + u.version;
        const std::string machine = u.machine;
        if (machine == "x86_64")
            d.architecture = "x64";
        else if (machine == "aarch64" || machine == "arm64")
            d.architecture = "ARM64";
        else if (machine.size() == 4 && machine[0] == 'i' && machine.compare(2, 2, "86") == 0)
            d.architecture = "x86";
        else
            d.architecture = "Unknown";
    } else {
        d.architecture = "Unknown";
    }
    const long cpus = ::sysconf(_SC_NPROCESSORS_ONLN);
    d.cpuCount = cpus > 0 ? static_cast<unsigned>(cpus) : 0;
    d.elevated = ::geteuid() == 0;
    d.libcVersion = std::string("glibc ") + ::gnu_get_libc_version();
    return d;
}

void writeHeader(int argc, char** argv, const char* exePath)
{
    char cwd[4096];
    if (!::getcwd(cwd, sizeof cwd))
        std::strcpy(cwd, "?");
    const SystemDescription sys = describeSystem();
    log("\n============================================================\n");
    log("[BOOT] LumadocApp 启动引导日志\n");
    log("[BOOT] 日志文件: %s\n", filePath());
    log("[BOOT] 程序路径: %s\n", exePath);
    log("[BOOT] 工作目录: %s\n", cwd);
    log("[BOOT] 进程 PID: %lu\n", static_cast<unsigned long>(::getpid()));
    log("[BOOT] 命令行  : %s\n", commandLine(argc, argv).c_str());
    log("[BOOT] 操作系统: %s %u.%u.%u  %s\n", sys.osName.c_str(), sys.kernelMajor, sys.kernelMinor,
        sys.kernelPatch, sys.kernelRelease.c_str());
    log("[BOOT] 系统架构: %s  CPU 核心数=%u\n", sys.architecture.c_str(), sys.cpuCount);
    log("[BOOT] 管理员权限: %s\n", sys.elevated ? "是" : "否");
    log("[BOOT] 系统 C 运行库: %s\n", sys.libcVersion.c_str());
    log("[BOOT] ------------------------------------------------------------\n");
}

const std::vector<ModuleSpec>& probedModules()
{
    static const std::vector<ModuleSpec> modules = {
        {"libstdc++.so.6", true},
        {"libgcc_s.so.1", true},
        {"libc.so.6", true},
        {"libm.so.6", true},
        {"libQt5Core.so.5", true},
        {"libQt5Gui.so.5", true},
        {"libQt5Widgets.so.5", true},
        {"libQt5Network.so.5", false},
        {"platforms/libqxcb.so", true},
        {"libunwind.so.8", false},
    };
    return modules;
}

int probeModules(const char* exeDir, const std::vector<ModuleSpec>& modules)
{
    log("[BOOT] 依赖模块探测（逐个 dlopen，记录失败原因与实际加载路径）\n");
    int requiredFailures = 0;
    for (const ModuleSpec& m : modules) {
        const std::string own = std::string(exeDir) + "/" + m.fileName;
        bool ownCopy = true;
        void* handle = ::dlopen(own.c_str(), RTLD_LAZY | RTLD_LOCAL);
        std::string error;
        if (!handle) {
            // An own copy that is there but does not load is the fault to report, not the system's lack of one.
            const char* ownError = ::dlerror();
            if (ownError && ::access(own.c_str(), F_OK) == 0)
                error = ownError;
            ownCopy = false;
            // Plugins are not on the loader's search path; Qt keeps them in its own plugin folder.
            const bool isPlugin = std::strchr(m.fileName, '/') != nullptr;
            const std::string fallback =
                isPlugin ? std::string(LUMADOC_QT_PLUGIN_DIR) + "/" + m.fileName : baseName(m.fileName);
            handle = ::dlopen(fallback.c_str(), RTLD_LAZY | RTLD_LOCAL);
            if (!handle && error.empty()) {
                const char* e = ::dlerror();
                error = e ? e : "unknown error";
            }
        }
        if (handle) {
            log("[BOOT] ok %-32s %s %s\n", m.fileName, ownCopy ? "<-" : "使用系统版本 <-",
                loadedPath(handle).c_str());
            ::dlclose(handle);
        } else {
            if (m.required)
                ++requiredFailures;
            log("[BOOT] %s %-32s FAIL  err=%s\n", m.required ? "!!" : "  ", m.fileName, error.c_str());
        }
    }
    if (requiredFailures > 0)
        log("[BOOT] !! 有 %d 个必需模块加载失败（见上面 FAIL 行）\n", requiredFailures);
    log("[BOOT] ------------------------------------------------------------\n");
    return requiredFailures;
}

} // namespace bootlog
