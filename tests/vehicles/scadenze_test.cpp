// The deadline lists and their menu: which deadlines are listed under a set
// clock, the line, the order, damaged dates, printing.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "common/Archive.h"
#include "common/Records.h"
#include "platform/report/Report.h"
#include "platform/rtl/Files.h"
#include "shell/Avvio.h"
#include "tests/support/Harness.h"
#include "tests/support/Outputs.h"
#include "tests/support/StartMenu.h"
#include "tests/support/Windows.h"
#include "vehicles/ListaScadenze.h"
#include "vehicles/MenuScadenze.h"
#include "vehicles/ScadAssicurazione.h"
#include "vehicles/ScadBollo.h"
#include "vehicles/ScadRevisione.h"
#include "vehicles/ScadTagliando.h"

namespace {

rtl::Date Giorno(int d, int m, int y) {
    return *rtl::Date::FromYmd(y, m, d);
}

struct Veicolo {
    std::string tipo, marca, modello, targa, revisione, bollo;
};

void ScriviVeicoli(const std::vector<Veicolo>& veicoli) {
    common::Record r(common::TAutomezzoRec);
    for (const Veicolo& v : veicoli) {
        r.Set("Tipo", v.tipo);
        r.Set("Marca", v.marca);
        r.Set("Modello", v.modello);
        r.Set("Targa", v.targa);
        r.Set("Chilometri", "120000");
        r.Set("Proprietario", "Rossi Spa");
        r.Set("ScadRevisione", v.revisione);
        r.Set("ScadBollo", v.bollo);
        common::Archivio(rtl::DataPath("Parco_Automezzi.pro"), common::TAutomezzoRec).Scrivi("", r);
    }
}

TEST(Deadlines, PastTodayAndTheNextSevenDaysAreListed) {
    struct Caso {
        rtl::Date oggi;
        std::string scadenza;
        std::optional<bool> elencata;
    };
    const Caso casi[] = {
        {Giorno(10, 3, 2026), "17/03/2026", true},
        {Giorno(10, 3, 2026), "18/03/2026", false},
        {Giorno(10, 3, 2026), "10/03/2026", true},
        {Giorno(10, 3, 2026), "01/01/2020", true},
        {Giorno(10, 3, 2026), "", false},
        {Giorno(10, 3, 2026), "31/02/2026", std::nullopt},
        {Giorno(10, 3, 2026), "prossimo anno", std::nullopt},
        {Giorno(26, 2, 2026), "05/03/2026", true}, // across the end of February
        {Giorno(26, 2, 2026), "06/03/2026", false},
        {Giorno(27, 12, 2026), "03/01/2027", true}, // across the year end
        {Giorno(27, 12, 2026), "04/01/2027", false},
        {Giorno(27, 2, 2028), "05/03/2028", true}, // a leap year
        {Giorno(27, 2, 2028), "06/03/2028", false},
    };
    for (const Caso& c : casi)
        EXPECT_EQ(ScadenzaImminente(c.scadenza, c.oggi), c.elencata) << c.scadenza;
}

TEST(Deadlines, ListShowsDueVehiclesSortedWithTheirLine) {
    ts::Harness h;
    h.SetToday(Giorno(10, 3, 2026));
    ScriviVeicoli({
        {"Furgone", "Iveco", "Daily", "CC333CC", "17/03/2026", ""},
        {"autovettura", "Fiat", "Panda", "AA111AA", "01/01/2020", "12/03/2026"},
        {"Autocarro", "Man", "TGL", "DD444DD", "18/03/2026", "11/03/2026"},
        {"Autovettura", "Alfa", "Giulia", "BB222BB", "", ""},
    });
    TfrmScadRevisione w(h.app);
    w.Show();
    ASSERT_EQ(w.lstRecords.Count(), 2u);
    const std::string attesa = std::string("autovettura") + std::string(9, ' ') + "  Fiat Panda" +
                               std::string(20, ' ') + "  Targa: AA111AA     " + "  Scad. 01/01/2020" +
                               "  Km: 120000    " + "  Titolare: Rossi Spa";
    EXPECT_EQ(w.lstRecords.Item(0), attesa);
    EXPECT_EQ(w.lstRecords.Item(1).substr(0, 20), "Furgone             ");
    EXPECT_EQ(w.lblRigo03.Text(),
              "Il presente riepilogo visualizza le revisioni scadute o in scadenza nei prossimi 7 giorni");

    TfrmScadBollo b(h.app);
    b.Show();
    ASSERT_EQ(b.lstRecords.Count(), 2u);
    EXPECT_NE(b.lstRecords.Item(0).find("Targa: DD444DD"), std::string::npos);
    EXPECT_NE(b.lstRecords.Item(1).find("Scad. 12/03/2026"), std::string::npos);

    h.Click(w.btnChiudi);
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(w.lstRecords.Count(), 0u);
}

TEST(Deadlines, ADeadlineThatIsNoDateIsPassedOver) {
    ts::Harness h;
    h.SetToday(Giorno(10, 3, 2026));
    ScriviVeicoli({
        {"A", "Fiat", "Uno", "AA111AA", "01/03/2026", ""},
        {"B", "Fiat", "Due", "BB222BB", "31/02/2026", ""},
        {"C", "Fiat", "Tre", "CC333CC", "02/03/2026", ""},
    });
    TfrmScadRevisione w(h.app);
    w.Show();
    ASSERT_EQ(w.lstRecords.Count(), 2u);
    EXPECT_EQ(w.lstRecords.Item(0).substr(0, 1), "A");
    EXPECT_EQ(w.lstRecords.Item(1).substr(0, 1), "C");
}

TEST(Deadlines, MissingArchiveGivesAnEmptyListAndAnEmptyArchive) {
    ts::Harness h;
    ts::GetHeadlessOutput().printed.clear();
    TfrmScadTagliando w(h.app);
    w.Show();
    EXPECT_EQ(w.lstRecords.Count(), 0u);
    ASSERT_TRUE(rtl::FileExists(h.DataFolder() + "Parco_Automezzi.pro"));
    EXPECT_TRUE(rtl::ReadWholeFile(h.DataFolder() + "Parco_Automezzi.pro").empty());
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Veicoli con tagliando in scadenza o scaduto");
    EXPECT_TRUE(w.frxReport.GetMemo("txtRiepilogo").Lines().empty());
}

// An archive that cannot be opened (a folder in its place, a link to a share
// that is not there) is reported with the access message, never shown as a
// fleet with nothing due.
TEST(Deadlines, AnUnreadableArchiveIsReportedInEveryList) {
    for (const bool link : {false, true}) {
        ts::Harness h;
        const std::string archivio = h.DataFolder() + "Parco_Automezzi.pro";
        if (link)
            std::filesystem::create_symlink(h.DataFolder() + "rete/Parco_Automezzi.pro", archivio);
        else
            rtl::CreateFolders(archivio);
        TfrmScadRevisione revisione(h.app);
        TfrmScadTagliando tagliando(h.app);
        TfrmScadAssicurazione assicurazione(h.app);
        TfrmScadBollo bollo(h.app);
        for (TfrmListaScadenze* w :
             std::initializer_list<TfrmListaScadenze*>{&revisione, &tagliando, &assicurazione, &bollo}) {
            h.ExpectShowMessage(std::string(common::kMsgAccessoArchivio));
            w->Show();
            h.Verify();
            EXPECT_EQ(w->lstRecords.Count(), 0u);
        }
        EXPECT_FALSE(std::filesystem::exists(h.DataFolder() + "rete"));
    }
}

TEST(Deadlines, EachListHasItsCaptionAndPrintTitle) {
    ts::Harness h;
    ts::GetHeadlessOutput().printed.clear();
    struct Caso {
        std::unique_ptr<TfrmListaScadenze> w;
        const char* caption;
        const char* titolo;
    };
    Caso casi[] = {
        {std::make_unique<TfrmScadRevisione>(h.app), " Veicoli con revisione in scadenza o scaduta",
         "Veicoli con revisione in scadenza o scadute"},
        {std::make_unique<TfrmScadTagliando>(h.app), " Veicoli con tagliando in scadenza o scaduto",
         "Veicoli con tagliando in scadenza o scaduto"},
        {std::make_unique<TfrmScadAssicurazione>(h.app), " Veicoli con assicurazione in scadenza o scaduta",
         "Veicoli con assicurazione in scadenza o scadute"},
        {std::make_unique<TfrmScadBollo>(h.app), " Veicoli con bollo in scadenza o scaduto",
         "Veicoli con bollo in scadenza o scaduto"},
    };
    for (Caso& c : casi) {
        EXPECT_EQ(c.w->Caption(), c.caption);
        c.w->Show();
        h.Click(c.w->btnStampa);
        EXPECT_EQ(c.w->frxReport.GetMemo("txtTitolo").Text(), c.titolo);
    }
    EXPECT_EQ(ts::GetHeadlessOutput().printed.size(), 4u);
}

TEST(DeadlineMenu, ButtonsOpenTheirListsModally) {
    ts::Harness h;
    TfrmMenuScadenze menu(h.app);
    menu.Show();
    h.OnModal<TfrmScadRevisione>([&](TfrmScadRevisione& w) { h.Click(w.btnChiudi); });
    h.OnModal<TfrmScadTagliando>([&](TfrmScadTagliando& w) { h.Click(w.btnChiudi); });
    h.OnModal<TfrmScadAssicurazione>([&](TfrmScadAssicurazione& w) { h.Click(w.btnChiudi); });
    h.OnModal<TfrmScadBollo>([&](TfrmScadBollo& w) { h.Click(w.btnChiudi); });
    h.Click(menu.btnRevisione);
    h.Click(menu.btnTagliando);
    h.Click(menu.btnAssicurazione);
    h.Click(menu.btnBollo);
    EXPECT_EQ(h.ModalCount("TfrmScadRevisione"), 1);
    EXPECT_EQ(h.ModalCount("TfrmScadTagliando"), 1);
    EXPECT_EQ(h.ModalCount("TfrmScadAssicurazione"), 1);
    EXPECT_EQ(h.ModalCount("TfrmScadBollo"), 1);
    EXPECT_TRUE(menu.Visible());
}

TEST(DeadlineMenu, ExitAndHelp) {
    ts::Harness h;
    TfrmAvvio avvio(h.app);
    ts::MenuAvvio ritorno(avvio);
    TfrmMenuScadenze menu(h.app);
    menu.Show();
    const auto [titolo, testo] = ts::ApriGuida(h, menu.imgGuida);
    // Paragraphs are the runs of text between line breaks.
    std::size_t paragrafi = 0;
    bool inParagrafo = false;
    for (char c : testo) {
        const bool a_capo = c == '\r' || c == '\n';
        if (!a_capo && !inParagrafo) ++paragrafi;
        inParagrafo = !a_capo;
    }
    EXPECT_EQ(titolo, "App Scadenze Imminenti");
    EXPECT_EQ(paragrafi, 3u);
    h.Click(menu.imgEsci);
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(avvio.Visible());
}

} // namespace
