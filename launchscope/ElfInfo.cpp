#include "ElfInfo.h"

#include <cstring>
#include <elf.h>
#include <fcntl.h>
#include <unistd.h>

namespace launchscope {

namespace {

// Closes the descriptor on every way out of readElf().
struct Fd
{
    explicit Fd(int v) : fd(v) {}
    ~Fd()
    {
        if (fd >= 0)
            ::close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int fd;
};

template <typename T> bool readAt(int fd, std::uint64_t offset, T& out)
{
    return ::pread(fd, &out, sizeof out, static_cast<off_t>(offset)) == static_cast<ssize_t>(sizeof out);
}

std::vector<std::string> splitPath(const std::string& text)
{
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t colon = text.find(':', start);
        const std::size_t end = colon == std::string::npos ? text.size() : colon;
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        if (colon == std::string::npos)
            break;
        start = colon + 1;
    }
    return parts;
}

class Image64
{
public:
    Image64(int fd, std::vector<Elf64_Phdr> loads) : m_fd(fd), m_loads(std::move(loads)) {}

    // File offset of a virtual address, or false when no loaded segment carries it in the file.
    bool offsetOf(std::uint64_t vaddr, std::uint64_t& offset) const
    {
        for (const Elf64_Phdr& p : m_loads) {
            if (vaddr >= p.p_vaddr && vaddr < p.p_vaddr + p.p_filesz) {
                offset = vaddr - p.p_vaddr + p.p_offset;
                return true;
            }
        }
        return false;
    }

    bool loadStrings(std::uint64_t vaddr, std::uint64_t size)
    {
        std::uint64_t offset = 0;
        // A string table beyond 64 MiB is no real program's; refuse rather than allocate it.
        if (!offsetOf(vaddr, offset) || size == 0 || size > (64u << 20))
            return false;
        m_strings.assign(size, '\0');
        return ::pread(m_fd, &m_strings[0], size, static_cast<off_t>(offset)) == static_cast<ssize_t>(size);
    }

    std::string string(std::uint64_t index) const
    {
        if (index >= m_strings.size())
            return {};
        return std::string(m_strings.c_str() + index,
                           strnlen(m_strings.c_str() + index, m_strings.size() - index));
    }

    int fd() const { return m_fd; }

private:
    int m_fd;
    std::vector<Elf64_Phdr> m_loads;
    std::string m_strings;
};

void readVersionNeeds(const Image64& image, std::uint64_t vaddr, std::uint64_t count, ElfInfo& info)
{
    std::uint64_t at = 0;
    if (!image.offsetOf(vaddr, at))
        return;
    for (std::uint64_t i = 0; i < count && i < 4096; ++i) {
        Elf64_Verneed need{};
        if (!readAt(image.fd(), at, need))
            return;
        std::set<std::string>& versions = info.neededVersions[image.string(need.vn_file)];
        std::uint64_t auxAt = at + need.vn_aux;
        for (unsigned a = 0; a < need.vn_cnt && a < 4096; ++a) {
            Elf64_Vernaux aux{};
            if (!readAt(image.fd(), auxAt, aux))
                break;
            versions.insert(image.string(aux.vna_name));
            if (aux.vna_next == 0)
                break;
            auxAt += aux.vna_next;
        }
        if (need.vn_next == 0)
            return;
        at += need.vn_next;
    }
}

void readVersionDefinitions(const Image64& image, std::uint64_t vaddr, std::uint64_t count, ElfInfo& info)
{
    std::uint64_t at = 0;
    if (!image.offsetOf(vaddr, at))
        return;
    for (std::uint64_t i = 0; i < count && i < 65536; ++i) {
        Elf64_Verdef def{};
        if (!readAt(image.fd(), at, def))
            return;
        Elf64_Verdaux aux{};
        // The base entry names the file itself, not a version.
        if (!(def.vd_flags & VER_FLG_BASE) && def.vd_cnt > 0 && readAt(image.fd(), at + def.vd_aux, aux))
            info.definedVersions.insert(image.string(aux.vda_name));
        if (def.vd_next == 0)
            return;
        at += def.vd_next;
    }
}

void readDynamic64(int fd, const Elf64_Ehdr& eh, ElfInfo& info)
{
    if (eh.e_phentsize != sizeof(Elf64_Phdr) || eh.e_phnum == 0 || eh.e_phnum > 4096)
        return;
    std::vector<Elf64_Phdr> loads;
    Elf64_Phdr dynamicHeader{};
    bool haveDynamic = false;
    for (unsigned i = 0; i < eh.e_phnum; ++i) {
        Elf64_Phdr ph{};
        if (!readAt(fd, eh.e_phoff + i * sizeof ph, ph))
            return;
        if (ph.p_type == PT_LOAD)
            loads.push_back(ph);
        else if (ph.p_type == PT_DYNAMIC) {
            dynamicHeader = ph;
            haveDynamic = true;
        }
    }
    if (!haveDynamic || dynamicHeader.p_filesz > (16u << 20))
        return;
    info.dynamic = true;

    std::vector<Elf64_Dyn> entries(dynamicHeader.p_filesz / sizeof(Elf64_Dyn));
    const ssize_t want = static_cast<ssize_t>(entries.size() * sizeof(Elf64_Dyn));
    if (entries.empty() ||
        ::pread(fd, entries.data(), want, static_cast<off_t>(dynamicHeader.p_offset)) != want)
        return;

    std::uint64_t strtab = 0, strsz = 0, verneed = 0, verneedNum = 0, verdef = 0, verdefNum = 0;
    std::vector<std::uint64_t> neededAt;
    std::uint64_t runPathAt = 0, rPathAt = 0;
    bool haveRunPath = false, haveRPath = false;
    for (const Elf64_Dyn& d : entries) {
        if (d.d_tag == DT_NULL)
            break;
        switch (d.d_tag) {
        case DT_STRTAB:
            strtab = d.d_un.d_ptr;
            break;
        case DT_STRSZ:
            strsz = d.d_un.d_val;
            break;
        case DT_NEEDED:
            neededAt.push_back(d.d_un.d_val);
            break;
        case DT_RUNPATH:
            runPathAt = d.d_un.d_val;
            haveRunPath = true;
            break;
        case DT_RPATH:
            rPathAt = d.d_un.d_val;
            haveRPath = true;
            break;
        case DT_VERNEED:
            verneed = d.d_un.d_ptr;
            break;
        case DT_VERNEEDNUM:
            verneedNum = d.d_un.d_val;
            break;
        case DT_VERDEF:
            verdef = d.d_un.d_ptr;
            break;
        case DT_VERDEFNUM:
            verdefNum = d.d_un.d_val;
            break;
        default:
            break;
        }
    }
    Image64 image(fd, std::move(loads));
    if (!image.loadStrings(strtab, strsz))
        return;
    for (std::uint64_t at : neededAt)
        info.needed.push_back(image.string(at));
    if (haveRunPath)
        info.runPath = splitPath(image.string(runPathAt));
    if (haveRPath)
        info.rPath = splitPath(image.string(rPathAt));
    if (verneed)
        readVersionNeeds(image, verneed, verneedNum, info);
    if (verdef)
        readVersionDefinitions(image, verdef, verdefNum, info);
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

ElfInfo readElf(const std::string& path)
{
    ElfInfo info;
    Fd file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.fd < 0)
        return info;
    unsigned char ident[EI_NIDENT] = {};
    if (::pread(file.fd, ident, sizeof ident, 0) != static_cast<ssize_t>(sizeof ident))
        return info;
    info.readable = true;
    if (std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return info;
    info.isElf = true;
    info.is64 = ident[EI_CLASS] == ELFCLASS64;
    info.littleEndian = ident[EI_DATA] == ELFDATA2LSB;
    // e_machine sits at the same place in both classes.
    unsigned char machine[2] = {};
    if (::pread(file.fd, machine, 2, 18) == 2)
        info.machine = info.littleEndian ? machine[0] | machine[1] << 8 : machine[1] | machine[0] << 8;
    if (!info.is64 || !info.littleEndian)
        return info; // a foreign file: class and machine are all the report needs
    Elf64_Ehdr eh{};
    if (readAt(file.fd, 0, eh))
        readDynamic64(file.fd, eh, info);
    return info;
}

unsigned hostMachine()
{
#if defined(__x86_64__)
    return EM_X86_64;
#elif defined(__aarch64__)
    return EM_AARCH64;
#elif defined(__i386__)
    return EM_386;
#else
    return EM_NONE;
#endif
}

std::string machineName(unsigned machine)
{
    switch (machine) {
    case EM_X86_64:
        return "x86-64";
    case EM_386:
        return "i386";
    case EM_AARCH64:
        return "AArch64";
    case EM_ARM:
        return "ARM";
    case EM_RISCV:
        return "RISC-V";
    default:
        return "machine " + std::to_string(machine);
    }
}

std::vector<std::string> searchFolders(const ElfInfo& elf, const std::string& originDir)
{
    std::vector<std::string> folders;
    for (const std::string& entry : elf.runPath.empty() ? elf.rPath : elf.runPath)
        folders.push_back(replaceAll(replaceAll(entry, "${ORIGIN}", originDir), "$ORIGIN", originDir));
    return folders;
}

} // namespace launchscope
