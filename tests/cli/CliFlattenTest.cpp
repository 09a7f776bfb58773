// lumadoc-cli flatten as its users run it: exit codes and which files a run writes.
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

namespace {

void writeDesk(const QString& path, const QList<QRect>& pages)
{
    QImage image(800, 500, QImage::Format_RGB32);
    image.fill(QColor(35, 35, 40));
    QPainter painter(&image);
    for (const QRect& page : pages) {
        painter.fillRect(page, QColor(228, 228, 222));
        for (int y = page.top() + 30; y < page.bottom() - 30; y += 24)
            painter.fillRect(QRect(page.left() + 20, y, page.width() - 40, 8), QColor(50, 50, 50));
    }
    painter.end();
    ASSERT_TRUE(image.save(path));
}

} // namespace

TEST(CliFlatten, ExitCodesAndWrittenFiles)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    writeDesk(dir.filePath("double.png"), {QRect(80, 60, 260, 380), QRect(420, 60, 300, 380)});
    writeDesk(dir.filePath("single.png"), {QRect(200, 60, 400, 380)});
    writeDesk(dir.filePath("empty.png"), {});
    writeDesk(dir.filePath("narrow.png"), {QRect(300, 60, 45, 380)}); // too few columns to trace
    ProgramRunner runner(dir, testsupport::builtProgram("lumadoc-cli"));
    runner.environment().remove("DISPLAY");
    runner.environment().remove("QT_QPA_PLATFORM");

    struct Case
    {
        const char* name;
        QStringList args;
        int exitCode;
        QStringList writes;    // files expected afterwards
        QStringList notWrites; // files that must not exist afterwards
    };
    const QString out = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const Case cases[] = {
        {"double page",
         {"flatten", dir.filePath("double.png"), "-o", out + "/book.png", "--double"},
         0,
         {"out/book_L.png", "out/book_R.png"},
         {"out/book.png"}},
        {"double page read as one",
         {"flatten", dir.filePath("double.png"), "-o", out + "/both.jpg"},
         0,
         {"out/both.jpg"},
         {"out/both_L.jpg"}},
        {"single page with fingers",
         {"flatten", dir.filePath("single.png"), "-o", out + "/one.png", "--double", "--fingers"},
         0,
         {"out/one.png"},
         {"out/one_L.png"}},
        {"no book", {"flatten", dir.filePath("empty.png"), "-o", out + "/none.png"}, 1, {}, {"out/none.png"}},
        {"edges not usable",
         {"flatten", dir.filePath("narrow.png"), "-o", out + "/narrow.png"},
         3,
         {},
         {"out/narrow.png"}},
        {"without -o", {"flatten", dir.filePath("single.png")}, 2, {}, {}},
        {"unreadable input",
         {"flatten", dir.filePath("missing.png"), "-o", out + "/m.png"},
         2,
         {},
         {"out/m.png"}},
        {"onto its own input",
         {"flatten", dir.filePath("single.png"), "-o", dir.filePath("single.png")},
         2,
         {},
         {}},
        {"help", {"flatten", "--help"}, 0, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramResult result = runner.run(c.args, 60000);
        ASSERT_TRUE(result.started);
        ASSERT_FALSE(result.crashed);
        EXPECT_EQ(result.exitCode, c.exitCode) << result.stdErr.toStdString();
        if (c.exitCode != 0) {
            // One clear line.
            EXPECT_EQ(QString::fromUtf8(result.stdErr).trimmed().count('\n'), 0)
                << result.stdErr.toStdString();
        }
        for (const QString& file : c.writes)
            EXPECT_FALSE(QImage(dir.filePath(file)).isNull()) << file.toStdString();
        for (const QString& file : c.notWrites)
            EXPECT_FALSE(QFile::exists(dir.filePath(file))) << file.toStdString();
    }
    // _L is the page drawn on the left (the narrower one), _R the one on the right.
    EXPECT_NEAR(QImage(dir.filePath("out/book_L.png")).width(), 260, 3);
    EXPECT_NEAR(QImage(dir.filePath("out/book_R.png")).width(), 300, 3);
}
