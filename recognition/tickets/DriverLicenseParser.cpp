// Driving licence: bilingual labels in a grid, so each field first asks the blocks for the value beside
// its label, then falls back to patterns over the text, and a last sweep takes whatever a label block holds.
#include "TicketParsers.h"
#include "TicketText.h"

#include <QDebug>

using namespace tickets;

namespace {

const Rx kNameHead(R"(^[\x{4e00}-\x{9fff}A-Za-z·]{1,10})");
const Rx kName(R"((?:姓名|名称|Name)[：:：\s]*([\x{4e00}-\x{9fff}A-Za-z·]{1,10}))");
const Rx kGender(R"((?:性别)[：:：]?\s*([男女]))");
const Rx kNationalityWord(R"((Nationality|Naionli|Natioa?l?i?t?y?|Nation))");
const Rx kCountry(R"((中国|CHN|China|外国|USA|JPN|KOR|GBR))");
const Rx kDotsSpaces(R"([.。\s]+)");
const Rx kDotsSpacesSlashes(R"([.。\s/]+)");
const Rx kNationality(
    R"((?:Nationality|Natioality|Naionli|Nationa?l?i?t?y?)[：:：\s.]*(\S+?)(?:\s|$|住址|出生|初次|准驾|有效|证号|档案))");
const Rx kCountryAnywhere(R"((中国|CHN|China|外国))");
const Rx kAddressHead(R"(^.*?(住址|Address)[\s:：]*)");
const Rx kAddressWord(R"(^Address[\s:：]*)");
const Rx kLeadingNoise(R"(^\s*[；;，,“”"'‘’]+)");
const Rx kHouseNumberOnly(R"(^\d+号)");
const Rx kAddress(
    R"((?:住址|Address)[：:：\s]*(.+?)(?=\s*(?:出生|初次|准驾|有效|证号|档案|性别|国籍|姓名|Address|Date|Class|记录)|\s*$))");
const Rx kDate(R"((\d{4})[年\-/ \.](\d{1,2})[月\-/ \.](\d{1,2}))");
const Rx kBirth(R"((?:出生)(?:日期)?[：:：]?\s*(\d{4})[年\-/ \.](\d{1,2})[月\-/ \.](\d{1,2})[日]?)");
const Rx kSpacedDate(R"((\d{4})\s*[年\-/\.]\s*(\d{1,2})\s*[月\-/\.]\s*(\d{1,2})[日]?)");
const Rx kFirstIssue(
    R"((?:初次领证|Date of First Issue)(?:日期)?[：:：\s]*(\d{4})\s*[年\-/\.]\s*(\d{1,2})\s*[月\-/\.]\s*(\d{1,2})[日]?)");
const Rx kFirstIssueLoose(
    R"((?:初次领证|Date of First Issue)\S{0,6}?(\d{4})\s*[年\-/\.]\s*(\d{1,2})\s*[月\-/\.]\s*(\d{1,2})[日]?)");
const Rx kClassWord(R"(^Class\s*)", QRegularExpression::CaseInsensitiveOption);
const Rx kLetter(R"([A-Za-z])");
const Rx kClass(R"((?:准驾车型)[：:：]?\s*([A-Za-z0-9，、\s]{1,20}))");
const Rx kDigit(R"(\d)");
const Rx kHan(R"([\x{4e00}-\x{9fa5}])");
const Rx kValidity(R"((?:有效期限)[：:：]?\s*(.+?)(?:\s*至|\s*$))");
const Rx kNotAlnum(R"([^0-9A-Za-z])");
const Rx kLicenceNumber(R"((?:证号|驾驶证号)[：:：]?\s*([0-9A-Za-z]{10,20}))");
const Rx kArchive(R"((?:档案编号)[：:：]?\s*(\S+))");
const Rx kLeadingSeparators(R"(^[：:\s]+)");

const QStringList kStopLabels = {
    QStringLiteral("出生日期"), QStringLiteral("出生"), QStringLiteral("初次领证"), QStringLiteral("初次"),
    QStringLiteral("准驾车型"), QStringLiteral("准驾"), QStringLiteral("有效期限"), QStringLiteral("有效"),
    QStringLiteral("证号"), QStringLiteral("驾驶证号"), QStringLiteral("档案编号"), QStringLiteral("档案"),
    QStringLiteral("性别"), QStringLiteral("国籍"), QStringLiteral("姓名"), QStringLiteral("记录"),
    QStringLiteral("Address"), QStringLiteral("Date of Birth"), QStringLiteral("Date of First Issue"),
    QStringLiteral("Date"), QStringLiteral("Class"), QStringLiteral("Name"), QStringLiteral("Sex"),
    QStringLiteral("Nationality"), QStringLiteral("Valid Period"), QStringLiteral("Valid"), QStringLiteral("Period")};

bool containsAny(const QString& text, const QStringList& words)
{
    for (const QString& w : words)
        if (text.contains(w))
            return true;
    return false;
}

QString name(const QString& text, const QList<OcrTextBlockEx>& blocks)
{
    QString v = labelValue(blocks, QStringLiteral("姓名"), 150);
    if (v.isEmpty())
        v = labelValue(blocks, QStringLiteral("Name"), 150);
    if (v.size() > 10)
        v = capture(kNameHead, v, 0);
    if (!v.isEmpty())
        return v;
    v = capture(kName, text);
    if (!v.isEmpty())
        return v;

    int li = firstBlockContaining(blocks, QStringLiteral("姓名"));
    QString label = QStringLiteral("姓名");
    if (li < 0) {
        li = firstBlockContaining(blocks, QStringLiteral("Name"));
        label = QStringLiteral("Name");
    }
    if (li < 0)
        return {};
    const OcrTextBlockEx& l = blocks[li];
    v = l.text.mid(l.text.indexOf(label) + label.size());
    v.remove(kLeadingSeparators.re);
    v = v.trimmed();
    static const QStringList otherLabels = {QStringLiteral("证号"), QStringLiteral("性别"), QStringLiteral("国籍"),
                                            QStringLiteral("住址"), QStringLiteral("档案"), QStringLiteral("出生"),
                                            QStringLiteral("初次"), QStringLiteral("准驾"), QStringLiteral("有效")};
    if (!v.isEmpty() && v.size() <= 10 && !containsAny(v, otherLabels))
        return v;
    for (int i = li + 1; i < blocks.size(); ++i) {
        const OcrTextBlockEx& b = blocks[i];
        if (b.x1 < l.x2 - 5)
            continue;
        if (b.x1 > l.x2 + 200)
            break;
        const QString t = b.text.trimmed();
        if (!t.isEmpty() && t.size() <= 10)
            return t;
    }
    return {};
}

QString nationality(const QString& text, const QList<OcrTextBlockEx>& blocks)
{
    for (const OcrTextBlockEx& b : blocks) {
        const QString t = b.text.trimmed();
        if (!kNationalityWord.re.match(t).hasMatch())
            continue;
        const QString country = capture(kCountry, t);
        if (!country.isEmpty())
            return t.contains(QStringLiteral("中国")) ? QStringLiteral("中国") : country;
    }
    QString v = labelValue(blocks, QStringLiteral("国籍"), 150);
    if (!v.isEmpty())
        return v;
    for (const char* spelling : {"Nationality", "Natioality", "Naionli", "Nation"}) {
        v = labelValue(blocks, QLatin1String(spelling), 200).remove(kDotsSpaces.re);
        if (!v.isEmpty() && v.size() < 16)
            return v;
    }
    v = capture(kNationality, text).remove(kDotsSpacesSlashes.re);
    if (!v.isEmpty() && v.size() <= 10)
        return v;
    return capture(kCountryAnywhere, text);
}

QString address(const QString& text, const QList<OcrTextBlockEx>& blocks)
{
    int ai = firstBlockContaining(blocks, QStringLiteral("住址"));
    for (int i = 0; ai < 0 && i < blocks.size(); ++i) {
        const QString& t = blocks[i].text;
        if (t.contains(QLatin1String("Address")) && !t.contains(QLatin1String("Nationality"))
            && !t.contains(QLatin1String("Date of Birth")))
            ai = i;
    }
    if (ai >= 0) {
        const OcrTextBlockEx& a = blocks[ai];
        QString joined = a.text;
        joined.remove(kAddressHead.re);
        joined.remove(kAddressWord.re);
        joined.remove(kLeadingNoise.re);
        static const QStringList shortLabels = {
            QStringLiteral("出生"), QStringLiteral("初次"), QStringLiteral("准驾"), QStringLiteral("有效"),
            QStringLiteral("证号"), QStringLiteral("档案"), QStringLiteral("性别"), QStringLiteral("国籍"),
            QStringLiteral("姓名"), QStringLiteral("Date"), QStringLiteral("Class"), QStringLiteral("Name"),
            QStringLiteral("Sex"), QStringLiteral("Valid")};
        for (int i = 0; i < blocks.size(); ++i) {
            if (i == ai)
                continue;
            const OcrTextBlockEx& b = blocks[i];
            if (b.y1 < a.y2 - 5)
                continue;
            const QString t = b.text.trimmed();
            if (b.y1 > a.y2 + 200 || containsAny(b.text, kStopLabels)
                || (t.size() < 4 && shortLabels.contains(t)))
                break;
            joined += t;
        }
        joined = joined.trimmed().left(200);
        int cut = joined.size();
        for (const QString& stop : kStopLabels) {
            const int at = joined.indexOf(stop);
            if (at >= 0 && at < cut)
                cut = at;
        }
        joined = joined.left(cut).trimmed();
        if (joined.size() >= 4 && !joined.startsWith(QLatin1String("Address"))
            && !kHouseNumberOnly.re.match(joined).hasMatch())
            return joined;
    }
    const QString v = capture(kAddress, text);
    return v.size() >= 4 ? v : QString();
}

QString dateBy(const QList<OcrTextBlockEx>& blocks, const QStringList& labels, const Rx& date)
{
    QString v;
    for (const QString& label : labels) {
        v = labelValue(blocks, label, 600);
        if (!v.isEmpty())
            break;
    }
    return matchDate(date, v);
}

// A period starts with a date; a class code there means the engine read the next column.
bool isPeriod(const QString& v)
{
    return v.size() >= 4 && kDigit.re.match(v).hasMatch() && !v.startsWith(QLatin1String("Class"))
           && !v.startsWith(QLatin1String("C1")) && !v.startsWith(QLatin1String("C2"));
}

} // namespace

QString parseDriverLicense(const QString& ocrText, const QList<OcrTextBlockEx>& blocks)
{
    const QString text = normalise(ocrText);
    QJsonObject r = newRecord(QStringLiteral("driver_license"));
    auto set = [&r](const char* key, const QString& value) {
        if (!value.isEmpty())
            r.insert(QLatin1String(key), value);
    };

    set("name", name(text, blocks));

    const QString g = labelValue(blocks, QStringLiteral("性别"), 300);
    QString gender = g.contains(QStringLiteral("男")) ? QStringLiteral("男")
                     : g.contains(QStringLiteral("女")) ? QStringLiteral("女")
                                                         : capture(kGender, text);
    set("gender", gender);

    QString nation = nationality(text, blocks);
    if (nation == QLatin1String("CHN") || nation == QLatin1String("China"))
        nation = QStringLiteral("中国");
    set("nationality", nation);

    set("address", address(text, blocks));

    QString birth = dateBy(blocks, {QStringLiteral("出生日期"), QStringLiteral("出生")}, kDate);
    if (birth.isEmpty())
        birth = matchDate(kBirth, text);
    set("birth_date", birth);

    QString first = dateBy(blocks,
                           {QStringLiteral("初次领证日期"), QStringLiteral("初次领证"),
                            QStringLiteral("Date of First Issue")},
                           kSpacedDate);
    if (first.isEmpty())
        first = matchDate(kFirstIssue, text);
    if (first.isEmpty())
        first = matchDate(kFirstIssueLoose, text);
    set("first_issue_date", first);

    // Class codes are Latin letters and digits; a Chinese character inside one is the engine reading a
    // speck between two printed characters ("A人1").
    QString cls = labelValue(blocks, QStringLiteral("准驾车型"), 200).remove(kClassWord.re);
    cls = cls.remove(kHan.re).trimmed();
    if (!kLetter.re.match(cls).hasMatch() || cls.size() >= 11)
        cls = capture(kClass, text).remove(kClassWord.re).trimmed();
    set("vehicle_class", cls);

    QString period = labelValue(blocks, QStringLiteral("有效期限"), 300);
    if (!isPeriod(period))
        period = capture(kValidity, text);
    if (!isPeriod(period))
        period.clear();
    set("validity_period", period);

    QString number = labelValue(blocks, QStringLiteral("证号"), 600);
    if (number.isEmpty())
        number = labelValue(blocks, QStringLiteral("驾驶证号"), 600);
    number.remove(kNotAlnum.re);
    if (number.size() < 10)
        number = capture(kLicenceNumber, text);
    set("license_number", number);

    QString archive = labelValue(blocks, QStringLiteral("档案编号"), 600);
    if (archive.isEmpty())
        archive = capture(kArchive, text);
    set("archive_number", archive);

    // Last sweep: a label block that still holds something after the label.
    static const std::pair<const char*, const char*> sweep[] = {
        {"name", "姓名"},          {"gender", "性别"},           {"nationality", "国籍"},
        {"address", "住址"},       {"birth_date", "出生日期"},   {"first_issue_date", "初次领证"},
        {"vehicle_class", "准驾车型"}, {"validity_period", "有效期限"}, {"license_number", "证号"},
        {"archive_number", "档案编号"}};
    for (const auto& [key, labelUtf8] : sweep) {
        if (has(r, QLatin1String(key)))
            continue;
        const QString label = QString::fromUtf8(labelUtf8);
        const int i = firstBlockContaining(blocks, label);
        if (i < 0)
            continue;
        QString v = blocks[i].text;
        v.remove(label);
        v.remove(kLeadingSeparators.re);
        v = v.trimmed();
        if (v.isEmpty() || (QLatin1String(key) == QLatin1String("validity_period") && !isPeriod(v)))
            continue;
        set(key, v);
    }

    qInfo().noquote() << "[parseDriverLicense] Parsed fields:" << r.value(QStringLiteral("name")).toString()
                      << r.value(QStringLiteral("nationality")).toString()
                      << r.value(QStringLiteral("license_number")).toString()
                      << r.value(QStringLiteral("archive_number")).toString()
                      << r.value(QStringLiteral("vehicle_class")).toString();
    return finishRecord(r, ocrText, 500);
}
