// Multi-page PDF and OFD exports over files: page sizes as readers measure them, what a page shows,
// and what a failed export leaves on disk.
#include "PdfExport.h"
#include "ExportTestTools.h"
#include "OfdWriter.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace exporttest;

namespace {

// "Page    2 size: 192 x 576 pts" lines of pdfinfo.
QVector<QSizeF> pdfPageSizes(const QString& pdf)
{
    const ToolResult info = runTool("pdfinfo", {"-f", "1", "-l", "99", pdf});
    QVector<QSizeF> sizes;
    const QRegularExpression line(R"(Page\s+\d+\s+size:\s+([\d.]+)\s+x\s+([\d.]+)\s+pts)");
    auto it = line.globalMatch(QString::fromUtf8(info.out));
    while (it.hasNext()) {
        const auto m = it.next();
        sizes << QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble());
    }
    return sizes;
}

QImage renderPage(const QString& pdf, int page, const QString& prefix)
{
    const ToolResult r = runTool("pdftoppm", {"-f", QString::number(page), "-l", QString::number(page), "-r",
                                              "20", "-png", "-singlefile", pdf, prefix});
    return r.exitCode == 0 ? QImage(prefix + ".png") : QImage();
}

enum class Kind
{
    Pdf,
    Ofd
};

bool exportAs(Kind kind, const QVector<PageSource>& sources, const QString& path, ExportReport* report)
{
    return kind == Kind::Pdf ? writePdf(sources, path, report)
                             : writeOfdFromSources(path, sources, ofd::kMaxPageSidePx, report);
}

} // namespace

// Pages keep their image's size at 300 dpi after the 2400-pixel cap, show the whole image upright, and
// the file passes qpdf's structural check.
TEST(PdfExport, PagesMeasureTheirImagesAt300Dpi)
{
    testsupport::TempAppDir dir;
    ASSERT_TRUE(quadrants(2400, 1800).save(dir.filePath("wide.png")));
    ASSERT_TRUE(quadrants(1000, 3000).save(dir.filePath("tall.jpg"), "JPEG", 90));
    // A capture without a file: an inline image in another pixel format.
    const QImage inline_ = quadrants(600, 300, QImage::Format_ARGB32);
    const QString pdf = dir.filePath("out.pdf");
    ExportReport report;
    ASSERT_TRUE(writePdf({PageSource::fromFile(dir.filePath("wide.png")),
                          PageSource::fromFile(dir.filePath("tall.jpg")), PageSource::fromImage(inline_)},
                         pdf, &report));
    EXPECT_EQ(report.pagesWritten, 3);
    EXPECT_TRUE(report.standInPages.isEmpty());

    const QVector<QSizeF> expected = {{576, 432}, {192, 576}, {144, 72}};
    EXPECT_EQ(pdfPageSizes(pdf), expected);
    const ToolResult check = runTool("qpdf", {"--check", pdf});
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString() << check.err.toStdString();

    for (int page = 1; page <= 3; ++page) {
        SCOPED_TRACE(page);
        const QImage shown = renderPage(pdf, page, dir.filePath(QStringLiteral("page%1").arg(page)));
        ASSERT_FALSE(shown.isNull());
        EXPECT_TRUE(near(colourAt(shown, 0.25, 0.25), Qt::red, 40));
        EXPECT_TRUE(near(colourAt(shown, 0.75, 0.25), Qt::green, 40));
        EXPECT_TRUE(near(colourAt(shown, 0.25, 0.75), Qt::blue, 40));
        EXPECT_TRUE(near(colourAt(shown, 0.75, 0.75), Qt::white, 40));
    }
    // The loader's own answer for the capped page.
    const QImage capped =
        loadPageImage(PageSource::fromFile(dir.filePath("tall.jpg")), pdfexport::kMaxPageSidePx);
    EXPECT_EQ(capped.size(), QSize(800, 2400));
    EXPECT_EQ(capped.format(), QImage::Format_RGB888);
}

// A page that cannot be read fails the whole export: no document appears, an older document of that
// name stays byte for byte, and no temporary file is left. Both writers, any position of the page.
TEST(PdfExport, UnreadablePageLeavesNoFileAndKeepsTheOlderOne)
{
    testsupport::TempAppDir dir;
    const QString good = dir.filePath("good.png");
    ASSERT_TRUE(quadrants(320, 240).save(good));
    const QString broken = dir.filePath("broken.jpg");
    {
        QFile f(broken);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("\xFF\xD8 not really a JPEG");
    }
    const QString missing = dir.filePath("gone.png");
    const QString outDir = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(outDir));

    struct Case
    {
        const char* name;
        Kind kind;
        QStringList pages;
        int failedPage;
        bool olderFile;
    };
    const Case cases[] = {
        {"pdf, first page missing", Kind::Pdf, {missing, good}, 0, true},
        {"pdf, middle page broken", Kind::Pdf, {good, broken, good}, 1, true},
        {"pdf, last page missing, no older file", Kind::Pdf, {good, good, missing}, 2, false},
        {"ofd, first page broken", Kind::Ofd, {broken, good}, 0, true},
        {"ofd, middle page missing", Kind::Ofd, {good, missing, good}, 1, true},
        {"ofd, last page broken, no older file", Kind::Ofd, {good, broken}, 1, false},
    };
    const QByteArray older = "%PDF-1.4 the user's older document";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString target = outDir + (c.kind == Kind::Pdf ? "/doc.pdf" : "/doc.ofd");
        QFile::remove(target);
        if (c.olderFile) {
            QFile f(target);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(older);
        }
        QVector<PageSource> sources;
        for (const QString& p : c.pages)
            sources << PageSource::fromFile(p);
        ExportReport report;
        EXPECT_FALSE(exportAs(c.kind, sources, target, &report));
        EXPECT_EQ(report.failedPage, c.failedPage);
        EXPECT_EQ(report.pagesWritten, 0);
        EXPECT_FALSE(report.error.isEmpty());
        const QStringList left = QDir(outDir).entryList(QDir::Files | QDir::Hidden);
        if (c.olderFile) {
            EXPECT_EQ(readAll(target), older);
            EXPECT_EQ(left, QStringList{QFileInfo(target).fileName()});
        } else {
            EXPECT_TRUE(left.isEmpty()) << left.join(',').toStdString();
        }
    }

    // The same pages readable: the older document is replaced.
    for (Kind kind : {Kind::Pdf, Kind::Ofd}) {
        const QString target = outDir + (kind == Kind::Pdf ? "/doc.pdf" : "/doc.ofd");
        ExportReport report;
        EXPECT_TRUE(
            exportAs(kind, {PageSource::fromFile(good), PageSource::fromFile(good)}, target, &report));
        EXPECT_EQ(report.pagesWritten, 2);
        EXPECT_NE(readAll(target), older);
    }
}

// A capture whose file has gone is written from the picture the gallery still has, and the export says
// which pages those were, so the window can tell the user.
TEST(PdfExport, ReportsPagesWrittenFromAStandIn)
{
    testsupport::TempAppDir dir;
    const QString good = dir.filePath("good.png");
    ASSERT_TRUE(quadrants(640, 480).save(good));
    const QImage thumbnail = quadrants(160, 120);
    PageSource deletedDuringExport{dir.filePath("deleted.png"), thumbnail, false};
    PageSource thumbnailOnly{QString(), thumbnail, true};
    const QVector<PageSource> sources = {PageSource::fromFile(good), deletedDuringExport, thumbnailOnly,
                                         PageSource::fromImage(quadrants(200, 100))};
    for (Kind kind : {Kind::Pdf, Kind::Ofd}) {
        SCOPED_TRACE(kind == Kind::Pdf ? "pdf" : "ofd");
        ExportReport report;
        const QString target = dir.filePath(kind == Kind::Pdf ? "doc.pdf" : "doc.ofd");
        ASSERT_TRUE(exportAs(kind, sources, target, &report));
        EXPECT_EQ(report.pagesWritten, 4);
        EXPECT_EQ(report.standInPages, (QVector<int>{1, 2}));
    }
    EXPECT_EQ(pdfPageSizes(dir.filePath("doc.pdf")),
              (QVector<QSizeF>{{154, 115}, {38, 29}, {38, 29}, {48, 24}}));
}
