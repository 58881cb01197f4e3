#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "common/ListFind.h"
#include "common/ListLayout.h"
#include "common/ListSort.h"
#include "common/Records.h"
#include "platform/rtl/Files.h"
#include "tests/support/Harness.h"
#include "tests/support/ListReference.h"

using namespace common;
using ts::RigaLista;

TEST(ListLines, ColumnsArePaddedOrCutByCharacters) {
    const std::string line = RigaLista()
                                 .Testo("Data: ")
                                 .Colonna("  01/02/2024 ", 10)
                                 .Testo("   Da: ")
                                 .Colonna("Citt\xC3\xA0", 6)
                                 .Colonna("Automobile lunga", 4)
                                 .Colonna("", 2)
                                 .Ultima("  12,50  ")
                                 .str();
    EXPECT_EQ(line, "Data: 01/02/2024   Da: Citt\xC3\xA0 Auto  12,50");
}

TEST(ListLines, SortReadsLowerAsUpperThenCodes) {
    // a-z as A-Z; "_" (95) then falls after the capitals; accented letters
    // after every ASCII character; a prefix first.
    std::vector<VoceLista> voci = {
        {"fiat", 1}, {"\xC3\x80udi", 2}, {"FIAT", 3}, {"Fi_t", 4}, {"Fiat 500", 5}, {"alfa", 6}, {"Fiat", 7},
    };
    OrdinaVoci(voci);
    std::vector<std::string> lines;
    std::vector<std::uint32_t> numbers;
    for (const auto& v : voci) {
        lines.push_back(v.riga);
        numbers.push_back(v.numero);
    }
    EXPECT_EQ(lines,
              (std::vector<std::string>{"alfa", "fiat", "FIAT", "Fiat", "Fiat 500", "Fi_t", "\xC3\x80udi"}));
    // Equal lines keep the order of the file, each with its own record.
    EXPECT_EQ(numbers, (std::vector<std::uint32_t>{6, 1, 3, 7, 5, 4, 2}));
    EXPECT_TRUE(PrecedeInLista("abc", "ABD"));
    EXPECT_FALSE(PrecedeInLista("ABC", "abc"));
    EXPECT_TRUE(PrecedeInLista("Z", "\xC3\xA0"));
}

// The fast sort against the plain rule, on lines that share long starts
// (beyond the packed key prefixes), differ only in case, end early, hold
// zero bytes or accented letters.
TEST(ListLines, SortAgreesWithTheRuleOnTrickyLines) {
    // Bytes on both sides of a-z and A-Z, and high bytes whose low seven
    // bits are letters.
    const std::string pieces[] = {
        "",         "a",        "A", "z", "Z",    "_",    "`",    "{",   "@", "[", std::string(1, '\0'),
        "\xC3\xA0", "\xC3\x80", " ", "~", "\xE1", "\xFA", "\x7F", "\xFF"};
    const std::string starts[] = {"", "Fiat Panda      ", "FIAT PANDA      AB123CD   ", std::string(40, 'x')};
    std::vector<VoceLista> voci;
    unsigned seed = 7;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (std::uint32_t i = 1; i <= 5000; ++i) {
        std::string line = starts[next() % 4];
        for (unsigned k = next() % 6; k > 0; --k)
            line += pieces[next() % std::size(pieces)];
        voci.push_back({line, i});
    }
    std::vector<VoceLista> expected = voci;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const VoceLista& a, const VoceLista& b) { return PrecedeInLista(a.riga, b.riga); });
    // The same lines in one buffer, as a list box keeps them: the items and
    // their numbers move together.
    VociLista buffer;
    for (const VoceLista& v : voci) {
        buffer.righe.push_back(v.riga);
        buffer.numeri.push_back(v.numero);
    }
    OrdinaVoci(voci);
    OrdinaVoci(buffer);
    ASSERT_EQ(voci.size(), expected.size());
    ASSERT_EQ(buffer.size(), expected.size());
    for (std::size_t i = 0; i < voci.size(); ++i) {
        EXPECT_EQ(voci[i].riga, expected[i].riga) << "at " << i;
        EXPECT_EQ(voci[i].numero, expected[i].numero) << "at " << i;
        EXPECT_EQ(buffer.righe[i], expected[i].riga) << "at " << i;
        EXPECT_EQ(buffer.numeri[i], expected[i].numero) << "at " << i;
    }
}

TEST(ListLines, FindNextNewRepeatedAndWrapping) {
    const std::vector<std::string> lines = {"Fiat Panda", "Alfa 147", "FIAT Uno", "Citt\xC3\x80 x"};
    std::string remembered;
    struct Step {
        int selected;
        const char* text;
        int expected;
    } steps[] = {
        {-1, "fiat", 0},        // new text: from the top
        {0, "fiat", 2},         // repeated: after the selection
        {2, "fiat", 0},         // round the end
        {0, "alfa", 1},         // changed text: from the top again
        {1, " 147", 1},         // found only on the selected line (new text)
        {1, " 147", 1},         // repeated: all the way round, back to it
        {3, "zzz", 3},          // nothing: selection unchanged
        {-1, "zzz", 0},         // nothing and nothing selected: line 0
        {2, "", 2},             // empty text matches nothing
        {0, "citt\xC3\xA0", 0}, // accented letters keep their case
        {0, "citt\xC3\x80", 3},
        {1, "FIAT UNO", 2},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.text);
        EXPECT_EQ(TrovaSuccessiva(lines, s.selected, s.text, remembered), s.expected);
    }
    EXPECT_EQ(remembered, "fiat uno");
}

TEST(ListLines, FindNextTextOnlyOnLineZero) {
    const std::vector<std::string> lines = {"Uno", "Due", "Tre"};
    std::string remembered;
    EXPECT_EQ(TrovaSuccessiva(lines, -1, "uno", remembered), 0);
    EXPECT_EQ(TrovaSuccessiva(lines, 0, "uno", remembered), 0);
    // A remembered text carried over from an earlier window counts as repeated.
    EXPECT_EQ(TrovaSuccessiva(lines, -1, "uno", remembered), 0);
    EXPECT_EQ(TrovaSuccessiva(lines, -1, "e", remembered), 1);
    EXPECT_EQ(TrovaSuccessiva(lines, -1, "e", remembered), 1); // from line 0: Due is next
}

namespace {
std::vector<std::uint8_t> Vehicle(const char* marca, const char* modello, const char* targa,
                                  const char* autista) {
    Record r(TAutomezzoRec);
    r.Set("Marca", marca);
    r.Set("Modello", modello);
    r.Set("Targa", targa);
    r.Set("Autista", autista);
    return {r.Bytes().begin(), r.Bytes().end()};
}
} // namespace

TEST(ListLines, SearchRuleNeedsEveryGivenCriterion) {
    const auto fiatRossi = Vehicle("FIAT", "Punto Evo", "AB123CD", "Mario Rossi");
    const auto fiatBianchi = Vehicle("Fiat", "Panda", "ZZ999ZZ", "Bianchi");
    const auto fiatTwoWords = Vehicle("Fiat", "Grande Punto", "XY000XY", "Verdi");
    const auto citta = Vehicle("CITT\xC3\x80", "x", "Q", "");
    const FieldRef marca = TAutomezzoRec.Field("Marca"), modello = TAutomezzoRec.Field("Modello"),
                   targa = TAutomezzoRec.Field("Targa"), autista = TAutomezzoRec.Field("Autista");
    struct Case {
        std::vector<Criterio> criteri;
        int given;
        std::vector<bool> listed; // fiatRossi, fiatBianchi, fiatTwoWords, citta
    } cases[] = {
        {{}, 0, {true, true, true, true}},
        {{{"", marca}, {"  ", autista}}, 0, {true, true, true, true}},
        {{{"Fiat", marca}, {"Rossi", autista}}, 2, {true, false, false, false}},
        {{{"fiat", marca}}, 1, {true, true, true, false}},
        {{{" Fiat", marca}}, 1, {false, false, false, false}},
        {{{"punto", modello}}, 1, {true, false, true, false}},
        // A blank-only criterion is ignored: it never makes up for a given
        // criterion that does not match.
        {{{"Fiat", marca}, {" ", modello}, {"AB", targa}}, 2, {true, false, false, false}},
        {{{"citt\xC3\xA0", marca}}, 1, {false, false, false, false}},
        {{{"citt\xC3\x80", marca}}, 1, {false, false, false, true}},
    };
    for (const Case& c : cases) {
        RicercaMultipla ricerca(c.criteri);
        EXPECT_EQ(ricerca.CriteriDati(), c.given);
        const std::vector<bool> listed = {ricerca.Corrisponde(fiatRossi), ricerca.Corrisponde(fiatBianchi),
                                          ricerca.Corrisponde(fiatTwoWords), ricerca.Corrisponde(citta)};
        EXPECT_EQ(listed, c.listed) << "case with " << c.criteri.size() << " criteria";
    }
}

// A line layout resolved once writes, straight from the stored bytes, the
// line that the same columns give through RigaLista and the fields' texts:
// blanks and control bytes at the ends, high bytes of the code page, fields
// cut by the width, joined fields with an empty part.
TEST(ListLines, LayoutWritesTheLineOfItsColumns) {
    const FieldRef tipo = TAutomezzoRec.Field("Tipo"), marca = TAutomezzoRec.Field("Marca"),
                   modello = TAutomezzoRec.Field("Modello"), targa = TAutomezzoRec.Field("Targa"),
                   note = TAutomezzoRec.Field("Note");
    const FormatoRiga formato = std::move(FormatoRiga(TAutomezzoRec)
                                              .Colonna("Tipo", 6)
                                              .Testo(" | ")
                                              .Colonna({"Marca", "Modello"}, 12)
                                              .Testo(" Città: ")
                                              .Colonna({"Marca", "Targa", "Modello"}, 9)
                                              .Ultima({"Note", "Targa"}));
    // Stored bytes, written by hand: length byte, then windows-1252 text.
    auto store = [](Record& r, FieldRef f, std::string_view bytes) {
        r.Bytes()[f.offset] = std::uint8_t(bytes.size());
        std::memcpy(r.Bytes().data() + f.offset + 1, bytes.data(), bytes.size());
    };
    struct Case {
        std::string tipo, marca, modello, targa, note;
    };
    const Case cases[] = {
        {"Auto", "Fiat", "Panda", "AB123CD", "Note"},
        {"  Autovettura lunga ", "", "Panda", "", ""},
        {"\x01"
         "Furgone\t",
         "Citro\xEBn", "", " X ", "\x80 1.000 \x9D"},
        {"", "", "", "", ""},
        {"\xC0\xC8\xCC\xD2\xD9\xE0\xE8", " Alfa  Romeo ", "Giulia Quadrifoglio Verde", "ZZ999ZZ", "  "},
        {"abc", "\xA0", "\x81", "\x8D", "\xFF"},
    };
    for (const Case& c : cases) {
        Record r(TAutomezzoRec);
        store(r, tipo, c.tipo);
        store(r, marca, c.marca);
        store(r, modello, c.modello);
        store(r, targa, c.targa);
        store(r, note, c.note);
        const RecordView v = r.View();
        const std::string expected = RigaLista()
                                         .Colonna(v.Get(tipo), 6)
                                         .Testo(" | ")
                                         .Colonna(v.Get(marca) + " " + v.Get(modello), 12)
                                         .Testo(" Città: ")
                                         .Colonna(v.Get(marca) + " " + v.Get(targa) + " " + v.Get(modello), 9)
                                         .Ultima(v.Get(note) + " " + v.Get(targa))
                                         .str();
        EXPECT_EQ(formato.Riga(v), expected) << c.tipo;
        std::string appended = "x";
        formato.Scrivi(appended, v.Bytes());
        EXPECT_EQ(appended, "x" + expected);
    }
    EXPECT_THROW(FormatoRiga(TAutomezzoRec).Colonna("Nessuno", 3), std::out_of_range);

    // A wide padding, and a text that ends the record.
    const FieldRef desc = TAutomezzoRec.Field("Desc03");
    const FormatoRiga largo = std::move(FormatoRiga(TAutomezzoRec).Colonna("Tipo", 45).Ultima("Desc03"));
    for (const std::string& ultimo :
         {std::string(230, ' ') + "fine", std::string(250, 'x'), std::string("breve")}) {
        Record r(TAutomezzoRec);
        store(r, tipo, "Autocarro");
        store(r, desc, ultimo);
        EXPECT_EQ(largo.Riga(r.View()), RigaLista().Colonna("Autocarro", 45).Ultima(r.Get(desc)).str());
    }
}

// Large lists (sorted by several threads): one split by its first bytes
// before it is sorted, with one part itself that large; one of dates, times
// and plates, whose bytes differ in a few bits each. The order is the plain
// rule's, for one buffer of lines and for lines in several parts.
class LargeLists : public ::testing::TestWithParam<int> {};

TEST_P(LargeLists, FollowTheRule) {
    VociLista voci;
    std::vector<VoceLista> expected;
    unsigned seed = 11;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (std::uint32_t i = 1; i <= 150000; ++i) {
        std::string line;
        if (GetParam() == 0) {
            // Most lines share their first bytes (one part of more than 65536).
            line = next() % 10 < 9 ? "Fiat " : std::string(1, char('A' + next() % 26));
            for (unsigned k = next() % 12; k > 0; --k)
                line += " aAzZ09_\xE0"[next() % 9];
        } else {
            char text[40];
            std::snprintf(text, sizeof text, "%02u/%02u/2024  %02u:%02u  %c%c%03u%c%c", next() % 28 + 1,
                          next() % 12 + 1, next() % 24, next() % 60, 'A' + next() % 26, 'a' + next() % 26,
                          next() % 1000, 'A' + next() % 26, 'A' + next() % 26);
            line = text;
            if (next() % 3 == 0) line.resize(next() % line.size());
        }
        voci.righe.push_back(line);
        voci.numeri.push_back(i);
        expected.push_back({line, i});
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const VoceLista& a, const VoceLista& b) { return PrecedeInLista(a.riga, b.riga); });
    // The same lines in three parts of unequal size, as the threads of a
    // list build leave them: the order over the parts is the same.
    ui::ListItems parti[3];
    for (std::size_t i = 0; i < voci.size(); ++i)
        parti[i < 20000 ? 0 : i < 100000 ? 1 : 2].push_back(voci.righe[i]);
    const rtl::BigVector<std::uint32_t> ordine = OrdineInLista(parti);
    OrdinaVoci(voci);
    ASSERT_EQ(voci.size(), expected.size());
    ASSERT_EQ(ordine.size(), expected.size());
    std::size_t wrong = 0, wrongParts = 0;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        if (voci.righe[i] != expected[i].riga || voci.numeri[i] != expected[i].numero) ++wrong;
        if (ordine[i] + 1 != expected[i].numero) ++wrongParts;
    }
    EXPECT_EQ(wrong, 0u);
    EXPECT_EQ(wrongParts, 0u);
}
INSTANTIATE_TEST_SUITE_P(ListLines, LargeLists, ::testing::Values(0, 1));

// A sorted list built from an archive straight into one buffer: the first
// line short and later ones far longer (the buffer outgrows the room taken
// after the first line), lines sharing long starts (the packed words and
// the lines themselves both compared); the order is the plain rule's, each
// line with its record.
TEST(ListLines, SortedBuildIntoOneBufferFollowsTheRule) {
    ts::Harness h;
    const std::string path = h.DataFolder() + "lista.pro";
    const FormatoRiga formato =
        std::move(FormatoRiga(TAutomezzoRec).Colonna("Marca", 12).Testo("|").Ultima({"Modello", "Note"}));
    const char* marche[] = {"fiat", "FIAT", "Fiat", "Alfa", "alfa romeo", "Ẑ", ""};
    std::string bytes;
    Record r(TAutomezzoRec);
    unsigned seed = 3;
    auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int i = 0; i < 3000; ++i) {
        r.Set("Marca", i == 0 ? "" : marche[next() % 7]);
        r.Set("Modello", i == 0 ? "" : std::string(next() % 3 * 20, 'm') + std::to_string(next() % 50));
        r.Set("Note", i == 0 ? "" : std::string(next() % 2 * 150, 'n'));
        bytes.append(reinterpret_cast<const char*>(r.Bytes().data()), r.Bytes().size());
    }
    rtl::WriteWholeFile(path, bytes);

    VociLista file, sorted;
    CostruisciVoci(file, path, formato, {}, false);
    CostruisciVoci(sorted, path, formato, {}, true);
    ASSERT_EQ(file.size(), 3000u);
    std::vector<VoceLista> expected;
    for (std::size_t i = 0; i < file.size(); ++i) {
        EXPECT_EQ(file.numeri[i], i + 1);
        expected.push_back({std::string(file.righe[i]), file.numeri[i]});
    }
    std::stable_sort(expected.begin(), expected.end(),
                     [](const VoceLista& a, const VoceLista& b) { return PrecedeInLista(a.riga, b.riga); });
    ASSERT_EQ(sorted.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(sorted.righe[i], expected[i].riga) << "at " << i;
        EXPECT_EQ(sorted.numeri[i], expected[i].numero) << "at " << i;
    }
}

// A list of a whole archive keeps entries and makes its lines when asked
// for: the same lines, in the same order, with the same records, as the
// reference builder's whole lines; find-next finds the same lines. The
// records mix accents, the code page's row 0x80-0x9F (whose characters sort
// above U+00FF) and its undefined bytes, values that begin others (followed
// by a blank, a sign, a letter), case variants, values cut by the width
// (some leaving a blank at the cut) and empty ones. The archive is large
// enough to be read by several threads, each over a part. A record with a
// control byte inside a padded column makes the list keep every line whole:
// in the first record, in the first part, in the last one.
TEST(ListLines, LinesMadeOnDemandMatchTheReferenceBuilder) {
    const std::string pieces[] = {"AB",   "ab",   "AB C", "AB!",  "AB~",  "Ab ",  "\xE0",  "\xC0", "\x80",
                                  "\x8A", "\x9C", "\x96", "\x81", "\x8D", "\xFF", "\x9F",  "\x7F", "z",
                                  "Z",    " ",    "_",    "0",    "9",    "",     "\xE8 e"};
    const FormatoRiga formato = std::move(FormatoRiga(TAutomezzoRec)
                                              .Colonna("Tipo", 6)
                                              .Testo(" | ")
                                              .Colonna({"Marca", "Modello"}, 9)
                                              .Testo(" T: ")
                                              .Colonna("Targa", 4)
                                              .Ultima({"Note", "Colore"}));
    const FieldRef tipo = TAutomezzoRec.Field("Tipo"), marca = TAutomezzoRec.Field("Marca"),
                   modello = TAutomezzoRec.Field("Modello"), targa = TAutomezzoRec.Field("Targa"),
                   note = TAutomezzoRec.Field("Note"), colore = TAutomezzoRec.Field("Colore");
    const auto reference = [&](const RecordView& r) -> std::optional<std::string> {
        return RigaLista()
            .Colonna(r, tipo, 6)
            .Testo(" | ")
            .Colonna(r.Get(marca) + " " + r.Get(modello), 9)
            .Testo(" T: ")
            .Colonna(r, targa, 4)
            .Ultima(r.Get(note) + " " + r.Get(colore))
            .str();
    };
    auto store = [](Record& r, FieldRef f, std::string_view bytes) {
        r.Bytes()[f.offset] = std::uint8_t(bytes.size());
        std::memcpy(r.Bytes().data() + f.offset + 1, bytes.data(), bytes.size());
    };
    struct Case {
        const char* name;
        int controllo; // the record given a control byte in a padded column, or -1
    } cases[] = {{"entries", -1},
                 {"kept whole from the first", 0},
                 {"kept whole from the first part", 1500},
                 {"kept whole from the last part", 8600}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ts::Harness h;
        const std::string path = h.DataFolder() + "lista.pro";
        unsigned seed = 5;
        auto next = [&] { return (seed = seed * 1103515245u + 12345u) >> 8; };
        auto text = [&](unsigned most) {
            std::string t;
            for (unsigned k = next() % (most + 1); k > 0; --k)
                t += pieces[next() % std::size(pieces)];
            return t;
        };
        std::string bytes;
        for (int i = 0; i < 9000; ++i) {
            Record r(TAutomezzoRec);
            store(r, tipo, text(3));
            store(r, marca, text(2));
            store(r, modello, text(3));
            store(r, targa,
                  i == c.controllo ? "A\x01"
                                     "B"
                                   : text(2));
            store(r, note, text(4));
            store(r, colore, i % 7 == 0 ? "y\x01z" : text(1));
            bytes.append(reinterpret_cast<const char*>(r.Bytes().data()), r.Bytes().size());
        }
        rtl::WriteWholeFile(path, bytes);

        for (const bool ordinata : {true, false}) {
            SCOPED_TRACE(ordinata ? "sorted" : "file order");
            VociLista voci, attese;
            CostruisciVoci(voci, path, formato, {}, ordinata);
            ts::CostruisciVoci(attese, path, TAutomezzoRec, reference, ordinata);
            EXPECT_EQ(voci.righe.OnDemand(), c.controllo < 0);
            ASSERT_EQ(voci.size(), attese.size());
            for (std::size_t i = 0; i < attese.size(); ++i) {
                ASSERT_EQ(voci.righe[i], attese.righe[i]) << "at " << i;
                ASSERT_EQ(voci.numeri[i], attese.numeri[i]) << "at " << i;
            }
            for (const char* cerca : {"ab c", "\xC3\xA0", "\xE2\x82\xAC", "t: ab", "zz"}) {
                std::string ricordato, ricordatoAtteso;
                int riga = -1, rigaAttesa = -1;
                for (int volta = 0; volta < 3; ++volta) {
                    riga = TrovaSuccessiva(voci.righe, riga, cerca, ricordato);
                    rigaAttesa = TrovaSuccessiva(attese.righe, rigaAttesa, cerca, ricordatoAtteso);
                    EXPECT_EQ(riga, rigaAttesa) << cerca;
                }
            }
        }
    }
}
