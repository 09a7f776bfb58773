#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QElapsedTimer>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <spawn.h>
#include <vector>
#include <sys/wait.h>
#include <unistd.h>

namespace testsupport {

namespace {
const char* const kIsolatedVariables[] = {"HOME",           "XDG_RUNTIME_DIR", "XDG_STATE_HOME",
                                          "XDG_CONFIG_HOME", "XDG_DATA_HOME",   "XDG_CACHE_HOME",
                                          "TMPDIR"};
}

TempAppDir::TempAppDir() : m_dir(QDir::tempPath() + "/lumadoc-test-XXXXXX")
{
    if (!m_dir.isValid())
        return;
    QDir root(m_dir.path());
    for (const char* sub : {"home", "runtime", "state", "config", "data", "cache", "tmp"})
        root.mkpath(sub);
    QFile::setPermissions(runtimeDir(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TempAppDir::~TempAppDir()
{
    if (!m_applied)
        return;
    for (const char* name : kIsolatedVariables) {
        if (m_saved.contains(name))
            qputenv(name, m_saved.value(name).toLocal8Bit());
        else
            qunsetenv(name);
    }
}

QString TempAppDir::home() const { return m_dir.filePath("home"); }
QString TempAppDir::runtimeDir() const { return m_dir.filePath("runtime"); }
QString TempAppDir::stateHome() const { return m_dir.filePath("state"); }

QProcessEnvironment TempAppDir::environment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home());
    env.insert("XDG_RUNTIME_DIR", runtimeDir());
    env.insert("XDG_STATE_HOME", stateHome());
    env.insert("XDG_CONFIG_HOME", m_dir.filePath("config"));
    env.insert("XDG_DATA_HOME", m_dir.filePath("data"));
    env.insert("XDG_CACHE_HOME", m_dir.filePath("cache"));
    env.insert("TMPDIR", m_dir.filePath("tmp"));
    return env;
}

void TempAppDir::applyToCurrentProcess()
{
    if (!m_applied) {
        m_saved = QProcessEnvironment::systemEnvironment();
        m_applied = true;
    }
    const QProcessEnvironment env = environment();
    for (const char* name : kIsolatedVariables)
        qputenv(name, env.value(name).toLocal8Bit());
}

ProgramRunner::ProgramRunner(TempAppDir& dir, const QString& builtProgram)
    : m_env(dir.environment())
{
    const QString binDir = dir.filePath("bin");
    QDir().mkpath(binDir);
    m_program = binDir + "/" + QFileInfo(builtProgram).fileName();
    m_outputBase = dir.filePath("output");
    QFile::remove(m_program);
    QFile::copy(builtProgram, m_program);
    // The copy stands for the program in the build tree, which keeps its logs beside it.
    QFile marker(binDir + "/lumadoc-build-tree");
    if (marker.open(QIODevice::WriteOnly))
        marker.write("test copy\n");
    QFile::setPermissions(m_program, QFile::permissions(m_program) | QFileDevice::ExeOwner);
}

ProgramRunner::~ProgramRunner()
{
    if (m_pid > 0) {
        ::kill(static_cast<pid_t>(m_pid), SIGKILL);
        int status = 0;
        ::waitpid(static_cast<pid_t>(m_pid), &status, 0);
    }
}

QString ProgramRunner::programDir() const
{
    return QFileInfo(m_program).absolutePath();
}

bool ProgramRunner::start(const QStringList& args)
{
    // posix_spawn rather than QProcess: QProcess drops the number of the signal that ended the child,
    // and the crash tests must tell SIGSEGV from SIGKILL.
    std::vector<QByteArray> argStore{QFile::encodeName(m_program)};
    for (const QString& a : args)
        argStore.push_back(a.toUtf8());
    std::vector<char*> argv;
    for (QByteArray& a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::vector<QByteArray> envStore;
    for (const QString& kv : m_env.toStringList())
        envStore.push_back(kv.toUtf8());
    std::vector<char*> envp;
    for (QByteArray& e : envStore)
        envp.push_back(e.data());
    envp.push_back(nullptr);

    ++m_runs;
    const QByteArray outPath = QFile::encodeName(m_outputBase + QString(".%1.out").arg(m_runs));
    const QByteArray errPath = QFile::encodeName(m_outputBase + QString(".%1.err").arg(m_runs));
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    // The program runs in its own folder, as it would when started from a desktop launcher.
    const QByteArray oldCwd = QFile::encodeName(QDir::currentPath());
    [[maybe_unused]] int cd = ::chdir(QFile::encodeName(programDir()).constData());
    pid_t pid = -1;
    const int rc = ::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    cd = ::chdir(oldCwd.constData());
    posix_spawn_file_actions_destroy(&actions);
    m_pid = rc == 0 ? pid : -1;
    return rc == 0;
}

ProgramResult ProgramRunner::waitForExit(int timeoutMs)
{
    ProgramResult result;
    if (m_pid <= 0)
        return result;
    result.started = true;
    QElapsedTimer clock;
    clock.start();
    int status = 0;
    while (true) {
        const pid_t done = ::waitpid(static_cast<pid_t>(m_pid), &status, WNOHANG);
        if (done == m_pid)
            break;
        if (done < 0 && errno != EINTR)
            break;
        if (clock.elapsed() > timeoutMs && !result.timedOut) {
            result.timedOut = true;
            ::kill(static_cast<pid_t>(m_pid), SIGKILL);
        }
        ::usleep(10000);
    }
    m_pid = -1;
    if (WIFSIGNALED(status)) {
        result.crashed = true;
        result.signal = WTERMSIG(status);
    } else if (WIFEXITED(status)) {
        result.exitCode = WEXITSTATUS(status);
    }
    result.stdOut = readFile(m_outputBase + QString(".%1.out").arg(m_runs)).toUtf8();
    result.stdErr = readFile(m_outputBase + QString(".%1.err").arg(m_runs)).toUtf8();
    return result;
}

void ProgramRunner::sendSignal(int signalNumber)
{
    if (m_pid > 0)
        ::kill(static_cast<pid_t>(m_pid), signalNumber);
}

ProgramResult ProgramRunner::run(const QStringList& args, int timeoutMs)
{
    if (!start(args))
        return {};
    return waitForExit(timeoutMs);
}

bool waitUntil(const std::function<bool()>& predicate, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!predicate()) {
        if (clock.elapsed() > timeoutMs)
            return false;
        ::usleep(50000);
    }
    return true;
}

bool processAlive(qint64 pid)
{
    const QString stat = readFile(QString("/proc/%1/stat").arg(pid));
    if (stat.isEmpty())
        return false;
    const int close = stat.lastIndexOf(')');
    return close < 0 || stat.mid(close + 2, 1) != "Z";
}

QString readFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QString builtProgram(const QString& name)
{
    return QStringLiteral(LUMADOC_BIN_DIR) + "/" + name;
}


namespace {
struct LoggedLine {
    QtMsgType type;
    QString text;
};
QList<LoggedLine>& loggedLines()
{
    static QList<LoggedLine> lines;
    return lines;
}
void recordLine(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    loggedLines().append({type, message});
}
}  // namespace

LogCapture::LogCapture()
{
    loggedLines().clear();
    m_before = qInstallMessageHandler(&recordLine);
}

LogCapture::~LogCapture()
{
    qInstallMessageHandler(m_before);
}

QStringList LogCapture::lines() const
{
    QStringList texts;
    for (const LoggedLine& line : loggedLines())
        texts << line.text;
    return texts;
}

bool LogCapture::has(const QString& line) const
{
    return lines().contains(line);
}

bool LogCapture::has(QtMsgType type, const QString& line) const
{
    for (const LoggedLine& logged : loggedLines()) {
        if (logged.type == type && logged.text == line)
            return true;
    }
    return false;
}

bool LogCapture::hasPrefix(const QString& prefix) const
{
    for (const QString& line : lines()) {
        if (line.startsWith(prefix))
            return true;
    }
    return false;
}

bool LogCapture::contains(const QString& text) const
{
    for (const QString& line : lines()) {
        if (line.contains(text))
            return true;
    }
    return false;
}

std::string LogCapture::all() const
{
    return lines().join(QLatin1Char('|')).toStdString();
}

} // namespace testsupport
