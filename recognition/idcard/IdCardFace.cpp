#include "IdCardFace.h"

#include "AppPaths.h"

#include "Resources.h"

#include <QByteArray>
#include <QDir>
#include <QFont>
#include <QPainter>
#include <QRegularExpression>

namespace {

QString field(const QJsonObject& record, const char* key)
{
    return record.value(QLatin1String(key)).toString();
}

// The card photo scaled into its 150 x 180 box, its white background made see-through so the card's
// tint shows around the head.
QImage cardPhoto(const QJsonObject& record)
{
    const QByteArray png = QByteArray::fromBase64(field(record, "photo_base64").toLatin1());
    QImage photo;
    if (png.isEmpty() || !photo.loadFromData(png))
        return {};
    photo = photo.scaled(150, 180, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                .convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < photo.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(photo.scanLine(y));
        for (int x = 0; x < photo.width(); ++x) {
            const QRgb c = line[x];
            if (qRed(c) > 240 && qGreen(c) > 240 && qBlue(c) > 240)
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return photo;
}

void drawBirthDate(QPainter& p, const QString& birth)
{
    static const QRegularExpression separators(QStringLiteral("[-/.]"));
    static const QRegularExpression eightDigits(QStringLiteral("^\\d{8}$"));
    const QStringList parts = birth.split(separators);
    if (parts.size() == 1 && eightDigits.match(parts.first()).hasMatch()) {
        p.drawText(100, 142, birth.left(4));
        p.drawText(175, 142, birth.mid(4, 2));
        p.drawText(225, 142, birth.mid(6, 2));
    } else {
        p.drawText(110, 142, birth);
    }
}

} // namespace

QString formatIdCardValidity(const QString& validity)
{
    static const QRegularExpression strip(QStringLiteral("[-.\\s]"));
    static const QRegularExpression dates(
        QStringLiteral("^(\\d{4})(\\d{2})(\\d{2})(\\d{4})(\\d{2})(\\d{2})$"));
    const QRegularExpressionMatch m = dates.match(QString(validity).remove(strip));
    if (!m.hasMatch())
        return validity;
    return QStringLiteral("%1.%2.%3-%4.%5.%6")
        .arg(m.captured(1), m.captured(2), m.captured(3), m.captured(4), m.captured(5), m.captured(6));
}

QImage drawIdCardFace(const QJsonObject& record, const QImage& cardTemplate)
{
    if (cardTemplate.isNull())
        return {};
    QImage face = cardTemplate.convertToFormat(QImage::Format_RGB32);
    QPainter p(&face);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    QFont font(QStringLiteral("WenQuanYi Micro Hei"));
    font.setPixelSize(16);
    p.setFont(font);
    p.setPen(Qt::black);

    const QImage photo = cardPhoto(record);
    if (!photo.isNull())
        p.drawImage(face.width() - 150 - 28, 45, photo);

    p.drawText(95, 72, field(record, "name"));
    p.drawText(95, 110, field(record, "gender"));
    p.drawText(195, 110, field(record, "ethnicity"));
    drawBirthDate(p, field(record, "birth_date"));
    p.drawText(QRect(85, 160, 225, 95), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
               field(record, "address"));
    p.drawText(162, 273, field(record, "id_number"));

    const int half = face.height() / 2;
    p.drawText(202, half + 237, field(record, "issuer"));
    p.drawText(202, half + 277, formatIdCardValidity(field(record, "validity_period")));
    p.end();
    return face;
}

QImage defaultIdCardTemplate()
{
    lumadoc::initResources();
    return QImage(QStringLiteral(":/icons/idcard.bmp"));
}

QImage loadIdCardTemplate(const QString& appDir)
{
    const QImage own(apppaths::findData(QStringLiteral("idcard_template.bmp"), appDir));
    return own.isNull() ? defaultIdCardTemplate() : own;
}

QString saveIdCardFace(const QImage& face, const QString& saveDir, const QString& idNumber,
                       const QDateTime& now)
{
    if (face.isNull() || saveDir.isEmpty())
        return {};
    // The number comes off a card: nothing but letters and digits may reach the file name.
    QString safe;
    for (const QChar c : idNumber) {
        if (safe.size() >= 32)
            break;
        if (c.unicode() < 128 && c.isLetterOrNumber())
            safe.append(c);
    }
    const QString stamp = now.toString(QStringLiteral("yyyyMMdd_HHmmss"));
    const QString name = safe.isEmpty() ? QStringLiteral("idcard_%1.png").arg(stamp)
                                        : QStringLiteral("idcard_%1_%2.png").arg(safe, stamp);
    if (!QDir().mkpath(saveDir)) {
        qWarning("[IDCard] Cannot create save folder: %s", qUtf8Printable(saveDir));
        return {};
    }
    const QString path = QDir(saveDir).filePath(name);
    if (!face.save(path, "PNG")) {
        qWarning("[IDCard] Composite image not saved: %s", qUtf8Printable(path));
        return {};
    }
    qInfo("[IDCard] Composite image saved to: %s", qUtf8Printable(path));
    return path;
}
