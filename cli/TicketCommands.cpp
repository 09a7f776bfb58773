#include "TicketCommands.h"

#include "OCRProcessor.h"
#include "RecordsCommands.h"
#include "TicketParsers.h"

#include <QImageReader>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {
namespace {

const char* const kTicketUsage =
    "Usage: lumadoc-cli ticket idcard|driver|vat|vehicle IMAGE [--store]\n"
    "Reads the text of IMAGE (the picture as given, no crop) and prints the record of an identity card,\n"
    "driving licence, VAT invoice or vehicle licence as one line of JSON: \"type\", \"recognize_time\",\n"
    "the fields found and \"raw_ocr\". Exits 1 when no text or no field is found, 2 for an unknown kind\n"
    "or an unreadable image, 3 when the OCR package is missing.\n"
    "--store also keeps the record with IMAGE where LUMADOC_TICKET_DB says (postgresql://user@host:port/db,\n"
    "the password in ~/.pgpass), else in the local ticket database. When the server cannot be reached\n"
    "the record waits in the local outbox (said on stderr) and is sent later; that is no failure.\n"
    "Exits 2 for an address with a password, 3 when the record could not be kept at all.\n";

using Parser = QString (*)(const QString&, const QList<OcrTextBlockEx>&);

Parser parserFor(const QString& kind)
{
    static const std::pair<const char*, Parser> parsers[] = {{"idcard", parseIDCard},
                                                             {"driver", parseDriverLicense},
                                                             {"vat", parseVATInvoice},
                                                             {"vehicle", parseVehicleLicense}};
    for (const auto& [name, parser] : parsers)
        if (kind == QLatin1String(name))
            return parser;
    return nullptr;
}

// The record `parse` makes of the picture read with `languages`; empty when no text was found.
QString readTicket(OCRProcessor* ocr, const QImage& image, Parser parse, const QString& languages)
{
    QList<OcrTextBlockEx> blocks = ocr->performOCRAdvanced(image, 0, languages);
    if (blocks.isEmpty())
        return {};
    // The parsers' gaps are in the picture's pixels; the engine saw it scaled to fit 1920x1080.
    const QSize seen = OCRProcessor::engineImageSize(image.size());
    const double sx = static_cast<double>(image.width()) / seen.width();
    const double sy = static_cast<double>(image.height()) / seen.height();
    QString text;
    for (OcrTextBlockEx& b : blocks) {
        b.x1 = qRound(b.x1 * sx);
        b.x2 = qRound(b.x2 * sx);
        b.y1 = qRound(b.y1 * sy);
        b.y2 = qRound(b.y2 * sy);
        text += b.text + QLatin1Char('\n');
    }
    return parse(text.trimmed(), blocks);
}

} // namespace

int runTicket(const QStringList& arguments, Streams io)
{
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        io.out << kTicketUsage;
        return kSuccess;
    }
    QStringList args = arguments;
    const bool store = args.removeAll(QStringLiteral("--store")) > 0;
    if (args.size() != 2)
        return usageError(io, QStringLiteral("ticket takes a kind and one IMAGE"));
    if (store && checkTicketStoreAddress(io) != kSuccess)
        return kBadInput;
    const Parser parse = parserFor(args[0]);
    if (!parse)
        return usageError(io, QStringLiteral("unknown ticket kind %1: idcard, driver, vat or vehicle").arg(args[0]));

    const std::optional<QImage> read = readInput(args[1], io);
    if (!read)
        return kBadInput;
    const QImage image = *read;

    QuietLogs quiet;
    OCRProcessor* ocr = OCRProcessor::instance();
    if (!ocr->initialize()) {
        io.err << "lumadoc-cli: the OCR package is missing or unreadable: " << ocrApplicationDir()
               << "/models.bin\n";
        return kOperationFailed;
    }
    QString json = readTicket(ocr, image, parse, ticketOcrLanguages(args[0]));
    if (json.isEmpty()) {
        io.err << "lumadoc-cli: no text in " << args[1] << "\n";
        return kNothingFound;
    }
    const QStringList latinFields = ticketLatinFields(args[0]);
    if (!latinFields.isEmpty())
        json = mergeTicketFields(json, readTicket(ocr, image, parse, ticketLatinLanguages()), latinFields);
    io.out << json << "\n";
    io.out.flush();
    const QJsonObject record = QJsonDocument::fromJson(json.toUtf8()).object();
    const int found = record.size() > 3 ? kSuccess : kNothingFound;
    if (!store)
        return found;
    const int stored = storeTicketRecord(record.value(QStringLiteral("type")).toString(), json, image, io);
    return stored == kSuccess ? found : stored;
}

} // namespace cli
