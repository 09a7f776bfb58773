// The programs as a user gets them: installed into a prefix of their own (and packaged), run from
// another folder, with nothing of the build tree to lean on.
#include "TestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QMap>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>
#include <gtest/gtest.h>

#include <memory>

using testsupport::TempAppDir;

namespace {

struct Outcome
{
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& args, const QString& workDir = {},
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(), int timeoutMs = 120000)
{
    QProcess process;
    process.setProcessEnvironment(env);
    if (!workDir.isEmpty())
        process.setWorkingDirectory(workDir);
    process.start(program, args);
    Outcome result;
    if (!process.waitForStarted(10000)) {
        result.err = process.errorString();
        return result;
    }
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("timed out");
        return result;
    }
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

// Every file and folder under `root` with its size and modification time: two equal snapshots mean
// nothing was written, created or removed.
QMap<QString, QString> snapshot(const QString& root)
{
    QMap<QString, QString> entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        const QFileInfo info = it.fileInfo();
        entries.insert(QDir(root).relativeFilePath(info.filePath()),
                       QStringLiteral("%1 %2").arg(info.size()).arg(info.lastModified().toMSecsSinceEpoch()));
    }
    return entries;
}

QStringList installedFiles(const QString& prefix)
{
    QStringList files;
    const QStringList entries = snapshot(prefix).keys();
    for (const QString& entry : entries)
        if (!QFileInfo(prefix + QLatin1Char('/') + entry).isDir())
            files << entry;
    files.sort();
    return files;
}

bool install(const QString& prefix, QString* error)
{
    const Outcome r = run(QStringLiteral(LUMADOC_CMAKE),
                      {"--install", QStringLiteral(LUMADOC_BUILD_DIR), "--prefix", prefix});
    *error = r.out + r.err;
    return r.exitCode == 0;
}

// A printed page: lines of text, upright, that the orientation model can read.
QImage textPage()
{
    QImage page(1240, 1754, QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    painter.setPen(Qt::black);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(30);
    painter.setFont(font);
    for (int line = 0; line < 36; ++line)
        painter.drawText(110, 160 + line * 42,
                         QStringLiteral("Line %1 of the quarterly report on counter services and forms").arg(line + 1));
    return page;
}

class Install : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        s_dir = std::make_unique<TempAppDir>();
        s_prefix = s_dir->filePath("prefix");
        s_installed = install(s_prefix, &s_installLog);
    }
    static void TearDownTestSuite() { s_dir.reset(); }

    void SetUp() override { ASSERT_TRUE(s_installed) << s_installLog.toStdString(); }

    static std::unique_ptr<TempAppDir> s_dir;
    static QString s_prefix;
    static QString s_installLog;
    static bool s_installed;
};

std::unique_ptr<TempAppDir> Install::s_dir;
QString Install::s_prefix;
QString Install::s_installLog;
bool Install::s_installed = false;

} // namespace

TEST_F(Install, ProgramsRunFromTheirPrefixAndWriteNothingIntoIt)
{
    const QMap<QString, QString> before = snapshot(s_prefix);
    const QString bin = s_prefix + "/bin";
    for (const char* program : {"LumadocApp", "lumadoc-cli"}) {
        SCOPED_TRACE(program);
        // Only the private folder, relative to the program: never the build tree.
        const Outcome elf = run("readelf", {"-d", bin + "/" + program});
        const QRegularExpressionMatch runpath = QRegularExpression(R"(\((?:RUNPATH|RPATH)\).*\[(.*)\])").match(elf.out);
        ASSERT_TRUE(runpath.hasMatch()) << elf.out.toStdString();
        EXPECT_EQ(runpath.captured(1), "$ORIGIN/../lib/lumadoc");
    }
    EXPECT_TRUE(QFileInfo::exists(s_prefix + "/lib/lumadoc/libLumadocOcr.so"));
    EXPECT_FALSE(QFileInfo::exists(bin + "/lumadoc-build-tree"));

    // Outcome from an unrelated folder, as a user on the PATH would.
    const QString work = s_dir->filePath("work");
    ASSERT_TRUE(QDir().mkpath(work));
    QProcessEnvironment env = s_dir->environment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    const Outcome help = run(bin + "/lumadoc-cli", {"--help"}, work, env);
    EXPECT_EQ(help.exitCode, 0) << help.err.toStdString();
    EXPECT_TRUE(help.out.contains("orient IMAGE"));

    // The orientation model is found under share/lumadoc; without it the command exits 3.
    ASSERT_TRUE(textPage().save(work + "/page.png"));
    const Outcome orient = run(bin + "/lumadoc-cli", {"orient", "page.png"}, work, env);
    EXPECT_EQ(orient.exitCode, 0) << orient.err.toStdString();
    EXPECT_TRUE(QRegularExpression(R"(^(0|90|180|270)\n$)").match(orient.out).hasMatch()) << orient.out.toStdString();

    // The window program starts and keeps its logs in the per-user state folder.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        GTEST_SKIP() << "no display for the window program";
    env.insert(QStringLiteral("DISPLAY"), qEnvironmentVariable("DISPLAY"));
    env.insert(QStringLiteral("LUMADOC_CAMERA"), QStringLiteral("virtual"));
    env.insert(QStringLiteral("LD_NO_CRASH_MSG"), QStringLiteral("1"));
    env.insert(QStringLiteral("QTWEBENGINE_DISABLE_SANDBOX"), QStringLiteral("1"));
    QProcess app;
    app.setProcessEnvironment(env);
    app.setWorkingDirectory(work);
    app.start(bin + "/LumadocApp", QStringList());
    ASSERT_TRUE(app.waitForStarted(10000));
    const QString logs = s_dir->stateHome() + "/Lumadoc/logs";
    QString bootLog;
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 90000 && !bootLog.contains("step 10") && app.state() == QProcess::Running) {
        app.waitForFinished(500);
        bootLog.clear();
        for (const QString& name : QDir(logs).entryList({"boot_*.log"}, QDir::Files)) {
            QFile file(logs + "/" + name);
            if (file.open(QIODevice::ReadOnly))
                bootLog += QString::fromUtf8(file.readAll());
        }
    }
    const bool started = bootLog.contains("step 10");
    // The desktop entry's StartupWMClass must match the window's class, or docks show a stranger.
    const Outcome windows = run("xwininfo", {"-root", "-tree"});
    EXPECT_TRUE(windows.out.contains("\"Lumadoc\")")) << windows.out.left(4000).toStdString();
    app.terminate();
    if (!app.waitForFinished(20000)) {
        app.kill();
        app.waitForFinished();
    }
    EXPECT_TRUE(started) << "boot log in " << logs.toStdString() << ":\n"
                         << bootLog.toStdString() << app.readAllStandardError().toStdString();
    EXPECT_FALSE(QDir(logs).entryList({"Lumadoc_*.log"}, QDir::Files).isEmpty());

    EXPECT_EQ(snapshot(s_prefix), before) << "the installed programs wrote into their prefix";
}

TEST_F(Install, DesktopEntryMetadataAndManPageValidate)
{
    const QString share = s_prefix + "/share";
    const Outcome desktop = run("desktop-file-validate", {share + "/applications/org.lumadoc.Lumadoc.desktop"});
    EXPECT_EQ(desktop.exitCode, 0) << desktop.out.toStdString() << desktop.err.toStdString();
    const Outcome appstream = run("appstreamcli", {"validate", "--no-net", share + "/metainfo/org.lumadoc.Lumadoc.metainfo.xml"});
    EXPECT_EQ(appstream.exitCode, 0) << appstream.out.toStdString() << appstream.err.toStdString();
    for (const char* icon : {"scalable/apps/org.lumadoc.Lumadoc.svg", "256x256/apps/org.lumadoc.Lumadoc.png"})
        EXPECT_TRUE(QFileInfo(share + "/icons/hicolor/" + icon).size() > 0) << icon;
    EXPECT_EQ(QImage(share + "/icons/hicolor/256x256/apps/org.lumadoc.Lumadoc.png").size(), QSize(256, 256));

    // The man page is the program's own --help and --version.
    const Outcome man = run("gzip", {"-dc", share + "/man/man1/lumadoc-cli.1.gz"});
    ASSERT_EQ(man.exitCode, 0) << man.err.toStdString();
    const Outcome version = run(s_prefix + "/bin/lumadoc-cli", {"--version"});
    ASSERT_EQ(version.exitCode, 0);
    EXPECT_TRUE(man.out.contains(version.out.section(' ', 1).trimmed())) << version.out.toStdString();
    EXPECT_TRUE(man.out.contains("flatten")) << "the command list of --help is missing";
}

TEST(Package, DebHoldsTheInstalledFilesAndPassesLintian)
{
    TempAppDir dir;
    ASSERT_TRUE(dir.isValid());
    QString log;
    ASSERT_TRUE(install(dir.filePath("prefix"), &log)) << log.toStdString();

    const Outcome cpack = run(QStringLiteral(LUMADOC_CPACK),
                          {"--config", QStringLiteral(LUMADOC_BUILD_DIR "/CPackConfig.cmake"), "-B", dir.filePath("pkg")},
                          {}, QProcessEnvironment::systemEnvironment(), 800000);
    ASSERT_EQ(cpack.exitCode, 0) << cpack.out.toStdString() << cpack.err.toStdString();
    const QStringList debs = QDir(dir.filePath("pkg")).entryList({"*.deb"}, QDir::Files);
    ASSERT_EQ(debs.size(), 1);
    EXPECT_TRUE(QRegularExpression(R"(^lumadoc_\d+\.\d+\.\d+_amd64\.deb$)").match(debs.first()).hasMatch()) << debs.first().toStdString();
    const QString deb = dir.filePath("pkg/" + debs.first());

    // The package holds exactly what the install does, under /usr.
    const Outcome contents = run("dpkg-deb", {"-c", deb});
    ASSERT_EQ(contents.exitCode, 0);
    QStringList packaged;
    for (const QString& line : contents.out.split('\n', Qt::SkipEmptyParts)) {
        if (line.startsWith('d'))
            continue;
        const QString path = line.section(' ', -1).section(" -> ", 0, 0);
        packaged << QString(path).remove(QRegularExpression("^\\./usr/"));
    }
    packaged.sort();
    EXPECT_EQ(packaged, installedFiles(dir.filePath("prefix")));

    const Outcome depends = run("dpkg-deb", {"-f", deb, "Depends", "Recommends"});
    for (const char* needed : {"libqt5core5a", "libtesseract5", "libqt5sql5-sqlite", "tesseract-ocr-chi-sim",
                               "fonts-wqy-microhei", "python3-uno", "libreoffice-writer-nogui"})
        EXPECT_TRUE(depends.out.contains(needed)) << needed << "\n" << depends.out.toStdString();

    const Outcome lintian = run("lintian", {"--tag-display-limit", "0", deb}, {}, QProcessEnvironment::systemEnvironment(), 600000);
    QStringList errors;
    for (const QString& line : lintian.out.split('\n'))
        if (line.startsWith("E: "))
            errors << line;
    EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
}
