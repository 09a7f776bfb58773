#pragma once
// The boot log: plain text written with raw system calls from the first line of main(), before Qt exists.
// Every line goes to standard error and, when the file is open, to "boot_<yyyy-MM-dd>.log" with a
// "[hh:mm:ss.zzz] " local-time prefix. Texts are UTF-8 and carry their own line ends.

#include <cstddef>

namespace bootlog {

// Picks the first usable directory (exe dir + "/logs", $XDG_STATE_HOME/Lumadoc/logs, the temp dir)
// and opens today's boot log for appending. Idempotent. On failure the boot log is off for the run and
// directory() is empty.
void open(const char* exeDir);

// printf-style line to standard error and the boot log. Not for signal handlers.
void log(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Standard error only (lines the start-up prints but never keeps in the file).
void console(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Async-signal-safe: writes `len` bytes to standard error and, with the time prefix, to the boot log.
// The prefix uses the UTC offset captured at open(), since localtime() may not run in a handler.
void writeSignalSafe(const char* text, std::size_t len);

// Flushes the boot log to disk. Async-signal-safe.
void sync();

// Boot log directory without trailing slash; "" when none was usable.
const char* directory();
// Boot log file path; "" when the boot log is off.
const char* filePath();

// Local wall-clock time computed without localtime(), using the offset captured at open().
// Async-signal-safe; used for file names and crash lines inside handlers.
struct LocalTime
{
    int year, month, day, hour, minute, second, millisecond;
};
LocalTime localTimeSignalSafe();

// For tests: forget the state so open() can run again against another directory.
void resetForTesting();

} // namespace bootlog
