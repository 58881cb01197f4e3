#pragma once
// Text inside the program is UTF-8. Lengths, cuts and padding count
// characters (code points), never bytes.
//
// Malformed UTF-8 never breaks these routines: every byte that does not start
// a well-formed sequence counts as one character of its own (it decodes as
// U+FFFD), and cuts keep the original bytes of the characters they keep.
#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// Number of characters of a UTF-8 text.
std::size_t Utf8Length(std::string_view s);

// The first n characters (the whole text when it is shorter).
std::string Utf8Left(std::string_view s, std::size_t n);

// The last n characters (the whole text when it is shorter).
std::string Utf8Right(std::string_view s, std::size_t n);

// At most n characters starting at character index `first` (0-based); empty
// when `first` lies at or beyond the end.
std::string Utf8Mid(std::string_view s, std::size_t first, std::size_t n);

// The text followed by blanks up to `width` characters; a longer text is
// returned unchanged (cut it first with Utf8Left for a fixed column).
std::string PadRight(std::string_view s, std::size_t width);

// Removes every character of code 32 or less (blanks and control characters)
// from both ends; nothing inside the text changes.
std::string Trim(std::string_view s);
std::string TrimLeft(std::string_view s);
std::string TrimRight(std::string_view s);
// The same as Trim, as a view into `s`.
std::string_view TrimView(std::string_view s);

// Changes only the letters a-z (UpperAscii) or A-Z (LowerAscii); accented
// letters and every other character keep their case.
std::string UpperAscii(std::string_view s);
std::string LowerAscii(std::string_view s);

// Decodes the character that starts at byte `pos`, advancing `pos` past it.
// A malformed byte yields U+FFFD and advances by one byte.
char32_t Utf8Next(std::string_view s, std::size_t& pos);

// Appends the UTF-8 form of a code point (U+FFFD for an invalid one).
void Utf8Append(std::string& out, char32_t c);

// Conversion at the file boundary between UTF-8 and the windows-1252 code
// page: one character, one byte. All 256 bytes decode; the five bytes the code
// page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to U+0081 and so on,
// so every byte string survives a round trip. A character the code page
// cannot hold (malformed input included) is written as "?".
std::string Utf8ToCp1252(std::string_view utf8);
std::string Cp1252ToUtf8(std::string_view bytes);
// The same conversions appended to `out` (no string of their own).
void AppendCp1252AsUtf8(std::string& out, std::string_view bytes);
void AppendUtf8AsCp1252(std::string& out, std::string_view utf8);

// Whether the character is text that windows-1252 holds, so that it comes
// back from a file as it went in: a printable character of U+0020 to U+007E
// or U+00A0 to U+00FF, or one of the 27 that the code page places at 0x80 to
// 0x9F (the euro sign, the typographic quotes, ...). Control characters are
// not text: U+0000 to U+001F, U+007F and U+0080 to U+009F, among them the
// stand-ins of the five undefined bytes.
bool IsCp1252Text(char32_t c);

} // namespace rtl
