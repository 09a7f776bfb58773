#include "WordExport.h"

#include "ProcessGroup.h"
#include "Resources.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryFile>

#include <atomic>
#include <cstdio>

namespace wordexport {
namespace {



// A name beside `outputPath` that no other export uses, with the same suffix (the script picks the file
// format by it).
QString temporaryOutputPath(const QString& outputPath)
{
    static std::atomic<int> counter{0};
    const QFileInfo info(outputPath);
    return info.absoluteDir().filePath(QStringLiteral(".%1.lumadoc-%2-%3.%4")
                                           .arg(info.completeBaseName())
                                           .arg(QCoreApplication::applicationPid())
                                           .arg(counter.fetch_add(1))
                                           .arg(info.suffix()));
}

void logRun(const ScriptRun& run)
{
    qInfo() << "[Word] Python exit code:" << run.exitCode << " status=" << (run.crashed ? "crash" : "normal");
    qInfo() << "[Word] === Python stdout begin ===";
    for (const QJsonObject& record : run.records)
        qInfo().noquote() << "[Word][py]"
                          << QString::fromUtf8(QJsonDocument(record).toJson(QJsonDocument::Compact));
    for (const QString& line : run.otherLines)
        qInfo().noquote() << "[Word][py]" << line;
    qInfo() << "[Word] === Python stdout end ===";
    if (!run.standardError.trimmed().isEmpty())
        qWarning().noquote() << "[Word] Python stderr:" << run.standardError.trimmed();
}

QString lastErrorMsg(const ScriptRun& run)
{
    for (int i = run.records.size() - 1; i >= 0; --i)
        if (run.records[i].value(QStringLiteral("level")).toString() == QLatin1String("ERROR"))
            return run.records[i].value(QStringLiteral("msg")).toString();
    return QString();
}

// What the user is told when the script did not deliver a document.
QString failureReason(const ScriptRun& run, const QString& interpreter, const QString& scriptPath, int timeoutMs)
{
    if (!QFileInfo::exists(scriptPath))
        return QCoreApplication::translate("WordExport", "the Word export script is missing from the program");
    if (!run.started) {
        if (!QFileInfo(interpreter).isExecutable())
            return QCoreApplication::translate("WordExport", "Python 3 was not found at %1 (Debian package python3)").arg(interpreter);
        return QCoreApplication::translate("WordExport", "the Word export script could not be started: %1").arg(run.startError);
    }
    if (run.timedOut)
        return QCoreApplication::translate("WordExport", "LibreOffice did not finish within %1 s and was stopped").arg(timeoutMs / 1000);
    const QString msg = lastErrorMsg(run);
    switch (run.exitCode) {
    case kOfficeMissing:
        if (msg == QLatin1String("python3-uno not installed"))
            return QCoreApplication::translate("WordExport", "python3-uno, LibreOffice's Python bridge, is not installed (Debian package python3-uno)");
        if (msg == QLatin1String("LibreOffice not installed"))
            return QCoreApplication::translate("WordExport", "LibreOffice is not installed (Debian package libreoffice-writer-nogui)");
        return QCoreApplication::translate("WordExport", "LibreOffice could not be started: %1").arg(run.lastError());
    case kTextUndecodable:
        return QCoreApplication::translate("WordExport", "the recognised text could not be handed to LibreOffice");
    case kArgumentCount:
        return QCoreApplication::translate("WordExport", "the Word export script was called wrongly");
    case kFileMissing:
        return QCoreApplication::translate("WordExport", "LibreOffice reported the document saved, but no file appeared");
    case kWritten:
        return QCoreApplication::translate("WordExport", "the Word export script ended without writing the document");
    default:
        break;
    }
    const QString detail = run.lastError();
    return detail.isEmpty() ? QCoreApplication::translate("WordExport", "LibreOffice could not write the document (exit code %1)").arg(run.exitCode)
                            : QCoreApplication::translate("WordExport", "LibreOffice could not write the document: %1").arg(detail);
}

} // namespace

QString ScriptRun::lastError() const
{
    for (int i = records.size() - 1; i >= 0; --i) {
        const QJsonObject& record = records[i];
        if (record.value(QStringLiteral("level")).toString() != QLatin1String("ERROR"))
            continue;
        QString text = record.value(QStringLiteral("msg")).toString();
        const QString err = record.value(QStringLiteral("err")).toString();
        if (!err.isEmpty())
            text += QStringLiteral(": ") + err;
        const QString hint = record.value(QStringLiteral("hint")).toString();
        if (!hint.isEmpty())
            text += QStringLiteral(" (") + hint + QLatin1Char(')');
        return text;
    }
    return QString();
}

QString extractEmbeddedScript()
{
    lumadoc::initResources();
    QFile resource(QStringLiteral(":/python/wps_export.py"));
    if (!resource.open(QIODevice::ReadOnly)) {
        qWarning() << "[Word] embedded export script missing";
        return QString();
    }
    const QByteArray script = resource.readAll();
    const QString path = QDir::tempPath() + QStringLiteral("/lumadoc_wps_export.py");
    // Replaced by rename: an export running the previous copy keeps reading a whole file.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(script) != script.size() || !file.commit()) {
        qWarning().noquote() << "[Word] cannot write" << path << file.errorString();
        return QString();
    }
    return path;
}

ScriptRun runExportScript(const QString& interpreter, const QString& scriptPath, const QString& imagePath,
                          const QString& text, const QString& outputPath, int timeoutMs)
{
    ScriptRun run;
    const QByteArray base64 = text.toUtf8().toBase64();
    const bool viaStdin = base64.size() > kMaxArgumentBytes;
    GroupLeaderProcess process;
    process.setProgram(interpreter);
    process.setArguments({scriptPath, imagePath,
                          viaStdin ? QStringLiteral("-") : QString::fromLatin1(base64), outputPath});
    process.start();
    if (!process.waitForStarted(kStartTimeoutMs)) {
        run.startError = process.errorString();
        qWarning().noquote() << "[Word] QProcess failed to start Python. error=" << run.startError;
        return run;
    }
    run.started = true;
    qInfo() << "[Word] Python started, pid=" << process.processId() << (viaStdin ? "(text on stdin)" : "");
    if (viaStdin)
        process.write(base64);
    process.closeWriteChannel();

    QByteArray out;
    QByteArray err;
    // Read while waiting: a chatty script must never block on a full pipe.
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(200)) {
        out += process.readAllStandardOutput();
        err += process.readAllStandardError();
        if (process.state() == QProcess::NotRunning)
            break;
        if (clock.elapsed() > timeoutMs) {
            qWarning() << "[Word] export script ran past" << timeoutMs << "ms, killing it and its office";
            run.timedOut = true;
            process.killGroup();
            process.waitForFinished(5000);
            break;
        }
    }
    // LibreOffice and anything else the script started go with it.
    process.killGroup();
    out += process.readAllStandardOutput();
    err += process.readAllStandardError();
    run.crashed = process.exitStatus() == QProcess::CrashExit || run.timedOut;
    run.exitCode = run.crashed ? -1 : process.exitCode();
    run.standardError = QString::fromUtf8(err);
    for (const QByteArray& rawLine : out.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        if (doc.isObject())
            run.records << doc.object();
        else
            run.otherLines << QString::fromUtf8(line);
    }
    return run;
}

QString exportWordDocument(const QString& imagePath, const QString& text, const QString& outputPath,
                           const Options& options)
{
    QString scriptPath = options.scriptPath;
    if (scriptPath.isEmpty())
        scriptPath = extractEmbeddedScript();
    if (scriptPath.isEmpty()) {
        // A copy beside the program is the fallback for a build whose resources went missing.
        const QString appDir = QCoreApplication::applicationDirPath();
        scriptPath = QFileInfo::exists(appDir + QStringLiteral("/wps_export.py"))
                         ? appDir + QStringLiteral("/wps_export.py")
                         : appDir + QStringLiteral("/bin/wps_export.py");
        qInfo().noquote() << "[Word] script source: filesystem" << scriptPath;
    }

    const QString staging = temporaryOutputPath(outputPath);
    QFile::remove(staging);
    const ScriptRun run =
        runExportScript(options.interpreter, scriptPath, imagePath, text, staging, options.timeoutMs);
    if (run.started)
        logRun(run);
    const bool produced = run.started && !run.crashed && run.exitCode == kWritten && QFileInfo::exists(staging);
    if (run.started && !produced)
        qWarning() << "[Word] Python exporter did NOT produce file or exit!=0";
    bool placed = false;
    if (produced) {
        // rename(2) replaces an older file of that name in one step.
        placed = std::rename(QFile::encodeName(staging).constData(), QFile::encodeName(outputPath).constData()) == 0;
        if (!placed)
            qWarning().noquote() << "[Word] cannot move the document to" << outputPath;
    }
    QFile::remove(staging);
    qInfo() << "[Word] Export finished=" << placed << " outputExists=" << QFileInfo::exists(outputPath);
    if (placed) {
        qInfo().noquote() << "[Word] SUCCESS, file saved:" << outputPath;
        return QStringLiteral("success:") + outputPath;
    }
    qWarning().noquote() << "[Word] FAILED, file not created at:" << outputPath;
    const QString reason = produced ? QCoreApplication::translate("WordExport", "the document could not be moved to %1").arg(outputPath)
                                    : failureReason(run, options.interpreter, scriptPath, options.timeoutMs);
    return QStringLiteral("error:") + QStringLiteral("Word 文件生成失败（%1）").arg(reason);
}

} // namespace wordexport
