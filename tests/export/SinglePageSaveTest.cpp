// Save formats 4 and 5 through the capture saver with the real exporters: the page sizes each format
// promises, and nothing left behind but the document.
#include "ExportTestTools.h"
#include "ImageSaver.h"
#include "SinglePageExporters.h"
#include "TestSupport.h"

#include <QDir>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace exporttest;

TEST(SinglePageSave, PdfAndOfdCapturesHaveTheirPromisedPageSize)
{
    testsupport::TempAppDir dir;
    dir.applyToCurrentProcess();
    const QString saveDir = dir.filePath("captures");
    const QString tempDir = dir.filePath("tmp");
    ASSERT_TRUE(QDir().mkpath(tempDir));
    qputenv("TMPDIR", tempDir.toLocal8Bit());
    PdfSinglePageExporter pdf;
    OfdSinglePageExporter ofd;
    ImageSaver saver;
    saver.setSyncInBackground(false);
    saver.setPdfExporter(&pdf);
    saver.setOfdExporter(&ofd);

    struct Case
    {
        const char* name;
        int format;
        QSize image;
        QString expected; // pdfinfo "Page size" or the OFD page box
    };
    const Case cases[] = {
        // 3000x2000 capped to 2400x1600 at 300 dpi.
        {"pdf, capped", 4, {3000, 2000}, "576 x 384 pts"},
        {"pdf, small", 4, {1200, 900}, "288 x 216 pts"},
        // Full size at 96 dpi.
        {"ofd, full size", 5, {3000, 2000}, "0 0 793.750000 529.166667"},
        {"ofd, 1080p", 5, {1920, 1080}, "0 0 508.000000 285.750000"},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QStringLiteral("IMG_%1.%2").arg(++n).arg(c.format == 4 ? "pdf" : "ofd");
        const SaveResult result = saver.saveCapture(
            quadrants(c.image.width(), c.image.height(), QImage::Format_ARGB32), name, saveDir, c.format);
        ASSERT_TRUE(result.ok) << result.statusText.toStdString();
        const QString written = QDir::fromNativeSeparators(result.writtenPath);
        EXPECT_EQ(QFileInfo(written).fileName(), name);
        if (c.format == 4) {
            const QString info = QString::fromUtf8(runTool("pdfinfo", {written}).out);
            EXPECT_TRUE(QRegularExpression("Page size: +" + QRegularExpression::escape(c.expected))
                            .match(info)
                            .hasMatch())
                << info.toStdString();
            EXPECT_TRUE(info.contains(QRegularExpression("Pages: +1\\n")));
        } else {
            const QString box =
                QString::fromUtf8(runTool("unzip", {"-p", written, "Doc_0/Pages/Page_0/Content.xml"}).out);
            EXPECT_TRUE(box.contains("<ofd:PhysicalBox>" + c.expected + "</ofd:PhysicalBox>"))
                << box.toStdString();
        }
    }
    EXPECT_EQ(QDir(saveDir).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"IMG_1.pdf", "IMG_2.pdf", "IMG_3.ofd", "IMG_4.ofd"}));
    EXPECT_TRUE(QDir(tempDir).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
