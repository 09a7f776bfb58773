// The OFD package as strict readers see it: entries, ids, page boxes, schema validity, stored bytes
// with their CRCs, and the limits of the ZIP layout.
#include "OfdWriter.h"
#include "ExportTestTools.h"
#include "TestSupport.h"
#include "ZipWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include <sys/mman.h>

using namespace exporttest;

namespace {

QString schemaDir()
{
    return QDir::cleanPath(QStringLiteral(LUMADOC_SOURCE_DIR "/../shared/ofd-schema"));
}

QString xpath(const QString& file, const QString& expression)
{
    const ToolResult r = runTool("xmllint", {"--xpath", expression, file});
    return QString::fromUtf8(r.out).trimmed();
}

QString pageBox(const QString& file, const QString& parent)
{
    return xpath(file,
                 QStringLiteral("string(//*[local-name()='%1']/*[local-name()='PhysicalBox'])").arg(parent));
}

QString attr(const QString& file, const QString& element, const QString& attribute, int nth = 1)
{
    return xpath(
        file,
        QStringLiteral("string((//*[local-name()='%1'])[%2]/@%3)").arg(element).arg(nth).arg(attribute));
}

} // namespace

TEST(ZipWriter, Crc32KnownAnswers)
{
    EXPECT_EQ(zip::crc32(QByteArray()), 0x00000000u);
    EXPECT_EQ(zip::crc32("abc"), 0x352441C2u);
    EXPECT_EQ(zip::crc32("123456789"), 0xCBF43926u);
    EXPECT_EQ(zip::crc32("The quick brown fox jumps over the lazy dog"), 0x414FA339u);
}

// One and two pages: the entries in their order, ids, MaxUnitID and page boxes; every XML entry valid
// against the standard's schema; unzip tests the archive without a warning; the stored JPEG is the page.
TEST(OfdWriter, PackageStructureAndSchemaValidity)
{
    const QString schemas = schemaDir();
    if (!QFileInfo(schemas + "/OFD.xsd").exists())
        GTEST_SKIP() << "no OFD schemas at " << schemas.toStdString();
    testsupport::TempAppDir dir;

    struct Case
    {
        const char* name;
        QList<QImage> pages;
        QString maxUnitId;
        QStringList pageBoxes;
    };
    const Case cases[] = {
        {"one page", {quadrants(1920, 1080)}, "5", {"0 0 508.000000 285.750000"}},
        {"two pages",
         {quadrants(1920, 1080), quadrants(600, 800, QImage::Format_ARGB32)},
         "15",
         {"0 0 508.000000 285.750000", "0 0 158.750000 211.666667"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const int n = c.pages.size();
        const QString ofdFile = dir.filePath(QStringLiteral("pages%1.ofd").arg(n));
        ASSERT_TRUE(writeOfdFromImages(ofdFile, c.pages));

        QStringList expectedEntries = {"MimeType", "OFD.xml", "Doc_0/Document.xml", "Doc_0/PublicRes.xml",
                                       "Doc_0/DocumentRes.xml"};
        for (int i = 0; i < n; ++i)
            expectedEntries << QStringLiteral("Doc_0/Res/image_%1.jpg").arg(i)
                            << QStringLiteral("Doc_0/Pages/Page_%1/Content.xml").arg(i);
        const ToolResult list = runTool("unzip", {"-Z1", ofdFile});
        EXPECT_EQ(QString::fromUtf8(list.out).split('\n', Qt::SkipEmptyParts), expectedEntries);
        const ToolResult test = runTool("unzip", {"-t", ofdFile});
        EXPECT_EQ(test.exitCode, 0) << test.out.toStdString();
        EXPECT_TRUE(test.err.isEmpty()) << test.err.toStdString();
        EXPECT_TRUE(test.out.contains("No errors detected")) << test.out.toStdString();

        const QString out = dir.filePath(QStringLiteral("x%1").arg(n));
        ASSERT_EQ(runTool("unzip", {"-q", ofdFile, "-d", out}).exitCode, 0);
        EXPECT_EQ(readAll(out + "/MimeType"), QByteArray("application/ofd"));

        // Schema validity of each XML entry.
        QVector<QPair<QString, QString>> validations = {{"OFD.xml", "OFD.xsd"},
                                                        {"Doc_0/Document.xml", "Document.xsd"},
                                                        {"Doc_0/PublicRes.xml", "Res.xsd"},
                                                        {"Doc_0/DocumentRes.xml", "Res.xsd"}};
        for (int i = 0; i < n; ++i)
            validations.append({QStringLiteral("Doc_0/Pages/Page_%1/Content.xml").arg(i), "Page.xsd"});
        for (const auto& v : validations) {
            SCOPED_TRACE(v.first.toStdString());
            const ToolResult valid =
                runTool("xmllint", {"--noout", "--schema", schemas + "/" + v.second, out + "/" + v.first});
            EXPECT_EQ(valid.exitCode, 0) << valid.err.toStdString();
        }

        const QString document = out + "/Doc_0/Document.xml";
        EXPECT_EQ(xpath(document, "string(//*[local-name()='MaxUnitID'])"), c.maxUnitId);
        EXPECT_EQ(pageBox(document, "PageArea"), c.pageBoxes[0]);
        EXPECT_EQ(xpath(out + "/OFD.xml", "string(//*[local-name()='DocRoot'])"), "Doc_0/Document.xml");
        for (int i = 0; i < n; ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(attr(document, "Page", "ID", i + 1), QString::number(10 * i + 1));
            EXPECT_EQ(attr(document, "Page", "BaseLoc", i + 1),
                      QStringLiteral("Pages/Page_%1/Content.xml").arg(i));
            const QString res = out + "/Doc_0/DocumentRes.xml";
            EXPECT_EQ(attr(res, "MultiMedia", "ID", i + 1), QString::number(10 * i + 2));
            EXPECT_EQ(xpath(res, QStringLiteral("string((//*[local-name()='MediaFile'])[%1])").arg(i + 1)),
                      QStringLiteral("image_%1.jpg").arg(i));
            const QString content = out + QStringLiteral("/Doc_0/Pages/Page_%1/Content.xml").arg(i);
            EXPECT_EQ(pageBox(content, "Area"), c.pageBoxes[i]);
            EXPECT_EQ(attr(content, "Layer", "ID"), QString::number(10 * i + 3));
            EXPECT_EQ(attr(content, "ImageObject", "ID"), QString::number(10 * i + 4));
            EXPECT_EQ(attr(content, "ImageObject", "ResourceID"), QString::number(10 * i + 2));
            const QString size = c.pageBoxes[i].mid(4);
            EXPECT_EQ(attr(content, "ImageObject", "Boundary"), "0.000000 0.000000 " + size);
            const QStringList wh = size.split(' ');
            EXPECT_EQ(attr(content, "ImageObject", "CTM"),
                      QStringLiteral("%1 0 0 %2 0.000000 0.000000").arg(wh[0], wh[1]));

            // The stored image is the page: its size, and its colours where they were drawn.
            const QImage stored(out + QStringLiteral("/Doc_0/Res/image_%1.jpg").arg(i), "JPEG");
            ASSERT_EQ(stored.size(), c.pages[i].size());
            EXPECT_TRUE(near(colourAt(stored, 0.25, 0.25), Qt::red, 12));
            EXPECT_TRUE(near(colourAt(stored, 0.75, 0.75), Qt::white, 12));
        }

        // The package streamed to the file is byte for byte the in-memory package of its own entries.
        QVector<ZipEntry> entries;
        for (const QString& name : expectedEntries)
            entries.append(ZipEntry{name, readAll(out + "/" + name)});
        EXPECT_EQ(buildZip(entries), readAll(ofdFile));
    }
}

// Beyond its 16-bit entry count or the size a byte array holds, the ZIP writer refuses with a reason
// instead of writing a corrupt package. The large case is counted, never filled: the entries point at
// untouched virtual memory.
TEST(ZipWriter, RefusesPackagesBeyondItsLimits)
{
    // The size accounting is exact.
    const QVector<ZipEntry> small = {{"a", "x"}, {"Doc_0/b.xml", QByteArray(1000, 'y')}, {"empty", {}}};
    EXPECT_EQ(buildZip(small).size(), zip::packageSize({{1, 1}, {11, 1000}, {5, 0}}));

    QVector<ZipEntry> many(zip::kMaxEntries);
    for (int i = 0; i < many.size(); ++i)
        many[i].name = QString::number(i);
    QString error;
    const QByteArray full = buildZip(many, &error);
    ASSERT_FALSE(full.isEmpty()) << error.toStdString();
    // End record: entries on this disk and in total.
    const QByteArray end = full.right(22);
    EXPECT_EQ(quint8(end[10]) | quint8(end[11]) << 8, 0xFFFF);
    EXPECT_EQ(quint8(end[8]) | quint8(end[9]) << 8, 0xFFFF);
    many.append(ZipEntry{"one too many", {}});
    EXPECT_TRUE(buildZip(many, &error).isEmpty());
    EXPECT_TRUE(error.contains("65535")) << error.toStdString();

    const qint64 chunk = 800LL << 20;
    void* mapped =
        ::mmap(nullptr, size_t(chunk), PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    const QByteArray big = QByteArray::fromRawData(static_cast<const char*>(mapped), int(chunk));
    error.clear();
    EXPECT_TRUE(buildZip({{"a.jpg", big}, {"b.jpg", big}, {"c.jpg", big}}, &error).isEmpty());
    EXPECT_TRUE(error.contains("bytes")) << error.toStdString();
    // Two of them fit the accounting of a byte array (1.6 GiB), three do not.
    EXPECT_LE(zip::packageSize({{5, chunk}, {5, chunk}}), zip::kMaxInMemoryPackageBytes);
    EXPECT_GT(zip::packageSize({{5, chunk}, {5, chunk}, {5, chunk}}), zip::kMaxInMemoryPackageBytes);
    ::munmap(mapped, size_t(chunk));

    // A writer refuses the entry that would pass its byte limit, and only that one.
    QByteArray sink;
    QBuffer buffer(&sink);
    buffer.open(QIODevice::WriteOnly);
    ZipWriter writer(&buffer, 30 + 46 + 2 * 5 + 100 + 22);
    EXPECT_TRUE(writer.addEntry("a.jpg", QByteArray(100, 'z')));
    EXPECT_FALSE(writer.addEntry("b", QByteArray()));
    EXPECT_FALSE(writer.errorString().isEmpty());
}
