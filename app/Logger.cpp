#include "Logger.h"

#include "BootDirectory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const kDateFormat = "yyyy-MM-dd";
const char* const kBannerTimeFormat = "yyyy-MM-dd hh:mm:ss";
const char* const kLineTimeFormat = "yyyy-MM-dd hh:mm:ss.zzz";

// The logger that Qt's handler forwards to; null while none is installed.
std::atomic<Logger*> s_routedLogger{nullptr};

// Set while this thread holds a logger's lock. Anything that logs from inside the logger (a Qt warning
// raised by the file or stream, a clock that logs) would otherwise try to take the same lock again and
// hang the thread for good.
thread_local bool t_insideLogger = false;

class InsideLoggerScope
{
public:
    InsideLoggerScope() : m_wasInside(t_insideLogger) { t_insideLogger = true; }
    ~InsideLoggerScope() { t_insideLogger = m_wasInside; }
    InsideLoggerScope(const InsideLoggerScope&) = delete;
    InsideLoggerScope& operator=(const InsideLoggerScope&) = delete;

private:
    bool m_wasInside;
};

void writeToStandardError(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    std::fwrite(utf8.constData(), 1, static_cast<size_t>(utf8.size()), stderr);
    std::fflush(stderr);
}

QString sourceFileName(const char* file)
{
    QString name = QString::fromUtf8(file);
    const int slash = std::max(name.lastIndexOf(QLatin1Char('/')), name.lastIndexOf(QLatin1Char('\\')));
    return slash >= 0 ? name.mid(slash + 1) : name;
}

} // namespace

Logger::Logger() : m_clock([] { return QDateTime::currentDateTime(); }) {}

Logger::~Logger()
{
    shutdown();
}

Logger& Logger::instance()
{
    static Logger* const logger = new Logger();
    return *logger;
}

void Logger::setClock(Clock clock)
{
    InsideLoggerScope inside;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_clock = clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); });
}

void Logger::setApplicationDir(const QString& dir)
{
    InsideLoggerScope inside;
    std::lock_guard<std::mutex> lock(m_mutex);
    m_appDir = dir;
}

QString Logger::applicationDir() const
{
    return m_appDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_appDir;
}

bool Logger::install(const QString& dir)
{
    InsideLoggerScope inside;
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_active)
        return true;

    m_logDir = chooseLogDirectory(dir, applicationDir());
    QDir().mkpath(m_logDir);
    m_appName = QCoreApplication::applicationName();

    const QDateTime now = m_clock();
    m_currentDate = now.date().toString(kDateFormat);
    if (!openFileLocked(now.date())) {
        m_currentDate.clear();
        return false;
    }
    writeStartBannerLocked(now);
    m_active = true;

    QtMessageHandler previous = qInstallMessageHandler(&Logger::qtMessageHandler);
    // Another logger may be routed already; it will find itself no longer routed at its shutdown, and
    // giving Qt back our own handler then would leave messages with nowhere to go.
    m_previousHandler = previous == &Logger::qtMessageHandler ? nullptr : previous;
    s_routedLogger.store(this);

    purgeOldLogs(m_logDir, now.date());
    return true;
}

QString Logger::logFilePath() const
{
    InsideLoggerScope inside;
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_file && m_file->isOpen() ? m_file->fileName() : QString();
}

void Logger::shutdown()
{
    InsideLoggerScope inside;
    std::lock_guard<std::mutex> lock(m_mutex);
    Logger* self = this;
    if (s_routedLogger.compare_exchange_strong(self, nullptr))
        qInstallMessageHandler(m_previousHandler);
    m_previousHandler = nullptr;
    if (!m_active)
        return;
    m_active = false;
    if (m_file && m_file->isOpen())
        writeLineLocked(QStringLiteral("========== Application Stopped: ") +
                        m_clock().toString(kBannerTimeFormat) + QStringLiteral(" ==========\n"));
    closeFileLocked();
}

void Logger::qtMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (Logger* logger = s_routedLogger.load()) {
        logger->handleMessage(type, context, message);
        return;
    }
    // Only reachable in the moment between a shutdown and Qt seeing the restored handler.
    writeToStandardError(qFormatLogMessage(type, context, message) + QLatin1Char('\n'));
    if (type == QtFatalMsg)
        std::abort();
}

void Logger::handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (t_insideLogger) {
        // The injected clock may be the very thing that logged, so it is not asked again here.
        writeToStandardError(formatLine(QDateTime::currentDateTime(), type, context, message));
        if (type == QtFatalMsg)
            std::abort();
        return;
    }

    InsideLoggerScope inside;
    std::lock_guard<std::mutex> lock(m_mutex);
    const QDateTime now = m_clock();
    const QString line = formatLine(now, type, context, message);
    if (!m_active) {
        writeToStandardError(line);
        if (type == QtFatalMsg)
            std::abort();
        return;
    }

    const QString today = now.date().toString(kDateFormat);
    const bool newDay = today != m_currentDate;
    if (newDay) {
        closeFileLocked();
        m_currentDate = today;
    }
    // A day whose file could not be opened is retried at every message, so one bad moment (a full disk,
    // a folder briefly unavailable) does not end file logging for the rest of the run.
    if (!m_file && openFileLocked(now.date()))
        writeLineLocked(QStringLiteral("========== Log Rotated: ") + now.toString(kBannerTimeFormat) +
                        QStringLiteral(" ==========\n"));
    if (newDay)
        purgeOldLogs(m_logDir, now.date());

    if (m_file)
        writeLineLocked(line);
    else
        writeToStandardError(line);

    if (type == QtFatalMsg) {
        if (m_file)
            m_file->flush();
        std::abort();
    }
}

QString Logger::formatLine(const QDateTime& now, QtMsgType type, const QMessageLogContext& context,
                           const QString& message) const
{
    QString line = now.toString(kLineTimeFormat) + QStringLiteral(" [") + levelWord(type) + QLatin1Char(']');
    if (context.file && *context.file)
        line += QStringLiteral(" [%1:%2]").arg(sourceFileName(context.file)).arg(context.line);
    line += QLatin1Char(' ') + message + QLatin1Char('\n');
    return line;
}

QString Logger::levelWord(QtMsgType type)
{
    switch (type) {
    case QtDebugMsg:
        return QStringLiteral("DEBUG");
    case QtInfoMsg:
        return QStringLiteral("INFO ");
    case QtWarningMsg:
        return QStringLiteral("WARN ");
    case QtCriticalMsg:
        return QStringLiteral("ERROR");
    case QtFatalMsg:
        return QStringLiteral("FATAL");
    }
    return QStringLiteral("DEBUG");
}

bool Logger::openFileLocked(const QDate& day)
{
    auto file = std::make_unique<QFile>(m_logDir + QLatin1Char('/') + logFileName(m_appName, day));
    if (!file->open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        // Said once per failed stretch; a retry at every message must not flood standard error.
        if (!m_reportedOpenFailure)
            std::fprintf(stderr, "[Logger] Failed to open log file: %s\n",
                         file->fileName().toLocal8Bit().constData());
        std::fflush(stderr);
        m_reportedOpenFailure = true;
        return false;
    }
    m_reportedOpenFailure = false;
    m_file = std::move(file);
    m_stream = std::make_unique<QTextStream>(m_file.get());
    m_stream->setCodec("UTF-8");
    return true;
}

void Logger::closeFileLocked()
{
    if (m_stream)
        m_stream->flush();
    m_stream.reset();
    if (m_file)
        m_file->close();
    m_file.reset();
}

void Logger::writeLineLocked(const QString& text)
{
    *m_stream << text;
    m_stream->flush();
}

void Logger::writeStartBannerLocked(const QDateTime& now)
{
    writeLineLocked(QStringLiteral("\n========== Application Started: ") + now.toString(kBannerTimeFormat) +
                    QStringLiteral(" ==========\n"));
    writeLineLocked(QStringLiteral("  OS: ") + QSysInfo::prettyProductName() + QStringLiteral(" | Kernel:") +
                    QSysInfo::kernelVersion() + QStringLiteral(" | Arch:") +
                    QSysInfo::currentCpuArchitecture() + QStringLiteral(" | Qt:") +
                    QString::fromLatin1(qVersion()) + QLatin1Char('\n'));
    writeLineLocked(QStringLiteral("  App: ") + m_appName + QStringLiteral(" v") +
                    QCoreApplication::applicationVersion() + QStringLiteral(" | PID:") +
                    QString::number(QCoreApplication::applicationPid()) + QLatin1Char('\n'));
    writeLineLocked(QStringLiteral("  LogDir: ") + m_logDir + QLatin1Char('\n'));
    writeLineLocked(QStringLiteral("  ExeDir: ") + applicationDir() + QLatin1Char('\n'));
}

QString Logger::logFileName(const QString& appName, const QDate& day)
{
    QString name = appName;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    if (name.isEmpty())
        name = QStringLiteral("App");
    return name + QLatin1Char('_') + day.toString(kDateFormat) + QStringLiteral(".log");
}

void Logger::purgeOldLogs(const QString& dir, const QDate& today)
{
    if (dir.isEmpty() || !today.isValid())
        return;
    const QDate oldestKept = today.addDays(-kKeepDays);
    const QFileInfoList entries =
        QDir(dir).entryInfoList({QStringLiteral("*.log")}, QDir::Files | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        // The crash record is what support asks for first; it is never aged out.
        if (entry.fileName() == QLatin1String("crash.log"))
            continue;
        const QString base = entry.completeBaseName();
        if (base.size() < 10)
            continue;
        const QDate date = QDate::fromString(base.right(10), QLatin1String(kDateFormat));
        if (date.isValid() && date < oldestKept)
            QFile::remove(entry.filePath());
    }
}

bool Logger::canWriteTo(const QString& dir)
{
    // A fixed name (say, by process id) could be held by a leftover of an earlier process; that would
    // both fail the test and be deleted by it. QTemporaryFile creates a fresh name exclusively and
    // removes only the file it made.
    QTemporaryFile probe(dir +
                         QStringLiteral("/.wtest_%1_XXXXXX.tmp").arg(QCoreApplication::applicationPid()));
    if (!probe.open())
        return false;
    const bool wrote = probe.write("x", 1) == 1 && probe.flush();
    probe.close();
    return wrote;
}

QString Logger::chooseLogDirectory(const QString& explicitDir, const QString& appDir)
{
    if (!explicitDir.isEmpty())
        return QDir::cleanPath(explicitDir);

    if (!appDir.isEmpty() && bootlog::isBuildTree(QFile::encodeName(appDir).toStdString())) {
        const QString logs = QDir::cleanPath(appDir + QStringLiteral("/logs"));
        if (QDir().mkpath(logs) && canWriteTo(logs))
            return logs;
    }

    // Relative XDG paths are invalid by the XDG rules and are ignored like unset ones.
    QString stateHome = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(stateHome)) {
        const QString home = qEnvironmentVariable("HOME");
        stateHome = QDir::isAbsolutePath(home) ? home + QStringLiteral("/.local/state") : QString();
    }
    const QString tempLogs = QDir::cleanPath(QDir::tempPath() + QStringLiteral("/Lumadoc/logs"));
    if (stateHome.isEmpty())
        return tempLogs;

    const QString stateLogs = QDir::cleanPath(stateHome + QStringLiteral("/Lumadoc/logs"));
    if (QDir().mkpath(stateLogs) && canWriteTo(stateLogs))
        return stateLogs;
    // An unusable state folder (a file in the way, a read-only home) should not cost us the log while
    // the temporary folder works; when neither works, the state folder is kept and the open failure
    // is reported.
    if (QDir().mkpath(tempLogs) && canWriteTo(tempLogs))
        return tempLogs;
    return stateLogs;
}
