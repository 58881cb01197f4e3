#include "platform/rtl/Text.h"

namespace rtl {

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

// Byte offset just past the first n characters of s (s.size() when shorter).
std::size_t OffsetOfChar(std::string_view s, std::size_t n) {
    std::size_t pos = 0;
    for (std::size_t i = 0; i < n && pos < s.size(); ++i)
        Utf8Next(s, pos);
    return pos;
}

bool IsTrimmed(unsigned char c) {
    return c <= 32;
}

// Characters 0x80 to 0x9F of windows-1252. The five bytes the code page
// leaves undefined stand for the C1 control of the same value.
constexpr char16_t kHigh[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

} // namespace

char32_t Utf8Next(std::string_view s, std::size_t& pos) {
    const auto b0 = static_cast<unsigned char>(s[pos]);
    if (b0 < 0x80) {
        ++pos;
        return b0;
    }
    std::size_t len;
    char32_t c, min;
    if ((b0 & 0xE0) == 0xC0) {
        len = 2;
        c = b0 & 0x1F;
        min = 0x80;
    } else if ((b0 & 0xF0) == 0xE0) {
        len = 3;
        c = b0 & 0x0F;
        min = 0x800;
    } else if ((b0 & 0xF8) == 0xF0) {
        len = 4;
        c = b0 & 0x07;
        min = 0x10000;
    } else {
        ++pos;
        return kReplacement;
    }
    if (s.size() - pos < len) {
        ++pos;
        return kReplacement;
    }
    for (std::size_t i = 1; i < len; ++i) {
        const auto b = static_cast<unsigned char>(s[pos + i]);
        if (!IsContinuation(b)) {
            ++pos;
            return kReplacement;
        }
        c = (c << 6) | (b & 0x3F);
    }
    if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += len;
    return c;
}

void Utf8Append(std::string& out, char32_t c) {
    if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (std::size_t pos = 0; pos < s.size(); ++n)
        Utf8Next(s, pos);
    return n;
}

std::string Utf8Left(std::string_view s, std::size_t n) {
    return std::string(s.substr(0, OffsetOfChar(s, n)));
}

std::string Utf8Right(std::string_view s, std::size_t n) {
    const std::size_t len = Utf8Length(s);
    if (n >= len) return std::string(s);
    return std::string(s.substr(OffsetOfChar(s, len - n)));
}

std::string Utf8Mid(std::string_view s, std::size_t first, std::size_t n) {
    const std::size_t start = OffsetOfChar(s, first);
    const std::string_view rest = s.substr(start);
    return std::string(rest.substr(0, OffsetOfChar(rest, n)));
}

std::string PadRight(std::string_view s, std::size_t width) {
    std::string out(s);
    const std::size_t len = Utf8Length(s);
    if (len < width) out.append(width - len, ' ');
    return out;
}

// Every byte of code 32 or less is a whole ASCII character in UTF-8, so the
// ends can be trimmed byte by byte.
std::string TrimLeft(std::string_view s) {
    std::size_t b = 0;
    while (b < s.size() && IsTrimmed(static_cast<unsigned char>(s[b])))
        ++b;
    return std::string(s.substr(b));
}

std::string TrimRight(std::string_view s) {
    std::size_t e = s.size();
    while (e > 0 && IsTrimmed(static_cast<unsigned char>(s[e - 1])))
        --e;
    return std::string(s.substr(0, e));
}

std::string_view TrimView(std::string_view s) {
    while (!s.empty() && IsTrimmed(static_cast<unsigned char>(s.front())))
        s.remove_prefix(1);
    while (!s.empty() && IsTrimmed(static_cast<unsigned char>(s.back())))
        s.remove_suffix(1);
    return s;
}

std::string Trim(std::string_view s) {
    return std::string(TrimView(s));
}

std::string UpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return out;
}

std::string Utf8ToCp1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    AppendUtf8AsCp1252(out, utf8);
    return out;
}

void AppendUtf8AsCp1252(std::string& out, std::string_view utf8) {
    for (std::size_t pos = 0; pos < utf8.size();) {
        const char32_t c = Utf8Next(utf8, pos);
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            out += static_cast<char>(c);
            continue;
        }
        char byte = '?';
        for (int i = 0; i < 32; ++i)
            if (kHigh[i] == c) {
                byte = static_cast<char>(0x80 + i);
                break;
            }
        out += byte;
    }
}

void AppendCp1252AsUtf8(std::string& out, std::string_view bytes) {
    // The usual all-ASCII text is one copy.
    unsigned char any = 0;
    for (char c : bytes)
        any |= static_cast<unsigned char>(c);
    if (any < 0x80) {
        out += bytes;
        return;
    }
    for (unsigned char b : bytes) {
        if (b < 0x80)
            out += static_cast<char>(b);
        else if (b < 0xA0)
            Utf8Append(out, kHigh[b - 0x80]);
        else
            Utf8Append(out, b);
    }
}

bool IsCp1252Text(char32_t c) {
    if (c < 0x20 || c == 0x7F) return false;
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return true;
    // Above U+00FF only the characters of the 0x80 to 0x9F row; the row's
    // own undefined bytes stand for controls of U+0080 to U+009F.
    if (c < 0x100) return false;
    for (char16_t h : kHigh)
        if (h == c) return true;
    return false;
}

std::string Cp1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    AppendCp1252AsUtf8(out, bytes);
    return out;
}

} // namespace rtl
