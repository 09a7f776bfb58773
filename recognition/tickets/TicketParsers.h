#pragma once
// Field parsers for photographed documents: each takes the OCR text and, when known, the recognised
// blocks with their boxes (pixels, y grows downwards, engine order) and returns the record as compact
// JSON: "type", "recognize_time" (local, yyyy-MM-ddTHH:mm:ss), the fields found and "raw_ocr" (the head
// of the OCR text). A field no source yields is left out. Never fails.
#include "OCRProcessor.h"

#include <QList>
#include <QString>
#include <QStringList>

QString parseIDCard(const QString& ocrText, const QList<OcrTextBlockEx>& blocks = {});
QString parseDriverLicense(const QString& ocrText, const QList<OcrTextBlockEx>& blocks = {});
QString parseVATInvoice(const QString& ocrText, const QList<OcrTextBlockEx>& blocks = {});
QString parseVehicleLicense(const QString& ocrText, const QList<OcrTextBlockEx>& blocks = {});

// The Tesseract language list to read a document of `type` with ("idcard", "driver", "vat", "vehicle"
// or the record's own "type").
QString ticketOcrLanguages(const QString& type);
// The fields of `type` that are runs of Latin letters and digits and are read better in a second pass
// with ticketLatinLanguages(); empty when one pass is enough (all kinds but the vehicle licence).
QStringList ticketLatinFields(const QString& type);
QString ticketLatinLanguages();
// `record` (a parser's JSON) with each of `keys` replaced by its value in `latinRecord` where that one
// has it; `record` unchanged when it is not a JSON object.
QString mergeTicketFields(const QString& record, const QString& latinRecord, const QStringList& keys);

// Every pattern the parsers use that does not compile, as "pattern: error". Empty when all are sound;
// a broken pattern would otherwise only show as a field that is silently never found.
QStringList invalidTicketPatterns();
// How many patterns the parsers hold (all of them compiled at start-up).
int ticketPatternCount();
