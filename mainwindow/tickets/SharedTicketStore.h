#pragma once
// The PostgreSQL side of the ticket records, and the outbox in the local "ticket_records.db" that keeps
// every record the server has not confirmed. An object opens its two connections on the thread that
// first uses it and must be used and destroyed on that thread (TicketDatabase keeps one on a worker
// thread of its own, so a slow or absent server never holds up the window).

#include "TicketStoreConfig.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

class QSqlQuery;

// One record as it travels from the counter to the server.
struct SharedRecord
{
    QString uuid;    // made at the counter; the server keeps each uuid once
    QString counter; // the counter's name
    QString type;
    QString json;
    QByteArray image; // JPEG, empty for none
    QString recognizeTime;
    QString createdAt;
    QString updatedAt;
};

// A record as the query dialog shows it, from a row of id, ticket_type, json_data, recognize_time,
// created_at, updated_at and, in the shared store, uuid and counter.
QJsonObject ticketRecordFromRow(const QSqlQuery& query);

// What one round of sending the outbox achieved.
struct SendReport
{
    int sent = 0;            // records the server confirmed (new, or already there from an earlier round)
    int pending = -1;        // records still waiting; -1 when the outbox cannot be read
    bool busy = false;       // another sender (window or command line) was at work; nothing was tried
    bool reachable = false;  // the server answered during this round
    QHash<QString, int> ids; // uuid -> the server's id, for each record sent
};

class SharedTicketStore
{
    Q_DECLARE_TR_FUNCTIONS(SharedTicketStore)

public:
    enum class Failure
    {
        None,
        Unreachable, // no connection: server down, network away, timeout
        Login,       // the server answered but refused the login or does not have the database
        Rights,      // the user lacks a right (creating the tables, reading or writing a row)
        Other,       // driver missing, a newer schema, a statement the server rejected
    };

    // Seconds the client library waits for the server before giving up.
    static constexpr int kConnectTimeoutS = 3;
    // Milliseconds unacknowledged data may wait before a connection counts as lost.
    static constexpr int kLostConnectionMs = 15000;
    static constexpr int kSchemaVersion = 1;

    SharedTicketStore(const TicketStoreConfig& config, const QString& localPath);
    ~SharedTicketStore();
    SharedTicketStore(const SharedTicketStore&) = delete;
    SharedTicketStore& operator=(const SharedTicketStore&) = delete;

    // The outbox table in the local file; false when the file cannot be opened.
    bool openOutbox();
    // Connects when not connected and creates the tables when they are missing. False with failure().
    bool connectServer();

    // The outcome of the last call: None after a success.
    Failure failure() const { return m_failure; }
    // A sentence for the user (never holding a password: none passes through here).
    QString errorText() const { return m_errorText; }

    // The server's id of the record (also when the uuid was already there), or -1.
    int insert(const SharedRecord& record);
    // Keeps the record in the outbox; a uuid already waiting is kept once.
    bool enqueue(const SharedRecord& record);
    // Records waiting in the outbox; -1 when it cannot be read.
    int pendingCount();
    // Sends the waiting records, oldest first, while holding `lockPath` (one sender across processes);
    // each leaves the outbox only after the server confirmed it, so a crash in between sends it again,
    // and the uuid keeps the second copy out.
    SendReport sendPending(const QString& lockPath);

    // Record objects of TicketDatabase plus "uuid" and "counter". `where` uses "?" placeholders.
    QJsonArray select(const QString& where, const QVariantList& values, const QString& order);
    QJsonObject recordById(int id);
    QByteArray imageBytes(int id);
    bool update(int id, const QString& json, const QString& updatedAt);
    bool remove(int id);
    int count();
    QStringList counters();

private:
    bool ensureSchema();
    bool exec(QSqlQuery& query, const char* what);
    bool queryFailed(const QSqlQuery& query, const char* what);
    void setFailure(Failure failure, const QString& text);
    QSqlDatabase outbox();

    TicketStoreConfig m_config;
    QString m_localPath;
    QString m_serverName;
    QString m_outboxName;
    bool m_schemaReady = false;
    Failure m_failure = Failure::None;
    QString m_errorText;
};
