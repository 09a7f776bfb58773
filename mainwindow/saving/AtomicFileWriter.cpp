#include "AtomicFileWriter.h"

#include <QDateTime>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString randomTag()
{
    static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    QString tag;
    for (int i = 0; i < 6; ++i)
        tag.append(QLatin1Char(alphabet[QRandomGenerator::global()->bounded(int(sizeof(alphabet) - 1))]));
    return tag;
}

enum class MoveOutcome
{
    Moved,
    NameTaken,
    Failed
};

// Moves `from` to `to` unless `to` exists. renameat2(RENAME_NOREPLACE) does that in one call; where the
// file system lacks it, a hard link followed by removing the temporary name gives the same guarantee;
// where that is missing too (FAT and exFAT on USB sticks take no hard links), the target name is first
// claimed with O_EXCL and the rename then replaces only that empty claim.
MoveOutcome moveNoReplace(const QByteArray& from, const QByteArray& to, int* error)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return MoveOutcome::Moved;
    if (errno == EEXIST)
        return MoveOutcome::NameTaken;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) {
        *error = errno;
        return MoveOutcome::Failed;
    }

    if (::link(from.constData(), to.constData()) == 0) {
        ::unlink(from.constData());
        return MoveOutcome::Moved;
    }
    if (errno == EEXIST)
        return MoveOutcome::NameTaken;
    if (errno != EPERM && errno != ENOTSUP && errno != EOPNOTSUPP) {
        *error = errno;
        return MoveOutcome::Failed;
    }

    const int claim = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (claim < 0) {
        if (errno == EEXIST)
            return MoveOutcome::NameTaken;
        *error = errno;
        return MoveOutcome::Failed;
    }
    ::close(claim);
    if (::rename(from.constData(), to.constData()) == 0)
        return MoveOutcome::Moved;
    *error = errno;
    ::unlink(to.constData()); // our own empty claim, nobody else's file
    return MoveOutcome::Failed;
}

} // namespace

AtomicFileWriter::~AtomicFileWriter()
{
    discard();
}

bool AtomicFileWriter::open(const QString& directory, const QString& fileName)
{
    discard();
    m_error.clear();
    m_published = false;
    const int dot = fileName.lastIndexOf(QLatin1Char('.'));
    const QString base = dot > 0 ? fileName.left(dot) : fileName;
    const QString extension = dot > 0 ? fileName.mid(dot) : QString();
    const QDir dir(directory);
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString path =
            dir.absoluteFilePath(QStringLiteral(".%1.lumadoc-%2%3").arg(base, randomTag(), extension));
        const QByteArray native = QFile::encodeName(path);
        // 0666 and not QTemporaryFile's 0600: the published file must be as readable as any other capture.
        const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            m_error = errnoText(errno);
            return false;
        }
        if (!m_file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            ::close(fd);
            ::unlink(native.constData());
            m_error = m_file.errorString();
            return false;
        }
        m_temporaryPath = path;
        return true;
    }
    m_error = QStringLiteral("no free temporary name");
    return false;
}

bool AtomicFileWriter::truncate()
{
    return m_file.isOpen() && m_file.seek(0) && m_file.resize(0);
}

bool AtomicFileWriter::closeFile()
{
    if (!m_file.isOpen())
        return !m_temporaryPath.isEmpty();
    const bool flushed = m_file.flush();
    const bool ok = flushed && m_file.error() == QFileDevice::NoError;
    if (!ok)
        m_error = m_file.errorString();
    m_file.close();
    return ok;
}

QString AtomicFileWriter::publishNoReplace(const std::function<QString(int)>& candidatePath, int maxAttempts)
{
    if (m_temporaryPath.isEmpty() || !closeFile())
        return QString();
    const QByteArray from = QFile::encodeName(m_temporaryPath);
    for (int attempt = 0; attempt < maxAttempts; ++attempt) {
        const QString target = candidatePath(attempt);
        if (target.isEmpty())
            break;
        int error = 0;
        switch (moveNoReplace(from, QFile::encodeName(target), &error)) {
        case MoveOutcome::Moved:
            m_published = true;
            m_temporaryPath.clear();
            return target;
        case MoveOutcome::NameTaken:
            continue;
        case MoveOutcome::Failed:
            m_error = errnoText(error);
            return QString();
        }
    }
    m_error = QStringLiteral("every candidate name is taken");
    return QString();
}

bool AtomicFileWriter::publishReplacing(const QString& targetPath)
{
    if (m_temporaryPath.isEmpty() || !closeFile())
        return false;
    if (::rename(QFile::encodeName(m_temporaryPath).constData(), QFile::encodeName(targetPath).constData()) !=
        0) {
        m_error = errnoText(errno);
        return false;
    }
    m_published = true;
    m_temporaryPath.clear();
    return true;
}

void AtomicFileWriter::discard()
{
    if (m_file.isOpen())
        m_file.close();
    if (!m_published && !m_temporaryPath.isEmpty())
        ::unlink(QFile::encodeName(m_temporaryPath).constData());
    m_temporaryPath.clear();
}

bool AtomicFileWriter::isOwnTemporaryName(const QString& fileName)
{
    // The writer's ".<base>.lumadoc-XXXXXX<ext>" and the saver's ".lumadoc_write_probe_XXXXXX" (QTemporaryFile).
    static const QRegularExpression pattern(QStringLiteral(
        "^(\\..+\\.lumadoc-[A-Za-z0-9]{6}(\\.[A-Za-z0-9]+)?|\\.lumadoc_write_probe_[A-Za-z0-9]{6})$"));
    return pattern.match(fileName).hasMatch();
}

int AtomicFileWriter::removeStaleTemporaries(const QString& directory, int minAgeSecs)
{
    const QDateTime cutOff = QDateTime::currentDateTimeUtc().addSecs(-minAgeSecs);
    const QFileInfoList entries =
        QDir(directory).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot | QDir::NoSymLinks);
    int removed = 0;
    for (const QFileInfo& entry : entries) {
        if (!isOwnTemporaryName(entry.fileName()) || entry.lastModified().toUTC() > cutOff)
            continue;
        if (QFile::remove(entry.absoluteFilePath())) {
            ++removed;
            qInfo().noquote() << "[Save] removed a temporary file left by an interrupted save:"
                              << entry.absoluteFilePath();
        }
    }
    return removed;
}
