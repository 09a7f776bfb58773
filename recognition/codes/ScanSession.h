#pragma once
// What one press of "Scan Code" decides, without a window: nothing found, the same codes again within
// two seconds (no new result, no second request), or a new result with its panel texts and at most one
// address to fetch. The window shows the outcome; the clock is passed in so tests control it.

#include "ScanResult.h"
#include "ScannedCode.h"

#include <QDateTime>
#include <QString>
#include <QUrl>

class ScanSession
{
public:
    static constexpr qint64 kRepeatGuardMs = 2000;

    enum class Kind
    {
        NothingFound, // "No barcode or QR code detected."; the panel is cleared
        Repeated,     // "Same code scanned recently"; the panel keeps its content
        Accepted,     // a new result
    };

    struct Outcome
    {
        Kind kind = Kind::NothingFound;
        ScanResult::PanelText panel;
        // The first code's address that may be fetched automatically; invalid when there is none.
        QUrl request;
    };

    Outcome scan(const ScannedCodes& codes, const QDateTime& now);

    // "Clear": the same codes are accepted again at once. ("Close" only hides the panel and keeps this.)
    void clear();

    QString lastSignature() const { return m_lastSignature; }

private:
    QString m_lastSignature;
    QDateTime m_lastTime;
};
