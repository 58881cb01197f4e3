#include "common/ListSort.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstring>
#include <exception>
#include <numeric>
#include <stdexcept>
#include <system_error>
#include <utility>

namespace common {

namespace {
inline char UpperByte(char c) {
    return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
}
} // namespace

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
    rtl::BigArray<Elemento> dati;
    // Room lent by a larger sort, taken first when it is enough.
    Elemento* prestata = nullptr;
    std::size_t quantaPrestata = 0;
    Elemento* Per(std::size_t m) {
        if (m <= quantaPrestata) return prestata;
        if (m > dati.size()) dati = rtl::BigArray<Elemento>(m);
        return dati.data();
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
            // Each digit's count becomes where its part starts.
            std::exclusive_scan(count.begin(), count.end(), count.begin(), std::uint32_t(0));
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
        // Each digit's count becomes where its part starts.
        std::exclusive_scan(count.begin(), count.end(), count.begin(), std::uint32_t(0));
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
        // Each digit's count becomes where its part starts.
        std::exclusive_scan(count.begin(), count.end(), count.begin(), std::uint32_t(0));
        for (std::size_t i = 0; i < n; ++i)
            to[count[from[i].parola >> shift & mask]++] = from[i];
        std::swap(from, to);
    }
    if (from != first) std::copy(from, from + n, first);
}

// What the rounds of a sort share.
struct Ordinamento {
    const char* const* righe = nullptr;         // where each entry's line lies, or:
    const char* testo = nullptr;                // the buffer of the lines
    const ui::ListItems::Span* posti = nullptr; // and where each lies in it
    Riserva spare;
    std::vector<std::uint32_t> count;

    const char* Dati(const Elemento& e) const {
        return posti ? testo + posti[e.indice].offset : righe[e.indice];
    }
    // Asks for the place of the line of `e` (what Dati reads first).
    void Prevedi(const Elemento& e) const {
        if (posti)
            __builtin_prefetch(posti + e.indice);
        else
            __builtin_prefetch(righe + e.indice);
    }
    // Loads the words of `e` at `depth` and the two after it.
    void Carica(Elemento& e, std::size_t depth) const {
        const char* dati = Dati(e);
        e.parola = Parola(dati, e.lunghezza, depth);
        e.dopo[0] = Parola(dati, e.lunghezza, depth + 8);
        e.dopo[1] = Parola(dati, e.lunghezza, depth + 16);
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

// A group left to sort on its own: its entries, their depth and how many
// of their words are in place.
struct Gruppo {
    Elemento* first;
    Elemento* last;
    std::size_t depth;
    int pronte;
};

// Sorts entries whose lines agree on their first `depth` bytes (read a-z as
// A-Z) and that come in file order. `pronte`: how many of their words from
// this depth are in place (0 to 3: `parola`, then `dopo`).
// Each round sorts by the next eight bytes; among the lines that agree on
// those too, the lines that end within them come first (by length: the
// shorter is the start of the longer), and the others go on by the eight
// bytes after. Equal lines keep the file order.
// With `gruppi`, the groups of more than a few entries that the first round
// leaves are not sorted but handed there (the few are sorted here).
void OrdinaDa(Elemento* first, Elemento* last, std::size_t depth, int pronte, Ordinamento& o,
              std::vector<Gruppo>* gruppi = nullptr) {
    for (;;) {
        const std::size_t n = std::size_t(last - first);
        if (n < 2) return;
        if (n <= 16 && pronte == 0) {
            // A few lines whose words are not in place: compared byte by
            // byte.
            std::sort(first, last,
                      [&o, depth](const Elemento& a, const Elemento& b) { return o.PrecedeDa(a, b, depth); });
            return;
        }
        std::uint64_t tutti = ~std::uint64_t(0), alcuni = 0;
        std::uint32_t corta = ~std::uint32_t(0);
        for (Elemento* e = first; e != last; ++e) {
            // The lines lie all over memory once the entries are reordered:
            // ask for those a few entries on while this one is read (the
            // bytes Carica reads, two cache lines at most).
            if (pronte == 0 && last - e > 24) {
                // Where a line lies is itself read from a large table, in
                // the same scattered order: asked for further on still.
                if (last - e > 48) o.Prevedi(e[48]);
                const char* riga = o.Dati(e[24]) + depth;
                __builtin_prefetch(riga);
                __builtin_prefetch(riga + 23);
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
                        // their word at `next` when they hold it and differ
                        // in it, else byte by byte.
                        const bool conParola = dopo > 0;
                        const auto precede = [&o, next, conParola](const Elemento& a, const Elemento& b) {
                            if (conParola && a.parola != b.parola) return a.parola < b.parola;
                            return o.PrecedeDa(a, b, next);
                        };
                        if (j - rest == 2) {
                            if (precede(rest[1], rest[0])) std::swap(rest[0], rest[1]);
                        } else {
                            std::sort(rest, j, precede);
                        }
                    } else if (gruppi) {
                        gruppi->push_back({rest, j, next, dopo});
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

// Lists this long are sorted by several threads.
constexpr std::size_t kOrdinaInParallelo = 65536;

// Sorts the `n` entries at `first`. A long list on several threads at once:
// its first round splits it into groups of lines that agree on their first
// bytes, and the groups, each sorted on its own as it would be otherwise,
// are shared out, the largest first. Each group's counting passes use the
// part of the spare room beside it.
void OrdinaTutti(Elemento* first, std::size_t n, Ordinamento& o) {
    const unsigned fili =
        n >= kOrdinaInParallelo ? std::clamp(std::thread::hardware_concurrency(), 1u, 4u) : 1;
    if (fili < 2) {
        OrdinaDa(first, first + n, 0, 0, o);
        return;
    }
    std::vector<Gruppo> gruppi;
    OrdinaDa(first, first + n, 0, 0, o, &gruppi);
    if (gruppi.empty()) return;
    std::sort(gruppi.begin(), gruppi.end(),
              [](const Gruppo& a, const Gruppo& b) { return a.last - a.first > b.last - b.first; });
    Elemento* const spare = o.spare.Per(n);
    std::atomic<std::size_t> prossimo{0};
    std::vector<std::exception_ptr> errori(fili);
    const auto ordina = [&](unsigned t) {
        try {
            Ordinamento mio;
            mio.righe = o.righe;
            mio.testo = o.testo;
            mio.posti = o.posti;
            for (;;) {
                const std::size_t k = prossimo.fetch_add(1, std::memory_order_relaxed);
                if (k >= gruppi.size()) break;
                const Gruppo& g = gruppi[k];
                mio.spare.prestata = spare + (g.first - first);
                mio.spare.quantaPrestata = std::size_t(g.last - g.first);
                OrdinaDa(g.first, g.last, g.depth, g.pronte, mio);
            }
        } catch (...) {
            // Carried to the calling thread, which throws it again.
            errori[t] = std::current_exception();
        }
    };
    std::vector<std::thread> threads;
    try {
        threads.reserve(fili - 1);
        for (unsigned t = 1; t < fili; ++t)
            threads.emplace_back(ordina, t);
    } catch (const std::system_error&) {
        // No more threads to be had: the groups left are sorted here.
    }
    ordina(0);
    for (std::thread& t : threads)
        t.join();
    for (const std::exception_ptr& e : errori)
        if (e) std::rethrow_exception(e);
}

// Sorts `n` lines and returns them as sorted elements, each with its
// entry's index: the lines of `voci` when given, else `riga(i)` the i-th
// line.
template <class Riga>
rtl::BigVector<Elemento> Ordina(std::size_t n, const Riga& riga, const ui::ListItems* voci = nullptr) {
    Ordinamento o;
    rtl::BigVector<Elemento> elementi;
    rtl::BigVector<const char*> righe;
    elementi.reserve(n);
    if (voci) {
        o.testo = voci->text();
        o.posti = voci->spans().data();
        for (std::size_t i = 0; i < n; ++i)
            elementi.push_back({0, {0, 0}, o.posti[i].length, std::uint32_t(i)});
    } else {
        righe.reserve(n);
        for (std::size_t i = 0; i < n; ++i) {
            const std::string_view r = riga(i);
            elementi.push_back({0, {0, 0}, std::uint32_t(r.size()), std::uint32_t(i)});
            righe.push_back(r.data());
        }
        o.righe = righe.data();
    }
    OrdinaTutti(elementi.data(), elementi.size(), o);
    return elementi;
}

} // namespace

void OrdinaVoci(std::vector<VoceLista>& voci) {
    // Each entry sorts by its first eight bytes, packed into one word; only
    // lines that share them look further, eight bytes at a time. Equal lines
    // keep the file order.
    if (voci.size() < 2) return;
    const rtl::BigVector<Elemento> elementi =
        Ordina(voci.size(), [&](std::size_t i) { return std::string_view(voci[i].riga); });
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

rtl::BigVector<std::uint32_t> OrdineInLista(const ui::ListItems& testi) {
    return OrdineInLista(std::span<const ui::ListItems>(&testi, 1));
}

rtl::BigVector<std::uint32_t> OrdineInLista(std::span<const ui::ListItems> parti) {
    std::size_t n = 0;
    for (const ui::ListItems& p : parti) {
        if (p.OnDemand()) throw std::logic_error("OrdineInLista: lines made on demand");
        n += p.size();
    }
    rtl::BigVector<std::uint32_t> ordine(n);
    if (n < 2) {
        if (n == 1) ordine[0] = 0;
        return ordine;
    }
    rtl::BigVector<Elemento> elementi;
    if (parti.size() == 1) {
        elementi = Ordina(
            n, [](std::size_t) { return std::string_view(); }, &parti[0]);
    } else {
        // The texts in the order of the parts (Ordina asks for them in turn).
        std::size_t k = 0, inizio = 0;
        elementi = Ordina(n, [&](std::size_t i) {
            while (i - inizio >= parti[k].size())
                inizio += parti[k++].size();
            return std::string_view(parti[k][i - inizio]);
        });
    }
    for (std::size_t k = 0; k < n; ++k)
        ordine[k] = elementi[k].indice;
    return ordine;
}

MemoriaOrdine::MemoriaOrdine(std::size_t n) {
    // The elements, the room for counting passes and the places of texts
    // of several parts.
    for (const std::size_t bytes : {n * sizeof(Elemento), n * sizeof(Elemento), n * sizeof(const char*)})
        blocchi_.emplace_back(bytes);
    try {
        thread_ = std::thread([this] {
            for (const rtl::BigArray<std::byte>& b : blocchi_)
                std::memset(b.data(), 0, b.size());
        });
    } catch (const std::system_error&) {
        // No thread: the sort touches its memory itself.
    }
}

void MemoriaOrdine::Cedi() {
    if (thread_.joinable()) thread_.join();
    blocchi_.clear();
}

void OrdinaVoci(VociLista& voci) {
    // Only the places of the lines in their buffer and their numbers move.
    const std::size_t n = voci.righe.size();
    if (n < 2) return;
    voci.righe.Keep();
    const rtl::BigVector<std::uint32_t> ordine = OrdineInLista(voci.righe);
    rtl::BigVector<std::uint32_t> numeri(n);
    for (std::size_t k = 0; k < n; ++k)
        numeri[k] = voci.numeri[ordine[k]];
    voci.righe.Reorder(ordine);
    voci.numeri = std::move(numeri);
}

} // namespace common
