#include "platform/rtl/Text.h"

namespace rtl {

std::size_t Utf8Length(std::string_view s) {
    std::size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

} // namespace rtl
