// lumadoc-cli ocr as users run it: the text line by line, blocks as JSON in the file's own pixels, the
// per-run language choice, and the exit codes when there is nothing to read or no OCR package.
#include "TestSupport.h"

#include <QFile>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <QProcess>
#include <gtest/gtest.h>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

namespace {

struct Drawn
{
    QString text;
    QRect box; // tight ink box, input pixels
};

// A 3840x2160 page (the engine sees it at half size) with a Latin and a Chinese line.
QVector<Drawn> writePage(const QString& path)
{
    QImage page(3840, 2160, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(Qt::black);
    QVector<Drawn> drawn;
    const struct
    {
        const char* text;
        const char* family;
        QPoint at;
    } lines[] = {{"HELLO 2024", "DejaVu Sans", {300, 500}},
                 {"姓名 张三", "WenQuanYi Micro Hei", {300, 1100}}};
    for (const auto& line : lines) {
        QFont font(line.family);
        font.setPixelSize(120);
        font.setHintingPreference(QFont::PreferNoHinting);
        painter.setFont(font);
        painter.drawText(line.at, QString::fromUtf8(line.text));
        drawn.push_back(
            {QString::fromUtf8(line.text),
             QFontMetrics(font).tightBoundingRect(QString::fromUtf8(line.text)).translated(line.at)});
    }
    painter.end();
    page.save(path);
    return drawn;
}

void copyPackage(const ProgramRunner& runner)
{
    QFile::copy(QString(LUMADOC_BIN_DIR) + "/models.bin", runner.programDir() + "/models.bin");
}

} // namespace

TEST(CliOcr, TextBlocksLanguagesAndExitCodes)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    const QVector<Drawn> drawn = writePage(dir.filePath("page.png"));
    QImage blank(800, 600, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ASSERT_TRUE(blank.save(dir.filePath("blank.png")));
    {
        QFile broken(dir.filePath("broken.png"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG not a picture");
    }

    ProgramRunner cli(dir, testsupport::builtProgram("lumadoc-cli"));
    cli.environment().insert("OMP_THREAD_LIMIT", "1");
    copyPackage(cli);

    ProgramResult r = cli.run({"ocr", dir.filePath("page.png")}, 60000);
    EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    EXPECT_EQ(QString::fromUtf8(r.stdOut), "HELLO 2024\n姓名张三\n");

    // Blocks: compact JSON, boxes in the file's pixels (the engine's half-size boxes doubled back).
    r = cli.run({"ocr", dir.filePath("page.png"), "--blocks"}, 60000);
    EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    const QList<QByteArray> lines = r.stdOut.trimmed().split('\n');
    ASSERT_EQ(lines.size(), drawn.size()) << r.stdOut.toStdString();
    for (int i = 0; i < drawn.size(); ++i) {
        SCOPED_TRACE(drawn[i].text.toStdString());
        EXPECT_TRUE(lines[i].startsWith("{\"text\":")) << lines[i].toStdString();
        const QJsonObject block = QJsonDocument::fromJson(lines[i]).object();
        EXPECT_EQ(block.value("text").toString(),
                  QString(drawn[i].text).remove(' ').replace("HELLO2024", "HELLO 2024"));
        EXPECT_GT(block.value("confidence").toDouble(), 50.0);
        const QRect& box = drawn[i].box;
        EXPECT_NEAR(block.value("x1").toInt(), box.left(), 16);
        EXPECT_NEAR(block.value("y1").toInt(), box.top(), 16);
        EXPECT_NEAR(block.value("x2").toInt(), box.right() + 1, 16);
        EXPECT_NEAR(block.value("y2").toInt(), box.bottom() + 1, 16);
    }

    // A language chosen for the run only.
    r = cli.run({"ocr", dir.filePath("page.png"), "--lang", "chi_sim"}, 60000);
    EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    EXPECT_TRUE(QString::fromUtf8(r.stdOut).contains("姓名张三")) << r.stdOut.toStdString();

    const struct
    {
        QStringList args;
        int exitCode;
    } failures[] = {
        {{"ocr", dir.filePath("blank.png")}, 1},
        {{"ocr", dir.filePath("broken.png")}, 2},
        {{"ocr", dir.filePath("missing.png")}, 2},
        {{"ocr"}, 2},
        {{"ocr", dir.filePath("page.png"), "--lang", "eng\ndatapath=/tmp"}, 2},
        {{"ocr", dir.filePath("page.png"), "--lang", "xx_notinstalled"}, 3},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.args.join(' ').toStdString());
        r = cli.run(f.args, 60000);
        EXPECT_EQ(r.exitCode, f.exitCode) << r.stdErr.toStdString();
        EXPECT_TRUE(r.stdOut.isEmpty()) << r.stdOut.toStdString();
    }

    // Without the package beside the program.
    TempAppDir bare;
    ProgramRunner unpackaged(bare, testsupport::builtProgram("lumadoc-cli"));
    r = unpackaged.run({"ocr", dir.filePath("page.png")}, 60000);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.stdErr.contains("models.bin")) << r.stdErr.toStdString();
}

// --pdf and --word go through the window's export code: the searchable PDF carries the page's words,
// a Word export without LibreOffice is exit 3 with the reason on stderr and no file, nothing found is 1.
TEST(CliOcr, DocumentsThroughTheWindowsExport)
{
    TempAppDir dir;
    writePage(dir.filePath("page.png"));
    QImage blank(800, 600, QImage::Format_RGB32);
    blank.fill(Qt::white);
    ASSERT_TRUE(blank.save(dir.filePath("blank.png")));
    ProgramRunner cli(dir, testsupport::builtProgram("lumadoc-cli"));
    cli.environment().insert("OMP_THREAD_LIMIT", "1");
    cli.environment().insert("LUMADOC_SOFFICE", "/nonexistent/soffice");
    copyPackage(cli);
    const struct
    {
        QStringList args;
        int exitCode;
        const char* stdErr; // a piece of it
        const char* written;
    } cases[] = {
        {{"ocr", dir.filePath("page.png"), "--pdf", "-o", dir.filePath("page.pdf")}, 0, "", "page.pdf"},
        {{"ocr", dir.filePath("page.png"), "--word", "-o", dir.filePath("page.doc")}, 3, "LibreOffice is not installed", nullptr},
        {{"ocr", dir.filePath("blank.png"), "--pdf", "-o", dir.filePath("blank.pdf")}, 1, "OCR", nullptr},
        {{"ocr", dir.filePath("page.png"), "--word", "-o", dir.filePath("page.txt")}, 2, ".docx", nullptr},
        {{"ocr", dir.filePath("page.png"), "--pdf"}, 2, "-o", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const ProgramResult r = cli.run(c.args, 120000);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.stdErr.toStdString();
        EXPECT_TRUE(r.stdErr.contains(c.stdErr)) << r.stdErr.toStdString();
        const QString out = c.args.contains("-o") ? c.args.last() : QString();
        EXPECT_EQ(!out.isEmpty() && QFile::exists(out), c.written != nullptr);
    }
    QProcess text;
    text.start("pdftotext", {dir.filePath("page.pdf"), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    EXPECT_EQ(QString::fromUtf8(text.readAllStandardOutput()).simplified(), QStringLiteral("HELLO 2024 姓名张三"));
}
