// The booking summary: lines in calendar order, find-next with one memory
// for the run, the list report.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PlannerTest.h"
#include "planner/RiepPrenotazioni.h"
#include "tests/support/Outputs.h"

namespace {

using namespace pt;

class Riepilogo : public PlannerTest {
protected:
    Riepilogo() {
        TfrmRiepPrenotazioni::UltimaRicerca().clear();
        ts::GetHeadlessOutput().printed.clear();
        planning.Show();
    }
};

TEST(EtichettaGiorno, FifteenCharactersWithTheTwoDigitDay) {
    EXPECT_EQ(EtichettaGiorno(1, 1), "01 gennaio     ");
    EXPECT_EQ(EtichettaGiorno(2, 29), "29 febbraio    ");
    EXPECT_EQ(EtichettaGiorno(9, 30), "30 settembre   ");
    EXPECT_EQ(EtichettaGiorno(12, 31), "31 dicembre    ");
}

TEST_F(Riepilogo, BookedDaysInCalendarOrderWithTrimmedTexts) {
    planning.ScriviGiorno(32, "Albero");       // 2 February
    planning.ScriviGiorno(30, "  Zeta srl  "); // 31 January
    planning.ScriviGiorno(31, "Bianchi");      // 1 February
    planning.ScriviGiorno(59, "Bisestile");    // 29 February
    planning.Cella(100).mem.SetText("    ");   // blanks only: no line
    planning.ScriviGiorno(273, "Ultimo di settembre");
    planning.txtAnno.SetText("2023");
    TfrmRiepPrenotazioni w(h.app, &planning, &planning);
    EXPECT_EQ(w.lstRecords.Items(), (std::vector<std::string>{
                                        "31 gennaio     Zeta srl",
                                        "01 febbraio    Bianchi",
                                        "02 febbraio    Albero",
                                        "29 febbraio    Bisestile",
                                        "30 settembre   Ultimo di settembre",
                                    }));
    EXPECT_EQ(w.lstRecords.ItemWidth(), 760);
    EXPECT_EQ(w.lstRecords.ItemFont().family, "Courier New");
    EXPECT_EQ(w.Caption(), " Riepilogo prenotazioni veicolo");
    EXPECT_EQ(w.txtTrova.Text(), "");
    EXPECT_EQ(w.Focused(), &w.txtTrova);
}

TEST_F(Riepilogo, FindsByDayAndTextAndRemembersTheSearchAcrossWindows) {
    planning.ScriviGiorno(0, "Febbraio Mario"); // names the month in its text
    planning.ScriviGiorno(35, "Rossi");         // 5 February
    planning.ScriviGiorno(40, "Verdi");
    {
        TfrmRiepPrenotazioni w(h.app, &planning, &planning);
        w.Show();
        w.txtTrova.SetText("febbraio");
        h.Click(w.btnTrova);
        EXPECT_EQ(w.lstRecords.ItemIndex(), 0);
        h.Click(w.btnTrova);
        EXPECT_EQ(w.lstRecords.ItemIndex(), 1);
        h.Click(w.btnChiudi);
        EXPECT_EQ(w.lstRecords.Count(), 0u);
    }
    EXPECT_EQ(TfrmRiepPrenotazioni::UltimaRicerca(), "febbraio");
    // A second window: the same text is a repeated search, so the first line
    // (selected when none is) is tested last.
    TfrmRiepPrenotazioni w(h.app, &planning, &planning);
    w.Show();
    w.txtTrova.SetText("febbraio");
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 1);
    h.Focus(w.txtTrova);
    h.Press(w, ui::vk::Return, U'\r');
    EXPECT_EQ(w.Focused(), &w.btnTrova);
}

TEST_F(Riepilogo, EmptySummaryRefusesTheSearchAndStillPrints) {
    planning.txtMarca.SetText("");
    planning.txtModello.SetText("");
    planning.txtAnno.SetText("2026");
    TfrmRiepPrenotazioni w(h.app, &planning, &planning);
    w.Show();
    EXPECT_EQ(w.lstRecords.Count(), 0u);
    h.ExpectShowMessage("Ricerca non applicabile: la lista non contiene nessuna voce.");
    h.Click(w.btnTrova);
    h.Verify();
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo prenotazioni veicolo   anno 2026");
    EXPECT_TRUE(w.frxReport.GetMemo("txtRiepilogo").Lines().empty());
}

TEST_F(Riepilogo, PrintTakesTheVehicleAtTheMomentOfPrinting) {
    planning.ScriviGiorno(3, "Rossi");
    planning.txtAnno.SetText(" 2025 ");
    TfrmRiepPrenotazioni w(h.app, &planning, &planning);
    w.Show();
    planning.txtMarca.SetText(" Fiat ");
    planning.txtModello.SetText(" Ducato ");
    h.Click(w.btnStampa);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(),
              "Riepilogo prenotazioni veicolo Fiat Ducato anno 2025");
    EXPECT_EQ(w.frxReport.GetMemo("txtRiepilogo").Lines(), std::vector<std::string>{"04 gennaio     Rossi"});
}

TEST_F(Riepilogo, PlannerCommandOpensTheSummaryOverThePlanner) {
    planning.ScriviGiorno(3, "Rossi");
    int shown = 0;
    h.OnModal<TfrmRiepPrenotazioni>([&](TfrmRiepPrenotazioni& w) {
        ++shown;
        EXPECT_EQ(w.Owner(), &planning);
        EXPECT_EQ(w.lstRecords.Count(), 1u);
        h.Click(w.btnChiudi);
    });
    h.Click(planning.cmdRiepilogo);
    EXPECT_EQ(shown, 1);
}

} // namespace
