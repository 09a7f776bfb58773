// Renders made-up samples of each ticket kind, reads them with the program's OCR and parsers, and
// prints per kind how many of the expected fields came back exactly. --save DIR also writes each
// sample as PNG with its expected fields and the parsed record as JSON. Each kind is read with its own
// language list (and the Latin fields of a vehicle licence in a second pass) unless --languages LIST names
// one list for all; --kind K reads only that kind.
#include "OCRProcessor.h"
#include "TicketParsers.h"
#include "TicketSample.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>

#include <cstdio>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    int count = 4;
    QString saveDir;
    QString languages; // empty: each kind's own list
    QString onlyKind;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--count") && i + 1 < args.size())
            count = args[++i].toInt();
        else if (args[i] == QLatin1String("--save") && i + 1 < args.size())
            saveDir = args[++i];
        else if (args[i] == QLatin1String("--languages") && i + 1 < args.size())
            languages = args[++i];
        else if (args[i] == QLatin1String("--kind") && i + 1 < args.size())
            onlyKind = args[++i];
    }
    if (!saveDir.isEmpty())
        QDir().mkpath(saveDir);
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});

    OCRProcessor* ocr = OCRProcessor::instance();
    if (!ocr->initialize()) {
        std::fprintf(stderr, "ticket-eval: no OCR package at %s/models.bin\n", qPrintable(ocrApplicationDir()));
        return 3;
    }
    using Parser = QString (*)(const QString&, const QList<OcrTextBlockEx>&);
    const QMap<QString, Parser> parsers = {{"idcard", parseIDCard},
                                           {"driver", parseDriverLicense},
                                           {"vat", parseVATInvoice},
                                           {"vehicle", parseVehicleLicense}};
    QTextStream out(stdout);
    out << "kind     fields  correct  accuracy  missed (key: count)\n";
    for (const QString& kind : ticketSampleKinds()) {
        if (!onlyKind.isEmpty() && kind != onlyKind)
            continue;
        const QString kindLanguages = languages.isEmpty() ? ticketOcrLanguages(kind) : languages;
        int fields = 0;
        int correct = 0;
        QMap<QString, int> missed;
        for (int seed = 1; seed <= count; ++seed) {
            const TicketSample sample = renderTicketSample(kind, static_cast<quint32>(seed));
            const auto read = [&](const QString& list) {
                QList<OcrTextBlockEx> blocks = ocr->performOCRAdvanced(sample.image, 0, list);
                const QSize seen = OCRProcessor::engineImageSize(sample.image.size());
                const double sx = double(sample.image.width()) / seen.width();
                const double sy = double(sample.image.height()) / seen.height();
                QString text;
                for (OcrTextBlockEx& b : blocks) {
                    b.x1 = qRound(b.x1 * sx);
                    b.x2 = qRound(b.x2 * sx);
                    b.y1 = qRound(b.y1 * sy);
                    b.y2 = qRound(b.y2 * sy);
                    text += b.text + QLatin1Char('\n');
                }
                return parsers[kind](text.trimmed(), blocks);
            };
            QString json = read(kindLanguages);
            if (languages.isEmpty() && !ticketLatinFields(kind).isEmpty())
                json = mergeTicketFields(json, read(ticketLatinLanguages()), ticketLatinFields(kind));
            const QJsonObject record = QJsonDocument::fromJson(json.toUtf8()).object();
            for (auto it = sample.fields.constBegin(); it != sample.fields.constEnd(); ++it) {
                ++fields;
                if (record.value(it.key()).toString() == it.value())
                    ++correct;
                else
                    ++missed[it.key()];
            }
            if (!saveDir.isEmpty()) {
                const QString stem = QStringLiteral("%1/%2_%3").arg(saveDir, kind).arg(seed);
                sample.image.save(stem + QStringLiteral(".png"));
                QJsonObject expected;
                for (auto it = sample.fields.constBegin(); it != sample.fields.constEnd(); ++it)
                    expected.insert(it.key(), it.value());
                QFile f(stem + QStringLiteral(".json"));
                if (f.open(QIODevice::WriteOnly))
                    f.write(QJsonDocument(QJsonObject{{"expected", expected}, {"parsed", record}}).toJson());
            }
        }
        QStringList misses;
        for (auto it = missed.constBegin(); it != missed.constEnd(); ++it)
            misses << QStringLiteral("%1: %2").arg(it.key()).arg(it.value());
        out << kind.leftJustified(9) << QString::number(fields).leftJustified(8) << QString::number(correct).leftJustified(9)
            << QStringLiteral("%1 %").arg(fields ? 100.0 * correct / fields : 0.0, 5, 'f', 1).leftJustified(10)
            << misses.join(QStringLiteral(", ")) << "\n";
        out.flush();
    }
    return 0;
}
