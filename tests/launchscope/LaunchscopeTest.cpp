// Launchscope run as a program next to fake LumadocApp installations: a script with a chosen end, a small
// ELF program whose own library is missing, crashing or too old, logs placed where the application puts
// them, and a boot log written by the application's own writer.

#include "BootHeader.h"
#include "BootLog.h"
#include "SingleInstance.h"
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTextCodec>
#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>
#include <utime.h>

using namespace testsupport;

namespace {

struct DiagnosisRun
{
    ProgramResult result;
    QString stdOut;
    QString reportPath; // from the closing message; "" when it said the report could not be written
    QString report;
};

class LaunchscopeProgram : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_runner = std::make_unique<ProgramRunner>(m_dir, builtProgram("Launchscope"));
        for (const char* v : {"LAUNCHSCOPE_WAIT_SECONDS", "LAUNCHSCOPE_FAKEDEP_CRASH", "QT_PLUGIN_PATH"})
            m_runner->environment().remove(v);
    }

    QString appDir() const { return m_runner->programDir(); }
    QString stateLogs() const { return m_dir.stateHome() + "/Lumadoc/logs"; }
    QString tempDir() const { return m_dir.filePath("tmp"); }

    void writeFile(const QString& path, const QByteArray& bytes)
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate)) << qPrintable(path);
        f.write(bytes);
    }

    void writeScript(const QByteArray& body)
    {
        const QString path = appDir() + "/LumadocApp";
        writeFile(path, "#!/bin/sh\n" + body + "\n");
        QFile::setPermissions(path, QFile::permissions(path) | QFileDevice::ExeOwner);
    }

    // The small ELF program as LumadocApp, with its own library in the given release ("" for none).
    void installFakeProgram(const QString& libraryRelease)
    {
        const QString app = appDir() + "/LumadocApp";
        QFile::remove(app);
        ASSERT_TRUE(QFile::copy(LAUNCHSCOPE_FAKE_DIR "/launchscope_fakeapp", app));
        QFile::setPermissions(app, QFile::permissions(app) | QFileDevice::ExeOwner);
        if (!libraryRelease.isEmpty()) {
            ASSERT_TRUE(QFile::copy(
                QString(LAUNCHSCOPE_FAKE_DIR "/%1/libLaunchscopeFakeDep.so.1").arg(libraryRelease),
                appDir() + "/libLaunchscopeFakeDep.so.1"));
        }
    }

    DiagnosisRun runLaunchscope(int waitSeconds = 2)
    {
        if (waitSeconds > 0)
            m_runner->environment().insert("LAUNCHSCOPE_WAIT_SECONDS", QString::number(waitSeconds));
        else
            m_runner->environment().remove("LAUNCHSCOPE_WAIT_SECONDS");
        DiagnosisRun run;
        run.result = m_runner->run({"--no-prompt"}, 90000);
        run.stdOut = QString::fromUtf8(run.result.stdOut);
        const QStringList lines = run.stdOut.split('\n', Qt::SkipEmptyParts);
        const int at = lines.lastIndexOf("详细日志：");
        if (at >= 0 && at + 1 < lines.size() && lines[at + 1] != "(日志无法写入磁盘)") {
            run.reportPath = lines[at + 1];
            run.report = readFile(run.reportPath);
        }
        return run;
    }

    TempAppDir m_dir;
    std::unique_ptr<ProgramRunner> m_runner;
};

void expectCompleteRun(const DiagnosisRun& run)
{
    ASSERT_FALSE(run.result.timedOut);
    EXPECT_FALSE(run.result.crashed);
    EXPECT_EQ(run.result.exitCode, 0);
    EXPECT_TRUE(run.report.contains("LumadocApp 启动诊断报告")) << qPrintable(run.stdOut);
    EXPECT_TRUE(run.report.contains("诊断结论: ")) << qPrintable(run.report);
}

void setModified(const QString& path, qint64 secondsAgo)
{
    const time_t t = QDateTime::currentSecsSinceEpoch() - secondsAgo;
    const struct utimbuf times
    {
        t, t
    };
    ASSERT_EQ(::utime(QFile::encodeName(path).constData(), &times), 0) << qPrintable(path);
}

} // namespace

TEST_F(LaunchscopeProgram, ExplainsHowTheStartedProgramEnded)
{
    struct Case
    {
        const char* name;
        QByteArray script;
        int waitSeconds; // 0: the default
        QStringList reportHas;
        const char* launchResult;
    };
    const Case cases[] = {
        {"clean exit, default wait",
         "exit 0",
         0,
         {"，等待 20 秒…", "[启动] 进程已退出，退出码 = 0", "[启动] 说明: 正常退出"},
         "主程序启动后立即退出，退出码 0\n正常退出"},
        {"own exit code", "exit 3", 2, {"[启动] 说明: 正常退出或程序自退出"}, "退出码 3"},
        {"segmentation fault",
         "echo about to fail >&2\nkill -SEGV $$",
         2,
         {"[启动] 进程被信号 11 (SIGSEGV) 结束", "访问越界（崩溃，见 crash.log）", "  | about to fail"},
         "主程序启动后异常结束（SIGSEGV）"},
        {"abort", "kill -ABRT $$", 2, {"[启动] 进程被信号 6 (SIGABRT) 结束", "程序异常终止"}, "（SIGABRT）"},
        {"loader refused a library",
         "echo \"$0: error while loading shared libraries: libQt5Core.so.5: cannot open shared object file: "
         "No such file or directory\" >&2\nexit 127",
         2,
         {"[启动] 进程已退出，退出码 = 127", "动态链接器无法加载依赖库 —— 缺少共享库或库版本过旧（"},
         "libQt5Core.so.5: cannot open shared object file"},
        {"still running after the wait",
         "exec sleep 25",
         2,
         {"[启动] 进程仍在运行（超过 2 秒未退出）→ 启动成功，主程序界面应已出现"},
         "主程序启动成功（诊断期间保持运行）"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writeScript(c.script);
        const DiagnosisRun run = runLaunchscope(c.waitSeconds);
        expectCompleteRun(run);
        for (const QString& text : c.reportHas)
            EXPECT_TRUE(run.report.contains(text)) << qPrintable(text) << "\n" << qPrintable(run.report);
        EXPECT_TRUE(run.stdOut.contains(c.launchResult)) << qPrintable(run.stdOut);

        const QRegularExpressionMatch pid = QRegularExpression(R"(PID=(\d+))").match(run.report);
        ASSERT_TRUE(pid.hasMatch());
        const qint64 id = pid.captured(1).toLongLong();
        if (QString(c.name).startsWith("still running")) {
            // Left running for the user: it outlives the diagnosis.
            EXPECT_TRUE(processAlive(id));
            ::kill(static_cast<pid_t>(id), SIGKILL);
        } else {
            EXPECT_FALSE(processAlive(id));
        }
    }
}

TEST_F(LaunchscopeProgram, NamesTheBrokenLibraryOfAnInstallation)
{
    struct Case
    {
        const char* name;
        const char* release; // the program's own library: "current", "old" or "" (missing)
        bool crashOnLoad;
        const char* garbageLibrary; // a corrupt file of this name beside the program, or null
        QStringList reportHas;
        const char* conclusion;
    };
    const Case cases[] = {
        {"intact",
         "current",
         false,
         nullptr,
         {"[探测] libLaunchscopeFakeDep.so.1               成功 ← ", "[启动] 进程已退出，退出码 = 0"},
         "必需依赖模块全部加载成功。"},
        {"library missing",
         "",
         false,
         nullptr,
         {"[探测] libLaunchscopeFakeDep.so.1               失败 libLaunchscopeFakeDep.so.1: cannot open "
          "shared object file",
          "[启动] 进程已退出，退出码 = 127",
          "error while loading shared libraries: libLaunchscopeFakeDep.so.1"},
         "有 1 个必需的依赖模块无法加载，主程序必然启动失败。"},
        {"library crashes when loaded",
         "current",
         true,
         nullptr,
         {"[探测] libLaunchscopeFakeDep.so.1               失败 加载时崩溃（SIGSEGV）",
          "[启动] 进程被信号 11 (SIGSEGV) 结束"},
         "有 1 个必需的依赖模块无法加载"},
        {"library too old",
         "old",
         false,
         nullptr,
         {"[探测] libLaunchscopeFakeDep.so.1               版本过旧，缺少 LAUNCHSCOPE_FAKE_2",
          "version `LAUNCHSCOPE_FAKE_2' not found", "动态链接器无法加载依赖库"},
         "有 1 个必需的依赖模块无法加载"},
        {"own Qt copy corrupt",
         "current",
         false,
         "libQt5Core.so.5",
         {"[系统库] libQt5Core.so.5                          缺失  ← Qt 5 库未安装或过旧"},
         "系统缺少 C++ 运行库 / Qt 库（libstdc++=存在，Qt=缺失）。"},
        {"own C++ runtime corrupt",
         "current",
         false,
         "libstdc++.so.6",
         {"[系统库] libstdc++.so.6                           缺失  ← C++ 运行库未安装或过旧"},
         "系统缺少 C++ 运行库 / Qt 库（libstdc++=缺失，Qt=存在）。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (const char* stale : {"libLaunchscopeFakeDep.so.1", "libQt5Core.so.5", "libstdc++.so.6"})
            QFile::remove(appDir() + "/" + QString(stale));
        installFakeProgram(c.release);
        if (c.garbageLibrary)
            writeFile(appDir() + "/" + c.garbageLibrary, "not a library\n");
        if (c.crashOnLoad)
            m_runner->environment().insert("LAUNCHSCOPE_FAKEDEP_CRASH", "1");
        else
            m_runner->environment().remove("LAUNCHSCOPE_FAKEDEP_CRASH");
        const DiagnosisRun run = runLaunchscope();
        expectCompleteRun(run);
        for (const QString& text : c.reportHas)
            EXPECT_TRUE(run.report.contains(text)) << qPrintable(text) << "\n" << qPrintable(run.report);
        EXPECT_TRUE(run.report.contains(QString("诊断结论: ") + c.conclusion)) << qPrintable(run.report);
    }
}

TEST_F(LaunchscopeProgram, QuotesTheNewestBootLogAndCrashLogOfAllPlaces)
{
    writeScript("exit 0");
    const QString places[] = {appDir() + "/logs", stateLogs(), tempDir(), appDir()};
    struct Case
    {
        int newestBoot; // index into places (the program folder itself never holds a boot log)
        int newestCrash;
    };
    const Case cases[] = {{0, 3}, {1, 0}, {2, 1}, {1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.newestBoot * 10 + c.newestCrash);
        for (int p = 0; p < 4; ++p) {
            const qint64 bootAge = p == c.newestBoot ? 10 : 3600 * (p + 1);
            const qint64 crashAge = p == c.newestCrash ? 10 : 3600 * (p + 1);
            if (p < 3) {
                const QString boot = places[p] + "/boot_2026-12-0" + QString::number(p + 1) + ".log";
                writeFile(boot, QString("[10:00:00.000] [MAIN] step 3: boot marker %1\n").arg(p).toUtf8());
                setModified(boot, bootAge);
            }
            const QString crash = places[p] + "/crash.log";
            writeFile(
                crash,
                QString("[2026-12-01 10:00:00] CRASH code=0x0000000B crash marker %1\n").arg(p).toUtf8());
            setModified(crash, crashAge);
        }
        // A file of another program in the shared temp folder is no boot log, however new.
        writeFile(tempDir() + "/boot_notes.log", "stranger\n");

        const DiagnosisRun run = runLaunchscope();
        expectCompleteRun(run);
        const QString bootSource =
            places[c.newestBoot] + "/boot_2026-12-0" + QString::number(c.newestBoot + 1) + ".log";
        EXPECT_TRUE(run.report.contains("[日志] 来源: " + bootSource)) << qPrintable(run.report);
        EXPECT_TRUE(run.report.contains("[日志] 来源: " + places[c.newestCrash] + "/crash.log"))
            << qPrintable(run.report);
        for (int p = 0; p < 4; ++p) {
            EXPECT_EQ(run.report.contains(QString("boot marker %1").arg(p)), p == c.newestBoot) << p;
            EXPECT_EQ(run.report.contains(QString("crash marker %1").arg(p)), p == c.newestCrash) << p;
        }
        EXPECT_FALSE(run.report.contains("stranger"));
        EXPECT_TRUE(run.report.contains("[日志] 最近一次启动最后到达: [MAIN] step 3: boot marker"));
    }
}

TEST_F(LaunchscopeProgram, QuotesALargeBootLogFromItsTailWithoutSplittingACharacter)
{
    writeScript("exit 0");
    // Lines of three-byte characters, then a padding line grown until the 64 KiB window opens on the second
    // byte of a character.
    QByteArray body = "FIRST LINE OF THE FILE\n";
    for (int i = 0; body.size() < 90000; ++i)
        body += QString("[10:00:00.000] [MAIN] 启动步骤记录第 %1 行，引导日志中文内容\n")
                    .arg(i, 5, 10, QChar('0'))
                    .toUtf8();
    const QByteArray last = "[10:00:01.000] [MAIN] step 11: event loop exited, ret=0\n";
    QByteArray file;
    auto isContinuation = [&](int at) { return (static_cast<unsigned char>(file[at]) & 0xC0) == 0x80; };
    for (QByteArray pad = "[10:00:00.500] pad ";; pad += '.') {
        file = body + pad + "\n" + last;
        const int start = file.size() - 65536;
        if (isContinuation(start) && !isContinuation(start - 1))
            break;
    }
    ASSERT_GT(file.size(), 65536);
    writeFile(appDir() + "/logs/boot_2026-12-08.log", file);

    const DiagnosisRun run = runLaunchscope();
    expectCompleteRun(run);
    // The first quoted line is the rest of the line the window opens in, from its next whole character.
    int from = file.size() - 65536;
    while ((static_cast<unsigned char>(file[from]) & 0xC0) == 0x80)
        ++from;
    const QByteArray firstQuoted = file.mid(from, file.indexOf('\n', from) - from);
    EXPECT_TRUE(run.report.contains("  | " + QString::fromUtf8(firstQuoted) + "\n"))
        << firstQuoted.constData();
    EXPECT_TRUE(run.report.contains("  | [10:00:01.000] [MAIN] step 11: event loop exited, ret=0"));
    EXPECT_FALSE(run.report.contains("FIRST LINE"));
    // Whole characters only: the report is valid UTF-8 and carries no replacement character.
    QFile report(run.reportPath);
    ASSERT_TRUE(report.open(QIODevice::ReadOnly));
    const QByteArray bytes = report.readAll();
    QTextCodec::ConverterState state;
    QTextCodec::codecForName("UTF-8")->toUnicode(bytes.constData(), bytes.size(), &state);
    EXPECT_EQ(state.invalidChars, 0);
    EXPECT_FALSE(bytes.contains("\xEF\xBF\xBD"));
}

TEST_F(LaunchscopeProgram, ReadsTheBootLogTheApplicationWrote)
{
    writeScript("exit 0");
    // An own copy that is there but corrupt, a library that is nowhere, and one that loads.
    writeFile(appDir() + "/libLumadocBroken.so.1", "not a library\n");
    bootlog::resetForTesting();
    bootlog::open(appDir().toUtf8().constData());
    ASSERT_TRUE(QString(bootlog::filePath()).startsWith(appDir() + "/logs/boot_"));
    char name[] = "LumadocApp";
    char* argv[] = {name, nullptr};
    bootlog::writeHeader(1, argv, (appDir() + "/LumadocApp").toUtf8().constData());
    const int failures = bootlog::probeModules(
        appDir().toUtf8().constData(),
        {{"libLumadocBroken.so.1", true}, {"libLumadocNowhere.so.7", true}, {"libc.so.6", true}});
    bootlog::log("[MAIN] step 1: before QApplication\n");
    // The crash handler's first boot-log line opens with a line break, so it lands without a time prefix.
    bootlog::log("\n[BOOT] !!! 崩溃 code=0x0000000B addr=0x10 module=(unknown) rva=0x00000000\n");
    bootlog::resetForTesting();
    ASSERT_EQ(failures, 2);

    const DiagnosisRun run = runLaunchscope();
    expectCompleteRun(run);
    EXPECT_TRUE(run.report.contains("[BOOT] LumadocApp 启动引导日志"));
    // The corrupt own copy is reported with the loader's complaint about that file, not about a search.
    const QRegularExpression broken(
        R"(\[日志\] 主程序自己记录的必需模块失败: libLumadocBroken\.so\.1 +FAIL  err=\S*/libLumadocBroken\.so\.1: (invalid ELF header|file too short))");
    EXPECT_TRUE(run.report.contains(broken)) << qPrintable(run.report);
    EXPECT_TRUE(run.report.contains(QRegularExpression(
        R"(\[日志\] 主程序自己记录的必需模块失败: libLumadocNowhere\.so\.7 +FAIL  err=libLumadocNowhere\.so\.7: cannot open shared object file)")));
    EXPECT_FALSE(run.report.contains(QRegularExpression(R"(必需模块失败: libc\.so\.6)")));
    EXPECT_TRUE(run.report.contains("[日志] 最近一次启动最后到达: [MAIN] step 1: before QApplication"));
    EXPECT_TRUE(
        run.report.contains("[日志] 最近一次启动崩溃: 崩溃 code=0x0000000B addr=0x10 module=(unknown)"));
}

TEST_F(LaunchscopeProgram, ReportsARunningInstanceAndStillStartsTheProgram)
{
    writeScript("exit 0");
    for (const bool running : {true, false}) {
        SCOPED_TRACE(running);
        // The lock exactly as the application takes it, in the session's runtime folder.
        startup::SingleInstance instance(
            (m_dir.runtimeDir() + "/LumadocApp_SingleInstance_Mutex").toStdString());
        if (running) {
            ASSERT_TRUE(instance.acquire());
        }
        const DiagnosisRun run = runLaunchscope();
        expectCompleteRun(run);
        EXPECT_EQ(run.report.contains("[启动] !! 检测到主程序正在运行，请先关闭它再重新诊断"), running);
        EXPECT_TRUE(run.report.contains("[启动] 已拉起 LumadocApp，PID="));
        EXPECT_EQ(run.report.contains("[启动] 说明: 已有实例在运行"), running);
        EXPECT_EQ(run.report.contains("[启动] 说明: 正常退出"), !running);
    }
}

TEST_F(LaunchscopeProgram, FallsBackToTheNextReportFolder)
{
    writeScript("exit 0");
    struct Case
    {
        const char* name;
        QStringList blocked; // paths made regular files where a folder would be needed
        bool tempMissing;
        bool buildTree;            // an installed copy never writes beside itself
        QString expectedFolder;    // "" when no report file can be written
        bool plantedLinks = false; // symlinks under the coming report names in the temp folder
    };
    const QStringList noFolders = {appDir() + "/logs", m_dir.stateHome() + "/Lumadoc"};
    const Case cases[] = {
        {"installed copy", {}, false, false, stateLogs()},
        {"program logs", {}, false, true, appDir() + "/logs"},
        {"state folder", {appDir() + "/logs"}, false, true, stateLogs()},
        {"temp folder", noFolders, false, true, tempDir()},
        {"nowhere", noFolders, true, true, QString()},
        {"temp folder with planted links", noFolders, false, true, QString(), true},
    };
    const QString victim = m_dir.filePath("victim.txt");
    writeFile(victim, "precious\n");
    const QString marker = appDir() + "/lumadoc-build-tree";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.buildTree)
            writeFile(marker, "test copy\n");
        else
            QFile::remove(marker);
        for (const QString& path : c.blocked) {
            QDir(path).removeRecursively(); // an earlier row's report folder
            writeFile(path, "a file where a folder should be\n");
        }
        m_runner->environment().insert("TMPDIR",
                                       c.tempMissing ? m_dir.filePath("no-such-folder") : tempDir());
        if (c.plantedLinks) {
            const QDateTime now = QDateTime::currentDateTime();
            for (int s = 0; s < 60; ++s) {
                const QString name = now.addSecs(s).toString("'Launchscope_'yyyyMMdd_hhmmss'.txt'");
                QFile::remove(tempDir() + "/" + name);
                ASSERT_TRUE(QFile::link(victim, tempDir() + "/" + name));
            }
        }
        const DiagnosisRun run = runLaunchscope();
        EXPECT_EQ(readFile(victim), "precious\n");
        ASSERT_FALSE(run.result.timedOut);
        EXPECT_EQ(run.result.exitCode, 0);
        if (c.expectedFolder.isEmpty()) {
            EXPECT_TRUE(run.reportPath.isEmpty());
            EXPECT_TRUE(run.stdOut.contains("详细日志：\n(日志无法写入磁盘)"));
            // The findings are not lost: the report goes to standard output instead.
            EXPECT_TRUE(run.stdOut.contains("日志文件: (无法写入磁盘)"));
            EXPECT_TRUE(run.stdOut.contains("诊断结论: "));
        } else {
            EXPECT_EQ(QFileInfo(run.reportPath).path(), c.expectedFolder);
            EXPECT_TRUE(QFileInfo(run.reportPath)
                            .fileName()
                            .contains(QRegularExpression(R"(^Launchscope_\d{8}_\d{6}\.txt$)")));
            expectCompleteRun(run);
            EXPECT_TRUE(run.report.contains("日志文件: " + run.reportPath));
        }
    }
}

TEST_F(LaunchscopeProgram, NeedsNothingButTheCLibrary)
{
    QProcess ldd;
    ldd.start("ldd", {builtProgram("Launchscope")});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    const QString out = QString::fromUtf8(ldd.readAllStandardOutput());
    const QStringList lines = out.split('\n', Qt::SkipEmptyParts);
    ASSERT_FALSE(lines.isEmpty());
    const QRegularExpression allowed(
        R"(^\s*(linux-vdso\.so\.1|libc\.so\.6|libdl\.so\.2|libpthread\.so\.0|/lib6?4?/ld-linux[-\w.]*\.so\.\d))");
    for (const QString& line : lines)
        EXPECT_TRUE(line.contains(allowed)) << qPrintable(line);
    EXPECT_FALSE(out.contains("Qt"));
    EXPECT_FALSE(out.contains("libstdc++"));
    EXPECT_FALSE(out.contains("libgcc_s"));
}
