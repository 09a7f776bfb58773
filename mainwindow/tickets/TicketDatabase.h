#pragma once
// The store of recognised tickets: one SQLite file, "ticket_records.db", in the user's data folder
// ($XDG_DATA_HOME/Lumadoc), reached through the process's one named connection "ticket_db"; or, when
// set up with setSharedStore(), a PostgreSQL server that several counters share. In that case the
// server is reached on a worker thread of this object (the calling thread waits, still painting, but
// takes no input), records also carry "uuid" and "counter", and what the server cannot take goes to the
// outbox table of the local file until sendPending() delivers it.
// Failures are logged with "[TicketDatabase]" and returned, never shown.

#include <QDateTime>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QFuture>
#include <QMutex>
#include <QSqlDatabase>
#include <QString>

#include "SharedTicketStore.h"
#include "TicketStoreConfig.h"

#include <functional>
#include <memory>

class QThreadPool;

class TicketDatabase : public QObject
{
public:
    // Decides the file path (creating its folder); the database is opened by the first operation.
    explicit TicketDatabase(QObject* parent = nullptr);
    ~TicketDatabase() override;

    // Opens the connection (re-pointing it at our file when it was opened on another) and creates the table.
    bool initialize();

    // Stores a record; the picture as JPEG (quality 85), nothing for a null picture. New id, or -1.
    int insertRecord(const QString& type, const QString& json, const QImage& image);
    // Record objects ("id", "ticket_type", "json_data", "recognize_time", "created_at", "updated_at"),
    // newest first; empty when the database is not available.
    QJsonArray getAllRecords();
    // The record object, or an empty object when there is none.
    QJsonObject getRecordById(int id);
    // The stored picture, null when there is none.
    QImage getImage(int id);
    // Rows whose JSON text or type contains the trimmed keyword (ignored when blank) and whose type equals
    // `type` (ignored when empty), newest first. The keyword is matched literally ("%" and "_" included).
    QJsonArray searchRecords(const QString& keyword, const QString& type);
    // Replaces json_data and stamps updated_at; false when the id does not exist.
    bool updateRecord(int id, const QString& json);
    // False when the id does not exist.
    bool deleteRecord(int id);
    // -1 when the database is not available.
    int recordCount();
    // Writes all records, newest first, as an indented JSON array; the file is replaced in one step, so
    // a failed export never leaves a half-written file. False when the database or the write fails.
    bool exportToJson(const QString& filePath);

    QString databasePath() const { return m_dbPath; }

    // Sends records to `config`'s server from now on (call before initialize(); a config that is not
    // shared keeps the local store). initialize() then opens only the outbox: the server may be away.
    void setSharedStore(const TicketStoreConfig& config);
    bool isShared() const { return m_shared; }
    const TicketStoreConfig& storeConfig() const { return m_config; }
    // The file path, or the server's URL for the shared store.
    QString locationText() const;

    // A stored record: the server's (or the local file's) id, or -1 with `queued` when it waits in the
    // outbox; `uuid` is set for the shared store.
    struct StoreOutcome
    {
        int id = -1;
        QString uuid;
        bool queued = false;
        int pending = 0; // records waiting in the outbox after this one
        QString errorText;
    };
    // insertRecord with the outcome in full; a new uuid for each call.
    StoreOutcome storeRecord(const QString& type, const QString& json, const QImage& image);
    // The same on the worker thread (shared store only; the local store completes at once).
    QFuture<StoreOutcome> storeRecordAsync(const QString& type, const QString& json, const QImage& image);
    // Delivers the outbox; an empty report for the local store.
    SendReport sendPending();
    QFuture<SendReport> sendPendingAsync();
    // Records waiting in the outbox (0 for the local store).
    int pendingCount();

    // searchRecords limited to one counter (ignored when empty).
    QJsonArray searchRecords(const QString& keyword, const QString& type, const QString& counter);
    // The counters that have stored records (shared store), else empty.
    QStringList counters();
    // Records whose recognize_time is on or after `sinceDate` ("yyyy-MM-dd", empty: all) and whose counter
    // is `counter` (empty: all), newest recognition first, each with "uuid" and "counter" (for the local
    // store an empty uuid and this counter's name). `ok` is false when the store could not be read.
    QJsonArray recordsSince(const QString& sinceDate, const QString& counter, bool* ok);

    // Whether the last operation failed because the server could not be reached or refused the login,
    // and the sentence that says so; cleared by the next success.
    bool lastFailedOffline() const;
    QString lastErrorText() const;

    // The time stamps' source; the local clock unless a test sets one.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    bool ensureOpen();
    bool readRecords(const QString& sql, const QStringList& values, QJsonArray& out, const char* failText);
    QString nowText() const;

    template <typename Result, typename Work> QFuture<Result> onWorker(Work work);
    template <typename Result, typename Work> Result onWorkerWait(Work work);
    void noteOutcome(const SharedTicketStore& store);
    SharedRecord makeRecord(const QString& type, const QString& json, const QImage& image) const;
    QString lockPath() const { return m_dbPath + QStringLiteral(".outbox.lock"); }

    QSqlDatabase m_db;
    QString m_dbPath;
    std::function<QDateTime()> m_clock;

    bool m_shared = false;
    TicketStoreConfig m_config;
    std::unique_ptr<QThreadPool> m_pool;            // one thread, which owns m_store and its connections
    std::unique_ptr<SharedTicketStore> m_store;     // touched only on that thread
    mutable QMutex m_outcomeMutex;
    SharedTicketStore::Failure m_lastFailure = SharedTicketStore::Failure::None;
    QString m_lastError;
};
