#pragma once
// Where LumadocApp keeps what this tool reads. These follow the application's own rules (its boot-log
// folder choice and its single-instance lock); the tool shares no code with it, so they are restated here.

#include <string>
#include <vector>

namespace launchscope {

struct LogPlaces
{
    std::string appLogs; // <program folder>/logs (the build tree's place; read wherever it exists)
    std::string
        stateLogs;    // $XDG_STATE_HOME/Lumadoc/logs (default ~/.local/state/Lumadoc/logs); "" without HOME
    std::string temp; // $TMPDIR or /tmp, the folder itself
};
LogPlaces logPlaces(const std::string& appDir);

// The folders a boot log may be in, in the application's order of preference.
std::vector<std::string> bootLogFolders(const LogPlaces& places);
// Every place crash.log may be: each boot-log folder, then the program folder itself (used when the
// application found no boot-log folder).
std::vector<std::string> crashLogPaths(const LogPlaces& places, const std::string& appDir);

// True when `appDir` is the build tree (the build marks it with "lumadoc-build-tree"). Only there does
// the application keep its logs beside itself.
bool isBuildTree(const std::string& appDir);

// Where the application looks for a data file, in order: beside itself, $XDG_DATA_HOME/Lumadoc
// (default ~/.local/share/Lumadoc), then <program folder>/../share/lumadoc.
std::vector<std::string> dataFolders(const std::string& appDir);

// The file the running application holds its single-instance lock on.
std::string instanceLockFile();
// True when another process holds that lock now. Only tests it; never takes it.
bool instanceRunning();

} // namespace launchscope
