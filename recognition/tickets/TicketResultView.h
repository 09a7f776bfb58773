#pragma once
// The HTML the ticket result browser shows for a record: the card photo and type when present, a table
// of the fields with their display labels, and the raw OCR text. Every inserted text is HTML-escaped.
#include <QString>

// Empty for an empty JSON; a JSON that is not a non-empty object is shown raw in a <pre>.
QString ticketResultHtml(const QString& resultJson);

// The display label of a record key, translated; the key itself when it has none.
QString ticketFieldLabel(const QString& key);

// The translation context of the labels.
extern const char* const kTicketViewContext;
