#pragma once
// Choice of a writable directory for the boot log, its flag files, crash.log and dumps.

#include <string>
#include <vector>

namespace bootlog {

// Creates `path` with all missing parents. Returns true when it exists as a directory afterwards.
bool makeDirectories(const std::string& path);

// True when a fresh file can be created exclusively in `dir`. The probe file gets a name no other
// process or earlier run can hold, so a leftover from a crashed process never fails the test.
bool canCreateFileIn(const std::string& dir);

// True when `exeDir` is a program folder of the build tree, marked by the file "lumadoc-build-tree" that
// the build writes and the install never copies. Only there do logs go beside the program.
bool isBuildTree(const std::string& exeDir);

// The candidate directories, in order of preference, for an executable in `exeDir`: its "logs" folder
// in the build tree, then the per-user state folder, then the temporary folder.
// Environment: XDG_STATE_HOME (default $HOME/.local/state), TMPDIR (default /tmp).
std::vector<std::string> candidateDirectories(const std::string& exeDir);

// The first candidate that can be created and passes the write test; "" when none does.
std::string chooseDirectory(const std::vector<std::string>& candidates);

} // namespace bootlog
