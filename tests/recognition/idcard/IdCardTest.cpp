// The card read end to end through the simulated reader, the GBK text boundary, and the painted face.
#include "IdCardFace.h"
#include "IdCardSession.h"
#include "TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QJsonDocument>
#include <QPainter>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 3, 4), QTime(5, 6, 7));

QStringList photoFolders(const QString& tempDir)
{
    return QDir(tempDir).entryList({QStringLiteral("lumadoc-idcard-*"), QStringLiteral("zp.bmp")},
                                   QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

int darkPixels(const QImage& img, const QRect& r)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += qGray(img.pixel(x, y)) < 60; // the values are black, the captions grey
    return n;
}

TEST(IdCardSession, NoReaderIsReportedOnEveryPress)
{
    IdCardSession session(makeIdCardReader(QProcessEnvironment())); // nothing set: no reader
    for (int press = 0; press < 2; ++press) {
        const IdCardReadResult r = session.read(kNow, defaultIdCardTemplate());
        EXPECT_EQ(r.status, IdCardReadStatus::NoReader);
        EXPECT_EQ(r.errorText, QStringLiteral("未发现身份证读卡器，请检查设备连接后重试。"));
        EXPECT_FALSE(session.isConnected());
        EXPECT_TRUE(r.json.isEmpty());
    }
}

TEST(IdCardSession, SimulatedCardsBecomeRecordsAndLeaveNoPhotoBehind)
{
    const struct
    {
        int type;
        bool photo;
        IdCardReadStatus status;
        const char* cardType;
    } cases[] = {
        {1, true, IdCardReadStatus::Ok, "居民身份证"},
        {2, true, IdCardReadStatus::Ok, "外国人永居证"},
        {3, false, IdCardReadStatus::Ok, "港澳台居住证"},
        {0, true, IdCardReadStatus::ReadFailed, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.type);
        testsupport::TempAppDir app;
        app.applyToCurrentProcess();
        const QString temp = QDir::tempPath();
        // A photo left by someone else where a shared folder would be must never become this card's.
        QImage stale(10, 10, QImage::Format_RGB32);
        stale.fill(Qt::red);
        ASSERT_TRUE(stale.save(QDir(temp).filePath(QStringLiteral("zp.bmp")), "BMP"));

        QProcessEnvironment env;
        env.insert(QStringLiteral("LUMADOC_IDCARD_READER"), QStringLiteral("simulated"));
        env.insert(QStringLiteral("LUMADOC_IDCARD_SIM_TYPE"), QString::number(c.type));
        env.insert(QStringLiteral("LUMADOC_IDCARD_SIM_PHOTO"),
                   c.photo ? QStringLiteral("1") : QStringLiteral("0"));
        const IdCardReadResult r = IdCardSession(makeIdCardReader(env)).read(kNow, defaultIdCardTemplate());
        ASSERT_EQ(r.status, c.status);
        EXPECT_EQ(photoFolders(temp), QStringList{QStringLiteral("zp.bmp")}); // our folder is gone
        if (c.status != IdCardReadStatus::Ok)
            continue;

        const QJsonObject rec = QJsonDocument::fromJson(r.json.toUtf8()).object();
        const auto text = [&](IdCardField f) { return SimulatedIdCardReader::fieldText(c.type, f); };
        EXPECT_EQ(rec.value("name").toString(), text(IdCardField::Name));
        EXPECT_EQ(rec.value("issuer").toString(), text(IdCardField::Issuer));
        EXPECT_EQ(rec.value("id_number").toString(), text(IdCardField::IdNumber));
        EXPECT_EQ(rec.contains("address"), c.type != 2);
        EXPECT_EQ(rec.value("address").toString(), text(IdCardField::Address));
        EXPECT_EQ(rec.value("validity_period").toString(), QStringLiteral("20200101-20300101"));
        EXPECT_EQ(rec.value("card_type").toString(), QString::fromUtf8(c.cardType));
        EXPECT_EQ(rec.value("type").toString(), QStringLiteral("idcard"));
        EXPECT_EQ(rec.value("recognize_time").toString(), QStringLiteral("2026-03-04T05:06:07"));
        EXPECT_EQ(rec.value("raw_ocr").toString(), QStringLiteral("[身份证读取]"));
        EXPECT_EQ(rec.value("source").toString(), QStringLiteral("hardware"));

        EXPECT_EQ(rec.contains("photo_base64"), c.photo);
        QImage photo;
        photo.loadFromData(QByteArray::fromBase64(rec.value("photo_base64").toString().toLatin1()), "PNG");
        EXPECT_EQ(photo.isNull() ? QSize() : photo.size(), c.photo ? QSize(102, 126) : QSize());
        EXPECT_EQ(r.picture().size(), QSize(500, 632));
    }
}

TEST(IdCardText, GbkBuffersDecodeWithinTheirSize)
{
    const struct
    {
        QByteArray bytes;
        int size;
        const char* utf8;
    } cases[] = {
        {QByteArray("\xd5\xc5\xc8\xfd\0\xff", 6), 6, "张三"},
        {QByteArray("\xba\xba\xd7\xe5", 4), 4, "汉族"}, // no terminator: stop at the buffer's end
        {QByteArray("\0\xd5\xc5", 3), 3, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(decodeIdCardText(c.bytes.constData(), c.size), QString::fromUtf8(c.utf8));
}

TEST(IdCardFace, ValidityIsPrintedAsDottedDates)
{
    const struct
    {
        const char* in;
        const char* out;
    } cases[] = {
        {"20200101-20300101", "2020.01.01-2030.01.01"},
        {"2020.01.01 - 2030.01.01", "2020.01.01-2030.01.01"},
        {"20200101-长期", "20200101-长期"},
        {"2020011-20300101", "2020011-20300101"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(formatIdCardValidity(QString::fromUtf8(c.in)), QString::fromUtf8(c.out)) << c.in;
}

TEST(IdCardFace, FieldsAndPhotoLandWhereTheCaptionsAre)
{
    const QImage tpl = defaultIdCardTemplate();
    ASSERT_EQ(tpl.size(), QSize(500, 632));
    QImage photo(102, 126, QImage::Format_RGB32);
    photo.fill(Qt::white);
    QPainter(&photo).fillRect(30, 30, 40, 60, Qt::black);
    QByteArray png;
    QBuffer buf(&png);
    buf.open(QIODevice::WriteOnly);
    photo.save(&buf, "PNG");

    QJsonObject rec{{"name", "林测试"},
                    {"birth_date", "19900101"},
                    {"validity_period", "20200101-20300101"},
                    {"photo_base64", QString::fromLatin1(png.toBase64())}};
    const QImage face = drawIdCardFace(rec, tpl);
    ASSERT_EQ(face.size(), tpl.size());
    const QImage blank = drawIdCardFace({}, tpl);
    const int half = tpl.height() / 2;
    const struct
    {
        QRect box;
        bool inked;
    } boxes[] = {
        {{95, 56, 50, 20}, true},                  // name
        {{100, 128, 36, 16}, true},                // year
        {{175, 128, 18, 16}, true},                // month
        {{110 + 40, 128, 20, 16}, false},          // no whole-date text after the year
        {{202, half + 262, 150, 18}, true},        // validity
        {{500 - 178 + 60, 45 + 60, 30, 50}, true}, // photo's dark middle
    };
    for (const auto& b : boxes) {
        SCOPED_TRACE(b.box.x());
        EXPECT_EQ(darkPixels(blank, b.box), 0);
        EXPECT_EQ(darkPixels(face, b.box) > 0, b.inked);
    }
    // The photo's white background lets the card show through unchanged.
    const QRect corner(500 - 178 + 2, 45 + 2, 10, 10);
    EXPECT_EQ(face.copy(corner), blank.copy(corner));
    EXPECT_TRUE(drawIdCardFace(rec, QImage()).isNull());
}

TEST(IdCardFace, SavedNameKeepsOnlyLettersAndDigitsOfTheNumber)
{
    testsupport::TempAppDir app;
    const QString dir = app.filePath(QStringLiteral("faces/sub"));
    QImage face(8, 8, QImage::Format_RGB32);
    face.fill(Qt::gray);
    const struct
    {
        const char* number;
        const char* name;
    } cases[] = {
        {"99000019900101002X", "idcard_99000019900101002X_20260304_050607.png"},
        {"../../etc/passwd", "idcard_etcpasswd_20260304_050607.png"},
        {"/", "idcard_20260304_050607.png"},
    };
    for (const auto& c : cases) {
        const QString path = saveIdCardFace(face, dir, QString::fromUtf8(c.number), kNow);
        EXPECT_EQ(path, QDir(dir).filePath(QString::fromUtf8(c.name)));
        EXPECT_TRUE(QFileInfo(path).isFile());
    }
}

} // namespace
