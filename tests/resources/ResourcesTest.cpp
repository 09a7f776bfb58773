#include "Resources.h"

#include <QFile>
#include <QPixmap>
#include <QStringList>
#include <gtest/gtest.h>

// The program reads these by path at start-up; a missing registration silently gives a grey window.
TEST(CompiledResources, StyleSheetAndLogoAreReachable)
{
    lumadoc::initResources();
    QFile qss(QStringLiteral(":/styles/appstyle.qss"));
    ASSERT_TRUE(qss.open(QIODevice::ReadOnly));
    EXPECT_TRUE(qss.readAll().contains("QMainWindow"));
    const QPixmap logo(QStringLiteral(":/icons/logo.ico"));
    ASSERT_FALSE(logo.isNull());
    EXPECT_GE(logo.width(), 16);
}

// The style sheet is read as Latin-1 and cut at the first NUL, so anything beyond ASCII would be garbled.
TEST(CompiledResources, StyleSheetIsPlainAscii)
{
    lumadoc::initResources();
    QFile qss(QStringLiteral(":/styles/appstyle.qss"));
    ASSERT_TRUE(qss.open(QIODevice::ReadOnly));
    const QByteArray bytes = qss.readAll();
    ASSERT_FALSE(bytes.isEmpty());
    for (int i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes.at(i));
        ASSERT_TRUE(c == '\n' || c == '\r' || c == '\t' || (c >= 0x20 && c < 0x7f))
            << "byte " << int(c) << " at offset " << i;
    }
}

// Every icon the windows ask for by path; a QIcon built from a missing path is simply empty, so only a
// load here shows that the file is registered.
TEST(CompiledResources, EveryIconLoads)
{
    lumadoc::initResources();
    const QStringList icons = {
        // title bar
        "titlebar/settings", "titlebar/window_switch", "titlebar/menu", "titlebar/voice_off", "titlebar/voice_on",
        "titlebar/minimize", "titlebar/maximize", "titlebar/restore", "titlebar/close",
        // tool bar actions
        "open", "save", "exit", "camera_open", "camera_close", "capture", "rotate_left", "rotate_right", "zoom_in",
        "zoom_out", "zoom_reset", "fit", "barcode", "qrcode", "ocr", "undo", "redo", "clear", "about", "refresh",
        "auto_crop", "deskew", "crop_select", "crop_apply",
        // docks and panels
        "select", "pen", "line", "rectangle", "ellipse", "eraser", "color", "record", "stop_record", "timer",
        "id_photo", "remove_background", "watermark", "composite", "pdf", "ofd", "delete", "up", "down", "folder",
        "language", "scan", "camera", "voice_train",
    };
    EXPECT_EQ(icons.size(), 57);
    for (const QString& name : icons) {
        const QString path = QStringLiteral(":/icons/%1.png").arg(name);
        const QPixmap pixmap(path);
        ASSERT_FALSE(pixmap.isNull()) << path.toStdString();
        EXPECT_GE(pixmap.width(), 24) << path.toStdString();
        EXPECT_GE(pixmap.height(), 24) << path.toStdString();
        EXPECT_TRUE(pixmap.hasAlphaChannel()) << path.toStdString() << " should be drawn on a transparent ground";
    }
}

// The glyphs the style sheet refers to by url(); a missing one leaves check boxes without a tick.
TEST(CompiledResources, StyleSheetGlyphsLoad)
{
    lumadoc::initResources();
    QFile qss(QStringLiteral(":/styles/appstyle.qss"));
    ASSERT_TRUE(qss.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(qss.readAll());
    int referenced = 0;
    for (int at = text.indexOf(QLatin1String("url(")); at >= 0; at = text.indexOf(QLatin1String("url("), at + 1)) {
        const int end = text.indexOf(QLatin1Char(')'), at);
        ASSERT_GT(end, at);
        const QString path = text.mid(at + 4, end - at - 4).trimmed();
        EXPECT_FALSE(QPixmap(path).isNull()) << path.toStdString();
        ++referenced;
    }
    EXPECT_GE(referenced, 5);
}
