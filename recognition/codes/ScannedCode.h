#pragma once
// One decoded symbol: ZBar's name for its symbology ("QR-Code", "EAN-13", "CODE-128", "ISBN-13", ...)
// and its payload as text.

#include <QList>
#include <QString>

struct ScannedCode
{
    QString type;
    QString data;

    bool operator==(const ScannedCode& other) const { return type == other.type && data == other.data; }
    bool operator!=(const ScannedCode& other) const { return !(*this == other); }
};

using ScannedCodes = QList<ScannedCode>;
