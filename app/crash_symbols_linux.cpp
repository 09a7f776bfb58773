#include "CrashSymbols.h"
#include "SignalSafeFormat.h"

#include <dlfcn.h>
#include <link.h>

namespace crash {

namespace {

char g_mainProgramPath[4096];
std::uintptr_t g_mainProgramBase = 0;

// The first object dl_iterate_phdr reports is the main program; its lowest loaded segment is what
// dladdr() returns as dli_fbase for addresses inside it.
int findMainProgramBase(dl_phdr_info* info, std::size_t, void* data)
{
    std::uintptr_t lowest = UINTPTR_MAX;
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& ph = info->dlpi_phdr[i];
        if (ph.p_type != PT_LOAD)
            continue;
        const std::uintptr_t start = (info->dlpi_addr + ph.p_vaddr) & ~static_cast<std::uintptr_t>(0xfff);
        if (start < lowest)
            lowest = start;
    }
    *static_cast<std::uintptr_t*>(data) = lowest == UINTPTR_MAX ? 0 : lowest;
    return 1; // stop after the first object
}

} // namespace

void setMainProgramPath(const char* absolutePath)
{
    formatSafe(g_mainProgramPath, sizeof g_mainProgramPath, "%s", absolutePath ? absolutePath : "");
    std::uintptr_t base = 0;
    ::dl_iterate_phdr(findMainProgramBase, &base);
    g_mainProgramBase = base;
}

bool lookupAddress(std::uintptr_t address, AddressInfo& info)
{
    info = AddressInfo{};
    if (address == 0)
        return false;
    Dl_info dl{};
    if (::dladdr(reinterpret_cast<const void*>(address), &dl) == 0 || dl.dli_fbase == nullptr)
        return false;
    info.moduleBase = reinterpret_cast<std::uintptr_t>(dl.dli_fbase);
    info.modulePath = dl.dli_fname && *dl.dli_fname ? dl.dli_fname : "(unnamed)";
    if (g_mainProgramPath[0] && info.moduleBase == g_mainProgramBase)
        info.modulePath = g_mainProgramPath;
    if (dl.dli_sname && dl.dli_saddr) {
        info.symbol = dl.dli_sname;
        info.symbolAddress = reinterpret_cast<std::uintptr_t>(dl.dli_saddr);
    }
    return true;
}

const char* fileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/')
            name = p + 1;
    }
    return name;
}

std::size_t formatFrameLine(char* out, std::size_t cap, const char* tag, std::uintptr_t address)
{
    if (cap > 0)
        out[0] = '\0';
    if (address == 0)
        return 0;
    AddressInfo info;
    if (!lookupAddress(address, info))
        return formatSafe(out, cap, "[BOOT]   %s %p (不属于任何模块)\n", tag,
                          reinterpret_cast<const void*>(address));
    const unsigned long long offset = address - info.moduleBase;
    const char* name = fileNameOf(info.modulePath);
    if (info.symbol && info.symbolAddress <= address) {
        return formatSafe(out, cap, "[BOOT]   %s %-26s +0x%08llX  ≈ %s+0x%llX\n", tag, name, offset,
                          info.symbol, static_cast<unsigned long long>(address - info.symbolAddress));
    }
    return formatSafe(out, cap, "[BOOT]   %s %-26s +0x%08llX\n", tag, name, offset);
}

} // namespace crash
