// Launchscope: finds out why LumadocApp does not start on this machine and writes it into a report.
// Plain C++ with the C++ runtime linked in: it must run exactly where the application's libraries fail.

#include "Diagnosis.h"
#include "UserMessage.h"

#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

std::string ownDirectory(const char* argv0)
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    std::string path;
    if (n > 0) {
        path.assign(buf, static_cast<std::size_t>(n));
    } else {
        char resolved[PATH_MAX];
        path = ::realpath(argv0, resolved) ? resolved : argv0;
    }
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".")
           : slash == 0               ? std::string("/")
                                      : path.substr(0, slash);
}

// Tests shorten the watch of the started program; a run by a user always watches the full time.
int launchWaitSeconds()
{
    const char* text = std::getenv("LAUNCHSCOPE_WAIT_SECONDS");
    if (!text || !*text)
        return launchscope::kLaunchWaitSeconds;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    return *end == '\0' && value >= 1 && value <= 600 ? static_cast<int>(value)
                                                      : launchscope::kLaunchWaitSeconds;
}

} // namespace

int main(int argc, char** argv)
{
    // A closed standard output must not end the diagnosis before the report is complete.
    std::signal(SIGPIPE, SIG_IGN);
    launchscope::PromptMode mode = launchscope::PromptMode::Ask;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-prompt") == 0) {
            mode = launchscope::PromptMode::NoPrompt;
        } else if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("用法: Launchscope [--no-prompt]\n"
                        "诊断同目录下的 LumadocApp 为何无法启动，并写出诊断报告。\n"
                        "  --no-prompt  不询问、不打开报告（供脚本与测试使用）\n");
            return 0;
        } else {
            std::fprintf(stderr, "Launchscope: 忽略未知参数 %s\n", argv[i]);
        }
    }
    launchscope::DiagnosisOptions options;
    options.appDir = ownDirectory(argv[0]);
    options.launchWaitSeconds = launchWaitSeconds();
    const launchscope::DiagnosisResult result = launchscope::runDiagnosis(options);
    launchscope::tellUser(result.conclusion, result.launchResult, result.reportPath, mode);
    return 0;
}
