#pragma once
// A printf subset for the fatal-signal handler: no heap, no locale, no lock, no stdio, so it can run
// while the process is in any state. Texts come out byte-for-byte like glibc's snprintf for the
// directives below, so lines written from the handler look like every other boot-log line.

#include <cstdarg>
#include <cstddef>

namespace crash {

// Supported: flags '-' and '0', a decimal field width, length modifiers hh h l ll z, and the
// conversions d i u x X s c p %. "%p" prints "(nil)" for a null pointer, like glibc. A null "%s"
// argument prints "(null)". Anything else is copied to the output as written.
// Stores at most cap - 1 bytes and a terminating NUL (nothing when cap is 0); returns the number of
// bytes stored, not the length the whole text would have had.
std::size_t formatSafe(char* out, std::size_t cap, const char* fmt, ...)
    __attribute__((format(printf, 3, 4)));
std::size_t vformatSafe(char* out, std::size_t cap, const char* fmt, va_list args);

} // namespace crash
