#include "GraphicsProbe.h"

#include <algorithm>
#include <dirent.h>
#include <dlfcn.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace startup {

namespace {

std::vector<std::string> listMatching(const std::string& dir, const std::string& prefix)
{
    std::vector<std::string> names;
    if (DIR* d = ::opendir(dir.c_str())) {
        while (dirent* e = ::readdir(d)) {
            const std::string name = e->d_name;
            if (name.compare(0, prefix.size(), prefix) == 0 && name.find('-') == std::string::npos)
                names.push_back(name);
        }
        ::closedir(d);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string readFirstLine(const std::string& path)
{
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::string stripHexPrefix(std::string id)
{
    if (id.compare(0, 2, "0x") == 0)
        id.erase(0, 2);
    return id;
}

bool fileExists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

} // namespace

std::string displayAdapterDescription()
{
    const std::vector<std::string> cards = listMatching("/sys/class/drm", "card");
    if (cards.empty())
        return {};
    const std::string dev = "/sys/class/drm/" + cards.front() + "/device";
    std::string driver;
    char target[512];
    const ssize_t n = ::readlink((dev + "/driver").c_str(), target, sizeof target - 1);
    if (n > 0) {
        target[n] = '\0';
        driver = target;
        driver = driver.substr(driver.find_last_of('/') + 1);
    }
    const std::string vendor = stripHexPrefix(readFirstLine(dev + "/vendor"));
    const std::string device = stripHexPrefix(readFirstLine(dev + "/device"));
    std::string text = cards.front();
    std::string details = driver;
    if (!vendor.empty() && !device.empty())
        details += (details.empty() ? "" : ", ") + vendor + ":" + device;
    if (!details.empty())
        text += " (" + details + ")";
    return text;
}

std::vector<std::pair<std::string, bool>> graphicsComponents()
{
    std::vector<std::pair<std::string, bool>> result;
    for (const char* lib : {"libGL.so.1", "libEGL.so.1", "libGLX_mesa.so.0"}) {
        void* h = ::dlopen(lib, RTLD_LAZY | RTLD_LOCAL);
        result.emplace_back(lib, h != nullptr);
        if (h)
            ::dlclose(h);
    }
    const char* driverDirs = ::getenv("LIBGL_DRIVERS_PATH");
    const std::string dir = driverDirs && *driverDirs ? std::string(driverDirs).substr(0, std::string(driverDirs).find(':'))
                                                      : std::string(LUMADOC_DRI_DIR);
    result.emplace_back("swrast_dri.so", fileExists(dir + "/swrast_dri.so"));
    return result;
}

std::string firstRenderNode()
{
    const std::vector<std::string> nodes = listMatching("/dev/dri", "renderD");
    return nodes.empty() ? std::string() : "/dev/dri/" + nodes.front();
}

} // namespace startup
