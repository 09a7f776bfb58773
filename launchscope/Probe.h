#pragma once
// Probes that may crash or hang the process that runs them (a library's constructor, a GL driver) run in
// a forked child with a time limit, so that such a library is reported instead of ending the diagnosis.

#include <functional>
#include <string>

namespace launchscope {

struct ChildResult
{
    enum Outcome
    {
        Finished,
        Crashed,
        TimedOut,
        ForkFailed
    } outcome = ForkFailed;
    std::string text; // what the child's work returned (only when Finished)
    int exitCode = 0; // when Finished
    int signal = 0;   // when Crashed
};

// Milliseconds of the monotonic clock, for deadlines.
long long monotonicMs();

// Runs `work` in a forked child and returns its text. A child that is still running after `timeoutMs`
// is killed. Only call while this process has a single thread.
ChildResult runInChild(const std::function<std::string()>& work, int timeoutMs);

struct LibraryProbe
{
    bool loaded = false;
    std::string loadedPath; // where the loader found it, when loaded
    std::string error;      // dlerror(), or what became of the child, when not
};

// dlopen(RTLD_NOW) of `fileOrPath` in a child: every symbol resolved, constructors run.
LibraryProbe probeLibrary(const std::string& fileOrPath, int timeoutMs = 15000);

struct GlProbe
{
    bool attempted = false;
    bool ok = false;
    std::string method; // "GLX" or "EGL surfaceless"
    std::string version, renderer, vendor;
    int screenWidth = 0, screenHeight = 0;
    std::string error;
};

// Creates a minimal GL context the way the application's window will (GLX on $DISPLAY), or, without an X
// display, through EGL with no surface, and reads the driver's strings. The GL libraries are dlopened,
// never linked, so a machine without them still runs this tool.
GlProbe probeGl(int timeoutMs = 20000);

// "SIGSEGV" etc.
std::string signalName(int signal);

} // namespace launchscope
