#include "common/ListLines.h"

#include <algorithm>

#include "platform/rtl/Text.h"

namespace common {

namespace {
inline char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline char LowerByte(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string LowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = LowerByte(c);
    return out;
}
} // namespace

RigaLista& RigaLista::testo(std::string_view fixed) {
    line_ += fixed;
    return *this;
}

RigaLista& RigaLista::colonna(std::string_view value, std::size_t width) {
    const std::string v = rtl::Trim(value);
    // Count characters up to the width, cutting at the first one beyond it.
    std::size_t chars = 0, cut = v.size();
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (IsContinuation(v[i])) continue;
        if (chars == width) { cut = i; break; }
        ++chars;
    }
    line_.append(v, 0, cut);
    if (chars < width) line_.append(width - chars, ' ');
    return *this;
}

RigaLista& RigaLista::ultima(std::string_view value) {
    line_ += rtl::Trim(value);
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

std::string ChiaveOrdinamento(std::string_view line) {
    std::string key(line);
    for (char& c : key) c = UpperByte(c);
    return key;
}

void OrdinaVoci(std::vector<VoceLista>& voci) {
    // Sort by precomputed keys: one upper-casing per line, not per comparison.
    struct Keyed {
        std::string key;
        std::size_t index;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(voci.size());
    for (std::size_t i = 0; i < voci.size(); ++i) keyed.push_back({ChiaveOrdinamento(voci[i].riga), i});
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
        return a.key < b.key;
    });
    std::vector<VoceLista> sorted;
    sorted.reserve(voci.size());
    for (const Keyed& k : keyed) sorted.push_back(std::move(voci[k.index]));
    voci = std::move(sorted);
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
