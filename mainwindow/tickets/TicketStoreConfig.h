#pragma once
// Where the ticket records go: the local SQLite file (the default) or a PostgreSQL server shared by
// several counters. A password is never part of this: the PostgreSQL client library reads it from
// PGPASSFILE or ~/.pgpass, so it cannot leak into the settings, a URL, the log or an error text.

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <optional>

class QSettings;

struct TicketStoreConfig
{
    Q_DECLARE_TR_FUNCTIONS(TicketStoreConfig)

public:
    static constexpr int kDefaultPort = 5432;

    QString host; // name, address, or a folder holding the server's unix socket; empty: local store
    int port = kDefaultPort;
    QString database;                           // empty: local store
    QString user;                               // empty: the client library's default (the login name)
    QString sslMode = QStringLiteral("prefer"); // one of sslModes()
    QString counter;                            // the name records carry; empty: this machine's host name

    bool isShared() const { return !host.isEmpty() && !database.isEmpty(); }
    // The counter's name as stored with each record: `counter`, else the host name.
    QString counterName() const;
    // "postgresql://user@host:port/database" (with "?sslmode=" unless it is "prefer"), for messages.
    QString url() const;

    // The TLS modes of the client library, weakest first.
    static QStringList sslModes();

    // "postgresql://[user@]host[:port]/database[?sslmode=MODE&host=SOCKETFOLDER]" (also "postgres://";
    // parts percent-encoded). None, with the reason in `error`, for anything else and for any password.
    static std::optional<TicketStoreConfig> fromUrl(const QString& url, QString* error);

    // The "tickets/shared*" keys of the settings store; missing keys give the local store.
    static TicketStoreConfig load(QSettings& store);
    void save(QSettings& store) const;

    // The store to use: LUMADOC_TICKET_DB when it is set (it overrides the settings), else `settings`.
    // None, with the reason, when the variable is set but unusable.
    static std::optional<TicketStoreConfig> resolve(const TicketStoreConfig& settings, QString* error);
};
