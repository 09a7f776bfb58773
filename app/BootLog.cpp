#include "BootLog.h"
#include "BootDirectory.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>
#include <fcntl.h>
#include <sys/time.h>
#include <unistd.h>

namespace bootlog {

namespace {

// Fixed buffers: the crash handler reads these, so they must never move or be freed.
char g_directory[1024];
char g_filePath[1100];
int g_fd = -1;
long g_utcOffsetSec = 0;
bool g_opened = false;

void writeAll(int fd, const char* data, std::size_t len)
{
    while (len > 0) {
        const ssize_t n = ::write(fd, data, len);
        if (n <= 0)
            return;
        data += n;
        len -= static_cast<std::size_t>(n);
    }
}

// Civil date from days since 1970-01-01 (Howard Hinnant's algorithm); pure arithmetic, so handler-safe.
void civilFromDays(long days, int& year, int& month, int& day)
{
    days += 719468;
    const long era = (days >= 0 ? days : days - 146096) / 146097;
    const long doe = days - era * 146097;
    const long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::size_t formatPrefix(char* out)
{
    const LocalTime t = localTimeSignalSafe();
    const int parts[4] = {t.hour, t.minute, t.second, t.millisecond};
    std::size_t n = 0;
    out[n++] = '[';
    for (int i = 0; i < 4; ++i) {
        const int width = i == 3 ? 3 : 2;
        int value = parts[i];
        for (int d = width - 1; d >= 0; --d) {
            out[n + d] = static_cast<char>('0' + value % 10);
            value /= 10;
        }
        n += width;
        out[n++] = i < 2 ? ':' : (i == 2 ? '.' : ']');
    }
    out[n++] = ' ';
    return n;
}

void writeLine(const char* text, std::size_t len)
{
    writeAll(STDERR_FILENO, text, len);
    if (g_fd >= 0) {
        char prefix[32];
        const std::size_t n = formatPrefix(prefix);
        // One write per line keeps lines whole when the crash handler interleaves with start-up.
        char line[4096 + 32];
        if (len + n <= sizeof line) {
            std::memcpy(line, prefix, n);
            std::memcpy(line + n, text, len);
            writeAll(g_fd, line, len + n);
        } else {
            writeAll(g_fd, prefix, n);
            writeAll(g_fd, text, len);
        }
    }
}

} // namespace

LocalTime localTimeSignalSafe()
{
    struct timespec ts {};
    ::clock_gettime(CLOCK_REALTIME, &ts);
    const long long local = static_cast<long long>(ts.tv_sec) + g_utcOffsetSec;
    long days = static_cast<long>(local / 86400);
    long secs = static_cast<long>(local % 86400);
    if (secs < 0) {
        secs += 86400;
        --days;
    }
    LocalTime t{};
    civilFromDays(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    t.millisecond = static_cast<int>(ts.tv_nsec / 1000000);
    return t;
}

void open(const char* exeDir)
{
    if (g_opened)
        return;
    g_opened = true;

    ::tzset();
    const time_t now = ::time(nullptr);
    struct tm local {};
    ::localtime_r(&now, &local);
    g_utcOffsetSec = local.tm_gmtoff;

    const std::string dir = chooseDirectory(candidateDirectories(exeDir ? exeDir : ""));
    if (dir.empty() || dir.size() >= sizeof g_directory)
        return;
    char path[sizeof g_filePath];
    std::snprintf(path, sizeof path, "%s/boot_%04d-%02d-%02d.log", dir.c_str(), local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday);
    g_fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (g_fd < 0)
        return; // the flag files depend on the directory, so without the file both stay off
    std::snprintf(g_directory, sizeof g_directory, "%s", dir.c_str());
    std::snprintf(g_filePath, sizeof g_filePath, "%s", path);
}

void log(const char* fmt, ...)
{
    char text[4096];
    va_list args;
    va_start(args, fmt);
    const int n = std::vsnprintf(text, sizeof text, fmt, args);
    va_end(args);
    if (n <= 0)
        return;
    writeLine(text, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof text - 1));
}

void console(const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    std::vfprintf(stderr, fmt, args);
    va_end(args);
    std::fflush(stderr);
}

void writeSignalSafe(const char* text, std::size_t len)
{
    writeLine(text, len);
}

void sync()
{
    if (g_fd >= 0)
        ::fsync(g_fd);
}

const char* directory()
{
    return g_directory;
}

const char* filePath()
{
    return g_filePath;
}

void resetForTesting()
{
    if (g_fd >= 0)
        ::close(g_fd);
    g_fd = -1;
    g_directory[0] = '\0';
    g_filePath[0] = '\0';
    g_opened = false;
}

} // namespace bootlog
