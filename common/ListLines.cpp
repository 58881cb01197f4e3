#include "common/ListLines.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common/Archive.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {
inline char UpperByte(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
inline char LowerByte(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

using rtl::LowerAscii;

// Appends windows-1252 bytes as UTF-8; the common all-ASCII case is a copy
// (the test for a high byte runs over the whole text, without a branch per
// byte).
void AppendDecoded(std::string& out, std::string_view bytes) {
    unsigned char any = 0;
    for (char c : bytes) any |= static_cast<unsigned char>(c);
    if (any < 0x80)
        out += bytes;
    else
        out += rtl::Cp1252ToUtf8(bytes);
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

namespace {

// A sort key: 24 bytes of a line from a given depth, upper-cased (a-z) and
// packed big-endian into three words, zero-padded past the end of the
// line; with the line's length and its index in the entries.
constexpr std::size_t kByteChiave = 24;
struct Chiave {
    std::uint64_t parola[3];
    std::uint32_t lunghezza;
    std::uint32_t indice;
};

// Eight bytes read big-endian, with a-z turned into A-Z all at once: a byte
// is a lower-case letter when its low seven bits reach 'a' but not past 'z'
// and its high bit is clear; 0x20 comes off each such byte.
std::uint64_t ParolaMaiuscola(const unsigned char* p) {
    std::uint64_t x = 0;
    for (int i = 0; i < 8; ++i) x = x << 8 | p[i];
    constexpr std::uint64_t kUno = 0x0101010101010101ull, kAlto = 0x8080808080808080ull;
    const std::uint64_t sette = x & ~kAlto;
    const std::uint64_t daA = sette + kUno * (0x80 - 'a');
    const std::uint64_t oltreZ = sette + kUno * (0x80 - 'z' - 1);
    const std::uint64_t minuscole = daA & ~oltreZ & ~x & kAlto;
    return x - (minuscole >> 2);
}

Chiave Impacca(const std::string& line, std::size_t depth, std::uint32_t indice) {
    unsigned char b[kByteChiave] = {};
    const std::size_t n = line.size() > depth ? std::min(kByteChiave, line.size() - depth) : 0;
    std::memcpy(b, line.data() + depth, n);
    return {{ParolaMaiuscola(b), ParolaMaiuscola(b + 8), ParolaMaiuscola(b + 16)}, std::uint32_t(line.size()), indice};
}

bool StessiByte(const Chiave& a, const Chiave& b) {
    return a.parola[0] == b.parola[0] && a.parola[1] == b.parola[1] && a.parola[2] == b.parola[2];
}

bool PrecedeChiave(const Chiave& a, const Chiave& b) {
    for (int w = 0; w < 3; ++w)
        if (a.parola[w] != b.parola[w]) return a.parola[w] < b.parola[w];
    return a.indice < b.indice;
}

// A stable sort of keys by their bytes: least significant byte first, one
// counting pass per byte, skipping the bytes that every key shares.
void OrdinaPerByte(Chiave* first, Chiave* last, std::vector<Chiave>& spare) {
    const std::size_t n = std::size_t(last - first);
    std::uint64_t tutti[3] = {~0ull, ~0ull, ~0ull}, alcuni[3] = {0, 0, 0};
    for (const Chiave* c = first; c != last; ++c)
        for (int w = 0; w < 3; ++w) {
            tutti[w] &= c->parola[w];
            alcuni[w] |= c->parola[w];
        }
    spare.resize(std::max(spare.size(), n));
    Chiave* from = first;
    Chiave* to = spare.data();
    std::uint32_t count[256];
    for (int w = 2; w >= 0; --w)
        for (int shift = 0; shift < 64; shift += 8) {
            if (((tutti[w] ^ alcuni[w]) >> shift & 0xFF) == 0) continue;   // the same in every key
            std::fill(count, count + 256, 0);
            for (std::size_t i = 0; i < n; ++i) ++count[from[i].parola[w] >> shift & 0xFF];
            std::uint32_t sum = 0;
            for (std::uint32_t& c : count) {
                const std::uint32_t here = c;
                c = sum;
                sum += here;
            }
            for (std::size_t i = 0; i < n; ++i) to[count[from[i].parola[w] >> shift & 0xFF]++] = from[i];
            std::swap(from, to);
        }
    if (from != first) std::copy(from, from + n, first);
}

// Sorts keys whose lines agree on their first `depth` bytes (read a-z as
// A-Z) and that come in the order of their indices: by the next bytes;
// among lines that agree on those too, the lines that end within them by
// length (the shorter is the start of the longer) before the others, which
// go on by the bytes after them. Equal lines keep the order of their
// indices.
void OrdinaChiavi(Chiave* first, Chiave* last, const std::vector<VoceLista>& voci, std::size_t depth,
                  std::vector<Chiave>& spare) {
    if (last - first > 256)
        OrdinaPerByte(first, last, spare);
    else
        std::sort(first, last, PrecedeChiave);
    const std::size_t next = depth + kByteChiave;
    for (Chiave* i = first; i != last;) {
        Chiave* j = i + 1;
        while (j != last && StessiByte(*i, *j)) ++j;
        if (j - i > 1) {
            // Lines that end here (by length), then the others.
            std::sort(i, j, [next](const Chiave& a, const Chiave& b) {
                const bool ea = a.lunghezza <= next, eb = b.lunghezza <= next;
                if (ea != eb) return ea;
                if (ea && a.lunghezza != b.lunghezza) return a.lunghezza < b.lunghezza;
                return a.indice < b.indice;
            });
            Chiave* rest = std::find_if(i, j, [next](const Chiave& c) { return c.lunghezza > next; });
            if (j - rest > 1 && j - rest <= 32) {
                // A few lines: compared byte by byte after the shared ones.
                std::sort(rest, j, [&](const Chiave& a, const Chiave& b) {
                    const std::string& x = voci[a.indice].riga;
                    const std::string& y = voci[b.indice].riga;
                    const std::size_t n = std::min(x.size(), y.size());
                    for (std::size_t k = next; k < n; ++k) {
                        const auto p = static_cast<unsigned char>(UpperByte(x[k]));
                        const auto q = static_cast<unsigned char>(UpperByte(y[k]));
                        if (p != q) return p < q;
                    }
                    return x.size() != y.size() ? x.size() < y.size() : a.indice < b.indice;
                });
            } else if (j - rest > 1) {
                for (Chiave* c = rest; c != j; ++c) *c = Impacca(voci[c->indice].riga, next, c->indice);
                OrdinaChiavi(rest, j, voci, next, spare);
            }
        }
        i = j;
    }
}

} // namespace

void OrdinaVoci(std::vector<VoceLista>& voci) {
    // Each entry sorts by a packed key of its first bytes, which holds the
    // whole line for most lists; only lines that share those bytes look
    // further. Equal lines keep the file order.
    if (voci.size() < 2) return;
    std::vector<Chiave> chiavi(voci.size());
    for (std::size_t i = 0; i < voci.size(); ++i) chiavi[i] = Impacca(voci[i].riga, 0, std::uint32_t(i));
    std::vector<Chiave> spare;
    OrdinaChiavi(chiavi.data(), chiavi.data() + chiavi.size(), voci, 0, spare);
    // The entries move into their places in place, cycle by cycle: the
    // key at place p names the entry that goes there.
    constexpr std::uint32_t kMesso = ~std::uint32_t(0);
    for (std::size_t start = 0; start < chiavi.size(); ++start) {
        if (chiavi[start].indice == kMesso || chiavi[start].indice == start) continue;
        VoceLista primo = std::move(voci[start]);
        std::size_t p = start;
        for (;;) {
            const std::size_t from = chiavi[p].indice;
            chiavi[p].indice = kMesso;
            if (from == start) {
                voci[p] = std::move(primo);
                break;
            }
            voci[p] = std::move(voci[from]);
            p = from;
        }
    }
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
