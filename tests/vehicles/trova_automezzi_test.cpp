// The vehicle search: criteria, the list line and its order, the count line,
// find-next, print, and the recall into the three callers.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "drivers/Anagrafica.h"
#include "gate/Registro.h"
#include "platform/image/Image.h"
#include "platform/report/Report.h"
#include "platform/rtl/Files.h"
#include "tests/support/CardFixture.h"
#include "tests/support/Drawing.h"
#include "tests/support/Harness.h"
#include "tests/support/Outputs.h"
#include "vehicles/Autoparco.h"
#include "vehicles/TrovaAutomezzi.h"

namespace {

using Campi = std::vector<std::pair<std::string, std::string>>;

void ScriviVeicoli(const std::vector<Campi>& veicoli) {
    for (const Campi& v : veicoli) {
        ts::AggiungiRecord(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec, v);
    }
}

const std::vector<Campi> kFlotta = {
    {{"Tipo", "Furgone"},
     {"Marca", "Fiat"},
     {"Modello", "Ducato Maxi"},
     {"Targa", "AA111AA"},
     {"Proprietario", "Mario Rossi"},
     {"Anno", "2019"},
     {"Chilometri", "80000"},
     {"Autista", "Luca Bianchi"},
     {"Colore", "Bianco"},
     {"Alimentazione", "Gasolio"},
     {"Note", "gancio traino"}},
    {{"Tipo", "autovettura"},
     {"Marca", "FIAT"},
     {"Modello", "Panda"},
     {"Targa", "BB222BB"},
     {"Proprietario", "Anna Verdi"},
     {"Anno", "2021"}},
    {{"Tipo", "Autovettura"},
     {"Marca", "Alfa Romeo"},
     {"Modello", "Giulia"},
     {"Targa", "CC333CC"},
     {"Proprietario", "Carlo Rossini"}},
};

std::vector<std::string> Cerca(ts::Harness& h, TfrmTrovaAutomezzi& w,
                               const std::vector<std::pair<ui::Edit*, std::string>>& criteri) {
    for (const auto& [edit, testo] : criteri)
        edit->SetText(testo);
    h.Click(w.btnCerca);
    return w.lstRecords.Items();
}

TEST(VehicleSearch, LineColumnsOrderAndCountLine) {
    ts::Harness h;
    ScriviVeicoli(kFlotta);
    TfrmTrovaAutomezzi w(h.app);
    w.Show();
    EXPECT_EQ(w.Focused(), &w.txtTipo);
    const std::vector<std::string> righe = Cerca(h, w, {});
    ASSERT_EQ(righe.size(), 3u);
    EXPECT_EQ(w.lblConta.Text(), "0");
    EXPECT_EQ(w.lblTrovate.Text(), "Il presente riepilogo contiene 3 schede");
    EXPECT_TRUE(w.panContainer.Visible());
    EXPECT_FALSE(w.panAvvio.Visible());
    EXPECT_EQ(w.Focused(), &w.txtTrova);
    // Sorted with a-z read as A-Z: both Autovettura lines come before Furgone.
    EXPECT_EQ(righe[0].substr(0, 11), "Autovettura");
    EXPECT_EQ(righe[1].substr(0, 11), "autovettura");
    const std::string furgone = "Furgone" + std::string(13, ' ') + "  Fiat Ducato Maxi" +
                                std::string(14, ' ') + "  Targa: AA111AA     " + "  Titolare: Mario Rossi" +
                                std::string(19, ' ') + "  Anno: 2019      " + "  Km: 80000";
    EXPECT_EQ(righe[2], furgone);
}

TEST(VehicleSearch, EveryGivenCriterionMustMatchIgnoringCaseOfAToZ) {
    struct Criterio {
        const char* edit;
        std::string testo;
    };
    struct Prova {
        std::vector<Criterio> criteri;
        std::vector<std::string> targhe;
        std::string conta;
    };
    const std::vector<Prova> prove = {
        {{{"txtMarca", "fiat"}}, {"BB222BB", "AA111AA"}, "1"},
        {{{"txtMarca", "FIAT"}, {"txtProprietario", "Rossi"}}, {"AA111AA"}, "2"},
        {{{"txtProprietario", "rossi"}}, {"CC333CC", "AA111AA"}, "1"},
        {{{"txtMarca", " Fiat"}}, {}, "1"}, // a leading blank must be matched too
        {{{"txtNote", "traino"}, {"txtTarga", "aa1"}}, {"AA111AA"}, "2"},
        {{{"txtAutista", "nessuno"}}, {}, "1"},
    };
    for (const Prova& p : prove) {
        ts::Harness h;
        ScriviVeicoli(kFlotta);
        TfrmTrovaAutomezzi w(h.app);
        w.Show();
        for (const Criterio& c : p.criteri)
            w.Get<ui::Edit>(c.edit).SetText(c.testo);
        h.Click(w.btnCerca);
        std::vector<std::string> targhe;
        for (const std::string& r : w.lstRecords.Items())
            targhe.push_back(r.substr(r.find("Targa: ") + 7, 7));
        EXPECT_EQ(targhe, p.targhe) << p.criteri.front().testo;
        EXPECT_EQ(w.lblConta.Text(), p.conta);
        EXPECT_EQ(w.lblTrovate.Text(),
                  "Il presente riepilogo contiene " + std::to_string(p.targhe.size()) + " schede");
    }
}

TEST(VehicleSearch, CriteriaHighlightAndEnterRing) {
    ts::Harness h;
    TfrmTrovaAutomezzi w(h.app);
    w.Show();
    auto& eff = w.Get<ui::Rectangle>("effCampo09");
    EXPECT_FALSE(eff.Visible());
    h.Focus(w.txtMarca);
    EXPECT_TRUE(eff.Visible());
    const std::vector<ui::Edit*> anello = {&w.txtMarca,   &w.txtModello,      &w.txtTarga,        &w.txtStato,
                                           &w.txtAutista, &w.txtMeccanico,    &w.txtProprietario, &w.txtNote,
                                           &w.txtTipo,    &w.txtDestinazione, &w.txtMarca};
    for (std::size_t i = 1; i < anello.size(); ++i) {
        h.Press(w, ui::vk::Return);
        EXPECT_EQ(w.Focused(), anello[i]) << i;
    }
    h.Focus(w.txtNote);
    EXPECT_FALSE(eff.Visible());
    EXPECT_TRUE(w.Get<ui::Rectangle>("effCampo04").Visible());
}

TEST(VehicleSearch, AccessFailureKeepsTheCriteriaPanel) {
    ts::Harness h;
    rtl::CreateFolders(h.DataFolder() + "Parco_Automezzi.pro"); // a folder where the archive should be
    TfrmTrovaAutomezzi w(h.app);
    w.Show();
    h.ExpectShowMessage(std::string(common::kMsgAccessoArchivio));
    h.Click(w.btnCerca);
    EXPECT_TRUE(w.panAvvio.Visible());
    EXPECT_FALSE(w.panContainer.Visible());
}

TEST(VehicleSearch, FindNextAndPrint) {
    ts::Harness h;
    ts::GetHeadlessOutput().printed.clear();
    ScriviVeicoli(kFlotta);
    TfrmTrovaAutomezzi w(h.app);
    w.Show();
    Cerca(h, w, {});
    h.Type(w, "rossi");
    h.Press(w, ui::vk::Return);
    EXPECT_EQ(w.Focused(), &w.btnTrova);
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 0); // Carlo Rossini
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 2); // Mario Rossi
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo schede veicoli in archivio");
    EXPECT_EQ(w.frxReport.GetMemo("txtRiepilogo").Lines(), w.lstRecords.Items());
}

TEST(VehicleSearch, RecallFillsTheVisitCard) {
    ts::Harness h;
    ScriviVeicoli({{{"Marca", "Fiat"}, {"Modello", "Panda"}, {"Targa", "AB123CD"}, {"Autista", "Luca"}},
                   {{"Marca", "Iveco"}, {"Targa", "ZZ999ZZ"}}});
    TfrmRegistro registro(h.app);
    registro.txtVeicolo.SetText("vecchio");
    for (const auto& [riga, veicolo, targa, autista] :
         {std::tuple{0, "Fiat Panda", "AB123CD", "Luca"}, std::tuple{1, "Iveco ", "ZZ999ZZ", ""}}) {
        TfrmTrovaAutomezzi w(h.app, &registro, &registro);
        w.lblMemory.SetText("registro");
        w.Show();
        Cerca(h, w, {});
        h.DblClickItem(w.lstRecords, riga);
        EXPECT_FALSE(w.Visible());
        EXPECT_EQ(registro.txtVeicolo.Text(), veicolo);
        EXPECT_EQ(registro.txtTarga.Text(), targa);
        EXPECT_EQ(registro.txtConduttore.Text(), autista);
    }
}

TEST(VehicleSearch, RecallFillsTheDriverCardVehicleOnly) {
    ts::Harness h;
    ScriviVeicoli(kFlotta);
    TfrmAnagrafica anagrafica(h.app);
    anagrafica.Get<ui::Edit>("txtConducente").SetText("Giovanni");
    TfrmTrovaAutomezzi w(h.app, &anagrafica, &anagrafica);
    w.lblMemory.SetText(" anagrafica ");
    w.Show();
    Cerca(h, w, {{&w.txtTarga, "AA111AA"}});
    h.DblClickItem(w.lstRecords, 0);
    const Campi attesi = {{"txtVeicolo", "Furgone"},     {"txtMarca", "Fiat"},
                          {"txtModello", "Ducato Maxi"}, {"txtTarga", "AA111AA"},
                          {"txtColore", "Bianco"},       {"txtAlimentazione", "Gasolio"},
                          {"txtConducente", "Giovanni"}};
    for (const auto& [controllo, testo] : attesi)
        EXPECT_EQ(anagrafica.Get<ui::Edit>(controllo).Text(), testo) << controllo;
}

TEST(VehicleSearch, RecallLoadsTheWholeVehicleIntoTheCard) {
    ts::Harness h;
    ScriviVeicoli(kFlotta);
    {
        common::Archivio a(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec);
        common::Record r(common::TAutomezzoRec);
        a.Leggi(1, r);
        r.Set("File02", "libretto.pdf");
        r.Set("Desc02", "Libretto");
        r.Set("ScadBollo", "31/12/2026");
        a.Scrivi("1", r);
    }
    rtl::CreateFolders(h.DataFolder() + "Autoparco");
    img::SaveJpeg(ts::Filled(40, 20, 0xFF3366CC), h.DataFolder() + "Autoparco/Scheda_Veicolo_1.jpg");
    TfrmAutoparco card(h.app);
    TfrmTrovaAutomezzi w(h.app, &card, &card);
    w.lblMemory.SetText("autoparco");
    w.Show();
    Cerca(h, w, {{&w.txtMarca, "fiat"}, {&w.txtModello, "ducato"}});
    ASSERT_EQ(w.lstRecords.Count(), 1u);
    h.DblClickItem(w.lstRecords, 0);
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    ASSERT_NE(card.imgFoto.Bitmap(), nullptr);
    EXPECT_EQ(card.imgFoto.Bitmap()->width, 40); // the vehicle's own photo
    const Campi attesi = {{"txtTipo", "Furgone"},        {"txtModello", "Ducato Maxi"},
                          {"txtNote", "gancio traino"},  {"txtScadBollo", "31/12/2026"},
                          {"lblFile02", "libretto.pdf"}, {"lblDesc02", "Libretto"},
                          {"txtDestinazione", ""},       {"lblFile01", ""}};
    for (const auto& [controllo, testo] : attesi)
        EXPECT_EQ(card.Get<ui::Control>(controllo).Text(), testo) << controllo;

    TfrmTrovaAutomezzi altra(h.app, &card, &card);
    altra.lblMemory.SetText("autoparco");
    altra.Show();
    Cerca(h, altra, {{&altra.txtTarga, "BB222BB"}});
    h.DblClickItem(altra.lstRecords, 0);
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    EXPECT_EQ(card.txtNote.Text(), "");
    EXPECT_EQ(card.imgFoto.Bitmap(), card.imgBianco.Bitmap()); // no photo: the placeholder
}

// A vehicle that cannot be read at the choice is dropped without a word and
// the search closes; a fault of the program while it is handed back is no
// failure of the archive and reaches the standard error box.
TEST(VehicleSearch, RecallDropsOnlyAnUnreadableArchive) {
    {
        ts::Harness h;
        ScriviVeicoli(kFlotta);
        TfrmRegistro registro(h.app);
        TfrmTrovaAutomezzi w(h.app, &registro, &registro);
        w.lblMemory.SetText("registro");
        w.Show();
        Cerca(h, w, {});
        // The archive gives way to a folder between the search and the choice.
        ASSERT_TRUE(rtl::DeleteFile(rtl::DataPath("Parco_Automezzi.pro")));
        rtl::CreateFolders(rtl::DataPath("Parco_Automezzi.pro"));
        h.DblClickItem(w.lstRecords, 0);
        EXPECT_FALSE(w.Visible());
        EXPECT_EQ(registro.txtTarga.Text(), "");
    }
    {
        struct RitornoGuasto : RitornoTrovaAutomezzi {
            void VeicoloVisitaRichiamato(const VeicoloVisita&) override {
                throw std::logic_error("campo sconosciuto: Autista");
            }
        } ritorno;
        ts::Harness h;
        ScriviVeicoli(kFlotta);
        ui::Form owner(h.app);
        TfrmTrovaAutomezzi w(h.app, &owner, &ritorno);
        w.lblMemory.SetText("registro");
        w.Show();
        Cerca(h, w, {});
        h.ExpectMessage(ui::DialogType::Error, "campo sconosciuto: Autista");
        h.DblClickItem(w.lstRecords, 0);
    }
}

TEST(VehicleSearch, UnknownTagOrNoSelectionCopiesNothing) {
    ts::Harness h;
    ScriviVeicoli(kFlotta);
    TfrmRegistro registro(h.app);
    for (const char* tag : {"fogli", ""}) {
        TfrmTrovaAutomezzi w(h.app, &registro, &registro);
        w.lblMemory.SetText(tag);
        w.Show();
        Cerca(h, w, {});
        h.DblClickItem(w.lstRecords, 0);
        EXPECT_FALSE(w.Visible());
    }
    TfrmTrovaAutomezzi w(h.app, &registro, &registro);
    w.lblMemory.SetText("registro");
    w.Show();
    Cerca(h, w, {});
    w.lstRecords.SetItemIndex(-1);
    h.DblClick(w.lstRecords);
    EXPECT_EQ(registro.txtTarga.Text(), "");
    EXPECT_EQ(registro.txtVeicolo.Text(), "");
}

} // namespace
