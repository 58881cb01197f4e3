#include "platform/rtl/Format.h"

#include "platform/rtl/Text.h"

#include <charconv>
#include <system_error>

namespace rtl {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A minus sign in front of a number whose digits are all zero is dropped:
// -0,001 shown with two decimals is "0,00".
void DropNegativeZero(std::string& s) {
    if (s.empty() || s[0] != '-') return;
    for (std::size_t i = 1; i < s.size(); ++i) {
        if (s[i] == 'e' || s[i] == 'E') break;
        if (IsDigit(s[i]) && s[i] != '0') return;
    }
    s.erase(0, 1);
}

} // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    const std::string_view s = TrimView(text);
    std::string canon; // the same number in the form from_chars reads
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-') canon += '-';
        ++i;
    }
    std::size_t digits = 0;
    while (i < s.size() && IsDigit(s[i]))
        canon += s[i++], ++digits;
    if (i < s.size() && s[i] == FormatSettings::DecimalSeparator) {
        canon += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i]))
            canon += s[i++], ++digits;
    }
    if (digits == 0) return std::nullopt;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        canon += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) canon += s[i++];
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i]))
            canon += s[i++], ++expDigits;
        if (expDigits == 0) return std::nullopt;
    }
    if (i != s.size()) return std::nullopt;
    double value = 0;
    const auto [end, ec] =
        std::from_chars(canon.data(), canon.data() + canon.size(), value, std::chars_format::general);
    if (ec != std::errc() || end != canon.data() + canon.size()) return std::nullopt;
    return value;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
    std::string_view s = TrimView(text);
    if (!s.empty() && s[0] == '+') s.remove_prefix(1);
    if (s.empty() || (s[0] == '-' && s.size() == 1)) return std::nullopt;
    for (std::size_t i = s[0] == '-' ? 1 : 0; i < s.size(); ++i)
        if (!IsDigit(s[i])) return std::nullopt;
    std::int64_t value = 0;
    const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
    return value;
}

std::string FormatFixed(double x, int decimals) {
    if (decimals < 0) decimals = 0;
    std::string buf(340 + static_cast<std::size_t>(decimals), '\0');
    const auto [end, ec] =
        std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, decimals);
    if (ec != std::errc()) return "?";
    buf.resize(static_cast<std::size_t>(end - buf.data()));
    for (char& c : buf)
        if (c == '.') c = FormatSettings::DecimalSeparator;
    DropNegativeZero(buf);
    return buf;
}

std::string FormatGeneral(double x) {
    char raw[64];
    const auto [end, ec] = std::to_chars(raw, raw + sizeof raw, x, std::chars_format::general, 15);
    if (ec != std::errc()) return "?";
    std::string out;
    for (const char* p = raw; p != end; ++p) {
        if (*p == '.') {
            out += FormatSettings::DecimalSeparator;
        } else if (*p == 'e') {
            // "e+20" becomes "E20", "e-05" becomes "E-5".
            out += 'E';
            ++p;
            if (*p == '-') out += '-';
            ++p;
            while (p + 1 != end && *p == '0')
                ++p;
            out.append(p, static_cast<std::size_t>(end - p));
            break;
        } else {
            out += *p;
        }
    }
    DropNegativeZero(out);
    return out;
}

} // namespace rtl
