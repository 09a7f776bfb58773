// LumadocApp entry: everything up to the event loop, in the order a technician reads it in the boot log.

#include "AppStyle.h"
#include "BootHeader.h"
#include "BootLog.h"
#include "CrashHandler.h"
#include "GlCheck.h"
#include "GraphicsBackend.h"
#include "GraphicsProbe.h"
#include "InstanceActivation.h"
#include "LanguageManager.h"
#include "Logger.h"
#include "MediaCaptureWrapper.h"
#include "MainWindow.h"
#include "Resources.h"
#include "SingleInstance.h"
#include "StartupFlags.h"
#include "TerminationSignals.h"
#include "VoiceCommand.h"
#include "WindowModes.h"

#include <QApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QSplashScreen>
#include <QTextCodec>
#include <QTimer>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

std::string ownExecutablePath(const char* argv0)
{
    char buf[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n > 0) {
        buf[n] = '\0';
        return buf;
    }
    char resolved[PATH_MAX];
    return ::realpath(argv0, resolved) ? std::string(resolved) : std::string(argv0);
}

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

bool envStartsWithOne(const char* name)
{
    const char* v = std::getenv(name);
    return v && v[0] == '1';
}

void setChromiumAndLoggingEnvironment()
{
    const char* flags = std::getenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const std::string value = flags && *flags ? flags : "--disable-gpu";
    ::setenv("QTWEBENGINE_CHROMIUM_FLAGS", value.c_str(), 1);
    bootlog::log("[MAIN] QTWEBENGINE_CHROMIUM_FLAGS=%s\n", value.c_str());

    const char* rules = std::getenv("QT_LOGGING_RULES");
    if (!rules || !*rules) {
        ::setenv("QT_LOGGING_RULES", "qt.qpa.gl=true", 1);
        bootlog::log("[MAIN] QT_LOGGING_RULES=qt.qpa.gl=true\n");
    }
}

void logGraphicsEnvironment()
{
    const std::string adapter = startup::displayAdapterDescription();
    if (adapter.empty())
        bootlog::log("[MAIN] 显示适配器: (枚举失败)\n");
    else
        bootlog::log("[MAIN] 显示适配器: %s\n", adapter.c_str());
    for (const auto& [name, present] : startup::graphicsComponents())
        bootlog::log("[MAIN] 图形组件 %-20s %s\n", name.c_str(), present ? "存在" : "缺失");
}

void chooseGraphicsBackend(const startup::StartupFlags& flags)
{
    startup::BackendInputs in;
    const char* qtOpenGl = std::getenv("QT_OPENGL");
    in.qtOpenGl = qtOpenGl ? qtOpenGl : "";
    if (in.qtOpenGl.empty()) { // the flags are only read when the choice is not made outside
        in.glSoftwareFlag = flags.glSoftwareExists();
        in.runIncompleteFlag = !in.glSoftwareFlag && flags.runIncompleteExists();
        in.renderNode = startup::firstRenderNode();
        in.renderNodeExists = !in.renderNode.empty();
    }
    const startup::BackendChoice choice = startup::chooseBackend(in);
    if (choice.switchToSoftware)
        startup::switchToSoftwareRendering(choice.reason.c_str());
    else
        bootlog::log("%s", choice.logLine.c_str());
}

void showSplash(QSplashScreen& splash)
{
    QPixmap logo(QStringLiteral(":/icons/logo.ico"));
    QPixmap pixmap;
    if (!logo.isNull()) {
        pixmap = logo.scaled(160, 160, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } else {
        pixmap = QPixmap(420, 260);
        pixmap.fill(QColor(44, 62, 80));
    }
    splash.setPixmap(pixmap);
    splash.setStyleSheet(QStringLiteral("QSplashScreen { background-color: #2c3e50; }"));
    splash.showMessage(QStringLiteral("正在启动 Lumadoc ..."), Qt::AlignHCenter | Qt::AlignBottom, Qt::white);
    splash.show();
    QCoreApplication::processEvents();
}

void addPluginPaths(const QString& appDir)
{
    QCoreApplication::addLibraryPath(appDir);
    QCoreApplication::addLibraryPath(appDir + "/plugins");
    const QStringList paths = QCoreApplication::libraryPaths();
    bootlog::console("[MAIN] appDir: %s\n", qUtf8Printable(appDir));
    bootlog::console("[MAIN] All library paths (%d):\n", static_cast<int>(paths.size()));
    for (const QString& p : paths)
        bootlog::console("[MAIN]   %s\n", qUtf8Printable(p));
    const QString mediaDir = appDir + "/plugins/mediaservice";
    if (QDir(mediaDir).exists()) {
        const QStringList plugins = QDir(mediaDir).entryList({QStringLiteral("*.so")}, QDir::Files);
        bootlog::console("[MAIN] Found %d audio plugins in plugins/mediaservice:\n", static_cast<int>(plugins.size()));
        for (const QString& p : plugins)
            bootlog::console("[MAIN]   %s\n", qUtf8Printable(p));
    } else {
        bootlog::console("[MAIN] WARNING: plugins/mediaservice not found at: %s\n", qUtf8Printable(mediaDir));
    }
}

void applyApplicationFont()
{
    // The desktop's sans-serif face; fontconfig falls back to an installed CJK face for Chinese.
    QFont font = QFontDatabase::systemFont(QFontDatabase::GeneralFont);
    font.setPointSize(12);
    QApplication::setFont(font);
}

void applyStyleSheet(QApplication& app)
{
    QFile qss(QStringLiteral(":/styles/appstyle.qss"));
    if (qss.open(QIODevice::ReadOnly)) {
        const QByteArray bytes = qss.readAll();
        const int nul = bytes.indexOf('\0');
        app.setStyleSheet(QString::fromLatin1(nul >= 0 ? bytes.left(nul) : bytes));
    }
}

enum class GlOutcome { Ready, RunWithoutPreview, HandedOver };

// Runs the 3.3 check and, at most once per machine state, restarts into software rendering.
GlOutcome verifyOpenGl(const startup::StartupFlags& flags, startup::SingleInstance& instance,
                       const std::string& exePath, int argc, char** argv)
{
    const startup::GlCheckResult gl = startup::checkOpenGl33();
    if (!gl.profile.isEmpty())
        bootlog::log("[MAIN] GL 实测: 请求 3.3 Core / 实际 %d.%d %s / initializeOpenGLFunctions=%s\n", gl.major,
                     gl.minor, qUtf8Printable(gl.profile), gl.functionsOk ? "OK" : "FAILED");
    if (gl.passed)
        bootlog::log("[MAIN] GL_VERSION=%s | GL_RENDERER=%s | GL_VENDOR=%s\n", qUtf8Printable(gl.version),
                     qUtf8Printable(gl.renderer), qUtf8Printable(gl.vendor));

    const bool software = startup::isSoftwareRendering(std::getenv("QT_OPENGL"));
    startup::RestartInputs in;
    in.checkPassed = gl.passed;
    in.software = software;
    const QByteArray reason = gl.failureReason.toUtf8().left(255);
    if (!gl.passed && !software) {
        in.isRestartedChild = envStartsWithOne("LD_GL_AUTORESTART");
        bootlog::log("[MAIN] !!! 当前图形栈不满足 GL 3.3 Core：%s\n", reason.constData());
        in.flagWritten = flags.writeGlSoftware();
    }

    switch (startup::decideRestart(in)) {
    case startup::RestartAction::Continue:
        bootlog::log("[MAIN] GL 3.3 Core 可用 → VideoWidget 使用%s渲染\n", software ? " Mesa 软件" : " GPU 硬件");
        return GlOutcome::Ready;
    case startup::RestartAction::ContinueWithoutPreview:
        bootlog::log("[MAIN] !!! 软件渲染下 GL 3.3 Core 仍不可用：%s\n", reason.constData());
        bootlog::log("[MAIN]     → 预览区将不显示，其余功能正常；更新显卡驱动后可删除 logs/gl_software.flag 恢复硬件加速\n");
        return GlOutcome::RunWithoutPreview;
    case startup::RestartAction::ContinueFlagUnwritable:
        bootlog::log("[MAIN] 无法写 gl_software.flag（日志目录不可写） → 不自动重启，继续运行（预览区将空白）\n");
        return GlOutcome::RunWithoutPreview;
    case startup::RestartAction::ContinueAlreadyRestarted:
        bootlog::log("[MAIN] 本次已是自动重启后的进程，仍不满足 → 不再重启（防死循环），继续运行\n");
        return GlOutcome::RunWithoutPreview;
    case startup::RestartAction::Restart:
        break;
    }

    bootlog::log("[MAIN] → 释放单实例互斥体，以 QT_OPENGL=software 自动重启一次\n");
    instance.release();
    startup::switchToSoftwareRendering(nullptr);
    ::setenv("LD_GL_AUTORESTART", "1", 1);
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    qint64 pid = 0;
    const bool started = QProcess::startDetached(QString::fromStdString(exePath), args,
                                                 QCoreApplication::applicationDirPath(), &pid);
    bootlog::log("[MAIN] 自动以软件渲染重启：%s (pid=%lld)\n", started ? "已拉起新进程" : "失败",
                 static_cast<long long>(pid));
    if (started)
        return GlOutcome::HandedOver;
    // Nothing else is running now, so this process must carry on rather than leave the user with nothing.
    if (!instance.acquire())
        bootlog::log("[MAIN] 重启失败后无法重新持有单实例互斥体，继续运行\n");
    bootlog::log("[MAIN] 自动重启失败 → 继续运行（预览区将空白）\n");
    return GlOutcome::RunWithoutPreview;
}

// Removes run_incomplete.flag once the window has really been painted: a crash in the first paint is
// exactly what the flag exists to catch.
class FirstPaintWatcher : public QObject
{
public:
    FirstPaintWatcher(QWidget* window, startup::StartupFlags flags) : QObject(window), m_flags(std::move(flags))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !m_done) {
            m_done = true;
            watched->removeEventFilter(this);
            // Queued, so it runs after this paint has finished.
            QTimer::singleShot(0, this, [this] { m_flags.removeRunIncomplete(); });
        }
        return false;
    }

private:
    startup::StartupFlags m_flags;
    bool m_done = false;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "--crash-report") == 0)
        return crash::runCrashReport(argc, argv);

    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    windowmode::ModeArgument startMode = windowmode::parseModeArgument(arguments);
    if (startMode.status == windowmode::ModeArgument::Invalid) {
        std::fprintf(stderr, "LumadocApp: %s\n", qPrintable(startMode.error));
        return 2;
    }
    if (startMode.mode == windowmode::Ai && !MainWindow::aiModeAvailable()) {
        std::fprintf(stderr, "LumadocApp: the AI panel is not available in this build; starting in standard mode\n");
        startMode.mode = windowmode::Standard;
    }

    const std::string exePath = ownExecutablePath(argv[0]);
    const std::string exeDir = directoryOf(exePath);

    // 1. Boot log, header and module probe.
    bootlog::open(exeDir.c_str());
    bootlog::writeHeader(argc, argv, exePath.c_str());
    bootlog::probeModules(exeDir.c_str(), bootlog::probedModules());

    // 2. Single instance.
    startup::SingleInstance instance;
    if (!instance.acquire()) {
        bootlog::log("[MAIN] 已有实例在运行，本次启动退出（单实例互斥体已存在）\n");
        const bool shown = startup::requestActivation(startup::activationSocketPath(instance.lockFile()));
        bootlog::log("[MAIN] asked the running instance to show its window: %s\n", shown ? "yes" : "no answer");
        return 0;
    }

    // 3. Crash capture.
    crash::install(exePath.c_str());
    if (envStartsWithOne("LD_TEST_CRASH")) {
        bootlog::log("[BOOT] LD_TEST_CRASH=1 → 主动触发一次访问越界，验证崩溃取证\n");
        crash::triggerTestCrash();
    }

    // 4. Linux consoles are UTF-8 already; nothing to convert.
    // 5-7. Environment, graphics probe, back-end choice.
    setChromiumAndLoggingEnvironment();
    logGraphicsEnvironment();
    const startup::StartupFlags flags(bootlog::directory());
    chooseGraphicsBackend(flags);

    // 8-10.
    bootlog::log("[MAIN] step 1: before QApplication\n");
    bootlog::console("[MAIN] exe dir: %s\n", exeDir.c_str());
    QCoreApplication::addLibraryPath(QString::fromStdString(exeDir));
    QCoreApplication::addLibraryPath(QString::fromStdString(exeDir) + "/plugins");
    bootlog::console("[MAIN] Library paths added pre-app\n");
    flags.createRunIncomplete();
    // The AI panel's web engine shares its GL context with the preview; it must be said before the
    // application object exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    // The window class (WM_CLASS "Lumadoc", which the desktop entry names) is fixed by the first window,
    // the graphics probe's; the name must be known before it and the desktop file with it.
    QCoreApplication::setApplicationName(QStringLiteral("Lumadoc"));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.lumadoc.Lumadoc"));
    QApplication app(argc, argv);
    lumadoc::initResources();

    // 11. OpenGL 3.3, with the one automatic restart.
    const GlOutcome gl = verifyOpenGl(flags, instance, exePath, argc, argv);
    if (gl == GlOutcome::HandedOver)
        return 0;
    app.setProperty("lumadoc.glUsable", gl == GlOutcome::Ready);

    // 12-15.
    QSplashScreen splash;
    showSplash(splash);
    bootlog::log("[MAIN] step 2: QApplication 创建成功（Qt 平台插件已初始化）\n");
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("UTF-8"));
    addPluginPaths(QCoreApplication::applicationDirPath());
    QCoreApplication::setOrganizationName(QStringLiteral("Lumadoc Inc."));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.0"));
    bootlog::log("[MAIN] step 3: app info set\n");

    // 16. Application log.
    Logger::instance().install();
    bootlog::log("[MAIN] step 4: Logger installed, logPath=%s\n", qUtf8Printable(Logger::instance().logFilePath()));
    qInfo() << "Application starting, version:" << QCoreApplication::applicationVersion();
    qInfo() << "Log file:" << Logger::instance().logFilePath();
    bootlog::log("[MAIN] step 5: after qInfo\n");

    // 17-19. Look and language.
    QApplication::setStyle(new AppStyle);
    bootlog::log("[MAIN] step 6: style set\n");
    applyApplicationFont();
    LanguageManager::instance()->loadLanguage(QStringLiteral("zh_CN"));
    qRegisterMetaType<VoiceCommand>("VoiceCommand");
    bootlog::log("[MAIN] step 7: language loaded\n");
    applyStyleSheet(app);
    bootlog::log("[MAIN] step 8: stylesheet loaded\n");

    // 20-21. Main window and event loop.
    // First frames of each camera size leave their diagnostics beside the boot log, never in
    // whatever folder the program was started from.
    if (*bootlog::directory())
        MediaCaptureWrapper::setDiagDirectory(QString::fromLocal8Bit(bootlog::directory()) + QStringLiteral("/diag"));
    bootlog::log("[MAIN] step 8.5: before MainWindow ctor\n");
    auto window = std::make_unique<MainWindow>();
    bootlog::log("[MAIN] step 9: MainWindow created\n");
    new FirstPaintWatcher(window.get(), flags);
    startup::TerminationSignals termination;
    // A session ending asks nobody: the window keeps what is unsaved where the next start finds it.
    QObject::connect(&termination, &startup::TerminationSignals::terminationRequested, window.get(),
                     [w = window.get()] { w->closeUnattended(); });
    startup::ActivationServer activation;
    activation.listen(startup::activationSocketPath(instance.lockFile()));
    QObject::connect(&activation, &startup::ActivationServer::activationRequested, window.get(),
                     &MainWindow::bringToFront);
    window->showMaximized();
    if (startMode.mode != windowmode::Standard)
        window->switchWindowMode(startMode.mode);
    bootlog::log("[MAIN] step 10: showMaximized called, entering event loop\n");
    splash.finish(window.get());
    // The splash waits for the window to be exposed and handles events meanwhile, a termination signal
    // among them; the loop must not start after the window has already gone.
    const int ret = termination.requested() ? 0 : app.exec();

    // 22.
    bootlog::log("[MAIN] step 11: event loop exited, ret=%d\n", ret);
    qInfo() << "Application exiting, code:" << ret;
    Logger::instance().shutdown();
    window.reset();
    return ret;
}
