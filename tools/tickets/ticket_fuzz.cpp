// libFuzzer target for the ticket parsers and the result view: the input is split into an OCR text
// and a few blocks whose boxes come from the input bytes, so the block lookups see odd geometry too.
#include "TicketParsers.h"
#include "TicketResultView.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString all = QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<int>(size));
    const QStringList parts = all.split(QLatin1Char('\x1f'));
    QList<OcrTextBlockEx> blocks;
    for (int i = 1; i < parts.size() && i < 40; ++i) {
        const QString& p = parts[i];
        const auto at = [&p](int k) { return k < p.size() ? int(p[k].unicode()) - 200 : 0; };
        blocks.append(OcrTextBlockEx{p.mid(4), 90.0f, at(0), at(1), at(0) + at(2), at(1) + at(3)});
    }
    const QString text = parts.value(0);
    for (auto parse : {parseIDCard, parseDriverLicense, parseVATInvoice, parseVehicleLicense}) {
        const QString json = parse(text, blocks);
        const QJsonObject record = QJsonDocument::fromJson(json.toUtf8()).object();
        if (record.value(QStringLiteral("type")).toString().isEmpty()
            || !record.contains(QStringLiteral("recognize_time")) || !record.contains(QStringLiteral("raw_ocr")))
            std::abort();
        if (ticketResultHtml(json).contains(QLatin1String("<script")))
            std::abort();
    }
    ticketResultHtml(all);
    return 0;
}
