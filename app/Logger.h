#pragma once
// The daily application log. Once installed, every Qt log message (qDebug … qFatal) from any thread
// ends up as one whole line in "<dir>/<AppName>_<yyyy-MM-dd>.log"; the file is switched at the first
// message of a new calendar day and logs older than a week are deleted.
//
// Line format: "yyyy-MM-dd hh:mm:ss.zzz [LEVEL] [File.cpp:123] message", the level being one of
// "DEBUG", "INFO ", "WARN ", "ERROR", "FATAL" and the bracketed source part present only when the
// message carries a source file.

#include <QDate>
#include <QDateTime>
#include <QFile>
#include <QString>
#include <QTextStream>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <mutex>

class Logger
{
public:
    using Clock = std::function<QDateTime()>;

    // Logs are kept for this many days before today; a log dated exactly that long ago survives.
    static constexpr int kKeepDays = 7;

    Logger();
    ~Logger();
    Logger(const Logger&) = delete;
    Logger& operator=(const Logger&) = delete;

    // The process-wide logger used by start-up. Never destroyed, so threads still logging while the
    // process exits never reach a dead object.
    static Logger& instance();

    // Chooses the log directory (`dir` when given, else the application directory's "logs" when it is
    // writable, else the per-user state directory), opens today's file, writes the start banner, routes
    // Qt's messages here and purges old logs. Returns true when a log file is open afterwards. Does
    // nothing when this logger already has a file. On failure prints one line to standard error and
    // leaves Qt's default output in place.
    bool install(const QString& dir = QString());

    // The open log file's path; empty when no file is open.
    QString logFilePath() const;

    // Writes the stop banner, closes the file and gives Qt's messages back to the handler that was
    // there before install(). Safe to call more than once.
    void shutdown();

    // Source of "now" for dates, banners and timestamps (local time). Default: the system clock. Called
    // with the logger's lock held, from whichever thread logs.
    void setClock(Clock clock);

    // The folder reported as "ExeDir" and holding the preferred "logs" folder. Default:
    // QCoreApplication::applicationDirPath(). Set before install().
    void setApplicationDir(const QString& dir);

    // Formats and writes one message. This is what the installed Qt handler calls; a message that
    // arrives while this thread is already inside the logger goes to standard error instead.
    void handleMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);

    // "<name with blanks as '_'>_<yyyy-MM-dd>.log", "App" standing in for an empty name.
    static QString logFileName(const QString& appName, const QDate& day);

    // Deletes "*.log" files in `dir` whose base name ends in a valid "yyyy-MM-dd" date more than
    // kKeepDays before `today`. crash.log is never touched.
    static void purgeOldLogs(const QString& dir, const QDate& today);

    // The directory install() would use: `explicitDir` when not empty; else `appDir` + "/logs" when it
    // can be made and written to; else $XDG_STATE_HOME/Lumadoc/logs ($HOME/.local/state/Lumadoc/logs,
    // or <temp>/Lumadoc/logs when neither variable is usable), made when missing.
    static QString chooseLogDirectory(const QString& explicitDir, const QString& appDir);

    // True when a fresh file can be created in `dir` and one byte written to it. The probe has a name
    // no other file can have, and only the probe itself is removed afterwards.
    static bool canWriteTo(const QString& dir);

    // The five-character level word of a message type.
    static QString levelWord(QtMsgType type);

private:
    static void qtMessageHandler(QtMsgType type, const QMessageLogContext& context, const QString& message);

    bool openFileLocked(const QDate& day);
    void closeFileLocked();
    void writeLineLocked(const QString& text);
    QString formatLine(const QDateTime& now, QtMsgType type, const QMessageLogContext& context,
                       const QString& message) const;
    void writeStartBannerLocked(const QDateTime& now);
    QString applicationDir() const;

    mutable std::mutex m_mutex;
    Clock m_clock;
    QString m_appDir;
    QString m_appName; // taken at install() so a day's file keeps the name it started with
    QString m_logDir;
    QString m_currentDate; // "yyyy-MM-dd" of the day whose file is (or should be) open
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<QTextStream> m_stream;
    bool m_active = false; // install() succeeded and shutdown() has not run yet
    bool m_reportedOpenFailure = false;
    QtMessageHandler m_previousHandler = nullptr;
};
