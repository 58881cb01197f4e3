#include "tests/support/ListReference.h"

#include "common/Archive.h"
#include "platform/rtl/Text.h"

namespace ts {

namespace {
bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Reads the archive once, handing each record and its number to `each`;
// then sorts the entries when asked (those built so far when reading fails,
// which is rethrown).
template <class Voci>
void Leggi(Voci& voci, const std::string& path, const common::RecordType& type, bool ordinata,
           const std::function<void(std::int64_t, const common::RecordView&)>& each) {
    voci.clear();
    try {
        common::Archivio archivio(path, type);
        archivio.PerOgni(each);
    } catch (...) {
        if (ordinata) common::OrdinaVoci(voci);
        throw;
    }
    if (ordinata) common::OrdinaVoci(voci);
}
} // namespace

RigaLista& RigaLista::Testo(std::string_view fixed) {
    line_ += fixed;
    return *this;
}

RigaLista& RigaLista::Colonna(std::string_view value, std::size_t width) {
    const std::string_view v = rtl::TrimView(value);
    // Count characters up to the width, cutting at the first one beyond it.
    std::size_t chars = 0, cut = v.size();
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (IsContinuation(v[i])) continue;
        if (chars == width) {
            cut = i;
            break;
        }
        ++chars;
    }
    line_.append(v.substr(0, cut));
    if (chars < width) line_.append(width - chars, ' ');
    return *this;
}

RigaLista& RigaLista::Ultima(std::string_view value) {
    line_ += rtl::TrimView(value);
    return *this;
}

RigaLista& RigaLista::Colonna(const common::RecordView& record, common::FieldRef field, std::size_t width) {
    // One stored byte is one character: cut and pad on the bytes.
    std::string_view raw = rtl::TrimView(common::RawText(record.Bytes(), field));
    if (raw.size() > width) raw = raw.substr(0, width);
    rtl::AppendCp1252AsUtf8(line_, raw);
    line_.append(width - raw.size(), ' ');
    return *this;
}

RigaLista& RigaLista::Ultima(const common::RecordView& record, common::FieldRef field) {
    rtl::AppendCp1252AsUtf8(line_, rtl::TrimView(common::RawText(record.Bytes(), field)));
    return *this;
}

void CostruisciVoci(std::vector<common::VoceLista>& voci, const std::string& path,
                    const common::RecordType& type, const RigaDiRecord& riga, bool ordinata) {
    Leggi(voci, path, type, ordinata, [&](std::int64_t numero, const common::RecordView& r) {
        if (auto line = riga(r)) voci.push_back({std::move(*line), std::uint32_t(numero)});
    });
}

void CostruisciVoci(common::VociLista& voci, const std::string& path, const common::RecordType& type,
                    const RigaDiRecord& riga, bool ordinata) {
    Leggi(voci, path, type, ordinata, [&](std::int64_t numero, const common::RecordView& r) {
        if (auto line = riga(r)) {
            voci.righe.push_back(*line);
            voci.numeri.push_back(std::uint32_t(numero));
        }
    });
}

} // namespace ts
