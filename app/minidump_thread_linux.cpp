// The thread that writes the minidump while the crashed thread waits in its signal handler.

#include "MinidumpWriter.h"
#include "SignalSafeFormat.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <setjmp.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace crash::minidump {

namespace {

pid_t currentThreadId()
{
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

int g_requestPipe[2] = {-1, -1};
int g_replyPipe[2] = {-1, -1};
int g_startError = ESRCH;  // until the thread runs, requests fail with this
pid_t g_writerProcess = 0; // a forked child inherits the pipes but not the thread
std::atomic<pid_t> g_writerThreadId{0};
sigjmp_buf g_writerJump;
volatile sig_atomic_t g_writerArmed = 0;

struct Request
{
    char path[4096];
    const CrashContext* crash = nullptr;
    std::atomic<int> result{0};
};
Request g_request;

int writeDumpFile(const char* path, const CrashContext& crash)
{
    const int fd = ::open(path, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    volatile int err = 0;
    if (sigsetjmp(g_writerJump, 1) == 0) {
        g_writerArmed = 1;
        err = writeMinidump(fd, crash);
    } else {
        err = EFAULT; // faulted while reading the process; see recoverIfWriterFaulted()
    }
    g_writerArmed = 0;
    ::close(fd);
    if (err != 0)
        ::unlink(path); // half a dump misleads more than none
    return err;
}

void* writerMain(void*)
{
    g_writerThreadId.store(currentThreadId());
    for (;;) {
        char byte = 0;
        const ssize_t n = ::read(g_requestPipe[0], &byte, 1);
        if (n < 0 && errno == EINTR)
            continue;
        if (n != 1)
            return nullptr;
        g_request.result.store(g_request.crash ? writeDumpFile(g_request.path, *g_request.crash) : EINVAL);
        while (::write(g_replyPipe[1], &byte, 1) < 0 && errno == EINTR) {
        }
    }
}

long elapsedMs(const timespec& since)
{
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - since.tv_sec) * 1000L + (now.tv_nsec - since.tv_nsec) / 1000000L;
}

} // namespace

int startWriterThread()
{
    static std::atomic<bool> started{false};
    if (started.exchange(true))
        return g_startError;
    if (::pipe2(g_requestPipe, O_CLOEXEC) != 0 || ::pipe2(g_replyPipe, O_CLOEXEC) != 0) {
        g_startError = errno;
        return g_startError;
    }

    // The writer takes no asynchronous signal (those belong to the program's own threads); a fault of
    // its own still reaches it. The new thread inherits the mask in force while it is created.
    sigset_t blocked, previous;
    ::sigfillset(&blocked);
    const int faults[] = {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT};
    for (int sig : faults)
        ::sigdelset(&blocked, sig);
    ::pthread_sigmask(SIG_SETMASK, &blocked, &previous);
    pthread_attr_t attr;
    ::pthread_attr_init(&attr);
    ::pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    ::pthread_attr_setstacksize(&attr, std::size_t{512} * 1024);
    pthread_t thread;
    const int rc = ::pthread_create(&thread, &attr, writerMain, nullptr);
    ::pthread_attr_destroy(&attr);
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (rc != 0) {
        g_startError = rc;
        return rc;
    }
    ::pthread_setname_np(thread, "crash-dump");
    g_writerProcess = ::getpid();
    g_startError = 0;
    return 0;
}

int requestDump(const char* path, const CrashContext& crash, int timeoutMs)
{
    if (g_startError != 0)
        return g_startError;
    if (::getpid() != g_writerProcess)
        return ESRCH; // a forked child crashed before exec; nobody reads the pipe here
    if (g_writerThreadId.load() == currentThreadId())
        return EDEADLK; // the writer itself crashed; it cannot wait for itself
    formatSafe(g_request.path, sizeof g_request.path, "%s", path);
    g_request.crash = &crash;
    g_request.result.store(EINPROGRESS);
    const char byte = 1;
    ssize_t n;
    while ((n = ::write(g_requestPipe[1], &byte, 1)) < 0 && errno == EINTR) {
    }
    if (n != 1)
        return errno ? errno : EIO;

    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    for (;;) {
        const long left = timeoutMs - elapsedMs(start);
        if (left <= 0)
            return ETIMEDOUT;
        pollfd pfd{g_replyPipe[0], POLLIN, 0};
        const int ready = ::poll(&pfd, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready < 0)
            return errno;
        if (ready == 0)
            return ETIMEDOUT;
        char reply = 0;
        if (::read(g_replyPipe[0], &reply, 1) == 1)
            return g_request.result.load();
    }
}

void recoverIfWriterFaulted(pid_t threadId)
{
    if (g_writerArmed && g_writerThreadId.load() == threadId) {
        g_writerArmed = 0;
        siglongjmp(g_writerJump, 1);
    }
}

} // namespace crash::minidump
