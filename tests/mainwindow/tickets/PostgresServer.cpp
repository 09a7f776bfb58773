#include "PostgresServer.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const char* const kBinDir = "/usr/lib/postgresql/15/bin";
const char* const kSuperPassword = "su-Kq82-secret";
const char* const kClerkPassword = "clerk-Zt41-secret";
const char* const kViewerPassword = "viewer-Hm07-secret";
const char* const kIntruderRight = "intruder-Rr55-right";
const char* const kIntruderWrong = "intruder-Ww66-wrong";

} // namespace

PostgresServer::~PostgresServer()
{
    stop();
    if (!m_passFile.isEmpty())
        QFile::remove(m_passFile);
}

QStringList PostgresServer::secrets()
{
    return {kSuperPassword, kClerkPassword, kViewerPassword, kIntruderRight, kIntruderWrong};
}

QString PostgresServer::url(const QString& user, const QString& database) const
{
    return QStringLiteral("postgresql://%1@localhost:%2/%3?host=%4&sslmode=disable")
        .arg(user)
        .arg(m_port)
        .arg(database, QString::fromUtf8(QUrl::toPercentEncoding(socketDir())));
}

bool PostgresServer::run(const QStringList& args, QString* output)
{
    QStringList command = args;
    command[0] = QLatin1String(kBinDir) + QLatin1Char('/') + command[0];
    QString program = command.takeFirst();
    if (geteuid() == 0) {
        command.prepend(program);
        command =
            QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--")} + command;
        program = QStringLiteral("runuser");
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(socketDir());
    process.start(program, command);
    const bool finished = process.waitForFinished(120000);
    if (output)
        *output = QString::fromLocal8Bit(process.readAll());
    return finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

bool PostgresServer::start(QString* why)
{
    if (!QFileInfo::exists(QLatin1String(kBinDir) + QStringLiteral("/initdb"))) {
        *why = QStringLiteral("PostgreSQL 15 is not installed (no %1/initdb)").arg(QLatin1String(kBinDir));
        return false;
    }
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL"))) {
        *why = QStringLiteral("Qt's QPSQL driver is not installed (libqt5sql5-psql)");
        return false;
    }
    const passwd* postgres = getpwnam("postgres");
    if (geteuid() == 0 && !postgres) {
        *why = QStringLiteral("there is no user postgres to run the server as");
        return false;
    }
    // Directly in /tmp: the test's own TMPDIR may lie in a folder the postgres user cannot enter.
    m_dir = std::make_unique<QTemporaryDir>(QStringLiteral("/tmp/lumadoc-pg-XXXXXX"));
    if (!m_dir->isValid()) {
        *why = QStringLiteral("no temporary folder");
        return false;
    }
    if (geteuid() == 0 &&
        chown(QFile::encodeName(m_dir->path()).constData(), postgres->pw_uid, postgres->pw_gid) != 0) {
        *why = QStringLiteral("cannot hand the temporary folder to postgres");
        return false;
    }
    const QString pwFile = m_dir->filePath(QStringLiteral("superuser.pw"));
    {
        QFile file(pwFile);
        if (!file.open(QIODevice::WriteOnly)) {
            *why = QStringLiteral("cannot write the password file");
            return false;
        }
        file.write(QByteArray(kSuperPassword) + "\n");
    }
    if (geteuid() == 0)
        chown(QFile::encodeName(pwFile).constData(), postgres->pw_uid, postgres->pw_gid);
    QString output;
    if (!run({QStringLiteral("initdb"), QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")),
              QStringLiteral("-U"), QStringLiteral("postgres"), QStringLiteral("--auth=scram-sha-256"),
              QStringLiteral("--pwfile=") + pwFile, QStringLiteral("-E"), QStringLiteral("UTF8"),
              QStringLiteral("--locale=C.UTF-8"), QStringLiteral("--no-sync"),
              QStringLiteral("--no-instructions")},
             &output)) {
        *why = QStringLiteral("initdb failed: ") + output;
        return false;
    }
    // Only a unix socket in our own folder: no other process shares the port's socket name, so any
    // port chosen now is free.
    m_port = 20000 + QRandomGenerator::global()->bounded(40000);

    // The client library reads the passwords from here; "intruder" gets a wrong one.
    const QString passFile =
        QDir(QDir::tempPath())
            .filePath(
                QStringLiteral("lumadoc-pgpass-%1-%2").arg(QCoreApplication::applicationPid()).arg(m_port));
    m_passFile = passFile;
    QFile pass(passFile);
    if (!pass.open(QIODevice::WriteOnly)) {
        *why = QStringLiteral("cannot write the pgpass file");
        return false;
    }
    pass.write(QStringLiteral("*:*:*:postgres:%1\n*:*:*:clerk:%2\n*:*:*:viewer:%3\n*:*:*:intruder:%4\n")
                   .arg(kSuperPassword, kClerkPassword, kViewerPassword, kIntruderWrong)
                   .toUtf8());
    pass.close();
    chmod(QFile::encodeName(passFile).constData(), S_IRUSR | S_IWUSR);
    qputenv("PGPASSFILE", QFile::encodeName(passFile));

    if (!resume()) {
        *why = QStringLiteral("the server did not start: ") + QString::fromLocal8Bit([&] {
                   QFile log(m_dir->filePath(QStringLiteral("server.log")));
                   return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
               }());
        return false;
    }
    return admin({QStringLiteral("CREATE ROLE clerk LOGIN PASSWORD '%1'").arg(kClerkPassword),
                  QStringLiteral("CREATE ROLE viewer LOGIN PASSWORD '%1'").arg(kViewerPassword),
                  QStringLiteral("CREATE ROLE intruder LOGIN PASSWORD '%1'").arg(kIntruderRight),
                  QStringLiteral("CREATE DATABASE lumadoc OWNER clerk"),
                  QStringLiteral("CREATE DATABASE locked")},
                 why);
}

bool PostgresServer::admin(const QStringList& statements, QString* why)
{
    const QString name = QStringLiteral("pg_test_admin");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(socketDir());
        db.setPort(m_port);
        db.setUserName(QStringLiteral("postgres"));
        db.setDatabaseName(QStringLiteral("postgres"));
        if (!db.open()) {
            *why = QStringLiteral("admin login failed: ") + db.lastError().text();
            ok = false;
        }
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            if (ok && !query.exec(statement)) {
                *why = statement + QStringLiteral(": ") + query.lastError().text();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

bool PostgresServer::resume()
{
    if (m_running)
        return true;
    QString output;
    m_running =
        run({QStringLiteral("pg_ctl"), QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")),
             QStringLiteral("-l"), m_dir->filePath(QStringLiteral("server.log")), QStringLiteral("-w"),
             QStringLiteral("-t"), QStringLiteral("60"), QStringLiteral("-o"),
             QStringLiteral("-p %1 -k %2 -c listen_addresses='' -c fsync=off").arg(m_port).arg(socketDir()),
             QStringLiteral("start")},
            &output);
    return m_running;
}

bool PostgresServer::stop()
{
    if (!m_running)
        return true;
    QString output;
    const bool stopped =
        run({QStringLiteral("pg_ctl"), QStringLiteral("-D"), m_dir->filePath(QStringLiteral("data")),
             QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")},
            &output);
    m_running = !stopped;
    return stopped;
}

bool PostgresServer::createDatabase(const QString& name, const QString& owner)
{
    QString why;
    return admin({QStringLiteral("CREATE DATABASE %1 OWNER %2").arg(name, owner)}, &why);
}
