#include "Diagnosis.h"
#include "ElfInfo.h"
#include "LogTail.h"
#include "Places.h"
#include "Probe.h"
#include "Report.h"
#include "SystemFacts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace launchscope {

namespace {

const char kRule[] = "============================================================";
const char kProgramName[] = "LumadocApp";
constexpr std::size_t kBootTailBytes = 65536;
constexpr std::size_t kCrashTailBytes = 8192;

bool exists(const std::string& path, struct stat* out = nullptr)
{
    struct stat st
    {
    };
    const bool ok = ::stat(path.c_str(), &st) == 0;
    if (out)
        *out = st;
    return ok;
}

std::string directoryOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string joined(const std::set<std::string>& items)
{
    std::string text;
    for (const std::string& s : items)
        text += (text.empty() ? "" : ", ") + s;
    return text;
}

// The state of one diagnosis run, filled section by section.
class Diagnosis
{
public:
    Diagnosis(const DiagnosisOptions& options) : m_options(options)
    {
        m_appDir = options.appDir;
        m_program = m_appDir + "/" + kProgramName;
        if (!exists(m_program))
            m_program.clear();
        m_places = logPlaces(m_appDir);
    }

    DiagnosisResult run();

private:
    void header();
    void systemFacts();
    void programFiles();
    void systemRuntime();
    void moduleProbe();
    void probePlatformPlugin();
    void launch();
    void existingLogs();
    void bootLogTail();
    void crashLogTail();
    void conclude();

    // Where the loader will take a library LumadocApp names: its own search folders first, then the
    // loader's usual places (a bare name for dlopen, which reads LD_LIBRARY_PATH and the ld.so cache).
    std::string resolve(const std::string& name, bool& fromOwnFolder) const;
    void summariseLastStart(const std::vector<std::string>& lines);

    struct LibraryCheck
    {
        LibraryProbe probe;
        bool fromOwnFolder = false;
        std::set<std::string> missingVersions; // versions LumadocApp needs that the loaded file lacks
    };
    // Loads a library LumadocApp names (once per run) and checks it defines the versions it needs.
    LibraryCheck checkLibrary(const std::string& name);
    std::map<std::string, LibraryCheck> m_checked;

    DiagnosisOptions m_options;
    Report m_report;
    std::string m_appDir, m_program;
    LogPlaces m_places;
    ElfInfo m_elf;
    std::vector<std::string> m_ownFolders;
    std::string m_qtCoreDir; // folder of the libQt5Core the probe loaded
    int m_requiredFailures = 0;
    std::string m_cxxRuntime = "存在", m_qtLibraries = "存在";
    bool m_cxxMissing = false, m_qtMissing = false;
    std::string m_conclusion, m_launchResult;
};

DiagnosisResult Diagnosis::run()
{
    m_report.open(reportFolders(m_appDir));
    if (!m_program.empty()) {
        m_elf = readElf(m_program);
        m_ownFolders = searchFolders(m_elf, m_appDir);
    }
    header();
    systemFacts();
    programFiles();
    systemRuntime();
    moduleProbe();
    launch();
    existingLogs();
    bootLogTail();
    crashLogTail();
    conclude();
    DiagnosisResult result{m_conclusion, m_launchResult,
                           m_report.hasFile() ? m_report.path() : std::string()};
    m_report.close();
    return result;
}

void Diagnosis::header()
{
    m_report.line("%s", kRule);
    m_report.line("LumadocApp 启动诊断报告");
    m_report.line("诊断工具: Launchscope（本工具不依赖 Qt / C++ 运行库，只使用系统的 libc）");
    m_report.line("日志文件: %s", m_report.hasFile() ? m_report.path().c_str() : "(无法写入磁盘)");
    m_report.line("程序目录: %s", m_appDir.c_str());
    m_report.line("%s", kRule);
    m_report.line("%s", "");
}

void Diagnosis::systemFacts()
{
    const SystemFacts f = readSystemFacts();
    m_report.line("[系统] %s  内核 %s  %s", f.osName.c_str(), f.kernelRelease.c_str(),
                  f.kernelVersion.c_str());
    m_report.line("[系统] C 运行库: glibc %s", f.libcVersion.c_str());
    m_report.line("[系统] 架构 %s，CPU 核心 %u", f.architecture.c_str(), f.cpuCount);
    if (f.is32Bit)
        m_report.line("[系统] !! 本程序仅有 64 位版本，32 位系统无法运行");
    if (!f.cpuModel.empty())
        m_report.line("[系统] CPU: %s", f.cpuModel.c_str());
    m_report.line("[系统] 当前进程管理员权限: %s", f.root ? "是" : "否");
    if (f.memoryTotalGiB >= 0)
        m_report.line("[系统] 物理内存: %.1f GB（可用 %.1f GB）", f.memoryTotalGiB,
                      std::max(0.0, f.memoryAvailableGiB));
    const std::string server = !f.display.empty() ? "X11 (DISPLAY=" + f.display + ")"
                               : !f.waylandDisplay.empty()
                                   ? "仅 Wayland (WAYLAND_DISPLAY=" + f.waylandDisplay + ")"
                                   : std::string("无");
    m_report.line("[系统] 显示服务: %s，会话类型: %s，远程会话: %s", server.c_str(),
                  f.sessionType.empty() ? "(未设置)" : f.sessionType.c_str(), f.remoteSession ? "是" : "否");
    if (f.display.empty())
        m_report.line("[系统] !! 没有 X11 显示（DISPLAY 未设置）：主程序的 xcb 平台插件无法打开窗口");
    const GlProbe gl = probeGl();
    if (gl.screenWidth > 0)
        m_report.line("[系统] 屏幕: %d x %d", gl.screenWidth, gl.screenHeight);
    if (gl.ok) {
        int major = 0, minor = 0;
        std::sscanf(gl.version.c_str(), "%d.%d", &major, &minor);
        const bool enough = major > 3 || (major == 3 && minor >= 3);
        m_report.line("[图形] %s: GL_VERSION=%s | GL_RENDERER=%s | GL_VENDOR=%s", gl.method.c_str(),
                      gl.version.c_str(), gl.renderer.c_str(), gl.vendor.c_str());
        m_report.line("[图形] OpenGL 3.3: %s",
                      enough ? "满足" : "不满足 → 主程序将改用软件渲染（预览可能较慢）");
    } else {
        m_report.line("[图形] %s 探测失败: %s", gl.method.c_str(), gl.error.c_str());
    }
    m_report.line("%s", "");
}

void Diagnosis::programFiles()
{
    m_report.line("---- 1. 关键文件检查（程序目录）----");
    struct Entry
    {
        const char* name;
        bool required;
        bool data; // looked up in the data folders too, as the application does
    };
    static const Entry entries[] = {
        {"LumadocApp", true, false},
        {"platforms/libqxcb.so", false, false},
        {"plugins/platforms/libqxcb.so", false, false},
        {"appconfig.ini", false, true},
        {"models.bin", false, true},
    };
    for (const Entry& e : entries) {
        std::vector<std::string> folders{m_appDir};
        if (e.data)
            folders = dataFolders(m_appDir);
        bool found = false;
        for (const std::string& folder : folders) {
            struct stat st
            {
            };
            const std::string path = folder + "/" + e.name;
            if (!exists(path, &st))
                continue;
            if (folder == m_appDir)
                m_report.line("[文件] %-42s 存在 (%.0f KB)", e.name, st.st_size / 1024.0);
            else
                m_report.line("[文件] %-42s 存在 (%.0f KB) ← %s", e.name, st.st_size / 1024.0, path.c_str());
            found = true;
            break;
        }
        if (!found)
            m_report.line("[文件] %-42s 缺失%s", e.name, e.required ? "   ← 必需" : "");
    }
    if (!m_program.empty()) {
        if (!m_elf.isElf)
            m_report.line("[文件] LumadocApp 不是 ELF 程序（脚本，或文件已损坏）");
        else if (m_elf.machine != hostMachine() || !m_elf.is64)
            m_report.line("[文件] !! LumadocApp 是 %s %s 程序，与本机 (%s) 不一致 —— 无法在本机运行",
                          m_elf.is64 ? "64 位" : "32 位", machineName(m_elf.machine).c_str(),
                          machineName(hostMachine()).c_str());
        else
            m_report.line("[文件] LumadocApp 格式: ELF 64 位 %s，与本机一致",
                          machineName(m_elf.machine).c_str());
        if (::access(m_program.c_str(), X_OK) != 0)
            m_report.line("[文件] !! LumadocApp 没有执行权限（chmod +x）");
    }
    m_report.line("%s", "");
}

std::string Diagnosis::resolve(const std::string& name, bool& fromOwnFolder) const
{
    fromOwnFolder = false;
    if (name.find('/') != std::string::npos)
        return name;
    // With RUNPATH (unlike the older RPATH) the loader reads LD_LIBRARY_PATH first.
    const char* libraryPath = std::getenv("LD_LIBRARY_PATH");
    if (!m_elf.runPath.empty() && libraryPath) {
        for (std::string rest = libraryPath; !rest.empty();) {
            const std::size_t colon = rest.find(':');
            const std::string folder = rest.substr(0, colon);
            rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
            if (!folder.empty() && exists(folder + "/" + name))
                return name; // the bare name: dlopen walks LD_LIBRARY_PATH just as the loader will
        }
    }
    for (const std::string& folder : m_ownFolders) {
        const std::string candidate = folder + "/" + name;
        if (exists(candidate)) {
            fromOwnFolder = true;
            return candidate;
        }
    }
    return name;
}

Diagnosis::LibraryCheck Diagnosis::checkLibrary(const std::string& name)
{
    const auto cached = m_checked.find(name);
    if (cached != m_checked.end())
        return cached->second;
    LibraryCheck check;
    const std::string target = resolve(name, check.fromOwnFolder);
    check.probe = probeLibrary(target);
    if (check.probe.loaded) {
        const auto wanted = m_elf.neededVersions.find(name);
        if (wanted != m_elf.neededVersions.end() && !wanted->second.empty()) {
            const std::set<std::string> defined = readElf(check.probe.loadedPath).definedVersions;
            for (const std::string& v : wanted->second)
                if (!defined.count(v))
                    check.missingVersions.insert(v);
        }
    }
    m_checked[name] = check;
    return check;
}

void Diagnosis::systemRuntime()
{
    m_report.line("---- 1b. 系统运行库检查（C++ 运行库与 Qt 库）----");
    struct Runtime
    {
        const char* name;
        const char* hint;
        std::string* state; // the conclusion's flag text, or null
    };
    const Runtime runtimes[] = {
        {"libc.so.6", "glibc 缺失或损坏 → 系统本身有问题", nullptr},
        {"libstdc++.so.6", "C++ 运行库未安装或过旧 → 需安装/升级 libstdc++6", &m_cxxRuntime},
        {"libgcc_s.so.1", "同上（libgcc-s1）", nullptr},
        {"libQt5Core.so.5", "Qt 5 库未安装或过旧 → 需安装 libqt5core5a（或重新安装 Lumadoc）",
         &m_qtLibraries},
        {"libQt5Gui.so.5", "同上（libqt5gui5）", &m_qtLibraries},
        {"libQt5Widgets.so.5", "同上（libqt5widgets5）", &m_qtLibraries},
    };
    for (const Runtime& r : runtimes) {
        const LibraryCheck c = checkLibrary(r.name);
        if (c.probe.loaded && std::string(r.name) == "libQt5Core.so.5")
            m_qtCoreDir = directoryOf(c.probe.loadedPath);
        if (!c.probe.loaded) {
            m_report.line("[系统库] %-40s 缺失  ← %s", r.name, r.hint);
            m_report.line("[系统库]     %s", c.probe.error.c_str());
            if (r.state)
                *r.state = "缺失";
        } else if (!c.missingVersions.empty()) {
            m_report.line("[系统库] %-40s 版本过旧 ← %s，缺少 %s  ← %s", r.name, c.probe.loadedPath.c_str(),
                          joined(c.missingVersions).c_str(), r.hint);
            if (r.state && *r.state != "缺失")
                *r.state = "版本过旧";
        } else {
            m_report.line("[系统库] %-40s %s ← %s", r.name, c.fromOwnFolder ? "存在（程序自带）" : "存在",
                          c.probe.loadedPath.c_str());
        }
    }
    m_cxxMissing = m_cxxRuntime != "存在";
    m_qtMissing = m_qtLibraries != "存在";
    m_report.line("%s", "");
}

void Diagnosis::moduleProbe()
{
    m_report.line("---- 2. 依赖模块加载探测 ----");
    m_report.line("（依赖表取自 LumadocApp 本身；逐个 dlopen(RTLD_NOW)，先按程序的 RUNPATH "
                  "再按系统库缓存查找，测的是现场这台机器上的真实结果）");
    if (m_program.empty())
        m_report.line("[探测] LumadocApp 不存在，无法读取其依赖表，只探测 Qt 平台插件");
    else if (!m_elf.dynamic)
        m_report.line("[探测] 无法从 LumadocApp 读出依赖表（%s），只探测 Qt 平台插件",
                      !m_elf.readable ? "无法读取"
                      : !m_elf.isElf  ? "不是 ELF 程序"
                                      : "格式与本机不符或为静态程序");
    for (const std::string& name : m_elf.needed) {
        const LibraryCheck c = checkLibrary(name);
        if (!c.probe.loaded) {
            ++m_requiredFailures;
            m_report.line("[探测] %-40s 失败 %s   ← 必需模块", name.c_str(), c.probe.error.c_str());
        } else if (!c.missingVersions.empty()) {
            ++m_requiredFailures;
            m_report.line("[探测] %-40s 版本过旧，缺少 %s ← %s   ← 必需模块", name.c_str(),
                          joined(c.missingVersions).c_str(), c.probe.loadedPath.c_str());
        } else {
            m_report.line("[探测] %-40s %s ← %s", name.c_str(), c.fromOwnFolder ? "成功" : "使用系统版本",
                          c.probe.loadedPath.c_str());
        }
    }
    probePlatformPlugin();
    if (m_requiredFailures > 0) {
        m_report.line("%s", "");
        m_report.line("!! 有 %d 个【必需】模块加载失败 —— 这就是主程序无法启动的直接原因",
                      m_requiredFailures);
    }
    m_report.line("%s", "");
}

void Diagnosis::probePlatformPlugin()
{
    static const char kPlugin[] = "platforms/libqxcb.so";
    // Qt looks in the folders the application adds (its own, then its "plugins"), $QT_PLUGIN_PATH, and the
    // plugin folder Qt was built with (beside libQt5Core on Debian, ../plugins in a bundled Qt).
    std::vector<std::string> roots = {m_appDir + "/plugins", m_appDir};
    const char* pluginPath = std::getenv("QT_PLUGIN_PATH");
    for (std::string rest = pluginPath ? pluginPath : ""; !rest.empty();) {
        const std::size_t colon = rest.find(':');
        if (colon != 0)
            roots.push_back(rest.substr(0, colon));
        rest = colon == std::string::npos ? std::string() : rest.substr(colon + 1);
    }
    if (!m_qtCoreDir.empty()) {
        roots.push_back(m_qtCoreDir + "/qt5/plugins");
        roots.push_back(m_qtCoreDir + "/../plugins");
    }
    roots.push_back(LAUNCHSCOPE_QT_PLUGIN_DIR);
    for (const std::string& root : roots) {
        const std::string path = root + "/" + kPlugin;
        if (!exists(path))
            continue;
        const LibraryProbe p = probeLibrary(path);
        if (p.loaded) {
            m_report.line("[探测] %-40s 成功 ← %s", kPlugin, p.loadedPath.c_str());
        } else {
            ++m_requiredFailures;
            m_report.line("[探测] %-40s 失败 %s   ← 必需模块", kPlugin, p.error.c_str());
        }
        return;
    }
    ++m_requiredFailures;
    m_report.line("[探测] %-40s 失败 在程序目录、QT_PLUGIN_PATH 与 Qt 插件目录中均未找到   ← 必需模块",
                  kPlugin);
}

void Diagnosis::launch()
{
    m_report.line("---- 3. 实际启动主程序 ----");
    if (m_program.empty()) {
        m_report.line("[启动] LumadocApp 不存在，跳过");
        m_launchResult = "主程序 LumadocApp 不存在";
        m_report.line("%s", "");
        return;
    }
    const bool instanceWasRunning = instanceRunning();
    if (instanceWasRunning)
        m_report.line("[启动] !! 检测到主程序正在运行，请先关闭它再重新诊断");
    const int waitSeconds = m_options.launchWaitSeconds;
    const LaunchResult r = launchAndWait(m_program, m_appDir, waitSeconds, [&](int pid) {
        m_report.line("[启动] 已拉起 LumadocApp，PID=%d，等待 %d 秒…", pid, waitSeconds);
    });
    if (r.outcome == LaunchResult::NotStarted) {
        m_report.line("[启动] 启动失败 %s", r.startError.c_str());
        m_launchResult = "无法启动主程序（" + r.startError + "）";
    } else if (r.outcome == LaunchResult::StillRunning) {
        m_report.line("[启动] 进程仍在运行（超过 %d 秒未退出）→ 启动成功，主程序界面应已出现", waitSeconds);
        m_launchResult = "主程序启动成功（诊断期间保持运行）";
    } else {
        const std::string why = explainExit(r, instanceWasRunning);
        if (r.outcome == LaunchResult::Exited) {
            m_report.line("[启动] 进程已退出，退出码 = %d", r.exitCode);
            m_launchResult = "主程序启动后立即退出，退出码 " + std::to_string(r.exitCode) + "\n" + why;
        } else {
            m_report.line("[启动] 进程被信号 %d (%s) 结束%s", r.signal, signalName(r.signal).c_str(),
                          r.coreDumped ? "，已生成 core 转储" : "");
            m_launchResult = "主程序启动后异常结束（" + signalName(r.signal) + "）\n" + why;
        }
        m_report.line("[启动] 说明: %s", why.c_str());
        const std::vector<std::string> lines = splitLines(sanitizeUtf8(r.output));
        const std::size_t from = lines.size() > 30 ? lines.size() - 30 : 0;
        if (!lines.empty())
            m_report.line("[启动] 主程序输出（末尾 %zu 行）：", lines.size() - from);
        for (std::size_t i = from; i < lines.size(); ++i)
            m_report.line("  | %s", lines[i].c_str());
    }
    m_report.line("%s", "");
}

void Diagnosis::existingLogs()
{
    m_report.line("---- 4. 已有的主程序日志 ----");
    for (const std::string& path : crashLogPaths(m_places, m_appDir))
        m_report.line("[日志] %s : %s", path.c_str(), exists(path) ? "存在" : "无");
    for (const std::string& folder : bootLogFolders(m_places))
        m_report.line("[日志] %s : %s", folder.c_str(), exists(folder) ? "存在" : "无");
    m_report.line("[日志] 启动引导日志(boot_*.log) 位置同上面几处日志目录，取其中最新的一份");
    m_report.line("%s", "");
}

void Diagnosis::bootLogTail()
{
    m_report.line("---- 4b. 主程序启动引导日志（boot_*.log 尾部）----");
    for (const FoundLog& log : bootLogsNewestFirst(bootLogFolders(m_places))) {
        bool ok = false;
        const std::vector<std::string> lines = splitLines(readTail(log.path, kBootTailBytes, ok));
        if (!ok || lines.empty())
            continue; // unreadable or empty: the next newest one speaks instead
        m_report.line("[日志] 来源: %s", log.path.c_str());
        m_report.line("-------- 以下为主程序日志原文 --------");
        for (const std::string& line : lines)
            m_report.line("  | %s", line.c_str());
        m_report.line("-------- 原文结束 --------");
        summariseLastStart(lines);
        m_report.line("%s", "");
        return;
    }
    m_report.line("[日志] 未找到 boot_*.log");
    m_report.line("[日志] 说明：要么程序从未进入 main()（多为缺少共享库/运行库），要么安装后尚未启动过。");
    m_report.line("%s", "");
}

void Diagnosis::summariseLastStart(const std::vector<std::string>& lines)
{
    // A day's boot log holds every start of that day; only the last one matters here.
    std::size_t first = 0;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].find("[BOOT] LumadocApp 启动引导日志") != std::string::npos)
            first = i;
    // Without its "[hh:mm:ss.zzz] " prefix (a line that followed an embedded line break has none).
    auto text = [](const std::string& line) {
        static const char shape[] = "[dd:dd:dd.ddd] ";
        if (line.size() < sizeof shape - 1)
            return line;
        for (std::size_t i = 0; i + 1 < sizeof shape; ++i) {
            const bool digit = line[i] >= '0' && line[i] <= '9';
            if (shape[i] == 'd' ? !digit : line[i] != shape[i])
                return line;
        }
        return line.substr(sizeof shape - 1);
    };
    auto startsWith = [](const std::string& t, const std::string& head) {
        return t.compare(0, head.size(), head) == 0;
    };
    std::string lastStep;
    for (std::size_t i = first; i < lines.size(); ++i) {
        const std::string t = text(lines[i]);
        if (startsWith(t, "[MAIN] step "))
            lastStep = t;
        else if (startsWith(t, "[BOOT] !! ") && t.find(" FAIL ") != std::string::npos)
            m_report.line("[日志] 主程序自己记录的必需模块失败: %s", t.substr(10).c_str());
        else if (startsWith(t, "[BOOT] !!! 崩溃"))
            m_report.line("[日志] 最近一次启动崩溃: %s", t.substr(11).c_str());
        else if (t.find("已有实例在运行") != std::string::npos)
            m_report.line("[日志] 最近一次启动因已有实例在运行而退出");
    }
    if (lastStep.empty())
        m_report.line("[日志] 最近一次启动未到达 step 1（结束于模块探测、单实例检查或更早）");
    else
        m_report.line("[日志] 最近一次启动最后到达: %s", lastStep.c_str());
}

void Diagnosis::crashLogTail()
{
    m_report.line("---- 4c. 崩溃记录（crash.log 尾部）----");
    for (const FoundLog& log : filesNewestFirst(crashLogPaths(m_places, m_appDir))) {
        bool ok = false;
        const std::vector<std::string> lines = splitLines(readTail(log.path, kCrashTailBytes, ok));
        if (!ok || lines.empty())
            continue;
        m_report.line("[日志] 来源: %s", log.path.c_str());
        const std::size_t from = lines.size() > 10 ? lines.size() - 10 : 0;
        for (std::size_t i = from; i < lines.size(); ++i)
            m_report.line("  | %s", lines[i].c_str());
        m_report.line("%s", "");
        return;
    }
    m_report.line("[日志] 未找到 crash.log（没有崩溃记录）");
    m_report.line("%s", "");
}

void Diagnosis::conclude()
{
    if (m_cxxMissing || m_qtMissing) {
        m_conclusion = "系统缺少 C++ 运行库 / Qt 库（libstdc++=" + m_cxxRuntime + "，Qt=" + m_qtLibraries +
                       "）。\n解决方法：用系统的软件包管理器安装 libstdc++6 与 Qt 5.15 运行库"
                       "（Debian/Ubuntu：apt install libstdc++6 libqt5core5a libqt5gui5 libqt5widgets5）；\n"
                       "或重新安装 Lumadoc。";
    } else if (m_requiredFailures == 0) {
        m_conclusion = "必需依赖模块全部加载成功。";
    } else {
        m_conclusion = "有 " + std::to_string(m_requiredFailures) +
                       " 个必需的依赖模块无法加载，主程序必然启动失败。\n请把本次日志发给技术支持。";
    }
    m_report.line("%s", kRule);
    m_report.line("诊断结论: %s", m_conclusion.c_str());
    m_report.line("启动结果: %s", m_launchResult.c_str());
    m_report.line("%s", kRule);
}

} // namespace

DiagnosisResult runDiagnosis(const DiagnosisOptions& options)
{
    Diagnosis d(options);
    return d.run();
}

} // namespace launchscope
