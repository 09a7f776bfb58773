#include "WindowModes.h"

#include <QCoreApplication>
#include <QStringList>

namespace windowmode {
namespace {
const char* const kNames[kModeCount] = {"standard", "presenter", "book", "ai", "ticket"};

const ChooserEntry kEntries[kModeCount] = {
    {QT_TRANSLATE_NOOP("WindowSwitchPanel", "普通拍照"), QT_TRANSLATE_NOOP("WindowSwitchPanel", "标准拍照模式，用于日常使用"),
     ":/icons/camera_capture.png"},
    {QT_TRANSLATE_NOOP("WindowSwitchPanel", "视频展台"),
     QT_TRANSLATE_NOOP("WindowSwitchPanel", "隐藏标题栏、缩略图和摄像头控制窗口"), ":/icons/camera.png"},
    {QT_TRANSLATE_NOOP("WindowSwitchPanel", "书籍拍摄"), QT_TRANSLATE_NOOP("WindowSwitchPanel", "专为书籍拍摄设计，支持展平去底色"),
     ":/icons/capture.png"},
    {QT_TRANSLATE_NOOP("WindowSwitchPanel", "AI协同"), QT_TRANSLATE_NOOP("WindowSwitchPanel", "分屏显示，左侧实时视频，右侧AI问答"),
     ":/icons/ocr.png"},
    {QT_TRANSLATE_NOOP("WindowSwitchPanel", "票据识别"),
     QT_TRANSLATE_NOOP("WindowSwitchPanel", "身份证、发票等票据OCR识别，导出结果"), ":/icons/barcode.png"},
};
}  // namespace

const ChooserEntry& chooserEntry(int mode) { return kEntries[isValid(mode) ? mode : Standard]; }

int modeFromName(const QString& name)
{
    for (int mode = 0; mode < kModeCount; ++mode)
        if (name.compare(QLatin1String(kNames[mode]), Qt::CaseInsensitive) == 0)
            return mode;
    return -1;
}

QString modeName(int mode) { return isValid(mode) ? QString::fromLatin1(kNames[mode]) : QString(); }

QString modeNameList()
{
    QStringList names;
    for (const char* name : kNames)
        names << QString::fromLatin1(name);
    return names.join(QLatin1Char('|'));
}

ModeArgument parseModeArgument(const QStringList& arguments)
{
    ModeArgument result;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        QString value;
        if (argument == QLatin1String("--mode")) {
            if (i + 1 >= arguments.size()) {
                result.status = ModeArgument::Invalid;
                result.error = QStringLiteral("--mode needs a value: %1").arg(modeNameList());
                return result;
            }
            value = arguments.at(++i);
        } else if (argument.startsWith(QLatin1String("--mode="))) {
            value = argument.mid(7);
        } else {
            continue;
        }
        const int mode = modeFromName(value);
        if (mode < 0) {
            result.status = ModeArgument::Invalid;
            result.error = QStringLiteral("unknown mode \"%1\"; use one of %2").arg(value, modeNameList());
            return result;
        }
        result.status = ModeArgument::Valid;
        result.mode = mode;
    }
    return result;
}

}  // namespace windowmode
