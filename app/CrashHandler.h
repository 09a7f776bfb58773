#pragma once
// Crash capture: a fatal signal (SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT) in any thread appends a
// line to crash.log, writes the faulting place and a stack trace into the boot log, writes a minidump
// next to it, starts this program again to show the user a message box, and then lets the process die
// by the same signal.
//
// Environment, read once by install(): LD_NO_MINIDUMP (set to anything: no dump), LD_NO_CRASH_MSG
// (set to anything: no message box). Without DISPLAY and WAYLAND_DISPLAY there is no message box.

namespace crash {

// Installs the handlers once; exePath is the absolute path of the running program. Call after
// bootlog::open(), which decides where crash.log and the dumps go, and before starting threads:
// threads started afterwards get their own signal stack, so a stack overflow is caught too.
void install(const char* exePath);

// Faults on purpose (a write through a null pointer), for the LD_TEST_CRASH self-test.
[[noreturn]] void triggerTestCrash();

// The "--crash-report <module> <code> <crash.log path>" mode, started by the handler: shows the
// crash message box and returns 0 when the user closes it.
int runCrashReport(int argc, char** argv);

} // namespace crash
