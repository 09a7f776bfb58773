#pragma once
// The two flag files in the boot log directory that carry what one start learnt to the next one.

#include <string>

namespace startup {

struct StartupFlags
{
    explicit StartupFlags(std::string bootDir) : dir(std::move(bootDir)) {}

    bool known() const { return !dir.empty(); }
    std::string glSoftwarePath() const { return dir + "/gl_software.flag"; }
    std::string runIncompletePath() const { return dir + "/run_incomplete.flag"; }

    bool glSoftwareExists() const;
    bool runIncompleteExists() const;
    // Writes "1"; true when the file exists afterwards.
    bool writeGlSoftware() const;
    void createRunIncomplete() const;
    void removeRunIncomplete() const;

    std::string dir;
};

} // namespace startup
