// The crash message box: its text and the box the --crash-report mode shows.

#include "CrashReport.h"
#include "CrashHandler.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(CrashReportText, UnknownModuleAndCodeAsTheUserSeesThem)
{
    EXPECT_EQ(crash::crashReportText("", 11, "/home/u/Lumadoc/logs/crash.log"),
              "程序遇到致命错误，需要关闭。\n\n错误模块：(未知)\n异常代码：0x0000000B\n\n日志已保存到：\n"
              "/home/u/Lumadoc/logs/crash.log\n\n同目录下的 crash_*.dmp 是崩溃转储文件，\n"
              "请把它和上面的日志一起发给技术支持，\n以便定位问题。");
}

TEST(CrashReportText, NamesTheModule)
{
    const std::string text =
        crash::crashReportText("/usr/lib/x86_64-linux-gnu/libQt5Gui.so.5", 6, "/x/crash.log");
    EXPECT_NE(text.find("错误模块：/usr/lib/x86_64-linux-gnu/libQt5Gui.so.5\n异常代码：0x00000006\n"),
              std::string::npos);
    EXPECT_EQ(text.find("(未知)"), std::string::npos);
}

TEST(CrashReportText, LongTextIsCutOnACharacterBoundary)
{
    std::string longPath = "/";
    for (int i = 0; i < 800; ++i)
        longPath += "图"; // three bytes each
    const std::string text = crash::crashReportText("", 11, longPath);
    EXPECT_LE(text.size(), 2047u);
    EXPECT_GT(text.size(), 2040u);
    const QString decoded = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    EXPECT_FALSE(decoded.contains(QChar::ReplacementCharacter));
    EXPECT_EQ(decoded.toUtf8().toStdString(), text);
}

TEST(CrashReportText, CodeArgumentIsRead)
{
    EXPECT_EQ(crash::parseCrashCode("0x0000000B"), 11ul);
    EXPECT_EQ(crash::parseCrashCode("6"), 6ul);
    EXPECT_EQ(crash::parseCrashCode("0x0B trailing"), 0ul);
    EXPECT_EQ(crash::parseCrashCode(""), 0ul);
    EXPECT_EQ(crash::parseCrashCode(nullptr), 0ul);
}

TEST(CrashReportBox, ShowsCriticalTopmostBoxWithTheCrashText)
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool topmost = false;
    bool seen = false;
    int polls = 0;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            seen = true;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            topmost = box->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
            box->done(0);
            poll.stop();
        } else if (++polls > 500) {
            QApplication::closeAllWindows(); // never hang the suite
        }
    });
    poll.start();

    std::vector<std::string> args = {"LumadocApp", "--crash-report", "/opt/lumadoc/lib/libfoo.so",
                                     "0x0000000B", "/tmp/logs/crash.log"};
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    const int rc = crash::runCrashReport(static_cast<int>(args.size()), argv.data());

    EXPECT_EQ(rc, 0);
    ASSERT_TRUE(seen);
    EXPECT_EQ(title, QStringLiteral("Lumadoc - 程序错误"));
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_TRUE(topmost);
    EXPECT_EQ(text.toStdString(),
              crash::crashReportText("/opt/lumadoc/lib/libfoo.so", 11, "/tmp/logs/crash.log"));
}
