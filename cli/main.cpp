// lumadoc-cli: the program's image processing for files, without a window or a display.
#include "CliCommands.h"

#include <QGuiApplication>

#include <cstdio>

namespace {

// Standard output carries only results: everything Qt or the libraries log goes to standard error,
// and chatter below a warning is dropped unless LUMADOC_CLI_VERBOSE is set.
void logToStderr(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    static const bool verbose = qEnvironmentVariableIsSet("LUMADOC_CLI_VERBOSE");
    if (!verbose && (type == QtDebugMsg || type == QtInfoMsg))
        return;
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

// While the platform starts it may remark on the runtime folder (no XDG_RUNTIME_DIR under cron or
// ssh); that is no news for a command's user. Errors still come through.
void quietDuringStart(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        logToStderr(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    // Fonts (the watermark) need a GUI application; the offscreen platform needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(quietDuringStart);
    QGuiApplication app(argc, argv);
    qInstallMessageHandler(logToStderr);
    QCoreApplication::setApplicationName(QStringLiteral("lumadoc-cli"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments();
    args.removeFirst();
    if (args == QStringList{QStringLiteral("--version")}) {
        out << "lumadoc-cli " << LUMADOC_VERSION << '\n';
        return 0;
    }
    const int code = cli::run(args, cli::Streams{out, err});
    out.flush();
    err.flush();
    return code;
}
