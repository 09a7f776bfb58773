#include "TicketNames.h"

#include <QCoreApplication>

namespace {

const char* const kContext = "TicketNames";

struct Name
{
    const char* key;
    const char* label;
};

const Name kTypes[] = {
    {"idcard", QT_TRANSLATE_NOOP("TicketNames", "身份证")},
    {"硬件读取", QT_TRANSLATE_NOOP("TicketNames", "身份证(硬件读取)")},
    {"driver_license", QT_TRANSLATE_NOOP("TicketNames", "驾驶证")},
    {"vat_invoice", QT_TRANSLATE_NOOP("TicketNames", "增值税发票")},
    {"vehicle_license", QT_TRANSLATE_NOOP("TicketNames", "行驶证")},
};

const Name kKeys[] = {
    {"type", QT_TRANSLATE_NOOP("TicketNames", "证件类型")},
    {"recognize_time", QT_TRANSLATE_NOOP("TicketNames", "识别时间")},
    {"name", QT_TRANSLATE_NOOP("TicketNames", "姓名")},
    {"gender", QT_TRANSLATE_NOOP("TicketNames", "性别")},
    {"ethnicity", QT_TRANSLATE_NOOP("TicketNames", "民族")},
    {"birth_date", QT_TRANSLATE_NOOP("TicketNames", "出生日期")},
    {"address", QT_TRANSLATE_NOOP("TicketNames", "住址")},
    {"id_number", QT_TRANSLATE_NOOP("TicketNames", "身份证号码")},
    {"issuer", QT_TRANSLATE_NOOP("TicketNames", "签发机关")},
    {"validity_period", QT_TRANSLATE_NOOP("TicketNames", "有效期限")},
    {"issue_date", QT_TRANSLATE_NOOP("TicketNames", "签发日期")},
    {"nationality", QT_TRANSLATE_NOOP("TicketNames", "国籍")},
    {"first_issue_date", QT_TRANSLATE_NOOP("TicketNames", "初次领证日期")},
    {"vehicle_class", QT_TRANSLATE_NOOP("TicketNames", "准驾车型")},
    {"archive_number", QT_TRANSLATE_NOOP("TicketNames", "档案编号")},
    {"invoice_code", QT_TRANSLATE_NOOP("TicketNames", "发票代码")},
    {"invoice_number", QT_TRANSLATE_NOOP("TicketNames", "发票号码")},
    {"buyer_name", QT_TRANSLATE_NOOP("TicketNames", "购买方名称")},
    {"buyer_tax_id", QT_TRANSLATE_NOOP("TicketNames", "购买方纳税人识别号")},
    {"seller_name", QT_TRANSLATE_NOOP("TicketNames", "销售方名称")},
    {"seller_tax_id", QT_TRANSLATE_NOOP("TicketNames", "销售方纳税人识别号")},
    {"amount_exclusive_tax", QT_TRANSLATE_NOOP("TicketNames", "金额（不含税）")},
    {"tax_rate", QT_TRANSLATE_NOOP("TicketNames", "税率")},
    {"tax_amount", QT_TRANSLATE_NOOP("TicketNames", "税额")},
    {"total_amount_lower", QT_TRANSLATE_NOOP("TicketNames", "价税合计（小写）")},
    {"total_amount_upper", QT_TRANSLATE_NOOP("TicketNames", "价税合计（大写）")},
    {"item_name", QT_TRANSLATE_NOOP("TicketNames", "货物或应税劳务名称")},
    {"invoice_date", QT_TRANSLATE_NOOP("TicketNames", "开票日期")},
    {"item_spec", QT_TRANSLATE_NOOP("TicketNames", "规格型号")},
    {"item_unit", QT_TRANSLATE_NOOP("TicketNames", "单位")},
    {"item_quantity", QT_TRANSLATE_NOOP("TicketNames", "数量")},
    {"item_price", QT_TRANSLATE_NOOP("TicketNames", "单价")},
    {"buyer_address_phone", QT_TRANSLATE_NOOP("TicketNames", "购买方地址电话")},
    {"buyer_bank", QT_TRANSLATE_NOOP("TicketNames", "购买方开户行及账号")},
    {"seller_address_phone", QT_TRANSLATE_NOOP("TicketNames", "销售方地址电话")},
    {"seller_bank", QT_TRANSLATE_NOOP("TicketNames", "销售方开户行及账号")},
    {"checker", QT_TRANSLATE_NOOP("TicketNames", "复核人")},
    {"payee", QT_TRANSLATE_NOOP("TicketNames", "收款人")},
    {"drawer", QT_TRANSLATE_NOOP("TicketNames", "开票人")},
    {"machine_number", QT_TRANSLATE_NOOP("TicketNames", "机器编号")},
    {"license_number", QT_TRANSLATE_NOOP("TicketNames", "证号")},
    {"plate_number", QT_TRANSLATE_NOOP("TicketNames", "号牌号码")},
    {"vehicle_type", QT_TRANSLATE_NOOP("TicketNames", "车辆类型")},
    {"owner", QT_TRANSLATE_NOOP("TicketNames", "所有人")},
    {"brand_model", QT_TRANSLATE_NOOP("TicketNames", "品牌型号")},
    {"vin", QT_TRANSLATE_NOOP("TicketNames", "车辆识别代号")},
    {"engine_number", QT_TRANSLATE_NOOP("TicketNames", "发动机号码")},
    {"register_date", QT_TRANSLATE_NOOP("TicketNames", "注册日期")},
    {"passenger_capacity", QT_TRANSLATE_NOOP("TicketNames", "核定载人数")},
    {"total_mass", QT_TRANSLATE_NOOP("TicketNames", "总质量")},
    {"curb_mass", QT_TRANSLATE_NOOP("TicketNames", "整备质量")},
    {"rated_load", QT_TRANSLATE_NOOP("TicketNames", "核定载质量")},
    {"dimensions", QT_TRANSLATE_NOOP("TicketNames", "外廓尺寸")},
    {"inspection_record", QT_TRANSLATE_NOOP("TicketNames", "检验记录")},
    {"usage_nature", QT_TRANSLATE_NOOP("TicketNames", "使用性质")},
    {"total_amount", QT_TRANSLATE_NOOP("TicketNames", "合计金额")},
    {"total_tax", QT_TRANSLATE_NOOP("TicketNames", "合计税额")},
};

template <size_t N> QString lookup(const Name (&table)[N], const QString& key)
{
    for (const Name& name : table) {
        if (key == QString::fromUtf8(name.key))
            return QCoreApplication::translate(kContext, name.label);
    }
    return key;
}

} // namespace

namespace TicketNames {

QString typeDisplayName(const QString& type)
{
    return lookup(kTypes, type);
}

QString keyDisplayName(const QString& key)
{
    return lookup(kKeys, key);
}

QVector<QPair<QString, QString>> typeFilterItems()
{
    QVector<QPair<QString, QString>> items;
    items.append({QCoreApplication::translate(kContext, "所有类型"), QString()});
    for (const Name& type : kTypes)
        items.append({QCoreApplication::translate(kContext, type.label), QString::fromUtf8(type.key)});
    return items;
}

} // namespace TicketNames
