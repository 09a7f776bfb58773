// The staging folder and path form on Linux: paths go to the engine as they are (UTF-8 is the local
// encoding), and the staging folder is private to the user, never a fixed name that another account on
// the machine could create first or point elsewhere.
#include "OCRProcessor.h"

#include "AppPaths.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QTemporaryFile>

#include <cstdio>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QMutex g_appDirMutex;
QString g_appDir;

bool asciiOnly(const QByteArray& bytes)
{
    for (const char c : bytes) {
        if (static_cast<unsigned char>(c) > 0x7F)
            return false;
    }
    return true;
}

// A directory of ours: a real folder (no symlink), owned by this user, usable by no one else.
bool privateDirectory(const QByteArray& path)
{
    struct stat st;
    if (::lstat(path.constData(), &st) != 0)
        return false;
    if (!S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 0077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

QString claimDirectory(const QString& parent, const QString& name)
{
    if (parent.isEmpty() || !QFileInfo(parent).isDir())
        return {};
    const QByteArray parentBytes = QFile::encodeName(parent);
    if (!asciiOnly(parentBytes))
        return {};
    const QString dir = QDir::cleanPath(parent + QLatin1Char('/') + name);
    const QByteArray bytes = QFile::encodeName(dir);
    if (::mkdir(bytes.constData(), 0700) != 0 && errno != EEXIST)
        return {};
    return privateDirectory(bytes) ? dir : QString();
}

} // namespace

QString ocrApplicationDir()
{
    QMutexLocker lock(&g_appDirMutex);
    if (!g_appDir.isEmpty())
        return g_appDir;
    return QFileInfo(apppaths::findData(QStringLiteral("models.bin"))).absolutePath();
}

void setOcrApplicationDir(const QString& dir)
{
    QMutexLocker lock(&g_appDirMutex);
    g_appDir = dir;
}

QString ocrStagingDir()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    QString dir = claimDirectory(runtime, QStringLiteral("ld_ocr"));
    if (dir.isEmpty())
        dir = claimDirectory(QDir::tempPath(), QStringLiteral("ld_ocr-%1").arg(::geteuid()));
    return dir;
}

QString ocrStagedModelPath()
{
    const QString source = ocrApplicationDir() + QStringLiteral("/models.bin");
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.isFile())
        return {};
    const QString dir = ocrStagingDir();
    if (dir.isEmpty())
        return {};
    const QString target = dir + QStringLiteral("/models.bin");
    const QFileInfo targetInfo(target);
    const bool copyNeeded = !targetInfo.exists() || targetInfo.size() != sourceInfo.size() ||
                            targetInfo.lastModified().secsTo(sourceInfo.lastModified()) != 0;
    if (copyNeeded) {
        // Copied under a private name and renamed into place: a second thread or process staging at
        // the same moment, or one loading the package, never sees a half-written or missing file.
        bool copied = false;
        QFile in(source);
        QTemporaryFile out(dir + QStringLiteral("/models.bin.XXXXXX"));
        if (in.open(QIODevice::ReadOnly) && out.open()) {
            copied = out.write(in.readAll()) == sourceInfo.size() && out.flush() &&
                     out.setFileTime(sourceInfo.lastModified(), QFileDevice::FileModificationTime);
            out.close();
            copied = copied && ::rename(QFile::encodeName(out.fileName()).constData(),
                                        QFile::encodeName(target).constData()) == 0;
            if (copied)
                out.setAutoRemove(false);
        }
        if (!copied) {
            qWarning() << "[OCR] ocrStagedModelPath: copy FAILED, src=" << source << "dst=" << target;
            return {};
        }
        qInfo() << "[OCR] ocrStagedModelPath: copied models.bin ->" << target;
    } else {
        qInfo() << "[OCR] ocrStagedModelPath: reuse staged models.bin" << target;
    }
    return target;
}

QByteArray ocrPathBytes(const QString& path)
{
    return QFile::encodeName(path);
}
