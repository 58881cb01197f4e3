#include "shell/Crypt.h"

#include <cstdint>
#include <vector>

namespace {

constexpr std::uint16_t StartKey = 5839;
constexpr std::uint16_t Multiplier = 39027;
constexpr std::uint16_t Increment = 62815;

std::uint16_t NextState(std::uint8_t b, std::uint16_t state) {
    return static_cast<std::uint16_t>((b + state) * static_cast<std::uint32_t>(Multiplier) + Increment);
}

// Code points of a UTF-8 text; a byte that does not start a valid sequence
// counts as one character of its own value.
std::vector<char32_t> CodePoints(std::string_view s) {
    std::vector<char32_t> out;
    for (std::size_t i = 0; i < s.size();) {
        auto c = static_cast<unsigned char>(s[i]);
        int extra = c >= 0xF0 && c < 0xF8 ? 3 : c >= 0xE0 ? 2 : c >= 0xC2 && c < 0xE0 ? 1 : 0;
        if (c >= 0xF8) extra = 0;
        char32_t cp = extra == 3 ? c & 0x07 : extra == 2 ? c & 0x0F : extra == 1 ? c & 0x1F : c;
        bool ok = i + extra < s.size();
        for (int k = 1; ok && k <= extra; ++k) {
            auto d = static_cast<unsigned char>(s[i + k]);
            if ((d & 0xC0) != 0x80) ok = false;
            else cp = (cp << 6) | (d & 0x3F);
        }
        if (!ok) { out.push_back(c); ++i; continue; }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

void AppendLatin1(std::string& out, std::uint8_t b) {
    if (b < 0x80) {
        out.push_back(static_cast<char>(b));
    } else {
        out.push_back(static_cast<char>(0xC0 | (b >> 6)));
        out.push_back(static_cast<char>(0x80 | (b & 0x3F)));
    }
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

} // namespace

std::string EncodePassword(std::string_view text) {
    static const char Digits[] = "0123456789ABCDEF";
    std::string out;
    std::uint16_t state = StartKey;
    for (char32_t cp : CodePoints(text)) {
        auto b = static_cast<std::uint8_t>((cp & 0xFF) ^ (state >> 8));
        out.push_back(Digits[b >> 4]);
        out.push_back(Digits[b & 0x0F]);
        state = NextState(b, state);
    }
    return out;
}

std::string DecodePassword(std::string_view hex) {
    std::string out;
    std::uint16_t state = StartKey;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        int hi = HexValue(hex[i]);
        int lo = HexValue(hex[i + 1]);
        if (hi < 0 || lo < 0)
            throw EPasswordDecode("'" + std::string(hex.substr(i, 2)) + "' is not a valid hexadecimal value");
        auto b = static_cast<std::uint8_t>(hi * 16 + lo);
        AppendLatin1(out, static_cast<std::uint8_t>(b ^ (state >> 8)));
        state = NextState(b, state);
    }
    return out;
}

bool PasswordFitsStore(std::string_view text) {
    for (char32_t cp : CodePoints(text))
        if (cp > 0xFF) return false;
    return true;
}
