#include "shell/Crypt.h"

#include <cstdint>

#include "platform/rtl/Text.h"

namespace {

constexpr std::uint16_t StartKey = 5839;
constexpr std::uint16_t Multiplier = 39027;
constexpr std::uint16_t Increment = 62815;

std::uint16_t NextState(std::uint8_t b, std::uint16_t state) {
    return static_cast<std::uint16_t>((b + state) * static_cast<std::uint32_t>(Multiplier) + Increment);
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
    for (std::size_t pos = 0; pos < text.size();) {
        char32_t cp = rtl::Utf8Next(text, pos);
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
        rtl::Utf8Append(out, static_cast<char32_t>(b ^ (state >> 8)));
        state = NextState(b, state);
    }
    return out;
}

bool PasswordFitsStore(std::string_view text) {
    for (std::size_t pos = 0; pos < text.size();)
        if (rtl::Utf8Next(text, pos) > 0xFF) return false;
    return true;
}
