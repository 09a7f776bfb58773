#include "TicketParsers.h"

#include <QJsonDocument>
#include <QJsonObject>

// The Chinese model reads the digits and the few Latin letters of the cards and the invoice (an "X"
// check digit, a class code such as "C1") well on its own; with the English model beside it the engine
// reads small Chinese labels and values as Latin look-alikes ("民族" as "RR", "非营运" as "JEG").
QString ticketOcrLanguages(const QString& /*type*/)
{
    return QStringLiteral("chi_sim");
}

// The vehicle licence's VIN and engine number are long Latin runs, where the Chinese model alone
// inserts and drops characters; the English model reads them far better.
QStringList ticketLatinFields(const QString& type)
{
    if (type == QLatin1String("vehicle") || type == QLatin1String("vehicle_license"))
        return {QStringLiteral("vin"), QStringLiteral("engine_number")};
    return {};
}

QString ticketLatinLanguages()
{
    return QStringLiteral("chi_sim+eng");
}

QString mergeTicketFields(const QString& record, const QString& latinRecord, const QStringList& keys)
{
    QJsonObject r = QJsonDocument::fromJson(record.toUtf8()).object();
    const QJsonObject latin = QJsonDocument::fromJson(latinRecord.toUtf8()).object();
    if (r.isEmpty())
        return record;
    for (const QString& key : keys) {
        const QString value = latin.value(key).toString();
        if (!value.isEmpty())
            r.insert(key, value);
    }
    return QString::fromUtf8(QJsonDocument(r).toJson(QJsonDocument::Compact));
}
