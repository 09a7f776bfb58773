// lumadoc-cli ticket as users run it: a printed identity-card text gives its fields on one JSON line;
// exit 1 for a page without fields, 2 for an unknown kind or unreadable image, 3 without the OCR package.
#include "TestSupport.h"

#include <QFile>
#include <QImage>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>
#include <gtest/gtest.h>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

TEST(CliTicket, IdCardFieldsAndExitCodes)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage card(1800, 900, QImage::Format_RGB32);
    card.fill(Qt::white);
    {
        QPainter painter(&card);
        painter.setPen(Qt::black);
        QFont font("WenQuanYi Micro Hei");
        font.setPixelSize(64);
        painter.setFont(font);
        painter.drawText(QPoint(100, 200), QString::fromUtf8("姓名 王小明"));
        painter.drawText(QPoint(100, 500), QString::fromUtf8("公民身份号码 110105199003070019"));
    }
    ASSERT_TRUE(card.save(dir.filePath("card.png")));
    QImage words(1200, 400, QImage::Format_RGB32);
    words.fill(Qt::white);
    {
        QPainter painter(&words);
        QFont font("DejaVu Sans");
        font.setPixelSize(64);
        painter.setFont(font);
        painter.drawText(QPoint(100, 200), QStringLiteral("HELLO WORLD"));
    }
    ASSERT_TRUE(words.save(dir.filePath("words.png")));
    {
        QFile broken(dir.filePath("broken.png"));
        ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
        broken.write("\x89PNG not a picture");
    }

    ProgramRunner cli(dir, testsupport::builtProgram("lumadoc-cli"));
    cli.environment().insert("OMP_THREAD_LIMIT", "1");
    QFile::copy(QString(LUMADOC_BIN_DIR) + "/models.bin", cli.programDir() + "/models.bin");

    ProgramResult r = cli.run({"ticket", "idcard", dir.filePath("card.png")}, 60000);
    EXPECT_EQ(r.exitCode, 0) << r.stdErr.toStdString();
    ASSERT_EQ(r.stdOut.count('\n'), 1) << r.stdOut.toStdString();
    const QJsonObject record = QJsonDocument::fromJson(r.stdOut).object();
    EXPECT_EQ(record.value("type").toString(), "idcard");
    EXPECT_EQ(record.value("id_number").toString(), "110105199003070019") << r.stdOut.toStdString();
    EXPECT_EQ(record.value("birth_date").toString(), "1990-03-07");

    const struct
    {
        QStringList args;
        int exitCode;
    } cases[] = {
        {{"ticket", "vehicle", dir.filePath("words.png")}, 1},
        {{"ticket", "passport", dir.filePath("card.png")}, 2},
        {{"ticket", "idcard", dir.filePath("broken.png")}, 2},
        {{"ticket", "idcard"}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        r = cli.run(c.args, 60000);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.stdErr.toStdString();
    }

    TempAppDir bare;
    ProgramRunner unpackaged(bare, testsupport::builtProgram("lumadoc-cli"));
    r = unpackaged.run({"ticket", "idcard", dir.filePath("card.png")}, 60000);
    EXPECT_EQ(r.exitCode, 3);
    EXPECT_TRUE(r.stdOut.isEmpty());
}
