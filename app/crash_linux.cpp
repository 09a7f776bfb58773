#include "CrashHandler.h"

#include "BootDirectory.h"
#include "BootLog.h"
#include "CrashSymbols.h"
#include "MinidumpWriter.h"
#include "SignalSafeFormat.h"

#define UNW_LOCAL_ONLY
#include <libunwind.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <dlfcn.h>
#include <fcntl.h>
#include <new>
#include <pthread.h>
#include <setjmp.h>
#include <sys/mman.h>
#include <sys/syscall.h>
#include <ucontext.h>
#include <unistd.h>

extern char** environ;

namespace crash {

namespace {

constexpr int kFatalSignals[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
// The handler runs libunwind and dladdr on this stack; both want a few kilobytes at most.
constexpr std::size_t kAltStackBytes = std::size_t{64} * 1024;
constexpr int kDumpTimeoutMs = 30000;
constexpr int kMaxStackFrames = 32;
constexpr unsigned kMaxHandlerFrames = 16;
// A second thread that faults while the first is reporting waits this long for the first to finish
// (it ends the process) before it ends the process itself.
constexpr long kOtherThreadWaitMs = 60000;

// Everything the handler needs is computed here at install time: after a crash there is no heap,
// no environment parsing and no path arithmetic we could trust.
struct Settings
{
    char exePath[4096];
    char crashLogPath[4200];
    char dumpDirectory[1024];
    bool dumpEnabled;
    bool messageEnabled;
};
Settings g_settings;

std::atomic<bool> g_installed{false};
std::atomic<pid_t> g_reportingThread{0};

// A fault inside one step of the report (a wild stack during the walk, say) jumps back here and the
// report goes on with the next step.
sigjmp_buf g_stepJump;
volatile sig_atomic_t g_stepArmed = 0;

// Static rather than on the signal stack: only the one reporting thread ever uses them.
char g_line[4608];
ucontext_t g_walkContext;
minidump::CrashContext g_dumpContext;
char g_reportModule[4096];
char g_reportCode[16];
char g_reportSwitch[] = "--crash-report";
char* g_reportArgv[6];

pid_t currentThreadId()
{
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

long elapsedMs(const timespec& since)
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since.tv_sec) * 1000L + (now.tv_nsec - since.tv_nsec) / 1000000L;
}

void writeAll(int fd, const char* data, std::size_t len)
{
    while (len > 0) {
        const ssize_t n = ::write(fd, data, len);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        data += n;
        len -= static_cast<std::size_t>(n);
    }
}

void logLine(const char* fmt, ...) __attribute__((format(printf, 1, 2)));
void logLine(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const std::size_t n = vformatSafe(g_line, sizeof g_line, fmt, args);
    va_end(args);
    bootlog::writeSignalSafe(g_line, n);
}

void logFrame(const char* tag, std::uintptr_t address)
{
    const std::size_t n = formatFrameLine(g_line, sizeof g_line, tag, address);
    if (n > 0)
        bootlog::writeSignalSafe(g_line, n);
}

template <class Step> void runGuarded(Step&& step)
{
    if (sigsetjmp(g_stepJump, 1) != 0) {
        g_stepArmed = 0;
        logLine("[BOOT] （此步骤访问内存出错，已跳过）\n");
        return;
    }
    g_stepArmed = 1;
    step();
    g_stepArmed = 0;
}

// ------------------------------------------------------------------------------------------------
// Signal stacks

// A stack overflow leaves no room to run a handler on the faulting stack, so every thread gets an
// alternate one, with a guard page below it so that a handler overrunning it faults instead of
// scribbling over whatever is mapped there.
class AltStack
{
public:
    AltStack() = default;
    AltStack(const AltStack&) = delete;
    AltStack& operator=(const AltStack&) = delete;
    ~AltStack() { release(); }

    void install()
    {
        stack_t current{};
        if (::sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE))
            return; // the thread already has one (given by a library); keep it
        const std::size_t page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
        const std::size_t total = kAltStackBytes + page;
        void* mapping =
            ::mmap(nullptr, total, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
        if (mapping == MAP_FAILED)
            return;
        ::mprotect(mapping, page, PROT_NONE);
        stack_t ss{};
        ss.ss_sp = static_cast<char*>(mapping) + page;
        ss.ss_size = kAltStackBytes;
        if (::sigaltstack(&ss, nullptr) != 0) {
            ::munmap(mapping, total);
            return;
        }
        m_mapping = mapping;
        m_total = total;
        m_stack = ss.ss_sp;
    }

    void release()
    {
        if (!m_mapping)
            return;
        stack_t current{};
        if (::sigaltstack(nullptr, &current) == 0 && current.ss_sp == m_stack &&
            !(current.ss_flags & SS_DISABLE)) {
            stack_t off{};
            off.ss_flags = SS_DISABLE;
            if (::sigaltstack(&off, nullptr) != 0)
                return; // still in use; leaking it beats unmapping a live signal stack
        }
        ::munmap(m_mapping, m_total);
        m_mapping = nullptr;
    }

private:
    void* m_mapping = nullptr;
    void* m_stack = nullptr;
    std::size_t m_total = 0;
};

using PthreadCreateFn = int (*)(pthread_t*, const pthread_attr_t*, void* (*)(void*), void*);
std::atomic<PthreadCreateFn> g_realPthreadCreate{nullptr};

PthreadCreateFn realPthreadCreate()
{
    PthreadCreateFn fn = g_realPthreadCreate.load(std::memory_order_acquire);
    if (!fn) {
        fn = reinterpret_cast<PthreadCreateFn>(::dlsym(RTLD_NEXT, "pthread_create"));
        g_realPthreadCreate.store(fn, std::memory_order_release);
    }
    return fn;
}

struct ThreadStart
{
    void* (*routine)(void*);
    void* arg;
};

void* startWithAltStack(void* raw)
{
    const ThreadStart start = *static_cast<ThreadStart*>(raw);
    delete static_cast<ThreadStart*>(raw);
    // thread_local, so the stack is released however the thread ends: return, pthread_exit or
    // cancellation all run thread_local destructors.
    thread_local AltStack altStack;
    altStack.install();
    return start.routine(start.arg);
}

// ------------------------------------------------------------------------------------------------
// The report

void appendCrashLog(unsigned long code, std::uintptr_t address, const char* module, unsigned long long rva)
{
    const bootlog::LocalTime t = bootlog::localTimeSignalSafe();
    const std::size_t n =
        formatSafe(g_line, sizeof g_line,
                   "[%04d-%02d-%02d %02d:%02d:%02d] CRASH code=0x%08lX addr=%p module=%s rva=0x%08llX\n",
                   t.year, t.month, t.day, t.hour, t.minute, t.second, code,
                   reinterpret_cast<const void*>(address), module, rva);
    const int fd = ::open(g_settings.crashLogPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    writeAll(fd, g_line, n);
    ::fsync(fd);
    ::close(fd);
}

// The copy of the crashed thread's registers that libunwind walks. Where the instruction pointer lies
// in no module (a call through a wild pointer) there is no unwind information; the frame is then
// taken as a leaf whose return address is on top of the stack, which is exactly what a call leaves.
void logStackWalk(const ucontext_t* uc)
{
    std::memcpy(&g_walkContext, uc, sizeof g_walkContext);
    const greg_t* g = uc->uc_mcontext.gregs;
    logLine("[BOOT] 调用栈（libunwind 展开，起点 Rip=%p Rsp=%p 共 32 帧上限）：\n",
            reinterpret_cast<const void*>(g[REG_RIP]), reinterpret_cast<const void*>(g[REG_RSP]));
    unw_cursor_t cursor;
    if (unw_init_local2(&cursor, &g_walkContext, UNW_INIT_SIGNAL_FRAME) < 0)
        return;
    for (int n = 0; n < kMaxStackFrames; ++n) {
        unw_word_t ip = 0, sp = 0;
        unw_get_reg(&cursor, UNW_REG_IP, &ip);
        unw_get_reg(&cursor, UNW_REG_SP, &sp);
        if (ip == 0)
            break;
        char tag[8];
        formatSafe(tag, sizeof tag, "#%02d", n);
        logFrame(tag, ip);

        AddressInfo info;
        if (lookupAddress(ip, info)) {
            if (unw_step(&cursor) <= 0)
                break;
            continue;
        }
        unw_word_t rbx = 0, rbp = 0, r12 = 0, r13 = 0, r14 = 0, r15 = 0;
        unw_get_reg(&cursor, UNW_X86_64_RBX, &rbx);
        unw_get_reg(&cursor, UNW_X86_64_RBP, &rbp);
        unw_get_reg(&cursor, UNW_X86_64_R12, &r12);
        unw_get_reg(&cursor, UNW_X86_64_R13, &r13);
        unw_get_reg(&cursor, UNW_X86_64_R14, &r14);
        unw_get_reg(&cursor, UNW_X86_64_R15, &r15);
        const unw_word_t returnAddress = *reinterpret_cast<const unw_word_t*>(sp); // guarded by the caller
        greg_t* w = g_walkContext.uc_mcontext.gregs;
        w[REG_RIP] = static_cast<greg_t>(returnAddress);
        w[REG_RSP] = static_cast<greg_t>(sp + sizeof(unw_word_t));
        w[REG_RBX] = static_cast<greg_t>(rbx);
        w[REG_RBP] = static_cast<greg_t>(rbp);
        w[REG_R12] = static_cast<greg_t>(r12);
        w[REG_R13] = static_cast<greg_t>(r13);
        w[REG_R14] = static_cast<greg_t>(r14);
        w[REG_R15] = static_cast<greg_t>(r15);
        if (unw_init_local2(&cursor, &g_walkContext, 0) < 0)
            break;
    }
}

// Collected first and printed afterwards, so that a fault half-way through the walk (a wild stack
// pointer in the crashed frame) still leaves the frames found up to there in the log.
std::uintptr_t g_handlerFrames[kMaxHandlerFrames];
volatile unsigned g_handlerFrameCount = 0;

void collectHandlerStack()
{
    g_handlerFrameCount = 0;
    unw_context_t context;
    unw_cursor_t cursor;
    if (unw_getcontext(&context) != 0 || unw_init_local(&cursor, &context) != 0)
        return;
    do {
        unw_word_t ip = 0;
        unw_get_reg(&cursor, UNW_REG_IP, &ip);
        if (ip == 0)
            break;
        g_handlerFrames[g_handlerFrameCount] = ip;
        g_handlerFrameCount = g_handlerFrameCount + 1;
    } while (g_handlerFrameCount < kMaxHandlerFrames && unw_step(&cursor) > 0);
}

void logHandlerStack()
{
    const unsigned count = g_handlerFrameCount;
    logLine("[BOOT] 处理器自身栈 %u 帧（仅供参考）：\n", count);
    for (unsigned i = 0; i < count; ++i) {
        char tag[8];
        formatSafe(tag, sizeof tag, "H%02u", i);
        logFrame(tag, g_handlerFrames[i]);
    }
}

void writeDump(int sig, const siginfo_t* info, const ucontext_t* uc, pid_t self)
{
    const bootlog::LocalTime t = bootlog::localTimeSignalSafe();
    char path[1200];
    formatSafe(path, sizeof path, "%s/crash_%04d%02d%02d_%02d%02d%02d.dmp", g_settings.dumpDirectory, t.year,
               t.month, t.day, t.hour, t.minute, t.second);
    minidump::fillCrashContext(g_dumpContext, sig, info, uc, self);
    const int err = minidump::requestDump(path, g_dumpContext, kDumpTimeoutMs);
    if (err == 0)
        logLine("[BOOT] 已生成崩溃转储: %s\n", path);
    else
        logLine("[BOOT] 崩溃转储生成失败 err=%lu\n", static_cast<unsigned long>(err));
}

// The message box needs a GUI toolkit, which a crashed process cannot run; a fresh copy of the
// program shows it instead. Raw fork: glibc's fork() runs atfork handlers and takes the allocator's
// locks, which the crashed thread may hold.
void startCrashReport(const char* module, unsigned long code)
{
    formatSafe(g_reportModule, sizeof g_reportModule, "%s", module ? module : "");
    formatSafe(g_reportCode, sizeof g_reportCode, "0x%08lX", code);
    g_reportArgv[0] = g_settings.exePath;
    g_reportArgv[1] = g_reportSwitch;
    g_reportArgv[2] = g_reportModule;
    g_reportArgv[3] = g_reportCode;
    g_reportArgv[4] = g_settings.crashLogPath;
    g_reportArgv[5] = nullptr;
    const long pid = ::syscall(SYS_fork);
    if (pid == 0) {
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr); // execve keeps the mask; the report must get signals
        ::execve(g_settings.exePath, g_reportArgv, environ);
        logLine("[BOOT] 错误提示进程无法执行 %s err=%d\n", g_settings.exePath, errno);
        ::_exit(127);
    }
    // Logged so that a technician (and the tests) can tell whether the user was shown a message.
    if (pid > 0)
        logLine("[BOOT] 已启动错误提示进程 pid=%ld\n", pid);
    else
        logLine("[BOOT] 错误提示进程启动失败 err=%d\n", errno);
    bootlog::sync();
}

[[noreturn]] void dieBy(int sig)
{
    struct sigaction dfl;
    std::memset(&dfl, 0, sizeof dfl);
    dfl.sa_handler = SIG_DFL;
    sigemptyset(&dfl.sa_mask);
    ::sigaction(sig, &dfl, nullptr);
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, sig);
    ::pthread_sigmask(SIG_UNBLOCK, &set, nullptr);
    ::raise(sig);
    // Only reached if the default action somehow did not end the process.
    ::_exit(128 + sig);
}

void report(int sig, siginfo_t* info, ucontext_t* uc, pid_t self)
{
    const unsigned long code = static_cast<unsigned long>(sig);
    // The address is the faulting instruction, not the data it touched: module and offset then name the
    // code that failed, which is what support needs. A memory fault's data address gets a line of its own.
    const std::uintptr_t address = uc ? static_cast<std::uintptr_t>(uc->uc_mcontext.gregs[REG_RIP]) : 0;
    const char* module = nullptr;
    unsigned long long rva = 0;
    runGuarded([&] {
        AddressInfo where;
        if (lookupAddress(address, where)) {
            module = where.modulePath;
            rva = address - where.moduleBase;
        }
    });

    appendCrashLog(code, address, module ? module : "(unknown)", rva);

    logLine("\n[BOOT] !!! 崩溃 code=0x%08lX addr=%p module=%s rva=0x%08llX\n", code,
            reinterpret_cast<const void*>(address), module ? module : "(unknown)", rva);
    if (info && info->si_code > 0 && (sig == SIGSEGV || sig == SIGBUS))
        logLine("[BOOT] 访问的内存地址: %p\n", info->si_addr);
    logLine("[BOOT] 出错位置：\n");
    runGuarded([&] { logFrame("FAIL", address); });

    if (uc)
        runGuarded([&] { logStackWalk(uc); });
    runGuarded([&] { collectHandlerStack(); });
    runGuarded([&] { logHandlerStack(); });

    if (g_settings.dumpEnabled)
        writeDump(sig, info, uc, self);
    bootlog::sync();

    if (g_settings.messageEnabled)
        startCrashReport(module, code);
}

void waitForReportingThread()
{
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    while (elapsedMs(start) < kOtherThreadWaitMs) {
        const timespec nap{0, 100L * 1000 * 1000};
        ::nanosleep(&nap, nullptr);
    }
}

void onFatalSignal(int sig, siginfo_t* info, void* context)
{
    const pid_t self = currentThreadId();
    minidump::recoverIfWriterFaulted(self);

    pid_t owner = 0;
    if (!g_reportingThread.compare_exchange_strong(owner, self)) {
        if (owner == self) {
            if (g_stepArmed) {
                g_stepArmed = 0;
                siglongjmp(g_stepJump, 1);
            }
            dieBy(sig); // a fault in the report itself, outside any guarded step
        }
        // Another thread is already reporting and will end the process; do not race it.
        waitForReportingThread();
        dieBy(sig);
    }
    report(sig, info, static_cast<ucontext_t*>(context), self);
    dieBy(sig);
}

const char* nonEmptyEnv(const char* name)
{
    const char* v = std::getenv(name);
    return v && *v ? v : nullptr;
}

// Runs the lookups the handler will use once now, so that lazy symbol binding and libunwind's
// one-time set-up happen here and not for the first time inside a crashed process.
void warmUp()
{
    AddressInfo info;
    lookupAddress(reinterpret_cast<std::uintptr_t>(&warmUp), info);
    unw_context_t context;
    unw_cursor_t cursor;
    if (unw_getcontext(&context) == 0 && unw_init_local(&cursor, &context) == 0) {
        unw_word_t ip = 0;
        unw_get_reg(&cursor, UNW_REG_IP, &ip);
        unw_step(&cursor);
    }
    if (unw_getcontext(&context) == 0 && unw_init_local2(&cursor, &context, 0) == 0)
        unw_step(&cursor);
    char buf[64];
    formatFrameLine(buf, sizeof buf, "W", reinterpret_cast<std::uintptr_t>(&warmUp));
}

} // namespace

void install(const char* exePath)
{
    static std::atomic<bool> installed{false};
    if (installed.exchange(true))
        return;

    formatSafe(g_settings.exePath, sizeof g_settings.exePath, "%s", exePath ? exePath : "");
    setMainProgramPath(g_settings.exePath);
    const char* bootDir = bootlog::directory();
    const char* slash = std::strrchr(g_settings.exePath, '/');
    const int dirLen = slash ? static_cast<int>(slash - g_settings.exePath) : 0;
    if (bootDir && *bootDir) {
        formatSafe(g_settings.crashLogPath, sizeof g_settings.crashLogPath, "%s/crash.log", bootDir);
    } else if (bootlog::isBuildTree(std::string(g_settings.exePath, dirLen))) {
        // No boot log directory: in the build tree crash.log goes beside the program. An installed
        // program has no place of its own left and keeps the record on standard error only.
        std::snprintf(g_settings.crashLogPath, sizeof g_settings.crashLogPath, "%.*s/crash.log", dirLen,
                      g_settings.exePath);
    }
    formatSafe(g_settings.dumpDirectory, sizeof g_settings.dumpDirectory, "%s", bootDir ? bootDir : "");
    g_settings.dumpEnabled = g_settings.dumpDirectory[0] != '\0' && std::getenv("LD_NO_MINIDUMP") == nullptr;
    g_settings.messageEnabled = std::getenv("LD_NO_CRASH_MSG") == nullptr &&
                                (nonEmptyEnv("DISPLAY") || nonEmptyEnv("WAYLAND_DISPLAY"));

    // No cache: the handler may abandon a walk half-way (a fault in a guarded step), and a cache
    // lock held at that moment would block every later walk.
    unw_set_caching_policy(unw_local_addr_space, UNW_CACHE_NONE);
    warmUp();
    minidump::prepareSystemInfo();
    if (g_settings.dumpEnabled)
        minidump::startWriterThread();

    g_installed.store(true, std::memory_order_release);
    // The main thread's signal stack lives as long as the process.
    static AltStack* mainStack = new AltStack;
    mainStack->install();

    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_sigaction = onFatalSignal;
    sigemptyset(&sa.sa_mask);
    // SA_NODEFER: a fault inside the report must reach the handler again, which then skips the step.
    sa.sa_flags = SA_SIGINFO | SA_ONSTACK | SA_NODEFER;
    for (int sig : kFatalSignals)
        ::sigaction(sig, &sa, nullptr);
}

[[noreturn]] void triggerTestCrash()
{
    volatile int* volatile target = nullptr;
    *target = 0x4c44;
    // Only reached when no handler turned the fault into the process's end.
    std::abort();
}

} // namespace crash

// Every thread the program starts goes through here, so each one gets its own signal stack once the
// crash handlers are installed. Defined in this file, next to install(), so that linking install()
// always links this too.
extern "C" int pthread_create(pthread_t* __restrict thread, const pthread_attr_t* __restrict attr,
                              void* (*routine)(void*), void* __restrict arg) noexcept
{
    const crash::PthreadCreateFn real = crash::realPthreadCreate();
    if (!real)
        return EAGAIN;
    if (!crash::g_installed.load(std::memory_order_acquire))
        return real(thread, attr, routine, arg);
    auto* start = new (std::nothrow) crash::ThreadStart{routine, arg};
    if (!start)
        return real(thread, attr, routine, arg);
    const int rc = real(thread, attr, crash::startWithAltStack, start);
    if (rc != 0)
        delete start;
    return rc;
}
