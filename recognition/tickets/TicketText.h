#pragma once
// Helpers the four ticket parsers share: compiled patterns, text normalisation, dates, and the two
// block lookups (a label and the value beside or below it; the next non-label block after an anchor).
#include "OCRProcessor.h"

#include <QJsonObject>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QString>

namespace tickets {

// A pattern defined at namespace scope; each registers itself so that one walk can check them all.
struct Rx
{
    explicit Rx(const char* utf8Pattern,
                QRegularExpression::PatternOptions options = QRegularExpression::NoPatternOption);
    QRegularExpression re;
};
const QList<const Rx*>& allPatterns();

// Line breaks become spaces and runs of spaces one space.
QString normalise(const QString& text);

// The trimmed capture `group` of the first match in `text`, or empty.
QString capture(const Rx& rx, const QString& text, int group = 1);

// "yyyy-MM-dd" from numeric texts; empty when the month is outside 1-12 or the day outside 1-31.
QString makeDate(const QString& year, const QString& month, const QString& day);
// The date of the first match of a pattern whose groups 1-3 are year, month, day; empty when none or invalid.
QString matchDate(const Rx& rx, const QString& text);

// The record every parser starts from and the serialisation every parser ends with.
QJsonObject newRecord(const QString& type);
QString finishRecord(QJsonObject record, const QString& ocrText, int rawLength);

int centreX(const OcrTextBlockEx& b);
int centreY(const OcrTextBlockEx& b);
int firstBlockContaining(const QList<OcrTextBlockEx>& blocks, const QString& word);

// The value for `label`: inside the label's own block, else the nearest block to the right within
// `maxGapPx`, else the first block just below. Empty when the label is not there or nothing qualifies.
QString labelValue(const QList<OcrTextBlockEx>& blocks, const QString& label, int maxGapPx);

// The first block after `anchor` (within 15 blocks and 200 px below it) that is not itself a label.
QString nextValue(const QList<OcrTextBlockEx>& blocks, int anchor, const QSet<QString>& labelWords);

bool has(const QJsonObject& record, const QString& key);

} // namespace tickets
