#include "common/ListLayout.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <exception>
#include <memory>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <thread>
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
} // namespace

FormatoRiga& FormatoRiga::Testo(std::string_view fixed) {
    Parte p;
    p.fisso = std::string(fixed) + std::string(kMargine, '\0');
    p.lunghezzaFisso = fixed.size();
    massimo_ += fixed.size();
    if (!parti_.empty() && parti_.back().ultima) conVoci_ = false;
    parti_.push_back(std::move(p));
    return *this;
}

FormatoRiga& FormatoRiga::Aggiungi(std::initializer_list<std::string_view> campi, std::size_t width,
                                   bool ultima) {
    if (campi.size() == 0) throw std::invalid_argument("colonna senza campi");
    Parte p;
    std::size_t stored = 0;
    for (std::string_view campo : campi) {
        p.campi.push_back(type_->Field(campo));
        stored += std::size_t(p.campi.back().capacity) + 1;
    }
    p.larghezza = width;
    p.ultima = ultima;
    // A stored byte takes at most three bytes in UTF-8; a column is cut to
    // its width and padded with blanks.
    massimo_ += ultima ? 3 * stored : 3 * width;
    // An entry keeps a stored byte as one byte; a padded column's value ends
    // with a zero byte.
    massimoVoce_ += ultima ? stored : width + 1;
    if (std::any_of(parti_.begin(), parti_.end(), [](const Parte& q) { return q.ultima; })) conVoci_ = false;
    if (campi.size() > 1) unitoMax_ = std::max(unitoMax_, stored);
    parti_.push_back(std::move(p));
    return *this;
}

FormatoRiga& FormatoRiga::Colonna(std::string_view campo, std::size_t width) {
    return Aggiungi({campo}, width, false);
}
FormatoRiga& FormatoRiga::Colonna(std::initializer_list<std::string_view> campi, std::size_t width) {
    return Aggiungi(campi, width, false);
}
FormatoRiga& FormatoRiga::Ultima(std::string_view campo) {
    return Aggiungi({campo}, 0, true);
}
FormatoRiga& FormatoRiga::Ultima(std::initializer_list<std::string_view> campi) {
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

// The renumbering of windows-1252 bytes in entries (see FormatoRiga): each
// byte becomes its rank among the 256 by the code of its character, so that
// entries compare as the UTF-8 lines do (a UTF-8 text sorts by its codes).
// ASCII keeps its bytes; the row 0x80-0x9F, whose characters lie above
// U+00FF (or are the controls U+0080-U+009F), moves.
struct Ordini {
    unsigned char daByte[256];
    Utf8Alto utf8[256]; // the UTF-8 of the character of each rank
};
const Ordini& TabellaOrdini() {
    static const Ordini tabella = [] {
        std::array<std::pair<char32_t, int>, 256> codici{};
        std::array<std::string, 256> utf8;
        for (int b = 0; b < 256; ++b) {
            utf8[std::size_t(b)] = rtl::Cp1252ToUtf8(std::string(1, char(b)));
            std::size_t pos = 0;
            codici[std::size_t(b)] = {rtl::Utf8Next(utf8[std::size_t(b)], pos), b};
        }
        std::sort(codici.begin(), codici.end());
        Ordini t{};
        for (std::size_t r = 0; r < 256; ++r) {
            const auto b = std::size_t(codici[r].second);
            t.daByte[b] = static_cast<unsigned char>(r);
            t.utf8[r].n = static_cast<unsigned char>(utf8[b].size());
            std::memcpy(t.utf8[r].byte, utf8[b].data(), utf8[b].size());
        }
        return t;
    }();
    return tabella;
}

constexpr std::uint64_t kUni = 0x0101010101010101ull, kAlti = 0x8080808080808080ull;

// Whether a word of eight bytes has none of 0x80 or above and, when
// `controlla`, none below the blank.
inline bool Semplice(std::uint64_t w, bool controlla) {
    std::uint64_t fuori = w & kAlti;
    if (controlla) fuori |= (w - kUni * 0x20) & ~w & kAlti;
    return fuori == 0;
}

// Writes a value renumbered (see Ordini) at `out`, which has room for it
// and 8 bytes more; `leggibile`: 32 bytes may be read from its start. False,
// with nothing sure written, when `controlla` and a byte is below the blank.
bool CopiaInOrdine(char* out, std::string_view value, bool leggibile, bool controlla) {
    const char* v = value.data();
    const std::size_t n = value.size();
    std::size_t k = 0;
    // Eight bytes at a time while they are plain ASCII; a short value read
    // in whole words, the bytes past its end taken as letters.
    if (leggibile && n <= kMargine) {
        for (; k < n; k += 8) {
            std::uint64_t w;
            std::memcpy(&w, v + k, 8);
            if (n - k < 8) {
                std::uint64_t validi = (std::uint64_t(1) << (8 * (n - k))) - 1;
                if constexpr (std::endian::native == std::endian::big) validi = __builtin_bswap64(validi);
                w = (w & validi) | (kUni * 'A' & ~validi);
            }
            if (!Semplice(w, controlla)) break;
            std::memcpy(out + k, &w, 8);
        }
    } else {
        for (; k + 8 <= n; k += 8) {
            std::uint64_t w;
            std::memcpy(&w, v + k, 8);
            if (!Semplice(w, controlla)) break;
            std::memcpy(out + k, &w, 8);
        }
    }
    if (k >= n) return true;
    const unsigned char* daByte = TabellaOrdini().daByte;
    for (; k < n; ++k) {
        const auto b = static_cast<unsigned char>(v[k]);
        if (controlla && b < 0x20) return false;
        out[k] = static_cast<char>(daByte[b]);
    }
    return true;
}

// Writes renumbered bytes back as UTF-8 at `out`, which has room for three
// bytes each; returns the end.
char* DaOrdine(char* out, const char* p, std::size_t n) {
    if (!HaAlti(p, n, false)) {
        std::memcpy(out, p, n);
        return out + n;
    }
    const Utf8Alto* utf8 = TabellaOrdini().utf8;
    for (std::size_t k = 0; k < n; ++k) {
        const auto b = static_cast<unsigned char>(p[k]);
        if (b < 0x80) {
            *out++ = char(b);
        } else {
            std::memcpy(out, utf8[b].byte, 3);
            out += utf8[b].n;
        }
    }
    return out;
}

} // namespace

std::string_view FormatoRiga::Valore(const Parte& p, const char* record, std::size_t size,
                                     bool& leggibile) const {
    if (p.campi.size() == 1) {
        const std::string_view value = CampoRifilato(record, p.campi[0]);
        leggibile = record + size - value.data() >= std::ptrdiff_t(kMargine);
        return value;
    }
    // Trimmed fields joined by one blank, the whole trimmed.
    if (unito_.size() < unitoMax_ + kMargine) unito_.resize(unitoMax_ + kMargine);
    std::size_t n = 0;
    for (std::size_t i = 0; i < p.campi.size(); ++i) {
        const std::string_view f = CampoRifilato(record, p.campi[i]);
        if (i) unito_[n++] = ' ';
        std::memcpy(unito_.data() + n, f.data(), f.size());
        n += f.size();
    }
    leggibile = true;
    return rtl::TrimView(std::string_view(unito_.data(), n));
}

char* FormatoRiga::ScriviIn(char* out, std::span<const std::uint8_t> record) const {
    if (record.size() < type_->size)
        throw std::out_of_range("record troppo corto per " + std::string(type_->name));
    const char* base = reinterpret_cast<const char*>(record.data());
    static const std::string kBianchi(kMargine, ' ');
    for (const Parte& p : parti_) {
        if (p.campi.empty()) {
            // The fixed text is kept with kMargine bytes after it.
            CopiaBreve(out, p.fisso.data(), p.lunghezzaFisso, true);
            out += p.lunghezzaFisso;
            continue;
        }
        bool leggibile;
        std::string_view value = Valore(p, base, record.size(), leggibile);
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
    Scrivi(out, record.Bytes());
    return out;
}

char* FormatoRiga::ScriviVoce(char* out, std::span<const std::uint8_t> record) const {
    if (!conVoci_) return nullptr;
    if (record.size() < type_->size)
        throw std::out_of_range("record troppo corto per " + std::string(type_->name));
    const char* base = reinterpret_cast<const char*>(record.data());
    for (const Parte& p : parti_) {
        if (p.campi.empty()) continue;
        bool leggibile;
        std::string_view value = Valore(p, base, record.size(), leggibile);
        if (p.ultima) {
            CopiaInOrdine(out, value, leggibile, false);
            out += value.size();
            continue;
        }
        // Cut by the width; the blanks the cut leaves at the end come back
        // with the padding.
        if (value.size() > p.larghezza) value = value.substr(0, p.larghezza);
        while (!value.empty() && value.back() == ' ')
            value.remove_suffix(1);
        if (!CopiaInOrdine(out, value, leggibile, true)) return nullptr;
        out += value.size();
        *out++ = '\0';
    }
    return out;
}

void FormatoRiga::ScriviDaVoce(std::string& out, std::string_view voce) const {
    const std::size_t start = out.size();
    out.resize(start + massimo_ + kMargine);
    char* o = out.data() + start;
    const char* p = voce.data();
    const char* const fine = p + voce.size();
    for (const Parte& q : parti_) {
        if (q.campi.empty()) {
            std::memcpy(o, q.fisso.data(), q.lunghezzaFisso);
            o += q.lunghezzaFisso;
        } else if (q.ultima) {
            o = DaOrdine(o, p, std::size_t(fine - p));
            p = fine;
        } else {
            const void* zero = std::memchr(p, 0, std::size_t(fine - p));
            const char* t = zero ? static_cast<const char*>(zero) : fine;
            const std::size_t n = std::min(std::size_t(t - p), q.larghezza);
            o = DaOrdine(o, p, n);
            std::memset(o, ' ', q.larghezza - n);
            o += q.larghezza - n;
            p = t == fine ? fine : t + 1;
        }
    }
    out.resize(std::size_t(o - out.data()));
}

namespace {
// The lines of a list kept as entries, made when asked for. The entries lie
// in parts (one per thread that wrote them), in file order.
class RigheDaVoci final : public ui::LineSource {
public:
    explicit RigheDaVoci(const FormatoRiga& f) : formato(f) {}
    std::size_t Count() const override { return inizi.back(); }
    void Write(std::size_t i, std::string& out) const override {
        formato.ScriviDaVoce(out, Voce(ordine.empty() ? i : ordine[i]));
    }
    std::string_view Voce(std::size_t i) const {
        std::size_t k = 0;
        while (i >= inizi[k + 1])
            ++k;
        return parti[k][i - inizi[k]];
    }
    void Aggiungi(ui::ListItems voci) {
        inizi.push_back(inizi.back() + voci.size());
        parti.push_back(std::move(voci));
    }

    FormatoRiga formato;                  // a copy: the list may outlive the window's layout
    std::vector<ui::ListItems> parti;     // the entries, in file order
    std::vector<std::size_t> inizi{0};    // the first entry of each part, then the count
    rtl::BigVector<std::uint32_t> ordine; // the entry of each line, when sorted
};

// A record without an entry met by a thread: it stops there.
struct SenzaVoce {};

// What one thread lists: the entries of a run of records and their numbers.
struct Pezzo {
    ui::ListItems voci;
    rtl::BigVector<std::uint32_t> numeri;
    bool senzaVoce = false;
    std::exception_ptr errore; // the failure that stopped it
};

// Writes the entries of the `quanti` records from the 0-based `primo`.
void ScriviPezzo(const FormatoRiga& formato, const Archivio& archivio, std::int64_t primo,
                 std::int64_t quanti, std::size_t room, Pezzo& pezzo) {
    try {
        const std::size_t attese = std::size_t(quanti);
        pezzo.numeri.reserve(attese);
        pezzo.voci.reserve(attese, room);
        bool stimata = false;
        archivio.PerOgniIn(primo, quanti, [&](std::int64_t numero, const RecordView& r) {
            char* inizio = pezzo.voci.Room(room);
            const char* fine = formato.ScriviVoce(inizio, r.Bytes());
            if (!fine) throw SenzaVoce();
            const std::size_t lunghezza = std::size_t(fine - inizio);
            pezzo.voci.Add(lunghezza);
            pezzo.numeri.push_back(std::uint32_t(numero));
            if (!stimata) {
                stimata = true;
                pezzo.voci.reserve(attese, attese * (lunghezza + lunghezza / 4 + 16));
            }
        });
    } catch (const SenzaVoce&) {
        pezzo.senzaVoce = true;
    } catch (...) {
        // Carried to the calling thread, which throws it again.
        pezzo.errore = std::current_exception();
    }
}

// Every record of the archive (`count` of them) listed by `fili` threads at
// once, each over a run of it: reading and writing entries take a fraction
// of the time. False, with nothing listed, when a record has no entry. A
// failure keeps the entries of the records before it, and is rethrown.
bool VociInParallelo(VociLista& voci, RigheDaVoci& righe, const Archivio& archivio, std::size_t count,
                     std::size_t room, unsigned fili) {
    std::vector<Pezzo> pezzi(fili);
    // Each thread its own copy of the layout (it reuses a buffer).
    const std::vector<FormatoRiga> formati(fili, righe.formato);
    const std::size_t per = (count + fili - 1) / fili;
    const auto scrivi = [&](unsigned t) {
        const std::size_t primo = std::min(count, std::size_t(t) * per);
        ScriviPezzo(formati[t], archivio, std::int64_t(primo), std::int64_t(std::min(per, count - primo)),
                    room, pezzi[t]);
    };
    std::vector<std::thread> threads;
    unsigned avviati = 1;
    try {
        threads.reserve(fili - 1);
        for (; avviati < fili; ++avviati)
            threads.emplace_back(scrivi, avviati);
    } catch (const std::system_error&) {
        // No more threads to be had: the runs left are written here.
    }
    scrivi(0);
    for (unsigned t = avviati; t < fili; ++t)
        scrivi(t);
    for (std::thread& t : threads)
        t.join();

    std::exception_ptr errore;
    std::size_t tenuti = 0;
    for (; tenuti < fili; ++tenuti) {
        if (pezzi[tenuti].senzaVoce) return false;
        if (pezzi[tenuti].errore) {
            errore = pezzi[tenuti].errore;
            ++tenuti;
            break;
        }
    }
    std::size_t n = 0;
    for (std::size_t t = 0; t < tenuti; ++t)
        n += pezzi[t].numeri.size();
    voci.numeri.reserve(n);
    for (std::size_t t = 0; t < tenuti; ++t) {
        voci.numeri.insert(voci.numeri.end(), pezzi[t].numeri.begin(), pezzi[t].numeri.end());
        righe.Aggiungi(std::move(pezzi[t].voci));
    }
    if (errore) std::rethrow_exception(errore);
    return true;
}

// Records listed by several threads: only a whole archive of some size
// (a filter may not be safe to run on several threads at once).
constexpr std::size_t kInParallelo = 8192;
unsigned Fili(std::size_t count) {
    if (count < kInParallelo) return 1;
    return std::clamp(std::thread::hardware_concurrency(), 1u, 4u);
}
} // namespace

void CostruisciVoci(VociLista& voci, const std::string& path, const FormatoRiga& formato,
                    const FiltroRecord& filtro, bool ordinata) {
    voci.clear();
    std::shared_ptr<RigheDaVoci> righe;
    if (formato.conVoci_) righe = std::make_shared<RigheDaVoci>(formato);
    ui::ListItems parte; // the entries written here, one record at a time
    // Hands the lines over: made from the entries, in their order, or kept
    // whole.
    const auto consegna = [&] {
        if (!righe) {
            if (ordinata) OrdinaVoci(voci);
            return;
        }
        if (!parte.empty()) righe->Aggiungi(std::move(parte));
        if (ordinata && righe->Count() > 1) {
            righe->ordine = OrdineInLista(righe->parti);
            rtl::BigVector<std::uint32_t> numeri(voci.numeri.size());
            for (std::size_t k = 0; k < numeri.size(); ++k)
                numeri[k] = voci.numeri[righe->ordine[k]];
            voci.numeri = std::move(numeri);
        }
        voci.righe = ui::ListItems(std::move(righe));
    };
    try {
        Archivio archivio(path, formato.Type());
        const std::size_t count = std::size_t(archivio.Conta());
        const std::size_t attese = filtro ? count / 4 : count;
        // Each entry (or line) is written straight into its buffer. They
        // are mostly alike in length: after the first, the buffer takes
        // room for as many, with a quarter more (it grows when that is not
        // enough).
        std::size_t room = (righe ? formato.massimoVoce_ : formato.massimo_) + kMargine;
        if (righe && !filtro && Fili(count) > 1) {
            std::optional<MemoriaOrdine> memoria;
            if (ordinata) memoria.emplace(count);
            const bool fatte = VociInParallelo(voci, *righe, archivio, count, room, Fili(count));
            memoria.reset();
            if (fatte) {
                consegna();
                return;
            }
            // A record without an entry: listed again below, one record at a
            // time.
            righe = std::make_shared<RigheDaVoci>(formato);
        }
        voci.numeri.reserve(attese);
        (righe ? parte : voci.righe).reserve(attese, room);
        bool stimata = false;
        const auto aggiungi = [&](ui::ListItems& dove, std::size_t lunghezza, std::int64_t numero) {
            dove.Add(lunghezza);
            voci.numeri.push_back(std::uint32_t(numero));
            if (!stimata) {
                stimata = true;
                dove.reserve(attese, attese * (lunghezza + lunghezza / 4 + 16));
            }
        };
        archivio.PerOgni([&](std::int64_t numero, const RecordView& r) {
            if (filtro && !filtro(r)) return;
            if (righe) {
                char* inizio = parte.Room(room);
                if (char* fine = formato.ScriviVoce(inizio, r.Bytes())) {
                    aggiungi(parte, std::size_t(fine - inizio), numero);
                    return;
                }
                // A record without an entry: every line is kept whole, those
                // listed so far made now.
                const std::size_t n = parte.size();
                voci.righe.reserve(attese, n * (formato.massimo_ / 2 + 16));
                std::string riga;
                for (std::size_t i = 0; i < n; ++i) {
                    riga.clear();
                    formato.ScriviDaVoce(riga, parte[i]);
                    voci.righe.push_back(riga);
                }
                righe.reset();
                parte.clear();
                room = formato.massimo_ + kMargine;
                stimata = n > 0;
            }
            char* inizio = voci.righe.Room(room);
            aggiungi(voci.righe, std::size_t(formato.ScriviIn(inizio, r.Bytes()) - inizio), numero);
        });
    } catch (...) {
        // The lines read so far are handed over, whatever failed; the failure goes on.
        consegna();
        throw;
    }
    consegna();
}

} // namespace common
