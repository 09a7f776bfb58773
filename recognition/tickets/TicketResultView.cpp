#include "TicketResultView.h"

#include <QCoreApplication>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>

const char* const kTicketViewContext = "TicketResultView";

namespace {

// QT_TRANSLATE_NOOP keeps the sources visible to lupdate.
const std::pair<const char*, const char*> kLabels[] = {
    {"type", QT_TRANSLATE_NOOP("TicketResultView", "证件类型")},
    {"recognize_time", QT_TRANSLATE_NOOP("TicketResultView", "识别时间")},
    {"name", QT_TRANSLATE_NOOP("TicketResultView", "姓名")},
    {"gender", QT_TRANSLATE_NOOP("TicketResultView", "性别")},
    {"ethnicity", QT_TRANSLATE_NOOP("TicketResultView", "民族")},
    {"birth_date", QT_TRANSLATE_NOOP("TicketResultView", "出生日期")},
    {"address", QT_TRANSLATE_NOOP("TicketResultView", "住址")},
    {"id_number", QT_TRANSLATE_NOOP("TicketResultView", "身份证号码")},
    {"issuer", QT_TRANSLATE_NOOP("TicketResultView", "签发机关")},
    {"validity_period", QT_TRANSLATE_NOOP("TicketResultView", "有效期限")},
    {"issue_date", QT_TRANSLATE_NOOP("TicketResultView", "签发日期")},
    {"nationality", QT_TRANSLATE_NOOP("TicketResultView", "国籍")},
    {"first_issue_date", QT_TRANSLATE_NOOP("TicketResultView", "初次领证日期")},
    {"vehicle_class", QT_TRANSLATE_NOOP("TicketResultView", "准驾车型")},
    {"archive_number", QT_TRANSLATE_NOOP("TicketResultView", "档案编号")},
    {"invoice_code", QT_TRANSLATE_NOOP("TicketResultView", "发票代码")},
    {"invoice_number", QT_TRANSLATE_NOOP("TicketResultView", "发票号码")},
    {"buyer_name", QT_TRANSLATE_NOOP("TicketResultView", "购买方名称")},
    {"buyer_tax_id", QT_TRANSLATE_NOOP("TicketResultView", "购买方纳税人识别号")},
    {"seller_name", QT_TRANSLATE_NOOP("TicketResultView", "销售方名称")},
    {"seller_tax_id", QT_TRANSLATE_NOOP("TicketResultView", "销售方纳税人识别号")},
    {"amount_exclusive_tax", QT_TRANSLATE_NOOP("TicketResultView", "金额（不含税）")},
    {"tax_rate", QT_TRANSLATE_NOOP("TicketResultView", "税率")},
    {"tax_amount", QT_TRANSLATE_NOOP("TicketResultView", "税额")},
    {"total_amount_lower", QT_TRANSLATE_NOOP("TicketResultView", "价税合计（小写）")},
    {"total_amount_upper", QT_TRANSLATE_NOOP("TicketResultView", "价税合计（大写）")},
    {"item_name", QT_TRANSLATE_NOOP("TicketResultView", "货物或应税劳务名称")},
    {"invoice_date", QT_TRANSLATE_NOOP("TicketResultView", "开票日期")},
    {"item_spec", QT_TRANSLATE_NOOP("TicketResultView", "规格型号")},
    {"item_unit", QT_TRANSLATE_NOOP("TicketResultView", "单位")},
    {"item_quantity", QT_TRANSLATE_NOOP("TicketResultView", "数量")},
    {"item_price", QT_TRANSLATE_NOOP("TicketResultView", "单价")},
    {"buyer_address_phone", QT_TRANSLATE_NOOP("TicketResultView", "购买方地址电话")},
    {"buyer_bank", QT_TRANSLATE_NOOP("TicketResultView", "购买方开户行及账号")},
    {"seller_address_phone", QT_TRANSLATE_NOOP("TicketResultView", "销售方地址电话")},
    {"seller_bank", QT_TRANSLATE_NOOP("TicketResultView", "销售方开户行及账号")},
    {"checker", QT_TRANSLATE_NOOP("TicketResultView", "复核人")},
    {"payee", QT_TRANSLATE_NOOP("TicketResultView", "收款人")},
    {"drawer", QT_TRANSLATE_NOOP("TicketResultView", "开票人")},
    {"machine_number", QT_TRANSLATE_NOOP("TicketResultView", "机器编号")},
    {"license_number", QT_TRANSLATE_NOOP("TicketResultView", "证号")},
    {"plate_number", QT_TRANSLATE_NOOP("TicketResultView", "号牌号码")},
    {"vehicle_type", QT_TRANSLATE_NOOP("TicketResultView", "车辆类型")},
    {"owner", QT_TRANSLATE_NOOP("TicketResultView", "所有人")},
    {"brand_model", QT_TRANSLATE_NOOP("TicketResultView", "品牌型号")},
    {"vin", QT_TRANSLATE_NOOP("TicketResultView", "车辆识别代号")},
    {"engine_number", QT_TRANSLATE_NOOP("TicketResultView", "发动机号码")},
    {"register_date", QT_TRANSLATE_NOOP("TicketResultView", "注册日期")},
    {"passenger_capacity", QT_TRANSLATE_NOOP("TicketResultView", "核定载人数")},
    {"total_mass", QT_TRANSLATE_NOOP("TicketResultView", "总质量")},
    {"curb_mass", QT_TRANSLATE_NOOP("TicketResultView", "整备质量")},
    {"rated_load", QT_TRANSLATE_NOOP("TicketResultView", "核定载质量")},
    {"dimensions", QT_TRANSLATE_NOOP("TicketResultView", "外廓尺寸")},
    {"inspection_record", QT_TRANSLATE_NOOP("TicketResultView", "检验记录")},
};

QString tr(const char* source)
{
    return QCoreApplication::translate(kTicketViewContext, source);
}

} // namespace

QString ticketFieldLabel(const QString& key)
{
    for (const auto& [k, label] : kLabels)
        if (key == QLatin1String(k))
            return tr(label);
    return key;
}

QString ticketResultHtml(const QString& resultJson)
{
    if (resultJson.isEmpty())
        return {};
    const QJsonDocument doc = QJsonDocument::fromJson(resultJson.toUtf8());
    const QJsonObject record = doc.object();
    if (!doc.isObject() || record.isEmpty())
        return QStringLiteral("<pre style='color:#ccc;font-size:12px;'>%1</pre>").arg(resultJson.toHtmlEscaped());

    QString html;
    const QString photo = record.value(QStringLiteral("photo_base64")).toString();
    if (!photo.isEmpty()) {
        // Base64 is letters, digits, '+', '/', '='; escaping keeps a forged value from leaving the attribute.
        html += QStringLiteral("<div style='text-align:center;margin-bottom:8px;'>"
                               "<div style='color:#8899aa;font-size:12px;'>%1</div>"
                               "<img src='data:image/png;base64,%2' width='200' height='250' "
                               "style='max-width:200px;max-height:250px;'/></div>")
                    .arg(tr(QT_TRANSLATE_NOOP("TicketResultView", "证件照片")).toHtmlEscaped(),
                         photo.toHtmlEscaped().replace(QLatin1Char('\''), QStringLiteral("&#39;")));
    }
    if (record.contains(QStringLiteral("card_type"))) {
        html += QStringLiteral("<div style='color:#8899aa;font-size:12px;margin-bottom:8px;'>%1: "
                               "<span style='color:#e0e0e0;'>%2</span></div>")
                    .arg(tr(QT_TRANSLATE_NOOP("TicketResultView", "证件类型")).toHtmlEscaped(),
                         record.value(QStringLiteral("card_type")).toVariant().toString().toHtmlEscaped());
    }

    html += QStringLiteral("<table style='width:100%;border-collapse:collapse;'>");
    static const QStringList skipped = {QStringLiteral("photo_base64"), QStringLiteral("source"),
                                        QStringLiteral("card_type"), QStringLiteral("raw_ocr")};
    for (auto it = record.constBegin(); it != record.constEnd(); ++it) {
        if (skipped.contains(it.key()))
            continue;
        const QJsonValue v = it.value();
        QString text;
        if (v.isString())
            text = v.toString();
        else if (v.isDouble())
            text = QString::number(v.toDouble());
        else if (v.isBool())
            text = v.toBool() ? QStringLiteral("true") : QStringLiteral("false");
        else if (v.isArray())
            text = QString::fromUtf8(QJsonDocument(v.toArray()).toJson(QJsonDocument::Compact));
        else if (v.isObject())
            text = QString::fromUtf8(QJsonDocument(v.toObject()).toJson(QJsonDocument::Compact));
        const QString cell = text.isEmpty() ? QStringLiteral("<span style='color:#666;'>(空)</span>")
                                            : text.toHtmlEscaped();
        html += QStringLiteral("<tr><td style='color:#8899aa;padding:4px 6px;border-bottom:1px solid #333355;"
                               "white-space:nowrap;'><b>%1</b></td><td style='color:#e0e0e0;padding:4px 6px;"
                               "border-bottom:1px solid #333355;word-break:break-all;'>%2</td></tr>")
                    .arg(ticketFieldLabel(it.key()).toHtmlEscaped(), cell);
    }
    const QString raw = record.value(QStringLiteral("raw_ocr")).toString();
    if (!raw.isEmpty()) {
        html += QStringLiteral("<tr><td colspan='2' style='padding:8px 6px;'>"
                               "<div style='color:#8899aa;font-size:12px;margin-bottom:4px;'>%1</div>"
                               "<pre style='color:#aaa;font-size:11px;max-height:150px;overflow:auto;"
                               "white-space:pre-wrap;'>%2</pre></td></tr>")
                    .arg(tr(QT_TRANSLATE_NOOP("TicketResultView", "原始OCR文本")).toHtmlEscaped(),
                         raw.toHtmlEscaped());
    }
    html += QStringLiteral("</table>");
    return html;
}
