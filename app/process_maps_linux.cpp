// /proc/self/maps, read into fixed tables without allocating.

#include "MinidumpWriter.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace crash::minidump {

const Mapping* MappingTable::find(std::uint64_t address) const
{
    // Sorted by address, as the kernel prints them.
    std::size_t lo = 0, hi = count;
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (entries[mid].end <= address)
            lo = mid + 1;
        else
            hi = mid;
    }
    if (lo < count && entries[lo].start <= address && address < entries[lo].end)
        return &entries[lo];
    return nullptr;
}

bool MappingTable::isReadable(std::uint64_t address, std::uint64_t length) const
{
    if (length == 0)
        return true;
    if (address + length < address)
        return false;
    std::uint64_t at = address;
    const std::uint64_t end = address + length;
    while (at < end) {
        const Mapping* m = find(at);
        if (!m || !(m->flags & kRead))
            return false;
        at = m->end;
    }
    return true;
}

namespace {

bool parseHex(const char*& p, const char* end, std::uint64_t& value)
{
    value = 0;
    const char* start = p;
    while (p < end) {
        const char c = *p;
        unsigned digit;
        if (c >= '0' && c <= '9')
            digit = static_cast<unsigned>(c - '0');
        else if (c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F')
            digit = static_cast<unsigned>(c - 'A' + 10);
        else
            break;
        value = value * 16 + digit;
        ++p;
    }
    return p != start;
}

bool expect(const char*& p, const char* end, char c)
{
    if (p >= end || *p != c)
        return false;
    ++p;
    return true;
}

void skipField(const char*& p, const char* end)
{
    while (p < end && *p != ' ')
        ++p;
    while (p < end && *p == ' ')
        ++p;
}

// "start-end perms offset dev inode   path"
void parseMapsLine(const char* line, std::size_t len, MappingTable& table)
{
    const char* p = line;
    const char* end = line + len;
    Mapping m;
    std::uint64_t offset = 0;
    if (!parseHex(p, end, m.start) || !expect(p, end, '-') || !parseHex(p, end, m.end) ||
        !expect(p, end, ' '))
        return;
    if (end - p < 5)
        return;
    if (p[0] == 'r')
        m.flags |= kRead;
    if (p[1] == 'w')
        m.flags |= kWrite;
    if (p[2] == 'x')
        m.flags |= kExecute;
    p += 4;
    if (!expect(p, end, ' ') || !parseHex(p, end, offset) || !expect(p, end, ' '))
        return;
    m.offset = offset;
    skipField(p, end); // device
    skipField(p, end); // inode, then the padding before the path
    while (end > p && (end[-1] == ' ' || end[-1] == '\r'))
        --end;

    if (table.count >= table.capacity) {
        table.truncated = true;
        return;
    }
    const std::size_t pathLen = static_cast<std::size_t>(end - p);
    // Only real files name modules; "[stack]", "[vdso]" and anonymous memory keep no path.
    if (pathLen > 0 && *p == '/' && pathLen < 0xffff) {
        const Mapping* prev = table.count ? &table.entries[table.count - 1] : nullptr;
        if (prev && prev->pathLength == pathLen &&
            std::memcmp(table.paths + prev->pathOffset, p, pathLen) == 0) {
            m.pathOffset = prev->pathOffset; // consecutive mappings of one file share its path
            m.pathLength = prev->pathLength;
        } else if (table.pathUsed + pathLen + 1 <= table.pathCapacity) {
            m.pathOffset = static_cast<std::uint32_t>(table.pathUsed);
            m.pathLength = static_cast<std::uint16_t>(pathLen);
            std::memcpy(table.paths + table.pathUsed, p, pathLen);
            table.paths[table.pathUsed + pathLen] = '\0';
            table.pathUsed += pathLen + 1;
        }
    }
    table.entries[table.count++] = m;
}

} // namespace

bool parseMappings(int fd, MappingTable& table)
{
    table.count = 0;
    table.pathUsed = 0;
    table.truncated = false;
    char buf[8192];
    std::size_t have = 0;
    bool eof = false;
    bool discarding = false; // inside a line longer than the buffer
    for (;;) {
        char* nl = static_cast<char*>(std::memchr(buf, '\n', have));
        if (!nl) {
            if (eof) {
                if (have && !discarding)
                    parseMapsLine(buf, have, table);
                return true;
            }
            if (have == sizeof buf) {
                have = 0;
                discarding = true;
            }
            const ssize_t n = ::read(fd, buf + have, sizeof buf - have);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                return false;
            }
            if (n == 0)
                eof = true;
            have += static_cast<std::size_t>(n);
            continue;
        }
        const std::size_t lineLen = static_cast<std::size_t>(nl - buf);
        if (!discarding)
            parseMapsLine(buf, lineLen, table);
        discarding = false;
        const std::size_t used = lineLen + 1;
        std::memmove(buf, buf + used, have - used);
        have -= used;
    }
}

std::size_t collectModules(const MappingTable& table, ModuleRange* out, std::size_t capacity)
{
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < table.count && n < capacity) {
        const Mapping& first = table.entries[i];
        if (first.pathLength == 0) {
            ++i;
            continue;
        }
        std::size_t j = i;
        bool executable = false;
        std::uint64_t end = first.end;
        while (j < table.count && table.entries[j].pathLength == first.pathLength &&
               table.entries[j].pathOffset == first.pathOffset && table.entries[j].start <= end) {
            executable = executable || (table.entries[j].flags & kExecute);
            end = table.entries[j].end;
            ++j;
        }
        if (executable) {
            out[n].base = first.start;
            out[n].size = end - first.start;
            out[n].pathOffset = first.pathOffset;
            ++n;
        }
        i = j;
    }
    return n;
}

} // namespace crash::minidump
