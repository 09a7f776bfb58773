// Searchable PDFs made by OCR, the gallery's pages and the one-page export alike: the words a viewer
// copies are the recognised words (Chinese without spaces between characters), and each lies where the
// picture shows it (pdftotext -bbox against the OCR boxes).
#include "ExportTestTools.h"
#include "OcrExport.h"
#include "PdfExport.h"
#include "TestSupport.h"

#include <QFile>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace exporttest;

namespace {

struct Line
{
    QString text;
    const char* family;
    int pixelSize;
    QPoint baseline;
};

QImage render(const QSize& size, const QVector<Line>& lines)
{
    QImage image(size, QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(Qt::black);
    for (const Line& line : lines) {
        QFont font(QString::fromLatin1(line.family));
        font.setPixelSize(line.pixelSize);
        painter.setFont(font);
        painter.drawText(line.baseline, line.text);
    }
    return image;
}

struct Word
{
    QRectF box; // points
    QString text;
};

QVector<Word> bboxWords(const QString& pdf, int page, const QString& htmlPath)
{
    runTool("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), "-bbox", pdf, htmlPath});
    const QString html = QString::fromUtf8(readAll(htmlPath));
    const QRegularExpression word(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    QVector<Word> words;
    auto it = word.globalMatch(html);
    while (it.hasNext()) {
        const auto m = it.next();
        words.append({QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                             QPointF(m.captured(3).toDouble(), m.captured(4).toDouble())),
                      m.captured(5)});
    }
    return words;
}

QString pageText(const QString& pdf, int page)
{
    return QString::fromUtf8(
               runTool("pdftotext", {"-f", QString::number(page), "-l", QString::number(page), pdf, "-"}).out)
        .simplified();
}

QString joined(const QList<TextBox>& boxes)
{
    QStringList texts;
    for (const TextBox& b : boxes)
        texts << b.text.trimmed();
    return texts.join(' ').simplified();
}

// Every word a viewer finds lies on one of the boxes (its centre inside, its height at least half the
// box's), with `pointsPerPixel` from page points to picture pixels.
void expectWordsOnBoxes(const QVector<Word>& words, const QList<TextBox>& boxes, double pixelsPerPoint)
{
    ASSERT_FALSE(words.isEmpty());
    for (const Word& w : words) {
        const QRectF px(w.box.topLeft() * pixelsPerPoint, w.box.bottomRight() * pixelsPerPoint);
        bool onBox = false;
        for (const TextBox& b : boxes) {
            const QRectF box(QPointF(b.x1, b.y1), QPointF(b.x2, b.y2));
            onBox = onBox || (box.adjusted(-2, -2, 2, 2).contains(px.center()) && px.height() >= 0.5 * box.height());
        }
        EXPECT_TRUE(onBox) << w.text.toStdString() << " at " << px.x() << "," << px.y() << " " << px.width()
                           << "x" << px.height();
    }
}

const QVector<Line> kEnglishPage = {{"Invoice 2024 total", "DejaVu Sans", 56, {80, 160}},
                                    {"Lumadoc searchable page", "DejaVu Sans", 44, {80, 320}}};
const QVector<Line> kChinesePage = {{"文档扫描测试", "WenQuanYi Micro Hei", 64, {100, 200}},
                                    {"识别文字正确", "WenQuanYi Micro Hei", 64, {100, 400}}};

} // namespace

// Gallery pages written with OCR carry what the engine read, where it read it; without OCR the same
// export has no text at all.
TEST(SearchablePdf, GalleryPagesCarryTheirRecognisedWords)
{
    testsupport::TempAppDir dir;
    const QVector<PageSource> sources = {PageSource::fromImage(render({1400, 500}, kEnglishPage)),
                                         PageSource::fromImage(render({900, 600}, kChinesePage))};
    QVector<QList<TextBox>> read;
    const PageTextReader reader = [&read](const QImage& page) {
        read << ocrexport::readPageText(page);
        return read.last();
    };
    const QString pdf = dir.filePath("gallery.pdf");
    ExportReport report;
    ASSERT_TRUE(writePdf(sources, pdf, &report, {}, reader)) << report.error.toStdString();
    ASSERT_EQ(read.size(), 2);
    // The engine's own misreadings are not this export's business; a floor keeps the pages meaningful.
    EXPECT_LE(characterErrorRate("Invoice 2024 total Lumadoc searchable page", joined(read[0])), 0.1);
    EXPECT_LE(characterErrorRate(QStringLiteral("文档扫描测试 识别文字正确"), joined(read[1])), 0.25);

    const double pixelsPerPoint = 300.0 / 72.0;
    for (int page = 1; page <= 2; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(pageText(pdf, page), joined(read[page - 1]));
        expectWordsOnBoxes(bboxWords(pdf, page, dir.filePath("words.html")), read[page - 1], pixelsPerPoint);
    }
    EXPECT_EQ(runTool("qpdf", {"--check", pdf}).exitCode, 0);

    const QString plain = dir.filePath("plain.pdf");
    ASSERT_TRUE(writePdf(sources, plain));
    EXPECT_EQ(pageText(plain, 1), "");
}

// The OCR output type's one-page export: the engine reads the picture file, the page is the picture
// in points, and its text is the page's words.
TEST(SearchablePdf, OnePageExportFromThePicture)
{
    testsupport::TempAppDir dir;
    QVector<Line> lines = kChinesePage;
    lines << Line{"Total 1024", "DejaVu Sans", 48, {100, 520}};
    const QString image = dir.filePath("page.jpg");
    ASSERT_TRUE(render({900, 600}, lines).save(image, "JPEG", 90));
    const QString pdf = dir.filePath("page.pdf");
    EXPECT_EQ(ocrexport::exportSearchablePdf(image, pdf), "success:" + pdf);
    const QList<TextBox> boxes = ocrexport::readPageText(QImage(image));
    EXPECT_EQ(pageText(pdf, 1), joined(boxes));
    EXPECT_LE(characterErrorRate(QStringLiteral("文档扫描测试 识别文字正确 Total 1024"), joined(boxes)), 0.2);
    expectWordsOnBoxes(bboxWords(pdf, 1, dir.filePath("words.html")), boxes, 1.0);

    // A blank picture has nothing to lay over it: no document, the engine's reason.
    const QString blank = dir.filePath("blank.jpg");
    QImage white(400, 300, QImage::Format_RGB888);
    white.fill(Qt::white);
    ASSERT_TRUE(white.save(blank));
    EXPECT_EQ(ocrexport::exportSearchablePdf(blank, dir.filePath("blank.pdf")), QStringLiteral("error:OCR未识别到文字"));
    EXPECT_FALSE(QFile::exists(dir.filePath("blank.pdf")));
}
