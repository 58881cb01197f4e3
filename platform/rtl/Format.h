#pragma once
// The program's format settings and its number conversions. They are fixed
// here and never taken from the system locale, so the program behaves alike
// under any LANG, LC_ALL or TZ.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace rtl {

struct FormatSettings {
    static constexpr std::string_view ShortDateFormat = "dd/mm/yyyy";
    static constexpr char DateSeparator = '/';
    static constexpr char DecimalSeparator = ',';
    static constexpr char TimeSeparator = ':';
    static constexpr std::string_view ShortTimeFormat = "hh:nn";
    static constexpr std::string_view LongTimeFormat = "hh:nn:ss";
};

// A decimal number with "," as separator: optional blanks at both ends, an
// optional sign, digits with at most one ",", at least one digit, an optional
// exponent ("E" or "e", optional sign, digits). "12", "12,5", ",5", "-3",
// "1,5E3" parse; "", ",", "1,2,3", "1.5", "1 000", "abc" do not. The result is
// the double nearest to the decimal value.
std::optional<double> ParseDecimal(std::string_view text);

// A whole number: optional blanks at both ends, an optional sign and decimal
// digits; nothing else, and nothing that overflows 64 bits.
std::optional<std::int64_t> ParseInteger(std::string_view text);

// x with exactly `decimals` digits after "," (0 gives no separator), rounded
// to nearest from the exact binary value: FormatFixed(2.5, 2) == "2,50".
std::string FormatFixed(double x, int decimals);

// The general number text: at most 15 significant digits, trailing zeros
// dropped, "," as separator, no thousands separators ("12,5", "12", "0,005").
// Very large or very small values take an exponent ("1,5E20").
std::string FormatGeneral(double x);

} // namespace rtl
