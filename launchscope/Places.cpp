#include "Places.h"

#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

namespace launchscope {

namespace {

std::string trimTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

std::string tempFolder()
{
    const char* tmp = std::getenv("TMPDIR");
    return trimTrailingSlashes(tmp && *tmp ? tmp : "/tmp");
}

} // namespace

LogPlaces logPlaces(const std::string& appDir)
{
    LogPlaces places;
    places.appLogs = trimTrailingSlashes(appDir) + "/logs";
    // A relative XDG_STATE_HOME is invalid and ignored, as the application ignores it.
    const char* state = std::getenv("XDG_STATE_HOME");
    const char* home = std::getenv("HOME");
    if (state && *state == '/')
        places.stateLogs = trimTrailingSlashes(state) + "/Lumadoc/logs";
    else if (home && *home)
        places.stateLogs = trimTrailingSlashes(home) + "/.local/state/Lumadoc/logs";
    places.temp = tempFolder();
    return places;
}

std::vector<std::string> bootLogFolders(const LogPlaces& places)
{
    std::vector<std::string> folders{places.appLogs};
    if (!places.stateLogs.empty())
        folders.push_back(places.stateLogs);
    folders.push_back(places.temp);
    return folders;
}

std::vector<std::string> crashLogPaths(const LogPlaces& places, const std::string& appDir)
{
    std::vector<std::string> paths;
    for (const std::string& folder : bootLogFolders(places))
        paths.push_back(folder + "/crash.log");
    paths.push_back(trimTrailingSlashes(appDir) + "/crash.log");
    return paths;
}

bool isBuildTree(const std::string& appDir)
{
    return !appDir.empty() &&
           ::access((trimTrailingSlashes(appDir) + "/lumadoc-build-tree").c_str(), F_OK) == 0;
}

std::vector<std::string> dataFolders(const std::string& appDir)
{
    std::vector<std::string> folders{trimTrailingSlashes(appDir)};
    const char* data = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (data && *data == '/')
        folders.push_back(trimTrailingSlashes(data) + "/Lumadoc");
    else if (home && *home)
        folders.push_back(trimTrailingSlashes(home) + "/.local/share/Lumadoc");
    folders.push_back(trimTrailingSlashes(appDir) + "/../share/lumadoc");
    return folders;
}

std::string instanceLockFile()
{
    static const char kLockName[] = "LumadocApp_SingleInstance_Mutex";
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/')
        return std::string(runtime) + "/" + kLockName;
    return tempFolder() + "/lumadoc-" + std::to_string(::getuid()) + "/" + kLockName;
}

bool instanceRunning()
{
    const int fd = ::open(instanceLockFile().c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false; // no lock file: nobody has ever held it in this session
    struct flock lock
    {
    };
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    // The application holds an open-file-description lock; asking with the same kind sees it from here.
    const bool held = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

} // namespace launchscope
