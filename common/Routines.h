#pragma once
// Small text and number routines shared by every work area. Texts are UTF-8;
// counts and positions are in characters, the first character at position 1.
#include <cstdint>
#include <string>
#include <string_view>

namespace common {

// The first n characters of a text.
std::string TroncaTesto(std::string_view text, std::uint16_t n);

// The last n characters of a text.
std::string CodaTesto(std::string_view text, std::uint16_t n);

// n characters from position p (1-based; 0 counts as 1); empty beyond the end.
std::string Mezzo(std::string_view text, std::uint16_t p, std::uint16_t n);

// x brought to n decimals as Int(x * 10^n + 0.5) / 10^n, worked out in 80-bit
// extended precision from the double x (a negative n scales by 1).
double Arrotonda(double x, int n);

// True when every character is a digit 0-9; true for the empty text.
bool SoloCifre(std::string_view text);

// True when the text is a date under the short date format (dd/mm/yyyy).
bool DataValida(std::string_view text);

// The amount edits' normalisation on leaving the field: a decimal-comma
// number rounded and shown with at least two decimals; an empty text gives
// "0,00" (two decimals) or stays empty (four decimals); a text that is not a
// number gives "0,00".
std::string NormalizzaImporto2(std::string_view text);
std::string NormalizzaImporto4(std::string_view text);

// The general number text of an amount with at least two decimals (used by
// the normalisation and by totals): Arrotonda(x, decimals), then ",00" or a
// padding "0" as needed.
std::string FormattaImporto(double x, int decimals);

} // namespace common
