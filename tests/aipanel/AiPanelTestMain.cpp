// The panel's tests run in a private home, so the chat profile, its cache and the temporary folder are
// the test's own and are checked for stray files; the interface is English so texts are the sources.
#include "LanguageManager.h"
#include "TestSupport.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    testsupport::TempAppDir home;
    home.applyToCurrentProcess();
    // The web engine shares its GL context with the widgets; this must precede the application object.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    LanguageManager::instance()->loadLanguage(QStringLiteral("en_US"));
    return RUN_ALL_TESTS();
}
