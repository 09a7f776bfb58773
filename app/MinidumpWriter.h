#pragma once
// Minidumps of this process after a fatal signal, in the Microsoft minidump format as Breakpad and
// Crashpad write it for Linux, so that minidump_dump and minidump_stackwalk read them.
//
// What goes in: system info (Linux, x86-64, CPU count), the exception (signal number, si_code,
// address, crashing thread, registers), the crashing thread with its registers and up to 64 KiB of
// its stack, the module list from /proc/self/maps (with each module's GNU build id when it has one),
// every mapping with its protection, the process id, and copies of /proc/self/maps and
// /proc/self/cmdline.
//
// Writing a dump touches no heap: buffers are static, memory is read through the kernel (write()
// straight from the address), so a dump still comes out of a process whose allocator is corrupt.
// One dump at a time.

#include <cstddef>
#include <cstdint>
#include <signal.h>
#include <sys/types.h>
#include <ucontext.h>

namespace crash::minidump {

struct CrashContext
{
    pid_t threadId = 0;
    int signal = 0;
    int signalCode = 0;
    std::uint64_t exceptionAddress = 0;
    ucontext_t context{};
    bool hasFloatState = false;
    _libc_fpstate floatState{};
};

// Copies what the dump needs out of a signal handler's arguments. Memory faults (SIGSEGV, SIGBUS
// raised by the kernel) report the faulting data address; every other case the instruction pointer.
void fillCrashContext(CrashContext& out, int signal, const siginfo_t* info, const ucontext_t* context,
                      pid_t threadId);

// Gathers the facts that are not safe to ask for after a crash (CPU count, kernel version, CPU id).
// Call once at start-up; a dump written without it carries zeros there.
void prepareSystemInfo();

// Writes the dump to `fd`, a fresh file positioned at its start. Returns 0 or an errno value.
int writeMinidump(int fd, const CrashContext& crash);

// --- /proc/self/maps (process_maps_linux.cpp), exposed for tests -----------------------------------

enum MappingFlags : std::uint8_t
{
    kRead = 1,
    kWrite = 2,
    kExecute = 4
};

struct Mapping
{
    std::uint64_t start = 0;
    std::uint64_t end = 0;
    std::uint64_t offset = 0;
    std::uint32_t pathOffset = 0; // into MappingTable::paths; pathLength 0 = anonymous or special
    std::uint16_t pathLength = 0;
    std::uint8_t flags = 0;
};

// Caller-provided storage, so the crash path can use static arrays and tests their own.
struct MappingTable
{
    Mapping* entries = nullptr;
    std::size_t capacity = 0;
    std::size_t count = 0;
    char* paths = nullptr; // NUL-terminated file paths, back to back
    std::size_t pathCapacity = 0;
    std::size_t pathUsed = 0;
    bool truncated = false; // more mappings than capacity

    const char* pathOf(const Mapping& m) const { return m.pathLength ? paths + m.pathOffset : ""; }
    // The mapping containing `address`, or nullptr.
    const Mapping* find(std::uint64_t address) const;
    // True when [address, address + length) lies in readable mappings.
    bool isReadable(std::uint64_t address, std::uint64_t length) const;
};

// Reads maps text from `fd` (as /proc/<pid>/maps prints it) into `table`. False on a read error.
bool parseMappings(int fd, MappingTable& table);

struct ModuleRange
{
    std::uint64_t base = 0; // start of the module's lowest mapping (its ELF header)
    std::uint64_t size = 0;
    std::uint32_t pathOffset = 0; // into the table's paths
};

// One entry per file mapped with execute permission, spanning all its adjacent mappings.
std::size_t collectModules(const MappingTable& table, ModuleRange* out, std::size_t capacity);

// --- the dump-writer thread (minidump_thread_linux.cpp) -------------------------------------------

// Starts the thread that writes dumps on request. The thread sleeps in read() until then, so it costs
// nothing, and it exists before anything can go wrong. Returns 0 or the pthread error.
int startWriterThread();

// From the fatal-signal handler: has the writer thread write a dump of `crash` to `path` and waits at
// most `timeoutMs`. Returns 0, the writer's errno, ETIMEDOUT when it did not answer in time, or the
// error that kept the thread from starting. Async-signal-safe.
int requestDump(const char* path, const CrashContext& crash, int timeoutMs);

// From the fatal-signal handler: when the faulting thread is the writer itself (reading memory it
// should not have), jumps back into the writer, which then reports EFAULT. Returns otherwise.
void recoverIfWriterFaulted(pid_t threadId);

} // namespace crash::minidump
