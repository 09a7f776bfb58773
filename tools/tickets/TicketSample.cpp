#include "TicketSample.h"

#include <QDate>
#include <QFont>
#include <QPainter>
#include <QRandomGenerator>

namespace {

const char* const kFamily = "WenQuanYi Micro Hei";

class Sheet
{
public:
    Sheet(int width, int height, quint32 seed) : image(width, height, QImage::Format_RGB32), rng(seed)
    {
        image.fill(QColor(248, 246, 240));
        painter.begin(&image);
        painter.setRenderHint(QPainter::TextAntialiasing);
    }
    ~Sheet() { painter.end(); }

    void text(int x, int y, const QString& s, int sizePx, QColor colour = QColor(30, 30, 30))
    {
        QFont font(QString::fromLatin1(kFamily));
        font.setPixelSize(sizePx);
        painter.setFont(font);
        painter.setPen(colour);
        painter.drawText(QPoint(x, y), s);
    }
    QString digits(int n)
    {
        QString s;
        for (int i = 0; i < n; ++i)
            s += QChar('0' + rng.bounded(10));
        return s;
    }
    QString pick(const QStringList& from) { return from[rng.bounded(from.size())]; }
    QString personName()
    {
        static const QStringList surnames = QString::fromUtf8("王 李 张 刘 陈 杨 赵 黄 周 吴").split(' ');
        static const QStringList given = QString::fromUtf8("明 华 芳 伟 静 磊 洋 娟 强 霞 杰 敏").split(' ');
        QString n = pick(surnames) + pick(given);
        if (rng.bounded(2))
            n += pick(given);
        return n;
    }
    QString address()
    {
        return pick(QString::fromUtf8("东城区 西城区 海淀区 朝阳区").split(' ')) + pick(QString::fromUtf8("和平路 建设街 光明大道 新华路").split(' '))
               + QString::number(1 + rng.bounded(200)) + QString::fromUtf8("号");
    }
    QDate date(int fromYear, int toYear)
    {
        return QDate(fromYear + rng.bounded(toYear - fromYear + 1), 1 + rng.bounded(12), 1 + rng.bounded(28));
    }

    QImage image;
    QPainter painter;
    QRandomGenerator rng;
};

QString iso(const QDate& d)
{
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

TicketSample idCard(quint32 seed)
{
    Sheet s(1712, 2200, seed);
    TicketSample t;
    const QString name = s.personName();
    const QString gender = s.rng.bounded(2) ? QString::fromUtf8("男") : QString::fromUtf8("女");
    const QDate birth = s.date(1950, 2005);
    const QString address = QString::fromUtf8("北京市") + s.address();
    const QString id = QStringLiteral("110105") + birth.toString(QStringLiteral("yyyyMMdd")) + s.digits(3) + s.digits(1);
    const QDate issued = s.date(2010, 2020);
    const QString period = issued.toString(QStringLiteral("yyyy.MM.dd")) + QStringLiteral("-")
                           + issued.addYears(20).toString(QStringLiteral("yyyy.MM.dd"));
    s.text(120, 200, QString::fromUtf8("姓名  ") + name, 64);
    s.text(120, 330, QString::fromUtf8("性别  ") + gender + QString::fromUtf8("     民族  汉"), 64);
    s.text(120, 460, QString::fromUtf8("出生  %1 年 %2 月 %3 日").arg(birth.year()).arg(birth.month()).arg(birth.day()), 64);
    s.text(120, 590, QString::fromUtf8("住址  ") + address, 64);
    s.text(120, 900, QString::fromUtf8("公民身份号码  ") + id, 64);
    s.text(300, 1300, QString::fromUtf8("中华人民共和国"), 80);
    s.text(400, 1420, QString::fromUtf8("居民身份证"), 80);
    s.text(120, 1800, QString::fromUtf8("签发机关  北京市公安局某分局"), 64);
    s.text(120, 1950, QString::fromUtf8("有效期限  ") + period, 64);
    t.image = s.image;
    t.fields = {{"name", name},
                {"gender", gender},
                {"ethnicity", QString::fromUtf8("汉")},
                {"birth_date", iso(birth)},
                {"address", address},
                {"id_number", id},
                {"issuer", QString::fromUtf8("北京市公安局某分局")},
                {"validity_period", period},
                {"issue_date", iso(issued)}};
    return t;
}

TicketSample driver(quint32 seed)
{
    Sheet s(1800, 1200, seed);
    TicketSample t;
    const QString name = s.personName();
    const QString gender = s.rng.bounded(2) ? QString::fromUtf8("男") : QString::fromUtf8("女");
    const QDate birth = s.date(1960, 2000);
    const QDate first = s.date(2005, 2018);
    const QString number = QStringLiteral("110105") + birth.toString(QStringLiteral("yyyyMMdd")) + s.digits(4);
    const QString cls = s.pick({QStringLiteral("C1"), QStringLiteral("C2"), QStringLiteral("B2"), QStringLiteral("A1")});
    const QString address = QString::fromUtf8("北京市") + s.address();
    s.text(420, 110, QString::fromUtf8("中华人民共和国机动车驾驶证"), 64);
    s.text(80, 240, QString::fromUtf8("证号 ") + number, 52);
    s.text(80, 360, QString::fromUtf8("姓名 Name"), 44);
    s.text(420, 360, name, 52);
    s.text(800, 360, QString::fromUtf8("性别 Sex"), 44);
    s.text(1060, 360, gender, 52);
    s.text(1250, 360, QString::fromUtf8("国籍 Nationality"), 44);
    s.text(1620, 360, QString::fromUtf8("中国"), 52);
    s.text(80, 480, QString::fromUtf8("住址 Address"), 44);
    s.text(420, 480, address, 52);
    s.text(80, 620, QString::fromUtf8("出生日期 Date of Birth"), 44);
    s.text(700, 620, iso(birth), 52);
    s.text(80, 740, QString::fromUtf8("初次领证日期 Date of First Issue"), 44);
    s.text(900, 740, iso(first), 52);
    s.text(80, 860, QString::fromUtf8("准驾车型 Class"), 44);
    s.text(520, 860, cls, 52);
    s.text(80, 980, QString::fromUtf8("有效期限 Valid Period"), 44);
    s.text(640, 980, iso(first.addYears(6)) + QString::fromUtf8(" 至 ") + iso(first.addYears(16)), 52);
    t.image = s.image;
    t.fields = {{"name", name},          {"gender", gender},     {"nationality", QString::fromUtf8("中国")},
                {"address", address},    {"birth_date", iso(birth)}, {"first_issue_date", iso(first)},
                {"vehicle_class", cls},  {"license_number", number}};
    return t;
}

TicketSample vat(quint32 seed)
{
    Sheet s(2400, 1500, seed);
    TicketSample t;
    const QString code = s.digits(12);
    const QString number = s.digits(8);
    const QDate date = s.date(2019, 2024);
    const QString buyer = s.pick(QString::fromUtf8("示例贸易有限公司 样本科技有限公司 虚构商贸有限公司").split(' '));
    const QString seller = s.pick(QString::fromUtf8("演示电子有限公司 假想文具有限公司 模拟餐饮有限公司").split(' '));
    const QString buyerTax = QStringLiteral("91110000") + s.digits(10);
    const QString sellerTax = QStringLiteral("91310000") + s.digits(10);
    const int cents = 10000 + static_cast<int>(s.rng.bounded(900000));
    const QString total = QStringLiteral("%1.%2").arg(cents / 100).arg(cents % 100, 2, 10, QLatin1Char('0'));
    s.text(800, 110, QString::fromUtf8("增值税普通发票"), 72, QColor(150, 60, 40));
    s.text(1600, 100, QString::fromUtf8("发票代码：") + code, 48);
    s.text(1600, 180, QString::fromUtf8("发票号码：") + number, 48);
    s.text(1600, 260, QString::fromUtf8("开票日期：%1年%2月%3日").arg(date.year()).arg(date.month(), 2, 10, QLatin1Char('0')).arg(date.day(), 2, 10, QLatin1Char('0')), 48);
    s.text(80, 360, QString::fromUtf8("购买方"), 44);
    s.text(240, 360, QString::fromUtf8("名称：") + buyer, 48);
    s.text(240, 440, QString::fromUtf8("纳税人识别号：") + buyerTax, 48);
    s.text(1160, 360, QString::fromUtf8("销售方"), 44);
    s.text(1320, 360, QString::fromUtf8("名称：") + seller, 48);
    s.text(1320, 440, QString::fromUtf8("纳税人识别号：") + sellerTax, 48);
    s.text(80, 1000, QString::fromUtf8("价税合计（小写）：¥") + total, 44);
    s.text(80, 1100, QString::fromUtf8("备注"), 48);
    s.text(80, 1300, QString::fromUtf8("收款人：张一 复核人：李二 开票人：王三"), 48);
    t.image = s.image;
    t.fields = {{"invoice_code", code},      {"invoice_number", number},  {"invoice_date", iso(date)},
                {"buyer_name", buyer},       {"seller_name", seller},     {"buyer_tax_id", buyerTax},
                {"seller_tax_id", sellerTax}, {"total_amount_lower", total}};
    return t;
}

TicketSample vehicle(quint32 seed)
{
    Sheet s(1800, 1200, seed);
    TicketSample t;
    static const QString letters = QStringLiteral("ABCDEFGHJKLMNPRSTUVWXYZ");
    const QString plate = QString::fromUtf8("京") + letters[s.rng.bounded(letters.size())] + s.digits(5);
    const QString owner = s.personName();
    const QString address = QString::fromUtf8("北京市") + s.address();
    QString vin = QStringLiteral("LSV");
    for (int i = 0; i < 14; ++i)
        vin += (i < 6 ? letters[s.rng.bounded(letters.size())] : QChar('0' + s.rng.bounded(10)));
    const QString engine = s.digits(8);
    const QDate reg = s.date(2010, 2022);
    s.text(420, 110, QString::fromUtf8("中华人民共和国机动车行驶证"), 64);
    s.text(80, 260, QString::fromUtf8("号牌号码 Plate No."), 44);
    s.text(560, 260, plate, 52);
    s.text(1000, 260, QString::fromUtf8("车辆类型 Vehicle Type"), 44);
    s.text(1480, 260, QString::fromUtf8("小型轿车"), 52);
    s.text(80, 390, QString::fromUtf8("所有人 Owner"), 44);
    s.text(560, 390, owner, 52);
    s.text(80, 520, QString::fromUtf8("住址 Address"), 44);
    s.text(560, 520, address, 52);
    s.text(80, 650, QString::fromUtf8("使用性质 Use Character"), 44);
    s.text(640, 650, QString::fromUtf8("非营运"), 52);
    s.text(1000, 650, QString::fromUtf8("品牌型号 Model"), 44);
    s.text(1360, 650, QString::fromUtf8("大众牌SVW7") + s.digits(4), 52);
    s.text(80, 780, QString::fromUtf8("车辆识别代号 VIN"), 44);
    s.text(560, 780, vin, 52);
    s.text(80, 910, QString::fromUtf8("发动机号码 Engine No."), 44);
    s.text(640, 910, engine, 52);
    s.text(80, 1040, QString::fromUtf8("注册日期 Register Date"), 44);
    s.text(640, 1040, iso(reg), 52);
    t.image = s.image;
    t.fields = {{"plate_number", plate}, {"vehicle_type", QString::fromUtf8("小型轿车")},
                {"owner", owner},        {"address", address},
                {"usage_nature", QString::fromUtf8("非营运")}, {"vin", vin},
                {"engine_number", engine}, {"register_date", iso(reg)}};
    return t;
}

} // namespace

QStringList ticketSampleKinds()
{
    return {QStringLiteral("idcard"), QStringLiteral("driver"), QStringLiteral("vat"), QStringLiteral("vehicle")};
}

TicketSample renderTicketSample(const QString& kind, quint32 seed)
{
    if (kind == QLatin1String("idcard"))
        return idCard(seed);
    if (kind == QLatin1String("driver"))
        return driver(seed);
    if (kind == QLatin1String("vat"))
        return vat(seed);
    if (kind == QLatin1String("vehicle"))
        return vehicle(seed);
    return {};
}
