#pragma once
// The names the ticket dialogs show for record types and record keys, translated at call time.

#include <QPair>
#include <QString>
#include <QVector>

namespace TicketNames {

// The stored type of records read from the ID-card reader.
inline const char* hardwareType()
{
    return "硬件读取";
}

// "身份证", "驾驶证", … for the known types; the type itself otherwise.
QString typeDisplayName(const QString& type);
// The label of a record key ("name" → "姓名"); the key itself when it has none.
QString keyDisplayName(const QString& key);
// The type filter of the query dialog: (display name, type) pairs, "all types" first with an empty type.
QVector<QPair<QString, QString>> typeFilterItems();

} // namespace TicketNames
