#pragma once
// What the dynamic loader will need to start a program, read straight from its ELF file: the libraries
// it names (DT_NEEDED), where it asks for them to be searched (DT_RUNPATH / DT_RPATH) and the symbol
// versions it needs from each (GLIBC_2.34, GLIBCXX_3.4.30, Qt_5 ...). Read from the file every run, so
// the list never goes stale when the program gains or loses a library.

#include <map>
#include <set>
#include <string>
#include <vector>

namespace launchscope {

struct ElfInfo
{
    bool readable = false; // the file could be opened and read
    bool isElf = false;    // starts with the ELF magic
    bool is64 = false;
    bool littleEndian = false;
    unsigned machine = 0; // e_machine
    bool dynamic = false; // has a dynamic section
    std::vector<std::string> needed;
    std::vector<std::string> runPath; // DT_RUNPATH split at ':', "$ORIGIN" not yet replaced
    std::vector<std::string> rPath;   // DT_RPATH, only used by the loader when there is no RUNPATH
    // Library file name -> version names the program needs from it.
    std::map<std::string, std::set<std::string>> neededVersions;
    // Version names this file defines (for a library).
    std::set<std::string> definedVersions;
};

// Reads only the headers and the dynamic section; never the whole file (the program may carry large
// debug information). Handles 64-bit little-endian files fully; others only as far as class and machine.
ElfInfo readElf(const std::string& path);

// The machine this tool was built for, as an e_machine value.
unsigned hostMachine();
// "x86-64", "AArch64", "i386" ... for the report.
std::string machineName(unsigned machine);

// The search folders of a program's own library search path, with $ORIGIN / ${ORIGIN} replaced by
// `originDir`, in the order the loader uses them (RUNPATH when present, else RPATH).
std::vector<std::string> searchFolders(const ElfInfo& elf, const std::string& originDir);

} // namespace launchscope
