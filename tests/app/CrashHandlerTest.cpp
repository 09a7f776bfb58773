// Crash capture end to end: the crash probe installs the handlers, crashes in a chosen way, and the
// tests read what it left behind: how it died, crash.log, the boot log, the minidump and whether the
// message-box process was started (the boot log says so, with its process id).

#include "TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <memory>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

namespace {

struct ProbeRun
{
    std::unique_ptr<TempAppDir> dir = std::make_unique<TempAppDir>();
    QString program;
    ProgramResult result;

    QString binDir() const { return QFileInfo(program).absolutePath(); }
    QString logsDir() const { return binDir() + "/logs"; }
    QString crashLog() const { return testsupport::readFile(logsDir() + "/crash.log"); }
    QString bootLog() const
    {
        const QStringList logs = QDir(logsDir()).entryList({"boot_*.log"}, QDir::Files);
        return logs.size() == 1 ? testsupport::readFile(logsDir() + "/" + logs.first()) : QString();
    }
    QStringList dumps() const
    {
        QStringList paths;
        for (const QString& name : QDir(logsDir()).entryList({"*.dmp"}, QDir::Files))
            paths << logsDir() + "/" + name;
        return paths;
    }
    QString reportArgsFile() const { return binDir() + "/crash_report_args.txt"; }
};

using EnvEdit = std::function<void(QProcessEnvironment&)>;

// Runs the probe with no display and no message box unless `edit` says otherwise.
ProbeRun runProbe(const QStringList& args, const EnvEdit& edit = {})
{
    ProbeRun run;
    ProgramRunner runner(*run.dir, testsupport::builtProgram("crashprobe"));
    run.program = runner.programPath();
    QProcessEnvironment& env = runner.environment();
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    env.remove("LD_NO_MINIDUMP");
    env.insert("LD_NO_CRASH_MSG", "1");
    if (edit)
        edit(env);
    run.result = runner.run(args, 90000);
    return run;
}

// The one CRASH line of crash.log, split into its fields.
struct CrashLine
{
    bool matched = false;
    QString code, addr, module, rva;
};

CrashLine parseCrashLog(const QString& text)
{
    static const QRegularExpression re("^\\[\\d{4}-\\d\\d-\\d\\d \\d\\d:\\d\\d:\\d\\d\\] CRASH "
                                       "code=(0x[0-9A-F]{8}) addr=(0x[0-9a-f]+|\\(nil\\)) "
                                       "module=(.+) rva=0x([0-9A-F]{8,})\\n$");
    const QRegularExpressionMatch m = re.match(text);
    CrashLine line;
    if (m.hasMatch())
        line = {true, m.captured(1), m.captured(2), m.captured(3), m.captured(4)};
    return line;
}

QStringList linesMatching(const QString& text, const QString& pattern)
{
    QStringList out;
    const QRegularExpression re(pattern);
    for (const QString& line : text.split('\n')) {
        if (re.match(line).hasMatch())
            out << line;
    }
    return out;
}

QString runTool(const QString& tool, const QString& dump, int* exitCode)
{
    QProcess p;
    p.start(QStringLiteral(LUMADOC_MINIDUMP_TOOLS) + "/" + tool, {dump});
    if (!p.waitForFinished(120000)) {
        *exitCode = -1;
        return {};
    }
    *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

} // namespace

TEST(CrashHandler, NullWriteInMainThreadIsReportedWithStackAndEndsBySigsegv)
{
    const ProbeRun run = runProbe({"null"});
    ASSERT_TRUE(run.result.started);
    ASSERT_TRUE(run.result.crashed) << "exit code " << run.result.exitCode;
    EXPECT_EQ(run.result.signal, SIGSEGV);

    const CrashLine crash = parseCrashLog(run.crashLog());
    ASSERT_TRUE(crash.matched) << run.crashLog().toStdString();
    EXPECT_EQ(crash.code, "0x0000000B");
    EXPECT_EQ(crash.module, run.program); // the faulting instruction is the probe's own
    EXPECT_NE(crash.rva, "00000000");

    const QString boot = run.bootLog();
    EXPECT_TRUE(boot.contains(QString("[BOOT] !!! 崩溃 code=0x0000000B addr=%1 module=%2 rva=0x%3\n")
                                  .arg(crash.addr, crash.module, crash.rva)))
        << boot.toStdString();
    EXPECT_TRUE(boot.contains("[BOOT] 访问的内存地址: (nil)\n[") && boot.contains("[BOOT] 出错位置：\n"));
    EXPECT_EQ(
        linesMatching(boot, QString("FAIL crashprobe +\\+0x%1  ≈ probeNullWrite\\+0x").arg(crash.rva)).size(),
        1);
    EXPECT_EQ(
        linesMatching(boot, "调用栈（libunwind 展开，起点 Rip=0x[0-9a-f]+ Rsp=0x[0-9a-f]+ 共 32 帧上限）：$")
            .size(),
        1);

    const QStringList frames = linesMatching(boot, "\\[BOOT\\]   #\\d\\d ");
    ASSERT_GE(frames.size(), 3) << boot.toStdString();
    EXPECT_TRUE(frames[0].contains("#00 crashprobe") && frames[0].contains("≈ probeNullWrite+0x"));
    EXPECT_TRUE(frames[1].contains("#01 crashprobe") && frames[1].contains("≈ probeNullWriteCaller+0x"));
    EXPECT_EQ(linesMatching(boot, "#\\d\\d crashprobe +\\+0x[0-9A-F]{8}  ≈ main\\+0x").size(), 1);

    const QRegularExpressionMatch own =
        QRegularExpression("\\[BOOT\\] 处理器自身栈 (\\d+) 帧（仅供参考）：\n").match(boot);
    ASSERT_TRUE(own.hasMatch());
    const int handlerFrames = own.captured(1).toInt();
    EXPECT_GE(handlerFrames, 1);
    EXPECT_LE(handlerFrames, 16);
    EXPECT_EQ(linesMatching(boot, "\\[BOOT\\]   H\\d\\d ").size(), handlerFrames);
    // The handler ran on top of the crashed code, so the crashed function shows up in its stack too.
    EXPECT_EQ(linesMatching(boot, "H\\d\\d crashprobe.*≈ probeNullWrite\\+0x").size(), 1);
}

TEST(CrashHandler, FaultInAnotherThreadIsCaught)
{
    const ProbeRun run = runProbe({"thread-null"});
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    EXPECT_TRUE(parseCrashLog(run.crashLog()).matched) << run.crashLog().toStdString();
    const QStringList frames = linesMatching(run.bootLog(), "\\[BOOT\\]   #\\d\\d ");
    ASSERT_GE(frames.size(), 2);
    EXPECT_TRUE(frames[0].contains("≈ probeNullWrite+0x"));
}

// Without a signal stack of its own the thread has no room left to run the handler, and the process
// would die silently. 32 frames of the recursion show the walk stops at its limit; the dump of a stack
// pointer at the very end of its stack must still be readable.
TEST(CrashHandler, StackOverflowInAThreadIsCaughtOnItsSignalStack)
{
    const ProbeRun run = runProbe({"thread-overflow"});
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    const CrashLine crash = parseCrashLog(run.crashLog());
    ASSERT_TRUE(crash.matched) << run.crashLog().toStdString();
    EXPECT_EQ(crash.module, run.program);
    const QStringList frames = linesMatching(run.bootLog(), "\\[BOOT\\]   #\\d\\d ");
    ASSERT_EQ(frames.size(), 32);
    EXPECT_TRUE(frames.last().contains("[BOOT]   #31 crashprobe")) << frames.last().toStdString();
    EXPECT_EQ(linesMatching(run.bootLog(), "#\\d\\d crashprobe.*≈ probeRecurse\\+0x").size(), 32);

    ASSERT_EQ(run.dumps().size(), 1);
    int rc = 0;
    const QString walk = runTool("minidump_stackwalk", run.dumps().first(), &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(walk.contains("Thread 0 (crashed)\n 0  crashprobe + 0x")) << walk.toStdString();
}

struct SignalCase
{
    const char* mode;
    int signal;
    const char* code;
    bool inProbe; // the faulting instruction is in the probe itself (not in libc)
};

class CrashHandlerSignals : public ::testing::TestWithParam<SignalCase>
{
};

TEST_P(CrashHandlerSignals, EachFatalSignalIsReportedWithItsNumberAndReRaised)
{
    const SignalCase c = GetParam();
    const ProbeRun run = runProbe({c.mode});
    ASSERT_TRUE(run.result.crashed) << c.mode;
    EXPECT_EQ(run.result.signal, c.signal);
    const CrashLine crash = parseCrashLog(run.crashLog());
    ASSERT_TRUE(crash.matched) << run.crashLog().toStdString();
    EXPECT_EQ(crash.code, c.code);
    if (c.inProbe)
        EXPECT_EQ(crash.module, run.program);
    else
        EXPECT_TRUE(crash.module.endsWith("/libc.so.6")) << crash.module.toStdString();
    EXPECT_TRUE(run.bootLog().contains(QString("[BOOT] !!! 崩溃 code=%1 ").arg(c.code)));
}

INSTANTIATE_TEST_SUITE_P(CrashSignals, CrashHandlerSignals,
                         ::testing::Values(SignalCase{"abort", SIGABRT, "0x00000006", false},
                                           SignalCase{"fpe", SIGFPE, "0x00000008", true},
                                           SignalCase{"ill", SIGILL, "0x00000004", true},
                                           SignalCase{"self_test", SIGSEGV, "0x0000000B", true}),
                         [](const ::testing::TestParamInfo<SignalCase>& info) { return info.param.mode; });

TEST(CrashHandler, JumpIntoNoModuleGivesUnknownModuleAndStillWalksOn)
{
    const ProbeRun run = runProbe({"bogus"});
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    const CrashLine crash = parseCrashLog(run.crashLog());
    ASSERT_TRUE(crash.matched) << run.crashLog().toStdString();
    EXPECT_EQ(crash.addr, "0x100");
    EXPECT_EQ(crash.module, "(unknown)");
    EXPECT_EQ(crash.rva, "00000000");

    const QString boot = run.bootLog();
    EXPECT_TRUE(boot.contains("[BOOT]   FAIL 0x100 (不属于任何模块)\n"));
    const QStringList frames = linesMatching(boot, "\\[BOOT\\]   #\\d\\d ");
    ASSERT_GE(frames.size(), 2) << boot.toStdString();
    EXPECT_TRUE(frames[0].endsWith("[BOOT]   #00 0x100 (不属于任何模块)")) << frames[0].toStdString();
    // The return address the wild call left on the stack leads back to the caller.
    EXPECT_TRUE(frames[1].contains("≈ probeJumpToNowhere+0x")) << frames[1].toStdString();
}

// Stack pointer in unmapped memory: walking the crashed stack faults inside the handler. The report
// skips that step and still writes everything else.
TEST(CrashHandler, FaultWhileWalkingAWildStackSkipsOnlyThatStep)
{
    const ProbeRun run = runProbe({"wild-stack"});
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    EXPECT_TRUE(parseCrashLog(run.crashLog()).matched) << run.crashLog().toStdString();
    const QString boot = run.bootLog();
    EXPECT_TRUE(boot.contains("起点 Rip=0x100 Rsp=0x18 ")) << boot.toStdString();
    EXPECT_TRUE(boot.contains("[BOOT] （此步骤访问内存出错，已跳过）\n"));
    EXPECT_TRUE(boot.contains("[BOOT] 处理器自身栈 "));
    ASSERT_EQ(run.dumps().size(), 1);
    EXPECT_TRUE(boot.contains("[BOOT] 已生成崩溃转储: " + run.dumps().first()));
    int rc = 0;
    runTool("minidump_dump", run.dumps().first(), &rc);
    EXPECT_EQ(rc, 0);
}

TEST(CrashHandler, TwoThreadsFaultingTogetherGiveOneReport)
{
    const ProbeRun run = runProbe({"concurrent"});
    ASSERT_TRUE(run.result.crashed);
    EXPECT_FALSE(run.result.timedOut);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    EXPECT_EQ(run.crashLog().count("CRASH code="), 1) << run.crashLog().toStdString();
    EXPECT_EQ(run.bootLog().count("!!! 崩溃"), 1);
    EXPECT_EQ(run.dumps().size(), 1);
}

TEST(CrashHandler, MinidumpIsWrittenAndReadableByBreakpadTools)
{
    const ProbeRun run = runProbe({"null"});
    ASSERT_TRUE(run.result.crashed);
    const QStringList dumps = run.dumps();
    ASSERT_EQ(dumps.size(), 1);
    EXPECT_TRUE(QRegularExpression("/crash_\\d{8}_\\d{6}\\.dmp$").match(dumps.first()).hasMatch());
    EXPECT_TRUE(run.bootLog().contains("[BOOT] 已生成崩溃转储: " + dumps.first() + "\n"));
    const CrashLine crash = parseCrashLog(run.crashLog());
    ASSERT_TRUE(crash.matched);

    int rc = 0;
    const QString dump = runTool("minidump_dump", dumps.first(), &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(dump.contains(QRegularExpression("exception_code\\s+=\\s+0xb\\b")));
    EXPECT_TRUE(dump.contains(QRegularExpression("MinidumpThreadList\\s+thread_count\\s+=\\s+1\\b")));
    EXPECT_TRUE(dump.contains(run.program));

    const QString walk = runTool("minidump_stackwalk", dumps.first(), &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(walk.contains("Operating system: Linux") && walk.contains("CPU: amd64"))
        << walk.toStdString();
    EXPECT_TRUE(walk.contains("Crash reason:  SIGSEGV"));
    // Breakpad, reading only the dump, puts the crash at the same place in the probe as crash.log does.
    const QString frame0 =
        QString("Thread 0 (crashed)\n 0  crashprobe + 0x%1\n").arg(crash.rva.toULongLong(nullptr, 16), 0, 16);
    EXPECT_TRUE(walk.contains(frame0)) << frame0.toStdString() << "\n" << walk.toStdString();
}

TEST(CrashHandler, NoMinidumpWhenSwitchedOffEvenWithAnEmptyValue)
{
    const ProbeRun run =
        runProbe({"null"}, [](QProcessEnvironment& env) { env.insert("LD_NO_MINIDUMP", ""); });
    ASSERT_TRUE(run.result.crashed);
    EXPECT_TRUE(run.dumps().isEmpty());
    EXPECT_FALSE(run.bootLog().contains("崩溃转储"));
    EXPECT_TRUE(parseCrashLog(run.crashLog()).matched);
}

TEST(CrashHandler, WithoutBootLogDirectoryCrashLogGoesBesideTheProgramAndNoDump)
{
    const ProbeRun run = runProbe({"null", "nolog"});
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    EXPECT_TRUE(parseCrashLog(testsupport::readFile(run.binDir() + "/crash.log")).matched);
    EXPECT_TRUE(run.dumps().isEmpty());
    // The report still reaches standard error.
    EXPECT_TRUE(QString::fromUtf8(run.result.stdErr).contains("[BOOT] !!! 崩溃 code=0x0000000B"));
}

TEST(CrashHandler, MessageBoxProcessGetsModuleCodeAndLogPath)
{
    const ProbeRun run = runProbe({"null"}, [](QProcessEnvironment& env) {
        env.remove("LD_NO_CRASH_MSG");
        env.insert("DISPLAY", ":4242");
    });
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    const QRegularExpressionMatch started =
        QRegularExpression("\\[BOOT\\] 已启动错误提示进程 pid=(\\d+)\n").match(run.bootLog());
    ASSERT_TRUE(started.hasMatch()) << run.bootLog().toStdString();

    // The report process outlives the crashed one; in the probe it only records its arguments.
    const qint64 reportPid = started.captured(1).toLongLong();
    EXPECT_TRUE(testsupport::waitUntil([&] { return !testsupport::processAlive(reportPid); }, 30000));
    const QStringList args = testsupport::readFile(run.reportArgsFile()).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(args, QStringList({"--crash-report", run.program, "0x0000000B", run.logsDir() + "/crash.log"}));
}

TEST(CrashHandler, NoMessageBoxProcessWithoutDisplay)
{
    const ProbeRun run = runProbe({"null"}, [](QProcessEnvironment& env) {
        env.remove("LD_NO_CRASH_MSG");
        env.insert("DISPLAY", "");
    });
    ASSERT_TRUE(run.result.crashed);
    EXPECT_TRUE(run.bootLog().contains("!!! 崩溃"));
    EXPECT_FALSE(run.bootLog().contains("错误提示进程"));
}

TEST(CrashHandler, BothSwitchesLeaveOnlyCrashLogAndBootLines)
{
    const ProbeRun run = runProbe({"null"}, [](QProcessEnvironment& env) {
        env.insert("LD_NO_MINIDUMP", "1");
        env.insert("DISPLAY", ":4242");
    });
    ASSERT_TRUE(run.result.crashed);
    EXPECT_EQ(run.result.signal, SIGSEGV);
    EXPECT_TRUE(parseCrashLog(run.crashLog()).matched);
    EXPECT_TRUE(run.bootLog().contains("!!! 崩溃"));
    EXPECT_FALSE(run.bootLog().contains("错误提示进程"));
    QStringList files = QDir(run.logsDir()).entryList(QDir::Files);
    files.sort();
    ASSERT_EQ(files.size(), 2) << files.join(' ').toStdString();
    EXPECT_TRUE(files[0].startsWith("boot_"));
    EXPECT_EQ(files[1], "crash.log");
}
