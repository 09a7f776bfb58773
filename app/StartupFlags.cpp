#include "StartupFlags.h"

#include <fcntl.h>
#include <unistd.h>

namespace startup {

namespace {
bool exists(const std::string& path)
{
    return !path.empty() && ::access(path.c_str(), F_OK) == 0;
}
} // namespace

bool StartupFlags::glSoftwareExists() const
{
    return known() && exists(glSoftwarePath());
}

bool StartupFlags::runIncompleteExists() const
{
    return known() && exists(runIncompletePath());
}

bool StartupFlags::writeGlSoftware() const
{
    if (!known())
        return false;
    const int fd = ::open(glSoftwarePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0) {
        [[maybe_unused]] const ssize_t n = ::write(fd, "1", 1);
        ::close(fd);
    }
    return exists(glSoftwarePath());
}

void StartupFlags::createRunIncomplete() const
{
    if (!known())
        return;
    const int fd = ::open(runIncompletePath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd >= 0)
        ::close(fd);
}

void StartupFlags::removeRunIncomplete() const
{
    if (known())
        ::unlink(runIncompletePath().c_str());
}

} // namespace startup
