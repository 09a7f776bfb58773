#include "MinidumpFormat.h"
#include "MinidumpWriter.h"
#include "SignalSafeFormat.h"

#include <cerrno>
#include <cpuid.h>
#include <cstring>
#include <ctime>
#include <elf.h>
#include <fcntl.h>
#include <sys/utsname.h>
#include <unistd.h>

namespace crash::minidump {

namespace fmt = format;

// ------------------------------------------------------------------------------------------------
// System facts, gathered before anything can go wrong.

namespace {

struct SystemFacts
{
    std::uint8_t processorCount = 0;
    std::uint16_t processorLevel = 0;
    std::uint16_t processorRevision = 0;
    std::uint32_t vendor[3] = {};
    std::uint32_t versionInformation = 0;
    std::uint32_t featureInformation = 0;
    std::uint32_t amdExtendedFeatures = 0;
    std::uint32_t kernelMajor = 0, kernelMinor = 0, kernelPatch = 0;
    char osText[512] = {};
};

SystemFacts g_system;

// "6.1.0-18-amd64" -> 6, 1, 0
void parseKernelRelease(const char* release, std::uint32_t* parts)
{
    const char* p = release;
    for (int i = 0; i < 3; ++i) {
        std::uint32_t v = 0;
        while (*p >= '0' && *p <= '9')
            v = v * 10 + static_cast<std::uint32_t>(*p++ - '0');
        parts[i] = v;
        if (*p != '.')
            break;
        ++p;
    }
}

} // namespace

void prepareSystemInfo()
{
    const long cpus = ::sysconf(_SC_NPROCESSORS_ONLN);
    g_system.processorCount = static_cast<std::uint8_t>(cpus < 1 ? 1 : (cpus > 255 ? 255 : cpus));

    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    if (__get_cpuid(0, &eax, &ebx, &ecx, &edx)) {
        // Vendor string order is EBX, EDX, ECX ("Genu" "ineI" "ntel").
        g_system.vendor[0] = ebx;
        g_system.vendor[1] = edx;
        g_system.vendor[2] = ecx;
    }
    if (__get_cpuid(1, &eax, &ebx, &ecx, &edx)) {
        g_system.versionInformation = eax;
        g_system.featureInformation = edx;
        unsigned family = (eax >> 8) & 0xf;
        unsigned model = (eax >> 4) & 0xf;
        if (family == 0xf)
            family += (eax >> 20) & 0xff;
        if (family == 0x6 || family >= 0xf)
            model |= ((eax >> 16) & 0xf) << 4;
        g_system.processorLevel = static_cast<std::uint16_t>(family);
        g_system.processorRevision = static_cast<std::uint16_t>((model << 8) | (eax & 0xf));
    }
    if (__get_cpuid(0x80000001, &eax, &ebx, &ecx, &edx))
        g_system.amdExtendedFeatures = edx;

    utsname uts{};
    if (::uname(&uts) == 0) {
        std::uint32_t parts[3] = {};
        parseKernelRelease(uts.release, parts);
        g_system.kernelMajor = parts[0];
        g_system.kernelMinor = parts[1];
        g_system.kernelPatch = parts[2];
        // Same text the Linux dump writers put here: "uname -srvm".
        formatSafe(g_system.osText, sizeof g_system.osText, "%s %s %s %s", uts.sysname, uts.release,
                   uts.version, uts.machine);
    } else {
        formatSafe(g_system.osText, sizeof g_system.osText, "Linux");
    }
}

void fillCrashContext(CrashContext& out, int signal, const siginfo_t* info, const ucontext_t* context,
                      pid_t threadId)
{
    out.threadId = threadId;
    out.signal = signal;
    out.signalCode = info ? info->si_code : 0;
    out.hasFloatState = false;
    if (context) {
        std::memcpy(&out.context, context, sizeof out.context);
        // The pointer leads into the signal frame; keep a copy and do not follow the pointer later.
        out.context.uc_mcontext.fpregs = nullptr;
        if (context->uc_mcontext.fpregs) {
            std::memcpy(&out.floatState, context->uc_mcontext.fpregs, sizeof out.floatState);
            out.hasFloatState = true;
        }
    } else {
        std::memset(&out.context, 0, sizeof out.context);
    }
    const std::uint64_t ip = static_cast<std::uint64_t>(out.context.uc_mcontext.gregs[REG_RIP]);
    // si_code > 0 means the kernel raised it for a real fault; kill() and raise() leave si_addr meaningless.
    const bool memoryFault = info && info->si_code > 0 && (signal == SIGSEGV || signal == SIGBUS);
    out.exceptionAddress = memoryFault ? reinterpret_cast<std::uint64_t>(info->si_addr) : ip;
}

// ------------------------------------------------------------------------------------------------
// The dump itself

namespace {

constexpr std::size_t kMaxMappings = 16384;
constexpr std::size_t kPathBytes = std::size_t{2} * 1024 * 1024;
constexpr std::size_t kMaxModules = 2048;
constexpr std::uint64_t kMaxStackBytes = std::uint64_t{64} * 1024;
constexpr std::uint64_t kRedZoneBytes = 128; // the x86-64 ABI lets leaf functions use this below RSP
constexpr std::uint64_t kCodeAroundIpBytes = 256;
constexpr std::size_t kMaxBuildIdBytes = 64;

// Static so that a dump needs no heap and little stack.
Mapping g_mappings[kMaxMappings];
char g_paths[kPathBytes];
ModuleRange g_modules[kMaxModules];
fmt::LocationDescriptor g_moduleName[kMaxModules];
fmt::LocationDescriptor g_moduleCodeView[kMaxModules];

class DumpFile
{
public:
    explicit DumpFile(int fd) : m_fd(fd) {}
    int error() const { return m_error; }
    std::uint32_t position() const { return m_pos; }

    // Appends `size` bytes; returns the offset they start at.
    std::uint32_t write(const void* data, std::size_t size)
    {
        const std::uint32_t at = m_pos;
        const char* p = static_cast<const char*>(data);
        while (size > 0 && m_error == 0) {
            const ssize_t n = ::write(m_fd, p, size);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                m_error = errno;
                break;
            }
            p += n;
            size -= static_cast<std::size_t>(n);
            m_pos += static_cast<std::uint32_t>(n);
        }
        return at;
    }

    void zeros(std::size_t size)
    {
        static const char kZeros[256] = {};
        while (size > 0 && m_error == 0) {
            const std::size_t chunk = size < sizeof kZeros ? size : sizeof kZeros;
            write(kZeros, chunk);
            size -= chunk;
        }
    }

    void align(std::uint32_t to)
    {
        const std::uint32_t pad = (to - m_pos % to) % to;
        zeros(pad);
    }

    // Copies process memory into the file. The kernel does the reading, so memory that has gone away
    // since the maps were read gives EFAULT instead of a second crash; the rest is filled with zeros
    // to keep the layout.
    std::uint32_t writeMemory(std::uint64_t address, std::size_t size)
    {
        const std::uint32_t at = m_pos;
        std::size_t done = 0;
        while (done < size && m_error == 0) {
            const ssize_t n = ::write(m_fd, reinterpret_cast<const void*>(address + done), size - done);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
            m_pos += static_cast<std::uint32_t>(n);
        }
        zeros(size - done);
        return at;
    }

    void writeAt(std::uint32_t offset, const void* data, std::size_t size)
    {
        const char* p = static_cast<const char*>(data);
        while (size > 0 && m_error == 0) {
            const ssize_t n = ::pwrite(m_fd, p, size, offset);
            if (n < 0) {
                if (errno == EINTR)
                    continue;
                m_error = errno;
                break;
            }
            p += n;
            offset += static_cast<std::uint32_t>(n);
            size -= static_cast<std::size_t>(n);
        }
    }

    // An MDString: byte length, UTF-16LE text, a 16-bit terminator. Paths are UTF-8.
    std::uint32_t writeString(const char* utf8)
    {
        align(4);
        std::uint32_t units = 0;
        forEachCodeUnit(utf8, [&units](std::uint16_t) { ++units; });
        const std::uint32_t bytes = units * 2;
        const std::uint32_t at = write(&bytes, sizeof bytes);
        std::uint16_t chunk[256];
        std::size_t filled = 0;
        forEachCodeUnit(utf8, [&](std::uint16_t unit) {
            chunk[filled++] = unit;
            if (filled == 256) {
                write(chunk, sizeof chunk);
                filled = 0;
            }
        });
        chunk[filled++] = 0;
        write(chunk, filled * 2);
        return at;
    }

    // Appends a whole file as it reads now (for /proc texts); returns its location.
    fmt::LocationDescriptor copyFile(const char* path)
    {
        fmt::LocationDescriptor loc{0, m_pos};
        const int in = ::open(path, O_RDONLY | O_CLOEXEC);
        if (in < 0)
            return loc;
        char buf[4096];
        for (;;) {
            const ssize_t n = ::read(in, buf, sizeof buf);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0)
                break;
            write(buf, static_cast<std::size_t>(n));
            loc.dataSize += static_cast<std::uint32_t>(n);
        }
        ::close(in);
        return loc;
    }

private:
    template <class F> static void forEachCodeUnit(const char* s, F&& emit)
    {
        const auto* p = reinterpret_cast<const unsigned char*>(s);
        while (*p) {
            std::uint32_t cp = 0xfffd;
            int extra = 0;
            if (*p < 0x80) {
                cp = *p;
            } else if ((*p & 0xe0) == 0xc0) {
                cp = *p & 0x1f;
                extra = 1;
            } else if ((*p & 0xf0) == 0xe0) {
                cp = *p & 0x0f;
                extra = 2;
            } else if ((*p & 0xf8) == 0xf0) {
                cp = *p & 0x07;
                extra = 3;
            }
            ++p;
            bool valid = cp != 0xfffd || extra == 0;
            for (int i = 0; i < extra; ++i) {
                if ((*p & 0xc0) != 0x80) {
                    valid = false;
                    break;
                }
                cp = (cp << 6) | (*p++ & 0x3f);
            }
            if (!valid || cp > 0x10ffff || (cp >= 0xd800 && cp <= 0xdfff))
                cp = 0xfffd;
            if (cp >= 0x10000) {
                cp -= 0x10000;
                emit(static_cast<std::uint16_t>(0xd800 + (cp >> 10)));
                emit(static_cast<std::uint16_t>(0xdc00 + (cp & 0x3ff)));
            } else {
                emit(static_cast<std::uint16_t>(cp));
            }
        }
    }

    int m_fd;
    int m_error = 0;
    std::uint32_t m_pos = 0;
};

fmt::ContextAmd64 contextFrom(const CrashContext& crash)
{
    fmt::ContextAmd64 c{};
    const greg_t* g = crash.context.uc_mcontext.gregs;
    c.contextFlags = fmt::kContextControl | fmt::kContextInteger | fmt::kContextSegments;
    const auto csgsfs = static_cast<std::uint64_t>(g[REG_CSGSFS]);
    c.cs = static_cast<std::uint16_t>(csgsfs & 0xffff);
    c.gs = static_cast<std::uint16_t>((csgsfs >> 16) & 0xffff);
    c.fs = static_cast<std::uint16_t>((csgsfs >> 32) & 0xffff);
    c.eflags = static_cast<std::uint32_t>(g[REG_EFL]);
    c.rax = static_cast<std::uint64_t>(g[REG_RAX]);
    c.rcx = static_cast<std::uint64_t>(g[REG_RCX]);
    c.rdx = static_cast<std::uint64_t>(g[REG_RDX]);
    c.rbx = static_cast<std::uint64_t>(g[REG_RBX]);
    c.rsp = static_cast<std::uint64_t>(g[REG_RSP]);
    c.rbp = static_cast<std::uint64_t>(g[REG_RBP]);
    c.rsi = static_cast<std::uint64_t>(g[REG_RSI]);
    c.rdi = static_cast<std::uint64_t>(g[REG_RDI]);
    c.r8 = static_cast<std::uint64_t>(g[REG_R8]);
    c.r9 = static_cast<std::uint64_t>(g[REG_R9]);
    c.r10 = static_cast<std::uint64_t>(g[REG_R10]);
    c.r11 = static_cast<std::uint64_t>(g[REG_R11]);
    c.r12 = static_cast<std::uint64_t>(g[REG_R12]);
    c.r13 = static_cast<std::uint64_t>(g[REG_R13]);
    c.r14 = static_cast<std::uint64_t>(g[REG_R14]);
    c.r15 = static_cast<std::uint64_t>(g[REG_R15]);
    c.rip = static_cast<std::uint64_t>(g[REG_RIP]);
    if (crash.hasFloatState) {
        static_assert(sizeof(crash.floatState) == sizeof(c.floatSave), "FXSAVE image size");
        std::memcpy(c.floatSave, &crash.floatState, sizeof c.floatSave);
        c.mxCsr = crash.floatState.mxcsr;
        c.contextFlags |= fmt::kContextFloatingPoint;
    }
    return c;
}

// The GNU build id of the ELF image mapped at `base`, read from its PT_NOTE segments in memory.
std::size_t readBuildId(const MappingTable& table, std::uint64_t base, std::uint8_t* out, std::size_t cap)
{
    if (!table.isReadable(base, sizeof(Elf64_Ehdr)))
        return 0;
    const auto* eh = reinterpret_cast<const Elf64_Ehdr*>(base);
    if (std::memcmp(eh->e_ident, ELFMAG, SELFMAG) != 0 || eh->e_ident[EI_CLASS] != ELFCLASS64 ||
        eh->e_phentsize != sizeof(Elf64_Phdr))
        return 0;
    const std::uint64_t phdrs = base + eh->e_phoff;
    if (!table.isReadable(phdrs, std::uint64_t{eh->e_phnum} * sizeof(Elf64_Phdr)))
        return 0;
    const auto* ph = reinterpret_cast<const Elf64_Phdr*>(phdrs);
    std::uint64_t lowestVaddr = UINT64_MAX;
    for (unsigned i = 0; i < eh->e_phnum; ++i) {
        if (ph[i].p_type == PT_LOAD && ph[i].p_vaddr < lowestVaddr)
            lowestVaddr = ph[i].p_vaddr;
    }
    if (lowestVaddr == UINT64_MAX)
        return 0;
    const std::uint64_t bias = base - (lowestVaddr & ~std::uint64_t{0xfff});
    for (unsigned i = 0; i < eh->e_phnum; ++i) {
        if (ph[i].p_type != PT_NOTE)
            continue;
        std::uint64_t at = bias + ph[i].p_vaddr;
        const std::uint64_t end = at + ph[i].p_memsz;
        if (!table.isReadable(at, ph[i].p_memsz))
            continue;
        while (at + sizeof(Elf64_Nhdr) <= end) {
            const auto* note = reinterpret_cast<const Elf64_Nhdr*>(at);
            const std::uint64_t nameAt = at + sizeof(Elf64_Nhdr);
            const std::uint64_t descAt = nameAt + ((note->n_namesz + 3) & ~3u);
            const std::uint64_t next = descAt + ((note->n_descsz + 3) & ~3u);
            if (next > end)
                break;
            if (note->n_type == NT_GNU_BUILD_ID && note->n_namesz == 4 &&
                std::memcmp(reinterpret_cast<const void*>(nameAt), "GNU", 4) == 0) {
                const std::size_t len = note->n_descsz < cap ? note->n_descsz : cap;
                std::memcpy(out, reinterpret_cast<const void*>(descAt), len);
                return len;
            }
            at = next;
        }
    }
    return 0;
}

struct MemoryRange
{
    std::uint64_t start = 0;
    std::uint64_t size = 0;
};

// The crashing thread's stack from just below RSP (the red zone) up to the end of its mapping,
// capped. A stack pointer in unreadable memory (an overflow into the guard page) gives no range.
MemoryRange stackRange(const MappingTable& table, std::uint64_t sp)
{
    MemoryRange r;
    const Mapping* m = table.find(sp);
    if (!m || !(m->flags & kRead))
        return r;
    std::uint64_t start = sp >= kRedZoneBytes ? sp - kRedZoneBytes : 0;
    start &= ~std::uint64_t{0xf};
    if (start < m->start)
        start = m->start;
    std::uint64_t end = m->end;
    if (end - start > kMaxStackBytes)
        end = start + kMaxStackBytes;
    r.start = start;
    r.size = end - start;
    return r;
}

MemoryRange codeRange(const MappingTable& table, std::uint64_t ip)
{
    MemoryRange r;
    const Mapping* m = table.find(ip);
    if (!m || !(m->flags & kRead))
        return r;
    std::uint64_t start = ip >= kCodeAroundIpBytes / 2 ? ip - kCodeAroundIpBytes / 2 : 0;
    if (start < m->start)
        start = m->start;
    std::uint64_t end = start + kCodeAroundIpBytes;
    if (end > m->end)
        end = m->end;
    r.start = start;
    r.size = end - start;
    return r;
}

struct Streams
{
    fmt::Directory entries[12];
    std::uint32_t count = 0;
    void add(std::uint32_t type, fmt::LocationDescriptor loc) { entries[count++] = {type, loc}; }
};

fmt::LocationDescriptor writeModuleList(DumpFile& f, const MappingTable& table)
{
    const std::size_t count = collectModules(table, g_modules, kMaxModules);
    for (std::size_t i = 0; i < count; ++i) {
        g_moduleName[i] = {0, f.writeString(table.paths + g_modules[i].pathOffset)};
        std::uint8_t id[kMaxBuildIdBytes];
        const std::size_t idLen = readBuildId(table, g_modules[i].base, id, sizeof id);
        g_moduleCodeView[i] = {0, 0};
        if (idLen > 0) {
            f.align(4);
            const std::uint32_t at = f.write(&fmt::kCodeViewElfSignature, 4);
            f.write(id, idLen);
            g_moduleCodeView[i] = {static_cast<std::uint32_t>(4 + idLen), at};
        }
    }
    f.align(8);
    const std::uint32_t n = static_cast<std::uint32_t>(count);
    const std::uint32_t at = f.write(&n, sizeof n);
    for (std::size_t i = 0; i < count; ++i) {
        fmt::Module m{};
        m.baseOfImage = g_modules[i].base;
        m.sizeOfImage = static_cast<std::uint32_t>(g_modules[i].size);
        m.moduleNameRva = g_moduleName[i].rva;
        m.cvRecord = g_moduleCodeView[i];
        f.write(&m, sizeof m);
    }
    return {static_cast<std::uint32_t>(4 + count * sizeof(fmt::Module)), at};
}

fmt::LocationDescriptor writeSystemInfo(DumpFile& f)
{
    const std::uint32_t osText = f.writeString(g_system.osText[0] ? g_system.osText : "Linux");
    fmt::SystemInfo s{};
    s.processorArchitecture = fmt::kCpuArchitectureAmd64;
    s.processorLevel = g_system.processorLevel;
    s.processorRevision = g_system.processorRevision;
    s.numberOfProcessors = g_system.processorCount ? g_system.processorCount : 1;
    s.majorVersion = g_system.kernelMajor;
    s.minorVersion = g_system.kernelMinor;
    s.buildNumber = g_system.kernelPatch;
    s.platformId = fmt::kPlatformLinux;
    s.csdVersionRva = osText;
    std::memcpy(s.cpuVendorId, g_system.vendor, sizeof s.cpuVendorId);
    s.cpuVersionInformation = g_system.versionInformation;
    s.cpuFeatureInformation = g_system.featureInformation;
    s.cpuAmdExtendedFeatures = g_system.amdExtendedFeatures;
    f.align(8);
    return {sizeof s, f.write(&s, sizeof s)};
}

std::uint32_t protectionOf(const Mapping& m)
{
    const bool r = m.flags & kRead, w = m.flags & kWrite, x = m.flags & kExecute;
    if (x)
        return w ? fmt::kProtectExecuteReadWrite : (r ? fmt::kProtectExecuteRead : fmt::kProtectExecute);
    if (w)
        return fmt::kProtectReadWrite;
    return r ? fmt::kProtectReadOnly : fmt::kProtectNoAccess;
}

// Every mapping with its protection, so a reader can tell a wild pointer from a write to read-only data.
fmt::LocationDescriptor writeMemoryInfoList(DumpFile& f, const MappingTable& table)
{
    f.align(8);
    const fmt::MemoryInfoListHeader header{sizeof(fmt::MemoryInfoListHeader), sizeof(fmt::MemoryInfo),
                                           table.count};
    const std::uint32_t at = f.write(&header, sizeof header);
    for (std::size_t i = 0; i < table.count; ++i) {
        const Mapping& m = table.entries[i];
        fmt::MemoryInfo info{};
        info.baseAddress = m.start;
        info.allocationBase = m.start;
        info.allocationProtection = protectionOf(m);
        info.regionSize = m.end - m.start;
        info.state = fmt::kMemoryCommit;
        info.protection = info.allocationProtection;
        info.type = m.pathLength ? fmt::kMemoryMapped : fmt::kMemoryPrivate;
        f.write(&info, sizeof info);
    }
    return {static_cast<std::uint32_t>(sizeof header + table.count * sizeof(fmt::MemoryInfo)), at};
}

} // namespace

int writeMinidump(int fd, const CrashContext& crash)
{
    MappingTable table;
    table.entries = g_mappings;
    table.capacity = kMaxMappings;
    table.paths = g_paths;
    table.pathCapacity = kPathBytes;
    const int mapsFd = ::open("/proc/self/maps", O_RDONLY | O_CLOEXEC);
    if (mapsFd < 0)
        return errno;
    const bool mapsRead = parseMappings(mapsFd, table);
    ::close(mapsFd);
    if (!mapsRead)
        return EIO;

    DumpFile f(fd);
    Streams streams;
    constexpr std::uint32_t kReserved = sizeof(fmt::Header) + sizeof(streams.entries);
    f.zeros(kReserved);

    const fmt::ContextAmd64 context = contextFrom(crash);
    f.align(16);
    const fmt::LocationDescriptor contextLoc{sizeof context, f.write(&context, sizeof context)};

    const MemoryRange stack = stackRange(table, context.rsp);
    fmt::MemoryDescriptor stackMemory{stack.start ? stack.start : context.rsp, {0, 0}};
    if (stack.size) {
        f.align(16);
        stackMemory.memory = {static_cast<std::uint32_t>(stack.size),
                              f.writeMemory(stack.start, static_cast<std::size_t>(stack.size))};
    }
    const MemoryRange code = codeRange(table, context.rip);
    fmt::MemoryDescriptor codeMemory{code.start, {0, 0}};
    if (code.size) {
        f.align(16);
        codeMemory.memory = {static_cast<std::uint32_t>(code.size),
                             f.writeMemory(code.start, static_cast<std::size_t>(code.size))};
    }

    // Thread list: the crashing thread. The others keep running their own code and have no saved
    // registers we could trust.
    {
        f.align(8);
        const std::uint32_t n = 1;
        const std::uint32_t at = f.write(&n, sizeof n);
        fmt::Thread t{};
        t.threadId = static_cast<std::uint32_t>(crash.threadId);
        t.stack = stackMemory;
        t.threadContext = contextLoc;
        f.write(&t, sizeof t);
        streams.add(fmt::kThreadListStream, {sizeof n + sizeof t, at});
    }

    // Memory list: the same stack bytes again, and the code around the instruction pointer.
    {
        f.align(8);
        std::uint32_t n = 0;
        const fmt::MemoryDescriptor* ranges[2];
        if (stackMemory.memory.dataSize)
            ranges[n++] = &stackMemory;
        if (codeMemory.memory.dataSize)
            ranges[n++] = &codeMemory;
        const std::uint32_t at = f.write(&n, sizeof n);
        for (std::uint32_t i = 0; i < n; ++i)
            f.write(ranges[i], sizeof *ranges[i]);
        streams.add(fmt::kMemoryListStream,
                    {static_cast<std::uint32_t>(sizeof n + n * sizeof(fmt::MemoryDescriptor)), at});
    }

    {
        fmt::ExceptionStream e{};
        e.threadId = static_cast<std::uint32_t>(crash.threadId);
        e.exceptionRecord.exceptionCode = static_cast<std::uint32_t>(crash.signal);
        e.exceptionRecord.exceptionFlags = static_cast<std::uint32_t>(crash.signalCode);
        e.exceptionRecord.exceptionAddress = crash.exceptionAddress;
        e.threadContext = contextLoc;
        f.align(8);
        streams.add(fmt::kExceptionStream, {sizeof e, f.write(&e, sizeof e)});
    }

    streams.add(fmt::kSystemInfoStream, writeSystemInfo(f));
    streams.add(fmt::kModuleListStream, writeModuleList(f, table));
    streams.add(fmt::kMemoryInfoListStream, writeMemoryInfoList(f, table));

    {
        fmt::MiscInfo misc{};
        misc.sizeOfInfo = sizeof misc;
        misc.flags1 = fmt::kMiscInfoProcessId;
        misc.processId = static_cast<std::uint32_t>(::getpid());
        f.align(8);
        streams.add(fmt::kMiscInfoStream, {sizeof misc, f.write(&misc, sizeof misc)});
    }
    f.align(8);
    streams.add(fmt::kLinuxMapsStream, f.copyFile("/proc/self/maps"));
    f.align(8);
    streams.add(fmt::kLinuxCmdLineStream, f.copyFile("/proc/self/cmdline"));

    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    fmt::Header header{};
    header.signature = fmt::kSignature;
    header.version = fmt::kVersion;
    header.streamCount = streams.count;
    header.streamDirectoryRva = sizeof header;
    header.timeDateStamp = static_cast<std::uint32_t>(now.tv_sec);
    header.flags = 0; // the normal, smallest kind
    f.writeAt(0, &header, sizeof header);
    f.writeAt(sizeof header, streams.entries, streams.count * sizeof(fmt::Directory));
    return f.error();
}

} // namespace crash::minidump
