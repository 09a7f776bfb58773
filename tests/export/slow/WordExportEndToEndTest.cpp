// The Word export through a real LibreOffice (two office runs in all): the picture's recognised lines
// come back from the .doc in order, Chinese included, and a .docx keeps angle brackets inside words.
#include "ExportTestTools.h"
#include "OcrExport.h"
#include "TestSupport.h"
#include "WordExport.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace exporttest;

namespace {

QStringList nonEmptyLines(const QString& text)
{
    QStringList lines;
    for (const QString& line : text.split('\n'))
        if (!line.trimmed().isEmpty())
            lines << line.trimmed();
    return lines;
}

// The paragraphs of a .docx, from its document part.
QStringList docxParagraphs(const QString& path)
{
    const QString xml = QString::fromUtf8(runTool("unzip", {"-p", path, "word/document.xml"}).out);
    QStringList paragraphs;
    const QRegularExpression paragraph(R"(<w:p[ >].*?</w:p>)", QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression run(R"(<w:t(?: [^>]*)?>([^<]*)</w:t>)");
    for (auto p = paragraph.globalMatch(xml); p.hasNext();) {
        QString text;
        for (auto r = run.globalMatch(p.next().captured(0)); r.hasNext();)
            text += r.next().captured(1);
        text.replace("&lt;", "<").replace("&gt;", ">").replace("&amp;", "&");
        paragraphs << text;
    }
    return paragraphs;
}

} // namespace

TEST(WordExportEndToEnd, RecognisedLinesReachTheDocumentInOrder)
{
    testsupport::TempAppDir dir;
    QImage page(1000, 600, QImage::Format_RGB888);
    page.fill(Qt::white);
    {
        QPainter painter(&page);
        painter.setPen(Qt::black);
        QFont cjk(QStringLiteral("WenQuanYi Micro Hei"));
        cjk.setPixelSize(64);
        painter.setFont(cjk);
        painter.drawText(QPoint(100, 150), QStringLiteral("文档扫描测试"));
        painter.drawText(QPoint(100, 300), QStringLiteral("识别文字正确"));
        QFont latin(QStringLiteral("DejaVu Sans"));
        latin.setPixelSize(52);
        painter.setFont(latin);
        painter.drawText(QPoint(100, 450), QStringLiteral("Lumadoc Word"));
    }
    const QString image = dir.filePath("page.jpg");
    ASSERT_TRUE(page.save(image, "JPEG", 90));
    QStringList recognised;
    for (const TextBox& box : ocrexport::readPageText(QImage(image)))
        recognised << box.text.trimmed();
    ASSERT_LE(characterErrorRate(QStringLiteral("文档扫描测试 识别文字正确 Lumadoc Word"), recognised.join(' ')), 0.2);

    // An older file at the path is replaced by the new document.
    const QString doc = dir.filePath("page.doc");
    QFile old(doc);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("OLD");
    old.close();
    EXPECT_EQ(ocrexport::exportWord(image, doc), "success:" + doc);
    const ToolResult text = runTool("catdoc", {"-d", "utf-8", doc});
    ASSERT_EQ(text.exitCode, 0) << text.err.toStdString();
    EXPECT_EQ(nonEmptyLines(QString::fromUtf8(text.out)), recognised);

    const QString docx = dir.filePath("brackets.docx");
    const QString chained = QStringLiteral("<a<b>c 1(95)>(1,2,3,4)<第二行 x>y(90)>(5,6,7,8)<Figure (12) shows(88)>(0,0,9,9)");
    EXPECT_EQ(wordexport::exportWordDocument(image, chained, docx), "success:" + docx);
    EXPECT_EQ(docxParagraphs(docx), (QStringList{"a<b>c 1", "第二行 x>y", "Figure (12) shows"}));
}
