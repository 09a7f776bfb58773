// The Word export without an office: the embedded script's command line, JSON lines, exit codes and
// text cleaning (LibreOffice hidden from it), and the runner's rule that only a fresh document at the
// output path counts as success.
#include "ExportTestTools.h"
#include "OcrExport.h"
#include "WordExport.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>

using namespace wordexport;

namespace {

const QString kPython = QStringLiteral("/usr/bin/python3");

// While one lives, the script finds no LibreOffice.
struct OfficeHidden
{
    OfficeHidden() { qputenv("LUMADOC_SOFFICE", "/nonexistent/soffice"); }
    ~OfficeHidden() { qunsetenv("LUMADOC_SOFFICE"); }
};

QString embeddedScript()
{
    static const QString path = extractEmbeddedScript();
    return path;
}

QString base64(const QByteArray& bytes) { return QString::fromLatin1(bytes.toBase64()); }

struct RawRun
{
    int exitCode = -1;
    QVector<QJsonObject> records;
    QStringList nonJson;
};

RawRun runRaw(const QStringList& args, const QByteArray& input = QByteArray())
{
    QProcess process;
    process.start(kPython, QStringList{embeddedScript()} + args);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(60000);
    RawRun run;
    run.exitCode = process.exitCode();
    for (const QByteArray& line : process.readAllStandardOutput().split('\n')) {
        if (line.trimmed().isEmpty())
            continue;
        const QJsonDocument doc = QJsonDocument::fromJson(line);
        if (doc.isObject())
            run.records << doc.object();
        else
            run.nonJson << QString::fromUtf8(line);
    }
    return run;
}

QJsonObject recordOf(const QVector<QJsonObject>& records, const char* msg)
{
    for (const QJsonObject& r : records)
        if (r.value("msg").toString() == QLatin1String(msg))
            return r;
    return QJsonObject();
}

} // namespace

// Exit codes 2, 3 and 4 with their messages and fields; every line is one JSON object with a time,
// a known level and a message; the cleaned text keeps angle brackets and brackets inside words, one
// block per line; "-" reads the Base64 from standard input.
TEST(WordExportScript, ExitCodesRecordsAndCleanedText)
{
    ASSERT_FALSE(embeddedScript().isEmpty());
    OfficeHidden hidden;
    const QString out = QDir::temp().filePath("lumadoc_script_test.doc");
    const struct
    {
        QStringList args;
        QByteArray input;
        int exitCode;
        const char* lastMsg;
        const char* cleanHead; // expected "cleanHead" of "OCR text stripped"; null: no such record
    } cases[] = {
        {{"img.jpg"}, {}, 2, "arg count mismatch", nullptr},
        {{"a", "b", "c", "d"}, {}, 2, "arg count mismatch", nullptr},
        {{"img.jpg", "!!not base64!!", out}, {}, 3, "base64 decode failed", nullptr},
        {{"img.jpg", base64("\xff\xfe\xfd"), out}, {}, 3, "base64 decode failed", nullptr},
        {{"img.jpg", base64("<a<b>c(95)>(1,2,3,4)<第二行 x>y(90)>(5,6,7,8)"), out}, {}, 4,
         "LibreOffice not installed", "a<b>c\n第二行 x>y"},
        {{"img.jpg", base64("<Figure (12) shows(88.5)>(0,0,9,9)<ok(7)>(1,1,2,2)"), out}, {}, 4,
         "LibreOffice not installed", "Figure (12) shows\nok"},
        {{"img.jpg", base64("<one(90)>(1,1,2,2)\n\n\n\n<two(80)>(1,1,2,2)"), out}, {}, 4,
         "LibreOffice not installed", "one\ntwo"},
        {{"img.jpg", base64("plain line"), out}, {}, 4, "LibreOffice not installed", "plain line"},
        {{"img.jpg", "-", out}, QByteArray("<中文(99)>(0,0,5,5)").toBase64(), 4, "LibreOffice not installed", "中文"},
    };
    const QRegularExpression time(R"(^\d{4}-\d\d-\d\d \d\d:\d\d:\d\d$)");
    const QStringList levels{"INFO", "DEBUG", "WARNING", "ERROR", "SUCCESS"};
    for (const auto& c : cases) {
        const RawRun run = runRaw(c.args, c.input);
        const std::string name = c.args.join(' ').toStdString();
        EXPECT_EQ(run.exitCode, c.exitCode) << name;
        EXPECT_TRUE(run.nonJson.isEmpty()) << name;
        ASSERT_FALSE(run.records.isEmpty()) << name;
        EXPECT_EQ(run.records.first().value("msg").toString(), "wps_export started");
        for (const QJsonObject& r : run.records) {
            EXPECT_TRUE(time.match(r.value("ts").toString()).hasMatch()) << name;
            EXPECT_TRUE(levels.contains(r.value("level").toString())) << name;
            EXPECT_FALSE(r.value("msg").toString().isEmpty()) << name;
        }
        const QJsonObject last = run.records.last();
        EXPECT_EQ(last.value("level").toString(), "ERROR") << name;
        EXPECT_EQ(last.value("msg").toString(), QLatin1String(c.lastMsg)) << name;
        if (c.exitCode == 2) {
            EXPECT_EQ(last.value("expected").toInt(), 3);
            EXPECT_EQ(last.value("got").toInt(), c.args.size());
        }
        const QJsonObject stripped = recordOf(run.records, "OCR text stripped");
        if (c.cleanHead) {
            EXPECT_EQ(stripped.value("cleanHead").toString(), QString::fromUtf8(c.cleanHead)) << name;
            EXPECT_FALSE(recordOf(run.records, "input summary").isEmpty());
        } else {
            EXPECT_TRUE(stripped.isEmpty()) << name;
        }
    }
    EXPECT_FALSE(QFile::exists(out));
}

// Text whose Base64 passes Linux's 128 KiB limit for one argument reaches the script whole, through
// standard input.
TEST(WordExportScript, LongTextGoesThroughStandardInput)
{
    OfficeHidden hidden;
    QString text;
    for (int i = 0; text.size() < 120000; ++i)
        text += QStringLiteral("<第%1行 line %1(90)>(0,%1,100,%2)").arg(i).arg(i + 10);
    ASSERT_GT(text.toUtf8().toBase64().size(), kMaxArgumentBytes);
    const ScriptRun run = runExportScript(kPython, embeddedScript(), "img.jpg", text,
                                          QDir::temp().filePath("lumadoc_long.doc"), 60000);
    ASSERT_TRUE(run.started);
    EXPECT_EQ(run.exitCode, kOfficeMissing);
    const QJsonObject started = recordOf(run.records, "wps_export started");
    EXPECT_EQ(started.value("argv_tail").toArray().at(1).toString(), "-");
    EXPECT_EQ(recordOf(run.records, "OCR text stripped").value("rawLen").toInt(), text.size());
    EXPECT_EQ(run.lastError(), "LibreOffice not installed (install the Debian package libreoffice-writer-nogui)");
}

namespace {

struct FakeCase
{
    const char* name;
    const char* interpreter; // null: /usr/bin/python3
    const char* script;      // Python source; "%PIDFILE%" is replaced by a path
    int timeoutMs;
    bool ok;
    const char* reasonPart; // a piece of the error message
};

} // namespace

// Only exit code 0 with the document written counts; an older file at the output path survives every
// failure unchanged; a script that hangs is killed with everything it started; each missing piece is
// named (python3-uno and LibreOffice are not "Python missing").
TEST(WordExport, OnlyAFreshDocumentCountsAsSuccess)
{
    const FakeCase cases[] = {
        {"exit 0, no file", nullptr, "import sys\nsys.exit(0)\n", 30000, false, "without writing"},
        {"file, exit 6", nullptr,
         "import sys\nopen(sys.argv[3], 'w').write('NEW')\n"
         "print('{\"level\": \"ERROR\", \"msg\": \"LibreOffice operation failed\", \"err\": \"disk full\"}')\n"
         "sys.exit(6)\n",
         30000, false, "LibreOffice could not write the document: LibreOffice operation failed: disk full"},
        {"uno missing", nullptr,
         "import sys\nprint('{\"level\": \"ERROR\", \"msg\": \"python3-uno not installed\"}')\nsys.exit(4)\n", 30000,
         false, "python3-uno"},
        {"office missing", nullptr,
         "import sys\nprint('{\"level\": \"ERROR\", \"msg\": \"LibreOffice not installed\"}')\nsys.exit(4)\n", 30000,
         false, "LibreOffice is not installed"},
        {"no interpreter", "/nonexistent/python3", "", 30000, false, "Python 3 was not found"},
        {"hangs", nullptr,
         "import subprocess, time\np = subprocess.Popen(['sleep', '600'])\n"
         "open('%PIDFILE%', 'w').write(str(p.pid))\ntime.sleep(600)\n",
         1500, false, "did not finish"},
        {"written", nullptr, "import sys\nopen(sys.argv[3], 'w').write('NEW')\nsys.exit(0)\n", 30000, true, ""},
    };
    for (const FakeCase& c : cases) {
        QTemporaryDir dir;
        const QString scriptPath = dir.filePath("fake.py");
        const QString pidFile = dir.filePath("child.pid");
        QFile script(scriptPath);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write(QString::fromUtf8(c.script).replace("%PIDFILE%", pidFile).toUtf8());
        script.close();
        const QString output = dir.filePath("page.doc");
        QFile old(output);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("OLD");
        old.close();

        Options options;
        options.interpreter = c.interpreter ? QString::fromLatin1(c.interpreter) : kPython;
        options.scriptPath = scriptPath;
        options.timeoutMs = c.timeoutMs;
        const QString result = exportWordDocument("img.jpg", "<text(90)>(0,0,1,1)", output, options);
        EXPECT_EQ(result.startsWith("success:"), c.ok) << c.name << ": " << result.toStdString();
        EXPECT_TRUE(result.contains(QString::fromUtf8(c.reasonPart))) << c.name << ": " << result.toStdString();
        EXPECT_EQ(exporttest::readAll(output), c.ok ? QByteArray("NEW") : QByteArray("OLD")) << c.name;
        // Nothing of the export's own is left beside the document.
        EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).filter("lumadoc").size(), 0) << c.name;
        if (QFile::exists(pidFile)) {
            const pid_t child = exporttest::readAll(pidFile).toInt();
            ASSERT_GT(child, 0);
            const QByteArray stat = exporttest::readAll(QStringLiteral("/proc/%1/stat").arg(child));
            const bool alive = !stat.isEmpty() && !stat.contains(") Z ");
            EXPECT_FALSE(alive) << c.name << ": the script's own child outlived the time limit";
        }
    }
}

// Each export's picture has a name of its own.
TEST(WordExport, TemporaryPicturesNeverShareAName)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    const QString a = ocrexport::saveTemporaryImage(image);
    const QString b = ocrexport::saveTemporaryImage(image);
    ASSERT_FALSE(a.isEmpty());
    EXPECT_NE(a, b);
    EXPECT_EQ(QImage(a).size(), image.size());
    EXPECT_EQ(QImage(b).size(), image.size());
    QFile::remove(a);
    QFile::remove(b);
}
