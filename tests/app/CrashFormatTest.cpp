// The handler's own printf and its frame lines. The formatter is checked against glibc's snprintf,
// which is what every other boot-log line goes through, so both kinds of line read the same.

#include "CrashSymbols.h"
#include "SignalSafeFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <string>
#include <unistd.h>

#pragma GCC diagnostic ignored "-Wformat-truncation"

#define EXPECT_LIKE_PRINTF(...)                                                                              \
    do {                                                                                                     \
        char ours[512];                                                                                      \
        char libc[512];                                                                                      \
        const std::size_t n = crash::formatSafe(ours, sizeof ours, __VA_ARGS__);                             \
        const int m = std::snprintf(libc, sizeof libc, __VA_ARGS__);                                         \
        EXPECT_STREQ(ours, libc);                                                                            \
        EXPECT_EQ(n, static_cast<std::size_t>(m));                                                           \
    } while (0)

TEST(CrashFormat, DecimalsMatchPrintf)
{
    EXPECT_LIKE_PRINTF("%d|%d|%d", 0, -5, 42);
    EXPECT_LIKE_PRINTF("%d", INT_MIN);
    EXPECT_LIKE_PRINTF("%d", INT_MAX);
    EXPECT_LIKE_PRINTF("%04d-%02d-%02d", 2026, 3, 7);
    EXPECT_LIKE_PRINTF("%04d", 123456); // wider than the field: never cut
    EXPECT_LIKE_PRINTF("%05d", -42);    // zeros go after the sign
    EXPECT_LIKE_PRINTF("%5d|%-5d|", -42, 42);
    EXPECT_LIKE_PRINTF("%u|%02u|%lu", 4000000000u, 7u, ULONG_MAX);
    EXPECT_LIKE_PRINTF("%lld|%llu", LLONG_MIN, ULLONG_MAX);
    EXPECT_LIKE_PRINTF("%zu|%hhu|%hd", static_cast<std::size_t>(12345), 300, 70000);
}

TEST(CrashFormat, HexAndPointersMatchPrintf)
{
    EXPECT_LIKE_PRINTF("0x%08lX", 11ul);
    EXPECT_LIKE_PRINTF("0x%08lX", ULONG_MAX);
    EXPECT_LIKE_PRINTF("+0x%08llX|0x%llX|%x", 0x4dceull, 0xabcdef0123ull, 0xbeefu);
    EXPECT_LIKE_PRINTF("%p", static_cast<void*>(nullptr));
    EXPECT_LIKE_PRINTF("%p", reinterpret_cast<void*>(0x100));
    EXPECT_LIKE_PRINTF("%p", reinterpret_cast<void*>(UINTPTR_MAX));
    EXPECT_LIKE_PRINTF("[%18p]", reinterpret_cast<void*>(0x7ffd1234));
}

TEST(CrashFormat, StringsCharsAndPercentMatchPrintf)
{
    EXPECT_LIKE_PRINTF("[%-26s]", "crashprobe");
    EXPECT_LIKE_PRINTF("[%-26s]", "libQt5WidgetsVeryLongModuleName.so.5.15.8");
    EXPECT_LIKE_PRINTF("[%26s]", "right");
    EXPECT_LIKE_PRINTF("%c%c|100%%", 'o', 'k');
    EXPECT_LIKE_PRINTF("模块=%s ≈ %s", "/usr/lib/libc.so.6", "write");
}

TEST(CrashFormat, CrashLinesMatchPrintf)
{
    EXPECT_LIKE_PRINTF("[%04d-%02d-%02d %02d:%02d:%02d] CRASH code=0x%08lX addr=%p module=%s rva=0x%08llX\n",
                       2026, 12, 7, 6, 5, 4, 11ul, reinterpret_cast<void*>(0x55b48f8ebdce),
                       "/opt/lumadoc/LumadocApp", 0x4dceull);
    EXPECT_LIKE_PRINTF("[BOOT]   %s %-26s +0x%08llX  ≈ %s+0x%llX\n", "#03", "libc.so.6", 0x2724aull,
                       "__libc_start_main", 0x85ull);
}

TEST(CrashFormat, TruncatesAtCapacityAndAlwaysTerminates)
{
    char buf[10];
    std::memset(buf, 'x', sizeof buf);
    EXPECT_EQ(crash::formatSafe(buf, sizeof buf, "%s-%d", "abcdefgh", 12345), 9u);
    EXPECT_STREQ(buf, "abcdefgh-");

    char untouched[4] = {'a', 'b', 'c', 'd'};
    EXPECT_EQ(crash::formatSafe(untouched, 0, "%s", "zzz"), 0u);
    EXPECT_EQ(std::string(untouched, 4), "abcd");
}

// ------------------------------------------------------------------------------------------------

namespace {

// The start of libc's first mapping, read from /proc/self/maps: the base dladdr() reports for it.
std::uintptr_t libcBaseFromMaps()
{
    std::ifstream maps("/proc/self/maps");
    std::string line;
    while (std::getline(maps, line)) {
        if (line.find("/libc.so.6") == std::string::npos)
            continue;
        return static_cast<std::uintptr_t>(std::stoull(line.substr(0, line.find('-')), nullptr, 16));
    }
    return 0;
}

std::string frameLine(const char* tag, std::uintptr_t address)
{
    char buf[1024];
    const std::size_t n = crash::formatFrameLine(buf, sizeof buf, tag, address);
    EXPECT_EQ(n, std::strlen(buf));
    return buf;
}

// Not exported (the test program is linked without -rdynamic), so dladdr knows its module only.
__attribute__((noinline)) int unexportedFunction(int x)
{
    return x * 3 + 1;
}

std::string ownExecutable()
{
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

} // namespace

TEST(CrashFrameLine, AddressInSharedLibraryNamesModuleOffsetAndSymbol)
{
    const std::uintptr_t base = libcBaseFromMaps();
    ASSERT_NE(base, 0u);
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(&::write) + 4;
    char expectedHead[128];
    std::snprintf(expectedHead, sizeof expectedHead, "[BOOT]   #07 %-26s +0x%08llX  ≈ ", "libc.so.6",
                  static_cast<unsigned long long>(address - base));
    const std::string line = frameLine("#07", address);
    EXPECT_EQ(line.rfind(expectedHead, 0), 0u) << line;
    // Whichever alias of write() dladdr picks, the address is 4 bytes past it.
    EXPECT_EQ(line.substr(line.size() - 5), "+0x4\n") << line;
}

TEST(CrashFrameLine, AddressWithoutDynamicSymbolGivesModuleAndOffsetOnly)
{
    const std::string line = frameLine("H01", reinterpret_cast<std::uintptr_t>(&unexportedFunction));
    const std::string head = "[BOOT]   H01 " + std::string(crash::fileNameOf(ownExecutable().c_str()));
    EXPECT_EQ(line.rfind(head, 0), 0u) << line;
    EXPECT_EQ(line.find("≈"), std::string::npos) << line;
    EXPECT_EQ(line.back(), '\n');
}

TEST(CrashFrameLine, AddressInNoModuleSaysSo)
{
    EXPECT_EQ(frameLine("FAIL", 0x100), "[BOOT]   FAIL 0x100 (不属于任何模块)\n");
}

TEST(CrashFrameLine, AddressZeroGivesNoLine)
{
    EXPECT_EQ(frameLine("#05", 0), "");
}

TEST(CrashFrameLine, MainProgramIsReportedByItsAbsolutePath)
{
    crash::setMainProgramPath("/opt/lumadoc/LumadocApp");
    crash::AddressInfo info;
    const bool found = crash::lookupAddress(reinterpret_cast<std::uintptr_t>(&unexportedFunction), info);
    const std::string reported = found && info.modulePath ? info.modulePath : "";
    crash::setMainProgramPath(ownExecutable().c_str());
    EXPECT_TRUE(found);
    EXPECT_EQ(reported, "/opt/lumadoc/LumadocApp");

    // A library keeps its own path.
    ASSERT_TRUE(crash::lookupAddress(reinterpret_cast<std::uintptr_t>(&::write), info));
    EXPECT_NE(std::string(info.modulePath).find("libc.so.6"), std::string::npos);
    EXPECT_STREQ(crash::fileNameOf(info.modulePath), "libc.so.6");
}
