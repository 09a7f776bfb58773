#include "UserMessage.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace launchscope {

namespace {

const char kTitle[] = "Lumadoc - 启动诊断";

std::string findProgram(const char* name)
{
    const char* path = std::getenv("PATH");
    std::string rest = path && *path ? path : "/usr/local/bin:/usr/bin:/bin";
    while (!rest.empty()) {
        const std::size_t colon = rest.find(':');
        const std::string dir = rest.substr(0, colon);
        rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Runs a program and waits for it; its exit code, or -1 when it could not run.
int runAndWait(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        ::execve(argv[0], argv.data(), environ);
        ::_exit(127);
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

// Starts a program that outlives this tool (the viewer the user reads the report in).
void startDetached(const std::vector<std::string>& args)
{
    const pid_t pid = ::fork();
    if (pid < 0)
        return;
    if (pid == 0) {
        ::setsid();
        if (::fork() == 0) {
            std::vector<char*> argv;
            for (const std::string& a : args)
                argv.push_back(const_cast<char*>(a.c_str()));
            argv.push_back(nullptr);
            ::execve(argv[0], argv.data(), environ);
        }
        ::_exit(0);
    }
    ::waitpid(pid, nullptr, 0);
}

// Asks with a dialog; 1 yes, 0 no, -1 when no dialog program could ask.
int askWithDialog(const std::string& text)
{
    std::string program = findProgram("zenity");
    if (!program.empty())
        return runAndWait({program, "--question", "--title", kTitle, "--no-markup", "--text", text}) == 0 ? 1
                                                                                                          : 0;
    program = findProgram("kdialog");
    if (!program.empty())
        return runAndWait({program, "--title", kTitle, "--yesno", text}) == 0 ? 1 : 0;
    program = findProgram("xmessage");
    if (!program.empty())
        return runAndWait({program, "-center", "-buttons", "是:0,否:1", text}) == 0 ? 1 : 0;
    return -1;
}

bool askOnTerminal()
{
    std::printf("[y/N] ");
    std::fflush(stdout);
    char answer[64] = {};
    if (!std::fgets(answer, sizeof answer, stdin))
        return false;
    return answer[0] == 'y' || answer[0] == 'Y' || std::strncmp(answer, "是", 3) == 0;
}

} // namespace

std::string userMessage(const std::string& conclusion, const std::string& launchResult,
                        const std::string& reportPath, bool withQuestion)
{
    std::string text = "诊断完成。\n\n结论：" + conclusion + "\n\n启动结果：" + launchResult +
                       "\n\n详细日志：\n" +
                       (reportPath.empty() ? std::string("(日志无法写入磁盘)") : reportPath);
    if (withQuestion)
        text += "\n\n是否现在打开日志文件？";
    return text;
}

void tellUser(const std::string& conclusion, const std::string& launchResult, const std::string& reportPath,
              PromptMode mode)
{
    const bool hasDisplay = (std::getenv("DISPLAY") && *std::getenv("DISPLAY")) ||
                            (std::getenv("WAYLAND_DISPLAY") && *std::getenv("WAYLAND_DISPLAY"));
    const bool terminal = ::isatty(STDIN_FILENO) == 1;
    const bool ask = mode == PromptMode::Ask && (hasDisplay || terminal);
    std::printf("%s\n", userMessage(conclusion, launchResult, reportPath, false).c_str());
    std::fflush(stdout);
    if (!ask)
        return;
    int yes = hasDisplay ? askWithDialog(userMessage(conclusion, launchResult, reportPath, true)) : -1;
    if (yes < 0) {
        if (!terminal)
            return;
        std::printf("\n是否现在打开日志文件？");
        yes = askOnTerminal() ? 1 : 0;
    }
    if (yes != 1 || reportPath.empty())
        return;
    if (hasDisplay) {
        const std::string opener = findProgram("xdg-open");
        if (!opener.empty()) {
            startDetached({opener, reportPath});
            return;
        }
    }
    const char* pager = std::getenv("PAGER");
    const std::string viewer = findProgram(pager && *pager ? pager : "less");
    if (!viewer.empty() && terminal)
        runAndWait({viewer, reportPath});
}

} // namespace launchscope
