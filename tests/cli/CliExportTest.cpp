// lumadoc-cli pdf and ofd as users run them: pages in the order given, exit codes, one line on stderr,
// and what a failed export leaves at OUT.
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString toolOutput(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Page sizes in points as pdfinfo reports them, "WxH" each.
QStringList pdfPageSizes(const QString& pdf)
{
    const QString info = toolOutput("pdfinfo", {"-f", "1", "-l", "20", pdf});
    QStringList sizes;
    auto it = QRegularExpression(R"(Page\s+\d+\s+size:\s+([\d.]+) x ([\d.]+) pts)").globalMatch(info);
    while (it.hasNext()) {
        const auto m = it.next();
        sizes << m.captured(1) + "x" + m.captured(2);
    }
    return sizes;
}

} // namespace

TEST(CliExport, PagesInOrderExitCodesAndUntouchedOutputOnFailure)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage wide(2400, 1800, QImage::Format_RGB32);
    wide.fill(Qt::darkCyan);
    ASSERT_TRUE(wide.save(dir.filePath("wide.jpg")));
    QImage tall(1000, 3000, QImage::Format_RGB32);
    tall.fill(Qt::darkYellow);
    ASSERT_TRUE(tall.save(dir.filePath("tall.png")));
    {
        QFile broken(dir.filePath("broken.png"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG not a picture");
    }
    const QString outDir = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(outDir));
    const QByteArray older = "the user's older document";
    for (const char* name : {"old.pdf", "old.ofd"}) {
        QFile f(outDir + "/" + name);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(older);
    }

    ProgramRunner runner(dir, testsupport::builtProgram("lumadoc-cli"));
    runner.environment().remove("DISPLAY");
    runner.environment().remove("QT_QPA_PLATFORM");
    const QString w = dir.filePath("wide.jpg");
    const QString t = dir.filePath("tall.png");
    const QString b = dir.filePath("broken.png");
    struct Case
    {
        const char* name;
        QStringList args;
        int exitCode;
    };
    const Case cases[] = {
        {"pdf of two pages", {"pdf", w, t, "-o", outDir + "/wt.pdf"}, 0},
        {"pdf in the other order", {"pdf", t, w, "-o", outDir + "/tw.PDF"}, 0},
        {"ofd of two pages", {"ofd", w, t, "-o", outDir + "/wt.ofd"}, 0},
        {"pdf with a broken middle page", {"pdf", w, b, t, "-o", outDir + "/old.pdf"}, 2},
        {"ofd with a missing first page", {"ofd", dir.filePath("gone.png"), w, "-o", outDir + "/old.ofd"}, 2},
        {"pdf without -o", {"pdf", w}, 2},
        {"pdf without images", {"pdf", "-o", outDir + "/none.pdf"}, 2},
        {"ofd to a .pdf name", {"ofd", w, "-o", outDir + "/x.pdf"}, 2},
        {"pdf with an unknown option", {"pdf", w, "-o", outDir + "/y.pdf", "--fast"}, 2},
        {"pdf into a missing folder", {"pdf", w, "-o", dir.filePath("nowhere/z.pdf")}, 3},
        {"help", {"ofd", "--help"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramResult result = runner.run(c.args, 60000);
        ASSERT_TRUE(result.started);
        ASSERT_FALSE(result.crashed) << "signal " << result.signal;
        EXPECT_EQ(result.exitCode, c.exitCode) << result.stdErr.toStdString();
        if (c.exitCode != 0) {
            const QString err = QString::fromUtf8(result.stdErr).trimmed();
            EXPECT_FALSE(err.isEmpty());
            EXPECT_EQ(err.count('\n'), 0) << err.toStdString();
            EXPECT_TRUE(result.stdOut.isEmpty());
        }
    }

    EXPECT_EQ(pdfPageSizes(outDir + "/wt.pdf"), (QStringList{"576x432", "192x576"}));
    EXPECT_EQ(pdfPageSizes(outDir + "/tw.PDF"), (QStringList{"192x576", "576x432"}));
    EXPECT_EQ(toolOutput("unzip", {"-Z1", outDir + "/wt.ofd"}).split('\n', Qt::SkipEmptyParts).size(), 9);
    // Failed exports left the older documents as they were, and no temporary file anywhere.
    EXPECT_EQ(contents(outDir + "/old.pdf"), older);
    EXPECT_EQ(contents(outDir + "/old.ofd"), older);
    EXPECT_EQ(QDir(outDir).entryList(QDir::Files | QDir::Hidden, QDir::Name),
              (QStringList{"old.ofd", "old.pdf", "tw.PDF", "wt.ofd", "wt.pdf"}));
}
