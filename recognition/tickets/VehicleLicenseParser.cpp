// Vehicle licence: a bilingual label grid whose values the engine often returns as separate blocks, so
// besides the label-value lookup there is a walk to the next block that is not itself a label.
#include "TicketParsers.h"
#include "TicketText.h"

#include <QDebug>
#include <QHash>

#include <functional>

using namespace tickets;

namespace {

const Rx kNotAlnum(R"([^0-9A-Za-z])");
const Rx kProvince(R"(^[\x{4e00}-\x{9fa5}])");
const Rx kPlate(
    R"((?:号牌号码|号牌|车牌号码)[：:：]?\s*([\x{4e00}-\x{9fa5}][A-Z][\dA-Z]{4,6}|[A-Z]{2}\d{4,6}))");
const Rx kVehicleType(
    R"(车辆类型[：:：]?\s*([\x{4e00}-\x{9fa5}]+[车轿].*?)(?=\s*(?:所有人|号牌|品牌|使用|住址|车辆识别|发动机|注册|总质量|整备|核定|外廓|检验|档案|发证|Plate|VehicleType|Owner|Address|Model)|\s*$))");
const Rx kOwner(
    R"(所有人[：:：]?\s*([\x{4e00}-\x{9fa5}·]{2,20}?)(?=\s*(?:住址|车辆|品牌|使用|车辆识别|发动机|注册|总质量|整备|核定|外廓|检验|档案|发证|号牌|Address|Owner|Plate)|\s*$))");
const Rx kAddressWord(R"(^Address\s*)");
const Rx kAddress(
    R"(住址[：:：]?\s*(.+?)(?=\s*(?:车辆类型|所有人|品牌|使用性质|车辆识别|发动机|注册|总质量|整备|核定|外廓|检验|档案|发证|号牌|Plate|VehicleType|Owner)|\s*$))");
const Rx kUsage(
    R"(使用性质[：:：]?\s*([\x{4e00}-\x{9fa5}]{2,8}?)(?=\s*(?:品牌|车辆识别|发动机|注册|总质量|整备|核定|外廓|检验|档案|发证|号牌|Model|Use)|\s*$))");
const Rx kBrand(
    R"(品牌型号[：:：]?\s*([\x{4e00}-\x{9fa5}A-Za-z0-9/\-\.\s]{3,40}?)(?=\s*(?:车辆识别|发动机|注册|总质量|整备|核定|外廓|检验|档案|发证|VIN|Engine)|\s*$))");
const Rx kNotVin(R"([^A-HJ-NPR-Z0-9])");
// A VIN is exactly 17 characters: the head of a longer run is a misread, not the VIN.
const Rx kVin(R"((?:车辆识别代号|车辆识别代码|VIN|车架号)[：:：\s]*([A-HJ-NPR-Z0-9]{17})(?![A-Za-z0-9]))");
const Rx kEngine(R"(发动机号码[：:：]?\s*([A-Za-z0-9]{6,15}))");
const Rx kDate(R"((\d{4})[年\-/\.]\s*(\d{1,2})[月\-/\.]\s*(\d{1,2})[日]?)");
const Rx kRegisterDate(R"(注册日期[：:：]?\s*(\d{4})[年\-/\.]\s*(\d{1,2})[月\-/\.]\s*(\d{1,2})[日]?)");
const Rx kIssueDate(R"(发证日期[：:：]?\s*(\d{4})[年\-/\.]\s*(\d{1,2})[月\-/\.]\s*(\d{1,2})[日]?)");
const Rx kArchive(R"(档案编号[：:：]?\s*(\S+))");
const Rx kInteger(R"((\d+))");
const Rx kDecimal(R"((\d+(?:\.\d+)?))");
const Rx kCapacity(R"(核定载人数[：:：]?\s*(\d+)[人]?)");
const Rx kTotalMass(R"(总质量[：:：]?\s*(\d+(?:\.\d+)?)\s*[kK][gG]?)");
const Rx kCurbMass(R"(整备质量[：:：]?\s*(\d+(?:\.\d+)?)\s*[kK][gG]?)");
const Rx kRatedLoad(R"(核定载质量[：:：]?\s*(\d+(?:\.\d+)?)\s*[kK][gG]?)");
const Rx kSize(R"((\d+[×xX\*]?\d+[×xX\*]?\d+))");
const Rx kDimensions(R"(外[廓所]尺寸[：:：]?\s*(\d+[×xX\*]?\d+[×xX\*]?\d+)\s*[mM][mM]?)");
const Rx kInspection(R"((?:检验记录|检验配录)[：:：]?\s*(.+?)(?:\s*$))");

const QSet<QString>& labelWords()
{
    static const QSet<QString> words = [] {
        QSet<QString> w;
        for (const char* s :
             {"号牌号码", "号牌", "车牌", "车辆类型", "所有", "人", "所有人", "住址", "使用性质", "品牌型号",
              "车辆识别代号", "发动机号码", "注册日期", "发证日期", "档案编号", "核定载人数", "总质量", "整备质量",
              "核定载质量", "外廓尺寸", "检验记录", "Plate No.", "Plate", "VehicleType", "Owner", "Address",
              "Use Characler", "Use Character", "Model", "VIN", "Engine No.", "RegisterDate", "Register Date",
              "Date", "备注"})
            w.insert(QString::fromUtf8(s));
        return w;
    }();
    return words;
}

using Check = std::function<QString(const QString&)>;

QString atLeast(const QString& v, int n)
{
    return v.size() >= n ? v : QString();
}

// The plate as letters and digits, upper-cased, keeping the province character it starts with. The
// character after the province is always a letter (the issuing office); a digit there is the engine's
// reading of the letter it resembles most.
QString plate(const QString& v)
{
    const QString t = v.trimmed();
    const QString province = capture(kProvince, t, 0);
    QString rest = t.mid(province.size());
    rest.remove(kNotAlnum.re);
    static const QHash<QChar, QChar> letterFor = {
        {QLatin1Char('2'), QLatin1Char('Z')}, {QLatin1Char('5'), QLatin1Char('S')},
        {QLatin1Char('6'), QLatin1Char('G')}, {QLatin1Char('8'), QLatin1Char('B')}};
    // Only on a plate of full length: with a character lost, the one after the province may be any.
    if (!province.isEmpty() && rest.size() >= 6 && letterFor.contains(rest[0]))
        rest[0] = letterFor.value(rest[0]);
    return rest.size() >= 5 ? province + rest.toUpper() : QString();
}

struct Field
{
    const char* key;
    QStringList lookups;
    int gapPx;
    Check check;
    std::function<QString(const QString& text)> fromText;
    QStringList sweepLabels;
};

QString firstNumber(const Rx& rx, const QString& v)
{
    return capture(rx, v);
}

const QList<Field>& fields()
{
    static const QList<Field> table = {
        {"plate_number", {QStringLiteral("号牌号码"), QStringLiteral("号牌"), QStringLiteral("车牌")}, 400, plate,
         [](const QString& t) { return capture(kPlate, t).toUpper(); },
         {QStringLiteral("号牌号码"), QStringLiteral("号牌")}},
        {"vehicle_type", {QStringLiteral("车辆类型"), QStringLiteral("VehicleType")}, 400,
         [](const QString& v) { return atLeast(v, 2); }, [](const QString& t) { return capture(kVehicleType, t); },
         {QStringLiteral("车辆类型")}},
        {"owner", {QStringLiteral("所有人"), QStringLiteral("Owner")}, 400,
         [](const QString& v) { return v.size() <= 30 ? atLeast(v, 2) : QString(); },
         [](const QString& t) { return capture(kOwner, t); }, {QStringLiteral("所有人")}},
        {"address", {QStringLiteral("住址"), QStringLiteral("Address")}, 500,
         [](const QString& v) { return atLeast(QString(v).remove(kAddressWord.re).trimmed(), 4); },
         [](const QString& t) { return atLeast(capture(kAddress, t).remove(kAddressWord.re).trimmed(), 4); },
         {QStringLiteral("住址")}},
        {"usage_nature",
         {QStringLiteral("使用性质"), QStringLiteral("Use Character"), QStringLiteral("Use Characler"),
          QStringLiteral("Use")},
         400, [](const QString& v) { return atLeast(v, 2); }, [](const QString& t) { return capture(kUsage, t); },
         {QStringLiteral("使用性质")}},
        {"brand_model", {QStringLiteral("品牌型号"), QStringLiteral("Model")}, 500,
         [](const QString& v) { return atLeast(v, 3); }, [](const QString& t) { return capture(kBrand, t); },
         {QStringLiteral("品牌型号")}},
        {"vin", {QStringLiteral("车辆识别代号"), QStringLiteral("VIN")}, 400,
         [](const QString& v) {
             // Printed in capitals; the engine reads some as their small forms ("j" for "J").
             const QString c = v.toUpper().remove(kNotVin.re);
             return c.size() == 17 ? c : QString();
         },
         [](const QString& t) { return capture(kVin, t); }, {QStringLiteral("车辆识别代号")}},
        {"engine_number", {QStringLiteral("发动机号码"), QStringLiteral("Engine No.")}, 400,
         [](const QString& v) { return atLeast(QString(v).remove(kNotAlnum.re), 6); },
         [](const QString& t) { return capture(kEngine, t); }, {QStringLiteral("发动机号码")}},
        {"register_date",
         {QStringLiteral("注册日期"), QStringLiteral("RegisterDate"), QStringLiteral("Register Date")}, 200,
         [](const QString& v) { return matchDate(kDate, v); },
         [](const QString& t) { return matchDate(kRegisterDate, t); }, {QStringLiteral("注册日期")}},
        {"issue_date", {QStringLiteral("发证日期")}, 200, [](const QString& v) { return matchDate(kDate, v); },
         [](const QString& t) { return matchDate(kIssueDate, t); }, {QStringLiteral("发证日期")}},
        {"archive_number", {QStringLiteral("档案编号")}, 200, [](const QString& v) { return v; },
         [](const QString& t) { return capture(kArchive, t); }, {QStringLiteral("档案编号")}},
        {"passenger_capacity", {QStringLiteral("核定载人数")}, 200,
         [](const QString& v) { return firstNumber(kInteger, v); },
         [](const QString& t) { return capture(kCapacity, t); }, {QStringLiteral("核定载人数")}},
        {"total_mass", {QStringLiteral("总质量")}, 200, [](const QString& v) { return firstNumber(kDecimal, v); },
         [](const QString& t) { return capture(kTotalMass, t); }, {QStringLiteral("总质量")}},
        {"curb_mass", {QStringLiteral("整备质量")}, 200, [](const QString& v) { return firstNumber(kDecimal, v); },
         [](const QString& t) { return capture(kCurbMass, t); }, {QStringLiteral("整备质量")}},
        {"rated_load", {QStringLiteral("核定载质量")}, 200,
         [](const QString& v) { return firstNumber(kDecimal, v); },
         [](const QString& t) { return capture(kRatedLoad, t); }, {QStringLiteral("核定载质量")}},
        {"dimensions", {QStringLiteral("外廓尺寸")}, 300, [](const QString& v) { return firstNumber(kSize, v); },
         [](const QString& t) { return capture(kDimensions, t); }, {QStringLiteral("外廓尺寸")}},
        {"inspection_record", {QStringLiteral("检验记录"), QStringLiteral("检验配录")}, 300,
         [](const QString& v) { return atLeast(v, 2); },
         [](const QString& t) { return atLeast(capture(kInspection, t), 2); },
         {QStringLiteral("检验记录"), QStringLiteral("检验配录")}},
    };
    return table;
}

// The owner label is often split into "所有" and "人"; the anchor is then the "人" block.
int ownerAnchor(const QList<OcrTextBlockEx>& blocks, bool splitOnly)
{
    for (int i = 0; i < blocks.size(); ++i) {
        const QString t = blocks[i].text.trimmed();
        if (t == QStringLiteral("所有") && i + 1 < blocks.size() && blocks[i + 1].text.trimmed() == QStringLiteral("人")
            && blocks[i + 1].y1 - blocks[i].y2 < 10)
            return i + 1;
        if (!splitOnly && blocks[i].text.contains(QStringLiteral("所有人")))
            return i;
    }
    return -1;
}

} // namespace

QString parseVehicleLicense(const QString& ocrText, const QList<OcrTextBlockEx>& blocks)
{
    const QString text = normalise(ocrText);
    QJsonObject r = newRecord(QStringLiteral("vehicle_license"));

    for (const Field& f : fields()) {
        QString value;
        if (QLatin1String(f.key) == QLatin1String("owner")) {
            const QString v = nextValue(blocks, ownerAnchor(blocks, false), labelWords());
            if (v.size() >= 2 && v.size() <= 30)
                value = v;
        }
        for (int i = 0; value.isEmpty() && i < f.lookups.size(); ++i) {
            const QString v = labelValue(blocks, f.lookups[i], f.gapPx);
            if (!v.isEmpty())
                value = f.check(v);
        }
        if (value.isEmpty())
            value = f.fromText(text);
        if (!value.isEmpty())
            r.insert(QLatin1String(f.key), value);
    }

    // Last sweep: the next non-label block after a label the engine did find.
    for (const Field& f : fields()) {
        if (has(r, QLatin1String(f.key)))
            continue;
        int anchor = -1;
        for (int i = 0; anchor < 0 && i < f.sweepLabels.size(); ++i)
            anchor = firstBlockContaining(blocks, f.sweepLabels[i]);
        if (anchor < 0 && QLatin1String(f.key) == QLatin1String("owner"))
            anchor = ownerAnchor(blocks, true);
        // Swept values pass the field's validation too: an 18-character run is no VIN.
        const QString v = nextValue(blocks, anchor, labelWords());
        const QString checked = v.isEmpty() ? v : f.check(v);
        if (!checked.isEmpty())
            r.insert(QLatin1String(f.key), checked);
    }

    qInfo().noquote() << "[parseVehicleLicense] Parsed fields:" << r.value(QStringLiteral("plate_number")).toString()
                      << r.value(QStringLiteral("vehicle_type")).toString()
                      << r.value(QStringLiteral("owner")).toString() << r.value(QStringLiteral("vin")).toString();
    return finishRecord(r, ocrText, 800);
}
