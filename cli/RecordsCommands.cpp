#include "RecordsCommands.h"

#include "TicketDatabase.h"
#include "TicketStoreConfig.h"

#include <QDate>
#include <QJsonDocument>
#include <QSettings>

#include <optional>

namespace cli {
namespace {

const char* const kRecordsUsage =
    "Usage: lumadoc-cli records [--since YYYY-MM-DD] [--counter NAME]\n"
    "Prints the stored ticket records, newest recognition first, one line of JSON each: \"id\",\n"
    "\"ticket_type\", \"json_data\", \"recognize_time\", \"created_at\", \"updated_at\", \"uuid\" and\n"
    "\"counter\". The records are read where LUMADOC_TICKET_DB says (postgresql://user@host:port/db,\n"
    "the password in ~/.pgpass), else from the local database; records waiting in the outbox are sent\n"
    "first. --since keeps records recognised on or after that day, --counter those of one counter.\n"
    "Exits 1 when no record matches, 2 for a bad date or an address with a password, 3 with no output\n"
    "when the server cannot be reached, the driver is missing, the login fails or the database does\n"
    "not exist.\n";

// The address from the environment, with this machine's counter name from the window's settings.
std::optional<TicketStoreConfig> storeConfig(Streams io)
{
    QSettings settings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Lumadoc"),
                       QStringLiteral("LumadocApp"));
    TicketStoreConfig local;
    local.counter = TicketStoreConfig::load(settings).counter;
    QString error;
    std::optional<TicketStoreConfig> config = TicketStoreConfig::resolve(local, &error);
    if (!config)
        io.err << "lumadoc-cli: LUMADOC_TICKET_DB: " << error << "\n";
    return config;
}

} // namespace

int checkTicketStoreAddress(Streams io)
{
    return storeConfig(io) ? kSuccess : kBadInput;
}

int storeTicketRecord(const QString& type, const QString& json, const QImage& picture, Streams io)
{
    const std::optional<TicketStoreConfig> config = storeConfig(io);
    if (!config)
        return kBadInput;
    TicketDatabase db;
    db.setSharedStore(*config);
    if (!db.initialize()) {
        io.err << "lumadoc-cli: the local ticket database cannot be opened: " << db.databasePath() << "\n";
        return kOperationFailed;
    }
    const TicketDatabase::StoreOutcome outcome = db.storeRecord(type, json, picture);
    if (outcome.id >= 1)
        return kSuccess;
    if (outcome.queued) {
        io.err << "lumadoc-cli: " << outcome.errorText << "\n"
               << "lumadoc-cli: the record waits in the outbox and is sent when the server answers ("
               << outcome.pending << " waiting)\n";
        return kSuccess;
    }
    io.err << "lumadoc-cli: the record could not be stored in " << db.locationText() << "\n";
    return kOperationFailed;
}

int runRecords(const QStringList& args, Streams io)
{
    QString since;
    QString counter;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            io.out << kRecordsUsage;
            return kSuccess;
        }
        if ((arg == QLatin1String("--since") || arg == QLatin1String("--counter")) && i + 1 < args.size()) {
            (arg == QLatin1String("--since") ? since : counter) = args[++i];
            continue;
        }
        return usageError(io, QStringLiteral("unexpected argument %1").arg(arg));
    }
    if (!since.isEmpty() &&
        (since.size() != 10 || !QDate::fromString(since, QStringLiteral("yyyy-MM-dd")).isValid()))
        return usageError(io, QStringLiteral("--since wants a day as YYYY-MM-DD, not %1").arg(since));
    const std::optional<TicketStoreConfig> config = storeConfig(io);
    if (!config)
        return kBadInput;

    QuietLogs quiet;
    TicketDatabase db;
    db.setSharedStore(*config);
    if (!db.initialize()) {
        io.err << "lumadoc-cli: the local ticket database cannot be opened: " << db.databasePath() << "\n";
        return kOperationFailed;
    }
    if (db.isShared())
        db.sendPending();
    bool ok = false;
    const QJsonArray records = db.recordsSince(since, counter, &ok);
    if (!ok) {
        const QString reason = db.lastErrorText();
        io.err << "lumadoc-cli: "
               << (reason.isEmpty()
                       ? QStringLiteral("the records cannot be read from %1").arg(db.locationText())
                       : reason)
               << "\n";
        return kOperationFailed;
    }
    if (records.isEmpty()) {
        io.err << "lumadoc-cli: no record matches\n";
        return kNothingFound;
    }
    for (const QJsonValue& record : records)
        io.out << QString::fromUtf8(QJsonDocument(record.toObject()).toJson(QJsonDocument::Compact)) << "\n";
    return kSuccess;
}

} // namespace cli
