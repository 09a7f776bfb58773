// Crash probe: opens the boot log in its own folder, installs crash capture, then crashes as told.
//   crashprobe <mode> [nolog]
// Modes: null, thread-null, thread-overflow, abort, bogus, wild-stack, fpe, ill, self_test, concurrent.
// "nolog" skips the boot log, so there is no boot log directory.
// Started as "crashprobe --crash-report ..." (by the handler) it records its arguments in
// crash_report_args.txt beside itself instead of showing a message box.

#include "BootLog.h"
#include "CrashHandler.h"

#include <atomic>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

std::string ownPath()
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return {};
    buf[n] = '\0';
    return buf;
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

volatile int g_zero = 0;
volatile long g_recursionLimit = LONG_MAX;

} // namespace

// Not static and not inlined: the tests look for these names in the stack trace.
extern "C" __attribute__((noinline)) void probeNullWrite()
{
    volatile int* volatile target = nullptr;
    *target = 1;
}

extern "C" __attribute__((noinline)) void probeNullWriteCaller()
{
    probeNullWrite();
    std::puts("not reached");
}

extern "C" __attribute__((noinline)) long probeRecurse(long depth)
{
    volatile char frame[2048];
    frame[0] = static_cast<char>(depth);
    if (depth >= g_recursionLimit)
        return frame[0];
    return probeRecurse(depth + 1) + frame[0];
}

extern "C" __attribute__((noinline)) void probeJumpToNowhere()
{
    // Nothing is ever mapped this low (vm.mmap_min_addr), so this address lies in no module.
    auto* volatile nowhere = reinterpret_cast<void (*)()>(static_cast<std::uintptr_t>(0x100));
    nowhere();
    std::puts("not reached");
}

extern "C" __attribute__((noinline)) void probeWildStack()
{
    // Stack pointer and instruction pointer both in unmapped memory: the handler can only run on its
    // signal stack, and every attempt to read the crashed stack faults again.
    asm volatile("mov $0x18, %%rsp\n\t"
                 "mov $0x100, %%rax\n\t"
                 "jmp *%%rax\n\t" ::
                     : "rax", "memory");
}

extern "C" __attribute__((noinline)) int probeDivideByZero()
{
    return 7 / g_zero;
}

extern "C" __attribute__((noinline)) void probeIllegalInstruction()
{
    __builtin_trap();
}

extern "C" __attribute__((noinline)) void probeConcurrentFaults()
{
    // Two threads fault at about the same moment; the report must still be written exactly once.
    std::atomic<int> ready{0};
    auto worker = [&ready] {
        ready.fetch_add(1);
        while (ready.load() < 2) {
        }
        probeNullWrite();
    };
    std::thread a(worker);
    std::thread b(worker);
    a.join();
    b.join();
}

int main(int argc, char** argv)
{
    const std::string exe = ownPath();
    if (argc >= 2 && std::strcmp(argv[1], "--crash-report") == 0) {
        const std::string out = directoryOf(exe) + "/crash_report_args.txt";
        if (FILE* f = std::fopen(out.c_str(), "w")) {
            for (int i = 1; i < argc; ++i)
                std::fprintf(f, "%s\n", argv[i]);
            std::fclose(f);
        }
        return 0;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: crashprobe <mode> [nolog]\n");
        return 2;
    }
    const bool withBootLog = !(argc >= 3 && std::strcmp(argv[2], "nolog") == 0);
    if (withBootLog)
        bootlog::open(directoryOf(exe).c_str());
    crash::install(exe.c_str());

    const std::string mode = argv[1];
    if (mode == "null") {
        probeNullWriteCaller();
    } else if (mode == "thread-null") {
        std::thread t(probeNullWriteCaller);
        t.join();
    } else if (mode == "thread-overflow") {
        std::thread t([] { std::printf("%ld\n", probeRecurse(0)); });
        t.join();
    } else if (mode == "abort") {
        std::abort();
    } else if (mode == "bogus") {
        probeJumpToNowhere();
    } else if (mode == "wild-stack") {
        probeWildStack();
    } else if (mode == "fpe") {
        std::printf("%d\n", probeDivideByZero());
    } else if (mode == "ill") {
        probeIllegalInstruction();
    } else if (mode == "self_test") {
        crash::triggerTestCrash();
    } else if (mode == "concurrent") {
        probeConcurrentFaults();
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    return 0;
}
