#pragma once
// Archive records: a record type is a fixed sequence of fixed-capacity text
// fields, declared once as a table of (name, capacity[, repeat]). Offsets and
// the record size follow from the table at compile time.
//
// A field of capacity N takes N + 1 bytes: a length byte L (0..N) and N bytes
// of windows-1252 text, of which the first L count. The bytes after the text
// carry no meaning.
//
// A repeated field (repeat > 1) stands for that many fields of the same
// capacity one after the other; element i (0-based) is named after the field
// with a two-digit suffix from 01 ("DataPar" repeat 8: "DataPar01".."DataPar08"),
// three digits for more than 99 elements ("Giorni001".."Giorni366").
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace common {

struct FieldDef {
    std::string_view name;
    int capacity = 0; // 1..255
    int repeat = 1;   // number of consecutive fields of this capacity
};

// Where one field lies inside a record.
struct FieldRef {
    std::size_t offset = 0; // of the length byte
    int capacity = 0;
    constexpr bool operator==(const FieldRef&) const = default;
};

// A record type seen at run time: its table, its size.
struct RecordType {
    std::string_view name;
    std::span<const FieldDef> fields;
    std::size_t size = 0;

    // The field named `name` (a plain field, or an element of a repeated one
    // named with its suffix: two digits, three for more than 99 elements).
    // Throws std::out_of_range when unknown; in a constant expression an
    // unknown name does not compile.
    constexpr FieldRef Field(std::string_view name) const {
        std::size_t offset = 0;
        for (const FieldDef& f : fields) {
            if (f.repeat == 1 && f.name == name) return {offset, f.capacity};
            const std::size_t digits = f.repeat > 99 ? 3 : 2;
            if (f.repeat > 1 && name.size() == f.name.size() + digits &&
                name.substr(0, f.name.size()) == f.name) {
                int i = 0;
                bool digitsOnly = true;
                for (const char c : name.substr(f.name.size())) {
                    digitsOnly = digitsOnly && c >= '0' && c <= '9';
                    i = i * 10 + (c - '0');
                }
                if (digitsOnly && i >= 1 && i <= f.repeat)
                    return {offset + std::size_t(i - 1) * std::size_t(f.capacity + 1), f.capacity};
            }
            offset += std::size_t(f.repeat) * std::size_t(f.capacity + 1);
        }
        throw std::out_of_range("campo sconosciuto: " + std::string(name));
    }

    // Element `index` (0-based) of the field `name`, plain or repeated.
    constexpr FieldRef Field(std::string_view name, int index) const {
        std::size_t offset = 0;
        for (const FieldDef& f : fields) {
            if (f.name == name && index >= 0 && index < f.repeat)
                return {offset + std::size_t(index) * std::size_t(f.capacity + 1), f.capacity};
            offset += std::size_t(f.repeat) * std::size_t(f.capacity + 1);
        }
        throw std::out_of_range("campo sconosciuto: " + std::string(name));
    }

    // Every field element in record order with its name ("DataPar01" for
    // the elements of a repeated field).
    struct Element {
        std::string name;
        FieldRef ref;
    };
    std::vector<Element> Elements() const;
};

// A record type from its table (a constant with static storage). Throws
// (does not compile, in a constant expression) on a capacity outside 1..255.
constexpr RecordType MakeRecordType(std::string_view name, std::span<const FieldDef> fields) {
    std::size_t s = 0;
    for (const FieldDef& f : fields) {
        if (f.capacity < 1 || f.capacity > 255 || f.repeat < 1 || f.repeat > 999)
            throw std::invalid_argument("capacita' non valida");
        s += std::size_t(f.repeat) * std::size_t(f.capacity + 1);
    }
    return RecordType{name, fields, s};
}

// Text of a field: the L bytes after the length byte (L read as the capacity
// when larger: a damaged length never reaches outside the field), decoded
// from windows-1252 and trimmed.
std::string LoadText(std::span<const std::uint8_t> record, FieldRef f);

// The stored bytes of a field (windows-1252, untrimmed): the L bytes after
// the length byte, L read as the capacity when larger.
std::string_view RawText(std::span<const std::uint8_t> record, FieldRef f);

// Stores a text into a field: trimmed, at most 255 characters, encoded in
// windows-1252 ("?" for a character it cannot hold), cut to the capacity.
// The bytes of the field after the text are zeroed.
void StoreText(std::span<std::uint8_t> record, FieldRef f, std::string_view text);

// A record's bytes seen through its type, without a copy (the bytes of a
// whole-archive pass, valid during the call).
class RecordView {
public:
    RecordView(const RecordType& type, std::span<const std::uint8_t> bytes) : type_(&type), bytes_(bytes) {}
    const RecordType& Type() const { return *type_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }
    std::string Get(FieldRef f) const { return LoadText(bytes_, f); }
    std::string Get(std::string_view field) const { return Get(type_->Field(field)); }

private:
    const RecordType* type_;
    std::span<const std::uint8_t> bytes_;
};

// A record buffer of one record type, zero-filled at creation.
class Record {
public:
    explicit Record(const RecordType& type) : type_(&type), bytes_(type.size, 0) {}

    const RecordType& Type() const { return *type_; }
    std::span<std::uint8_t> Bytes() { return bytes_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

    RecordView View() const { return RecordView(*type_, bytes_); }
    std::string Get(FieldRef f) const { return LoadText(bytes_, f); }
    void Set(FieldRef f, std::string_view text) { StoreText(bytes_, f, text); }
    std::string Get(std::string_view field) const { return Get(type_->Field(field)); }
    void Set(std::string_view field, std::string_view text) { Set(type_->Field(field), text); }

private:
    const RecordType* type_;
    std::vector<std::uint8_t> bytes_;
};

} // namespace common
