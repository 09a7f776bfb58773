#include "Report.h"
#include "Places.h"

#include <cerrno>
#include <cstdarg>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace launchscope {

namespace {

bool isDirectory(const std::string& path)
{
    struct stat st
    {
    };
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool isContinuation(unsigned char c)
{
    return (c & 0xC0) == 0x80;
}

// Length of the valid UTF-8 sequence at text[i], or 0 when it is invalid or cut off.
std::size_t sequenceLength(const std::string& text, std::size_t i)
{
    const unsigned char c = static_cast<unsigned char>(text[i]);
    std::size_t len = 0;
    unsigned minimum = 0;
    unsigned cp = 0;
    if (c < 0x80)
        return 1;
    if ((c & 0xE0) == 0xC0) {
        len = 2, cp = c & 0x1F, minimum = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        len = 3, cp = c & 0x0F, minimum = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        len = 4, cp = c & 0x07, minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + len > text.size())
        return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char d = static_cast<unsigned char>(text[i + k]);
        if (!isContinuation(d))
            return 0;
        cp = cp << 6 | (d & 0x3F);
    }
    if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
        return 0;
    return len;
}

} // namespace

std::string cutUtf8(const std::string& text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    std::size_t end = maxBytes;
    while (end > 0 && isContinuation(static_cast<unsigned char>(text[end])))
        --end;
    return text.substr(0, end);
}

std::string sanitizeUtf8(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        const std::size_t len = sequenceLength(bytes, i);
        if (len == 0) {
            out += "\xEF\xBF\xBD";
            ++i;
        } else {
            out.append(bytes, i, len);
            i += len;
        }
    }
    return out;
}

bool makeDirectories(const std::string& path)
{
    if (path.empty())
        return false;
    if (isDirectory(path))
        return true;
    for (std::size_t pos = 1; pos <= path.size(); ++pos) {
        if (pos != path.size() && path[pos] != '/')
            continue;
        if (::mkdir(path.substr(0, pos).c_str(), 0755) != 0 && errno != EEXIST)
            return false;
    }
    return isDirectory(path);
}

bool passesWriteTest(const std::string& dir)
{
    // A random part next to the pid: a probe left by a killed run with the same pid must not fail the test.
    std::string name = dir + "/.ls_wtest_" + std::to_string(::getpid()) + "_XXXXXX.tmp";
    const int fd = ::mkostemps(&name[0], 4, O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool wrote = ::write(fd, "x", 1) == 1;
    ::close(fd);
    ::unlink(name.c_str());
    return wrote;
}

std::vector<ReportFolder> reportFolders(const std::string& appDir)
{
    const LogPlaces places = logPlaces(appDir);
    std::vector<ReportFolder> folders;
    // Like the application, an installed copy never writes into its prefix, even when run as root.
    if (isBuildTree(appDir))
        folders.push_back({places.appLogs, true});
    folders.push_back({places.stateLogs, true});
    folders.push_back({places.temp, false});
    return folders;
}

Report::~Report()
{
    close();
}

bool Report::open(const std::vector<ReportFolder>& folders)
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    ::localtime_r(&now, &t);
    for (const ReportFolder& folder : folders) {
        if (folder.path.empty())
            continue;
        if (folder.create ? !makeDirectories(folder.path) : !isDirectory(folder.path))
            continue;
        if (!passesWriteTest(folder.path))
            continue;
        char name[64];
        std::snprintf(name, sizeof name, "/Launchscope_%04d%02d%02d_%02d%02d%02d.txt", t.tm_year + 1900,
                      t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
        const std::string path = folder.path + name;
        // A second run within the same second replaces the first report, as a new one should. The name
        // is predictable and the temp folder shared: a planted symlink must not make a run as root
        // overwrite the file it points to.
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
        if (fd < 0)
            continue;
        m_file = ::fdopen(fd, "w");
        if (!m_file)
            ::close(fd);
        if (m_file) {
            m_path = path;
            return true;
        }
    }
    return false;
}

void Report::line(const char* fmt, ...)
{
    char text[4096];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    raw(n > 0 ? std::string(text, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof text - 1))
              : std::string());
}

void Report::raw(const std::string& text)
{
    const std::time_t now = std::time(nullptr);
    std::tm t{};
    ::localtime_r(&now, &t);
    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "[%02d:%02d:%02d] ", t.tm_hour, t.tm_min, t.tm_sec);
    const std::string whole = cutUtf8(prefix + text, 2047) + "\n";
    std::FILE* out = m_file ? m_file : stdout;
    std::fwrite(whole.data(), 1, whole.size(), out);
    std::fflush(out);
}

void Report::close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
}

} // namespace launchscope
