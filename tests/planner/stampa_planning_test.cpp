// The year sheet: what the print and the preview put on the page.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <variant>
#include <vector>

#include "PlannerTest.h"
#include "planner/AnteprimaPlanning.h"
#include "planner/StampaPlanning.h"
#include "tests/support/Outputs.h"

namespace {

using namespace pt;

// The texts of the page, by object name (anonymous objects left out).
std::map<std::string, std::string> Testi(const report::Document& doc) {
    std::map<std::string, std::string> out;
    for (const auto& page : doc.pages)
        for (const auto& item : page.items)
            if (const auto* t = std::get_if<report::TextItem>(&item); t && !t->object.empty())
                out[t->object] += t->text;
    return out;
}

class StampaPlanning : public PlannerTest {
protected:
    StampaPlanning() {
        ts::GetHeadlessOutput().printed.clear();
        ts::GetHeadlessOutput().previewed.clear();
        ts::GetHeadlessOutput().confirm = true;
    }
    ~StampaPlanning() override { ts::GetHeadlessOutput().confirm = true; }

    void Vehicle(const char* tipo, const char* marca, const char* modello, const char* targa,
                 const char* anno) {
        planning.txtVeicolo.SetText(tipo);
        planning.txtMarca.SetText(marca);
        planning.txtModello.SetText(modello);
        planning.txtTarga.SetText(targa);
        planning.txtAnno.SetText(anno);
    }
};

TEST_F(StampaPlanning, SheetMarksTheBookedDaysAndNamesTheVehicle) {
    planning.Show();
    Vehicle("  Furgone ", " Fiat ", " Ducato [L2] ", " AB123CD ", " 2023 ");
    planning.ScriviGiorno(0, "Rossi");
    planning.ScriviGiorno(59, "Bianchi"); // 29 February, in a year without it
    planning.ScriviGiorno(365, "Verdi");
    h.SetNow({*rtl::Date::FromYmd(2026, 3, 5), {14, 5, 9}});
    h.OnModal<TfrmStampaPlanning>([&](TfrmStampaPlanning& dialog) {
        EXPECT_EQ(dialog.Caption(), " Stampa scheda corrente");
        EXPECT_EQ(dialog.btnStampa.Text(), "Stampa");
        for (const char* none :
             {"txtFeb_30", "txtFeb_31", "txtApr_31", "txtGiu_31", "txtSet_31", "txtNov_31"})
            EXPECT_FALSE(dialog.repDocumento.Has(none)) << none;
        h.Click(dialog.btnStampa);
        EXPECT_FALSE(dialog.Visible());
    });
    h.Click(planning.cmdStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    const report::Document& doc = ts::GetHeadlessOutput().printed[0];
    EXPECT_EQ(doc.name, "Planning Annuale");
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_EQ(doc.pages[0].orientation, report::Orientation::Landscape);
    EXPECT_EQ(doc.pages[0].width, 297);
    auto t = Testi(doc);
    EXPECT_EQ(t["txtTitolo"], "PLANNER PRENOTAZIONI ANNO 2023");
    EXPECT_EQ(t["txtVeicolo"], "Furgone");
    EXPECT_EQ(t["txtModello"], "Fiat Ducato [L2]");
    EXPECT_EQ(t["txtTarga"], "AB123CD");
    EXPECT_EQ(t["txtCalce"], "Stampa eseguita in data 05/03/2026 alle ore 14:05:09");
    EXPECT_EQ(t["txtGen_01"], "X");
    EXPECT_EQ(t["txtFeb_29"], "X");
    EXPECT_EQ(t["txtDic_31"], "X");
    EXPECT_EQ(t["txtGen_02"], " ");
    EXPECT_EQ(t["txtMar_01"], " ");
    EXPECT_EQ(t["tit_31"], "31");
    int boxes = 0, marked = 0;
    for (const auto& [name, text] : t)
        if (name.size() == 9 && name.rfind("txt", 0) == 0 && name[6] == '_') {
            ++boxes;
            marked += text == "X";
        }
    EXPECT_EQ(boxes, 366);
    EXPECT_EQ(marked, 3);
}

TEST_F(StampaPlanning, OnlyTheBookedPicturesVisibilityCounts) {
    planning.Show();
    Vehicle("", "", "", "", "2024");
    planning.Cella(10).mem.SetText("testo senza immagine");
    planning.Cella(11).occ.SetVisible(true);
    h.OnModal<TfrmAnteprimaPlanning>([&](TfrmAnteprimaPlanning& dialog) {
        EXPECT_EQ(dialog.Caption(), " Anteprima di stampa");
        EXPECT_EQ(dialog.btnStampa.Text(), "Mostra anteprima");
        h.Click(dialog.btnStampa);
        EXPECT_FALSE(dialog.Visible());
    });
    h.Click(planning.cmdAnteprima);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    ASSERT_EQ(ts::GetHeadlessOutput().previewed.size(), 1u);
    auto t = Testi(ts::GetHeadlessOutput().previewed[0]);
    EXPECT_EQ(t["txtGen_11"], " ");
    EXPECT_EQ(t["txtGen_12"], "X");
    EXPECT_EQ(t["txtModello"], " "); // make and model both empty: one blank
    EXPECT_EQ(t["txtTitolo"], "PLANNER PRENOTAZIONI ANNO 2024");
}

TEST_F(StampaPlanning, CancelAndAClosedPrintDialogPrintNothing) {
    planning.Show();
    h.OnModal<TfrmStampaPlanning>([&](TfrmStampaPlanning& dialog) {
        h.Click(dialog.btnAnnulla);
        EXPECT_FALSE(dialog.Visible());
    });
    h.Click(planning.cmdStampa);
    ts::GetHeadlessOutput().confirm = false;
    h.OnModal<TfrmStampaPlanning>([&](TfrmStampaPlanning& dialog) {
        h.Click(dialog.btnStampa);
        EXPECT_FALSE(dialog.Visible());
    });
    h.Click(planning.cmdStampa);
    EXPECT_TRUE(ts::GetHeadlessOutput().printed.empty());
    EXPECT_EQ(h.ModalCount("TfrmStampaPlanning"), 2);
}

// The year sheet has no catch of its own: a printer that fails shows the
// failure's own text in the standard error box, and the dialog stays open
// with its two buttons, for another try or "Annulla".
TEST_F(StampaPlanning, AFailingPrinterReachesTheErrorBoxAndTheDialogStaysOpen) {
    struct Guasta : report::Output {
        bool Print(const report::Document&) override { throw report::Error("stampante non pronta"); }
        void Preview(const report::Document&) override { throw report::Error("anteprima non disponibile"); }
    } guasta;
    struct Ripristina {
        report::Output* prima;
        ~Ripristina() { report::SetOutput(prima); }
    } ripristina{report::SetOutput(&guasta)};
    planning.Show();
    const auto prova = [&](common::TfrmDocumento& dialog, const char* testo) {
        h.ExpectMessage(ui::DialogType::Error, testo);
        h.Click(dialog.btnStampa);
        EXPECT_TRUE(dialog.Visible()) << testo;
        h.Click(dialog.btnAnnulla);
        EXPECT_FALSE(dialog.Visible()) << testo;
    };
    h.OnModal<TfrmStampaPlanning>([&](TfrmStampaPlanning& d) { prova(d, "stampante non pronta"); });
    h.OnModal<TfrmAnteprimaPlanning>(
        [&](TfrmAnteprimaPlanning& d) { prova(d, "anteprima non disponibile"); });
    h.Click(planning.cmdStampa);
    h.Click(planning.cmdAnteprima);
    EXPECT_EQ(h.ModalCount("TfrmStampaPlanning"), 1);
    EXPECT_EQ(h.ModalCount("TfrmAnteprimaPlanning"), 1);
}

TEST_F(StampaPlanning, PlannerCommandsOpenTheirDialogs) {
    planning.Show();
    int stampa = 0, anteprima = 0;
    h.OnModal<TfrmStampaPlanning>([&](TfrmStampaPlanning& d) {
        ++stampa;
        EXPECT_EQ(d.Owner(), &planning);
        h.Click(d.btnAnnulla);
    });
    h.OnModal<TfrmAnteprimaPlanning>([&](TfrmAnteprimaPlanning& d) {
        ++anteprima;
        EXPECT_EQ(d.Owner(), &planning);
        h.Click(d.btnStampa);
    });
    h.Click(planning.cmdStampa);
    h.Click(planning.cmdAnteprima);
    EXPECT_EQ(stampa, 1);
    EXPECT_EQ(anteprima, 1);
    EXPECT_EQ(ts::GetHeadlessOutput().previewed.size(), 1u);
    EXPECT_TRUE(planning.Visible());
}

} // namespace
