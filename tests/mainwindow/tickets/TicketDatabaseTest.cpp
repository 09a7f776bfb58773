#include "TicketDatabase.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QPainter>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {

QList<int> ids(const QJsonArray& records)
{
    QList<int> out;
    for (const QJsonValue& record : records)
        out << record.toObject().value("id").toInt();
    return out;
}

class TicketDatabaseTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        m_db = std::make_unique<TicketDatabase>();
        m_db->setClock([this] { return m_clock.now(); });
        ASSERT_TRUE(m_db->initialize());
    }

    TempAppDir m_dir;
    FixedClock m_clock{QDateTime(QDate(2026, 3, 4), QTime(5, 6, 7))};
    std::unique_ptr<TicketDatabase> m_db;
};

TEST_F(TicketDatabaseTest, StoresInTheUserDataFolderAndReadsBack)
{
    ASSERT_TRUE(qEnvironmentVariable("XDG_DATA_HOME").startsWith(m_dir.path()));
    EXPECT_EQ(m_db->databasePath(), qEnvironmentVariable("XDG_DATA_HOME") + "/Lumadoc/ticket_records.db");
    QImage picture(64, 48, QImage::Format_RGB32);
    picture.fill(Qt::white);
    QPainter(&picture).fillRect(0, 0, 32, 48, Qt::black);
    const QString json = QStringLiteral(R"({"type":"idcard","name":"张三"})");
    const int withPicture = m_db->insertRecord("idcard", json, picture);
    const int withoutPicture = m_db->insertRecord("vat_invoice", "{}", QImage());
    ASSERT_GT(withPicture, 0);
    ASSERT_GT(withoutPicture, withPicture);

    const QJsonObject record = m_db->getRecordById(withPicture);
    EXPECT_EQ(record.value("id").toInt(), withPicture);
    EXPECT_EQ(record.value("ticket_type").toString(), "idcard");
    EXPECT_EQ(record.value("json_data").toString(), json);
    for (const char* key : {"recognize_time", "created_at", "updated_at"})
        EXPECT_EQ(record.value(key).toString(), "2026-03-04T05:06:07") << key;

    const QImage stored = m_db->getImage(withPicture);
    ASSERT_EQ(stored.size(), picture.size());
    EXPECT_LT(qGray(stored.pixel(8, 24)), 40); // JPEG keeps the halves apart
    EXPECT_GT(qGray(stored.pixel(56, 24)), 215);
    EXPECT_TRUE(m_db->getImage(withoutPicture).isNull());
    EXPECT_TRUE(m_db->getRecordById(withoutPicture + 100).isEmpty());
    EXPECT_EQ(m_db->recordCount(), 2);
}

TEST_F(TicketDatabaseTest, SearchMatchesTextLiterallyAndTypeExactly)
{
    const int a =
        m_db->insertRecord("idcard", QStringLiteral(R"({"name":"张三","id_number":"11010119900307X"})"), {});
    const int b = m_db->insertRecord("driver_license", R"({"name":"Li Si"})", {});
    const int c = m_db->insertRecord("idcard", QStringLiteral(R"({"name":"王五"})"), {});
    const int d = m_db->insertRecord("vat_invoice", R"({"tax_rate":"13%","item_name":"a_b"})", {});
    const int e = m_db->insertRecord(QStringLiteral("硬件读取"), R"({"name":"x"})", {});

    const struct
    {
        QString keyword;
        QString type;
        QList<int> expected;
    } cases[] = {
        {"", "", {e, d, c, b, a}},
        {"   ", "", {e, d, c, b, a}},
        {"", "idcard", {c, a}},
        {"", "idcard ", {}}, // the type is exact, not trimmed
        {QStringLiteral(" 张三 "), "", {a}},
        {QStringLiteral("王"), "idcard", {c}},
        {QStringLiteral("王"), "driver_license", {}},
        {"license", "", {b}}, // the type column is searched too
        {QStringLiteral("硬件"), "", {e}},
        {"' OR 1=1 --", "", {}},
        {"x' OR 'x'='x", "idcard", {}},
        {"%", "", {d}},       // wildcards are plain characters
        {"_", "", {d, b, a}}, // "a_b", "driver_license", "id_number"
    };
    for (const auto& test : cases) {
        EXPECT_EQ(ids(m_db->searchRecords(test.keyword, test.type)), test.expected)
            << test.keyword.toStdString() << " / " << test.type.toStdString();
    }
    EXPECT_EQ(m_db->recordCount(), 5) << "a hostile keyword must not change the table";
}

TEST_F(TicketDatabaseTest, UpdateAndDeleteTouchOnlyExistingRows)
{
    const int id = m_db->insertRecord("idcard", R"({"name":"a"})", {});
    m_clock.advanceMs(3600 * 1000);
    ASSERT_TRUE(m_db->updateRecord(id, R"({"name":"b"})"));
    const QJsonObject record = m_db->getRecordById(id);
    EXPECT_EQ(record.value("json_data").toString(), R"({"name":"b"})");
    EXPECT_EQ(record.value("ticket_type").toString(), "idcard");
    EXPECT_EQ(record.value("recognize_time").toString(), "2026-03-04T05:06:07");
    EXPECT_EQ(record.value("created_at").toString(), "2026-03-04T05:06:07");
    EXPECT_EQ(record.value("updated_at").toString(), "2026-03-04T06:06:07");

    EXPECT_FALSE(m_db->updateRecord(id + 1, "{}"));
    EXPECT_FALSE(m_db->deleteRecord(id + 1));
    EXPECT_TRUE(m_db->deleteRecord(id));
    EXPECT_FALSE(m_db->deleteRecord(id));
    EXPECT_FALSE(m_db->updateRecord(id, "{}"));
    EXPECT_EQ(m_db->recordCount(), 0);
}

TEST_F(TicketDatabaseTest, ExportWritesAllNewestFirstOrFailsWithoutAFile)
{
    const int first = m_db->insertRecord("idcard", R"({"n":1})", {});
    const int second = m_db->insertRecord("vat_invoice", R"({"n":2})", {});
    const QString target = m_dir.filePath("out.json");
    QFile old(target);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(100000, 'z')); // a longer old file must not leave a tail behind
    old.close();

    ASSERT_TRUE(m_db->exportToJson(target));
    QFile file(target);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QJsonDocument doc = QJsonDocument::fromJson(file.readAll());
    ASSERT_TRUE(doc.isArray());
    EXPECT_EQ(ids(doc.array()), (QList<int>{second, first}));
    EXPECT_EQ(doc.array(), m_db->getAllRecords());

    EXPECT_FALSE(m_db->exportToJson(m_dir.filePath("missing/folder/out.json")));

    // A database that cannot be opened: its file name is taken by a folder.
    TempAppDir broken;
    broken.applyToCurrentProcess();
    QDir().mkpath(qEnvironmentVariable("XDG_DATA_HOME") + "/Lumadoc/ticket_records.db");
    TicketDatabase down;
    EXPECT_FALSE(down.initialize());
    const QString downTarget = broken.filePath("down.json");
    EXPECT_FALSE(down.exportToJson(downTarget));
    EXPECT_FALSE(QFile::exists(downTarget));
    EXPECT_EQ(down.insertRecord("idcard", "{}", {}), -1);
    EXPECT_EQ(down.recordCount(), -1);
}

TEST_F(TicketDatabaseTest, SharedConnectionFollowsEachDatabaseFile)
{
    m_db->insertRecord("idcard", "{}", {});
    m_db->insertRecord("idcard", "{}", {});

    TempAppDir other;
    other.applyToCurrentProcess();
    TicketDatabase second;
    ASSERT_NE(second.databasePath(), m_db->databasePath());
    ASSERT_TRUE(second.initialize());
    EXPECT_EQ(second.recordCount(), 0) << "must not read the other folder's file";
    EXPECT_GT(second.insertRecord("vat_invoice", "{}", {}), 0);
    EXPECT_TRUE(QFile::exists(second.databasePath()));

    // Both objects share the one named connection; each operation goes to its own file.
    EXPECT_EQ(m_db->recordCount(), 2);
    EXPECT_EQ(second.recordCount(), 1);
    EXPECT_EQ(ids(m_db->searchRecords("", "vat_invoice")), QList<int>{});
}

} // namespace
