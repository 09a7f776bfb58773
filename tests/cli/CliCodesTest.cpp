// lumadoc-cli codes as users run it: one TYPE<Tab>DATA line per code with the data kept on one line,
// exit 1 with nothing on standard output when there is no code, exit 2 on bad usage.
#include "TestSupport.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>
#include <qrencode.h>

#include <memory>

using testsupport::ProgramResult;
using testsupport::ProgramRunner;
using testsupport::TempAppDir;

namespace {

// A QR code of `payload` (byte mode) drawn at (x, y) with 5-pixel modules.
void drawQr(QImage& image, const QByteArray& payload, int x, int y)
{
    std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeData(payload.size(), reinterpret_cast<const unsigned char*>(payload.constData()), 0,
                          QR_ECLEVEL_M),
        QRcode_free);
    ASSERT_TRUE(code);
    QPainter painter(&image);
    for (int row = 0; row < code->width; ++row)
        for (int col = 0; col < code->width; ++col)
            if (code->data[row * code->width + col] & 1)
                painter.fillRect(x + col * 5, y + row * 5, 5, 5, Qt::black);
}

} // namespace

TEST(CliCodes, OneEscapedLinePerCodeAndExitCodes)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray tricky = QString::fromUtf8("a\tb\\c\nd\re\x01"
                                                "f 二维码")
                                  .toUtf8();
    QImage two(700, 360, QImage::Format_RGB32);
    two.fill(Qt::white);
    drawQr(two, tricky, 40, 40);
    drawQr(two, "https://example.org/x", 400, 40);
    ASSERT_TRUE(two.save(dir.filePath("two.png")));
    QImage blank(400, 300, QImage::Format_RGB32);
    blank.fill(QColor(230, 230, 225));
    ASSERT_TRUE(blank.save(dir.filePath("blank.png")));

    ProgramRunner runner(dir, testsupport::builtProgram("lumadoc-cli"));
    runner.environment().remove("DISPLAY");
    runner.environment().insert("LANG", "C"); // the output is UTF-8 whatever the locale

    const ProgramResult found = runner.run({"codes", dir.filePath("two.png")});
    ASSERT_TRUE(found.started);
    ASSERT_FALSE(found.crashed);
    EXPECT_EQ(found.exitCode, 0) << found.stdErr.toStdString();
    QStringList lines = QString::fromUtf8(found.stdOut).split('\n');
    ASSERT_EQ(lines.size(), 3) << found.stdOut.toStdString(); // two lines and the final line feed
    EXPECT_TRUE(lines.last().isEmpty());
    lines.removeLast();
    lines.sort();
    EXPECT_EQ(lines[0], QString::fromUtf8("QR-Code\ta\\tb\\\\c\\nd\\re\\x01f 二维码"));
    EXPECT_EQ(lines[1], QStringLiteral("QR-Code\thttps://example.org/x"));
    EXPECT_TRUE(found.stdErr.isEmpty()) << found.stdErr.toStdString();

    struct Case
    {
        const char* name;
        QStringList args;
        int exitCode;
    };
    const Case failures[] = {
        {"no code", {"codes", dir.filePath("blank.png")}, 1},
        {"missing file", {"codes", dir.filePath("missing.png")}, 2},
        {"no image", {"codes"}, 2},
        {"two images", {"codes", dir.filePath("two.png"), dir.filePath("blank.png")}, 2},
        {"unknown option", {"codes", dir.filePath("two.png"), "--all"}, 2},
    };
    for (const Case& c : failures) {
        SCOPED_TRACE(c.name);
        const ProgramResult result = runner.run(c.args);
        ASSERT_FALSE(result.crashed);
        EXPECT_EQ(result.exitCode, c.exitCode);
        EXPECT_TRUE(result.stdOut.isEmpty()) << result.stdOut.toStdString();
        const QString err = QString::fromUtf8(result.stdErr).trimmed();
        EXPECT_FALSE(err.isEmpty());
        EXPECT_EQ(err.count('\n'), 0) << err.toStdString();
    }
    const ProgramResult help = runner.run({"codes", "--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.stdOut.startsWith("Usage: lumadoc-cli codes IMAGE"));
}
