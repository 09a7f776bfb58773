#pragma once
// The Word document of recognised text: the embedded export script (":/python/wps_export.py") run by
// Debian's Python, which drives a private headless LibreOffice through python3-uno. The script reports
// as JSON lines and exit codes; the program trusts only exit code 0 with the file in place.

#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace wordexport {

// The script's exit codes.
enum ScriptExit : int
{
    kWritten = 0,
    kArgumentCount = 2,
    kTextUndecodable = 3,
    kOfficeMissing = 4, // python3-uno or LibreOffice missing, or LibreOffice would not start
    kFileMissing = 5,
    kOfficeFailed = 6,
};

// Linux refuses a single argument of 128 KiB or more; longer Base64 text goes through standard input.
constexpr int kMaxArgumentBytes = 128 * 1024 - 1;
// LibreOffice's first start with a fresh profile takes most of an export; a hung office is killed then.
constexpr int kDefaultTimeoutMs = 180000;
constexpr int kStartTimeoutMs = 10000;

struct Options
{
    QString interpreter = QStringLiteral("/usr/bin/python3");
    QString scriptPath; // empty: the embedded script, extracted to the temporary folder
    int timeoutMs = kDefaultTimeoutMs;
};

// One run of the script.
struct ScriptRun
{
    bool started = false;
    bool timedOut = false; // ran past the limit; it and everything it started were killed
    bool crashed = false;
    int exitCode = -1;
    QString startError;
    QVector<QJsonObject> records; // the JSON lines of its standard output, in order
    QStringList otherLines;       // output lines that were not JSON objects
    QString standardError;

    // The last "ERROR" record's "msg" (with "err" and "hint" when present); empty when there is none.
    QString lastError() const;
};

// Writes the embedded script to the temporary folder (atomically, so a concurrent export never reads a
// half-written copy); the path, or empty when the resource is missing or the write failed.
QString extractEmbeddedScript();

// Runs `interpreter script imagePath <text as Base64> outputPath`; the Base64 goes as "-" plus standard
// input when it is too long for one argument. Kills the script's whole process group after `timeoutMs`.
ScriptRun runExportScript(const QString& interpreter, const QString& scriptPath, const QString& imagePath,
                          const QString& text, const QString& outputPath, int timeoutMs);

// The whole export of `text` (the engine's chained block text or plain lines) to `outputPath` (".doc" is
// Word 97-2003, ".docx" Office Open XML). The document is written under a temporary name beside the
// target and renamed over it only on success, so an older file never passes for this export's result.
// Returns "success:" + path or "error:" + a message for the user.
QString exportWordDocument(const QString& imagePath, const QString& text, const QString& outputPath,
                           const Options& options = Options());

} // namespace wordexport
