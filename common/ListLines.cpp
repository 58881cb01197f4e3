#include "common/ListLines.h"

#include <algorithm>

#include "common/Archive.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {
inline char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline char LowerByte(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

using rtl::LowerAscii;

// Appends windows-1252 bytes as UTF-8; the common all-ASCII case is a copy.
void AppendDecoded(std::string& out, std::string_view bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            out += rtl::Cp1252ToUtf8(bytes);
            return;
        }
    out += bytes;
}
} // namespace

RigaLista& RigaLista::testo(std::string_view fixed) {
    line_ += fixed;
    return *this;
}

RigaLista& RigaLista::colonna(std::string_view value, std::size_t width) {
    const std::string_view v = rtl::TrimView(value);
    // Count characters up to the width, cutting at the first one beyond it.
    std::size_t chars = 0, cut = v.size();
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (IsContinuation(v[i])) continue;
        if (chars == width) { cut = i; break; }
        ++chars;
    }
    line_.append(v.substr(0, cut));
    if (chars < width) line_.append(width - chars, ' ');
    return *this;
}

RigaLista& RigaLista::ultima(std::string_view value) {
    line_ += rtl::TrimView(value);
    return *this;
}

RigaLista& RigaLista::colonna(const RecordView& record, FieldRef field, std::size_t width) {
    // One stored byte is one character: cut and pad on the bytes.
    std::string_view raw = rtl::TrimView(RawText(record.bytes(), field));
    if (raw.size() > width) raw = raw.substr(0, width);
    AppendDecoded(line_, raw);
    line_.append(width - raw.size(), ' ');
    return *this;
}

RigaLista& RigaLista::ultima(const RecordView& record, FieldRef field) {
    AppendDecoded(line_, rtl::TrimView(RawText(record.bytes(), field)));
    return *this;
}

bool PrecedeInLista(std::string_view a, std::string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto x = static_cast<unsigned char>(UpperByte(a[i]));
        const auto y = static_cast<unsigned char>(UpperByte(b[i]));
        if (x != y) return x < y;
    }
    return a.size() < b.size();
}

void OrdinaVoci(std::vector<VoceLista>& voci) {
    // The upper-cased keys lie in one buffer; each entry sorts first by its
    // first 16 key bytes packed big-endian into two words (zero-padded, so a
    // shorter key that begins a longer one comes first) and, on a tie, by the
    // rest of the key. Equal lines keep the file order.
    std::string chiavi;
    std::vector<std::size_t> inizio(voci.size() + 1);
    std::size_t totale = 0;
    for (const VoceLista& v : voci) totale += v.riga.size();
    chiavi.resize(totale);
    std::size_t p = 0;
    for (std::size_t i = 0; i < voci.size(); ++i) {
        inizio[i] = p;
        for (char c : voci[i].riga) chiavi[p++] = UpperByte(c);
    }
    inizio[voci.size()] = p;

    struct Chiave {
        std::uint64_t alto, basso;
        std::uint32_t indice;
    };
    std::vector<Chiave> ordine(voci.size());
    for (std::size_t i = 0; i < voci.size(); ++i) {
        const std::size_t len = inizio[i + 1] - inizio[i];
        std::uint64_t w[2] = {0, 0};
        for (std::size_t j = 0; j < 16 && j < len; ++j)
            w[j / 8] |= std::uint64_t(static_cast<unsigned char>(chiavi[inizio[i] + j])) << (56 - 8 * (j % 8));
        ordine[i] = {w[0], w[1], std::uint32_t(i)};
    }
    std::sort(ordine.begin(), ordine.end(), [&](const Chiave& a, const Chiave& b) {
        if (a.alto != b.alto) return a.alto < b.alto;
        if (a.basso != b.basso) return a.basso < b.basso;
        const std::string_view x(chiavi.data() + inizio[a.indice], inizio[a.indice + 1] - inizio[a.indice]);
        const std::string_view y(chiavi.data() + inizio[b.indice], inizio[b.indice + 1] - inizio[b.indice]);
        const int c = x.compare(y);
        return c != 0 ? c < 0 : a.indice < b.indice;
    });
    std::vector<VoceLista> ordinate;
    ordinate.reserve(voci.size());
    for (const Chiave& k : ordine) ordinate.push_back(std::move(voci[k.indice]));
    voci = std::move(ordinate);
}

void CostruisciVoci(std::vector<VoceLista>& voci, const std::string& path, const RecordType& type,
                    const RigaDiRecord& riga, bool ordinata) {
    voci.clear();
    try {
        Archivio archivio(path, type);
        voci.reserve(std::size_t(archivio.Conta()));
        archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
            if (auto line = riga(r)) voci.push_back({std::move(*line), std::uint32_t(numero)});
        });
    } catch (...) {
        if (ordinata) OrdinaVoci(voci);
        throw;
    }
    if (ordinata) OrdinaVoci(voci);
}

int TrovaSuccessiva(std::span<const std::string> lines, int selected, std::string_view findText,
                    std::string& remembered) {
    const int count = int(lines.size());
    if (count == 0) return -1;
    if (selected < 0 || selected >= count) selected = 0;
    const std::string needle = LowerAscii(findText);
    auto holds = [&](int i) {
        return !needle.empty() && LowerAscii(lines[std::size_t(i)]).find(needle) != std::string::npos;
    };
    int found = -1;
    if (needle != remembered) {
        if (holds(0)) found = 0;
        for (int i = 1; found < 0 && i < count; ++i)
            if (holds(i)) found = i;
    } else {
        for (int step = 1; found < 0 && step <= count; ++step) {
            const int i = (selected + step) % count;
            if (holds(i)) found = i;
        }
    }
    remembered = needle;
    return found >= 0 ? found : selected;
}

RicercaMultipla::RicercaMultipla(std::span<const Criterio> criteri) {
    for (const Criterio& c : criteri)
        if (!rtl::Trim(c.testo).empty()) needles_.push_back({LowerAscii(c.testo), c.campo});
}

bool RicercaMultipla::corrisponde(std::span<const std::uint8_t> record) const {
    for (const Needle& n : needles_)
        if (LowerAscii(LoadText(record, n.campo)).find(n.text) == std::string::npos) return false;
    return true;
}

} // namespace common
