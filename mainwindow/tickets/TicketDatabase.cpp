#include "TicketDatabase.h"

#include "AtomicFileWriter.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QFutureWatcher>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QThread>
#include <QThreadPool>
#include <QUuid>
#include <QVariant>

namespace {

const char* const kConnectionName = "ticket_db";

const char* const kCreateTable = "CREATE TABLE IF NOT EXISTS ticket_records ("
                                 "id INTEGER PRIMARY KEY AUTOINCREMENT, "
                                 "ticket_type TEXT NOT NULL, "
                                 "json_data TEXT NOT NULL, "
                                 "image_data BLOB, "
                                 "recognize_time TEXT, "
                                 "created_at TEXT DEFAULT (datetime('now','localtime')), "
                                 "updated_at TEXT DEFAULT (datetime('now','localtime')));";

const char* const kSelectColumns =
    "SELECT id, ticket_type, json_data, recognize_time, created_at, updated_at FROM ticket_records";

// LIKE treats "%" and "_" as wildcards; a user searching for "100%" means the characters.
QString likePattern(const QString& keyword)
{
    QString escaped = keyword;
    escaped.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_");
    return "%" + escaped + "%";
}

QByteArray jpegBytes(const QImage& image)
{
    QByteArray bytes;
    if (!image.isNull()) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 85);
    }
    return bytes;
}

// On the GUI thread the wait keeps painting (a server that takes its connect timeout must not freeze
// the window) but takes no user input, so no second operation can start in between.
template <typename T> void waitQuietly(QFuture<T>& future)
{
    if (future.isFinished())
        return;
    const QCoreApplication* app = QCoreApplication::instance();
    if (app && QThread::currentThread() == app->thread()) {
        QEventLoop loop;
        QFutureWatcher<T> watcher;
        QObject::connect(&watcher, &QFutureWatcherBase::finished, &loop, &QEventLoop::quit);
        watcher.setFuture(future);
        if (!future.isFinished())
            loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    future.waitForFinished();
}

QString sharedLikeCondition()
{
    // ILIKE: case-insensitive for every script, as searches are in the local file for Latin letters.
    return QStringLiteral("(json_data ILIKE ? ESCAPE '\\' OR ticket_type ILIKE ? ESCAPE '\\')");
}

} // namespace

TicketDatabase::TicketDatabase(QObject* parent) : QObject(parent)
{
    QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Lumadoc";
    if (!QDir().mkpath(dir)) {
        qWarning() << "[TicketDatabase] Cannot create directory:" << dir << "falling back to temp";
        QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
        if (temp.isEmpty())
            temp = QDir::tempPath();
        dir = temp + "/Lumadoc";
        QDir().mkpath(dir);
    }
    m_dbPath = dir + "/ticket_records.db";
}

TicketDatabase::~TicketDatabase()
{
    if (m_pool) {
        // The connections belong to the worker thread: they are closed there.
        m_pool->start([this] { m_store.reset(); });
        m_pool->waitForDone();
    }
    if (m_db.isOpen())
        m_db.close();
}

void TicketDatabase::setSharedStore(const TicketStoreConfig& config)
{
    m_config = config;
    m_shared = config.isShared();
    if (m_shared && !m_pool) {
        m_pool = std::make_unique<QThreadPool>();
        m_pool->setMaxThreadCount(1);
        m_pool->setExpiryTimeout(-1); // the one thread keeps its connections for the object's life
    }
}

QString TicketDatabase::locationText() const
{
    return m_shared ? m_config.url() : m_dbPath;
}

template <typename Result, typename Work> QFuture<Result> TicketDatabase::onWorker(Work work)
{
    // A promise of our own rather than QtConcurrent::run: a future from run() lets a waiting thread take
    // the queued task and run it itself, on a thread that does not own the connections.
    QFutureInterface<Result> promise;
    promise.reportStarted();
    m_pool->start([this, work, promise]() mutable {
        if (!m_store)
            m_store = std::make_unique<SharedTicketStore>(m_config, m_dbPath);
        const Result result = work(*m_store);
        noteOutcome(*m_store);
        promise.reportResult(result);
        promise.reportFinished();
    });
    return promise.future();
}

template <typename Result, typename Work> Result TicketDatabase::onWorkerWait(Work work)
{
    QFuture<Result> future = onWorker<Result>(std::move(work));
    waitQuietly(future);
    return future.result();
}

void TicketDatabase::noteOutcome(const SharedTicketStore& store)
{
    QMutexLocker lock(&m_outcomeMutex);
    m_lastFailure = store.failure();
    m_lastError = store.errorText();
}

bool TicketDatabase::lastFailedOffline() const
{
    QMutexLocker lock(&m_outcomeMutex);
    return m_lastFailure == SharedTicketStore::Failure::Unreachable ||
           m_lastFailure == SharedTicketStore::Failure::Login;
}

QString TicketDatabase::lastErrorText() const
{
    QMutexLocker lock(&m_outcomeMutex);
    return m_lastError;
}

SharedRecord TicketDatabase::makeRecord(const QString& type, const QString& json, const QImage&) const
{
    SharedRecord record;
    record.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    record.counter = m_config.counterName();
    record.type = type;
    record.json = json;
    record.recognizeTime = record.createdAt = record.updatedAt = nowText();
    return record;
}

QFuture<TicketDatabase::StoreOutcome> TicketDatabase::storeRecordAsync(const QString& type, const QString& json,
                                                                        const QImage& image)
{
    if (!m_shared) {
        QFutureInterface<StoreOutcome> done;
        done.reportStarted();
        StoreOutcome outcome = storeRecord(type, json, image);
        done.reportResult(outcome);
        done.reportFinished();
        return done.future();
    }
    const SharedRecord prepared = makeRecord(type, json, image);
    return onWorker<StoreOutcome>([prepared, image, lock = lockPath()](SharedTicketStore& store) {
        SharedRecord record = prepared;
        record.image = jpegBytes(image);
        StoreOutcome outcome;
        outcome.uuid = record.uuid;
        // Older records go first, so the server sees them in the order they were made; when that round
        // found the server away, the new record waits too instead of timing out a second time.
        bool away = false;
        if (store.pendingCount() > 0) {
            const SendReport report = store.sendPending(lock);
            away = !report.busy && !report.reachable && report.pending > 0;
        }
        outcome.id = away ? -1 : store.insert(record);
        if (outcome.id >= 1) {
            qInfo() << "[TicketDatabase] Inserted record id:" << outcome.id << "type:" << record.type;
        } else {
            outcome.errorText = store.errorText();
            outcome.queued = store.enqueue(record);
            if (!outcome.queued)
                qWarning() << "[TicketDatabase] Insert failed: neither the server nor the outbox took"
                           << record.uuid;
        }
        outcome.pending = qMax(0, store.pendingCount());
        return outcome;
    });
}

TicketDatabase::StoreOutcome TicketDatabase::storeRecord(const QString& type, const QString& json,
                                                         const QImage& image)
{
    if (!m_shared) {
        StoreOutcome outcome;
        outcome.id = insertRecord(type, json, image);
        return outcome;
    }
    QFuture<StoreOutcome> future = storeRecordAsync(type, json, image);
    waitQuietly(future);
    return future.result();
}

QFuture<SendReport> TicketDatabase::sendPendingAsync()
{
    if (!m_shared) {
        QFutureInterface<SendReport> done;
        done.reportStarted();
        SendReport report;
        report.pending = 0;
        done.reportResult(report);
        done.reportFinished();
        return done.future();
    }
    return onWorker<SendReport>([lock = lockPath()](SharedTicketStore& store) { return store.sendPending(lock); });
}

SendReport TicketDatabase::sendPending()
{
    QFuture<SendReport> future = sendPendingAsync();
    waitQuietly(future);
    return future.result();
}

int TicketDatabase::pendingCount()
{
    if (!m_shared)
        return 0;
    return onWorkerWait<int>([](SharedTicketStore& store) { return store.pendingCount(); });
}

QStringList TicketDatabase::counters()
{
    if (!m_shared)
        return {};
    return onWorkerWait<QStringList>([](SharedTicketStore& store) { return store.counters(); });
}

QJsonArray TicketDatabase::recordsSince(const QString& sinceDate, const QString& counter, bool* ok)
{
    QStringList conditions;
    QVariantList values;
    if (!sinceDate.isEmpty()) {
        // The times are "yyyy-MM-ddTHH:mm:ss" text: every time of that day sorts at or after the date.
        conditions << QStringLiteral("recognize_time >= ?");
        values << sinceDate;
    }
    if (m_shared) {
        if (!counter.isEmpty()) {
            conditions << QStringLiteral("counter = ?");
            values << counter;
        }
        const QString where = conditions.join(QStringLiteral(" AND "));
        struct Read
        {
            QJsonArray rows;
            bool ok = false;
        };
        const Read read = onWorkerWait<Read>([where, values](SharedTicketStore& store) {
            Read out;
            out.rows = store.select(where, values, QStringLiteral("recognize_time DESC, id DESC"));
            out.ok = store.failure() == SharedTicketStore::Failure::None;
            return out;
        });
        if (ok)
            *ok = read.ok;
        return read.rows;
    }
    QJsonArray records;
    if (ok)
        *ok = false;
    if (!ensureOpen())
        return records;
    const QString localCounter = m_config.counterName();
    if (!counter.isEmpty() && counter != localCounter) {
        if (ok)
            *ok = true;
        return records;
    }
    QString sql = QString(kSelectColumns);
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" AND ");
    sql += " ORDER BY recognize_time DESC, id DESC";
    QStringList texts;
    for (const QVariant& value : values)
        texts << value.toString();
    if (!readRecords(sql, texts, records, "[TicketDatabase] records query failed:"))
        return records;
    for (int i = 0; i < records.size(); ++i) {
        QJsonObject record = records.at(i).toObject();
        record["uuid"] = QString();
        record["counter"] = localCounter;
        records[i] = record;
    }
    if (ok)
        *ok = true;
    return records;
}

QString TicketDatabase::nowText() const
{
    const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTime();
    return now.toString("yyyy-MM-ddTHH:mm:ss");
}

bool TicketDatabase::initialize()
{
    if (m_shared) {
        const bool ready = onWorkerWait<bool>([](SharedTicketStore& store) { return store.openOutbox(); });
        if (!ready) {
            qWarning() << "[TicketDatabase] Failed to open database:" << m_dbPath;
            return false;
        }
        qInfo().noquote() << "[TicketDatabase] Database initialized at:" << m_config.url() << "outbox:" << m_dbPath;
        return true;
    }
    if (QSqlDatabase::contains(kConnectionName)) {
        m_db = QSqlDatabase::database(kConnectionName, false);
    } else {
        m_db = QSqlDatabase::addDatabase("QSQLITE", kConnectionName);
    }
    // The one process-wide connection may have been opened on another file (an earlier database object
    // with another data folder); records must go to our file, never silently into that one.
    if (m_db.databaseName() != m_dbPath) {
        if (m_db.isOpen())
            m_db.close();
        m_db.setDatabaseName(m_dbPath);
    }
    if (!m_db.isOpen() && !m_db.open()) {
        qWarning() << "[TicketDatabase] Failed to open database:" << m_db.lastError().text();
        return false;
    }
    QSqlQuery query(m_db);
    if (!query.exec(kCreateTable)) {
        qWarning() << "[TicketDatabase] Failed to create table:" << query.lastError().text();
        return false;
    }
    qInfo() << "[TicketDatabase] Database initialized at:" << m_dbPath;
    return true;
}

bool TicketDatabase::ensureOpen()
{
    if (m_db.isValid() && m_db.isOpen() && m_db.databaseName() == m_dbPath)
        return true;
    if (QSqlDatabase::contains(kConnectionName)) {
        QSqlDatabase pooled = QSqlDatabase::database(kConnectionName, false);
        if (pooled.databaseName() == m_dbPath) {
            m_db = pooled;
            if (m_db.isOpen()) {
                qInfo() << "[TicketDatabase] Re-acquired connection from pool";
                return true;
            }
            if (m_db.open()) {
                qInfo() << "[TicketDatabase] Re-opened existing connection";
                return true;
            }
        }
    }
    qWarning() << "[TicketDatabase] Connection lost, re-initializing...";
    return initialize();
}

int TicketDatabase::insertRecord(const QString& type, const QString& json, const QImage& image)
{
    if (m_shared)
        return storeRecord(type, json, image).id;
    if (!ensureOpen()) {
        qWarning() << "[TicketDatabase] insertRecord: database not available";
        return -1;
    }
    QByteArray imageBytes;
    if (!image.isNull()) {
        QBuffer buffer(&imageBytes);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "JPG", 85);
    }
    const QString now = nowText();
    QSqlQuery query(m_db);
    query.prepare(
        "INSERT INTO ticket_records (ticket_type, json_data, image_data, recognize_time, created_at, "
        "updated_at) VALUES (:type, :json, :image, :rtime, :cat, :uat)");
    query.bindValue(":type", type);
    query.bindValue(":json", json);
    query.bindValue(":image", imageBytes);
    query.bindValue(":rtime", now);
    query.bindValue(":cat", now);
    query.bindValue(":uat", now);
    if (!query.exec()) {
        qWarning() << "[TicketDatabase] Insert failed:" << query.lastError().text();
        return -1;
    }
    const int id = query.lastInsertId().toInt();
    qInfo() << "[TicketDatabase] Inserted record id:" << id << "type:" << type;
    return id;
}

bool TicketDatabase::readRecords(const QString& sql, const QStringList& values, QJsonArray& out,
                                 const char* failText)
{
    QSqlQuery query(m_db);
    query.prepare(sql);
    for (const QString& value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        qWarning() << failText << query.lastError().text();
        return false;
    }
    while (query.next())
        out.append(ticketRecordFromRow(query));
    return true;
}

QJsonArray TicketDatabase::getAllRecords()
{
    if (m_shared)
        return onWorkerWait<QJsonArray>(
            [](SharedTicketStore& store) { return store.select({}, {}, QStringLiteral("id DESC")); });
    QJsonArray records;
    if (!ensureOpen()) {
        qWarning() << "[TicketDatabase] getAllRecords: database not available";
        return records;
    }
    readRecords(QString(kSelectColumns) + " ORDER BY id DESC", {}, records,
                "[TicketDatabase] getAllRecords query failed:");
    return records;
}

QJsonObject TicketDatabase::getRecordById(int id)
{
    if (m_shared)
        return onWorkerWait<QJsonObject>([id](SharedTicketStore& store) { return store.recordById(id); });
    if (!ensureOpen())
        return {};
    QSqlQuery query(m_db);
    query.prepare(QString(kSelectColumns) + " WHERE id = :id");
    query.bindValue(":id", id);
    if (!query.exec() || !query.next())
        return {};
    return ticketRecordFromRow(query);
}

QImage TicketDatabase::getImage(int id)
{
    if (m_shared) {
        const QByteArray bytes =
            onWorkerWait<QByteArray>([id](SharedTicketStore& store) { return store.imageBytes(id); });
        return bytes.isEmpty() ? QImage() : QImage::fromData(bytes, "JPG");
    }
    if (!ensureOpen())
        return {};
    QSqlQuery query(m_db);
    query.prepare("SELECT image_data FROM ticket_records WHERE id = :id");
    query.bindValue(":id", id);
    if (!query.exec() || !query.next())
        return {};
    const QByteArray bytes = query.value(0).toByteArray();
    if (bytes.isEmpty())
        return {};
    return QImage::fromData(bytes, "JPG");
}

QJsonArray TicketDatabase::searchRecords(const QString& keyword, const QString& type)
{
    return searchRecords(keyword, type, QString());
}

QJsonArray TicketDatabase::searchRecords(const QString& keyword, const QString& type, const QString& counter)
{
    qInfo().noquote() << "[TicketDatabase] searchRecords: keyword='" + keyword + "' type='" + type + "'";
    if (m_shared) {
        QStringList conditions;
        QVariantList values;
        const QString trimmed = keyword.trimmed();
        if (!trimmed.isEmpty()) {
            conditions << sharedLikeCondition();
            values << likePattern(trimmed) << likePattern(trimmed);
        }
        if (!type.isEmpty()) {
            conditions << QStringLiteral("ticket_type = ?");
            values << type;
        }
        if (!counter.isEmpty()) {
            conditions << QStringLiteral("counter = ?");
            values << counter;
        }
        const QString where = conditions.join(QStringLiteral(" AND "));
        const QJsonArray found = onWorkerWait<QJsonArray>([where, values](SharedTicketStore& store) {
            return store.select(where, values, QStringLiteral("id DESC"));
        });
        qInfo() << "[TicketDatabase] searchRecords found:" << found.size() << "records";
        return found;
    }
    QJsonArray records;
    if (!counter.isEmpty() && counter != m_config.counterName())
        return records;
    if (!ensureOpen()) {
        qWarning() << "[TicketDatabase] searchRecords: database not available";
        return records;
    }
    QStringList conditions;
    QStringList values;
    const QString trimmed = keyword.trimmed();
    if (!trimmed.isEmpty()) {
        conditions << "(json_data LIKE ? ESCAPE '\\' OR ticket_type LIKE ? ESCAPE '\\')";
        values << likePattern(trimmed) << likePattern(trimmed);
    }
    if (!type.isEmpty()) {
        conditions << "ticket_type = ?";
        values << type;
    }
    QString sql = kSelectColumns;
    if (!conditions.isEmpty())
        sql += " WHERE " + conditions.join(" AND ");
    sql += " ORDER BY id DESC";
    readRecords(sql, values, records, "[TicketDatabase] searchRecords query failed:");
    qInfo() << "[TicketDatabase] searchRecords found:" << records.size() << "records";
    return records;
}

bool TicketDatabase::updateRecord(int id, const QString& json)
{
    if (m_shared) {
        const QString now = nowText();
        return onWorkerWait<bool>([id, json, now](SharedTicketStore& store) { return store.update(id, json, now); });
    }
    if (!ensureOpen()) {
        qWarning() << "[TicketDatabase] updateRecord: database not available";
        return false;
    }
    QSqlQuery query(m_db);
    query.prepare("UPDATE ticket_records SET json_data = :json, updated_at = :uat WHERE id = :id");
    query.bindValue(":json", json);
    query.bindValue(":uat", nowText());
    query.bindValue(":id", id);
    if (!query.exec()) {
        qWarning() << "[TicketDatabase] Update failed:" << query.lastError().text();
        return false;
    }
    // A statement that matched no row succeeded in SQL terms, but nothing was saved.
    return query.numRowsAffected() > 0;
}

bool TicketDatabase::deleteRecord(int id)
{
    if (m_shared)
        return onWorkerWait<bool>([id](SharedTicketStore& store) { return store.remove(id); });
    if (!ensureOpen())
        return false;
    QSqlQuery query(m_db);
    query.prepare("DELETE FROM ticket_records WHERE id = :id");
    query.bindValue(":id", id);
    if (!query.exec()) {
        qWarning() << "[TicketDatabase] Delete failed:" << query.lastError().text();
        return false;
    }
    return query.numRowsAffected() > 0;
}

int TicketDatabase::recordCount()
{
    if (m_shared)
        return onWorkerWait<int>([](SharedTicketStore& store) { return store.count(); });
    if (!ensureOpen())
        return -1;
    QSqlQuery query(m_db);
    if (!query.exec("SELECT COUNT(*) FROM ticket_records") || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool TicketDatabase::exportToJson(const QString& filePath)
{
    QJsonArray records;
    if (m_shared) {
        bool read = false;
        records = onWorkerWait<QJsonArray>([&read](SharedTicketStore& store) {
            QJsonArray rows = store.select({}, {}, QStringLiteral("id DESC"));
            read = store.failure() == SharedTicketStore::Failure::None;
            return rows;
        });
        if (!read)
            return false;
    } else if (!ensureOpen()) {
        qWarning() << "[TicketDatabase] getAllRecords: database not available";
        return false;
    } else if (!readRecords(QString(kSelectColumns) + " ORDER BY id DESC", {}, records,
                            "[TicketDatabase] getAllRecords query failed:")) {
        return false;
    }
    const QByteArray bytes = QJsonDocument(records).toJson(QJsonDocument::Indented);
    const QFileInfo target(filePath);
    AtomicFileWriter writer;
    if (!writer.open(target.absolutePath(), target.fileName()) ||
        writer.file().write(bytes) != bytes.size() || !writer.closeFile() ||
        !writer.publishReplacing(target.absoluteFilePath())) {
        qWarning() << "[TicketDatabase] Export failed:" << filePath << writer.errorString();
        return false;
    }
    return true;
}
