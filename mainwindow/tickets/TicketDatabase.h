#pragma once
// The local store of recognised tickets: one SQLite file, "ticket_records.db", in the user's data folder
// ($XDG_DATA_HOME/Lumadoc), reached through the process's one named connection "ticket_db".
// Used from the GUI thread only. Failures are logged with "[TicketDatabase]" and returned, never shown.

#include <QDateTime>
#include <QImage>
#include <QJsonArray>
#include <QJsonObject>
#include <QObject>
#include <QSqlDatabase>
#include <QString>

#include <functional>

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

    // The time stamps' source; the local clock unless a test sets one.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

private:
    bool ensureOpen();
    bool readRecords(const QString& sql, const QStringList& values, QJsonArray& out, const char* failText);
    QString nowText() const;

    QSqlDatabase m_db;
    QString m_dbPath;
    std::function<QDateTime()> m_clock;
};
