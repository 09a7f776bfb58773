#pragma once
// Helpers shared by every test executable: a private application directory, a fixed clock, and the
// built program run as a child process.

#include <QDateTime>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <QtGlobal>

#include <functional>
#include <string>
#include <memory>

namespace testsupport {

// A private temporary folder with its own HOME, XDG folders and TMPDIR, so that logs, settings and flag
// files written by the code under test never reach another test or the user's account.
class TempAppDir
{
public:
    TempAppDir();
    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }
    QString home() const;
    QString runtimeDir() const;
    QString stateHome() const;
    // The environment for a child process living in this folder (HOME, XDG_*, TMPDIR set).
    QProcessEnvironment environment() const;
    // Points this process's HOME/XDG/TMPDIR at the folder until destruction.
    void applyToCurrentProcess();
    ~TempAppDir();

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_saved;
    bool m_applied = false;
};

// A clock the test sets and advances by hand.
class FixedClock
{
public:
    explicit FixedClock(const QDateTime& start) : m_now(start) {}
    QDateTime now() const { return m_now; }
    void set(const QDateTime& t) { m_now = t; }
    void advanceMs(qint64 ms) { m_now = m_now.addMSecs(ms); }

private:
    QDateTime m_now;
};

struct ProgramResult
{
    bool started = false;
    bool timedOut = false;
    bool crashed = false;   // ended by a signal
    int exitCode = -1;      // valid when !crashed
    int signal = 0;         // valid when crashed
    QByteArray stdOut;
    QByteArray stdErr;
};

// Runs a built program from a private copy in `dir`. A copy, not a symlink: the program finds its
// folder through /proc/self/exe, and its logs and flag files must land in the private folder.
// Output goes to files rather than pipes, so a grandchild that keeps them open (the program restarting
// itself) never blocks the test.
class ProgramRunner
{
public:
    ProgramRunner(TempAppDir& dir, const QString& builtProgram);
    ~ProgramRunner();
    QString programPath() const { return m_program; }
    QString programDir() const;
    QProcessEnvironment& environment() { return m_env; }

    bool start(const QStringList& args = {});
    qint64 pid() const { return m_pid; }
    // Waits for the started program; kills it after `timeoutMs`.
    ProgramResult waitForExit(int timeoutMs = 30000);
    void sendSignal(int signalNumber);
    // start() plus waitForExit().
    ProgramResult run(const QStringList& args = {}, int timeoutMs = 30000);

private:
    QString m_program;
    QString m_outputBase;
    QProcessEnvironment m_env;
    qint64 m_pid = -1;
    int m_runs = 0;
};

// Polls `predicate` every 50 ms until it holds or `timeoutMs` passes.
bool waitUntil(const std::function<bool()>& predicate, int timeoutMs);
// Whether a process with this id is alive (and not a zombie).
bool processAlive(qint64 pid);

// Reads a whole text file; empty when missing.
QString readFile(const QString& path);
// Path of a built program in the build's bin folder (set by CMake as LUMADOC_BIN_DIR).
QString builtProgram(const QString& name);


// Records the messages logged while it lives (one at a time), with their type.
class LogCapture
{
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines() const;
    // An exact line; with a type, only a message of that type counts.
    bool has(const QString& line) const;
    bool has(QtMsgType type, const QString& line) const;
    bool hasPrefix(const QString& prefix) const;
    // A line containing `text` anywhere.
    bool contains(const QString& text) const;
    // Every line, joined by "|", for failure messages.
    std::string all() const;

private:
    QtMessageHandler m_before;
};

} // namespace testsupport
