#include "SingleInstance.h"
#include "BootDirectory.h"

#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace startup {

namespace {
const char kLockName[] = "LumadocApp_SingleInstance_Mutex";
}

std::string SingleInstance::defaultLockFile()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime && *runtime == '/')
        return std::string(runtime) + "/" + kLockName;
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir =
        std::string(tmp && *tmp ? tmp : "/tmp") + "/lumadoc-" + std::to_string(::getuid());
    bootlog::makeDirectories(dir);
    ::chmod(dir.c_str(), 0700);
    return dir + "/" + kLockName;
}

SingleInstance::SingleInstance(std::string lockFile)
    : m_path(lockFile.empty() ? defaultLockFile() : std::move(lockFile))
{
}

SingleInstance::~SingleInstance()
{
    release();
}

bool SingleInstance::acquire()
{
    if (m_fd >= 0)
        return true;
    const int fd = ::open(m_path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true; // no place for a lock must not keep the program from starting
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    if (::fcntl(fd, F_OFD_SETLK, &lock) != 0) {
        ::close(fd);
        return false;
    }
    m_fd = fd;
    return true;
}

void SingleInstance::release()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

} // namespace startup
