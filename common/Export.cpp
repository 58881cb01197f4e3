#include "common/Export.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "platform/rtl/Files.h"
#include "platform/rtl/Text.h"

namespace common {

namespace {

// The five bytes that windows-1252 leaves undefined: like the controls they
// are no text, only a damaged archive holds them, and a spreadsheet program
// reads them as controls. As UTF-8 they are U+0081, U+008D... (0xC2 and the
// byte).
constexpr bool Indefinito(unsigned char b) {
    return b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 || b == 0x9D;
}

// The bytes that end a run of plain text in a cell: controls (NUL to 0x1F,
// 0x7F) and the three that are escaped; with `highPlain` (windows-1252 bytes)
// also the five undefined bytes, else every byte from 0x80, the bytes of
// UTF-8 sequences that need converting.
template <bool highPlain>
constexpr auto kFineTratto = [] {
    std::array<bool, 256> t{};
    for (int b = 0; b < 256; ++b)
        t[std::size_t(b)] = b < 0x20 || b == 0x7F || b == '&' || b == '<' || b == '>' ||
                            (highPlain ? Indefinito(static_cast<unsigned char>(b)) : b >= 0x80);
    return t;
}();

// The bytes among the eight at `p` that end a run (as kFineTratto tells),
// each flagged by its top bit. Only the first flag is sure: a byte after it
// may be flagged wrongly. No flag for the bytes before it.
template <bool highPlain> inline std::uint64_t FineNelleOtto(const char* p) {
    constexpr std::uint64_t uni = 0x0101010101010101u, alti = 0x8080808080808080u;
    std::uint64_t x;
    std::memcpy(&x, p, 8);
    if constexpr (std::endian::native == std::endian::big) x = __builtin_bswap64(x);
    const auto uguale = [x](unsigned char c) {
        const std::uint64_t y = x ^ (uni * c);
        return (y - uni) & ~y & alti;
    };
    const std::uint64_t sotto20 = (x - uni * 0x20) & ~x & alti; // a byte below 0x20
    std::uint64_t alto = x & alti;                              // a byte from 0x80
    // Of windows-1252 bytes, only the undefined ones end a run.
    if (highPlain && alto != 0)
        alto = uguale(0x81) | uguale(0x8D) | uguale(0x8F) | uguale(0x90) | uguale(0x9D);
    return sotto20 | alto | uguale(0x7F) | uguale('&') | uguale('<') | uguale('>');
}

// Where the run of plain text that starts at `inizio` ends: the first byte
// from there that ends it, or the end of the text. Looked through eight bytes
// at a time; the last (fewer than eight) bytes as the last eight of the text
// when those before them are of the run, known plain (a byte that ends a run
// before them could flag them wrongly); else byte by byte.
template <bool highPlain> inline std::size_t FineTratto(std::string_view text, std::size_t inizio) {
    const std::size_t n = text.size();
    std::size_t i = inizio;
    for (; i + 8 <= n; i += 8)
        if (const std::uint64_t f = FineNelleOtto<highPlain>(text.data() + i))
            return i + std::size_t(std::countr_zero(f)) / 8;
    if (i == n) return n;
    if (n >= inizio + 8) {
        const std::uint64_t f = FineNelleOtto<highPlain>(text.data() + n - 8);
        return f ? n - 8 + std::size_t(std::countr_zero(f)) / 8 : n;
    }
    while (i < n && !kFineTratto<highPlain>[static_cast<unsigned char>(text[i])])
        ++i;
    return i;
}

// How many bytes an undefined character takes at the start (or the end) of
// a text: 0 when it starts (ends) with another.
template <bool highPlain> std::size_t IndefinitoAllInizio(std::string_view t) {
    if (highPlain) return !t.empty() && Indefinito(static_cast<unsigned char>(t.front())) ? 1 : 0;
    return t.size() >= 2 && t[0] == '\xC2' && Indefinito(static_cast<unsigned char>(t[1])) ? 2 : 0;
}
template <bool highPlain> std::size_t IndefinitoAllaFine(std::string_view t) {
    if (highPlain) return !t.empty() && Indefinito(static_cast<unsigned char>(t.back())) ? 1 : 0;
    return t.size() >= 2 && t[t.size() - 2] == '\xC2' && Indefinito(static_cast<unsigned char>(t.back())) ? 2
                                                                                                          : 0;
}

// The text of a cell, trimmed, with "&", "<", ">" and line breaks escaped and
// the other control characters (NUL to 0x1F, 0x7F) and the five undefined
// characters left out: they are no text, only a damaged archive holds them.
// Plain runs go to `put`; each run of other than ASCII characters goes
// through `altri`, unless `highPlain` (windows-1252 bytes, written as they
// are).
template <bool highPlain, class Put, class Altri>
void EscapedCell(std::string_view text, Put&& put, Altri&& altri) {
    // Trimmed as if the controls and the undefined characters were not there.
    for (;;) {
        text = rtl::TrimView(text);
        if (!text.empty() && static_cast<unsigned char>(text.front()) == 0x7F)
            text.remove_prefix(1);
        else if (!text.empty() && static_cast<unsigned char>(text.back()) == 0x7F)
            text.remove_suffix(1);
        else if (const std::size_t n = IndefinitoAllInizio<highPlain>(text))
            text.remove_prefix(n);
        else if (const std::size_t n = IndefinitoAllaFine<highPlain>(text))
            text.remove_suffix(n);
        else
            break;
    }
    for (std::size_t i = 0; i < text.size();) {
        // A run of plain characters, copied at once.
        const std::size_t j = FineTratto<highPlain>(text, i);
        if (j > i) put(text.substr(i, j - i));
        if (j == text.size()) break;
        i = j;
        const char c = text[i];
        if (!highPlain && static_cast<unsigned char>(c) >= 0x80) {
            // The run, without the undefined characters in it.
            std::size_t k = i;
            for (std::size_t from = i;; ++k) {
                if (k == text.size() || static_cast<unsigned char>(text[k]) < 0x80) {
                    if (k > from) altri(text.substr(from, k - from));
                    break;
                }
                if (const std::size_t n = IndefinitoAllInizio<false>(text.substr(k))) {
                    if (k > from) altri(text.substr(from, k - from));
                    from = k + n;
                    k += n - 1;
                }
            }
            i = k;
            continue;
        }
        switch (c) {
        case '&':
            put("&amp;");
            break;
        case '<':
            put("&lt;");
            break;
        case '>':
            put("&gt;");
            break;
        case '\r':
            put("&#13;");
            break;
        case '\n':
            put("&#10;");
            break;
        default:
            break; // another control character: left out
        }
        ++i;
    }
}

constexpr std::string_view kApriCella = "<td class=testo style=\"text-align: left;\">";
constexpr std::string_view kChiudiCella = "</td>";

// Writes the whole file through `markup` (the tags, ASCII), `put` (the sheet
// name and header texts, UTF-8) and `riga` (the cells of one data row, each
// between kApriCella and kChiudiCella): the one description of the file that
// both the text and the file are made from.
template <class Markup, class Put, class Riga>
void ScriviTesto(Markup&& markup, Put&& put, Riga&& riga, std::string_view foglio,
                 std::span<const ColonnaExcel> colonne, std::size_t righe) {
    markup("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\" "
           "xmlns:x=\"urn:schemas-microsoft-com:office:excel\" "
           "xmlns=\"http://www.w3.org/TR/REC-html40\">"
           "<head>"
           "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">"
           "<!--[if gte mso 9]><xml>"
           "<x:ExcelWorkbook>"
           "<x:ExcelWorksheets>"
           "<x:ExcelWorksheet>"
           "<x:Name>");
    put(foglio);
    markup("</x:Name>"
           "<x:WorksheetOptions>"
           "<x:Selected/>"
           "<x:Panes>"
           "<x:Pane>"
           "<x:Number>1</x:Number>"
           "<x:ActiveRow>3</x:ActiveRow>"
           "</x:Pane>"
           "</x:Panes>"
           "<x:ProtectContents>False</x:ProtectContents>"
           "<x:ProtectObjects>False</x:ProtectObjects>"
           "<x:ProtectScenarios>False</x:ProtectScenarios>"
           "</x:WorksheetOptions>"
           "</x:ExcelWorksheet>"
           "</x:ExcelWorksheets>"
           "</x:ExcelWorkbook>"
           "</xml><![endif]-->"
           // Data cells are text: no spreadsheet program evaluates "=..." in
           // them or drops a leading zero. Calc and the Office program both read
           // this number format from a class of the header's style sheet.
           "<style>.testo{mso-number-format:\"\\@\";}</style>"
           "</head>"
           "<body>"
           "<table x:str>"
           "<tr>");
    for (const ColonnaExcel& c : colonne) {
        markup("<td style=\"text-align: left; font-weight: bold;\" width=");
        markup(std::to_string(c.larghezza));
        markup(">");
        put(c.intestazione);
        markup("</td>");
    }
    markup("</tr>");
    for (std::size_t r = 0; r < righe; ++r) {
        markup("<tr>");
        riga(r);
        markup("</tr>");
    }
    markup("</table>"
           "</body>"
           "</html>");
}

CellaExcel CelleDi(const std::vector<std::vector<std::string>>& righe) {
    return [&righe](std::size_t colonna, std::size_t riga) -> std::string_view {
        const auto& r = righe[riga];
        return colonna < r.size() ? std::string_view(r[colonna]) : std::string_view();
    };
}

} // namespace

std::string TestoFileExcel(std::string_view foglio, std::span<const ColonnaExcel> colonne,
                           const std::vector<std::vector<std::string>>& righe) {
    std::string s;
    const auto add = [&s](std::string_view piece) { s += piece; };
    const CellaExcel cella = CelleDi(righe);
    ScriviTesto(
        add, add,
        [&](std::size_t r) {
            for (std::size_t i = 0; i < colonne.size(); ++i) {
                s += kApriCella;
                EscapedCell<false>(cella(i, r), add, add);
                s += kChiudiCella;
            }
        },
        foglio, colonne, righe.size());
    return s;
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     const std::vector<std::vector<std::string>>& righe) {
    ScriviFileExcel(path, foglio, colonne, righe.size(), CelleDi(righe));
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const CellaExcel& cella) {
    ScriviFileExcel(path, foglio, colonne, righe, [&cella](std::size_t colonna, std::size_t riga) {
        return TestoCella{cella(colonna, riga)};
    });
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const CellaGrezza& cella) {
    ScriviFileExcel(path, foglio, colonne, righe, [&](std::size_t riga, CelleRiga& celle) {
        for (std::size_t i = 0; i < colonne.size(); ++i) {
            const TestoCella c = cella(i, riga);
            if (c.cp1252)
                celle.Grezzo(c.testo);
            else
                celle.Testo(c.testo);
        }
    });
}

void CelleRiga::Testo(std::string_view utf8) {
    const auto write = [this](std::string_view piece) { out_.Write(piece); };
    out_.Write(kApriCella);
    // A run of other than ASCII characters converted through one reused
    // buffer.
    EscapedCell<false>(utf8, write, [this](std::string_view run) {
        cp1252_.clear();
        rtl::AppendUtf8AsCp1252(cp1252_, run);
        out_.Write(cp1252_);
    });
    out_.Write(kChiudiCella);
}

void CelleRiga::Grezzo(std::string_view cp1252) {
    // The most the cell can take: every byte written as an entity of five.
    const std::size_t massimo = kApriCella.size() + 5 * cp1252.size() + kChiudiCella.size();
    if (massimo > rtl::BlockWriter::kBlock) {
        const auto write = [this](std::string_view piece) { out_.Write(piece); };
        out_.Write(kApriCella);
        EscapedCell<true>(cp1252, write, write);
        out_.Write(kChiudiCella);
        return;
    }
    char* const inizio = out_.Room(massimo);
    char* fine = inizio;
    const auto put = [&fine](std::string_view piece) {
        const std::size_t n = piece.size();
        if (n >= 8 && n <= 16) {
            // The usual short run in two word copies that overlap.
            std::uint64_t a, b;
            std::memcpy(&a, piece.data(), 8);
            std::memcpy(&b, piece.data() + n - 8, 8);
            std::memcpy(fine, &a, 8);
            std::memcpy(fine + n - 8, &b, 8);
        } else {
            std::memcpy(fine, piece.data(), n);
        }
        fine += n;
    };
    put(kApriCella);
    EscapedCell<true>(cp1252, put, put);
    put(kChiudiCella);
    out_.Advance(std::size_t(fine - inizio));
}

void ScriviFileExcel(const std::string& path, std::string_view foglio, std::span<const ColonnaExcel> colonne,
                     std::size_t righe, const RigaExcel& riga) {
    rtl::WriteFileInBlocks(path, [&](rtl::BlockWriter& out) {
        CelleRiga celle(out);
        ScriviTesto([&out](std::string_view markup) { out.Write(markup); },
                    [&](std::string_view piece) {
                        unsigned char any = 0;
                        for (char c : piece)
                            any |= static_cast<unsigned char>(c);
                        if (any < 0x80) {
                            out.Write(piece);
                        } else {
                            celle.cp1252_.clear();
                            rtl::AppendUtf8AsCp1252(celle.cp1252_, piece);
                            out.Write(celle.cp1252_);
                        }
                    },
                    [&](std::size_t r) { riga(r, celle); }, foglio, colonne, righe);
    });
}

} // namespace common
