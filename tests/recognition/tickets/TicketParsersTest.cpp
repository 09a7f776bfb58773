// Known-answer records for the four parsers: OCR texts and block layouts as the engine returns them for
// each document, and the fields that must (and must not) come out.
#include "TicketParsers.h"
#include "TicketResultView.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <functional>
#include <map>

namespace {

using Parser = std::function<QString(const QString&, const QList<OcrTextBlockEx>&)>;
using Fields = std::map<std::string, std::string>;

OcrTextBlockEx block(const char* text, int x1, int y1, int x2, int y2)
{
    return OcrTextBlockEx{QString::fromUtf8(text), 90.0f, x1, y1, x2, y2};
}

QJsonObject parsed(const Parser& parse, const char* text, const QList<OcrTextBlockEx>& blocks)
{
    const QString json = parse(QString::fromUtf8(text), blocks);
    EXPECT_FALSE(json.contains(QLatin1Char('\n'))) << "records are compact";
    return QJsonDocument::fromJson(json.toUtf8()).object();
}

struct Case
{
    const char* what;
    Parser parse;
    const char* text;
    QList<OcrTextBlockEx> blocks;
    Fields expected; // a value "" means the key must be absent
};

class TicketParsers : public ::testing::TestWithParam<Case>
{
};

TEST_P(TicketParsers, GiveTheKnownFields)
{
    const Case& c = GetParam();
    const QJsonObject r = parsed(c.parse, c.text, c.blocks);
    for (const auto& [key, value] : c.expected) {
        const QString k = QString::fromStdString(key);
        if (value.empty())
            EXPECT_FALSE(r.contains(k)) << key << " = " << r.value(k).toString().toStdString();
        else
            EXPECT_EQ(r.value(k).toString().toStdString(), value) << key;
    }
}

const Case kCases[] = {
    {"idcard text", parseIDCard,
     "姓名 张三丰 性别 男 民族 汉\n出生 1990年3月7日\n住址 北京市东城区景山前街4号\n公民身份号码 11010519900307002x",
     {},
     {{"name", "张三丰"},
      {"gender", "男"},
      {"ethnicity", "汉"},
      {"birth_date", "1990-03-07"},
      {"address", "北京市东城区景山前街4号"},
      {"id_number", "11010519900307002X"}}},
    // Without a birth label the region code 190101 must not read as 1901-01-19.
    {"idcard birth from number", parseIDCard, "190101199003071234", {},
     {{"birth_date", "1990-03-07"}, {"id_number", "190101199003071234"}}},
    {"idcard back", parseIDCard, "签发机关 某市公安局 有效期限 2015.06.01-2035.06.01", {},
     {{"issuer", "某市公安局"}, {"validity_period", "2015.06.01-2035.06.01"}, {"issue_date", "2015-06-01"}}},
    {"driver gender in neighbour block", parseDriverLicense, "",
     {block("性别", 100, 200, 160, 230), block("男", 400, 202, 430, 228), block("国籍 中国", 600, 200, 760, 230)},
     {{"gender", "男"}}},
    // The English half of a bilingual label is not the value; the value stands beside or below.
    {"driver bilingual labels", parseDriverLicense, "",
     {block("姓名Name", 100, 300, 300, 340), block("杨芳强", 420, 300, 560, 340),
      block("出生日期Date of Birth", 100, 600, 500, 640), block("1962-11-03", 100, 650, 300, 690)},
     {{"name", "杨芳强"}, {"birth_date", "1962-11-03"}}},
    {"driver class after validity label", parseDriverLicense, "",
     {block("准驾车型", 100, 400, 220, 430), block("C1", 300, 400, 340, 430), block("有效期限", 100, 460, 220, 490),
      block("C1", 300, 460, 340, 490)},
     {{"vehicle_class", "C1"}, {"validity_period", ""}}},
    {"driver class with a speck read as a character", parseDriverLicense, "",
     {block("准驾车型Class", 100, 400, 300, 430), block("A人1", 100, 440, 160, 470)},
     {{"vehicle_class", "A1"}}},
    {"driver class after validity label, text only", parseDriverLicense, "准驾车型 C1 有效期限 C1", {},
     {{"vehicle_class", "C1"}, {"validity_period", ""}}},
    {"driver text", parseDriverLicense,
     "姓名 李四 性别 女 国籍 CHN 出生日期 1985-7-9 初次领证日期 2005-01-02 准驾车型 C1 证号 110105198507090021 "
     "有效期限 2015-01-02至2025-01-02 档案编号 110012345678",
     {},
     {{"name", "李四"},
      {"gender", "女"},
      {"nationality", "中国"},
      {"birth_date", "1985-07-09"},
      {"first_issue_date", "2005-01-02"},
      {"vehicle_class", "C1"},
      {"license_number", "110105198507090021"},
      {"validity_period", "2015-01-02"},
      {"archive_number", "110012345678"}}},
    {"vat two 名称 blocks", parseVATInvoice, "",
     {block("名称：甲方贸易有限公司", 100, 300, 500, 330), block("名称：乙方科技有限公司", 900, 300, 1300, 330),
      block("纳税人识别号：91110000600037341L", 100, 340, 520, 370),
      block("纳税人识别号：91310000MA1FL0XX2K", 900, 340, 1320, 370)},
     {{"buyer_name", "甲方贸易有限公司"},
      {"seller_name", "乙方科技有限公司"},
      {"buyer_tax_id", "91110000600037341L"},
      {"seller_tax_id", "91310000MA1FL0XX2K"}}},
    // One 名称 block: the divider is half the widest x2 (800), so the right-hand block is the seller's.
    {"vat one 名称 block", parseVATInvoice, "",
     {block("名称：乙方科技有限公司", 900, 300, 1300, 330), block("纳税人识别号：91110000600037341L", 100, 340, 520, 370),
      block("电话：010-1234567", 1000, 500, 1600, 530)},
     {{"seller_name", "乙方科技有限公司"},
      {"buyer_name", ""},
      {"buyer_tax_id", "91110000600037341L"},
      {"seller_address_phone", "010-1234567"}}},
    {"vat text", parseVATInvoice,
     "发票代码：011001900111 发票号码：12345678 开票日期：2024年5月6日 价税合计（大写）壹佰壹拾叁元整 "
     "价税合计（小写）：¥1,130.00 税率：13% 备注",
     {},
     {{"invoice_code", "011001900111"},
      {"invoice_number", "12345678"},
      {"invoice_date", "2024-05-06"},
      {"total_amount_lower", "1130.00"},
      {"tax_rate", "13%"}}},
    // As the engine reads a photographed invoice: colons as semicolons or commas, the first character of
    // a line lost, the brackets and the yen sign garbled; a printed total without "价税合计" before it.
    {"vat text misread", parseVATInvoice,
     "票号码; 41754515\n开票日期，2023年10月13晶\n购买方名称;示例贸易有限公司\n销售方名称，假想文具有限公司\n"
     "纳税人识别号: 911100009239451983\n价税合计〈人小写) : Y5,549.09\n备注",
     {},
     {{"invoice_number", "41754515"},
      {"invoice_date", "2023-10-13"},
      {"buyer_name", "示例贸易有限公司"},
      {"seller_name", "假想文具有限公司"},
      {"total_amount_lower", "5549.09"}}},
    {"vat total in figures after the words", parseVATInvoice, "价税合计（大写） 壹佰壹拾叁元整 （小写）¥1130.00", {},
     {{"total_amount_lower", "1130.00"}, {"invoice_number", ""}}},
    {"vehicle plate office letter read as a digit, VIN run too long", parseVehicleLicense,
     "车辆识别代号 LS9VAB4BR9EN0123456",
     {block("号牌号码", 100, 100, 220, 130), block("京232020", 260, 100, 400, 130),
      block("车辆识别代号VIN", 100, 300, 400, 330), block("LS9VAB4BR9EN0123456", 100, 340, 500, 370)},
     {{"plate_number", "京Z32020"}, {"vin", ""}}},
    {"vehicle plate with a character lost keeps its digit", parseVehicleLicense, "",
     {block("号牌号码", 100, 100, 220, 130), block("京53400", 260, 100, 400, 130)},
     {{"plate_number", "京53400"}}},
    {"vehicle value after a stray comma", parseVehicleLicense, "",
     {block("使用性质Use Character，非营运", 100, 300, 700, 340)},
     {{"usage_nature", "非营运"}}},
    {"vehicle text keeps province", parseVehicleLicense,
     "号牌号码 京A12345 车辆类型 小型轿车 所有人 王五 住址 北京市海淀区中关村大街1号 车辆识别代号 LSVAB4BR9EN012345 "
     "注册日期 2019-04-05",
     {},
     {{"plate_number", "京A12345"},
      {"vehicle_type", "小型轿车"},
      {"owner", "王五"},
      {"address", "北京市海淀区中关村大街1号"},
      {"vin", "LSVAB4BR9EN012345"},
      {"register_date", "2019-04-05"}}},
    {"vehicle blocks", parseVehicleLicense, "",
     {block("号牌号码", 100, 100, 220, 130), block("京a·12345", 260, 100, 400, 130), block("所有", 100, 160, 150, 190),
      block("人", 100, 195, 120, 225), block("Owner", 100, 230, 170, 250), block("赵六", 100, 260, 170, 290)},
     {{"plate_number", "京A12345"}, {"owner", "赵六"}}},
};

INSTANTIATE_TEST_SUITE_P(Known, TicketParsers, ::testing::ValuesIn(kCases));

TEST(TicketParsers, EveryPatternCompiles)
{
    EXPECT_GE(ticketPatternCount(), 100);
    EXPECT_TRUE(invalidTicketPatterns().isEmpty()) << invalidTicketPatterns().join('\n').toStdString();
}

TEST(TicketParsers, EmptyInputGivesOnlyTheFrame)
{
    const QRegularExpression time(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}$"));
    const std::pair<Parser, const char*> parsers[] = {{parseIDCard, "idcard"},
                                                      {parseDriverLicense, "driver_license"},
                                                      {parseVATInvoice, "vat_invoice"},
                                                      {parseVehicleLicense, "vehicle_license"}};
    for (const auto& [parse, type] : parsers) {
        const QJsonObject r = parsed(parse, "", {});
        EXPECT_EQ(r.keys(), (QStringList{"raw_ocr", "recognize_time", "type"})) << type;
        EXPECT_EQ(r.value("type").toString(), QLatin1String(type));
        EXPECT_TRUE(time.match(r.value("recognize_time").toString()).hasMatch());
    }
}

// A vehicle licence read twice: the Latin fields come from the second read where it has them, everything
// else (the Chinese values, the raw text) stays from the first.
TEST(TicketParsers, LatinFieldsFromTheSecondRead)
{
    const QStringList latin = ticketLatinFields(QStringLiteral("vehicle"));
    ASSERT_TRUE(latin.contains(QStringLiteral("vin")));
    const QString first = parseVehicleLicense(QString::fromUtf8("所有人 王五 使用性质 非营运 车辆识别代号 LS9VAB4BR9EN01234 "
                                                                "发动机号码 A1234567"));
    const QString second = parseVehicleLicense(QString::fromUtf8("所有人 RB 使用性质 JEG 车辆识别代号 LSVAB4BR9EN012345"));
    const QJsonObject r = QJsonDocument::fromJson(mergeTicketFields(first, second, latin).toUtf8()).object();
    EXPECT_EQ(r.value("vin").toString(), QLatin1String("LSVAB4BR9EN012345"));
    EXPECT_EQ(r.value("engine_number").toString(), QLatin1String("A1234567")) << "absent in the second read";
    EXPECT_EQ(r.value("owner").toString(), QString::fromUtf8("王五"));
    EXPECT_EQ(r.value("usage_nature").toString(), QString::fromUtf8("非营运"));
    EXPECT_EQ(r.value("raw_ocr").toString(), QJsonDocument::fromJson(first.toUtf8()).object().value("raw_ocr").toString());
    EXPECT_TRUE(ticketLatinFields(QStringLiteral("idcard")).isEmpty());
}

TEST(TicketResultView, ShowsValuesAsText)
{
    const QString html = ticketResultHtml(QStringLiteral(
        R"({"type":"idcard","name":"<script>alert(1)</script>","address":"","raw_ocr":"a&b","photo_base64":"x' onerror='y"})"));
    EXPECT_FALSE(html.contains(QLatin1String("<script>")));
    EXPECT_TRUE(html.contains(QLatin1String("&lt;script&gt;alert(1)&lt;/script&gt;")));
    EXPECT_TRUE(html.contains(QLatin1String("a&amp;b")));
    EXPECT_FALSE(html.contains(QLatin1String("' onerror")));
    EXPECT_TRUE(html.contains(QString::fromUtf8("(空)"))); // the empty address
    EXPECT_TRUE(html.contains(QString::fromUtf8("<b>姓名</b>")));
    EXPECT_EQ(ticketResultHtml(QStringLiteral("[<b>]")), QStringLiteral("<pre style='color:#ccc;font-size:12px;'>[&lt;b&gt;]</pre>"));
}

} // namespace
