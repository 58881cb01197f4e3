#include "common/Routines.h"

#include <cmath>

#include "platform/rtl/Date.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Text.h"

namespace common {

std::string TroncaTesto(std::string_view text, std::uint16_t n) {
    return rtl::Utf8Left(text, n);
}

std::string CodaTesto(std::string_view text, std::uint16_t n) {
    return rtl::Utf8Right(text, n);
}

std::string Mezzo(std::string_view text, std::uint16_t p, std::uint16_t n) {
    if (p == 0) p = 1;
    return rtl::Utf8Mid(text, std::size_t(p) - 1, n);
}

double Arrotonda(double x, int n) {
    // long double is the x87 80-bit extended type on this platform.
    long double scale = 1.0L;
    for (int i = 0; i < n; ++i)
        scale *= 10.0L;
    const long double shifted = static_cast<long double>(x) * scale + 0.5L;
    return static_cast<double>(std::trunc(shifted) / scale);
}

bool SoloCifre(std::string_view text) {
    for (char c : text)
        if (c < '0' || c > '9') return false;
    return true;
}

bool DataValida(std::string_view text) {
    return rtl::IsValidDate(text);
}

std::string FormattaImporto(double x, int decimals) {
    std::string s = rtl::FormatGeneral(Arrotonda(x, decimals));
    const std::size_t comma = s.find(',');
    if (comma == std::string::npos)
        s += ",00";
    else if (s.size() - comma == 2)
        s += '0';
    return s;
}

namespace {
std::string Normalizza(std::string_view text, int decimals, std::string_view whenEmpty) {
    const std::string t = rtl::Trim(text);
    if (t.empty()) return std::string(whenEmpty);
    const auto value = rtl::ParseDecimal(t);
    if (!value || !std::isfinite(*value)) return "0,00";
    return FormattaImporto(*value, decimals);
}
} // namespace

std::string NormalizzaImporto2(std::string_view text) {
    return Normalizza(text, 2, "0,00");
}
std::string NormalizzaImporto4(std::string_view text) {
    return Normalizza(text, 4, "");
}

} // namespace common
