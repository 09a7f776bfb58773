#include "AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QMutexLocker>

namespace {

QMutex g_mutex;
QString g_testExeDir;

// XDG base folders: the variable when it holds an absolute path, else the documented default.
QString xdgDir(const char* variable, const char* fallbackUnderHome)
{
    const QString value = qEnvironmentVariable(variable);
    if (QDir::isAbsolutePath(value))
        return QDir::cleanPath(value);
    return QDir::homePath() + QLatin1Char('/') + QLatin1String(fallbackUnderHome);
}

} // namespace

namespace apppaths {

QString executableDir()
{
    {
        QMutexLocker lock(&g_mutex);
        if (!g_testExeDir.isEmpty())
            return g_testExeDir;
    }
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists (early start-up): ask the kernel.
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

void setExecutableDirForTesting(const QString& dir)
{
    QMutexLocker lock(&g_mutex);
    g_testExeDir = dir;
}

QStringList dataDirs()
{
    const QString exe = executableDir();
    return {exe, xdgDir("XDG_DATA_HOME", ".local/share") + QStringLiteral("/Lumadoc"),
            QDir::cleanPath(exe + QStringLiteral("/../share/lumadoc"))};
}

QString findData(const QString& relative)
{
    return findData(relative, QString());
}

QString findData(const QString& relative, const QString& firstDir)
{
    QStringList dirs = dataDirs();
    if (!firstDir.isEmpty())
        dirs.first() = firstDir;
    for (const QString& dir : dirs) {
        const QString candidate = dir + QLatin1Char('/') + relative;
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return dirs.first() + QLatin1Char('/') + relative;
}

bool isBuildTree()
{
    return QFileInfo::exists(executableDir() + QStringLiteral("/lumadoc-build-tree"));
}

QString stateDir()
{
    if (isBuildTree())
        return executableDir() + QStringLiteral("/logs");
    return xdgDir("XDG_STATE_HOME", ".local/state") + QStringLiteral("/Lumadoc");
}

QString configDir()
{
    return xdgDir("XDG_CONFIG_HOME", ".config") + QStringLiteral("/Lumadoc");
}

} // namespace apppaths
