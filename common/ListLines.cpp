#include "common/ListLines.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <exception>
#include <memory>
#include <stdexcept>
#include <utility>

#include "common/Archive.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {
// Room a line's buffer keeps beyond its longest line, and the bytes a short
// copy may read past its text: copies of up to this many bytes move a whole
// block at once (their excess is overwritten by what follows, or lies past
// the line's end).
constexpr std::size_t kMargine = 32;

inline char UpperByte(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
inline char LowerByte(char c) {
    return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
}

bool IsContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

using rtl::LowerAscii;

// Appends windows-1252 bytes as UTF-8; the common all-ASCII case is a copy
// (the test for a high byte runs over the whole text, without a branch per
// byte).
void AppendDecoded(std::string& out, std::string_view bytes) {
    unsigned char any = 0;
    for (char c : bytes)
        any |= static_cast<unsigned char>(c);
    if (any < 0x80)
        out += bytes;
    else
        rtl::AppendCp1252AsUtf8(out, bytes);
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

FormatoRiga& FormatoRiga::testo(std::string_view fixed) {
    Parte p;
    p.fisso = std::string(fixed) + std::string(kMargine, '\0');
    p.lunghezzaFisso = fixed.size();
    massimo_ += fixed.size();
    parti_.push_back(std::move(p));
    return *this;
}

FormatoRiga& FormatoRiga::Aggiungi(std::initializer_list<std::string_view> campi, std::size_t width,
                                   bool ultima) {
    if (campi.size() == 0) throw std::invalid_argument("colonna senza campi");
    Parte p;
    std::size_t stored = 0;
    for (std::string_view campo : campi) {
        p.campi.push_back(type_->field(campo));
        stored += std::size_t(p.campi.back().capacity) + 1;
    }
    p.larghezza = width;
    p.ultima = ultima;
    // A stored byte takes at most three bytes in UTF-8; a column is cut to
    // its width and padded with blanks.
    massimo_ += ultima ? 3 * stored : 3 * width;
    if (campi.size() > 1) unitoMax_ = std::max(unitoMax_, stored);
    parti_.push_back(std::move(p));
    return *this;
}

FormatoRiga& FormatoRiga::colonna(std::string_view campo, std::size_t width) {
    return Aggiungi({campo}, width, false);
}
FormatoRiga& FormatoRiga::colonna(std::initializer_list<std::string_view> campi, std::size_t width) {
    return Aggiungi(campi, width, false);
}
FormatoRiga& FormatoRiga::ultima(std::string_view campo) {
    return Aggiungi({campo}, 0, true);
}
FormatoRiga& FormatoRiga::ultima(std::initializer_list<std::string_view> campi) {
    return Aggiungi(campi, 0, true);
}

namespace {

// The trimmed stored text of a field (its length byte read as the capacity
// when larger), from a record known to be long enough.
std::string_view CampoRifilato(const char* record, FieldRef f) {
    std::size_t n =
        std::min<std::size_t>(static_cast<unsigned char>(record[f.offset]), std::size_t(f.capacity));
    const char* v = record + f.offset + 1;
    while (n > 0 && static_cast<unsigned char>(v[n - 1]) <= 32)
        --n;
    while (n > 0 && static_cast<unsigned char>(*v) <= 32) {
        ++v;
        --n;
    }
    return {v, n};
}

// The UTF-8 form of the bytes 0x80 to 0xFF of the code page.
struct Utf8Alto {
    char byte[3];
    unsigned char n;
};
const Utf8Alto* TabellaAlta() {
    static const auto tabella = [] {
        std::array<Utf8Alto, 128> t{};
        for (int b = 0x80; b <= 0xFF; ++b) {
            const std::string u = rtl::Cp1252ToUtf8(std::string(1, char(b)));
            Utf8Alto& e = t[std::size_t(b - 0x80)];
            e.n = static_cast<unsigned char>(u.size());
            std::memcpy(e.byte, u.data(), u.size());
        }
        return t;
    }();
    return tabella.data();
}

// Copies `n` bytes, `n` at most kMargine when `src` may be read kMargine
// bytes on and `dst` written kMargine bytes on.
inline void CopiaBreve(char* dst, const char* src, std::size_t n, bool leggibile) {
    if (n <= kMargine && leggibile)
        std::memcpy(dst, src, kMargine);
    else
        std::memcpy(dst, src, n);
}

// Writes stored bytes decoded from windows-1252 at `out`; returns the end.
// `leggibile`: kMargine bytes may be read from the start of `bytes`.
// Whether any of the `n` bytes at `p` is 0x80 or above; `leggibile`:
// kMargine bytes may be read from `p`.
inline bool HaAlti(const char* p, std::size_t n, bool leggibile) {
    if (leggibile && n <= kMargine) {
        // Four words read at once, the bytes past `n` masked off.
        std::uint64_t w[4];
        std::memcpy(w, p, sizeof w);
        std::uint64_t any = 0;
        for (std::size_t k = 0; k < 4; ++k) {
            const std::size_t validi = n > 8 * k ? std::min<std::size_t>(n - 8 * k, 8) : 0;
            std::uint64_t m = validi == 8 ? ~std::uint64_t(0) : (std::uint64_t(1) << (8 * validi)) - 1;
            if constexpr (std::endian::native == std::endian::big) m = __builtin_bswap64(m);
            any |= w[k] & m;
        }
        return (any & 0x8080808080808080ull) != 0;
    }
    unsigned char any = 0;
    for (std::size_t i = 0; i < n; ++i)
        any |= static_cast<unsigned char>(p[i]);
    return any >= 0x80;
}

char* Decodifica(char* out, std::string_view bytes, bool leggibile) {
    if (!HaAlti(bytes.data(), bytes.size(), leggibile)) {
        CopiaBreve(out, bytes.data(), bytes.size(), leggibile);
        return out + bytes.size();
    }
    const Utf8Alto* alto = TabellaAlta();
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            *out++ = c;
        } else {
            const Utf8Alto& e = alto[b - 0x80];
            std::memcpy(out, e.byte, 3);
            out += e.n;
        }
    }
    return out;
}

} // namespace

char* FormatoRiga::ScriviIn(char* out, std::span<const std::uint8_t> record) const {
    if (record.size() < type_->size)
        throw std::out_of_range("record troppo corto per " + std::string(type_->name));
    const char* base = reinterpret_cast<const char*>(record.data());
    const char* fineRecord = base + record.size();
    static const std::string kBianchi(kMargine, ' ');
    for (const Parte& p : parti_) {
        if (p.campi.empty()) {
            // The fixed text is kept with kMargine bytes after it.
            CopiaBreve(out, p.fisso.data(), p.lunghezzaFisso, true);
            out += p.lunghezzaFisso;
            continue;
        }
        std::string_view value;
        bool leggibile;
        if (p.campi.size() == 1) {
            value = CampoRifilato(base, p.campi[0]);
            leggibile = fineRecord - value.data() >= std::ptrdiff_t(kMargine);
        } else {
            // Trimmed fields joined by one blank, the whole trimmed.
            if (unito_.size() < unitoMax_ + kMargine) unito_.resize(unitoMax_ + kMargine);
            std::size_t n = 0;
            for (std::size_t i = 0; i < p.campi.size(); ++i) {
                const std::string_view f = CampoRifilato(base, p.campi[i]);
                if (i) unito_[n++] = ' ';
                std::memcpy(unito_.data() + n, f.data(), f.size());
                n += f.size();
            }
            value = rtl::TrimView(std::string_view(unito_.data(), n));
            leggibile = true;
        }
        // One stored byte is one character: cut and pad on the bytes.
        if (!p.ultima && value.size() > p.larghezza) value = value.substr(0, p.larghezza);
        out = Decodifica(out, value, leggibile);
        if (!p.ultima) {
            if (p.larghezza - value.size() > kMargine)
                std::memset(out, ' ', p.larghezza - value.size());
            else
                std::memcpy(out, kBianchi.data(), kMargine);
            out += p.larghezza - value.size();
        }
    }
    return out;
}

void FormatoRiga::Scrivi(std::string& out, std::span<const std::uint8_t> record) const {
    const std::size_t start = out.size();
    out.resize(start + massimo_ + kMargine);
    out.resize(std::size_t(ScriviIn(out.data() + start, record) - out.data()));
}

std::string FormatoRiga::Riga(const RecordView& record) const {
    std::string out;
    Scrivi(out, record.bytes());
    return out;
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

// Eight bytes read big-endian, with a-z turned into A-Z all at once: a byte
// is a lower-case letter when its low seven bits reach 'a' but not past 'z'
// and its high bit is clear; 0x20 comes off each such byte.
std::uint64_t ParolaMaiuscola(const unsigned char* p) {
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    if constexpr (std::endian::native == std::endian::little) x = __builtin_bswap64(x);
    constexpr std::uint64_t kUno = 0x0101010101010101ull, kAlto = 0x8080808080808080ull;
    const std::uint64_t sette = x & ~kAlto;
    const std::uint64_t daA = sette + kUno * (0x80 - 'a');
    const std::uint64_t oltreZ = sette + kUno * (0x80 - 'z' - 1);
    const std::uint64_t minuscole = daA & ~oltreZ & ~x & kAlto;
    return x - (minuscole >> 2);
}

// The eight bytes of a line from `depth`, upper-cased (a-z) and packed
// big-endian, zero-padded past the end of the line.
std::uint64_t Parola(const char* dati, std::size_t lunghezza, std::size_t depth) {
    if (lunghezza >= depth + 8) return ParolaMaiuscola(reinterpret_cast<const unsigned char*>(dati + depth));
    unsigned char b[8] = {};
    if (lunghezza > depth) std::memcpy(b, dati + depth, lunghezza - depth);
    return ParolaMaiuscola(b);
}

// One entry being sorted: the words of its line at the depth being sorted
// and the two after it (loaded together: one visit serves three depths),
// the line's length and the entry's place among the entries (file order).
struct Elemento {
    std::uint64_t parola;
    std::uint64_t dopo[2];
    std::uint32_t lunghezza;
    std::uint32_t indice;
};

// Room for entries moved by a counting pass: taken as it is (the pass
// writes every entry it uses before reading it), never cleared first.
struct Riserva {
    std::unique_ptr<Elemento[]> dati;
    std::size_t n = 0;
    Elemento* Per(std::size_t m) {
        if (m > n) {
            dati = std::make_unique_for_overwrite<Elemento[]>(m);
            n = m;
        }
        return dati.get();
    }
};

// The bits in which the words of a group differ, packed into a narrow key
// that sorts as the words do: in each byte, the run of bits from its lowest
// differing bit to its highest (the bits around them are the same in every
// word), the bytes in their order. Digits and letters differ in a few low
// bits of their bytes: a date's day and month make a key of 11 bits.
struct ChiaveStretta {
    int parti = 0;
    int bits = 0;
    std::uint8_t da[8] = {}; // where the part starts in the word
    std::uint8_t a[8] = {};  // where it goes in the key
    std::uint64_t maschera[8] = {};

    explicit ChiaveStretta(std::uint64_t varia) {
        for (int b = 0; b < 8; ++b) {
            const unsigned m = unsigned(varia >> (8 * b)) & 0xFFu;
            if (m == 0) continue;
            const int basso = std::countr_zero(m), alto = 31 - std::countl_zero(m);
            const int largo = alto - basso + 1;
            da[parti] = std::uint8_t(8 * b + basso);
            a[parti] = std::uint8_t(bits);
            maschera[parti] = (std::uint64_t(1) << largo) - 1;
            bits += largo;
            ++parti;
        }
    }
    std::uint64_t operator()(std::uint64_t parola) const {
        std::uint64_t k = 0;
        for (int i = 0; i < parti; ++i)
            k |= (parola >> da[i] & maschera[i]) << a[i];
        return k;
    }
};

// A stable sort by word over the bits in which the words differ (`varia`):
// by their narrow key when it has at most 33 bits (up to three counting
// passes of 11 bits). Otherwise a large group is split first by its highest
// differing 11 bits, in one counting pass over it, and each part, small
// enough to stay in the cache, is then sorted on its own by the bits below;
// smaller groups sort least significant digit first, one counting pass per
// differing 8-bit digit.
void OrdinaPerParola(Elemento* first, std::size_t n, std::uint64_t varia, Riserva& spare,
                     std::vector<std::uint32_t>& count) {
    Elemento* const altrove = spare.Per(n);
    const ChiaveStretta chiave(varia);
    if (chiave.bits <= 33) {
        // Least significant digit first over the narrow key, in as few
        // passes of at most 11 bits as it takes.
        const int passi = (chiave.bits + 10) / 11;
        const int cifra = (chiave.bits + passi - 1) / passi;
        const std::uint64_t mask = (std::uint64_t(1) << cifra) - 1;
        count.resize(std::size_t(1) << cifra);
        Elemento* from = first;
        Elemento* to = altrove;
        for (int shift = 0; shift < chiave.bits; shift += cifra) {
            std::fill(count.begin(), count.end(), 0);
            for (std::size_t i = 0; i < n; ++i)
                ++count[chiave(from[i].parola) >> shift & mask];
            std::uint32_t sum = 0;
            for (std::uint32_t& c : count) {
                const std::uint32_t here = c;
                c = sum;
                sum += here;
            }
            for (std::size_t i = 0; i < n; ++i)
                to[count[chiave(from[i].parola) >> shift & mask]++] = from[i];
            std::swap(from, to);
        }
        if (from != first) std::copy(from, from + n, first);
        return;
    }
    if (n >= 16384) {
        // The highest 11 differing bits make the parts.
        const int alto = std::max(0, 63 - std::countl_zero(varia) - 10);
        const std::uint64_t sotto = alto == 0 ? 0 : varia & ((std::uint64_t(1) << alto) - 1);
        count.assign(2048, 0);
        for (std::size_t i = 0; i < n; ++i)
            ++count[first[i].parola >> alto & 0x7FF];
        std::uint32_t sum = 0;
        for (std::uint32_t& c : count) {
            const std::uint32_t here = c;
            c = sum;
            sum += here;
        }
        Elemento* parti = altrove;
        for (std::size_t i = 0; i < n; ++i)
            parti[count[first[i].parola >> alto & 0x7FF]++] = first[i];
        // count[d] is now where part d ends.
        if (sotto != 0) {
            Riserva spareParte;
            std::vector<std::uint32_t> countParte;
            std::size_t inizio = 0;
            for (const std::uint32_t fine : count) {
                if (fine - inizio > 1) {
                    // The bits in which this part's words differ (often far
                    // fewer than the whole group's).
                    std::uint64_t tutti = ~std::uint64_t(0), alcuni = 0;
                    for (std::size_t i = inizio; i < fine; ++i) {
                        tutti &= parti[i].parola;
                        alcuni |= parti[i].parola;
                    }
                    if (tutti != alcuni)
                        OrdinaPerParola(parti + inizio, fine - inizio, tutti ^ alcuni, spareParte,
                                        countParte);
                }
                inizio = fine;
            }
        }
        std::copy(parti, parti + n, first);
        return;
    }
    constexpr int bits = 8;
    constexpr std::uint64_t mask = 0xFF;
    count.resize(std::size_t(1) << bits);
    Elemento* from = first;
    Elemento* to = altrove;
    for (int shift = 0; shift < 64; shift += bits) {
        if ((varia >> shift & mask) == 0) continue;
        std::fill(count.begin(), count.end(), 0);
        for (std::size_t i = 0; i < n; ++i)
            ++count[from[i].parola >> shift & mask];
        std::uint32_t sum = 0;
        for (std::uint32_t& c : count) {
            const std::uint32_t here = c;
            c = sum;
            sum += here;
        }
        for (std::size_t i = 0; i < n; ++i)
            to[count[from[i].parola >> shift & mask]++] = from[i];
        std::swap(from, to);
    }
    if (from != first) std::copy(from, from + n, first);
}

// The words of the first bytes of every line, packed while each line was
// built (`kParolePronte` per line, in entry order): the first rounds of the
// sort read them from this one compact array, not from the lines.
constexpr std::size_t kParolePronte = 4;

// What the rounds of a sort share.
struct Ordinamento {
    const std::uint64_t* pronte = nullptr;      // kParolePronte words per entry, or null
    std::vector<const char*> righe;             // where each entry's line lies, or:
    const char* testo = nullptr;                // the buffer of the lines
    const ui::ListItems::Span* posti = nullptr; // and where each lies in it
    Riserva spare;
    std::vector<std::uint32_t> count;

    const char* Dati(const Elemento& e) const {
        return posti ? testo + posti[e.indice].offset : righe[e.indice];
    }
    // Whether the word at `depth` is in the compact array.
    bool Pronte(std::size_t depth) const { return pronte && depth / 8 < kParolePronte; }
    // Whether the two after it are there too (Carica reads no line).
    bool TuttePronte(std::size_t depth) const { return pronte && depth / 8 + 2 < kParolePronte; }
    // Asks for the packed words of `e` at `depth`, when they are there.
    void Chiedi(const Elemento& e, std::size_t depth) const {
        if (Pronte(depth)) __builtin_prefetch(pronte + std::size_t(e.indice) * kParolePronte + depth / 8);
    }
    // Loads the words of `e` at `depth` and the two after it.
    void Carica(Elemento& e, std::size_t depth) const {
        const std::size_t w = depth / 8;
        if (TuttePronte(depth)) {
            const std::uint64_t* p = pronte + std::size_t(e.indice) * kParolePronte + w;
            e.parola = p[0];
            e.dopo[0] = p[1];
            e.dopo[1] = p[2];
            return;
        }
        std::uint64_t* out[3] = {&e.parola, &e.dopo[0], &e.dopo[1]};
        for (std::size_t k = 0; k < 3; ++k)
            *out[k] = pronte && w + k < kParolePronte ? pronte[std::size_t(e.indice) * kParolePronte + w + k]
                                                      : Parola(Dati(e), e.lunghezza, depth + 8 * k);
    }

    // The full rule from `depth` on, for the few entries of a small group:
    // bytes read a-z as A-Z, a text that begins another first, then file
    // order.
    bool PrecedeDa(const Elemento& a, const Elemento& b, std::size_t depth) const {
        const char* da = Dati(a);
        const char* db = Dati(b);
        const std::size_t n = std::min(a.lunghezza, b.lunghezza);
        std::size_t k = depth;
        // Eight bytes at a time while both lines have them, then byte by byte.
        for (; k + 8 <= n; k += 8) {
            const std::uint64_t x = ParolaMaiuscola(reinterpret_cast<const unsigned char*>(da + k));
            const std::uint64_t y = ParolaMaiuscola(reinterpret_cast<const unsigned char*>(db + k));
            if (x != y) return x < y;
        }
        for (; k < n; ++k) {
            const auto p = static_cast<unsigned char>(UpperByte(da[k]));
            const auto q = static_cast<unsigned char>(UpperByte(db[k]));
            if (p != q) return p < q;
        }
        return a.lunghezza != b.lunghezza ? a.lunghezza < b.lunghezza : a.indice < b.indice;
    }
};

// Sorts entries whose lines agree on their first `depth` bytes (read a-z as
// A-Z) and that come in file order. `pronte`: how many of their words from
// this depth are in place (0 to 3: `parola`, then `dopo`).
// Each round sorts by the next eight bytes; among the lines that agree on
// those too, the lines that end within them come first (by length: the
// shorter is the start of the longer), and the others go on by the eight
// bytes after. Equal lines keep the file order.
void OrdinaDa(Elemento* first, Elemento* last, std::size_t depth, int pronte, Ordinamento& o) {
    for (;;) {
        const std::size_t n = std::size_t(last - first);
        if (n < 2) return;
        if (n <= 16 && pronte == 0 && !o.Pronte(depth)) {
            // A few lines whose words would come from the lines themselves:
            // compared byte by byte.
            std::sort(first, last,
                      [&o, depth](const Elemento& a, const Elemento& b) { return o.PrecedeDa(a, b, depth); });
            return;
        }
        std::uint64_t tutti = ~std::uint64_t(0), alcuni = 0;
        std::uint32_t corta = ~std::uint32_t(0);
        const bool dalleRighe = pronte == 0 && !o.Pronte(depth);
        for (Elemento* e = first; e != last; ++e) {
            // The lines, or their packed words, lie all over memory once the
            // entries are reordered: ask for those a few entries on while
            // this one is read.
            if (pronte == 0 && last - e > 24) {
                if (!o.TuttePronte(depth)) {
                    // The bytes Carica reads from the line (two cache lines at most).
                    const char* riga = o.Dati(e[24]) + depth + (dalleRighe ? 0 : 8);
                    __builtin_prefetch(riga);
                    __builtin_prefetch(riga + 23);
                }
                if (!dalleRighe) o.Chiedi(e[24], depth);
            }
            if (pronte == 0) o.Carica(*e, depth);
            tutti &= e->parola;
            alcuni |= e->parola;
            corta = std::min(corta, e->lunghezza);
        }
        if (pronte == 0) pronte = 3;
        if (tutti == alcuni && corta > depth + 8) {
            // Every line goes on past these eight bytes, all alike (lines
            // that begin with the same long text): straight to the next.
            if (pronte > 1)
                for (Elemento* e = first; e != last; ++e) {
                    e->parola = e->dopo[0];
                    e->dopo[0] = e->dopo[1];
                }
            depth += 8;
            pronte -= 1;
            continue;
        }
        if (tutti != alcuni) {
            if (n > 256)
                OrdinaPerParola(first, n, tutti ^ alcuni, o.spare, o.count);
            else
                std::sort(first, last, [](const Elemento& a, const Elemento& b) {
                    return a.parola != b.parola ? a.parola < b.parola : a.indice < b.indice;
                });
        }
        const std::size_t next = depth + 8;
        // The words of the next depth already in place (moved up there).
        const int dopo = pronte - 1;
        // Each run of equal words: the lines that end in it first, by
        // length; the others are sorted further. The largest run is sorted
        // by this loop, the others by a call of their own.
        Elemento* bigFirst = nullptr;
        Elemento* bigLast = nullptr;
        for (Elemento* i = first; i != last;) {
            Elemento* j = i + 1;
            while (j != last && j->parola == i->parola)
                ++j;
            if (j - i > 1) {
                Elemento* rest = i;
                if (std::any_of(i, j, [next](const Elemento& e) { return e.lunghezza <= next; })) {
                    std::sort(i, j, [next](const Elemento& a, const Elemento& b) {
                        const bool ea = a.lunghezza <= next, eb = b.lunghezza <= next;
                        if (ea != eb) return ea;
                        if (ea && a.lunghezza != b.lunghezza) return a.lunghezza < b.lunghezza;
                        return a.indice < b.indice;
                    });
                    rest = std::find_if(i, j, [next](const Elemento& e) { return e.lunghezza > next; });
                }
                if (j - rest > 1) {
                    if (dopo > 0)
                        for (Elemento* e = rest; e != j; ++e) {
                            e->parola = e->dopo[0];
                            e->dopo[0] = e->dopo[1];
                        }
                    if (j - rest <= 16) {
                        // A few lines (most runs are pairs): sorted here, by
                        // their word at `next` when they differ in it (the
                        // word they hold, or the one packed while the line
                        // was built), else byte by byte.
                        const bool conParola = dopo > 0 || o.Pronte(next);
                        if (dopo == 0 && conParola)
                            for (Elemento* e = rest; e != j; ++e)
                                o.Carica(*e, next);
                        const auto precede = [&o, next, conParola](const Elemento& a, const Elemento& b) {
                            if (conParola && a.parola != b.parola) return a.parola < b.parola;
                            return o.PrecedeDa(a, b, next);
                        };
                        if (j - rest == 2) {
                            if (precede(rest[1], rest[0])) std::swap(rest[0], rest[1]);
                        } else {
                            std::sort(rest, j, precede);
                        }
                    } else if (j - rest > bigLast - bigFirst) {
                        if (bigFirst) OrdinaDa(bigFirst, bigLast, next, dopo, o);
                        bigFirst = rest;
                        bigLast = j;
                    } else {
                        OrdinaDa(rest, j, next, dopo, o);
                    }
                }
            }
            i = j;
        }
        if (!bigFirst) return;
        first = bigFirst;
        last = bigLast;
        depth = next;
        pronte = dopo;
    }
}

// Sorts `n` lines (`riga(i)` the i-th, in entry order) and returns them as
// sorted elements, each with its entry's index; `parole`, when it holds
// kParolePronte words per entry, the packed first bytes of each line;
// `voci`, when given, the buffer that holds the lines.
template <class Riga>
std::vector<Elemento> Ordina(std::size_t n, const Riga& riga, const std::vector<std::uint64_t>& parole,
                             const ui::ListItems* voci = nullptr) {
    Ordinamento o;
    if (parole.size() == kParolePronte * n) o.pronte = parole.data();
    std::vector<Elemento> elementi;
    elementi.reserve(n);
    if (voci) {
        o.testo = voci->text();
        o.posti = voci->spans().data();
        for (std::size_t i = 0; i < n; ++i)
            elementi.push_back({0, {0, 0}, o.posti[i].length, std::uint32_t(i)});
    } else {
        o.righe.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string_view r = riga(i);
            elementi.push_back({0, {0, 0}, std::uint32_t(r.size()), std::uint32_t(i)});
            o.righe.push_back(r.data());
        }
    }
    OrdinaDa(elementi.data(), elementi.data() + elementi.size(), 0, 0, o);
    return elementi;
}

void OrdinaConParole(std::vector<VoceLista>& voci, const std::vector<std::uint64_t>& parole) {
    if (voci.size() < 2) return;
    const std::vector<Elemento> elementi = Ordina(
        voci.size(), [&](std::size_t i) { return std::string_view(voci[i].riga); }, parole);
    // The entries in their order, taken one by one (independent reads, not
    // a chain of moves).
    std::vector<VoceLista> ordinate;
    ordinate.reserve(voci.size());
    for (std::size_t k = 0; k < elementi.size(); ++k) {
        if (k + 8 < elementi.size()) __builtin_prefetch(&voci[elementi[k + 8].indice]);
        ordinate.push_back(std::move(voci[elementi[k].indice]));
    }
    voci = std::move(ordinate);
}

// The same over lines in one buffer: only their places and numbers move.
void OrdinaConParole(VociLista& voci, const std::vector<std::uint64_t>& parole) {
    const std::size_t n = voci.righe.size();
    if (n < 2) return;
    const std::vector<Elemento> elementi = Ordina(
        n, [&](std::size_t i) { return std::string_view(voci.righe[i]); }, parole, &voci.righe);
    std::vector<std::uint32_t> ordine(n), numeri(n);
    for (std::size_t k = 0; k < n; ++k) {
        ordine[k] = elementi[k].indice;
        numeri[k] = voci.numeri[elementi[k].indice];
    }
    voci.righe.Reorder(ordine);
    voci.numeri = std::move(numeri);
}

// Appends the packed words of a line's first bytes.
void AggiungiParole(std::vector<std::uint64_t>& parole, std::string_view riga) {
    for (std::size_t w = 0; w < kParolePronte; ++w)
        parole.push_back(Parola(riga.data(), riga.size(), 8 * w));
}

// The same for a line written with kParolePronte * 8 bytes of room after it,
// which are zeroed here (as the words are padded) and then read at once.
void AggiungiParoleConMargine(std::vector<std::uint64_t>& parole, char* riga, std::size_t lunghezza) {
    static_assert(kParolePronte * 8 <= kMargine);
    std::memset(riga + lunghezza, 0, kParolePronte * 8);
    for (std::size_t w = 0; w < kParolePronte; ++w)
        parole.push_back(ParolaMaiuscola(reinterpret_cast<const unsigned char*>(riga + 8 * w)));
}

// Reads the archive at `path` once, in file order, handing each record and
// its number to `each`; then sorts the entries when asked (those built so
// far when reading fails, which is rethrown). The words of each line are
// packed by `each` into `parole` while the line is still in the cache.
template <class Voci, class Each>
void Leggi(Voci& voci, const std::string& path, const RecordType& type, bool ordinata, const Each& each) {
    std::vector<std::uint64_t> parole;
    try {
        Archivio archivio(path, type);
        each(archivio, parole);
    } catch (...) {
        // Whatever failed, the entries so far are sorted; the failure goes on.
        if (ordinata) OrdinaConParole(voci, parole);
        throw;
    }
    if (ordinata) OrdinaConParole(voci, parole);
}

} // namespace

void OrdinaVoci(std::vector<VoceLista>& voci) {
    // Each entry sorts by its first eight bytes, packed into one word; only
    // lines that share them look further, eight bytes at a time. Equal lines
    // keep the file order.
    OrdinaConParole(voci, {});
}

void OrdinaVoci(VociLista& voci) {
    OrdinaConParole(voci, {});
}

void CostruisciVoci(std::vector<VoceLista>& voci, const std::string& path, const RecordType& type,
                    const RigaDiRecord& riga, bool ordinata) {
    voci.clear();
    Leggi(voci, path, type, ordinata, [&](Archivio& archivio, std::vector<std::uint64_t>& parole) {
        voci.reserve(std::size_t(archivio.Conta()));
        if (ordinata) parole.reserve(kParolePronte * voci.capacity());
        archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
            if (auto line = riga(r)) {
                voci.push_back({std::move(*line), std::uint32_t(numero)});
                if (ordinata) AggiungiParole(parole, voci.back().riga);
            }
        });
    });
}

void CostruisciVoci(std::vector<VoceLista>& voci, const std::string& path, const FormatoRiga& formato,
                    const FiltroRecord& filtro, bool ordinata) {
    VociLista tutte;
    std::exception_ptr errore;
    try {
        CostruisciVoci(tutte, path, formato, filtro, ordinata);
    } catch (...) {
        // Kept to be thrown again once the lines read so far are handed over.
        errore = std::current_exception();
    }
    voci.clear();
    voci.reserve(tutte.size());
    for (std::size_t i = 0; i < tutte.size(); ++i)
        voci.push_back({std::string(tutte.righe[i]), tutte.numeri[i]});
    if (errore) std::rethrow_exception(errore);
}

void CostruisciVoci(VociLista& voci, const std::string& path, const RecordType& type,
                    const RigaDiRecord& riga, bool ordinata) {
    voci.clear();
    Leggi(voci, path, type, ordinata, [&](Archivio& archivio, std::vector<std::uint64_t>& parole) {
        const std::size_t count = std::size_t(archivio.Conta());
        voci.numeri.reserve(count);
        voci.righe.reserve(count, 0);
        if (ordinata) parole.reserve(kParolePronte * count);
        bool stimata = false;
        archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
            if (auto line = riga(r)) {
                if (!stimata) {
                    // Room for as many lines as records, each a quarter
                    // longer than the first (it grows when that is not enough).
                    stimata = true;
                    voci.righe.reserve(count, count * (line->size() + line->size() / 4 + 16));
                }
                voci.righe.push_back(*line);
                voci.numeri.push_back(std::uint32_t(numero));
                if (ordinata) AggiungiParole(parole, *line);
            }
        });
    });
}

void CostruisciVoci(VociLista& voci, const std::string& path, const FormatoRiga& formato,
                    const FiltroRecord& filtro, bool ordinata) {
    voci.clear();
    Leggi(voci, path, formato.type(), ordinata, [&](Archivio& archivio, std::vector<std::uint64_t>& parole) {
        const std::size_t count = std::size_t(archivio.Conta());
        const std::size_t attese = filtro ? count / 4 : count;
        // Each line is written straight into the list's buffer. Lines of a
        // layout are mostly alike in length: after the first, the buffer
        // takes room for as many, with a quarter more (it grows when that is
        // not enough).
        const std::size_t room = formato.massimo_ + kMargine;
        voci.numeri.reserve(attese);
        voci.righe.reserve(attese, room);
        if (ordinata) parole.reserve(kParolePronte * attese);
        bool stimata = false;
        archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
            if (filtro && !filtro(r)) return;
            char* inizio = voci.righe.Room(room);
            const std::size_t lunghezza = std::size_t(formato.ScriviIn(inizio, r.bytes()) - inizio);
            if (ordinata) AggiungiParoleConMargine(parole, inizio, lunghezza);
            voci.righe.Add(lunghezza);
            voci.numeri.push_back(std::uint32_t(numero));
            if (!stimata) {
                stimata = true;
                voci.righe.reserve(attese, attese * (lunghezza + lunghezza / 4 + 16));
            }
        });
    });
}

namespace {
template <class Righe>
int TrovaIn(const Righe& lines, int selected, std::string_view findText, std::string& remembered) {
    const int count = int(lines.size());
    if (count == 0) return -1;
    if (selected < 0 || selected >= count) selected = 0;
    const std::string needle = LowerAscii(findText);
    // Each line read lower-cased as it is compared (no copy of the line).
    auto holds = [&](int i) {
        const std::string_view line = lines[std::size_t(i)];
        return !needle.empty() && std::search(line.begin(), line.end(), needle.begin(), needle.end(),
                                              [](char a, char b) { return LowerByte(a) == b; }) != line.end();
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
} // namespace

int TrovaSuccessiva(std::span<const std::string> lines, int selected, std::string_view findText,
                    std::string& remembered) {
    return TrovaIn(lines, selected, findText, remembered);
}

int TrovaSuccessiva(const ui::ListItems& lines, int selected, std::string_view findText,
                    std::string& remembered) {
    return TrovaIn(lines, selected, findText, remembered);
}

RicercaMultipla::RicercaMultipla(std::span<const Criterio> criteri) {
    for (const Criterio& c : criteri)
        if (!rtl::Trim(c.testo).empty()) needles_.push_back({LowerAscii(c.testo), c.campo});
}

bool RicercaMultipla::corrisponde(std::span<const std::uint8_t> record) const {
    for (const Needle& n : needles_) {
        // The trimmed field decoded and lower-cased into one reused buffer.
        scratch_.clear();
        AppendDecoded(scratch_, rtl::TrimView(RawText(record, n.campo)));
        for (char& c : scratch_)
            c = LowerByte(c);
        if (scratch_.find(n.text) == std::string::npos) return false;
    }
    return true;
}

} // namespace common
