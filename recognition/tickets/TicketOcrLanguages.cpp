#include "TicketParsers.h"

// The Chinese model reads digits and the few Latin letters of the cards and the invoice (an "X" check
// digit, a class code such as "C1") well on its own; with the English model beside it the engine
// reads small Chinese labels as Latin look-alikes ("民族" as "RR"). The vehicle licence's VIN and
// engine number are long Latin runs, which the English model reads far better.
QString ticketOcrLanguages(const QString& type)
{
    if (type == QLatin1String("vehicle") || type == QLatin1String("vehicle_license"))
        return QStringLiteral("chi_sim+eng");
    return QStringLiteral("chi_sim");
}
