#pragma once
// What a scan shows: the address test, the link made for a code, the scan signature and the result
// panel's texts. Scanned data comes from whatever was printed in front of the camera, so it is always
// HTML-escaped, and only http and https addresses ever become links.

#include "ScannedCode.h"

#include <QString>
#include <QTime>
#include <QUrl>

namespace ScanResult {

// True for "http://..." or "https://..." (case-sensitive) that makes a valid QUrl, and for a bare dotted
// host name without a space whose parsed host is exactly the text ("example.org").
bool looksLikeUrl(const QString& text);

// Where a link for `data` leads: the data itself, with "http://" put in front when it starts with
// neither "http://" nor "https://". Invalid when `data` does not pass looksLikeUrl.
QUrl linkTarget(const QString& data);

// "[type] data" per code, joined by line feeds: equal signatures mean the same scan again.
QString signature(const ScannedCodes& codes);

struct PanelText
{
    QString title; // "Barcode/QR Code" or "Multiple Barcodes/QR Codes"
    QString info;  // "Type: ... | Time: HH:mm:ss | Count: n"
    QString html;  // the result browser's contents
};

PanelText panelText(const ScannedCodes& codes, const QTime& now);

} // namespace ScanResult
