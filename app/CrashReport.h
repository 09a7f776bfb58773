#pragma once
// The crash message box, shown by a fresh copy of the program that the crash handler starts with
// "--crash-report <module> <code> <crash.log path>".

#include <string>

namespace crash {

// The message text (UTF-8). An empty module shows as "(未知)". Capped at 2047 bytes, cut on a
// character boundary.
std::string crashReportText(const std::string& module, unsigned long code, const std::string& crashLogPath);

// Reads the code argument as the handler writes it ("0x0000000B"); decimal works too. 0 when unreadable.
unsigned long parseCrashCode(const char* text);

} // namespace crash
