#pragma once
// Scrambling of the one password of the system, as kept in the password store:
// a byte-wise stream scrambling with a 16-bit state, written as upper-case
// hexadecimal text, two digits per character.
#include <stdexcept>
#include <string>
#include <string_view>

#include "platform/rtl/Errors.h"

// Raised by DecodePassword when a pair of digits is not hexadecimal: the
// password store is damaged.
class EPasswordDecode : public rtl::DataError {
public:
    using rtl::DataError::DataError;
};

// Scrambles every character of a UTF-8 text (its low 8 bits) into two
// upper-case hexadecimal digits. Any length is handled.
std::string EncodePassword(std::string_view text);

// Reads the hexadecimal text back (digits in either case; a last odd digit is
// ignored) and returns the password in UTF-8, one character per pair, each of
// code 0 to 255. Throws EPasswordDecode on a pair that is not two hex digits.
std::string DecodePassword(std::string_view hex);

// True when every character of the UTF-8 text fits in the store's one byte per
// character (code U+00FF or below).
bool PasswordFitsStore(std::string_view text);
