#pragma once
// On-disk records of the Microsoft minidump format, x86-64 flavour, with the stream types, platform
// and CPU ids that Breakpad and Crashpad use for Linux dumps. Every record is little-endian and laid
// out exactly as on disk; the static_asserts pin the sizes the readers expect.

#include <cstddef>
#include <cstdint>

namespace crash::minidump::format {

constexpr std::uint32_t kSignature = 0x504d444d; // "MDMP"
constexpr std::uint32_t kVersion = 0x0000a793;

enum StreamType : std::uint32_t
{
    kThreadListStream = 3,
    kModuleListStream = 4,
    kMemoryListStream = 5,
    kExceptionStream = 6,
    kSystemInfoStream = 7,
    kMiscInfoStream = 15,
    kMemoryInfoListStream = 16,
    kLinuxCmdLineStream = 0x47670006,
    kLinuxMapsStream = 0x47670009,
};

constexpr std::uint16_t kCpuArchitectureAmd64 = 9;
constexpr std::uint32_t kPlatformLinux = 0x8201;
constexpr std::uint32_t kContextAmd64 = 0x00100000;
constexpr std::uint32_t kContextControl = kContextAmd64 | 0x1;
constexpr std::uint32_t kContextInteger = kContextAmd64 | 0x2;
constexpr std::uint32_t kContextSegments = kContextAmd64 | 0x4;
constexpr std::uint32_t kContextFloatingPoint = kContextAmd64 | 0x8;
constexpr std::uint32_t kCodeViewElfSignature = 0x4270454c; // "BpEL": CodeView record carrying a GNU build id
constexpr std::uint32_t kMiscInfoProcessId = 0x1;

// Memory info: state, protection and type values (the Windows MEM_* and PAGE_* numbers).
constexpr std::uint32_t kMemoryCommit = 0x1000;
constexpr std::uint32_t kProtectNoAccess = 0x01;
constexpr std::uint32_t kProtectReadOnly = 0x02;
constexpr std::uint32_t kProtectReadWrite = 0x04;
constexpr std::uint32_t kProtectExecute = 0x10;
constexpr std::uint32_t kProtectExecuteRead = 0x20;
constexpr std::uint32_t kProtectExecuteReadWrite = 0x40;
constexpr std::uint32_t kMemoryPrivate = 0x20000;
constexpr std::uint32_t kMemoryMapped = 0x40000;

#pragma pack(push, 4)

struct LocationDescriptor
{
    std::uint32_t dataSize;
    std::uint32_t rva;
};

struct MemoryDescriptor
{
    std::uint64_t startOfMemoryRange;
    LocationDescriptor memory;
};

struct Header
{
    std::uint32_t signature;
    std::uint32_t version;
    std::uint32_t streamCount;
    std::uint32_t streamDirectoryRva;
    std::uint32_t checksum;
    std::uint32_t timeDateStamp;
    std::uint64_t flags;
};

struct Directory
{
    std::uint32_t streamType;
    LocationDescriptor location;
};

struct Thread
{
    std::uint32_t threadId;
    std::uint32_t suspendCount;
    std::uint32_t priorityClass;
    std::uint32_t priority;
    std::uint64_t teb;
    MemoryDescriptor stack;
    LocationDescriptor threadContext;
};

struct FixedFileInfo
{
    std::uint32_t fields[13];
};

struct Module
{
    std::uint64_t baseOfImage;
    std::uint32_t sizeOfImage;
    std::uint32_t checksum;
    std::uint32_t timeDateStamp;
    std::uint32_t moduleNameRva;
    FixedFileInfo versionInfo;
    LocationDescriptor cvRecord;
    LocationDescriptor miscRecord;
    std::uint32_t reserved0[2];
    std::uint32_t reserved1[2];
};

struct Exception
{
    std::uint32_t exceptionCode;  // Linux: the signal number
    std::uint32_t exceptionFlags; // Linux: the siginfo si_code
    std::uint64_t exceptionRecord;
    std::uint64_t exceptionAddress;
    std::uint32_t numberParameters;
    std::uint32_t unusedAlignment;
    std::uint64_t exceptionInformation[15];
};

struct ExceptionStream
{
    std::uint32_t threadId;
    std::uint32_t unusedAlignment;
    Exception exceptionRecord;
    LocationDescriptor threadContext;
};

struct SystemInfo
{
    std::uint16_t processorArchitecture;
    std::uint16_t processorLevel;
    std::uint16_t processorRevision;
    std::uint8_t numberOfProcessors;
    std::uint8_t productType;
    std::uint32_t majorVersion;
    std::uint32_t minorVersion;
    std::uint32_t buildNumber;
    std::uint32_t platformId;
    std::uint32_t csdVersionRva;
    std::uint16_t suiteMask;
    std::uint16_t reserved2;
    std::uint32_t cpuVendorId[3];
    std::uint32_t cpuVersionInformation;
    std::uint32_t cpuFeatureInformation;
    std::uint32_t cpuAmdExtendedFeatures;
};

struct MiscInfo
{
    std::uint32_t sizeOfInfo;
    std::uint32_t flags1;
    std::uint32_t processId;
    std::uint32_t processCreateTime;
    std::uint32_t processUserTime;
    std::uint32_t processKernelTime;
};

struct MemoryInfoListHeader
{
    std::uint32_t sizeOfHeader;
    std::uint32_t sizeOfEntry;
    std::uint64_t numberOfEntries;
};

struct MemoryInfo
{
    std::uint64_t baseAddress;
    std::uint64_t allocationBase;
    std::uint32_t allocationProtection;
    std::uint32_t unusedAlignment1;
    std::uint64_t regionSize;
    std::uint32_t state;
    std::uint32_t protection;
    std::uint32_t type;
    std::uint32_t unusedAlignment2;
};

#pragma pack(pop)

// CONTEXT_AMD64. Naturally aligned throughout, so no packing is needed.
struct ContextAmd64
{
    std::uint64_t parameterHome[6];
    std::uint32_t contextFlags;
    std::uint32_t mxCsr;
    std::uint16_t cs, ds, es, fs, gs, ss;
    std::uint32_t eflags;
    std::uint64_t dr0, dr1, dr2, dr3, dr6, dr7;
    std::uint64_t rax, rcx, rdx, rbx, rsp, rbp, rsi, rdi;
    std::uint64_t r8, r9, r10, r11, r12, r13, r14, r15;
    std::uint64_t rip;
    std::uint8_t floatSave[512]; // the FXSAVE image, which is also what Linux keeps in the signal frame
    std::uint64_t vectorRegister[26 * 2];
    std::uint64_t vectorControl;
    std::uint64_t debugControl;
    std::uint64_t lastBranchToRip;
    std::uint64_t lastBranchFromRip;
    std::uint64_t lastExceptionToRip;
    std::uint64_t lastExceptionFromRip;
};

static_assert(sizeof(Header) == 32, "minidump header");
static_assert(sizeof(Directory) == 12, "stream directory entry");
static_assert(sizeof(MemoryDescriptor) == 16, "memory descriptor");
static_assert(sizeof(Thread) == 48, "thread record");
static_assert(sizeof(Module) == 108, "module record");
static_assert(sizeof(Exception) == 152, "exception record");
static_assert(sizeof(ExceptionStream) == 168, "exception stream");
static_assert(sizeof(SystemInfo) == 56, "system info");
static_assert(sizeof(MiscInfo) == 24, "misc info");
static_assert(sizeof(MemoryInfoListHeader) == 16, "memory info list header");
static_assert(sizeof(MemoryInfo) == 48, "memory info");
static_assert(sizeof(ContextAmd64) == 1232, "CONTEXT_AMD64");
static_assert(offsetof(ContextAmd64, rip) == 248, "CONTEXT_AMD64 rip");
static_assert(offsetof(ContextAmd64, floatSave) == 256, "CONTEXT_AMD64 float save area");

} // namespace crash::minidump::format
