#include "TicketText.h"
#include "TicketParsers.h"

#include <QDateTime>
#include <QJsonDocument>

#include <cstdlib>

namespace tickets {
namespace {

QList<const Rx*>& registry()
{
    static QList<const Rx*> patterns;
    return patterns;
}

const Rx kLeadingSeparators(R"(^[：:\s]+)");
// The engine reads the ruling or a speck before a value as a quote mark or semicolon.
const Rx kLeadingNoise(R"(^[；;，,“”"'‘’]+)");
const Rx kLabelTail(R"(^(日期|日|别|类|型|码|期限|编号|车型)$)");
// Licences print an English label after the Chinese one ("姓名 Name"); it is part of the label, not the value,
// and so is the full stop or comma the engine reads after it ("Plate No。").
const Rx kEnglishLabelTail(
    R"(^(?:Date\s*of\s*First\s*Issue|Date\s*of\s*Birth|Valid\s*Period|Nationality|Name|Sex|Address|Class|)"
    R"(Plate\s*No\.?|Vehicle\s*Type|Owner|Use\s*Charac[tl]er|Model|VIN|Engine\s*No\.?|Register\s*Date|Issue\s*Date)[\s:：.。，,]*)",
    QRegularExpression::CaseInsensitiveOption);
const Rx kEnglishLabel(
    R"(^(Address|Owner|Model|VehicleType|Plate\s*No\.?|Use\s*Characler|Use\s*Character|VIN|Engine\s*No\.?|RegisterDate|Register\s*Date)\s*)",
    QRegularExpression::CaseInsensitiveOption);

} // namespace

Rx::Rx(const char* utf8Pattern, QRegularExpression::PatternOptions options)
    : re(QString::fromUtf8(utf8Pattern), options)
{
    re.optimize();
    registry().append(this);
}

const QList<const Rx*>& allPatterns()
{
    return registry();
}

QString normalise(const QString& text)
{
    QString t = text;
    t.replace(QLatin1Char('\n'), QLatin1Char(' '));
    t.replace(QLatin1Char('\r'), QLatin1Char(' '));
    while (t.contains(QLatin1String("  ")))
        t.replace(QLatin1String("  "), QLatin1String(" "));
    return t;
}

QString capture(const Rx& rx, const QString& text, int group)
{
    const QRegularExpressionMatch m = rx.re.match(text);
    return m.hasMatch() ? m.captured(group).trimmed() : QString();
}

QString makeDate(const QString& year, const QString& month, const QString& day)
{
    bool okM = false;
    bool okD = false;
    const int m = month.toInt(&okM);
    const int d = day.toInt(&okD);
    if (year.size() != 4 || !okM || !okD || m < 1 || m > 12 || d < 1 || d > 31)
        return {};
    return QStringLiteral("%1-%2-%3").arg(year).arg(m, 2, 10, QLatin1Char('0')).arg(d, 2, 10, QLatin1Char('0'));
}

QString matchDate(const Rx& rx, const QString& text)
{
    const QRegularExpressionMatch m = rx.re.match(text);
    return m.hasMatch() ? makeDate(m.captured(1), m.captured(2), m.captured(3)) : QString();
}

QJsonObject newRecord(const QString& type)
{
    QJsonObject record;
    record.insert(QStringLiteral("type"), type);
    record.insert(QStringLiteral("recognize_time"),
                  QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    return record;
}

QString finishRecord(QJsonObject record, const QString& ocrText, int rawLength)
{
    record.insert(QStringLiteral("raw_ocr"), ocrText.left(rawLength));
    return QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact));
}

int centreX(const OcrTextBlockEx& b)
{
    return (b.x1 + b.x2) / 2;
}

int centreY(const OcrTextBlockEx& b)
{
    return (b.y1 + b.y2) / 2;
}

int firstBlockContaining(const QList<OcrTextBlockEx>& blocks, const QString& word)
{
    for (int i = 0; i < blocks.size(); ++i)
        if (blocks[i].text.contains(word))
            return i;
    return -1;
}

QString labelValue(const QList<OcrTextBlockEx>& blocks, const QString& label, int maxGapPx)
{
    const int li = firstBlockContaining(blocks, label);
    if (li < 0)
        return {};
    const OcrTextBlockEx& l = blocks[li];

    // The engine often keeps "label：value" in one block.
    QString rest = l.text.mid(l.text.indexOf(label) + label.size());
    rest.remove(kLeadingSeparators.re);
    rest.remove(kEnglishLabelTail.re);
    rest.remove(kLeadingNoise.re);
    rest = rest.trimmed();
    if (!rest.isEmpty() && !kLabelTail.re.match(rest).hasMatch())
        return rest;

    int best = -1;
    int bestScore = 99999;
    for (int i = 0; i < blocks.size(); ++i) {
        if (i == li)
            continue;
        const OcrTextBlockEx& b = blocks[i];
        if (b.y2 < l.y1 - 5 || b.y1 > l.y2 + 5 || b.x1 < l.x2 - 5)
            continue;
        const int gap = b.x1 - l.x2;
        if (gap > maxGapPx)
            continue;
        const int score = std::abs(centreY(b) - centreY(l)) + gap;
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    if (best >= 0) {
        const QString right = blocks[best].text.trimmed().remove(kLeadingNoise.re).trimmed();
        if (!right.isEmpty())
            return right;
    }

    const int halfWidth = (l.x2 - l.x1) / 2;
    for (int i = 0; i < blocks.size(); ++i) {
        if (i == li)
            continue;
        const OcrTextBlockEx& b = blocks[i];
        if (b.y1 >= l.y2 - 3 && b.y1 <= l.y2 + 150 && std::abs(centreX(b) - centreX(l)) < halfWidth)
            return b.text.trimmed();
    }
    return {};
}

QString nextValue(const QList<OcrTextBlockEx>& blocks, int anchor, const QSet<QString>& labelWords)
{
    if (anchor < 0 || anchor >= blocks.size())
        return {};
    const int limitY = blocks[anchor].y2 + 200;
    const int end = qMin(blocks.size(), anchor + 16);
    for (int i = anchor + 1; i < end; ++i) {
        const OcrTextBlockEx& b = blocks[i];
        if (b.y1 > limitY)
            break;
        const QString t = b.text.trimmed();
        if (t.isEmpty())
            continue;
        bool isLabel = false;
        for (const QString& w : labelWords)
            if (t.startsWith(w)) { // "equals" is the case of an empty rest
                isLabel = true;
                break;
            }
        if (isLabel)
            continue;
        QString value = t;
        value.remove(kEnglishLabel.re);
        value = value.trimmed();
        if (!value.isEmpty())
            return value;
    }
    return {};
}

bool has(const QJsonObject& record, const QString& key)
{
    return !record.value(key).toString().isEmpty();
}

} // namespace tickets

QStringList invalidTicketPatterns()
{
    QStringList bad;
    for (const tickets::Rx* rx : tickets::allPatterns())
        if (!rx->re.isValid())
            bad << rx->re.pattern() + QStringLiteral(": ") + rx->re.errorString();
    return bad;
}

int ticketPatternCount()
{
    return tickets::allPatterns().size();
}
