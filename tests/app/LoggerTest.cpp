#include "Logger.h"
#include "TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <fcntl.h>
#include <thread>
#include <unistd.h>
#include <vector>

using testsupport::FixedClock;
using testsupport::TempAppDir;

namespace {

// Sends this process's standard error into a file for as long as it lives, so that lines the logger
// falls back to can be read back.
class StderrCapture
{
public:
    explicit StderrCapture(const QString& path) : m_path(path)
    {
        std::fflush(stderr);
        m_saved = ::dup(STDERR_FILENO);
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(fd, STDERR_FILENO);
        ::close(fd);
    }
    ~StderrCapture() { finish(); }

    QString finish()
    {
        if (m_saved >= 0) {
            std::fflush(stderr);
            ::dup2(m_saved, STDERR_FILENO);
            ::close(m_saved);
            m_saved = -1;
        }
        return testsupport::readFile(m_path);
    }

private:
    QString m_path;
    int m_saved = -1;
};

// Sets the application's name and version for one test and puts the old ones back.
class AppIdentity
{
public:
    AppIdentity(const QString& name, const QString& version)
        : m_name(QCoreApplication::applicationName()), m_version(QCoreApplication::applicationVersion())
    {
        QCoreApplication::setApplicationName(name);
        QCoreApplication::setApplicationVersion(version);
    }
    ~AppIdentity()
    {
        QCoreApplication::setApplicationName(m_name);
        QCoreApplication::setApplicationVersion(m_version);
    }

private:
    QString m_name;
    QString m_version;
};

// Stands in for whatever handler Qt had before the logger, and records what reaches it.
class PreviousHandler
{
public:
    PreviousHandler() { m_before = qInstallMessageHandler(&PreviousHandler::record); }
    ~PreviousHandler() { qInstallMessageHandler(m_before); }
    static QStringList& received()
    {
        static QStringList messages;
        return messages;
    }

private:
    static void record(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        received().append(message);
    }
    QtMessageHandler m_before;
};

// True when `text` holds a message line of this level and text. Builds with Qt's message context add
// a source part for messages logged from this file, so it is allowed for but not required.
bool hasMessage(const QString& text, const QString& level, const QString& message)
{
    const QRegularExpression line("\\[" + QRegularExpression::escape(level) +
                                  "\\](?: \\[LoggerTest\\.cpp:\\d+\\])? " +
                                  QRegularExpression::escape(message) + "\n");
    return line.match(text).hasMatch();
}

QStringList readLines(const QString& path)
{
    QString text = testsupport::readFile(path);
    if (text.endsWith(QLatin1Char('\n')))
        text.chop(1);
    return text.split(QLatin1Char('\n'));
}

bool touch(const QString& path, const QByteArray& content = "x")
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(content) == content.size();
}

class LoggerTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_tmp.isValid());
        m_tmp.applyToCurrentProcess();
        m_logDir = m_tmp.filePath("logs");
        m_appDir = m_tmp.filePath("app");
        QDir().mkpath(m_appDir);
        QFile marker(m_appDir + "/lumadoc-build-tree");
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    }

    std::unique_ptr<Logger> makeLogger()
    {
        auto logger = std::make_unique<Logger>();
        logger->setClock([this] { return m_clock.now(); });
        logger->setApplicationDir(m_appDir);
        return logger;
    }

    QString logPath(const QDate& day) const
    {
        return m_logDir + "/" + Logger::logFileName(QCoreApplication::applicationName(), day);
    }

    TempAppDir m_tmp;
    FixedClock m_clock{QDateTime(QDate(2024, 3, 10), QTime(9, 15, 0))};
    QString m_logDir;
    QString m_appDir;
};

// ---- File naming -------------------------------------------------------------------------------------

TEST(LoggerNaming, BlanksBecomeUnderscoresAndEmptyNameBecomesApp)
{
    const QDate day(2024, 3, 10);
    EXPECT_EQ(Logger::logFileName("My App", day), "My_App_2024-03-10.log");
    EXPECT_EQ(Logger::logFileName("A  B C", day), "A__B_C_2024-03-10.log");
    EXPECT_EQ(Logger::logFileName("", day), "App_2024-03-10.log");
    EXPECT_EQ(Logger::logFileName("LumadocApp", QDate(2025, 1, 2)), "LumadocApp_2025-01-02.log");
}

TEST_F(LoggerTest, InstallWritesStartBannerIntoTodaysFileNamedAfterTheApplication)
{
    AppIdentity identity("My App", "1.2.3");
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));

    const QString expected = m_logDir + "/My_App_2024-03-10.log";
    EXPECT_EQ(logger->logFilePath(), expected);
    const QStringList lines = readLines(expected);
    ASSERT_GE(lines.size(), 6);
    EXPECT_EQ(lines[0], "");
    EXPECT_EQ(lines[1], "========== Application Started: 2024-03-10 09:15:00 ==========");
    EXPECT_EQ(lines[2], QString("  OS: %1 | Kernel:%2 | Arch:%3 | Qt:%4")
                            .arg(QSysInfo::prettyProductName(), QSysInfo::kernelVersion(),
                                 QSysInfo::currentCpuArchitecture(), QString(qVersion())));
    EXPECT_EQ(lines[3], QString("  App: My App v1.2.3 | PID:%1").arg(QCoreApplication::applicationPid()));
    EXPECT_EQ(lines[4], "  LogDir: " + m_logDir);
    EXPECT_EQ(lines[5], "  ExeDir: " + m_appDir);
}

TEST_F(LoggerTest, SecondInstallKeepsTheFirstFile)
{
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));
    const QString first = logger->logFilePath();
    EXPECT_TRUE(logger->install(m_tmp.filePath("other")));
    EXPECT_EQ(logger->logFilePath(), first);
    EXPECT_EQ(testsupport::readFile(first).count("Application Started"), 1);
    EXPECT_FALSE(QFileInfo::exists(m_tmp.filePath("other")));
}

TEST_F(LoggerTest, FailedOpenAtInstallReportsOnStandardErrorAndLeavesQtOutputAlone)
{
    // A regular file where the folder should be: neither the folder nor the log can be made.
    const QString blocked = m_tmp.filePath("blocked");
    ASSERT_TRUE(touch(blocked));
    PreviousHandler previous;
    PreviousHandler::received().clear();
    auto logger = makeLogger();

    StderrCapture capture(m_tmp.filePath("stderr.txt"));
    EXPECT_FALSE(logger->install(blocked));
    const QString err = capture.finish();
    qWarning("still on the old output");

    EXPECT_TRUE(err.contains("[Logger] Failed to open log file: " + blocked + "/")) << err.toStdString();
    EXPECT_EQ(PreviousHandler::received(), QStringList{"still on the old output"});
    EXPECT_TRUE(logger->logFilePath().isEmpty());
}

// ---- Directory choice --------------------------------------------------------------------------------

TEST_F(LoggerTest, ExplicitDirectoryWinsThenTheApplicationLogsFolder)
{
    auto explicitLogger = makeLogger();
    ASSERT_TRUE(explicitLogger->install(m_tmp.filePath("a/b/c")));
    EXPECT_EQ(QFileInfo(explicitLogger->logFilePath()).absolutePath(), m_tmp.filePath("a/b/c"));
    EXPECT_FALSE(QFileInfo::exists(m_appDir + "/logs"));
    explicitLogger->shutdown();

    auto logger = makeLogger();
    ASSERT_TRUE(logger->install());
    EXPECT_EQ(QFileInfo(logger->logFilePath()).absolutePath(), m_appDir + "/logs");
    // The write test leaves nothing behind but the log itself.
    EXPECT_EQ(QDir(m_appDir + "/logs").entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(LoggerTest, UnusableApplicationFolderFallsBackToStateThenHomeThenTemp)
{
    ASSERT_TRUE(touch(m_appDir + "/logs")); // a file in the way of the "logs" folder
    const QString tempLogs = QDir::cleanPath(m_tmp.filePath("tmp") + "/Lumadoc/logs");

    EXPECT_EQ(Logger::chooseLogDirectory("", m_appDir), m_tmp.stateHome() + "/Lumadoc/logs");
    EXPECT_TRUE(QFileInfo(m_tmp.stateHome() + "/Lumadoc/logs").isDir());

    qunsetenv("XDG_STATE_HOME");
    EXPECT_EQ(Logger::chooseLogDirectory("", m_appDir), m_tmp.home() + "/.local/state/Lumadoc/logs");

    ASSERT_TRUE(QDir(m_tmp.home() + "/.local").removeRecursively());
    ASSERT_TRUE(touch(m_tmp.home() + "/.local")); // the state folder cannot be made under a file
    EXPECT_EQ(Logger::chooseLogDirectory("", m_appDir), tempLogs);

    // A relative XDG path is invalid and an empty HOME names nothing.
    qputenv("XDG_STATE_HOME", "relative/state");
    qputenv("HOME", "");
    EXPECT_EQ(Logger::chooseLogDirectory("", m_appDir), tempLogs);
}

TEST_F(LoggerTest, WriteTestIgnoresAndKeepsLeftoversOfAnEarlierProcessWithOurPid)
{
    const QString probeName = QString("/.wtest_%1.tmp").arg(QCoreApplication::applicationPid());
    // A leftover that cannot be opened for writing must not make the folder look read-only.
    const QString logs = m_appDir + "/logs";
    ASSERT_TRUE(QDir().mkpath(logs + probeName));
    EXPECT_EQ(Logger::chooseLogDirectory("", m_appDir), logs);
    EXPECT_TRUE(QFileInfo(logs + probeName).isDir());

    // A leftover file is not ours to overwrite or delete.
    const QString other = m_tmp.filePath("other");
    ASSERT_TRUE(QDir().mkpath(other));
    ASSERT_TRUE(touch(other + probeName, "earlier run"));
    EXPECT_TRUE(Logger::canWriteTo(other));
    EXPECT_EQ(testsupport::readFile(other + probeName), "earlier run");
    EXPECT_EQ(QDir(other).entryList(QDir::Files | QDir::Hidden).size(), 1);

    EXPECT_FALSE(Logger::canWriteTo(m_tmp.filePath("does/not/exist")));
}

// ---- Line format -------------------------------------------------------------------------------------

TEST_F(LoggerTest, LinesCarryTimestampLevelWordAndSourcePart)
{
    m_clock.set(QDateTime(QDate(2024, 3, 10), QTime(12, 34, 56, 789)));
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));

    const QMessageLogContext withSource("/home/dev/lumadoc/camera/Thing.cpp", 42, "f", "default");
    const QMessageLogContext windowsPath("C:\\src\\lumadoc\\Win.cpp", 7, "f", "default");
    const QMessageLogContext noSource;
    const QMessageLogContext emptySource("", 3, "f", "default");
    logger->handleMessage(QtDebugMsg, withSource, "d");
    logger->handleMessage(QtInfoMsg, withSource, "i");
    logger->handleMessage(QtWarningMsg, withSource, "w");
    logger->handleMessage(QtCriticalMsg, withSource, "c");
    logger->handleMessage(static_cast<QtMsgType>(99), withSource, "other");
    logger->handleMessage(QtWarningMsg, windowsPath, "backslashes");
    logger->handleMessage(QtInfoMsg, noSource, "[Cap] 没有来源");
    logger->handleMessage(QtInfoMsg, emptySource, "empty source");
    // Through Qt's own logging functions, which the installed handler forwards here.
    QMessageLogger("src/preview/Via.cpp", 9, "g").warning("via qt");

    const QStringList lines = readLines(logger->logFilePath()).mid(6);
    const QString ts = "2024-03-10 12:34:56.789";
    const QStringList expected = {
        ts + " [DEBUG] [Thing.cpp:42] d",     ts + " [INFO ] [Thing.cpp:42] i",
        ts + " [WARN ] [Thing.cpp:42] w",     ts + " [ERROR] [Thing.cpp:42] c",
        ts + " [DEBUG] [Thing.cpp:42] other", ts + " [WARN ] [Win.cpp:7] backslashes",
        ts + " [INFO ] [Cap] 没有来源",       ts + " [INFO ] empty source",
        ts + " [WARN ] [Via.cpp:9] via qt",
    };
    EXPECT_EQ(lines, expected);
}

TEST_F(LoggerTest, FatalMessageIsInTheFileBeforeTheProcessEnds)
{
    auto logger = makeLogger();
    EXPECT_DEATH(
        {
            logger->install(m_logDir);
            qFatal("fatal and final");
        },
        "");
    EXPECT_TRUE(hasMessage(testsupport::readFile(logPath(m_clock.now().date())), "FATAL", "fatal and final"));
}

// ---- Rotation, purge, shutdown -----------------------------------------------------------------------

TEST_F(LoggerTest, FirstMessageAfterMidnightOpensTheNewDaysFileWithRotationBanner)
{
    QDir().mkpath(m_logDir);
    // Exactly seven days before the first day: kept at install, gone once the day turns.
    const QString weekOld = m_logDir + "/Old_2024-03-03.log";
    ASSERT_TRUE(touch(weekOld));

    m_clock.set(QDateTime(QDate(2024, 3, 10), QTime(23, 59, 59, 500)));
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));
    EXPECT_TRUE(QFileInfo::exists(weekOld));
    qInfo("before midnight");

    m_clock.set(QDateTime(QDate(2024, 3, 11), QTime(0, 0, 0, 200)));
    qInfo("after midnight");

    const QString yesterday = logPath(QDate(2024, 3, 10));
    const QString today = logPath(QDate(2024, 3, 11));
    EXPECT_EQ(logger->logFilePath(), today);

    const QString old = testsupport::readFile(yesterday);
    EXPECT_TRUE(old.contains("before midnight"));
    EXPECT_FALSE(old.contains("after midnight"));
    EXPECT_FALSE(old.contains("Application Stopped"));
    EXPECT_FALSE(old.contains("Log Rotated"));

    const QStringList lines = readLines(today);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "========== Log Rotated: 2024-03-11 00:00:00 ==========");
    EXPECT_TRUE(lines[1].startsWith("2024-03-11 00:00:00.200 [INFO ]"));
    EXPECT_TRUE(hasMessage(lines[1] + "\n", "INFO ", "after midnight"));

    EXPECT_FALSE(QFileInfo::exists(weekOld));
}

TEST_F(LoggerTest, FailedOpenOfTheNextDaysFileFallsBackToStandardErrorAndIsRetried)
{
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));
    // Something in the way of tomorrow's file.
    const QString tomorrow = logPath(QDate(2024, 3, 11));
    ASSERT_TRUE(QDir().mkpath(tomorrow));

    m_clock.set(QDateTime(QDate(2024, 3, 11), QTime(0, 0, 1)));
    StderrCapture capture(m_tmp.filePath("stderr.txt"));
    qWarning("while the file is blocked");
    qWarning("still blocked");
    EXPECT_TRUE(logger->logFilePath().isEmpty());
    const QString err = capture.finish();
    EXPECT_TRUE(hasMessage(err, "WARN ", "while the file is blocked")) << err.toStdString();
    EXPECT_TRUE(hasMessage(err, "WARN ", "still blocked")) << err.toStdString();
    // One report of the failure, not one per message.
    EXPECT_EQ(err.count("[Logger] Failed to open log file"), 1) << err.toStdString();

    ASSERT_TRUE(QDir(tomorrow).removeRecursively());
    qWarning("back in the file");
    EXPECT_EQ(logger->logFilePath(), tomorrow);
    const QString text = testsupport::readFile(tomorrow);
    EXPECT_TRUE(text.startsWith("========== Log Rotated: 2024-03-11 00:00:01 =========="));
    EXPECT_TRUE(text.contains("back in the file"));
    EXPECT_FALSE(text.contains("still blocked"));
}

TEST(LoggerPurge, DeletesOnlyDatedLogsOlderThanAWeek)
{
    TempAppDir tmp;
    ASSERT_TRUE(tmp.isValid());
    const QString dir = tmp.filePath("logs");
    QDir().mkpath(dir);
    const QStringList removed = {"App_2024-03-12.log", "boot_2024-03-01.log", "Lumadoc_App_2023-12-31.log"};
    const QStringList kept = {"App_2024-03-13.log", "boot_2024-03-13.log",  "App_2024-03-20.log",
                              "notes.log",          "x_2024-13-45.log",     "crash.log",
                              "App_2024-01-01.txt", "future_2024-04-01.log"};
    for (const QString& name : removed + kept)
        ASSERT_TRUE(touch(dir + "/" + name));
    Logger::purgeOldLogs(dir, QDate(2024, 3, 20));

    for (const QString& name : removed)
        EXPECT_FALSE(QFileInfo::exists(dir + "/" + name)) << name.toStdString();
    for (const QString& name : kept)
        EXPECT_TRUE(QFileInfo::exists(dir + "/" + name)) << name.toStdString();
}

TEST_F(LoggerTest, ShutdownWritesStopBannerAndReturnsMessagesToThePreviousHandler)
{
    PreviousHandler previous;
    PreviousHandler::received().clear();
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));
    const QString path = logger->logFilePath();
    qInfo("last words");
    m_clock.set(QDateTime(QDate(2024, 3, 10), QTime(18, 0, 5)));
    logger->shutdown();
    EXPECT_TRUE(logger->logFilePath().isEmpty());

    qWarning("after shutdown");
    EXPECT_EQ(PreviousHandler::received(), QStringList{"after shutdown"});

    const QStringList lines = readLines(path);
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines[lines.size() - 2].endsWith(" last words"));
    EXPECT_EQ(lines.last(), "========== Application Stopped: 2024-03-10 18:00:05 ==========");
    EXPECT_FALSE(testsupport::readFile(path).contains("after shutdown"));

    logger->shutdown(); // a second call changes nothing
    EXPECT_EQ(readLines(path), lines);
}

// ---- Threads and re-entry ----------------------------------------------------------------------------

TEST_F(LoggerTest, EightThreadsLoggingAtOnceWriteOnlyWholeLinesAndLoseNone)
{
    auto logger = makeLogger();
    ASSERT_TRUE(logger->install(m_logDir));

    constexpr int kThreads = 8;
    constexpr int kPerThread = 400;
    const QByteArray payload(120, 'p');
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([t, &payload] {
            for (int i = 0; i < kPerThread; ++i)
                qInfo("T%d #%d %s", t, i, payload.constData());
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    logger->shutdown();

    const QRegularExpression whole(
        "^2024-03-10 09:15:00\\.000 \\[INFO \\](?: \\[LoggerTest\\.cpp:\\d+\\])? T(\\d) #(\\d+) p{120}$");
    QSet<QString> seen;
    int messageLines = 0;
    for (const QString& line : readLines(logPath(m_clock.now().date()))) {
        if (!line.contains("[INFO ]") && !line.contains(" #"))
            continue;
        ++messageLines;
        const QRegularExpressionMatch m = whole.match(line);
        ASSERT_TRUE(m.hasMatch()) << "torn line: " << line.toStdString();
        seen.insert(m.captured(1) + "/" + m.captured(2));
    }
    EXPECT_EQ(messageLines, kThreads * kPerThread);
    EXPECT_EQ(seen.size(), kThreads * kPerThread);
}

TEST_F(LoggerTest, MessageRaisedInsideTheLoggerGoesToStandardErrorInsteadOfHanging)
{
    // A clock that logs stands for anything that raises a Qt message while the logger holds its lock.
    // Qt's own dispatch guards against a handler re-entering itself, but a direct caller of
    // handleMessage is not behind that guard.
    std::atomic<bool> armed{false};
    auto logger = std::make_unique<Logger>();
    logger->setClock([this, &armed] {
        if (armed.exchange(false))
            qWarning("raised inside the logger");
        return m_clock.now();
    });
    ASSERT_TRUE(logger->install(m_logDir));

    StderrCapture capture(m_tmp.filePath("stderr.txt"));
    armed = true;
    logger->handleMessage(QtCriticalMsg, QMessageLogContext(), "outer message");
    const QString err = capture.finish();

    EXPECT_TRUE(hasMessage(err, "WARN ", "raised inside the logger")) << err.toStdString();
    const QString text = testsupport::readFile(logger->logFilePath());
    EXPECT_TRUE(text.contains("[ERROR] outer message"));
    EXPECT_FALSE(text.contains("raised inside the logger"));

    // The flag is per call, not sticky: the next message from this thread reaches the file again.
    qWarning("afterwards");
    EXPECT_TRUE(hasMessage(testsupport::readFile(logger->logFilePath()), "WARN ", "afterwards"));
}

} // namespace
