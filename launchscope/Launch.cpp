#include "Launch.h"
#include "Probe.h"
#include "Report.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace launchscope {

namespace {

// An unnamed file for the program's output: a pipe would break the program (SIGPIPE) once this tool
// exits while it keeps running, a file does not.
int outputFile()
{
    const char* tmp = std::getenv("TMPDIR");
    const std::string dir = tmp && *tmp ? tmp : "/tmp";
    int fd = ::open(dir.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd >= 0)
        return fd;
    std::string name = dir + "/.launchscope_out_XXXXXX";
    fd = ::mkostemp(&name[0], O_CLOEXEC);
    if (fd >= 0)
        ::unlink(name.c_str());
    return fd;
}

std::string readAll(int fd, std::size_t maxBytes)
{
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0)
        return {};
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    const std::size_t start = size > maxBytes ? size - maxBytes : 0;
    std::string bytes(size - start, '\0');
    const ssize_t n = ::pread(fd, &bytes[0], bytes.size(), static_cast<off_t>(start));
    bytes.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return bytes;
}

} // namespace

LaunchResult launchAndWait(const std::string& program, const std::string& workDir, int waitSeconds,
                           const std::function<void(int pid)>& onStarted)
{
    LaunchResult r;
    const int out = outputFile();
    int errorPipe[2];
    if (::pipe2(errorPipe, O_CLOEXEC) != 0) {
        r.startError = std::strerror(errno);
        if (out >= 0)
            ::close(out);
        return r;
    }
    const pid_t pid = ::fork();
    if (pid < 0) {
        r.startError = std::string("fork: ") + std::strerror(errno);
        ::close(errorPipe[0]);
        ::close(errorPipe[1]);
        if (out >= 0)
            ::close(out);
        return r;
    }
    if (pid == 0) {
        ::setsid();
        ::signal(SIGPIPE, SIG_DFL); // ignored by this tool, but the program must get it as usual
        const int null = ::open("/dev/null", O_RDWR);
        if (null >= 0)
            ::dup2(null, STDIN_FILENO);
        const int target = out >= 0 ? out : null;
        if (target >= 0) {
            ::dup2(target, STDOUT_FILENO);
            ::dup2(target, STDERR_FILENO);
        }
        if (::chdir(workDir.c_str()) != 0) {
            // The start goes ahead from wherever we are; the program finds its files by its own path.
        }
        char* const argv[] = {const_cast<char*>(program.c_str()), nullptr};
        ::execve(program.c_str(), argv, environ);
        const int error = errno;
        (void)!::write(errorPipe[1], &error, sizeof error);
        ::_exit(127);
    }
    ::close(errorPipe[1]);
    int execError = 0;
    ssize_t got;
    do {
        got = ::read(errorPipe[0], &execError, sizeof execError);
    } while (got < 0 && errno == EINTR);
    ::close(errorPipe[0]);
    r.pid = pid;
    if (got == static_cast<ssize_t>(sizeof execError)) {
        ::waitpid(pid, nullptr, 0);
        r.startError = std::string("execve: ") + std::strerror(execError);
        if (out >= 0)
            ::close(out);
        return r;
    }

    onStarted(pid);
    const long long deadline = monotonicMs() + static_cast<long long>(waitSeconds) * 1000;
    int status = 0;
    bool ended = false;
    while (!ended) {
        const pid_t done = ::waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            ended = true;
            break;
        }
        if (done < 0 && errno != EINTR)
            break;
        if (monotonicMs() >= deadline)
            break;
        ::usleep(50 * 1000);
    }
    if (out >= 0) {
        r.output = readAll(out, 64 * 1024);
        ::close(out);
    }
    if (!ended) {
        r.outcome = LaunchResult::StillRunning; // left running: it is the user's program now
    } else if (WIFSIGNALED(status)) {
        r.outcome = LaunchResult::Signalled;
        r.signal = WTERMSIG(status);
        r.coreDumped = WCOREDUMP(status);
    } else {
        r.outcome = LaunchResult::Exited;
        r.exitCode = WEXITSTATUS(status);
    }
    return r;
}

std::string loaderError(const std::string& output)
{
    // The loader's three ways of refusing a program: a library it cannot find or map, a library too old
    // for a symbol version the program needs, and a symbol missing when a lazy call is first bound.
    static const char* const kPatterns[] = {"error while loading shared libraries",
                                            "' not found (required by", "symbol lookup error"};
    for (const char* pattern : kPatterns) {
        const std::size_t at = output.find(pattern);
        if (at == std::string::npos)
            continue;
        const std::size_t begin = output.rfind('\n', at);
        std::size_t end = output.find('\n', at);
        if (end == std::string::npos)
            end = output.size();
        const std::size_t from = begin == std::string::npos ? 0 : begin + 1;
        return sanitizeUtf8(output.substr(from, end - from));
    }
    return {};
}

std::string explainExit(const LaunchResult& r, bool instanceWasRunning)
{
    if (r.outcome == LaunchResult::Signalled) {
        switch (r.signal) {
        case SIGSEGV:
            return "SIGSEGV —— 访问越界（崩溃，见 crash.log）";
        case SIGBUS:
            return "SIGBUS —— 总线错误（程序文件或库在运行中被替换/截断，或磁盘出错）";
        case SIGILL:
            return "SIGILL —— 该 CPU 不支持程序用到的指令集";
        case SIGFPE:
            return "SIGFPE —— 算术异常（崩溃，见 crash.log）";
        case SIGABRT:
            return "SIGABRT —— 程序异常终止（abort；常见于 Qt 平台插件无法加载或 Qt "
                   "致命错误，见下方程序输出）";
        case SIGKILL:
            return "SIGKILL —— 被强制结束（常见于内存不足时被系统结束）";
        case SIGTERM:
            return "SIGTERM —— 被要求终止（关机、注销或他人结束了进程）";
        case SIGTRAP:
            return "SIGTRAP —— 断点/陷阱指令（调试断言或编译器插入的检查失败）";
        default:
            return signalName(r.signal) + " —— 被信号结束（异常退出）";
        }
    }
    const std::string loader = loaderError(r.output);
    switch (r.exitCode) {
    case 0:
        if (instanceWasRunning || r.output.find("已有实例在运行") != std::string::npos)
            return "已有实例在运行 —— 单实例规则下本次启动立即退出（请先关闭正在运行的主程序）";
        return "正常退出";
    case 127:
        if (!loader.empty())
            return "动态链接器无法加载依赖库 —— 缺少共享库或库版本过旧（" + loader + "）";
        return "退出码 127 —— 程序或其解释器无法执行";
    case 126:
        return "退出码 126 —— 程序无法执行（权限或格式问题）";
    default:
        if (!loader.empty())
            return "动态链接器无法加载依赖库 —— 缺少共享库或库版本过旧（" + loader + "）";
        if (r.exitCode > 128 && r.exitCode - 128 < 65)
            return "退出码 " + std::to_string(r.exitCode) + " —— 多为子进程被" +
                   signalName(r.exitCode - 128) + "结束后的转述";
        return "正常退出或程序自退出";
    }
}

} // namespace launchscope
