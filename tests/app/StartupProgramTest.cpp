// The real program started from a private copy under the test display: boot log steps, single instance,
// flag files, the one automatic restart into software rendering, termination and the crash chain.

#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <csignal>

using namespace testsupport;

namespace {

class StartupProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_runner = std::make_unique<ProgramRunner>(m_dir, builtProgram("LumadocApp"));
        auto& env = m_runner->environment();
        env.insert("LD_NO_CRASH_MSG", "1");
        for (const char* v : {"QT_OPENGL", "LD_GL_AUTORESTART", "LD_TEST_CRASH", "LD_NO_MINIDUMP",
                              "MESA_GL_VERSION_OVERRIDE", "MESA_GLSL_VERSION_OVERRIDE", "LIBGL_ALWAYS_SOFTWARE"})
            env.remove(v);
    }

    QString logDir() const { return m_runner->programDir() + "/logs"; }

    QString bootLog() const
    {
        QString text;
        for (const QString& f : QDir(logDir()).entryList({"boot_*.log"}, QDir::Files, QDir::Name))
            text += readFile(logDir() + "/" + f);
        return text;
    }

    QString appLog() const
    {
        QString text;
        for (const QString& f : QDir(logDir()).entryList({"Lumadoc_*.log"}, QDir::Files, QDir::Name))
            text += readFile(logDir() + "/" + f);
        return text;
    }

    bool bootLogHas(const QString& needle, int timeoutMs = 30000) const
    {
        return waitUntil([&] { return bootLog().contains(needle); }, timeoutMs);
    }

    // Starts the program and waits until it has painted its window (run_incomplete.flag gone).
    void startAndWaitForWindow()
    {
        ASSERT_TRUE(m_runner->start());
        ASSERT_TRUE(bootLogHas("[MAIN] step 10:")) << qPrintable(bootLog());
        ASSERT_TRUE(waitUntil([&] { return !QFile::exists(logDir() + "/run_incomplete.flag"); }, 30000));
    }

    TempAppDir m_dir;
    std::unique_ptr<ProgramRunner> m_runner;
};

int countOf(const QString& text, const QString& needle)
{
    return text.count(needle);
}

} // namespace

TEST_F(StartupProgram, RunsEveryStepAndStopsCleanlyOnSigterm)
{
    startAndWaitForWindow();
    m_runner->sendSignal(SIGTERM);
    const ProgramResult r = m_runner->waitForExit(30000);
    ASSERT_FALSE(r.timedOut);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0);

    const QString boot = bootLog();
    EXPECT_TRUE(boot.contains("[BOOT] LumadocApp 启动引导日志"));
    EXPECT_TRUE(boot.contains(QRegularExpression(R"(\[BOOT\] ok libQt5Core\.so\.5 +(<-|使用系统版本 <-) /)")));
    EXPECT_TRUE(boot.contains(QRegularExpression(R"(\[BOOT\] ok platforms/libqxcb\.so)")));
    EXPECT_FALSE(boot.contains("必需模块加载失败"));
    int last = -1;
    for (const char* step : {"step 1:", "step 2:", "step 3:", "step 4:", "step 5:", "step 6:", "step 7:", "step 8:",
                             "step 8.5:", "step 9:", "step 10:", "step 11: event loop exited, ret=0"}) {
        const int at = boot.indexOf(QString("[MAIN] ") + step);
        EXPECT_GT(at, last) << step;
        last = at;
    }
    // Each boot-log line carries the time prefix.
    EXPECT_TRUE(boot.contains(QRegularExpression(R"(\[\d\d:\d\d:\d\d\.\d\d\d\] \[MAIN\] step 1: before QApplication)")));

    const QString app = appLog();
    EXPECT_TRUE(app.contains("========== Application Started: "));
    EXPECT_TRUE(app.contains("Application starting, version: \"1.0.0\""));
    EXPECT_TRUE(app.contains("Application exiting, code: 0"));
    EXPECT_TRUE(app.contains("========== Application Stopped: "));
    EXPECT_FALSE(QFile::exists(logDir() + "/run_incomplete.flag"));
}

TEST_F(StartupProgram, SecondStartExitsAtOnceWithZero)
{
    startAndWaitForWindow();
    ProgramRunner second(m_dir, builtProgram("LumadocApp"));
    second.environment() = m_runner->environment();
    const ProgramResult r = second.run({}, 20000);
    ASSERT_FALSE(r.timedOut);
    EXPECT_FALSE(r.crashed);
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_TRUE(r.stdErr.contains("已有实例在运行"));
    EXPECT_FALSE(r.stdErr.contains("step 1:"));
    // The user who started it again sees the running window come forward.
    EXPECT_TRUE(r.stdErr.contains("asked the running instance to show its window: yes")) << r.stdErr.toStdString();
    m_runner->sendSignal(SIGTERM);
    EXPECT_EQ(m_runner->waitForExit(30000).exitCode, 0);
    EXPECT_TRUE(appLog().contains("[MAIN] another start asked for the running window"));
}

TEST_F(StartupProgram, StaleIncompleteFlagForcesSoftwareOnceAndIsRemoved)
{
    QDir().mkpath(logDir());
    QFile stale(logDir() + "/run_incomplete.flag");
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    stale.close();

    startAndWaitForWindow();
    EXPECT_TRUE(bootLog().contains("检测到上次启动未走完初始化（图形相关崩溃嫌疑） → QT_OPENGL=software"));
    EXPECT_TRUE(bootLog().contains("VideoWidget 使用 Mesa 软件渲染"));
    m_runner->sendSignal(SIGINT);
    EXPECT_EQ(m_runner->waitForExit(30000).exitCode, 0);
    EXPECT_FALSE(QFile::exists(logDir() + "/run_incomplete.flag"));
}

TEST_F(StartupProgram, MissingGl33RestartsExactlyOnceIntoSoftware)
{
    m_runner->environment().insert("QT_OPENGL", "desktop");
    m_runner->environment().insert("MESA_GL_VERSION_OVERRIDE", "2.1");
    const ProgramResult parent = m_runner->run({}, 30000);
    ASSERT_FALSE(parent.timedOut);
    EXPECT_EQ(parent.exitCode, 0);
    EXPECT_EQ(readFile(logDir() + "/gl_software.flag"), QStringLiteral("1"));

    QString boot = bootLog();
    EXPECT_TRUE(boot.contains("QT_OPENGL 已由外部指定=desktop"));
    EXPECT_TRUE(boot.contains("[MAIN] !!! 当前图形栈不满足 GL 3.3 Core：实际上下文 2.1"));
    const QRegularExpressionMatch m =
        QRegularExpression(R"(自动以软件渲染重启：已拉起新进程 \(pid=(\d+)\))").match(boot);
    ASSERT_TRUE(m.hasMatch()) << qPrintable(boot);
    const qint64 child = m.captured(1).toLongLong();

    // The child skips the choice (QT_OPENGL is set), passes the check in software and runs.
    ASSERT_TRUE(bootLogHas("VideoWidget 使用 Mesa 软件渲染")) << qPrintable(bootLog());
    ASSERT_TRUE(bootLogHas("[MAIN] step 10:"));
    EXPECT_TRUE(processAlive(child));
    boot = bootLog();
    EXPECT_EQ(countOf(boot, "自动以软件渲染重启"), 1);
    EXPECT_TRUE(boot.contains("QT_OPENGL 已由外部指定=software"));

    ::kill(static_cast<pid_t>(child), SIGTERM);
    EXPECT_TRUE(waitUntil([&] { return !processAlive(child); }, 30000));
    EXPECT_TRUE(bootLog().contains("step 11: event loop exited, ret=0"));
}

TEST_F(StartupProgram, RestartedChildThatStillFailsKeepsRunningWithoutRestart)
{
    m_runner->environment().insert("QT_OPENGL", "desktop");
    m_runner->environment().insert("MESA_GL_VERSION_OVERRIDE", "2.1");
    m_runner->environment().insert("LD_GL_AUTORESTART", "1");
    startAndWaitForWindow();
    const QString boot = bootLog();
    EXPECT_TRUE(boot.contains("本次已是自动重启后的进程，仍不满足 → 不再重启（防死循环），继续运行"));
    EXPECT_FALSE(boot.contains("自动以软件渲染重启"));
    m_runner->sendSignal(SIGTERM);
    EXPECT_EQ(m_runner->waitForExit(30000).exitCode, 0);
}

TEST_F(StartupProgram, SoftwareRenderingWithoutGl33RunsWithoutPreview)
{
    m_runner->environment().insert("QT_OPENGL", "software");
    m_runner->environment().insert("MESA_GL_VERSION_OVERRIDE", "2.1");
    startAndWaitForWindow();
    EXPECT_TRUE(bootLog().contains("[MAIN] !!! 软件渲染下 GL 3.3 Core 仍不可用："));
    EXPECT_FALSE(QFile::exists(logDir() + "/gl_software.flag"));
    m_runner->sendSignal(SIGHUP);
    EXPECT_EQ(m_runner->waitForExit(30000).exitCode, 0);
}

TEST_F(StartupProgram, TestCrashWritesCrashLogFramesAndDumpThenDiesBySegv)
{
    m_runner->environment().insert("LD_TEST_CRASH", "1");
    const ProgramResult r = m_runner->run({}, 60000);
    ASSERT_FALSE(r.timedOut);
    ASSERT_TRUE(r.crashed);
    EXPECT_EQ(r.signal, SIGSEGV);

    const QString crashLog = readFile(logDir() + "/crash.log");
    EXPECT_TRUE(crashLog.contains(QRegularExpression(
        R"(^\[\d{4}-\d\d-\d\d \d\d:\d\d:\d\d\] CRASH code=0x0000000B addr=\S+ module=\S+ rva=0x[0-9A-F]+$)",
        QRegularExpression::MultilineOption)))
        << qPrintable(crashLog);

    const QString boot = bootLog();
    EXPECT_TRUE(boot.contains("LD_TEST_CRASH=1 → 主动触发一次访问越界"));
    EXPECT_TRUE(boot.contains("[BOOT] !!! 崩溃 code=0x0000000B"));
    EXPECT_TRUE(boot.contains("[BOOT] 出错位置："));
    EXPECT_TRUE(boot.contains(QRegularExpression(R"(\[BOOT\]   #00 )")));
    EXPECT_TRUE(boot.contains(QRegularExpression(R"(\[BOOT\]   #0\d LumadocApp +\+0x[0-9A-F]+  ≈ main\+)")))
        << qPrintable(boot);
    EXPECT_TRUE(boot.contains("[BOOT] 已生成崩溃转储: "));

    const QStringList dumps = QDir(logDir()).entryList({"crash_*.dmp"}, QDir::Files);
    ASSERT_EQ(dumps.size(), 1);
    QProcess reader;
    reader.start(QStringLiteral(LUMADOC_MINIDUMP_TOOLS) + "/minidump_dump", {logDir() + "/" + dumps.first()});
    ASSERT_TRUE(reader.waitForFinished(30000));
    EXPECT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().constData();
    EXPECT_TRUE(reader.readAllStandardOutput().contains("MDException"));
}

TEST_F(StartupProgram, NoMinidumpSwitchWritesNoDump)
{
    m_runner->environment().insert("LD_TEST_CRASH", "1");
    m_runner->environment().insert("LD_NO_MINIDUMP", "1");
    const ProgramResult r = m_runner->run({}, 60000);
    ASSERT_TRUE(r.crashed);
    EXPECT_EQ(r.signal, SIGSEGV);
    EXPECT_TRUE(readFile(logDir() + "/crash.log").contains("CRASH code=0x0000000B"));
    EXPECT_TRUE(QDir(logDir()).entryList({"crash_*.dmp"}, QDir::Files).isEmpty());
}
