// lumadoc-cli as its users run it: exit codes, what goes to standard output, and the written files.
#include "TestSupport.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

namespace {

// A light 400x250 page on a dark desk, and a desk with nothing on it.
void writeInputs(const TempAppDir& dir)
{
    QImage page(800, 600, QImage::Format_RGB32);
    page.fill(QColor(70, 70, 70));
    QPainter painter(&page);
    painter.fillRect(QRect(200, 150, 400, 250), QColor(235, 235, 235));
    painter.fillRect(QRect(240, 190, 200, 20), QColor(30, 30, 30));
    painter.end();
    ASSERT_TRUE(page.save(dir.filePath("page.png")));
    QImage empty(800, 600, QImage::Format_RGB32);
    empty.fill(QColor(128, 128, 128));
    ASSERT_TRUE(empty.save(dir.filePath("empty.png")));
    // A head and shoulders against a light wall.
    QImage person(320, 240, QImage::Format_RGB32);
    person.fill(QColor(180, 190, 200));
    QPainter figure(&person);
    figure.setPen(Qt::NoPen);
    figure.setBrush(QColor(120, 80, 60));
    figure.drawEllipse(QPoint(160, 100), 35, 45);
    figure.setBrush(QColor(40, 40, 40));
    figure.drawEllipse(QPoint(160, 235), 80, 75);
    figure.end();
    ASSERT_TRUE(person.save(dir.filePath("person.png")));
}

QStringList filesIn(const QString& path) { return QDir(path).entryList(QDir::Files | QDir::Hidden); }

} // namespace

TEST(CliProgram, ExitCodesOutputAndWrittenFiles)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    writeInputs(dir);
    const QString outDir = dir.filePath("out");
    ASSERT_TRUE(QDir().mkpath(outDir));
    // A stale result the crop must replace in one step.
    {
        QFile stale(outDir + "/crop.png");
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
        stale.write("not a picture");
    }
    ProgramRunner runner(dir, testsupport::builtProgram("lumadoc-cli"));
    runner.environment().remove("DISPLAY");
    runner.environment().remove("QT_QPA_PLATFORM");

    struct Case {
        const char* name;
        QStringList args;
        int exitCode;
        bool stdoutEmpty;
        QString writes;  // file expected afterwards (relative to the temporary folder), or empty
    };
    const QString page = dir.filePath("page.png");
    const QString empty = dir.filePath("empty.png");
    const Case cases[] = {
        {"detect a page", {"detect", page}, 0, false, {}},
        {"detect on an empty desk", {"detect", empty}, 1, true, {}},
        {"detect a missing file", {"detect", dir.filePath("missing.png")}, 2, true, {}},
        {"no command", {}, 2, true, {}},
        {"unknown command", {"scan", page}, 2, true, {}},
        {"crop without -o", {"crop", page}, 2, true, {}},
        {"unknown option", {"detect", page, "--fast"}, 2, true, {}},
        {"output without a format", {"clean", page, "-o", outDir + "/clean.xyz"}, 2, true, {}},
        {"clean with a bad mode", {"clean", page, "-o", outDir + "/clean.png", "--mode", "magic"}, 2, true, {}},
        {"crop onto its own input", {"crop", page, "-o", page}, 2, true, {}},
        {"crop an empty desk", {"crop", empty, "-o", outDir + "/nothing.png"}, 1, true, {}},
        {"crop into a missing folder", {"crop", page, "-o", dir.filePath("nowhere/crop.png")}, 3, true, {}},
        {"crop a page", {"crop", page, "-o", outDir + "/crop.png"}, 0, true, "out/crop.png"},
        {"clean a page", {"clean", page, "-o", outDir + "/clean.png", "--mode", "fixed", "--threshold", "100"}, 0,
         true, "out/clean.png"},
        {"watermark a page", {"watermark", page, "-o", outDir + "/stamp.jpg", "--text", "Copy", "--tiled"}, 0, true,
         "out/stamp.jpg"},
        // The private copy of the program has no models folder beside it.
        {"orient without the model", {"orient", page}, 3, true, {}},
        {"upright crop without the model", {"crop", page, "-o", outDir + "/up.png", "--upright"}, 3, true, {}},
        {"ID photo by GrabCut", {"idphoto", dir.filePath("person.png"), "-o", outDir + "/id.png", "--background", "red"},
         0, true, "out/id.png"},
        {"ID photo on an unknown colour", {"idphoto", page, "-o", outDir + "/id2.png", "--background", "green"}, 2,
         true, {}},
        {"help", {"crop", "--help"}, 0, false, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ProgramResult result = runner.run(c.args, 60000);
        ASSERT_TRUE(result.started);
        ASSERT_FALSE(result.crashed) << "signal " << result.signal;
        EXPECT_EQ(result.exitCode, c.exitCode) << result.stdErr.toStdString();
        EXPECT_EQ(result.stdOut.isEmpty(), c.stdoutEmpty) << result.stdOut.toStdString();
        if (c.exitCode != 0) {
            // One clear line, no stack trace.
            const QString err = QString::fromUtf8(result.stdErr).trimmed();
            EXPECT_FALSE(err.isEmpty());
            if (!c.args.isEmpty()) {
                EXPECT_EQ(err.count('\n'), 0) << err.toStdString();
            }
        }
        if (!c.writes.isEmpty()) {
            EXPECT_FALSE(QImage(dir.filePath(c.writes)).isNull()) << c.writes.toStdString();
        }
    }

    // detect: four integer corners, clockwise on screen from the top left one.
    const ProgramResult detected = runner.run({"detect", page});
    const QString line = QString::fromUtf8(detected.stdOut);
    EXPECT_TRUE(QRegularExpression("^-?\\d+,-?\\d+( -?\\d+,-?\\d+){3}\\n$").match(line).hasMatch()) << line.toStdString();
    const QStringList corners = line.trimmed().split(' ');
    ASSERT_EQ(corners.size(), 4);
    const QPoint expected[] = {{200, 150}, {599, 150}, {599, 399}, {200, 399}};
    for (int i = 0; i < 4; ++i) {
        const QStringList xy = corners[i].split(',');
        EXPECT_NEAR(xy[0].toInt(), expected[i].x(), 1) << i;
        EXPECT_NEAR(xy[1].toInt(), expected[i].y(), 1) << i;
    }

    // The crop is the page, upright; the folder holds only finished files, no temporaries.
    const QImage crop(outDir + "/crop.png");
    EXPECT_NEAR(crop.width(), 400, 2);
    EXPECT_NEAR(crop.height(), 250, 2);
    EXPECT_EQ(filesIn(outDir), (QStringList{"clean.png", "crop.png", "id.png", "stamp.jpg"}));
    // The ID photo's corners are the chosen red.
    EXPECT_EQ(QImage(outDir + "/id.png").pixel(2, 2), qRgb(168, 43, 53));
    EXPECT_TRUE(filesIn(dir.filePath("nowhere")).isEmpty());
}
