// The 94 edits of the trip-sheet window (colours, Enter chains, key rules,
// exit rules, the plate), the totals, and the windows the commands open.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/Calendario.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/rtl/Text.h"
#include "tests/tripsheets/TripSheet.h"
#include "tripsheets/AnteprimaFoglio.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/Numerazione.h"
#include "tripsheets/RiepAperti.h"
#include "tripsheets/StampaFoglio.h"
#include "tripsheets/TrovaFogli.h"

using tt::SheetTest;

namespace {

std::string Due(int i) {
    return (i < 10 ? "0" : "") + std::to_string(i);
}

ui::Color Fill(ui::Edit& e) {
    ui::StyleElement* bg = e.FindStyleResource("background");
    if (!bg || bg->children.size() != 1) return 0;
    return bg->children[0]->fill;
}

} // namespace

TEST_F(SheetTest, EditsTakeAtMostTheirFieldsCapacity) {
    const struct {
        int n;
        std::vector<const char*> campi;
    } cases[] = {
        {4, {"Litri01", "Litri03"}},
        {5, {"OraApertura", "OraChiusura", "OraPar01", "OraArr08", "OraRif03"}},
        {10, {"DataApertura", "DataChiusura", "DataPar04", "DataArr08", "DataRif02", "LitriTot"}},
        {12, {"KmPar01", "KmArr08", "Importo02", "KmPartenza", "KmRientro"}},
        {20, {"NumFoglio", "ImportoTot", "KmPercorsi"}},
        {30, {"TelCel", "Targa"}},
        {50, {"Conduttore"}},
        {120, {"Ufficio", "Veicolo", "LuogoPar03", "LuogoArr08", "Stazione01"}},
    };
    for (const auto& c : cases)
        for (const char* campo : c.campi)
            EXPECT_EQ(fogli.Campo(campo).MaxLength(), c.n) << campo;
    TypeInto(fogli.txtLitri01, "12345");
    EXPECT_EQ(fogli.txtLitri01.Text(), "1234");
    fogli.txtOraApertura.SetText("");
    TypeInto(fogli.txtOraApertura, "ab:cdef");
    EXPECT_EQ(fogli.txtOraApertura.Text(), "ab:cd");
}

TEST_F(SheetTest, RestingAndFocusColours) {
    const struct {
        const char* campo;
        ui::Color resting;
        bool yellow;
    } cases[] = {
        {"NumFoglio", 0xFFF0F8FF, true},   {"Targa", 0xFFF0F8FF, true},
        {"DataPar01", 0xFFFFFFFF, true},   {"LuogoArr08", 0xFFFFFFFF, true},
        {"KmPar05", 0xFFFFFFFF, true},     {"Stazione02", 0xFFF0F8FF, true},
        {"Importo03", 0xFFF0F8FF, true},   {"KmPartenza", 0xFFF0F8FF, true},
        {"KmRientro", 0xFFF0F8FF, true},   {"LitriTot", 0xFFB0C4DE, false},
        {"ImportoTot", 0xFFB0C4DE, false}, {"KmPercorsi", 0xFFB0C4DE, false},
    };
    for (const auto& c : cases) {
        ui::Edit& e = fogli.Campo(c.campo);
        SCOPED_TRACE(c.campo);
        h.Focus(fogli.txtUfficio);
        ASSERT_NE(e.FindStyleResource("background"), nullptr);
        EXPECT_EQ(e.FindStyleResource("background")->children[0]->stroke, 0xFF87CEEB);
        EXPECT_EQ(Fill(e), c.resting);
        h.Focus(e);
        EXPECT_EQ(Fill(e), c.yellow ? 0xFFFFFF00 : c.resting);
        h.Focus(fogli.txtUfficio);
        EXPECT_EQ(Fill(e), c.resting);
    }
    // Back and forth many times: still one rectangle.
    for (int i = 0; i < 200; ++i) {
        h.Focus(fogli.txtNumFoglio);
        h.Focus(fogli.txtUfficio);
    }
    EXPECT_EQ(fogli.txtNumFoglio.FindStyleResource("background")->children.size(), 1u);
}

// Enter runs the long chain from the number to "CALCOLA  >>", and the short
// one from the litre total to "CALCOLA"; no Enter leads into the litre or
// km totals, and none opens the date picker.
TEST_F(SheetTest, EnterChains) {
    std::vector<std::string> chain = {
        "txtNumFoglio", "txtDataApertura", "txtOraApertura", "txtDataChiusura", "txtOraChiusura",
        "txtUfficio",   "txtConduttore",   "txtTelCel",      "txtVeicolo",      "txtTarga"};
    for (int i = 1; i <= 8; ++i)
        for (const char* c : {"txtDataPar", "txtOraPar", "txtKmPar", "txtLuogoPar", "txtDataArr", "txtOraArr",
                              "txtKmArr", "txtLuogoArr"})
            chain.push_back(c + Due(i));
    for (int i = 1; i <= 3; ++i)
        for (const char* c : {"txtDataRif", "txtOraRif", "txtStazione", "txtLitri", "txtImporto"})
            chain.push_back(c + Due(i));
    chain.push_back("btnCalcolaRif");
    ASSERT_EQ(chain.size(), 90u);
    for (std::size_t i = 0; i + 1 < chain.size(); ++i) {
        h.Focus(fogli.Get<ui::Control>(chain[i]));
        h.Press(fogli, ui::vk::Return);
        EXPECT_EQ(fogli.Focused(), &fogli.Get<ui::Control>(chain[i + 1])) << chain[i];
    }
    const std::vector<std::string> shortChain = {"txtLitriTot", "txtImportoTot", "txtKmPartenza",
                                                 "txtKmRientro", "btnCalcolaKm"};
    for (std::size_t i = 0; i + 1 < shortChain.size(); ++i) {
        h.Focus(fogli.Get<ui::Control>(shortChain[i]));
        h.Press(fogli, ui::vk::Return);
        EXPECT_EQ(fogli.Focused(), &fogli.Get<ui::Control>(shortChain[i + 1])) << shortChain[i];
    }
    h.Focus(fogli.txtKmPercorsi);
    h.Press(fogli, ui::vk::Return);
    EXPECT_EQ(fogli.Focused(), &fogli.txtNumFoglio);
    EXPECT_EQ(h.ModalCount(), 0);
}

// Each of the 21 date edits opens the picker with its own tag; the date
// lands in that edit. Backspace and Delete empty it without a picker.
TEST_F(SheetTest, DateEditsUseThePickerWithTheirTags) {
    std::vector<std::string> campi = {"DataApertura", "DataChiusura"};
    for (int i = 1; i <= 8; ++i)
        campi.push_back("DataPar" + Due(i));
    for (int i = 1; i <= 8; ++i)
        campi.push_back("DataArr" + Due(i));
    for (int i = 1; i <= 3; ++i)
        campi.push_back("DataRif" + Due(i));
    ASSERT_EQ(campi.size(), 21u);
    std::string tag;
    const ui::Form* owner = nullptr;
    h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
        tag = c.lblMemory.Text();
        owner = c.Owner();
        h.PickDate(c.calAppuntamenti, *rtl::Date::FromYmd(2024, 4, 9));
        h.Click(c.btnImportaData);
    });
    for (const std::string& campo : campi) {
        SCOPED_TRACE(campo);
        ui::Edit& e = fogli.Campo(campo);
        e.SetText("");
        h.Focus(e);
        h.Press(fogli, 'X', U'x');
        EXPECT_EQ(tag, "fogli_" + rtl::LowerAscii(campo));
        EXPECT_EQ(owner, &fogli);
        EXPECT_EQ(e.Text(), "09/04/2024");
        for (std::uint16_t key : {ui::vk::Back, ui::vk::Delete}) {
            e.SetText("01/01/2024");
            h.Press(fogli, key);
            EXPECT_EQ(e.Text(), "");
        }
    }
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 21);
}

TEST_F(SheetTest, DigitAndAmountFilters) {
    TypeInto(fogli.Campo("KmPar01"), "12a b,3.4");
    EXPECT_EQ(fogli.Campo("KmPar01").Text(), "1234");
    TypeInto(fogli.txtKmPartenza, "15-000");
    EXPECT_EQ(fogli.txtKmPartenza.Text(), "15000");
    TypeInto(fogli.txtLitri02, "4,5");
    EXPECT_EQ(fogli.txtLitri02.Text(), "45");
    TypeInto(fogli.txtImporto01, "12,5.0a");
    EXPECT_EQ(fogli.txtImporto01.Text(), "12,50");
    // Home, End and the vertical arrows are swallowed; Left, Right, Backspace
    // and Delete work.
    for (std::uint16_t key : {ui::vk::Home, ui::vk::End, ui::vk::Up, ui::vk::Down}) {
        ui::KeyEvent k{key, 0, ui::Mod::None};
        fogli.Campo("KmArr03").OnKeyDown(k);
        EXPECT_TRUE(k.Swallowed()) << key;
    }
    for (std::uint16_t key : {ui::vk::Left, ui::vk::Right, ui::vk::Back, ui::vk::Delete}) {
        ui::KeyEvent k{key, 0, ui::Mod::None};
        fogli.txtImporto02.OnKeyDown(k);
        EXPECT_FALSE(k.Swallowed()) << key;
    }
    // Other text edits take anything.
    TypeInto(fogli.txtTelCel, "+39 (333) 12");
    EXPECT_EQ(fogli.txtTelCel.Text(), "+39 (333) 12");
}

TEST_F(SheetTest, TotalsAreClearedByBackspaceAndDeleteOnly) {
    for (ui::Edit* e : {&fogli.txtLitriTot, &fogli.txtImportoTot, &fogli.txtKmPercorsi}) {
        SCOPED_TRACE(e->Name());
        e->SetText("75");
        h.Focus(*e);
        h.Type(fogli, "9");
        EXPECT_EQ(e->Text(), "75"); // read-only
        h.Press(fogli, ui::vk::Delete);
        EXPECT_EQ(e->Text(), "");
        e->SetText(" 12 ");
        h.Press(fogli, ui::vk::Back);
        EXPECT_EQ(e->Text(), "");
        // Leaving trims and does not repaint.
        e->SetText(" 12 ");
        h.Focus(fogli.txtUfficio);
        EXPECT_EQ(e->Text(), "12");
        EXPECT_EQ(Fill(*e), 0xFFB0C4DE);
    }
}

TEST_F(SheetTest, ExitRules) {
    const struct {
        const char* typed;
        const char* shown;
    } amounts[] = {{"12", "12,00"}, {"12,5", "12,50"}, {"12,345", "12,345"}, {"12,34567", "12,3457"},
                   {"", ""},        {"1,2,3", "0,00"}, {",", "0,00"},        {"007,1", "7,10"}};
    for (const auto& a : amounts) {
        fogli.txtImporto02.SetText("");
        TypeInto(fogli.txtImporto02, a.typed);
        h.Focus(fogli.txtUfficio);
        EXPECT_EQ(fogli.txtImporto02.Text(), a.shown) << a.typed;
    }
    fogli.txtImporto03.SetText("   ");
    h.Focus(fogli.txtImporto03);
    h.Focus(fogli.txtUfficio);
    EXPECT_EQ(fogli.txtImporto03.Text(), "");
    // Leg odometers keep their blanks; the start, return and litres are
    // trimmed; other edits are left as they are.
    const struct {
        const char* campo;
        const char* after;
    } trims[] = {{"KmPar02", " 12 "}, {"KmArr07", " 12 "}, {"KmPartenza", "12"},
                 {"KmRientro", "12"}, {"Litri01", "12"},   {"Conduttore", " 12 "}};
    for (const auto& t : trims) {
        fogli.Campo(t.campo).SetText(" 12 ");
        h.Focus(fogli.Campo(t.campo));
        h.Focus(fogli.txtUfficio);
        EXPECT_EQ(fogli.Campo(t.campo).Text(), t.after) << t.campo;
    }
}

TEST_F(SheetTest, PlateIsUpperCasedAsTyped) {
    TypeInto(fogli.txtTarga, "ab12");
    EXPECT_EQ(fogli.txtTarga.Text(), "AB12");
    h.Type(fogli, " ");
    EXPECT_EQ(fogli.txtTarga.Text(), "AB12");
    h.Type(fogli, "è");
    EXPECT_EQ(fogli.txtTarga.Text(), "AB12è");
}

TEST_F(SheetTest, KilometreTotal) {
    const struct {
        const char* partenza;
        const char* rientro;
        const char* partenzaDopo;
        const char* rientroDopo;
        const char* percorsi;
    } cases[] = {
        {"", "", "0", "0", "0"},
        {"15000", "14850", "15000", "14850", "-150"},
        {"100", "350", "100", "350", "250"},
        {"", "500", "0", "500", "500"},
        {"1,2,3", "50", "0", "0", "0"}, // a reading that is no number
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.partenza) + " " + c.rientro);
        fogli.txtKmPartenza.SetText(c.partenza);
        fogli.txtKmRientro.SetText(c.rientro);
        fogli.txtKmPercorsi.SetText("x");
        h.Click(fogli.btnCalcolaKm);
        EXPECT_EQ(fogli.txtKmPartenza.Text(), c.partenzaDopo);
        EXPECT_EQ(fogli.txtKmRientro.Text(), c.rientroDopo);
        EXPECT_EQ(fogli.txtKmPercorsi.Text(), c.percorsi);
    }
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
}

TEST_F(SheetTest, FuelTotals) {
    const struct {
        const char* litri[3];
        const char* importi[3];
        const char* litriTot;
        const char* importoTot;
    } cases[] = {
        {{"40", "", "35"}, {"", "", ""}, "75", "0,00"},
        {{"", "", ""}, {"50,5", "", ""}, "0", "50,50"},
        {{"", "", ""}, {"10,333", "0,001", ""}, "0", "10,334"},
        {{"", "", ""}, {"12", "", ""}, "0", "12,00"},
        {{"", "", ""}, {"12,34567", "", ""}, "0", "12,3457"},
        {{"", "", ""}, {"", "", ""}, "0", "0,00"},
        {{" 4 ", "", ""}, {"", "", " 0,5 "}, "4", "0,50"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.litriTot + std::string(" ") + c.importoTot);
        for (int i = 0; i < 3; ++i) {
            fogli.Campo("Litri" + Due(i + 1)).SetText(c.litri[i]);
            fogli.Campo("Importo" + Due(i + 1)).SetText(c.importi[i]);
        }
        h.Click(fogli.btnCalcolaRif);
        EXPECT_EQ(fogli.txtLitriTot.Text(), c.litriTot);
        EXPECT_EQ(fogli.txtImportoTot.Text(), c.importoTot);
        EXPECT_EQ(fogli.txtImporto01.Text(), c.importi[0]); // the rows stay
    }
    // A value that is no number empties the rows' litres and amounts and
    // both totals, silently.
    fogli.txtLitri01.SetText("40");
    fogli.txtImporto01.SetText("10,5");
    fogli.txtImporto02.SetText("1,2,3");
    fogli.Campo("Stazione01").SetText("Q8");
    h.Click(fogli.btnCalcolaRif);
    for (const char* campo :
         {"Litri01", "Litri02", "Litri03", "Importo01", "Importo02", "Importo03", "LitriTot", "ImportoTot"})
        EXPECT_EQ(fogli.Campo(campo).Text(), "") << campo;
    EXPECT_EQ(fogli.Campo("Stazione01").Text(), "Q8");
}

// Each command opens its window owned by the trip-sheet window, with its
// presets, modally.
TEST_F(SheetTest, CommandsOpenTheirWindows) {
    int aperte = 0;
    const auto owned = [&](ui::Form& f) {
        EXPECT_EQ(f.Owner(), &fogli) << f.ClassName();
        ++aperte;
    };
    h.OnModal<TfrmTrovaFogli>([&](TfrmTrovaFogli& w) {
        owned(w);
        EXPECT_EQ(w.lblMemory.Text(), "fogli");
    });
    h.OnModal<TfrmRiepAperti>([&](TfrmRiepAperti& w) { owned(w); });
    h.OnModal<TfrmAnteprimaFoglio>([&](TfrmAnteprimaFoglio& w) {
        owned(w);
        EXPECT_EQ(w.Caption(), " Anteprima di stampa");
    });
    h.OnModal<TfrmStampaFoglio>([&](TfrmStampaFoglio& w) {
        owned(w);
        EXPECT_EQ(w.Caption(), " Stampa documento");
    });
    h.OnModal<TfrmExpFogli>([&](TfrmExpFogli& w) { owned(w); });
    h.OnModal<TfrmNumerazione>([&](TfrmNumerazione& w) {
        owned(w);
        EXPECT_EQ(w.lblMemory.Text(), "fogli");
        EXPECT_EQ(w.Caption(), " Impostazione inizio numerazione Fogli di Marcia");
    });
    h.OnModal<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& w) {
        owned(w);
        EXPECT_EQ(w.lblMemory.Text(), "fogli");
    });
    std::string titolo, testo;
    h.OnModal("TfrmGuida", [&](ui::Form& g) {
        owned(g);
        titolo = g.Get<ui::Label>("lblTitolo").Text();
        testo = g.Get<ui::Memo>("txtGuida").Text();
    });
    for (ui::Control* c :
         {static_cast<ui::Control*>(&fogli.cmdTrova), static_cast<ui::Control*>(&fogli.cmdFogliAperti),
          static_cast<ui::Control*>(&fogli.cmdAnteprima), static_cast<ui::Control*>(&fogli.cmdStampa),
          static_cast<ui::Control*>(&fogli.cmdEsporta), static_cast<ui::Control*>(&fogli.cmdNumerazione),
          static_cast<ui::Control*>(&fogli.impConduttore), static_cast<ui::Control*>(&fogli.cmdGuida)})
        h.Click(*c);
    EXPECT_EQ(aperte, 8);
    EXPECT_EQ(titolo, "App Gestione Fogli di Marcia");
    // Fourteen paragraphs joined by CR LF CR LF.
    std::size_t paragrafi = 1;
    for (std::size_t p = testo.find("\r\n\r\n"); p != std::string::npos; p = testo.find("\r\n\r\n", p + 4))
        ++paragrafi;
    EXPECT_EQ(paragrafi, 14u);
    EXPECT_TRUE(fogli.Visible());
}
