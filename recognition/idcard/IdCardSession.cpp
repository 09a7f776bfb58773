#include "IdCardSession.h"

#include "IdCardFace.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextCodec>

#include <cstring>
#include <exception>
#include <vector>

namespace {

const char* const kPhotoFileName = "zp.bmp";

// The reader library is outside code: a fault inside a call becomes the call's failure value.
template <typename Fn, typename R> R guarded(const char* what, Fn&& fn, R failure)
{
    try {
        return fn();
    } catch (const std::exception& e) {
        qWarning("[IDCard] %s failed: %s", what, e.what());
    } catch (...) {
        qWarning("[IDCard] %s failed", what);
    }
    return failure;
}

QString readTextField(IdCardReader& reader, IdCardField field, int size)
{
    std::vector<char> buffer(size_t(size), '\0');
    const bool ok = guarded(
        "field read",
        [&] {
            reader.readField(field, buffer.data(), size);
            return true;
        },
        false);
    return ok ? decodeIdCardText(buffer.data(), size) : QString();
}

// A fresh folder of our own for each read: the library writes a fixed file name, so a shared folder
// could hand a stale or planted "zp.bmp" to this card.
QString photoBaseDir()
{
    const QString temp = QStandardPaths::writableLocation(QStandardPaths::TempLocation);
    return temp.isEmpty() ? QDir::tempPath() : temp;
}

QImage takePhoto(IdCardReader& reader, const QString& dir)
{
    const int rc = guarded(
        "photo", [&] { return reader.writePhoto(); }, 0);
    const QString path = QDir(dir).filePath(QString::fromLatin1(kPhotoFileName));
    QImage photo;
    const QFileInfo info(path);
    if (rc == 1 && info.isFile() && !info.isSymLink() && info.size() >= 1)
        photo.load(path);
    if (QFileInfo::exists(path) || info.isSymLink())
        QFile::remove(path);
    return photo;
}

} // namespace

QString idCardTypeName(int cardType)
{
    switch (cardType) {
    case 1:
        return QStringLiteral("居民身份证");
    case 2:
        return QStringLiteral("外国人永居证");
    case 3:
        return QStringLiteral("港澳台居住证");
    default:
        return {};
    }
}

QString decodeIdCardText(const char* buffer, int size)
{
    if (!buffer || size <= 0 || buffer[0] == '\0')
        return {};
    const int length = int(qstrnlen(buffer, uint(size)));
    QTextCodec* gbk = QTextCodec::codecForName("GBK");
    return gbk ? gbk->toUnicode(buffer, length) : QString::fromLocal8Bit(buffer, length);
}

IdCardSession::IdCardSession(std::unique_ptr<IdCardReader> reader)
    : m_reader(reader ? std::move(reader) : std::make_unique<NoIdCardReader>())
{
}

IdCardSession::~IdCardSession()
{
    if (m_connected)
        guarded(
            "close",
            [&] {
                m_reader->close();
                return true;
            },
            false);
}

bool IdCardSession::connectReader()
{
    if (m_connected)
        return true;
    const int port = guarded(
        "open", [&] { return m_reader->open(); }, 0);
    if (port > 0) {
        m_connected = true;
        qInfo("[IDCard] Device reconnected on port %d", port);
    }
    return m_connected;
}

IdCardReadResult IdCardSession::read(const QDateTime& now, const QImage& cardTemplate)
{
    IdCardReadResult result;
    if (!connectReader()) {
        result.status = IdCardReadStatus::NoReader;
        result.errorTitle = QStringLiteral("错误");
        result.errorText = QStringLiteral("未发现身份证读卡器，请检查设备连接后重试。");
        qWarning("[IDCard] No card reader found");
        return result;
    }

    QTemporaryDir photoDir(photoBaseDir() + QStringLiteral("/lumadoc-idcard-XXXXXX"));
    if (photoDir.isValid()) {
        QFile::setPermissions(photoDir.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        guarded(
            "photo folder",
            [&] {
                m_reader->setPhotoDirectory(QFile::encodeName(photoDir.path()));
                return true;
            },
            false);
    } else {
        qWarning("[IDCard] No private photo folder: %s", qPrintable(photoDir.errorString()));
    }
    guarded(
        "prepare",
        [&] {
            m_reader->prepare();
            return true;
        },
        false);
    const int cardType = guarded(
        "read", [&] { return m_reader->readCard(1); }, 0);
    if (cardType < 1 || cardType > 3) {
        result.status = IdCardReadStatus::ReadFailed;
        result.errorTitle = QStringLiteral("读卡失败");
        result.errorText = QStringLiteral("读取身份证失败，请确认身份证已正确放置在读卡器上。");
        qWarning("[IDCard] Card read failed: %d", cardType);
        return result;
    }

    QJsonObject& record = result.record;
    record.insert(QStringLiteral("type"), QStringLiteral("idcard"));
    record.insert(QStringLiteral("recognize_time"), now.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")));
    const struct
    {
        const char* key;
        IdCardField field;
    } fields[] = {{"name", IdCardField::Name},           {"gender", IdCardField::Gender},
                  {"ethnicity", IdCardField::Ethnicity}, {"birth_date", IdCardField::BirthDate},
                  {"address", IdCardField::Address},     {"id_number", IdCardField::IdNumber},
                  {"issuer", IdCardField::Issuer}};
    for (const auto& f : fields) {
        if (f.field == IdCardField::Address && cardType == 2)
            continue;
        record.insert(QLatin1String(f.key), readTextField(*m_reader, f.field, 512));
    }
    const QString from = readTextField(*m_reader, IdCardField::ValidFrom, 32);
    const QString to = readTextField(*m_reader, IdCardField::ValidTo, 32);
    record.insert(QStringLiteral("validity_period"), from + QLatin1Char('-') + to);

    // Without a private folder there is no photo: a shared folder's "zp.bmp" may be someone else's.
    if (photoDir.isValid())
        result.photo = takePhoto(*m_reader, photoDir.path());
    if (!result.photo.isNull()) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        if (result.photo.save(&buffer, "PNG"))
            record.insert(QStringLiteral("photo_base64"), QString::fromLatin1(png.toBase64()));
    }
    record.insert(QStringLiteral("card_type"), idCardTypeName(cardType));
    record.insert(QStringLiteral("raw_ocr"), QStringLiteral("[身份证读取]"));
    record.insert(QStringLiteral("source"), QStringLiteral("hardware"));
    result.json = QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact));

    result.cardFace = drawIdCardFace(record, cardTemplate);
    result.status = IdCardReadStatus::Ok;
    qInfo("[IDCard] Hardware read success: name=%s card_type=%s",
          qUtf8Printable(record.value(QStringLiteral("name")).toString()),
          qUtf8Printable(idCardTypeName(cardType)));
    return result;
}
