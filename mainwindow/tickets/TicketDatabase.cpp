#include "TicketDatabase.h"

#include "AtomicFileWriter.h"

#include <QBuffer>
#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
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

QJsonObject recordFromRow(const QSqlQuery& query)
{
    QJsonObject record;
    record["id"] = query.value(0).toInt();
    record["ticket_type"] = query.value(1).toString();
    record["json_data"] = query.value(2).toString();
    record["recognize_time"] = query.value(3).toString();
    record["created_at"] = query.value(4).toString();
    record["updated_at"] = query.value(5).toString();
    return record;
}

// LIKE treats "%" and "_" as wildcards; a user searching for "100%" means the characters.
QString likePattern(const QString& keyword)
{
    QString escaped = keyword;
    escaped.replace("\\", "\\\\").replace("%", "\\%").replace("_", "\\_");
    return "%" + escaped + "%";
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
    if (m_db.isOpen())
        m_db.close();
}

QString TicketDatabase::nowText() const
{
    const QDateTime now = m_clock ? m_clock() : QDateTime::currentDateTime();
    return now.toString("yyyy-MM-ddTHH:mm:ss");
}

bool TicketDatabase::initialize()
{
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
        out.append(recordFromRow(query));
    return true;
}

QJsonArray TicketDatabase::getAllRecords()
{
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
    if (!ensureOpen())
        return {};
    QSqlQuery query(m_db);
    query.prepare(QString(kSelectColumns) + " WHERE id = :id");
    query.bindValue(":id", id);
    if (!query.exec() || !query.next())
        return {};
    return recordFromRow(query);
}

QImage TicketDatabase::getImage(int id)
{
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
    qInfo().noquote() << "[TicketDatabase] searchRecords: keyword='" + keyword + "' type='" + type + "'";
    QJsonArray records;
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
    if (!ensureOpen())
        return -1;
    QSqlQuery query(m_db);
    if (!query.exec("SELECT COUNT(*) FROM ticket_records") || !query.next())
        return -1;
    return query.value(0).toInt();
}

bool TicketDatabase::exportToJson(const QString& filePath)
{
    if (!ensureOpen()) {
        qWarning() << "[TicketDatabase] getAllRecords: database not available";
        return false;
    }
    QJsonArray records;
    if (!readRecords(QString(kSelectColumns) + " ORDER BY id DESC", {}, records,
                     "[TicketDatabase] getAllRecords query failed:"))
        return false;
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
