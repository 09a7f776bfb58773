// Resident identity card: labels and values mostly come in one line each, so the text patterns lead
// and the blocks are the fallback.
#include "TicketParsers.h"
#include "TicketText.h"

#include <QDebug>

using namespace tickets;

namespace {

const QString kId = QStringLiteral(R"([1-9]\d{5}(?:19|20)\d{2}(?:0[1-9]|1[0-2])(?:0[1-9]|[12]\d|3[01])\d{3}[\dXx])");

const Rx kName(R"(姓名[：:：]?\s*(\S{1,10}))");
const Rx kGender(R"(性别[：:：]?\s*([男女]))");
const Rx kGenderLoose(R"((?:^|\s)([男女])\s|性别\s*([男女]))");
const Rx kEthnicity(R"(民族[：:：]?\s*(\S{1,4}))");
const Rx kBirth(R"(出生[：:：]?\s*(\d{4})[年\-/\.](\d{1,2})[月\-/\.](\d{1,2})[日]?)");
// Eight digits standing alone; inside the number they would start at the region code.
const Rx kEightDigits(R"((?<![\dXx])(\d{4})(\d{2})(\d{2})(?![\dXx]))");
const Rx kAddress(R"(住址[：:：]?\s*(.+?)\s*(?:公民身份)?号码)");
const Rx kAddressBeforeNumber(R"(住址[：:：]?\s*(.+?)\s*(?=[1-9]\d{5}(?:19|20)\d{2}))");
const Rx kIdLabelled((QStringLiteral(R"((?:公民身份)?号码[：:：]?\s*()") + kId + QStringLiteral(")")).toUtf8().constData());
const Rx kIdAlone((QStringLiteral(R"((?:^|\s)()") + kId + QStringLiteral(R"()(?:\s|$))")).toUtf8().constData());
const Rx kIdAnywhere((QStringLiteral(R"(\b()") + kId + QStringLiteral(R"()\b)")).toUtf8().constData());
const Rx kIssuer(R"(签发机关[：:：]?\s*(.+?)(?:\s*有效期限|\s*$))");
const Rx kValidity(R"(有效期限[：:：]?\s*(\S.*))");
const Rx kIssueDate(R"((\d{4})[.\-年/](\d{1,2})[.\-月/](\d{1,2})\s*[-—至到])");
const Rx kIssueDateCompact(R"((\d{4})(\d{2})(\d{2})\s*[-—至到])");

// The text of the first block holding `label`, with the label and colons (and spaces when asked) removed.
QString blockRest(const QList<OcrTextBlockEx>& blocks, const QString& label, bool dropSpaces)
{
    const int i = firstBlockContaining(blocks, label);
    if (i < 0)
        return {};
    QString t = blocks[i].text;
    t = t.mid(t.indexOf(label) + label.size());
    t.remove(QStringLiteral("：")).remove(QLatin1Char(':'));
    if (dropSpaces)
        t.remove(QRegularExpression(QStringLiteral("\\s")));
    return t.trimmed();
}

QString cutBefore(QString value, const QString& word)
{
    const int at = value.indexOf(word, 1);
    return at > 0 ? value.left(at) : value;
}

QString birthDate(const QString& text)
{
    QString date = matchDate(kBirth, text);
    if (!date.isEmpty())
        return date;
    // Without the label, the number carries the date of birth; only then a lone eight-digit date.
    const QString id = capture(kIdAnywhere, text);
    if (!id.isEmpty()) {
        date = makeDate(id.mid(6, 4), id.mid(10, 2), id.mid(12, 2));
        if (!date.isEmpty())
            return date;
    }
    QRegularExpressionMatchIterator it = kEightDigits.re.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int year = m.captured(1).toInt();
        if (year < 1900 || year > 2100)
            continue;
        date = makeDate(m.captured(1), m.captured(2), m.captured(3));
        if (!date.isEmpty())
            return date;
    }
    return {};
}

} // namespace

QString parseIDCard(const QString& ocrText, const QList<OcrTextBlockEx>& blocks)
{
    const QString text = normalise(ocrText);
    QJsonObject r = newRecord(QStringLiteral("idcard"));
    auto set = [&r](const char* key, const QString& value) {
        if (!value.isEmpty())
            r.insert(QLatin1String(key), value);
    };

    QString name = cutBefore(cutBefore(capture(kName, text), QStringLiteral("性别")), QStringLiteral("民族"));
    if (name.isEmpty() || name.size() > 5) {
        name = blockRest(blocks, QStringLiteral("姓名"), true);
        if (name.size() > 6)
            name.clear();
    }
    set("name", name);

    QString gender = capture(kGender, text);
    if (gender.isEmpty()) {
        const QRegularExpressionMatch m = kGenderLoose.re.match(text);
        if (m.hasMatch())
            gender = m.captured(1).isEmpty() ? m.captured(2) : m.captured(1);
    }
    for (int i = 0; gender.isEmpty() && i < blocks.size(); ++i) {
        if (blocks[i].text.contains(QStringLiteral("男")))
            gender = QStringLiteral("男");
        else if (blocks[i].text.contains(QStringLiteral("女")))
            gender = QStringLiteral("女");
    }
    set("gender", gender);

    QString ethnicity = cutBefore(capture(kEthnicity, text), QStringLiteral("出生"));
    if (ethnicity.isEmpty())
        ethnicity = blockRest(blocks, QStringLiteral("民族"), false);
    set("ethnicity", ethnicity);

    set("birth_date", birthDate(text));

    QString address = capture(kAddress, text);
    if (address.size() < 2)
        address = capture(kAddressBeforeNumber, text);
    if (address.size() < 2)
        address = blockRest(blocks, QStringLiteral("住址"), true);
    if (address.size() >= 2)
        set("address", address);

    QString id = capture(kIdLabelled, text);
    if (id.isEmpty())
        id = capture(kIdAlone, text);
    if (id.isEmpty())
        id = capture(kIdAnywhere, text);
    set("id_number", id.toUpper());

    QString issuer = capture(kIssuer, text);
    if (issuer.isEmpty())
        issuer = blockRest(blocks, QStringLiteral("签发机关"), false);
    set("issuer", issuer);

    QString validity = capture(kValidity, text);
    if (validity.isEmpty())
        validity = blockRest(blocks, QStringLiteral("有效期限"), false);
    set("validity_period", validity);

    QString issued = matchDate(kIssueDate, validity);
    if (issued.isEmpty())
        issued = matchDate(kIssueDateCompact, validity);
    set("issue_date", issued);

    qInfo().noquote() << "[parseIDCard] Parsed fields:" << name << gender << ethnicity
                      << r.value(QStringLiteral("birth_date")).toString() << address << id.toUpper() << issuer
                      << validity << issued;
    return finishRecord(r, ocrText, 500);
}
