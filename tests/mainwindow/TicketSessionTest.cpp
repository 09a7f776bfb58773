// Ticket mode behind the panel: a recognised card is parsed, stored and shown; nothing readable stores
// nothing; the export writes the record; the simulated reader's card lands in the database with its photo.
#include "IdCardReader.h"
#include "IdCardSession.h"
#include "LanguageManager.h"
#include "TestSupport.h"
#include "TicketDatabase.h"
#include "TicketPrompter.h"
#include "TicketSession.h"

#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class AnsweringPrompter : public TicketPrompter
{
public:
    void warning(QWidget*, const QString& title, const QString& text) override { boxes << title + ": " + text; }
    void information(QWidget*, const QString& title, const QString& text) override { boxes << title + ": " + text; }
    bool confirm(QWidget*, const QString&, const QString&) override { return false; }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return savePath; }
    bool runDialog(QDialog&) override { return false; }
    QStringList boxes;
    QString savePath;
};

class TicketSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        // The texts below are the Chinese ones; an earlier test in this process may have switched language.
        LanguageManager::instance()->loadLanguage("zh_CN");
    }

    std::unique_ptr<TicketSession> session(QList<OcrTextBlockEx> blocks, int cardType = 1)
    {
        TicketSession::Environment env;
        env.speak = [this](const QString& text) { m_spoken << text; };
        env.recognizeBlocks = [blocks](const QImage&, const QString&) { return blocks; };
        env.addToGallery = [this](const QImage& image) { m_gallery << image; };
        env.saveDirectory = [] { return QString(); };
        env.prompter = m_prompter;
        auto reader = std::make_unique<IdCardSession>(std::make_unique<SimulatedIdCardReader>(cardType));
        auto s = std::make_unique<TicketSession>(env, std::move(reader));
        QObject::connect(s.get(), &TicketSession::resultHtmlChanged, [this](const QString& html) { m_html = html; });
        EXPECT_TRUE(s->openDatabase(nullptr));
        return s;
    }

    static void recognizeAndWait(TicketSession& s, const QString& type)
    {
        QSignalSpy done(&s, &TicketSession::recognitionFinished);
        QImage picture(200, 120, QImage::Format_RGB32);
        picture.fill(Qt::white);
        s.recognize(picture, type);
        ASSERT_TRUE(done.wait(5000));
    }

    testsupport::TempAppDir m_dir;
    std::shared_ptr<AnsweringPrompter> m_prompter = std::make_shared<AnsweringPrompter>();
    QStringList m_spoken;
    QList<QImage> m_gallery;
    QString m_html;
};

OcrTextBlockEx block(const QString& text, int y)
{
    OcrTextBlockEx b;
    b.text = text;
    b.confidence = 90;
    b.x1 = 10;
    b.x2 = 400;
    b.y1 = y;
    b.y2 = y + 30;
    return b;
}

}  // namespace

TEST_F(TicketSessionTest, RecognisedCardIsStoredShownExportedAndCopied)
{
    auto s = session({block("姓名 张三丰 性别 男 民族 汉", 10), block("出生 1990年3月7日", 50),
                      block("住址 北京市东城区景山前街4号", 90), block("公民身份号码 11010519900307002X", 130)});
    recognizeAndWait(*s, "idcard");
    ASSERT_GE(s->lastRecordId(), 1);
    EXPECT_EQ(m_gallery.size(), 1);
    EXPECT_TRUE(m_html.contains("张三丰"));
    EXPECT_TRUE(m_spoken.contains("识别完成"));
    const QJsonObject stored = s->database()->getRecordById(s->lastRecordId());
    EXPECT_EQ(stored.value("ticket_type").toString(), "idcard");
    const QJsonObject record = QJsonDocument::fromJson(s->lastJson().toUtf8()).object();
    EXPECT_EQ(record.value("name").toString(), "张三丰");
    EXPECT_EQ(record.value("id_number").toString(), "11010519900307002X");

    m_prompter->savePath = m_dir.filePath("card.json");
    s->exportJson(nullptr, "idcard");
    QFile exported(m_prompter->savePath);
    ASSERT_TRUE(exported.open(QIODevice::ReadOnly));
    EXPECT_EQ(QJsonDocument::fromJson(exported.readAll()).object(), record);
    EXPECT_TRUE(m_prompter->boxes.last().startsWith("成功: JSON导出成功！"));
    // A folder that cannot be written is reported, not announced as a success.
    m_prompter->savePath = m_dir.filePath("missing/card.json");
    s->exportJson(nullptr, "idcard");
    EXPECT_TRUE(m_prompter->boxes.last().startsWith("错误: 创建文件失败"));

    s->copyResult();
    EXPECT_EQ(QApplication::clipboard()->text(), s->lastJson());
}

TEST_F(TicketSessionTest, NothingReadableStoresNothing)
{
    auto s = session({});
    recognizeAndWait(*s, "vat_invoice");
    EXPECT_EQ(s->lastRecordId(), -1);
    EXPECT_TRUE(s->lastJson().isEmpty());
    EXPECT_TRUE(m_html.contains("图片中未检测到文字"));
    EXPECT_EQ(s->database()->recordCount(), 0);
    // With no record, edit and export only say so.
    s->editResult(nullptr);
    s->exportJson(nullptr, "vat_invoice");
    EXPECT_EQ(m_prompter->boxes.size(), 2);
    EXPECT_TRUE(m_prompter->boxes.first().startsWith("提示: 没有可编辑的识别结果"));
}

TEST_F(TicketSessionTest, SimulatedReaderCardIsStoredWithItsPhotoAndFace)
{
    auto s = session({}, 2);
    s->readIdCard(nullptr);
    ASSERT_GE(s->lastRecordId(), 1);
    const QJsonObject record = QJsonDocument::fromJson(s->lastJson().toUtf8()).object();
    EXPECT_EQ(record.value("source").toString(), "hardware");
    EXPECT_FALSE(record.contains("address"));  // card type 2
    EXPECT_FALSE(record.value("photo_base64").toString().isEmpty());
    EXPECT_EQ(s->database()->getRecordById(s->lastRecordId()).value("ticket_type").toString(), "硬件读取");
    ASSERT_EQ(m_gallery.size(), 1);
    EXPECT_FALSE(m_gallery.first().isNull());
}
