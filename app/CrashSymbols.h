#pragma once
// Address-to-module lookup and the frame lines of the crash report. Used from the fatal-signal
// handler, so nothing here allocates; the lookup goes through dladdr(), which reads the loader's
// tables under its own recursive lock.

#include <cstddef>
#include <cstdint>

namespace crash {

struct AddressInfo
{
    const char* modulePath = nullptr; // full path of the containing module; nullptr when none
    std::uintptr_t moduleBase = 0;    // where that module is mapped
    const char* symbol = nullptr;     // nearest dynamic symbol at or below the address; may be nullptr
    std::uintptr_t symbolAddress = 0;
};

// dladdr() names the main program by its argv[0], which may be relative or a bare name. Giving the
// absolute program path here (once, before any crash) makes the lookup report that instead.
void setMainProgramPath(const char* absolutePath);

// Fills `info` for `address`; false (and an empty `info`) when the address lies in no module.
bool lookupAddress(std::uintptr_t address, AddressInfo& info);

// The file name part of a path (after the last '/').
const char* fileNameOf(const char* path);

// Formats one "[BOOT]   <tag> ..." frame line for `address` into `out`. Returns its length; 0 for
// address 0, which gets no line.
std::size_t formatFrameLine(char* out, std::size_t cap, const char* tag, std::uintptr_t address);

} // namespace crash
