// The start-up decisions that need no display: back-end choice, restart rule, GL verdict, flag files,
// boot log directory and the single-instance lock.

#include "AppStyle.h"
#include "BootDirectory.h"
#include "GlCheck.h"
#include "GraphicsBackend.h"
#include "InstanceActivation.h"
#include "SingleInstance.h"
#include "StartupFlags.h"
#include "TestSupport.h"

#include <QDir>
#include <QFile>
#include <QPixmap>
#include <QSignalSpy>
#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using namespace startup;

TEST(BackendChoice, ExternalQtOpenGlSkipsEverything)
{
    BackendInputs in;
    in.qtOpenGl = "desktop";
    in.glSoftwareFlag = true;
    in.runIncompleteFlag = true;
    const BackendChoice c = chooseBackend(in);
    EXPECT_EQ(c.row, 1);
    EXPECT_FALSE(c.switchToSoftware);
    EXPECT_NE(c.logLine.find("QT_OPENGL 已由外部指定=desktop"), std::string::npos);
}

TEST(BackendChoice, GlSoftwareFlagWinsOverIncompleteRunAndRenderNode)
{
    BackendInputs in;
    in.glSoftwareFlag = true;
    in.runIncompleteFlag = true;
    in.renderNodeExists = true;
    const BackendChoice c = chooseBackend(in);
    EXPECT_EQ(c.row, 2);
    EXPECT_TRUE(c.switchToSoftware);
    EXPECT_NE(c.reason.find("gl_software.flag"), std::string::npos);
}

TEST(BackendChoice, IncompleteRunForcesSoftwareEvenWithRenderNode)
{
    BackendInputs in;
    in.runIncompleteFlag = true;
    in.renderNodeExists = true;
    const BackendChoice c = chooseBackend(in);
    EXPECT_EQ(c.row, 3);
    EXPECT_TRUE(c.switchToSoftware);
    EXPECT_NE(c.reason.find("上次启动未走完初始化"), std::string::npos);
}

TEST(BackendChoice, RenderNodeKeepsDefaultAndNoneFallsBackToMesa)
{
    BackendInputs hw;
    hw.renderNodeExists = true;
    hw.renderNode = "/dev/dri/renderD128";
    const BackendChoice a = chooseBackend(hw);
    EXPECT_EQ(a.row, 5);
    EXPECT_FALSE(a.switchToSoftware);
    EXPECT_NE(a.logLine.find("/dev/dri/renderD128"), std::string::npos);

    const BackendChoice b = chooseBackend(BackendInputs{});
    EXPECT_EQ(b.row, 7);
    EXPECT_TRUE(b.switchToSoftware);
    EXPECT_NE(b.reason.find("回退 Mesa"), std::string::npos);
}

TEST(BackendChoice, SwitchingToSoftwareSetsQtAndMesaVariables)
{
    testsupport::TempAppDir dir; // restores nothing but keeps the pattern of private environments
    for (const char* v : {"QT_OPENGL", "MESA_GL_VERSION_OVERRIDE", "MESA_GLSL_VERSION_OVERRIDE", "LIBGL_ALWAYS_SOFTWARE"})
        ::unsetenv(v);
    switchToSoftwareRendering(nullptr);
    EXPECT_STREQ(std::getenv("QT_OPENGL"), "software");
    EXPECT_STREQ(std::getenv("MESA_GL_VERSION_OVERRIDE"), "3.3COMPAT");
    EXPECT_STREQ(std::getenv("MESA_GLSL_VERSION_OVERRIDE"), "330");
    EXPECT_STREQ(std::getenv("LIBGL_ALWAYS_SOFTWARE"), "1");
    EXPECT_TRUE(isSoftwareRendering("SoftWare"));
    EXPECT_FALSE(isSoftwareRendering("desktop"));
    EXPECT_FALSE(isSoftwareRendering(nullptr));
    for (const char* v : {"QT_OPENGL", "MESA_GL_VERSION_OVERRIDE", "MESA_GLSL_VERSION_OVERRIDE", "LIBGL_ALWAYS_SOFTWARE"})
        ::unsetenv(v);
}

TEST(RestartRule, EveryBranch)
{
    RestartInputs in;
    in.checkPassed = true;
    EXPECT_EQ(decideRestart(in), RestartAction::Continue);

    in = {};
    in.software = true;
    in.flagWritten = true;
    EXPECT_EQ(decideRestart(in), RestartAction::ContinueWithoutPreview);

    in = {};
    in.flagWritten = false;
    in.isRestartedChild = false;
    EXPECT_EQ(decideRestart(in), RestartAction::ContinueFlagUnwritable);

    in = {};
    in.flagWritten = true;
    in.isRestartedChild = true;
    EXPECT_EQ(decideRestart(in), RestartAction::ContinueAlreadyRestarted);

    in = {};
    in.flagWritten = true;
    EXPECT_EQ(decideRestart(in), RestartAction::Restart);
}

TEST(GlVerdict, AnyContextFromThreeThreeWithFunctionsPasses)
{
    // Mesa answers a compatibility request with 4.5 Compat: that must pass, not be refused as "not Core".
    EXPECT_TRUE(contextIsUsable(4, 5, true));
    EXPECT_TRUE(contextIsUsable(3, 3, true));
    EXPECT_FALSE(contextIsUsable(3, 2, true));
    EXPECT_FALSE(contextIsUsable(2, 1, false));
    EXPECT_FALSE(contextIsUsable(4, 6, false));
    EXPECT_EQ(unsuitableContextReason(2, 1, false), QStringLiteral("实际上下文 2.1 Compat，不满足 3.3 Core"));
}

TEST(StartupFlagFiles, WrittenReadAndRemovedInTheBootDirectory)
{
    testsupport::TempAppDir dir;
    const StartupFlags flags(dir.path().toStdString());
    EXPECT_FALSE(flags.glSoftwareExists());
    EXPECT_TRUE(flags.writeGlSoftware());
    EXPECT_EQ(testsupport::readFile(QString::fromStdString(flags.glSoftwarePath())), QStringLiteral("1"));
    flags.createRunIncomplete();
    EXPECT_TRUE(flags.runIncompleteExists());
    flags.removeRunIncomplete();
    EXPECT_FALSE(flags.runIncompleteExists());

    const StartupFlags none{std::string()};
    EXPECT_FALSE(none.writeGlSoftware()); // no directory: the restart rule must see "not written"
    EXPECT_FALSE(none.glSoftwareExists());
}

TEST(BootDirectory, CandidatesFollowExeInTheBuildTreeOnlyThenStateThenTemp)
{
    testsupport::TempAppDir dir;
    dir.applyToCurrentProcess();
    // Installed: never into the prefix.
    const auto installed = bootlog::candidateDirectories("/opt/lumadoc/bin/");
    ASSERT_EQ(installed.size(), 2u);
    EXPECT_EQ(installed[0], dir.stateHome().toStdString() + "/Lumadoc/logs");
    EXPECT_EQ(installed[1], dir.filePath("tmp").toStdString());

    QFile marker(dir.filePath("lumadoc-build-tree"));
    ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
    const auto c = bootlog::candidateDirectories(dir.path().toStdString() + "/");
    ASSERT_EQ(c.size(), 3u);
    EXPECT_EQ(c[0], dir.path().toStdString() + "/logs");
    EXPECT_EQ(c[1], dir.stateHome().toStdString() + "/Lumadoc/logs");

    ::unsetenv("XDG_STATE_HOME");
    EXPECT_EQ(bootlog::candidateDirectories("/x")[0], dir.home().toStdString() + "/.local/state/Lumadoc/logs");
}

TEST(BootDirectory, SkipsUnusableCandidatesAndCreatesParents)
{
    testsupport::TempAppDir dir;
    // A regular file where a folder should be cannot become a directory, even for root.
    QFile blocker(dir.filePath("blocked"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const std::string nested = dir.filePath("a/b/c").toStdString();
    EXPECT_EQ(bootlog::chooseDirectory({dir.filePath("blocked/logs").toStdString(), nested}), nested);
    EXPECT_TRUE(QDir(dir.filePath("a/b/c")).exists());
    EXPECT_EQ(bootlog::chooseDirectory({dir.filePath("blocked/x").toStdString()}), "");
}

TEST(BootDirectory, LeftoverProbeFileFromAnEarlierProcessDoesNotFailTheTest)
{
    testsupport::TempAppDir dir;
    QFile legacy(dir.filePath(QString(".ld_wtest_%1.tmp").arg(::getpid())));
    ASSERT_TRUE(legacy.open(QIODevice::WriteOnly));
    legacy.close();
    EXPECT_TRUE(bootlog::canCreateFileIn(dir.path().toStdString()));
    // The earlier run's file is left alone and the probe leaves nothing behind.
    EXPECT_TRUE(legacy.exists());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST(SingleInstanceLock, SecondHolderIsRefusedUntilTheFirstReleases)
{
    testsupport::TempAppDir dir;
    const std::string path = dir.filePath("LumadocApp_SingleInstance_Mutex").toStdString();
    SingleInstance first(path);
    SingleInstance second(path);
    ASSERT_TRUE(first.acquire());
    // An OFD lock conflicts between two descriptions even within one process, like two programs.
    EXPECT_FALSE(second.acquire());
    first.release();
    EXPECT_TRUE(second.acquire());
}

TEST(SingleInstanceLock, DefaultLivesInTheRuntimeFolder)
{
    testsupport::TempAppDir dir;
    dir.applyToCurrentProcess();
    EXPECT_EQ(SingleInstance::defaultLockFile(), dir.runtimeDir().toStdString() + "/LumadocApp_SingleInstance_Mutex");
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string fallback = SingleInstance::defaultLockFile();
    EXPECT_EQ(fallback, dir.filePath("tmp").toStdString() + "/lumadoc-" + std::to_string(::getuid()) +
                            "/LumadocApp_SingleInstance_Mutex");
    struct stat st {};
    ASSERT_EQ(::stat(dir.filePath(QString("tmp/lumadoc-%1").arg(::getuid())).toLocal8Bit().constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST(AppStyleIcons, DisabledIconIsFadedNotRecoloured)
{
    AppStyle style;
    QPixmap light(8, 8);
    light.fill(QColor(232, 236, 239));
    const QImage disabled = style.generatedIconPixmap(QIcon::Disabled, light, nullptr).toImage();
    const QColor c = disabled.pixelColor(4, 4);
    EXPECT_NEAR(c.alphaF(), AppStyle::kDisabledOpacity, 0.02);
    EXPECT_NEAR(c.red(), 232, 3); // same hue, only fainter
    const QImage normal = style.generatedIconPixmap(QIcon::Active, light, nullptr).toImage();
    EXPECT_EQ(normal.pixelColor(4, 4).alpha(), 255);
}

TEST(InstanceActivation, ASecondStartReachesTheRunningInstanceOnlyWhileItListens)
{
    testsupport::TempAppDir dir;
    const std::string socket = activationSocketPath(dir.filePath("LumadocApp_SingleInstance_Mutex").toStdString());
    EXPECT_FALSE(requestActivation(socket));  // nobody there: the second start just exits
    {
        // A socket file left by a killed instance must not keep the next one from listening.
        QFile stale(QString::fromStdString(socket));
        ASSERT_TRUE(stale.open(QIODevice::WriteOnly));
    }
    ActivationServer server;
    ASSERT_TRUE(server.listen(socket));
    QSignalSpy requests(&server, &ActivationServer::activationRequested);
    EXPECT_TRUE(requestActivation(socket));
    EXPECT_TRUE(requests.wait(2000));
    EXPECT_EQ(requests.count(), 1);
}
