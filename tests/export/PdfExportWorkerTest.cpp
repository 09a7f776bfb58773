// The searchable PDF: its signals, and where a viewer finds the invisible words (pdftotext -bbox).
#include "ExportTestTools.h"
#include "PdfExportWorkerQt.h"
#include "TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace exporttest;

namespace {

struct Word
{
    QRectF box;
    QString text;
};

// The words of page 1 with their boxes in points.
QVector<Word> bboxWords(const QString& pdf, const QString& htmlPath)
{
    runTool("pdftotext", {"-bbox", pdf, htmlPath});
    const QString html = QString::fromUtf8(readAll(htmlPath));
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QVector<Word> words;
    auto it = word.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        const QPointF topLeft(m.captured(1).toDouble(), m.captured(2).toDouble());
        const QPointF bottomRight(m.captured(3).toDouble(), m.captured(4).toDouble());
        words.append({QRectF(topLeft, bottomRight), m.captured(5)});
    }
    return words;
}

double iou(const QRectF& a, const QRectF& b)
{
    const QRectF overlap = a.intersected(b);
    const double inter = overlap.width() * overlap.height();
    const double uni = a.width() * a.height() + b.width() * b.height() - inter;
    return uni > 0 ? inter / uni : 0;
}

} // namespace

// Each word a viewer selects lies on the box it was given (IoU >= 0.5), whatever the box height, for
// Latin words and CJK lines alike; the CJK lines copy out without spaces, and in reading order. The
// page measures the image in points and the image is visible under the text.
TEST(PdfExportWorkerQt, InvisibleWordsLieOnTheirBoxes)
{
    testsupport::TempAppDir dir;
    const QString imagePath = dir.filePath("page.png");
    ASSERT_TRUE(quadrants(1000, 800).save(imagePath));
    const QList<TextBox> boxes = {
        {60, 40, 300, 100, "Invoice"},           // 60 px tall
        {320, 52, 420, 88, "2024"},              // 36 px
        {60, 140, 200, 152, "small"},            // 12 px: the clamp of 6..72 pt must not shrink it
        {80, 300, 680, 360, "文档扫描测试结果"}, // a Chinese line, one box
        {80, 420, 520, 470, "日本語のテキスト"}, // Japanese
        {560, 600, 940, 700, "Total"},           // 100 px
    };
    const QString pdf = dir.filePath("searchable.pdf");
    PdfExportWorkerQt worker(imagePath, boxes, pdf);
    QSignalSpy progress(&worker, &PdfExportWorkerQt::progress);
    QSignalSpy result(&worker, &PdfExportWorkerQt::resultReady);
    QSignalSpy failed(&worker, &PdfExportWorkerQt::error);
    QSignalSpy finished(&worker, &PdfExportWorkerQt::finished);
    worker.process();
    ASSERT_EQ(result.count(), 1);
    EXPECT_EQ(result.at(0).at(0).toString(), pdf);
    EXPECT_EQ(failed.count(), 0);
    EXPECT_EQ(finished.count(), 1);
    ASSERT_FALSE(progress.isEmpty());
    EXPECT_EQ(progress.first().at(0).toInt(), 10);
    EXPECT_EQ(progress.last().at(0).toInt(), 100);

    const ToolResult info = runTool("pdfinfo", {pdf});
    EXPECT_TRUE(
        QRegularExpression("Page size: +1000 x 800 pts").match(QString::fromUtf8(info.out)).hasMatch())
        << info.out.toStdString();
    EXPECT_EQ(runTool("qpdf", {"--check", pdf}).exitCode, 0);

    const QVector<Word> words = bboxWords(pdf, dir.filePath("words.html"));
    QStringList texts;
    for (const Word& w : words)
        texts << w.text;
    EXPECT_EQ(texts,
              (QStringList{"Invoice", "2024", "small", "文档扫描测试结果", "日本語のテキスト", "Total"}));
    for (const Word& w : words) {
        SCOPED_TRACE(w.text.toStdString());
        double best = 0;
        for (const TextBox& b : boxes)
            best = qMax(best, iou(w.box, QRectF(QPointF(b.x1, b.y1), QPointF(b.x2, b.y2))));
        EXPECT_GE(best, 0.5) << w.box.x() << "," << w.box.y() << " " << w.box.width() << "x"
                             << w.box.height();
    }
    const QString plain = QString::fromUtf8(runTool("pdftotext", {"-layout", pdf, "-"}).out);
    EXPECT_TRUE(plain.contains("文档扫描测试结果")) << plain.toStdString();
    EXPECT_TRUE(plain.contains("日本語のテキスト")) << plain.toStdString();

    // The picture is there under the invisible text.
    runTool("pdftoppm", {"-r", "18", "-png", "-singlefile", pdf, dir.filePath("shown")});
    const QImage shown(dir.filePath("shown.png"));
    ASSERT_FALSE(shown.isNull());
    EXPECT_TRUE(near(colourAt(shown, 0.25, 0.25), Qt::red, 40));
    EXPECT_TRUE(near(colourAt(shown, 0.75, 0.75), Qt::white, 40));
}

// An image that does not load: error, then finished, and an older document at the path stays as it
// was (its existence is no success).
TEST(PdfExportWorkerQt, UnreadableImageReportsAnErrorAndKeepsTheOlderFile)
{
    testsupport::TempAppDir dir;
    const QString pdf = dir.filePath("old.pdf");
    {
        QFile f(pdf);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("older");
    }
    PdfExportWorkerQt worker(dir.filePath("missing.png"), {{0, 0, 10, 10, "x"}}, pdf);
    QSignalSpy result(&worker, &PdfExportWorkerQt::resultReady);
    QSignalSpy failed(&worker, &PdfExportWorkerQt::error);
    QSignalSpy finished(&worker, &PdfExportWorkerQt::finished);
    worker.process();
    EXPECT_EQ(result.count(), 0);
    ASSERT_EQ(failed.count(), 1);
    EXPECT_TRUE(failed.at(0).at(0).toString().startsWith(QStringLiteral("无法加载图片文件: ")));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(readAll(pdf), QByteArray("older"));
}
