#include "Resources.h"

#include <QFile>
#include <QPixmap>
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
