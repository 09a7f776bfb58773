#include "LogTail.h"
#include "Report.h"

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace launchscope {

namespace {

long long modifiedNs(const struct stat& st)
{
    return static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
}

// "boot_" + yyyy-mm-dd + ".log": the application's name for a day's boot log. Matching the date too keeps
// strangers' files in a shared temp folder out.
bool isBootLogName(const std::string& name)
{
    static const char pattern[] = "boot_dddd-dd-dd.log";
    if (name.size() != sizeof pattern - 1)
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const bool digit = name[i] >= '0' && name[i] <= '9';
        if (pattern[i] == 'd' ? !digit : name[i] != pattern[i])
            return false;
    }
    return true;
}

} // namespace

std::vector<FoundLog> bootLogsNewestFirst(const std::vector<std::string>& folders)
{
    std::vector<std::string> paths;
    for (const std::string& folder : folders) {
        DIR* dir = ::opendir(folder.c_str());
        if (!dir)
            continue;
        std::vector<std::string> names;
        while (const dirent* entry = ::readdir(dir)) {
            if (isBootLogName(entry->d_name))
                names.push_back(entry->d_name);
        }
        ::closedir(dir);
        std::sort(names.begin(), names.end());
        for (const std::string& name : names)
            paths.push_back(folder + "/" + name);
    }
    return filesNewestFirst(paths);
}

std::vector<FoundLog> filesNewestFirst(const std::vector<std::string>& paths)
{
    std::vector<FoundLog> found;
    for (const std::string& path : paths) {
        struct stat st
        {
        };
        if (::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0)
            found.push_back({path, modifiedNs(st)});
    }
    std::stable_sort(found.begin(), found.end(),
                     [](const FoundLog& a, const FoundLog& b) { return a.modifiedNs > b.modifiedNs; });
    return found;
}

std::string readTail(const std::string& path, std::size_t maxBytes, bool& ok)
{
    ok = false;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        ::close(fd);
        return {};
    }
    const std::size_t size = static_cast<std::size_t>(st.st_size);
    const std::size_t start = size > maxBytes ? size - maxBytes : 0;
    std::string bytes(size - start, '\0');
    std::size_t got = 0;
    while (got < bytes.size()) {
        const ssize_t n = ::pread(fd, &bytes[got], bytes.size() - got, static_cast<off_t>(start + got));
        if (n < 0) {
            ::close(fd);
            return {};
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    ok = true;

    std::size_t begin = 0;
    if (start > 0) {
        // The window may open inside a character: its remaining continuation bytes are no text.
        while (begin < bytes.size() && begin < 3 && (static_cast<unsigned char>(bytes[begin]) & 0xC0) == 0x80)
            ++begin;
    }
    std::size_t end = bytes.size();
    // A line being appended right now may end inside a character; leave that character out.
    for (std::size_t back = 1; back <= 3 && back <= end - begin; ++back) {
        const unsigned char c = static_cast<unsigned char>(bytes[end - back]);
        if ((c & 0xC0) == 0x80)
            continue;
        const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (need > back)
            end -= back;
        break;
    }
    return sanitizeUtf8(bytes.substr(begin, end - begin));
}

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t nl = text.find('\n', start);
        if (nl == std::string::npos)
            nl = text.size();
        std::string line = text.substr(start, nl - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty())
            lines.push_back(line);
        start = nl + 1;
    }
    return lines;
}

} // namespace launchscope
