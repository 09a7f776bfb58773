#include "FileNamer.h"

#include "SavingTestHelpers.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

using savingtest::FakeDecoder;

namespace {

const QDateTime kNow(QDate(2024, 1, 31), QTime(14, 25, 2, 123));

class FileNamerTest : public ::testing::Test
{
protected:
    testsupport::FixedClock m_clock{kNow};
    saving::Clock clock()
    {
        return [this] { return m_clock.now(); };
    }
    QImage m_image{QSize(64, 48), QImage::Format_RGB32};
};

NamingOptions options(int method, int format = 0, const QString& prefix = QStringLiteral("IMG"))
{
    NamingOptions o;
    o.namingMethod = method;
    o.saveFormat = format;
    o.filePrefix = prefix;
    return o;
}

TEST_F(FileNamerTest, PrefixNamesCountUpFromTheStoredNumber)
{
    FileNamer namer(nullptr, clock());
    FileNumberCounter counter{7};
    EXPECT_EQ(namer.generateFileName(m_image, options(1, 0, "DOC"), counter), QStringLiteral("DOC_0007.jpg"));
    EXPECT_EQ(namer.generateFileName(m_image, options(1, 0, "DOC"), counter), QStringLiteral("DOC_0008.jpg"));
    EXPECT_EQ(counter.fileNumber, 9);
}

TEST_F(FileNamerTest, NumbersWiderThanFourDigitsAreKeptWhole)
{
    FileNamer namer(nullptr, clock());
    FileNumberCounter counter{12345};
    EXPECT_EQ(namer.generateFileName(m_image, options(1, 0, "DOC"), counter),
              QStringLiteral("DOC_12345.jpg"));
    EXPECT_EQ(counter.fileNumber, 12346);
}

TEST_F(FileNamerTest, ScannerGunMethodNamesLikePrefixAndNumber)
{
    FileNamer namer(nullptr, clock());
    FileNumberCounter counter{1};
    EXPECT_EQ(namer.generateFileName(m_image, options(3, 1, "SCAN"), counter),
              QStringLiteral("SCAN_0001.png"));
    EXPECT_EQ(counter.fileNumber, 2);
}

TEST_F(FileNamerTest, CounterNeitherStartsBelowOneNorOverflows)
{
    FileNamer namer(nullptr, clock());
    FileNumberCounter zero{0};
    EXPECT_EQ(namer.generateFileName(m_image, options(1, 0, "A"), zero), QStringLiteral("A_0001.jpg"));
    EXPECT_EQ(zero.fileNumber, 2);

    FileNumberCounter top{INT_MAX};
    EXPECT_EQ(namer.generateFileName(m_image, options(1, 0, "A"), top), QStringLiteral("A_2147483647.jpg"));
    EXPECT_EQ(top.fileNumber, INT_MAX);
}

TEST_F(FileNamerTest, DateNameUsesTheClockToTheMillisecond)
{
    FileNamer namer(nullptr, clock());
    FileNumberCounter counter{5};
    EXPECT_EQ(namer.generateFileName(m_image, options(0), counter),
              QStringLiteral("IMG_20240131_142502_123.jpg"));
    m_clock.advanceMs(1);
    EXPECT_EQ(namer.generateFileName(m_image, options(0, 3), counter),
              QStringLiteral("IMG_20240131_142502_124.tif"));
    EXPECT_EQ(counter.fileNumber, 5) << "the date name takes no number";
}

TEST_F(FileNamerTest, UnknownMethodFallsBackToTheDateName)
{
    FileNamer namer(nullptr, clock());
    FileNumberCounter counter{5};
    EXPECT_EQ(namer.generateFileName(m_image, options(9), counter),
              QStringLiteral("IMG_20240131_142502_123.jpg"));
    EXPECT_EQ(namer.generateFileName(m_image, options(-1), counter),
              QStringLiteral("IMG_20240131_142502_123.jpg"));
    EXPECT_EQ(counter.fileNumber, 5);
}

TEST_F(FileNamerTest, BarcodeNameReplacesInvalidCharacters)
{
    FakeDecoder decoder({QStringLiteral("A/B:1"), QStringLiteral("second")});
    FileNamer namer(&decoder, clock());
    FileNumberCounter counter{5};
    EXPECT_EQ(namer.generateFileName(m_image, options(2, 1), counter), QStringLiteral("A_B_1.png"));
    EXPECT_EQ(decoder.calls, 1);
    EXPECT_EQ(decoder.lastSize, m_image.size());
    EXPECT_EQ(counter.fileNumber, 5);
}

TEST_F(FileNamerTest, EveryInvalidCharacterOfACodeBecomesAnUnderscore)
{
    FakeDecoder decoder({QStringLiteral("<a>:\"b/\\c|?*\td\x7f")});
    FileNamer namer(&decoder, clock());
    FileNumberCounter counter;
    EXPECT_EQ(namer.generateFileName(m_image, options(2), counter), QStringLiteral("_a___b__c____d_.jpg"));
}

TEST_F(FileNamerTest, NoBarcodeGivesTheDateName)
{
    FakeDecoder decoder;
    FileNamer namer(&decoder, clock());
    FileNumberCounter counter;
    EXPECT_EQ(namer.generateFileName(m_image, options(2), counter),
              QStringLiteral("IMG_20240131_142502_123.jpg"));
    EXPECT_EQ(decoder.calls, 1);
}

TEST_F(FileNamerTest, NoDecoderOrAnEmptySymbolGivesTheDateName)
{
    FileNamer withoutDecoder(nullptr, clock());
    FileNumberCounter counter;
    EXPECT_EQ(withoutDecoder.generateFileName(m_image, options(2), counter),
              QStringLiteral("IMG_20240131_142502_123.jpg"));

    FakeDecoder emptySymbol({QString()});
    FileNamer namer(&emptySymbol, clock());
    EXPECT_EQ(namer.generateFileName(m_image, options(2, 2), counter),
              QStringLiteral("IMG_20240131_142502_123.bmp"));
}

TEST(SaveFormatTable, ExtensionsAndNames)
{
    const char* extensions[] = {".jpg", ".png", ".bmp", ".tif", ".pdf", ".ofd"};
    const char* names[] = {"JPEG", "PNG", "BMP", "TIFF", "PDF", "OFD"};
    for (int format = 0; format < 6; ++format) {
        EXPECT_EQ(saving::saveFormatExtension(format), QString::fromLatin1(extensions[format]));
        EXPECT_EQ(saving::saveFormatName(format), QString::fromLatin1(names[format]));
    }
    EXPECT_EQ(saving::saveFormatExtension(6), QStringLiteral(".jpg"));
    EXPECT_EQ(saving::saveFormatName(-3), QStringLiteral("JPEG"));
}

// 255 bytes, less the clash (32) and temporary-name (16) reserves, less ".jpg": 203 bytes for the code.
constexpr int kCodeBudgetBytes = 255 - 32 - 16 - 4;

TEST(SafeCodeFileName, ShortCodesStayWhole)
{
    EXPECT_EQ(saving::safeCodeFileName(QStringLiteral("ABC-123"), QStringLiteral(".jpg")),
              QStringLiteral("ABC-123.jpg"));
    EXPECT_EQ(saving::safeCodeFileName(QStringLiteral("订单/42"), QStringLiteral(".png")),
              QStringLiteral("订单_42.png"));
    EXPECT_TRUE(saving::safeCodeFileName(QString(), QStringLiteral(".jpg")).isEmpty());
}

TEST(SafeCodeFileName, LongAsciiCodeIsCutToTheBudget)
{
    const QString name = saving::safeCodeFileName(QString(500, QLatin1Char('x')), QStringLiteral(".jpg"));
    EXPECT_EQ(name, QString(kCodeBudgetBytes, QLatin1Char('x')) + QStringLiteral(".jpg"));
}

TEST(SafeCodeFileName, ThreeByteCharactersAreCutAtACharacterBoundary)
{
    // 203 / 3 = 67 whole characters (201 bytes); the 68th would need 204.
    const QString name = saving::safeCodeFileName(QString(200, QChar(0x6587)), QStringLiteral(".jpg"));
    EXPECT_EQ(name, QString(67, QChar(0x6587)) + QStringLiteral(".jpg"));
    const QByteArray utf8 = name.toUtf8();
    EXPECT_EQ(QString::fromUtf8(utf8), name) << "valid UTF-8 round trip";
    EXPECT_LE(utf8.size() + saving::kClashSuffixReserveBytes + saving::kTemporaryNameReserveBytes, 255);
}

TEST(SafeCodeFileName, FourByteCharactersAreNeverSplit)
{
    // "a" then emoji (4 bytes, two UTF-16 units each): 1 + 50 * 4 = 201 <= 203, a 51st would make 205.
    QString code = QStringLiteral("a");
    for (int i = 0; i < 100; ++i)
        code += QString::fromUcs4(U"\U0001F600");
    const QString name = saving::safeCodeFileName(code, QStringLiteral(".jpg"));
    QString expected = QStringLiteral("a");
    for (int i = 0; i < 50; ++i)
        expected += QString::fromUcs4(U"\U0001F600");
    EXPECT_EQ(name, expected + QStringLiteral(".jpg"));
    EXPECT_FALSE(name.at(name.size() - 5).isHighSurrogate());
}

TEST(SafeCodeFileName, LoneSurrogateBecomesAnUnderscore)
{
    QString code = QStringLiteral("ab");
    code.insert(1, QChar(0xD800));
    EXPECT_EQ(saving::safeCodeFileName(code, QStringLiteral(".jpg")), QStringLiteral("a_b.jpg"));
}

TEST(SafeCodeFileName, ACodeNeverMakesAHiddenFile)
{
    const struct {
        const char* code;
        const char* name;
    } cases[] = {{"../../escape", "_.._escape.jpg"}, {" .profile", "profile.jpg"}, {"...", ""}, {"a.b", "a.b.jpg"}};
    for (const auto& c : cases)
        EXPECT_EQ(saving::safeCodeFileName(QString::fromUtf8(c.code), QStringLiteral(".jpg")), QString::fromUtf8(c.name))
            << c.code;
}

TEST(SafeCodeFileName, ReplacementsCountAsOneByte)
{
    // Each "/" becomes "_" (one byte): all 203 fit.
    const QString name = saving::safeCodeFileName(QString(300, QLatin1Char('/')), QStringLiteral(".jpg"));
    EXPECT_EQ(name, QString(kCodeBudgetBytes, QLatin1Char('_')) + QStringLiteral(".jpg"));
}

} // namespace
