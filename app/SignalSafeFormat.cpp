#include "SignalSafeFormat.h"

#include <cstdint>

namespace crash {

namespace {

class Sink
{
public:
    Sink(char* out, std::size_t cap) : m_out(out), m_cap(cap) {}

    void put(char c)
    {
        if (m_len + 1 < m_cap)
            m_out[m_len++] = c;
    }
    void repeat(char c, int count)
    {
        for (int i = 0; i < count; ++i)
            put(c);
    }
    std::size_t finish()
    {
        if (m_cap > 0)
            m_out[m_len] = '\0';
        return m_len;
    }

private:
    char* m_out;
    std::size_t m_cap;
    std::size_t m_len = 0;
};

struct Directive
{
    bool leftAlign = false;
    bool zeroPad = false;
    int width = 0;
};

void putText(Sink& sink, const Directive& directive, const char* text, int len)
{
    const int pad = directive.width > len ? directive.width - len : 0;
    if (!directive.leftAlign)
        sink.repeat(' ', pad);
    for (int i = 0; i < len; ++i)
        sink.put(text[i]);
    if (directive.leftAlign)
        sink.repeat(' ', pad);
}

// `prefix` is the sign or "0x"; zero padding goes between it and the digits, as printf does.
void putNumber(Sink& sink, const Directive& directive, const char* prefix, std::uint64_t value, unsigned base,
               bool upper)
{
    char digits[24];
    int n = 0;
    const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    do {
        digits[n++] = alphabet[value % base];
        value /= base;
    } while (value != 0);

    int prefixLen = 0;
    while (prefix[prefixLen])
        ++prefixLen;
    const int pad = directive.width > n + prefixLen ? directive.width - n - prefixLen : 0;
    const bool zeros = directive.zeroPad && !directive.leftAlign;
    if (!zeros && !directive.leftAlign)
        sink.repeat(' ', pad);
    for (int i = 0; i < prefixLen; ++i)
        sink.put(prefix[i]);
    if (zeros)
        sink.repeat('0', pad);
    while (n > 0)
        sink.put(digits[--n]);
    if (directive.leftAlign)
        sink.repeat(' ', pad);
}

enum class Length
{
    Int,
    Char,
    Short,
    Long,
    LongLong,
    Size
};

std::int64_t signedArg(va_list& args, Length length)
{
    switch (length) {
    case Length::Char:
        return static_cast<signed char>(va_arg(args, int));
    case Length::Short:
        return static_cast<short>(va_arg(args, int));
    case Length::Long:
        return va_arg(args, long);
    case Length::LongLong:
        return va_arg(args, long long);
    case Length::Size:
        return static_cast<std::int64_t>(va_arg(args, std::size_t));
    case Length::Int:
        break;
    }
    return va_arg(args, int);
}

std::uint64_t unsignedArg(va_list& args, Length length)
{
    switch (length) {
    case Length::Char:
        return static_cast<unsigned char>(va_arg(args, unsigned));
    case Length::Short:
        return static_cast<unsigned short>(va_arg(args, unsigned));
    case Length::Long:
        return va_arg(args, unsigned long);
    case Length::LongLong:
        return va_arg(args, unsigned long long);
    case Length::Size:
        return va_arg(args, std::size_t);
    case Length::Int:
        break;
    }
    return va_arg(args, unsigned);
}

} // namespace

std::size_t vformatSafe(char* out, std::size_t cap, const char* fmt, va_list argsIn)
{
    Sink sink(out, cap);
    va_list args;
    va_copy(args, argsIn);
    for (const char* p = fmt; *p; ++p) {
        if (*p != '%') {
            sink.put(*p);
            continue;
        }
        const char* start = p++;
        Directive directive;
        for (;; ++p) {
            if (*p == '-')
                directive.leftAlign = true;
            else if (*p == '0')
                directive.zeroPad = true;
            else
                break;
        }
        while (*p >= '0' && *p <= '9')
            directive.width = directive.width * 10 + (*p++ - '0');
        Length length = Length::Int;
        if (p[0] == 'h' && p[1] == 'h') {
            length = Length::Char;
            p += 2;
        } else if (p[0] == 'h') {
            length = Length::Short;
            ++p;
        } else if (p[0] == 'l' && p[1] == 'l') {
            length = Length::LongLong;
            p += 2;
        } else if (p[0] == 'l') {
            length = Length::Long;
            ++p;
        } else if (p[0] == 'z') {
            length = Length::Size;
            ++p;
        }

        switch (*p) {
        case 'd':
        case 'i': {
            const std::int64_t v = signedArg(args, length);
            // Negate in unsigned arithmetic so INT64_MIN does not overflow.
            const std::uint64_t magnitude =
                v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
            putNumber(sink, directive, v < 0 ? "-" : "", magnitude, 10, false);
            break;
        }
        case 'u':
            putNumber(sink, directive, "", unsignedArg(args, length), 10, false);
            break;
        case 'x':
            putNumber(sink, directive, "", unsignedArg(args, length), 16, false);
            break;
        case 'X':
            putNumber(sink, directive, "", unsignedArg(args, length), 16, true);
            break;
        case 'p': {
            const void* v = va_arg(args, const void*);
            if (v == nullptr) {
                putText(sink, directive, "(nil)", 5);
            } else {
                putNumber(sink, directive, "0x", reinterpret_cast<std::uintptr_t>(v), 16, false);
            }
            break;
        }
        case 's': {
            const char* s = va_arg(args, const char*);
            if (s == nullptr)
                s = "(null)";
            int len = 0;
            while (s[len])
                ++len;
            putText(sink, directive, s, len);
            break;
        }
        case 'c': {
            const char c = static_cast<char>(va_arg(args, int));
            putText(sink, directive, &c, 1);
            break;
        }
        case '%':
            sink.put('%');
            break;
        default:
            // Unknown directive: show it as written, so a mistake is visible rather than silently eaten.
            for (const char* q = start; q <= p && *q; ++q)
                sink.put(*q);
            if (*p == '\0')
                --p;
            break;
        }
    }
    va_end(args);
    return sink.finish();
}

std::size_t formatSafe(char* out, std::size_t cap, const char* fmt, ...)
{
    va_list args;
    va_start(args, fmt);
    const std::size_t n = vformatSafe(out, cap, fmt, args);
    va_end(args);
    return n;
}

} // namespace crash
