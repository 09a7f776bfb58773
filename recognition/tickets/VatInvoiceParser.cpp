// VAT invoice: buyer and seller details stand side by side with the same labels, so the blocks are
// split into a left (buyer) and a right (seller) region before the labels are read; the text patterns
// fill whatever the blocks did not give.
#include "TicketParsers.h"
#include "TicketText.h"

#include <QDebug>

#include <cmath>

using namespace tickets;

namespace {

// The engine reads the colon after a label as a semicolon or a comma about as often as a colon, and
// sometimes as two marks (";:").
const Rx kBlockName(R"(名\s*称[：:；;，,]+\s*(.+))");
const Rx kBlockTaxId(R"(([A-Za-z0-9]{15,20}))");
const Rx kBlockAddressPhone(R"((?:地址[·]?电话|地址|电话)[：:；;，,]+\s*(.+))");
const Rx kBlockBank(R"((?:开户行及账号|开户行)[：:；;，,]+\s*(.+))");
const Rx kBlockBuyerName(R"(购买方(?:信息)?\s*名\s*称[：:；;，,]+\s*(.+))");
const Rx kBlockSellerName(R"(销售方(?:信息)?\s*名\s*称[：:；;，,]+\s*(.+))");

const Rx kInvoiceCode(R"(发票代码[：:；;，,\s]*(\d{10,12}))");
const Rx kInvoiceNumber(R"((?:发)?票号码[：:；;，,\s]*(\d{8,20}))");
const Rx kInvoiceDate(R"(开票日期[：:；;，,\s]*(\d{4})[年\-/](\d{1,2})[月\-/](\d{1,2})[日]?)");
const Rx kMachineNumber(R"(机器编号[：:；;，,]+\s*(\d+))");
const Rx kBuyerName(
    R"(购买方(?:信息)?\s*名称[：:；;，,]+\s*(.+?)(?=\s*统一社会信用代码|\s*纳税人识别号|\s*纳税人号|\s*地址电话|\s*开户行|\s*销售方|\s*备注|$))");
const Rx kSellerName(
    R"(销售方(?:信息)?\s*名称[：:；;，,]+\s*(.+?)(?=\s*统一社会信用代码|\s*纳税人识别号|\s*纳税人号|\s*地址电话|\s*开户行|\s*备注|\s*$))");
const Rx kAnyName(
    R"(名\s*称[：:；;，,]+\s*(.+?)(?=\s*统一社会信用代码|\s*纳税人识别号|\s*纳税人号|\s*地址电话|\s*开户行|\s*备注|\s*$))");
const Rx kAnyTaxId(R"(统一社会信用代码[/／]?纳税人识别号[：:；;，,]+\s*([A-Za-z0-9]{15,20}))");
const Rx kAnyAddressPhone(R"(地址[·]?电话[：:；;，,]+\s*(.+?)(?=\s*开户行|\s*备注|$))");
const Rx kAnyBank(R"(开户行及账号[：:；;，,]+\s*(.+?)(?=\s*备注|$))");

const Rx kAmount(
    R"(金额[：:\$￥¥]?\s*[￥¥\$]?\s*(\d+(?:,\d{3})*(?:\.\d{2})?)|(?:合计金额|小写)[^0-9]*(\d+(?:,\d{3})*(?:\.\d{2})?))");
const Rx kAmountLoose(R"((?:金额|合计).*?[￥¥\$]?\s*(\d+(?:\.\d{2})?))");
const Rx kTaxRate(R"(税率[：:；;，,]+\s*(\d+)%)");
const Rx kTaxAmount(R"(税额[：:\$￥¥]?\s*[￥¥\$]?\s*(\d+(?:\.\d{2})?))");
// "小写" stands only beside the total in figures. Between it and the figures the engine leaves whatever
// it made of the bracket, the colon and the yen sign ("〈小写) : Y5549.09", "(人小写）¥"), and printed
// invoices often drop "价税合计" before the second bracket.
const Rx kTotalLower(R"(小写[^0-9]{0,8}?(\d+(?:,\d{3})*(?:\.\d{2})?))");
const Rx kTotalUpper(R"(价税合计[(（]大写[)）][：:；;，,]+\s*(.+?)(?=\s*$|\s*备注))");
const Rx kItemName(R"(货物或应税劳务(?:、名称)?[：:；;，,]+\s*(.+?)(?=\s*规格型号|\s*单位|\s*数量|\s*单价|\s*金额|\s*税率))");
const Rx kItemSpec(R"(规格型号[：:；;，,]+\s*(.+?)(?=\s*单位|\s*数量|\s*单价|\s*金额))");
const Rx kItemUnit(R"(单位[：:；;，,]+\s*(.+?)(?=\s*数量|\s*单价|\s*金额))");
const Rx kItemQuantity(R"(数量[：:；;，,]+\s*(\d+(?:\.\d+)?))");
const Rx kItemPrice(R"(单价[：:；;，,]+\s*[￥¥\$]?\s*(\d+(?:,\d{3})*(?:\.\d+)?))");
const Rx kPayee(R"(收款人[：:；;，,]+\s*(.+?)(?=\s*复核|\s*开票人|\s*备注|$))");
const Rx kChecker(R"(复核人[：:；;，,]+\s*(.+?)(?=\s*开票人|\s*备注|$))");
const Rx kDrawer(R"(开票人[：:；;，,]+\s*(.+?)(?=\s*备注|$))");

enum class Side { None, Buyer, Seller };

struct Regions
{
    int dividerX = 0;
    int buyerTop = 0;
    int sellerTop = 0;
    int bottom = 99999;

    Side sideOf(const OcrTextBlockEx& b) const
    {
        if (b.y1 >= bottom)
            return Side::None;
        if (centreX(b) < dividerX)
            return b.y1 >= buyerTop ? Side::Buyer : Side::None;
        return b.y1 >= sellerTop ? Side::Seller : Side::None;
    }
};

Regions splitRegions(const QList<OcrTextBlockEx>& blocks)
{
    Regions g;
    const int bi = firstBlockContaining(blocks, QStringLiteral("购买方"));
    const int si = firstBlockContaining(blocks, QStringLiteral("销售方"));
    bool found = true;
    if (bi >= 0 && si >= 0) {
        g.dividerX = (centreX(blocks[bi]) + centreX(blocks[si])) / 2;
        qInfo() << "[VAT] Found both labels, dividerX =" << g.dividerX;
    } else if (si >= 0) {
        g.dividerX = blocks[si].x1 - 50;
    } else if (bi >= 0) {
        g.dividerX = blocks[bi].x2 + 50;
    } else {
        QList<int> names;
        for (int i = 0; i < blocks.size() && names.size() < 2; ++i)
            if (blocks[i].text.contains(QStringLiteral("名称")))
                names << i;
        found = names.size() >= 2;
        if (found) {
            g.dividerX = (centreX(blocks[names[0]]) + centreX(blocks[names[1]])) / 2;
            qInfo() << "[VAT] Using two 名称 blocks, dividerX =" << g.dividerX;
        }
    }
    if (!found) {
        int maxX2 = 0;
        for (const OcrTextBlockEx& b : blocks)
            maxX2 = qMax(maxX2, b.x2);
        g.dividerX = maxX2 / 2;
        qInfo() << "[VAT] Using image center as dividerX =" << g.dividerX;
    }
    g.buyerTop = bi >= 0 ? blocks[bi].y1 : 0;
    g.sellerTop = si >= 0 ? blocks[si].y1 : 0;
    for (const OcrTextBlockEx& b : blocks)
        if (b.text.contains(QStringLiteral("备注")) || b.text.contains(QStringLiteral("价税合计")))
            g.bottom = qMin(g.bottom, b.y1);
    qInfo() << "[VAT] dividerX =" << g.dividerX << "buyerY [" << g.buyerTop << "," << g.bottom << ")"
            << "sellerY [" << g.sellerTop << "," << g.bottom << ")";
    return g;
}

QString regionName(const QList<OcrTextBlockEx>& blocks, const Regions& g, Side side)
{
    int li = -1;
    for (int i = 0; i < blocks.size() && li < 0; ++i)
        if (g.sideOf(blocks[i]) == side && blocks[i].text.contains(QStringLiteral("名称")))
            li = i;
    if (li < 0)
        return {};
    const OcrTextBlockEx& l = blocks[li];
    const QString own = capture(kBlockName, l.text);
    if (!own.isEmpty())
        return own;
    static const QStringList labels = {QStringLiteral("名称"), QStringLiteral("纳税人"), QStringLiteral("地址"),
                                       QStringLiteral("开户")};
    int best = -1;
    double bestScore = 1e18;
    for (int i = 0; i < blocks.size(); ++i) {
        const OcrTextBlockEx& b = blocks[i];
        if (i == li || g.sideOf(b) != side || b.y1 < l.y1 - 5 || b.y1 > l.y2 + 30)
            continue;
        bool isLabel = false;
        for (const QString& w : labels)
            isLabel = isLabel || b.text.contains(w);
        if (isLabel)
            continue;
        const double score = std::abs(centreX(b) - centreX(l)) / 2.0 + std::abs(b.y1 - l.y2);
        if (score < bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best >= 0 ? blocks[best].text.trimmed() : QString();
}

void fillPair(QJsonObject& r, const Rx& rx, const QString& text, const char* buyerKey, const char* sellerKey)
{
    const QString buyer = QLatin1String(buyerKey);
    const QString seller = QLatin1String(sellerKey);
    if (has(r, buyer) && has(r, seller))
        return;
    QStringList found;
    QRegularExpressionMatchIterator it = rx.re.globalMatch(text);
    while (it.hasNext() && found.size() < 2)
        found << it.next().captured(1).trimmed();
    if (!found.isEmpty() && !found[0].isEmpty() && !has(r, buyer))
        r.insert(buyer, found[0]);
    if (found.size() > 1 && !found[1].isEmpty() && !has(r, seller))
        r.insert(seller, found[1]);
}

void readBlocks(QJsonObject& r, const QList<OcrTextBlockEx>& blocks)
{
    const Regions g = splitRegions(blocks);
    auto setOnce = [&r](const QString& key, const QString& value) {
        if (!value.isEmpty() && !has(r, key))
            r.insert(key, value);
    };
    setOnce(QStringLiteral("buyer_name"), regionName(blocks, g, Side::Buyer));
    setOnce(QStringLiteral("seller_name"), regionName(blocks, g, Side::Seller));

    for (const OcrTextBlockEx& b : blocks) {
        const Side side = g.sideOf(b);
        if (side == Side::None)
            continue;
        const QString prefix = side == Side::Buyer ? QStringLiteral("buyer_") : QStringLiteral("seller_");
        const QString& t = b.text;
        if (t.contains(QStringLiteral("纳税人")) || t.contains(QStringLiteral("信用代码")))
            setOnce(prefix + QStringLiteral("tax_id"), capture(kBlockTaxId, t));
        if (t.contains(QStringLiteral("地址")) || t.contains(QStringLiteral("电话")))
            setOnce(prefix + QStringLiteral("address_phone"), capture(kBlockAddressPhone, t));
        if (t.contains(QStringLiteral("开户")))
            setOnce(prefix + QStringLiteral("bank"), capture(kBlockBank, t));
    }

    for (const OcrTextBlockEx& b : blocks) {
        const Side side = g.sideOf(b);
        if (side == Side::Buyer && b.text.contains(QStringLiteral("购买方")))
            setOnce(QStringLiteral("buyer_name"), capture(kBlockBuyerName, b.text));
        else if (side == Side::Seller && b.text.contains(QStringLiteral("销售方")))
            setOnce(QStringLiteral("seller_name"), capture(kBlockSellerName, b.text));
    }
}

} // namespace

QString parseVATInvoice(const QString& ocrText, const QList<OcrTextBlockEx>& blocks)
{
    const QString text = normalise(ocrText);
    QJsonObject r = newRecord(QStringLiteral("vat_invoice"));
    if (!blocks.isEmpty())
        readBlocks(r, blocks);

    auto setOnce = [&r](const char* key, const QString& value) {
        if (!value.isEmpty() && !has(r, QLatin1String(key)))
            r.insert(QLatin1String(key), value);
    };
    setOnce("invoice_code", capture(kInvoiceCode, text));
    setOnce("invoice_number", capture(kInvoiceNumber, text));
    setOnce("invoice_date", matchDate(kInvoiceDate, text));
    setOnce("machine_number", capture(kMachineNumber, text));
    setOnce("buyer_name", capture(kBuyerName, text));
    setOnce("seller_name", capture(kSellerName, text));

    fillPair(r, kAnyName, text, "buyer_name", "seller_name");
    fillPair(r, kAnyTaxId, text, "buyer_tax_id", "seller_tax_id");
    fillPair(r, kAnyAddressPhone, text, "buyer_address_phone", "seller_address_phone");
    fillPair(r, kAnyBank, text, "buyer_bank", "seller_bank");

    const QRegularExpressionMatch amount = kAmount.re.match(text);
    QString exclusive;
    if (amount.hasMatch())
        exclusive = (amount.captured(1).isEmpty() ? amount.captured(2) : amount.captured(1)).remove(QLatin1Char(','));
    if (exclusive.isEmpty())
        exclusive = capture(kAmountLoose, text);
    setOnce("amount_exclusive_tax", exclusive);
    const QString rate = capture(kTaxRate, text);
    setOnce("tax_rate", rate.isEmpty() ? rate : rate + QLatin1Char('%'));
    setOnce("tax_amount", capture(kTaxAmount, text));
    setOnce("total_amount_lower", capture(kTotalLower, text).remove(QLatin1Char(',')));
    setOnce("total_amount_upper", capture(kTotalUpper, text));
    setOnce("item_name", capture(kItemName, text));
    setOnce("item_spec", capture(kItemSpec, text));
    setOnce("item_unit", capture(kItemUnit, text));
    setOnce("item_quantity", capture(kItemQuantity, text));
    setOnce("item_price", capture(kItemPrice, text).remove(QLatin1Char(',')));
    setOnce("payee", capture(kPayee, text));
    setOnce("checker", capture(kChecker, text));
    setOnce("drawer", capture(kDrawer, text));
    return finishRecord(r, ocrText, 1500);
}
