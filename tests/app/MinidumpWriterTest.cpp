// The minidump writer, in process: /proc/self/maps parsing and module grouping on made-up maps, then a
// dump of this very test written and read back through the record layout. (The end-to-end crash tests
// read dumps with Breakpad's own tools.)

#include "MinidumpWriter.h"
#include "MinidumpFormat.h"
#include "TestSupport.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

namespace md = crash::minidump;
namespace fmt = crash::minidump::format;

namespace {

// A MappingTable over vectors, filled from maps text through a real file descriptor.
struct ParsedMaps
{
    std::vector<md::Mapping> entries;
    std::vector<char> paths;
    md::MappingTable table;
    bool ok = false;

    ParsedMaps(const std::string& text, std::size_t capacity = 4096) : entries(capacity), paths(1 << 20)
    {
        table.entries = entries.data();
        table.capacity = entries.size();
        table.paths = paths.data();
        table.pathCapacity = paths.size();
        FILE* f = std::tmpfile();
        std::fwrite(text.data(), 1, text.size(), f);
        std::fflush(f);
        const int fd = ::dup(::fileno(f));
        ::lseek(fd, 0, SEEK_SET);
        ok = md::parseMappings(fd, table);
        ::close(fd);
        std::fclose(f);
    }
    std::string path(std::size_t i) const { return table.pathOf(table.entries[i]); }
};

// As the kernel prints it, padding shortened. libc has a "---p" hole between its segments.
const char* const kSampleMaps =
    "55d0c0a00000-55d0c0a04000 r--p 00000000 08:01 1234  /opt/lumadoc/LumadocApp\n"
    "55d0c0a04000-55d0c0a10000 r-xp 00004000 08:01 1234  /opt/lumadoc/LumadocApp\n"
    "55d0c0a10000-55d0c0a14000 r--p 00010000 08:01 1234  /opt/lumadoc/LumadocApp\n"
    "55d0c0a14000-55d0c0a15000 rw-p 00013000 08:01 1234  /opt/lumadoc/LumadocApp\n"
    "55d0c1000000-55d0c1021000 rw-p 00000000 00:00 0     [heap]\n"
    "7f0000000000-7f0000100000 r--p 00000000 08:01 99    /usr/share/fonts/wqy.ttc\n"
    "7f0000200000-7f0000228000 r--p 00000000 08:01 77    /lib/libc.so.6\n"
    "7f0000228000-7f000039d000 r-xp 00028000 08:01 77    /lib/libc.so.6\n"
    "7f000039d000-7f00003f5000 r--p 0019d000 08:01 77    /lib/libc.so.6\n"
    "7f00003f5000-7f00003f6000 ---p 001f5000 08:01 77    /lib/libc.so.6\n"
    "7f00003f6000-7f00003fa000 r--p 001f5000 08:01 77    /lib/libc.so.6\n"
    "7f00003fa000-7f00003fc000 rw-p 001f9000 08:01 77    /lib/libc.so.6\n"
    "7f00003fc000-7f0000409000 rw-p 00000000 00:00 0 \n"
    "7f0000500000-7f0000501000 r-xp 00000000 08:01 55    /home/u/my plugins/libcam (deleted)\n"
    "7ffc00000000-7ffc00021000 rw-p 00000000 00:00 0     [stack]\n"
    "7ffc00100000-7ffc00102000 r-xp 00000000 00:00 0     [vdso]";

} // namespace

TEST(MinidumpMaps, ParsesRangesPermissionsAndPaths)
{
    ParsedMaps maps(kSampleMaps);
    ASSERT_TRUE(maps.ok);
    ASSERT_EQ(maps.table.count, 16u); // the last line has no newline and still counts
    const md::Mapping& text = maps.table.entries[1];
    EXPECT_EQ(text.start, 0x55d0c0a04000u);
    EXPECT_EQ(text.end, 0x55d0c0a10000u);
    EXPECT_EQ(text.offset, 0x4000u);
    EXPECT_EQ(text.flags, md::kRead | md::kExecute);
    EXPECT_EQ(maps.table.entries[3].flags, md::kRead | md::kWrite);
    EXPECT_EQ(maps.table.entries[9].flags, 0);
    EXPECT_EQ(maps.path(0), "/opt/lumadoc/LumadocApp");
    EXPECT_EQ(maps.path(13), "/home/u/my plugins/libcam (deleted)");
    // Special and anonymous mappings carry no file path.
    EXPECT_EQ(maps.path(4), "");
    EXPECT_EQ(maps.path(12), "");
    EXPECT_EQ(maps.path(14), "");
    EXPECT_EQ(maps.path(15), "");
    EXPECT_FALSE(maps.table.truncated);
}

TEST(MinidumpMaps, FindsAddressesAndReadability)
{
    ParsedMaps maps(kSampleMaps);
    ASSERT_TRUE(maps.ok);
    ASSERT_NE(maps.table.find(0x55d0c0a0ffffu), nullptr);
    EXPECT_EQ(maps.table.find(0x55d0c0a0ffffu)->start, 0x55d0c0a04000u);
    EXPECT_EQ(maps.table.find(0x55d0c0a15000u), nullptr); // gap before the heap
    EXPECT_EQ(maps.table.find(0x1000u), nullptr);
    EXPECT_EQ(maps.table.find(0x7ffc00102000u), nullptr); // end is exclusive

    // Across adjacent readable mappings: yes. Into the "---p" hole or a gap: no.
    EXPECT_TRUE(maps.table.isReadable(0x55d0c0a03f00u, 0x200));
    EXPECT_FALSE(maps.table.isReadable(0x7f00003f4f00u, 0x200));
    EXPECT_FALSE(maps.table.isReadable(0x55d0c0a14f00u, 0x200));
    EXPECT_FALSE(maps.table.isReadable(UINT64_MAX - 4, 16)); // wraps around
}

TEST(MinidumpMaps, LongMapsAreReadAcrossBufferBoundaries)
{
    std::string text;
    for (int i = 0; i < 600; ++i) {
        char line[200];
        std::snprintf(line, sizeof line, "%012x-%012x r--p 00000000 08:01 %d      /data/file_%04d.bin\n",
                      0x10000000 + i * 0x2000, 0x10000000 + i * 0x2000 + 0x1000, i, i);
        text += line;
    }
    ASSERT_GT(text.size(), 3 * 8192u);
    ParsedMaps maps(text);
    ASSERT_TRUE(maps.ok);
    ASSERT_EQ(maps.table.count, 600u);
    for (std::size_t i = 0; i < 600; ++i) {
        char expected[32];
        std::snprintf(expected, sizeof expected, "/data/file_%04zu.bin", i);
        ASSERT_EQ(maps.path(i), expected) << "line " << i;
        ASSERT_EQ(maps.table.entries[i].start, 0x10000000u + i * 0x2000u);
    }
}

TEST(MinidumpMaps, ModulesAreExecutableFilesSpanningAllTheirMappings)
{
    ParsedMaps maps(kSampleMaps);
    ASSERT_TRUE(maps.ok);
    md::ModuleRange modules[8];
    const std::size_t n = md::collectModules(maps.table, modules, 8);
    ASSERT_EQ(n, 3u); // the font is not code; [vdso] has no file
    EXPECT_EQ(std::string(maps.table.paths + modules[0].pathOffset), "/opt/lumadoc/LumadocApp");
    EXPECT_EQ(modules[0].base, 0x55d0c0a00000u);
    EXPECT_EQ(modules[0].size, 0x15000u);
    EXPECT_EQ(std::string(maps.table.paths + modules[1].pathOffset), "/lib/libc.so.6");
    EXPECT_EQ(modules[1].base, 0x7f0000200000u);
    EXPECT_EQ(modules[1].size, 0x1fc000u);
    EXPECT_EQ(std::string(maps.table.paths + modules[2].pathOffset), "/home/u/my plugins/libcam (deleted)");

    EXPECT_EQ(md::collectModules(maps.table, modules, 1), 1u);
}

// ------------------------------------------------------------------------------------------------

namespace {

std::string buildIdOfFile(const std::string& path)
{
    QProcess readelf;
    readelf.start("readelf", {"-n", QString::fromStdString(path)});
    if (!readelf.waitForFinished(30000))
        return {};
    const QRegularExpressionMatch m =
        QRegularExpression("Build ID: ([0-9a-f]+)").match(QString::fromUtf8(readelf.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toStdString() : std::string();
}

std::string ownExecutable()
{
    char buf[4096];
    const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    return n > 0 ? std::string(buf, static_cast<std::size_t>(n)) : std::string();
}

// A parsed dump: the raw bytes plus typed access to its streams.
struct Dump
{
    QByteArray bytes;

    template <class T> const T* at(std::uint32_t rva) const
    {
        if (rva + sizeof(T) > static_cast<std::uint32_t>(bytes.size()))
            return nullptr;
        return reinterpret_cast<const T*>(bytes.constData() + rva);
    }
    const fmt::Directory* stream(std::uint32_t type) const
    {
        const auto* h = at<fmt::Header>(0);
        for (std::uint32_t i = 0; h && i < h->streamCount; ++i) {
            const auto* d = at<fmt::Directory>(h->streamDirectoryRva + i * sizeof(fmt::Directory));
            if (d && d->streamType == type)
                return d;
        }
        return nullptr;
    }
    std::string string(std::uint32_t rva) const
    {
        const auto* len = at<std::uint32_t>(rva);
        if (!len)
            return {};
        const auto* units = reinterpret_cast<const char16_t*>(bytes.constData() + rva + 4);
        return QString::fromUtf16(units, static_cast<int>(*len / 2)).toStdString();
    }
};

struct Captured
{
    md::CrashContext crash;
    std::uint64_t rsp = 0;
    std::uint64_t rip = 0;
};

pid_t threadId()
{
    return static_cast<pid_t>(::syscall(SYS_gettid));
}

constexpr char kStackMarker[] = "lumadoc-stack-marker-7f3a";

// Captures this thread's registers as a signal handler would see them and writes a dump while the
// marker is still live in this frame.
__attribute__((noinline)) int writeDumpOfThisThread(const std::string& path, Captured& out)
{
    volatile char marker[sizeof kStackMarker];
    for (std::size_t i = 0; i < sizeof kStackMarker; ++i)
        marker[i] = kStackMarker[i];
    ucontext_t uc;
    ::getcontext(&uc);
    siginfo_t info{};
    info.si_signo = SIGSEGV;
    info.si_code = SEGV_MAPERR;
    info.si_addr = reinterpret_cast<void*>(0x1234);
    md::fillCrashContext(out.crash, SIGSEGV, &info, &uc, threadId());
    out.rsp = static_cast<std::uint64_t>(uc.uc_mcontext.gregs[REG_RSP]);
    out.rip = static_cast<std::uint64_t>(uc.uc_mcontext.gregs[REG_RIP]);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    const int err = md::writeMinidump(fd, out.crash);
    ::close(fd);
    return err + marker[0] - kStackMarker[0];
}

} // namespace

TEST(MinidumpContext, MemoryFaultsReportTheDataAddressOthersTheInstruction)
{
    ucontext_t uc{};
    uc.uc_mcontext.gregs[REG_RIP] = 0x401000;
    siginfo_t fault{};
    fault.si_code = SEGV_ACCERR;
    fault.si_addr = reinterpret_cast<void*>(0xdead0000);
    md::CrashContext c;
    md::fillCrashContext(c, SIGSEGV, &fault, &uc, 77);
    EXPECT_EQ(c.exceptionAddress, 0xdead0000u);
    EXPECT_EQ(c.signalCode, SEGV_ACCERR);
    EXPECT_EQ(c.threadId, 77);

    siginfo_t sent{}; // kill(pid, SIGSEGV): si_code SI_USER, si_addr means nothing
    sent.si_code = SI_USER;
    sent.si_addr = reinterpret_cast<void*>(0xdead0000);
    md::fillCrashContext(c, SIGSEGV, &sent, &uc, 77);
    EXPECT_EQ(c.exceptionAddress, 0x401000u);

    siginfo_t abortInfo{};
    abortInfo.si_code = SI_TKILL;
    md::fillCrashContext(c, SIGABRT, &abortInfo, &uc, 77);
    EXPECT_EQ(c.exceptionAddress, 0x401000u);
    EXPECT_FALSE(c.hasFloatState); // this context had no FP pointer
}

TEST(MinidumpOfThisProcess, DescribesTheCapturedThreadAndNamesThisProgramWithItsBuildId)
{
    testsupport::TempAppDir dir;
    md::prepareSystemInfo();
    const std::string path = dir.filePath("self.dmp").toStdString();
    Captured captured;
    ASSERT_EQ(writeDumpOfThisThread(path, captured), 0);
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    Dump dump{file.readAll()};

    const auto* header = dump.at<fmt::Header>(0);
    ASSERT_NE(header, nullptr);
    EXPECT_EQ(header->signature, fmt::kSignature);
    EXPECT_EQ(header->version & 0xffff, fmt::kVersion);

    const fmt::Directory* exceptionDir = dump.stream(fmt::kExceptionStream);
    ASSERT_NE(exceptionDir, nullptr);
    const auto* e = dump.at<fmt::ExceptionStream>(exceptionDir->location.rva);
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->threadId, static_cast<std::uint32_t>(threadId()));
    EXPECT_EQ(e->exceptionRecord.exceptionCode, static_cast<std::uint32_t>(SIGSEGV));
    EXPECT_EQ(e->exceptionRecord.exceptionFlags, static_cast<std::uint32_t>(SEGV_MAPERR));
    EXPECT_EQ(e->exceptionRecord.exceptionAddress, 0x1234u);
    const auto* context = dump.at<fmt::ContextAmd64>(e->threadContext.rva);
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(e->threadContext.dataSize, sizeof(fmt::ContextAmd64));
    EXPECT_EQ(context->rip, captured.rip);
    EXPECT_EQ(context->rsp, captured.rsp);
    EXPECT_EQ(context->contextFlags & fmt::kContextAmd64, fmt::kContextAmd64);
    EXPECT_TRUE(context->contextFlags & fmt::kContextFloatingPoint & ~fmt::kContextAmd64);
    EXPECT_EQ(context->mxCsr, captured.crash.floatState.mxcsr);

    const fmt::Directory* threadsDir = dump.stream(fmt::kThreadListStream);
    ASSERT_NE(threadsDir, nullptr);
    ASSERT_EQ(*dump.at<std::uint32_t>(threadsDir->location.rva), 1u);
    const auto* thread = dump.at<fmt::Thread>(threadsDir->location.rva + 4);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(thread->threadId, e->threadId);
    EXPECT_EQ(thread->threadContext.rva, e->threadContext.rva);
    // The stack memory covers the stack pointer and holds what this frame had on it.
    EXPECT_LE(thread->stack.startOfMemoryRange, captured.rsp);
    EXPECT_GT(thread->stack.startOfMemoryRange + thread->stack.memory.dataSize, captured.rsp);
    EXPECT_LE(thread->stack.memory.dataSize, 64u * 1024u);
    const QByteArray stack = dump.bytes.mid(static_cast<int>(thread->stack.memory.rva),
                                            static_cast<int>(thread->stack.memory.dataSize));
    EXPECT_TRUE(stack.contains(kStackMarker));

    // The module list names this program, spanning its code, with the build id the linker gave it.
    const fmt::Directory* modulesDir = dump.stream(fmt::kModuleListStream);
    ASSERT_NE(modulesDir, nullptr);
    const std::uint32_t count = *dump.at<std::uint32_t>(modulesDir->location.rva);
    ASSERT_GE(count, 2u);
    EXPECT_EQ(modulesDir->location.dataSize, 4 + count * sizeof(fmt::Module));
    const std::string self = ownExecutable();
    const auto codeAddress = reinterpret_cast<std::uint64_t>(&writeDumpOfThisThread);
    bool found = false;
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto* m = dump.at<fmt::Module>(modulesDir->location.rva + 4 + i * sizeof(fmt::Module));
        ASSERT_NE(m, nullptr);
        if (dump.string(m->moduleNameRva) != self)
            continue;
        found = true;
        EXPECT_LE(m->baseOfImage, codeAddress);
        EXPECT_GT(m->baseOfImage + m->sizeOfImage, codeAddress);
        const std::string expectedId = buildIdOfFile(self);
        if (expectedId.empty())
            continue; // built without a build id: nothing to compare
        ASSERT_EQ(m->cvRecord.dataSize, 4 + expectedId.size() / 2);
        EXPECT_EQ(*dump.at<std::uint32_t>(m->cvRecord.rva), fmt::kCodeViewElfSignature);
        const QByteArray id =
            dump.bytes.mid(static_cast<int>(m->cvRecord.rva + 4), static_cast<int>(m->cvRecord.dataSize - 4));
        EXPECT_EQ(id.toHex().toStdString(), expectedId);
    }
    EXPECT_TRUE(found) << "no module named " << self;
}

TEST(MinidumpWriterThread, WritesOnRequestAndReportsFailures)
{
    testsupport::TempAppDir dir;
    ASSERT_EQ(md::startWriterThread(), 0);
    ucontext_t uc;
    ::getcontext(&uc);
    md::CrashContext crash;
    md::fillCrashContext(crash, SIGABRT, nullptr, &uc, threadId());

    const std::string good = dir.filePath("requested.dmp").toStdString();
    ASSERT_EQ(md::requestDump(good.c_str(), crash, 30000), 0);
    QFile f(QString::fromStdString(good));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.read(4), QByteArray("MDMP"));

    const std::string bad = dir.filePath("no/such/dir/x.dmp").toStdString();
    EXPECT_EQ(md::requestDump(bad.c_str(), crash, 30000), ENOENT);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(bad)));
}
