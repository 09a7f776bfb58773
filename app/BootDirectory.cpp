#include "BootDirectory.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace bootlog {

namespace {

bool isDirectory(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string trimTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    if (isDirectory(path))
        return true;
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        const std::string prefix = path.substr(0, pos);
        if (::mkdir(prefix.c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return isDirectory(path);
}

bool canCreateFileIn(const std::string& dir)
{
    // The pid alone is not unique: a crashed process with a recycled pid may have left its probe behind,
    // so the name gets a random part that mkostemps creates exclusively.
    char name[1024];
    const int len = std::snprintf(name, sizeof name, "%s/.ld_wtest_%lu_XXXXXX.tmp", dir.c_str(),
                                  static_cast<unsigned long>(::getpid()));
    if (len <= 0 || static_cast<std::size_t>(len) >= sizeof name)
        return false;
    const int fd = ::mkostemps(name, 4, O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool wrote = ::write(fd, "x", 1) == 1;
    ::close(fd);
    ::unlink(name);
    return wrote;
}

bool isBuildTree(const std::string& exeDir)
{
    return !exeDir.empty() && ::access((trimTrailingSlashes(exeDir) + "/lumadoc-build-tree").c_str(), F_OK) == 0;
}

std::vector<std::string> candidateDirectories(const std::string& exeDir)
{
    std::vector<std::string> dirs;
    // An installed program never writes into its prefix, even when run as root.
    if (isBuildTree(exeDir))
        dirs.push_back(trimTrailingSlashes(exeDir) + "/logs");

    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (state && *state == '/')
        dirs.push_back(trimTrailingSlashes(state) + "/Lumadoc/logs");
    else if (home && *home)
        dirs.push_back(trimTrailingSlashes(home) + "/.local/state/Lumadoc/logs");

    const char* tmp = std::getenv("TMPDIR");
    dirs.push_back(trimTrailingSlashes(tmp && *tmp ? tmp : "/tmp"));
    return dirs;
}

std::string chooseDirectory(const std::vector<std::string>& candidates)
{
    for (const std::string& dir : candidates) {
        if (makeDirectories(dir) && canCreateFileIn(dir))
            return dir;
    }
    return {};
}

} // namespace bootlog
