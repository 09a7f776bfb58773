#pragma once
// A private PostgreSQL 15 server for the shared-store tests: its own data folder, reachable only through a
// unix socket in that folder (no TCP), password logins (scram-sha-256) with the passwords in a private
// PGPASSFILE. Tests run as root, and the server refuses root: the server's programs run as "postgres".

#include <QString>
#include <QTemporaryDir>

#include <memory>

class PostgresServer
{
public:
    PostgresServer() = default;
    ~PostgresServer();
    PostgresServer(const PostgresServer&) = delete;
    PostgresServer& operator=(const PostgresServer&) = delete;

    // initdb, start, and the roles "clerk" (owns database "lumadoc"), "viewer" (may log in to "locked",
    // may not create tables there) and "intruder" (whose line in the password file is wrong).
    // False with the reason when the programs are missing or the server does not come up.
    bool start(QString* why);
    bool stop();
    bool resume();

    // A fresh database for one test, owned by `owner`.
    bool createDatabase(const QString& name, const QString& owner);

    QString socketDir() const { return m_dir ? m_dir->path() : QString(); }
    int port() const { return m_port; }
    QString url(const QString& user, const QString& database) const;
    // The passwords this server knows; they must never show in a message.
    static QStringList secrets();

private:
    bool run(const QStringList& args, QString* output);
    bool admin(const QStringList& statements, QString* why);

    std::unique_ptr<QTemporaryDir> m_dir;
    QString m_passFile;
    int m_port = 0;
    bool m_running = false;
};
