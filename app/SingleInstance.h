#pragma once
// One running LumadocApp per user session: a lock on "LumadocApp_SingleInstance_Mutex" in the runtime
// folder. The lock belongs to the open file description, so it dies with the process and is not
// inherited by a restarted child.

#include <string>

namespace startup {

class SingleInstance
{
public:
    // `lockFile` empty: $XDG_RUNTIME_DIR, else a private per-user folder under the temp dir.
    explicit SingleInstance(std::string lockFile = {});
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the lock; false when another process holds it.
    bool acquire();
    void release();
    bool held() const { return m_fd >= 0; }
    const std::string& lockFile() const { return m_path; }

    static std::string defaultLockFile();

private:
    std::string m_path;
    int m_fd = -1;
};

} // namespace startup
