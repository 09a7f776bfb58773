#include "CrashReport.h"
#include "CrashHandler.h"

#include <QApplication>
#include <QMessageBox>
#include <QString>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace crash {

namespace {
constexpr std::size_t kMaxTextBytes = 2047;
}

std::string crashReportText(const std::string& module, unsigned long code, const std::string& crashLogPath)
{
    const std::string shownModule = module.empty() ? std::string("(未知)") : module;
    char codeText[32];
    std::snprintf(codeText, sizeof codeText, "0x%08lX", code);
    std::string text =
        "程序遇到致命错误，需要关闭。\n\n错误模块：" + shownModule + "\n异常代码：" + codeText +
        "\n\n日志已保存到：\n" + crashLogPath +
        "\n\n同目录下的 crash_*.dmp 是崩溃转储文件，\n请把它和上面的日志一起发给技术支持，\n以便定位问题。";
    if (text.size() > kMaxTextBytes) {
        std::size_t cut = kMaxTextBytes;
        // Step back over UTF-8 continuation bytes so no character is split.
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xc0) == 0x80)
            --cut;
        text.resize(cut);
    }
    return text;
}

unsigned long parseCrashCode(const char* text)
{
    if (!text || !*text)
        return 0;
    char* end = nullptr;
    const unsigned long value = std::strtoul(text, &end, 0);
    return end && *end == '\0' ? value : 0;
}

int runCrashReport(int argc, char** argv)
{
    const std::string module = argc > 2 ? argv[2] : "";
    const unsigned long code = parseCrashCode(argc > 3 ? argv[3] : nullptr);
    const std::string logPath = argc > 4 ? argv[4] : "";

    // Inside a program that already has an application object (a test), reuse it.
    std::unique_ptr<QApplication> ownApp;
    if (!QApplication::instance())
        ownApp = std::make_unique<QApplication>(argc, argv);

    QMessageBox box(QMessageBox::Critical, QStringLiteral("Lumadoc - 程序错误"),
                    QString::fromStdString(crashReportText(module, code, logPath)), QMessageBox::Ok);
    // The crashed window is gone; without this the box can open behind other windows and go unseen.
    box.setWindowFlags(box.windowFlags() | Qt::WindowStaysOnTopHint);
    box.show();
    box.raise();
    box.activateWindow();
    box.exec();
    return 0;
}

} // namespace crash
