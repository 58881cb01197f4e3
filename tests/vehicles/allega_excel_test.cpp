// The cost sheet of a vehicle: its archive bytes, the list and the total, the
// required fields, append and rewrite, the amount, modify and print.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "platform/report/Report.h"
#include "platform/rtl/Files.h"
#include "platform/ui/Layout.h"
#include "tests/support/Harness.h"
#include "tests/support/Outputs.h"
#include "vehicles/AllegaExcel.h"

namespace {

// A stand-in for the vehicle card: what the cost sheet reads of it.
// The vehicle card that opens the sheet: its form, and the vehicle it hands
// over.
struct Scheda {
    explicit Scheda(ui::Application& app, const std::string& posizione = "4")
        : form(app), posizione(posizione) {}
    void Consegna(TfrmAllegaExcel& w) const { w.ImpostaVeicolo(posizione, "Fiat", "Panda", "AB123CD"); }
    ui::Form form;
    std::string posizione;
};

struct Costo {
    std::string data, causale, pagatore, beneficiario, importo;
};

void ScriviCosti(const std::string& file, const std::vector<Costo>& costi) {
    common::Record r(common::TCostoRec);
    for (const Costo& c : costi) {
        r.Set("Data", c.data);
        r.Set("Causale", c.causale);
        r.Set("Pagatore", c.pagatore);
        r.Set("Beneficiario", c.beneficiario);
        r.Set("Importo", c.importo);
        common::Archivio(rtl::DataPath(file), common::TCostoRec).Scrivi("", r);
    }
}

void Compila(ts::Harness& h, TfrmAllegaExcel& w, const Costo& c) {
    w.txtData.SetText(c.data);
    w.txtCausale.SetText(c.causale);
    w.txtPagatore.SetText(c.pagatore);
    w.txtBeneficiario.SetText(c.beneficiario);
    h.Focus(w.txtImporto);
    w.txtImporto.SetText(c.importo);
}

constexpr const char* kAggiunto = "La scheda corrente è stata inserita in archivio.";
constexpr const char* kModificato =
    "Le modifiche apportate alla scheda corrente sono state salvate in archivio.";

TEST(CostSheet, ListsCostsInEntryOrderWithTheirTotal) {
    struct Caso {
        std::vector<std::string> importi;
        std::string totale;
    };
    const Caso casi[] = {
        {{}, "€ 0,00"},
        {{"10,50", "2,25"}, "€ 12,75"},
        {{"0,10", "0,10", "0,10"}, "€ 0,30"},
        {{"5", "", "1,25"}, "€ 6,25"}, // a cost without amount is not listed
    };
    for (const Caso& caso : casi) {
        ts::Harness h;
        Scheda scheda(h.app);
        std::vector<Costo> costi;
        for (const std::string& i : caso.importi)
            costi.push_back({"01/02/2026", "Gomme", "Ditta", "Gommista", i});
        if (!costi.empty()) ScriviCosti("Costi_Veicolo_4.pro", costi);
        TfrmAllegaExcel w(h.app, &scheda.form);
        scheda.Consegna(w);
        w.Show();
        EXPECT_EQ(w.lblTotale.Text(), caso.totale);
        std::size_t listati = 0;
        for (const std::string& i : caso.importi)
            listati += i.empty() ? 0 : 1;
        EXPECT_EQ(w.lstRecords.Count(), listati);
        EXPECT_EQ(w.lblTitolo.Text(), "Fiat Panda targata AB123CD");
        EXPECT_TRUE(rtl::FileExists(h.DataFolder() + "Costi_Veicolo_4.pro"));
    }
}

// A cost file that cannot be read is reported over what was listed; an
// amount that is not a number ends the list where it is, without a word.
TEST(CostSheet, AnUnreadableCostFileIsReported) {
    {
        ts::Harness h;
        Scheda scheda(h.app);
        rtl::CreateFolders(h.DataFolder() + "Costi_Veicolo_4.pro");
        TfrmAllegaExcel w(h.app, &scheda.form);
        scheda.Consegna(w);
        h.ExpectShowMessage(std::string(common::kMsgAccessoArchivio));
        w.Show();
        h.Verify();
        EXPECT_EQ(w.lstRecords.Count(), 0u);
        EXPECT_EQ(w.lblTotale.Text(), "0");
    }
    {
        ts::Harness h;
        Scheda scheda(h.app);
        ScriviCosti("Costi_Veicolo_4.pro", {{"01/02/2026", "Gomme", "Ditta", "Gommista", "10,50"},
                                            {"02/02/2026", "Olio", "Ditta", "Officina", "1,2,3"},
                                            {"03/02/2026", "Bollo", "Ditta", "Regione", "5"}});
        TfrmAllegaExcel w(h.app, &scheda.form);
        scheda.Consegna(w);
        w.Show();
        EXPECT_EQ(w.lstRecords.Count(), 2u); // up to the cost whose amount is not a number, listed
        EXPECT_EQ(w.lblTotale.Text(), "10,5");
    }
}

TEST(CostSheet, ListLineHasItsPaddedColumns) {
    ts::Harness h;
    Scheda scheda(h.app);
    ScriviCosti("Costi_Veicolo_4.pro", {{"1/2/24", "Cambio olio", "Rossi Mario", "Officina Verdi", "10,50"}});
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    ASSERT_EQ(w.lstRecords.Count(), 1u);
    const std::string attesa = "Data: 1/2/24" + std::string(4, ' ') + "   Da: Rossi Mario" +
                               std::string(15, ' ') + "   A: Officina Verdi" + std::string(12, ' ') +
                               "  Causale: Cambio olio" + std::string(29, ' ') + "  Costo: € 10,50";
    EXPECT_EQ(w.lstRecords.Item(0), attesa);
    EXPECT_EQ(w.lstRecords.ItemIndex(), -1); // nothing chosen yet
}

TEST(CostSheet, AmountThatIsNotANumberIsListedAndEndsTheTotal) {
    ts::Harness h;
    Scheda scheda(h.app);
    ScriviCosti("Costi_Veicolo_4.pro", {{"01/01/2026", "Uno", "A", "B", "5,5"},
                                        {"02/01/2026", "Due", "A", "B", "dieci"},
                                        {"03/01/2026", "Tre", "A", "B", "1,25"}});
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    ASSERT_EQ(w.lstRecords.Count(), 2u);
    EXPECT_NE(w.lstRecords.Item(1).find("Causale: Due"), std::string::npos);
    EXPECT_NE(w.lstRecords.Item(1).find("Costo: € dieci"), std::string::npos);
    EXPECT_EQ(w.lblTotale.Text(), "5,5"); // the sum so far, not normalised
}

TEST(CostSheet, SaveAppendsThenRewritesTheSameRecordAtItsBytes) {
    ts::Harness h;
    Scheda scheda(h.app);
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Click(w.btnAggiungi);
    EXPECT_TRUE(w.panCosti.Visible());
    EXPECT_FALSE(w.panContainer.Visible());
    EXPECT_EQ(w.txtImporto.Text(), "0,00");
    Compila(h, w, {"05/03/2026", "Bollo auto", "Società", "Regione", "123,4"});
    h.ExpectMessage(ui::DialogType::Information, kAggiunto);
    h.Click(w.btnSalva);
    EXPECT_EQ(w.lblPosizione.Text(), "1");
    EXPECT_EQ(w.txtImporto.Text(), "123,40");

    const std::string bytes = rtl::ReadWholeFile(h.DataFolder() + "Costi_Veicolo_4.pro");
    ASSERT_EQ(bytes.size(), 122u);
    EXPECT_EQ(bytes.substr(0, 11), std::string("\x0a"
                                               "05/03/2026",
                                               11));
    EXPECT_EQ(bytes.substr(11, 11), std::string("\x0a"
                                                "Bollo auto",
                                                11));
    EXPECT_EQ(bytes.substr(52, 8), std::string("\x07"
                                               "Societ\xe0",
                                               8)); // windows-1252
    EXPECT_EQ(bytes.substr(79, 8), std::string("\x07"
                                               "Regione",
                                               8));
    EXPECT_EQ(bytes.substr(106, 7), std::string("\x06"
                                                "123,40",
                                                7));

    w.txtCausale.SetText("Bollo");
    h.ExpectMessage(ui::DialogType::Information, kModificato);
    h.Click(w.btnSalva);
    EXPECT_EQ(w.lblPosizione.Text(), "1");
    const std::string dopo = rtl::ReadWholeFile(h.DataFolder() + "Costi_Veicolo_4.pro");
    ASSERT_EQ(dopo.size(), 122u);
    EXPECT_EQ(dopo.substr(11, 6), std::string("\x05"
                                              "Bollo",
                                              6));
    EXPECT_TRUE(w.panCosti.Visible());
}

TEST(CostSheet, RequiredFieldsAreCheckedInOrder) {
    struct Caso {
        Costo costo;
        std::string messaggio;
        const char* focus;
    };
    const Caso casi[] = {
        {{"", "", "", "", ""},
         "Attenzione: per salvare la scheda è necessario indicare la data del costo sostenuto.",
         "txtData"},
        {{"01/01/2026", " ", "x", "x", "1"},
         "Attenzione: per salvare la scheda è necessario indicare la causale del costo.",
         "txtCausale"},
        {{"01/01/2026", "x", "", "x", "1"},
         "Attenzione: per salvare la scheda è necessario indicare il nome del pagatore.",
         "txtPagatore"},
        {{"01/01/2026", "x", "x", "", ""},
         "Attenzione: per salvare la scheda è necessario indicare il nome del beneficiario.",
         "txtBeneficiario"},
        {{"01/01/2026", "x", "x", "x", ""},
         "Attenzione: per salvare la scheda è necessario indicare l'importo pagato.",
         "txtImporto"},
    };
    for (const Caso& caso : casi) {
        ts::Harness h;
        Scheda scheda(h.app);
        TfrmAllegaExcel w(h.app, &scheda.form);
        scheda.Consegna(w);
        w.Show();
        h.Click(w.btnAggiungi);
        w.txtData.SetText(caso.costo.data);
        w.txtCausale.SetText(caso.costo.causale);
        w.txtPagatore.SetText(caso.costo.pagatore);
        w.txtBeneficiario.SetText(caso.costo.beneficiario);
        w.txtImporto.SetText(caso.costo.importo);
        h.ExpectMessage(ui::DialogType::Warning, caso.messaggio);
        h.Click(w.btnSalva);
        ASSERT_NE(w.Focused(), nullptr);
        EXPECT_EQ(w.Focused()->Name(), caso.focus);
        EXPECT_FALSE(rtl::FileExists(h.DataFolder() + "Costi_Veicolo_4.pro") &&
                     !rtl::ReadWholeFile(h.DataFolder() + "Costi_Veicolo_4.pro").empty());
    }
}

TEST(CostSheet, AmountKeepsDigitsAndCommaAndIsNormalisedOnLeaving) {
    ts::Harness h;
    Scheda scheda(h.app);
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Click(w.btnAggiungi);
    h.Focus(w.txtImporto);
    w.txtImporto.SetText("");
    h.Type(w, "12a.5,5");
    EXPECT_EQ(w.txtImporto.Text(), "125,5");
    h.Press(w, ui::vk::Return);
    EXPECT_EQ(w.Focused(), &w.txtData);
    EXPECT_EQ(w.txtImporto.Text(), "125,50");
    h.Focus(w.txtImporto);
    w.txtImporto.SetText("1,2,3");
    h.Focus(w.txtData);
    EXPECT_EQ(w.txtImporto.Text(), "0,00");
}

TEST(CostSheet, TodayPictureAndEnterChain) {
    ts::Harness h;
    h.SetToday(*rtl::Date::FromYmd(2026, 3, 10));
    Scheda scheda(h.app);
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Click(w.btnAggiungi);
    h.Click(w.impData);
    EXPECT_EQ(w.txtData.Text(), "10/03/2026");
    const std::vector<ui::Edit*> catena = {&w.txtData,         &w.txtCausale, &w.txtPagatore,
                                           &w.txtBeneficiario, &w.txtImporto, &w.txtData};
    h.Focus(w.txtData);
    for (std::size_t i = 1; i < catena.size(); ++i) {
        h.Press(w, ui::vk::Return);
        EXPECT_EQ(w.Focused(), catena[i]) << i;
    }
}

TEST(CostSheet, ModifyLoadsTheSelectedCostAndSaveRewritesIt) {
    ts::Harness h;
    Scheda scheda(h.app);
    ScriviCosti("Costi_Veicolo_4.pro",
                {{"01/01/2026", "Uno", "A", "B", "1,00"}, {"02/01/2026", "Due", "C", "D", "2,00"}});
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Select(w.lstRecords, 1);
    h.Click(w.btnModifica);
    EXPECT_TRUE(w.panCosti.Visible());
    EXPECT_EQ(w.txtCausale.Text(), "Due");
    EXPECT_EQ(w.txtImporto.Text(), "2,00");
    EXPECT_EQ(w.lblPosizione.Text(), "2");
    EXPECT_EQ(w.Focused(), &w.txtData);
    w.txtImporto.SetText("3");
    h.ExpectMessage(ui::DialogType::Information, kModificato);
    h.Click(w.btnSalva);

    TfrmAllegaExcel riaperta(h.app, &scheda.form);
    scheda.Consegna(riaperta);
    riaperta.Show();
    EXPECT_EQ(riaperta.lblTotale.Text(), "€ 4,00");
}

TEST(CostSheet, ModifyWithoutListOrSelectionIsRefused) {
    ts::Harness h;
    Scheda scheda(h.app);
    {
        TfrmAllegaExcel w(h.app, &scheda.form);
        scheda.Consegna(w);
        w.Show();
        h.ExpectMessage(ui::DialogType::Information,
                        "Modifica non applicabile: la lista non contiene nessuna voce.");
        h.Click(w.btnModifica);
        EXPECT_TRUE(w.panContainer.Visible());
    }
    ScriviCosti("Costi_Veicolo_4.pro", {{"01/01/2026", "Uno", "A", "B", "1,00"}});
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show(); // costs listed, none chosen yet
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: selezionare una voce dall'elenco prima di premere il pulsante di modifica.");
    h.Click(w.btnModifica);
    EXPECT_TRUE(w.panContainer.Visible());
}

TEST(CostSheet, FindNextRunsRoundTheList) {
    ts::Harness h;
    Scheda scheda(h.app);
    {
        TfrmAllegaExcel vuota(h.app, &scheda.form);
        scheda.Consegna(vuota);
        vuota.Show();
        h.ExpectShowMessage("Ricerca non applicabile: la lista non contiene nessuna voce.");
        h.Click(vuota.btnTrova);
    }
    ScriviCosti("Costi_Veicolo_4.pro", {{"01/01/2026", "Olio", "A", "B", "1"},
                                        {"02/01/2026", "Gomme", "A", "B", "1"},
                                        {"03/01/2026", "OLIO motore", "A", "B", "1"}});
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Type(w, "olio");
    h.Press(w, ui::vk::Return);
    EXPECT_EQ(w.Focused(), &w.btnTrova);
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 0);
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 2);
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 0);
}

TEST(CostSheet, PrintedSummaryEndsWithTheTotal) {
    ts::Harness h;
    ts::GetHeadlessOutput().printed.clear();
    Scheda scheda(h.app);
    ScriviCosti("Costi_Veicolo_4.pro",
                {{"01/01/2026", "Uno", "A", "B", "10,50"}, {"02/01/2026", "Due", "C", "D", "2,25"}});
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(),
              "Riepilogo costi sostenuti per Fiat Panda targata AB123CD");
    const std::vector<std::string> righe = w.frxReport.GetMemo("txtRiepilogo").Lines();
    ASSERT_EQ(righe.size(), 4u);
    EXPECT_EQ(righe[0], w.lstRecords.Item(0));
    EXPECT_EQ(righe[2], "--------------------------");
    EXPECT_EQ(righe[3], "TOTALE COSTI:      € 12,75");
}

TEST(CostSheet, AccessFailureOnSaveIsReported) {
    ts::Harness h;
    Scheda scheda(h.app);
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    w.Show();
    h.Click(w.btnAggiungi);
    Compila(h, w, {"05/03/2026", "Bollo", "A", "B", "1"});
    w.lblFile.SetText(h.DataFolder() + "manca/Costi.pro");
    h.ExpectMessage(ui::DialogType::Warning, std::string(common::kMsgAccessoArchivio));
    h.Click(w.btnSalva);
    EXPECT_EQ(w.lblPosizione.Text(), "");
    EXPECT_EQ(w.txtCausale.Text(), "Bollo");
}

// The two hands beside the buttons point at them: the one on the right is the
// left one mirrored.
TEST(CostSheet, HandsOnBothSidesPointAtTheButtons) {
    ts::Harness h;
    Scheda scheda(h.app);
    TfrmAllegaExcel w(h.app, &scheda.form);
    scheda.Consegna(w);
    const auto sinistra = w.Get<ui::Picture>("icoHand01").Bitmap();
    const auto destra = w.Get<ui::Picture>("icoHand02").Bitmap();
    ASSERT_TRUE(sinistra && destra);
    ASSERT_EQ(sinistra->width, destra->width);
    ASSERT_EQ(sinistra->height, destra->height);
    const int larghezza = sinistra->width;
    for (int y = 0; y < sinistra->height; ++y)
        for (int x = 0; x < larghezza; ++x)
            for (int k = 0; k < 4; ++k)
                ASSERT_EQ(destra->rgba[(y * larghezza + x) * 4 + k],
                          sinistra->rgba[(y * larghezza + larghezza - 1 - x) * 4 + k])
                    << x << ", " << y;
}

} // namespace
