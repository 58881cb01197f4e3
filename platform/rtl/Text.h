#pragma once
// Text inside the program is UTF-8. Lengths, cuts and padding count
// characters (code points), never bytes.
#include <cstddef>
#include <string>
#include <string_view>

namespace rtl {

// Number of characters of a UTF-8 text.
std::size_t Utf8Length(std::string_view s);

} // namespace rtl
