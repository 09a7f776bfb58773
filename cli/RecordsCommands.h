#pragma once
// lumadoc-cli records, and the storing half of `ticket --store`: the ticket records where
// LUMADOC_TICKET_DB says (a shared PostgreSQL server), else in the local database file.
#include "CliCommands.h"

#include <QImage>

namespace cli {

int runRecords(const QStringList& args, Streams io);

// Stores a recognised record (`json`, of `type`, with its picture). kSuccess also when the server is
// away and the record waits in the outbox (said on stderr); kBadInput for an unusable LUMADOC_TICKET_DB;
// kOperationFailed when neither the server nor the outbox took it.
int storeTicketRecord(const QString& type, const QString& json, const QImage& picture, Streams io);

// Checks LUMADOC_TICKET_DB before any work is done: kSuccess, or kBadInput after a line on stderr.
int checkTicketStoreAddress(Streams io);

} // namespace cli
