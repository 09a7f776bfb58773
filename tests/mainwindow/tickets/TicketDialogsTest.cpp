#include "TestSupport.h"
#include "TicketDatabase.h"
#include "TicketEditDialog.h"
#include "TicketQueryDialog.h"

#include <QComboBox>
#include <QJsonDocument>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <gtest/gtest.h>

#include <functional>

using namespace testsupport;

namespace {

// Answers the query dialog's questions as the test says and records what it was told.
class ScriptedPrompter : public TicketPrompter
{
public:
    void warning(QWidget*, const QString& title, const QString& text) override { told << title + "|" + text; }
    void information(QWidget*, const QString& title, const QString& text) override
    {
        told << title + "|" + text;
    }
    bool confirm(QWidget*, const QString&, const QString& text) override
    {
        asked << text;
        return answerYes;
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override
    {
        return savePath;
    }
    bool runDialog(QDialog& dialog) override
    {
        return editDialog ? editDialog(static_cast<TicketEditDialog&>(dialog)) : false;
    }

    bool answerYes = false;
    QString savePath;
    std::function<bool(TicketEditDialog&)> editDialog;
    QStringList told;
    QStringList asked;
};

QString editorText(QWidget* editor)
{
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        return line->text();
    if (auto* box = qobject_cast<QPlainTextEdit*>(editor))
        return box->toPlainText();
    return "<no editor>";
}

QList<int> listedIds(const QTableWidget* table)
{
    QList<int> out;
    for (int row = 0; row < table->rowCount(); ++row)
        out << table->item(row, 0)->text().toInt();
    return out;
}

TEST(TicketEditDialogTest, KeepsLongValuesWholeAndChangesOnlyEditedKeys)
{
    QString photo;
    for (int i = 0; i < 100000; ++i)
        photo += QChar("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/"[(i * 7) % 64]);
    QJsonObject record{{"name", QStringLiteral("张三")}, {"photo_base64", photo},
                       {"raw_ocr", "raw text"},          {"passenger_capacity", 5},
                       {"source", "hardware"},           {"recognize_time", "2026-01-01T00:00:00"}};
    QImage picture(400, 300, QImage::Format_RGB32);
    picture.fill(Qt::gray);
    TicketEditDialog dialog(record, picture, nullptr);

    EXPECT_EQ(dialog.editorFor("raw_ocr"), nullptr);
    EXPECT_EQ(editorText(dialog.editorFor("photo_base64")).size(), photo.size());
    EXPECT_EQ(editorText(dialog.editorFor("passenger_capacity")), "5");
    EXPECT_EQ(dialog.editedRecord(), record) << "nothing edited, nothing changed";

    qobject_cast<QLineEdit*>(dialog.editorFor("name"))->setText(QStringLiteral("李四"));
    qobject_cast<QLineEdit*>(dialog.editorFor("passenger_capacity"))->setText("7");
    const QJsonObject edited = dialog.editedRecord();
    const struct
    {
        const char* key;
        QJsonValue expected;
    } expectations[] = {
        {"name", QStringLiteral("李四")}, {"passenger_capacity", "7"},
        {"photo_base64", photo},          {"raw_ocr", "raw text"},
        {"source", "hardware"},           {"recognize_time", "2026-01-01T00:00:00"},
    };
    for (const auto& e : expectations)
        EXPECT_EQ(edited.value(e.key), e.expected) << e.key;
    EXPECT_EQ(edited.size(), record.size());
    const QByteArray json = QJsonDocument(edited).toJson(QJsonDocument::Compact);
    EXPECT_EQ(QJsonDocument::fromJson(json).object().value("photo_base64").toString(), photo);
}

class TicketQueryDialogTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir.applyToCurrentProcess();
        m_db = std::make_unique<TicketDatabase>();
        ASSERT_TRUE(m_db->initialize());
        m_card = m_db->insertRecord("idcard", QStringLiteral(R"({"type":"idcard","name":"张三"})"), {});
        m_invoice = m_db->insertRecord(
            "vat_invoice", QStringLiteral(R"({"type":"vat_invoice","buyer_name":"甲公司","name":""})"), {});
        m_unknown = m_db->insertRecord("driver_license",
                                       R"({"type":"driver_license","raw_ocr":"DRIVING LICENCE text"})", {});
        m_dialog = std::make_unique<TicketQueryDialog>(m_db.get());
        m_dialog->setPrompter(m_prompter);
    }

    TempAppDir m_dir;
    std::unique_ptr<TicketDatabase> m_db; // made once the data folder points into m_dir
    int m_card = -1, m_invoice = -1, m_unknown = -1;
    std::shared_ptr<ScriptedPrompter> m_prompter = std::make_shared<ScriptedPrompter>();
    std::unique_ptr<TicketQueryDialog> m_dialog;
};

TEST_F(TicketQueryDialogTest, ListsAndFiltersByTypeAndKeyword)
{
    QTableWidget* table = m_dialog->table();
    ASSERT_EQ(listedIds(table), (QList<int>{m_unknown, m_invoice, m_card}));
    EXPECT_EQ(table->item(2, 1)->text(), QStringLiteral("身份证"));
    EXPECT_EQ(table->item(2, 2)->text(), QStringLiteral("张三"));
    EXPECT_EQ(table->item(1, 2)->text(), QString()) << "an empty name is the key information it found";
    EXPECT_EQ(table->item(0, 2)->text(), "DRIVING LICENCE text");
    EXPECT_TRUE(m_dialog->statusLabel()->text().startsWith(QStringLiteral("共 3 条记录")));

    const struct
    {
        QString type;
        QString keyword;
        QList<int> expected;
    } cases[] = {
        {"idcard", "", {m_card}},
        {"vat_invoice", QStringLiteral("甲"), {m_invoice}},
        {"", QStringLiteral(" 张三 "), {m_card}},
        {"driver_license", QStringLiteral("张三"), {}},
        {"", "' OR 1=1 --", {}},
    };
    for (const auto& test : cases) {
        m_dialog->typeCombo()->setCurrentIndex(m_dialog->typeCombo()->findData(test.type));
        m_dialog->keywordEdit()->setText(test.keyword);
        m_dialog->onSearch();
        EXPECT_EQ(listedIds(table), test.expected)
            << test.type.toStdString() << " / " << test.keyword.toStdString();
    }
    m_dialog->onRefresh();
    EXPECT_EQ(table->rowCount(), 3);
    EXPECT_TRUE(m_dialog->keywordEdit()->text().isEmpty());
}

TEST_F(TicketQueryDialogTest, DeletesOnlyWhenConfirmedAndEditsThroughTheDialog)
{
    QSignalSpy deleted(m_dialog.get(), &TicketQueryDialog::recordDeleted);
    QSignalSpy edited(m_dialog.get(), &TicketQueryDialog::recordEdited);
    QTableWidget* table = m_dialog->table();

    table->selectRow(2); // the identity card
    m_prompter->answerYes = false;
    m_dialog->onDeleteClicked();
    EXPECT_EQ(m_db->recordCount(), 3);
    ASSERT_EQ(m_prompter->asked.size(), 1);
    EXPECT_TRUE(m_prompter->asked.first().contains(QString("#%1").arg(m_card)));

    m_prompter->answerYes = true;
    m_dialog->onDeleteClicked();
    EXPECT_EQ(listedIds(table), (QList<int>{m_unknown, m_invoice}));
    EXPECT_TRUE(m_db->getRecordById(m_card).isEmpty());
    ASSERT_EQ(deleted.count(), 1);
    EXPECT_EQ(deleted.first().at(0).toInt(), m_card);

    m_prompter->editDialog = [](TicketEditDialog& dialog) {
        qobject_cast<QLineEdit*>(dialog.editorFor("buyer_name"))->setText(QStringLiteral("乙公司"));
        return true;
    };
    table->selectRow(1); // the invoice
    m_dialog->onEditClicked();
    ASSERT_EQ(edited.count(), 1);
    EXPECT_EQ(edited.first().at(0).toInt(), m_invoice);
    const QJsonObject stored =
        QJsonDocument::fromJson(m_db->getRecordById(m_invoice).value("json_data").toString().toUtf8())
            .object();
    EXPECT_EQ(stored.value("buyer_name").toString(), QStringLiteral("乙公司"));
    EXPECT_EQ(edited.first().at(1).toString(), m_db->getRecordById(m_invoice).value("json_data").toString());
    EXPECT_TRUE(m_prompter->told.isEmpty()) << m_prompter->told.join("; ").toStdString();
}

} // namespace
