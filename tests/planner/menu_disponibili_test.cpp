// The planner menu: the vehicle list, the choice, the refusals of "Apri",
// the planner file's name and the route back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "PlannerTest.h"
#include "common/Guida.h"

namespace {

using namespace pt;

const char* const kAnno = "Attenzione: indicare l'anno solare utilizzando quattro cifre.";
const char* const kVuoto = "Attenzione: l'elenco dei veicoli non contiene nessuna voce.\n\r\n\r"
                           "Per poter utilizzare il planner delle prenotazioni è necessario registrare "
                           "almeno un veicolo nel parco automezzi.";
const char* const kSeleziona =
    "Attenzione: selezionare un veicolo dall'elenco prima di premere il pulsante Apri.";
const char* const kTarga =
    "Attenzione: la targa del veicolo contiene caratteri non ammessi nel nome di un file.\n\r\n\r"
    "Per poter utilizzare il planner delle prenotazioni è necessario correggere la targa nel parco "
    "automezzi.";
const char* const kAccesso =
    "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
    "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del programma.";

class Menu : public PlannerTest {};

TEST_F(Menu, ListsPlatedVehiclesSortedWithTheirColumns) {
    ScriviVeicoli({
        {"Autovettura", "ABCDEFGHIJKLMNOPQRST", "UVWXYZ123456789", "AB123CD12345", "5", "Benzina verde"},
        {"Furgone", "Fiat", "Ducato", "", "3", "Gasolio"}, // no plate: not listed
        {"  autocarro ", " Iveco ", " Daily ", " ZZ999ZZ ", " 3 ", " Metano "},
        {"Tipologia lunga oltre venti", "", "", "X1", "", ""},
    });
    MostraMenu();
    ASSERT_EQ(menu.lstRecords.Count(), 3u);
    EXPECT_EQ(menu.lstRecords.Item(0), "autocarro             Iveco Daily                     Targa: ZZ999ZZ "
                                       "        Posti: 3             Alim. Metano");
    EXPECT_EQ(menu.lstRecords.Item(1), "Autovettura           ABCDEFGHIJKLMNOPQRST UVWXYZ123  Targa: "
                                       "AB123CD12345    Posti: 5             Alim. Benzina verde");
    EXPECT_EQ(menu.lstRecords.Item(2), "Tipologia lunga oltr                                  Targa: X1      "
                                       "        Posti:               Alim. ");
    EXPECT_EQ(menu.lstRecords.Item(2).size(), 104u);
    EXPECT_EQ(menu.lstRecords.ItemWidth(), 910);
    EXPECT_EQ(menu.lstRecords.ItemFont().family, "Courier New");
    EXPECT_EQ(menu.lstRecords.ItemFont().size, 12);
    EXPECT_EQ(menu.lstRecords.ItemIndex(), -1);
}

TEST_F(Menu, ShowingForgetsTheChoiceAndPresetsTheYearAndTheRoute) {
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "AB123CD"}});
    MostraMenu();
    h.Select(menu.lstRecords, 0);
    EXPECT_EQ(menu.lblTarga.Text(), "AB123CD");
    menu.txtAnnoFatture.SetText("1999");
    menu.lblMemory.SetText("planning");
    menu.Hide();
    menu.Show();
    for (ui::Label* l : {&menu.lblVeicolo, &menu.lblMarca, &menu.lblModello, &menu.lblTarga})
        EXPECT_EQ(l->Text(), "");
    EXPECT_FALSE(menu.icoMano.Visible());
    EXPECT_EQ(menu.txtAnnoFatture.Text(), "2026");
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
    EXPECT_EQ(menu.Focused(), &menu.txtAnnoFatture);
    EXPECT_EQ(menu.txtAnnoFatture.MaxLength(), 4);
}

TEST_F(Menu, ClickOrKeyboardChoosesTheLinesOwnRecord) {
    // Equal lines (the models differ beyond the column's 30 characters):
    // each line keeps its own vehicle.
    ScriviVeicoli({
        {"Furgone", "Mercedes-Benz", "Sprinter 316 CDI passo lungo A", "AA111AA"},
        {"Autovettura", "Alfa", "Giulia", "BB222BB"},
        {"Furgone", "Mercedes-Benz", "Sprinter 316 CDI passo lungo B", "AA111AA"},
    });
    MostraMenu();
    ASSERT_EQ(menu.lstRecords.Count(), 3u);
    ASSERT_EQ(menu.lstRecords.Item(1), menu.lstRecords.Item(2));
    h.Select(menu.lstRecords, 2);
    EXPECT_EQ(menu.lblModello.Text(), "Sprinter 316 CDI passo lungo B");
    EXPECT_TRUE(menu.icoMano.Visible());
    h.Select(menu.lstRecords, 1);
    EXPECT_EQ(menu.lblModello.Text(), "Sprinter 316 CDI passo lungo A");
    h.Focus(menu.lstRecords);
    h.Press(menu, ui::vk::Up);
    EXPECT_EQ(menu.lstRecords.ItemIndex(), 0);
    EXPECT_EQ(menu.lblVeicolo.Text(), "Autovettura");
    EXPECT_EQ(menu.lblMarca.Text(), "Alfa");
    EXPECT_EQ(menu.lblModello.Text(), "Giulia");
    EXPECT_EQ(menu.lblTarga.Text(), "BB222BB");
}

TEST_F(Menu, YearMustHaveFourCharacters) {
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "AB123CD"}});
    MostraMenu();
    h.Select(menu.lstRecords, 0);
    for (const char* anno : {"", "202", "2"}) {
        menu.txtAnnoFatture.SetText(anno);
        h.Focus(menu.lstRecords);
        h.ExpectMessage(ui::DialogType::Warning, kAnno);
        h.Click(menu.btnApriFatture);
        h.Verify();
        EXPECT_EQ(menu.Focused(), &menu.txtAnnoFatture) << anno;
        EXPECT_TRUE(menu.Visible());
        EXPECT_FALSE(planning.Visible());
    }
    Apri(0, "0000");
    EXPECT_TRUE(planning.Visible());
    EXPECT_EQ(planning.txtAnno.Text(), "0000");
}

TEST_F(Menu, YearBoxTakesDigitsAndEnterOrADoubleClickOpens) {
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "AB123CD"}, {"Autovettura", "Alfa", "Giulia", "BB222BB"}});
    MostraMenu();
    menu.txtAnnoFatture.SetText("");
    h.Focus(menu.txtAnnoFatture);
    h.Type(menu, "2a0-2.7");
    EXPECT_EQ(menu.txtAnnoFatture.Text(), "2027");
    // Enter presses "Apri", with its checks: no vehicle chosen yet.
    h.ExpectMessage(ui::DialogType::Warning,
                    "Attenzione: selezionare un veicolo dall'elenco prima di premere il pulsante Apri.");
    h.Press(menu, ui::vk::Return, U'\r');
    h.Verify();
    EXPECT_TRUE(menu.Visible());
    // A line chosen by keyboard in the list, then Enter there.
    h.Focus(menu.lstRecords);
    h.Press(menu, ui::vk::Down);
    h.Press(menu, ui::vk::Return, U'\r');
    EXPECT_FALSE(menu.Visible());
    ASSERT_TRUE(planning.Visible());
    EXPECT_EQ(planning.txtTarga.Text(), menu.lblTarga.Text());
    EXPECT_EQ(planning.txtAnno.Text(), "2027");

    // A double click on a line opens it as well.
    h.CloseWindow(planning);
    MostraMenu();
    h.DblClickItem(menu.lstRecords, 1);
    EXPECT_FALSE(menu.Visible());
    ASSERT_TRUE(planning.Visible());
    EXPECT_EQ(planning.txtTarga.Text(), menu.lblTarga.Text());
    EXPECT_EQ(planning.txtAnno.Text(), "2026");
}

TEST_F(Menu, EmptyListRefusesWhetherTheArchiveIsMissingOrHasNoPlates) {
    MostraMenu();
    EXPECT_TRUE(rtl::FileExists(Archivio()));
    EXPECT_EQ(Leggi(Archivio()).size(), 0u);
    h.Focus(menu.lstRecords);
    h.ExpectMessage(ui::DialogType::Warning, kVuoto);
    h.Click(menu.btnApriFatture);
    h.Verify();
    EXPECT_EQ(menu.Focused(), &menu.btnApriFatture); // the focus stays where the click put it

    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", ""}, {"Auto", "Alfa", "Mito", "   "}});
    menu.Hide();
    menu.Show();
    EXPECT_EQ(menu.lstRecords.Count(), 0u);
    h.ExpectMessage(ui::DialogType::Warning, kVuoto);
    h.Click(menu.btnApriFatture);
    h.Verify();
    EXPECT_FALSE(planning.Visible());
}

TEST_F(Menu, UnreadableArchiveIsNotAnArchiveWithoutVehicles) {
    std::filesystem::create_directory(Archivio());
    MostraMenu();
    EXPECT_EQ(menu.lstRecords.Count(), 0u);
    EXPECT_EQ(menu.txtAnnoFatture.Text(), "2026"); // the rest of the showing ran
    EXPECT_EQ(menu.lblMemory.Text(), "avvio");
    h.ExpectMessage(ui::DialogType::Warning, kAccesso);
    h.Click(menu.btnApriFatture);
    h.Verify();
}

TEST_F(Menu, ApriRefusesWithoutAChosenVehicle) {
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "AB123CD"}});
    MostraMenu();
    h.ExpectMessage(ui::DialogType::Warning, kSeleziona);
    h.Click(menu.btnApriFatture);
    h.Verify();
    EXPECT_EQ(menu.Focused(), &menu.btnApriFatture);
    // A line whose record lost its plate since the list was built.
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", ""}});
    h.Select(menu.lstRecords, 0);
    h.ExpectMessage(ui::DialogType::Warning, kSeleziona);
    h.Click(menu.btnApriFatture);
    h.Verify();
    EXPECT_EQ(rtl::ListFiles(h.DataFolder()), std::vector<std::string>{"Parco_Automezzi.pro"});
}

TEST_F(Menu, PlateThatCannotNameAFileIsRefused) {
    for (const char* targa : {"AB/12", "AB\\12", "C:12", "A*B", "A?B", "A\"B", "A<B", "A>B", "A|B", "A\tB",
                              "A\x7f"
                              "B"}) {
        ScriviVeicoli({{"Furgone", "Fiat", "Ducato", targa}});
        menu.Hide();
        MostraMenu();
        h.Select(menu.lstRecords, 0);
        h.ExpectMessage(ui::DialogType::Warning, kTarga);
        h.Click(menu.btnApriFatture);
        h.Verify();
        EXPECT_TRUE(menu.Visible()) << targa;
        EXPECT_EQ(menu.lblMemory.Text(), "avvio");
        EXPECT_EQ(rtl::ListFiles(h.DataFolder()), std::vector<std::string>{"Parco_Automezzi.pro"}) << targa;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(h.DataFolder()), {}), 1) << targa;
    }
}

TEST_F(Menu, ApriHandsTheVehicleAndTheFileToThePlanner) {
    // The plate as stored, trimmed, blanks inside and accented letters kept.
    ScriviVeicoli({{" Furgone ", " Fiat ", " Ducato ", " M\xdc 12 3 "}});
    MostraMenu();
    Apri(0, "2024");
    const std::string file = PercorsoPlanner("MÜ 12 3", "2024");
    EXPECT_EQ(menu.lblFile.Text(), file);
    EXPECT_EQ(menu.lblMemory.Text(), "planning");
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(planning.Visible());
    EXPECT_FALSE(avvio.Visible());
    EXPECT_EQ(planning.Caption(), " Dorneval - Planner prenotazioni anno 2024");
    EXPECT_EQ(planning.txtAnno.Text(), "2024");
    EXPECT_EQ(planning.txtVeicolo.Text(), "Furgone");
    EXPECT_EQ(planning.txtMarca.Text(), "Fiat");
    EXPECT_EQ(planning.txtModello.Text(), "Ducato");
    EXPECT_EQ(planning.txtTarga.Text(), "MÜ 12 3");
    ASSERT_TRUE(rtl::FileExists(file));
    EXPECT_EQ(Leggi(file).size(), 0u);
}

TEST_F(Menu, EsciAndTheCloseButtonReturnToTheStartMenu) {
    ScriviVeicoli({{"Furgone", "Fiat", "Ducato", "AB/1"}});
    MostraMenu();
    h.Click(menu.imgEsci);
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(avvio.Visible());
    // After a refused "Apri" the window's own close button still goes back.
    MostraMenu();
    h.Select(menu.lstRecords, 0);
    h.ExpectMessage(ui::DialogType::Warning, kTarga);
    h.Click(menu.btnApriFatture);
    h.CloseWindow(menu);
    EXPECT_FALSE(menu.Visible());
    EXPECT_TRUE(avvio.Visible());
    EXPECT_FALSE(planning.Visible());
}

TEST_F(Menu, HelpSharesThePlannersTopic) {
    MostraMenu();
    std::string testo;
    h.OnModal<TfrmGuida>([&](TfrmGuida& g) {
        EXPECT_EQ(g.lblTitolo.Text(), "App Planner Prenotazioni");
        testo = g.txtGuida.Text();
        h.Click(g.btnChiudi);
    });
    h.Click(menu.imgGuida);
    ASSERT_EQ(testo.rfind("L'app Planner Prenotazioni mette a disposizione un planning annuale", 0), 0u);
    EXPECT_NE(
        testo.find("indicare il nome del cliente e premere Applica e chiudi.\r\n\r\nE' possibile registrare"),
        std::string::npos);
    EXPECT_NE(testo.find("Tale riepilogo può essere stampato all'occorrenza.\r\n\r\nIl planning annuale"),
              std::string::npos);
}

} // namespace
