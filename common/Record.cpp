#include "common/Record.h"

#include <algorithm>
#include <cstring>

#include "platform/rtl/Text.h"

namespace common {

std::vector<RecordType::Element> RecordType::Elements() const {
    std::vector<Element> out;
    std::size_t offset = 0;
    for (const FieldDef& f : fields) {
        for (int i = 0; i < f.repeat; ++i) {
            std::string name(f.name);
            if (f.repeat > 1) {
                const std::string digits = std::to_string(i + 1);
                const std::size_t width = f.repeat > 99 ? 3 : 2;
                name += std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
            }
            out.push_back({std::move(name), {offset, f.capacity}});
            offset += std::size_t(f.capacity + 1);
        }
    }
    return out;
}

std::string_view RawText(std::span<const std::uint8_t> record, FieldRef f) {
    if (f.offset + std::size_t(f.capacity) + 1 > record.size())
        throw std::out_of_range("campo oltre la fine del record");
    const std::size_t len = std::min<std::size_t>(record[f.offset], std::size_t(f.capacity));
    return {reinterpret_cast<const char*>(record.data() + f.offset + 1), len};
}

std::string LoadText(std::span<const std::uint8_t> record, FieldRef f) {
    // Bytes of code 32 or less decode to the same codes and every other byte
    // to a code above 32, so trimming the bytes trims the text.
    return rtl::Cp1252ToUtf8(rtl::TrimView(RawText(record, f)));
}

void StoreText(std::span<std::uint8_t> record, FieldRef f, std::string_view text) {
    if (f.offset + std::size_t(f.capacity) + 1 > record.size())
        throw std::out_of_range("campo oltre la fine del record");
    std::string bytes = rtl::Utf8ToCp1252(rtl::Utf8Left(rtl::Trim(text), 255));
    if (bytes.size() > std::size_t(f.capacity)) bytes.resize(std::size_t(f.capacity));
    record[f.offset] = static_cast<std::uint8_t>(bytes.size());
    std::memcpy(record.data() + f.offset + 1, bytes.data(), bytes.size());
    // The rest of the field is zeroed, so no leftover of another record
    // reaches the disk.
    std::memset(record.data() + f.offset + 1 + bytes.size(), 0, std::size_t(f.capacity) - bytes.size());
}

} // namespace common
