#pragma once
// The report file: the first writable of the program's "logs" folder, the per-user state folder and the
// temp folder; "Launchscope_<yyyyMMdd_hhmmss>.txt"; each line "[hh:mm:ss] " + text + "\n" in UTF-8.

#include <cstdio>
#include <string>
#include <vector>

namespace launchscope {

// Creates `path` with all missing parents; true when it is a directory afterwards.
bool makeDirectories(const std::string& path);
// True when a fresh file can be created exclusively in `dir` (the probe is removed again).
bool passesWriteTest(const std::string& dir);

// Where the report may go, in order: `appDir`/logs (only in the build tree), the state folder's
// Lumadoc/logs, the temp folder. The first two are created when missing; the temp folder never is.
struct ReportFolder
{
    std::string path;
    bool create;
};
std::vector<ReportFolder> reportFolders(const std::string& appDir);

class Report
{
public:
    Report() = default;
    ~Report();
    Report(const Report&) = delete;
    Report& operator=(const Report&) = delete;

    // Opens the report in the first usable folder. Without one, lines go to standard output instead,
    // so a run on a machine with no writable folder still leaves its findings somewhere.
    bool open(const std::vector<ReportFolder>& folders);
    bool hasFile() const { return m_file != nullptr; }
    const std::string& path() const { return m_path; }

    // printf-style; the time prefix is added; the text is cut to 2047 bytes on a character boundary.
    void line(const char* fmt, ...) __attribute__((format(printf, 2, 3)));
    // A text as it is (it may hold '%'), with the time prefix.
    void raw(const std::string& text);
    void close();

private:
    std::FILE* m_file = nullptr;
    std::string m_path;
};

// The longest prefix of `text` of at most `maxBytes` bytes that ends on a UTF-8 character boundary.
std::string cutUtf8(const std::string& text, std::size_t maxBytes);
// `bytes` with every invalid or incomplete UTF-8 sequence replaced by U+FFFD.
std::string sanitizeUtf8(const std::string& bytes);

} // namespace launchscope
