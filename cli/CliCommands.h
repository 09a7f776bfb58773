#pragma once
// The commands of lumadoc-cli. Each takes its own arguments (after the command word), writes its
// result to `out` and one line to `err` when something is wrong, and returns the exit code.
#include <QImage>
#include <QStringList>
#include <QTextStream>

#include <optional>

namespace cli {

enum ExitCode : int {
    kSuccess = 0,
    kNothingFound = 1,
    kBadInput = 2,        // bad usage, or an input that cannot be read
    kOperationFailed = 3, // a model missing, a write that failed
};

struct Streams
{
    QTextStream& out;
    QTextStream& err;
};

// IMAGE turned the way its EXIF data says (phone pictures), as a person sees it; none (after one line
// on stderr) when it cannot be read.
std::optional<QImage> readInput(const QString& path, Streams io);

// "lumadoc-cli: <message> (see --help)" on stderr; returns kBadInput.
int usageError(Streams io, const QString& message);

// The libraries log every step for the application's log; while one of these lives, the command's one
// line on stderr says what went wrong and the rest is heard only with LUMADOC_CLI_VERBOSE set.
class QuietLogs
{
public:
    QuietLogs();
    ~QuietLogs();
    QuietLogs(const QuietLogs&) = delete;
    QuietLogs& operator=(const QuietLogs&) = delete;

private:
    QtMessageHandler m_previous = nullptr;
    bool m_installed = false;
};

int runDetect(const QStringList& args, Streams io);
int runCrop(const QStringList& args, Streams io);
int runOrient(const QStringList& args, Streams io);
int runClean(const QStringList& args, Streams io);
int runIdPhoto(const QStringList& args, Streams io);
int runWatermark(const QStringList& args, Streams io);

// Dispatches on the first argument; prints the overview for --help or no command.
int run(const QStringList& args, Streams io);

} // namespace cli
