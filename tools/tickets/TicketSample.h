#pragma once
// Made-up samples of the four ticket documents: the layout and labels of the real documents filled
// with invented values (names drawn from common characters, numbers from a seeded generator), and the
// values each field should come back as.
#include <QImage>
#include <QMap>
#include <QString>
#include <QStringList>

struct TicketSample
{
    QImage image;
    QMap<QString, QString> fields; // record key -> expected value
};

// kind: "idcard", "driver", "vat" or "vehicle"; the same seed gives the same sample.
TicketSample renderTicketSample(const QString& kind, quint32 seed);
QStringList ticketSampleKinds();
