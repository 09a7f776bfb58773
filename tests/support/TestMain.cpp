#include <QApplication>
#include <gtest/gtest.h>

// Tests that need a window run under the test display (xvfb-run); elsewhere fall back to offscreen so
// that logic tests still run from a plain terminal.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Window tests may build the AI panel, whose web engine wants this before the application exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
