#pragma once
// One start of LumadocApp, its wait, and what its end means.

#include <functional>
#include <string>

namespace launchscope {

// The wait for the started program; a program still running after it counts as started.
constexpr int kLaunchWaitSeconds = 20;

struct LaunchResult
{
    enum Outcome
    {
        NotStarted,
        StillRunning,
        Exited,
        Signalled
    } outcome = NotStarted;
    int pid = 0;
    int exitCode = 0; // Exited
    int signal = 0;   // Signalled
    bool coreDumped = false;
    std::string startError; // NotStarted: why (errno text of fork or exec)
    std::string output;     // what the program wrote to standard output and error during the wait
};

// Starts `program` without arguments in `workDir` with this tool's environment, its output to a private
// file, in a session of its own (so it outlives this tool and its terminal), and waits up to `waitSeconds`.
// `onStarted` is told the process id once the program is running, before the wait.
LaunchResult launchAndWait(const std::string& program, const std::string& workDir, int waitSeconds,
                           const std::function<void(int pid)>& onStarted);

// The explanation of an end, as a technician reads it. `instanceWasRunning`: another LumadocApp held the
// single-instance lock when this one started.
std::string explainExit(const LaunchResult& r, bool instanceWasRunning);

// The dynamic loader's own complaint in `output` ("error while loading shared libraries: ..."), or "".
std::string loaderError(const std::string& output);

} // namespace launchscope
