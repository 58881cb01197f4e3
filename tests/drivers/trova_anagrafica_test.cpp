#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drivers/TrovaAnagrafica.h"
#include "platform/report/Report.h"
#include "platform/rtl/Text.h"
#include "tests/drivers/DriverCard.h"
#include "tests/support/Outputs.h"
#include "tripsheets/Fogli.h"

namespace {

// A column as the list shows it, padded by hand.
std::string Pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

std::vector<std::string> Cerca(ts::Harness& h, TfrmTrovaAnagrafica& w,
                               const std::vector<std::pair<ui::Edit*, std::string>>& criteri = {}) {
    for (const auto& [edit, testo] : criteri)
        edit->SetText(testo);
    h.Click(w.btnCerca);
    return w.lstRecords.Items();
}

TEST(DriverSearch, LinesSortAndCountLine) {
    ts::Harness h;
    TfrmTrovaAnagrafica w(h.app);
    w.Show();
    EXPECT_EQ(w.Caption(), " Trova conduttori in archivio");
    EXPECT_EQ(w.Focused(), &w.txtConducente);
    EXPECT_TRUE(w.panAvvio.Visible());
    EXPECT_FALSE(w.panContainer.Visible());
    // A missing archive is created empty and lists nothing.
    EXPECT_TRUE(Cerca(h, w).empty());
    EXPECT_TRUE(rtl::FileExists(h.DataFolder() + "Conducenti.pro"));
    EXPECT_EQ(w.lblTrovate.Text(), "Il presente elenco contiene 0 schede.");
    EXPECT_TRUE(w.panContainer.Visible());
    EXPECT_FALSE(w.panAvvio.Visible());
    EXPECT_EQ(w.Focused(), &w.txtTrova);

    dt::AggiungiConduttore("Rossi Mario", "333 1234567", "Fiat", "Panda", "AB123CD", "No", "No",
                           " da sentire ");
    TfrmTrovaAnagrafica uno(h.app);
    uno.Show();
    const std::vector<std::string> righe = Cerca(h, uno);
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0], Pad("Rossi Mario", 30) + "  Cel. " + Pad("333 1234567", 14) + "  " +
                            Pad("Fiat Panda", 30) + "  Targa: " + Pad("AB123CD", 12) + "  Note: da sentire");
    EXPECT_EQ(uno.lblTrovate.Text(), "Il presente elenco contiene 1 schede.");

    // Long values are cut to their columns; an empty model leaves the make
    // alone; a to z sort as A to Z, accented letters by their codes.
    dt::AggiungiConduttore("Zanardi Alessandro Maria Giuseppe", "33312345678901234", "Alfa Romeo",
                           "Giulia Quadrifoglio Verde", "ABCDEFGHIJKLMN");
    dt::AggiungiConduttore("bianchi", "1", "Fiat", "", "X");
    dt::AggiungiConduttore("ÉMILE", "2", "", "", "");
    dt::AggiungiConduttore("Bianchi", "0", "Fiat", "", "X");
    TfrmTrovaAnagrafica tutti(h.app);
    tutti.Show();
    const std::vector<std::string> tutte = Cerca(h, tutti);
    const std::vector<std::string> attese = {
        Pad("Bianchi", 30) + "  Cel. " + Pad("0", 14) + "  " + Pad("Fiat", 30) + "  Targa: " + Pad("X", 12) +
            "  Note: ",
        Pad("bianchi", 30) + "  Cel. " + Pad("1", 14) + "  " + Pad("Fiat", 30) + "  Targa: " + Pad("X", 12) +
            "  Note: ",
        Pad("Rossi Mario", 30) + "  Cel. " + Pad("333 1234567", 14) + "  " + Pad("Fiat Panda", 30) +
            "  Targa: " + Pad("AB123CD", 12) + "  Note: da sentire",
        "Zanardi Alessandro Maria Giuse  Cel. 33312345678901  Alfa Romeo Giulia Quadrifoglio  Targa: "
        "ABCDEFGHIJKL"
        "  Note: ",
        "ÉMILE" + std::string(25, ' ') + "  Cel. " + Pad("2", 14) + "  " + Pad("", 30) +
            "  Targa: " + Pad("", 12) + "  Note: ",
    };
    EXPECT_EQ(tutte, attese);
    EXPECT_EQ(tutti.lblTrovate.Text(), "Il presente elenco contiene 5 schede.");
}

TEST(DriverSearch, CriteriaMatchEveryGivenFieldIgnoringCaseOfAToZ) {
    ts::Harness h;
    dt::AggiungiConduttore({{"Conducente", "ROSSI MARIO"},
                            {"CodFisc", "RSSMRA85T10A562S"},
                            {"Citta", "Roma"},
                            {"Marca", "Fiat"},
                            {"Modello", "Panda 4x4"},
                            {"Targa", "AB123CD"}});
    dt::AggiungiConduttore({{"Conducente", "Rossi"},
                            {"Patenti", "B"},
                            {"Citta", "Forlì"},
                            {"Marca", "Fiat"},
                            {"Modello", "Punto"},
                            {"Veicolo", "Autovettura"},
                            {"Programma", "agosto"}});
    dt::AggiungiConduttore({{"Conducente", "NICCOLÒ Verdi"}, {"Note", "esperto"}, {"Marca", "Iveco"}});
    const struct {
        const char* edit;
        std::string testo;
        std::vector<std::string> nomi; // first column of the lines found
        int conta;
    } cases[] = {
        {"txtConducente", "rossi", {"Rossi", "ROSSI MARIO"}, 1},
        {"txtConducente", "niccolò", {}, 1},
        {"txtConducente", "NICCOLÒ", {"NICCOLÒ Verdi"}, 1},
        {"txtConducente", " rossi", {}, 1},
        {"txtConducente", "i m", {"ROSSI MARIO"}, 1},
        {"txtCodFisc", "a562", {"ROSSI MARIO"}, 1},
        {"txtPatenti", "b", {"Rossi"}, 1},
        {"txtCitta", "forl", {"Rossi"}, 1},
        {"txtVeicolo", "auto", {"Rossi"}, 1},
        {"txtTarga", "ab1", {"ROSSI MARIO"}, 1},
        {"txtMarca", "FIAT", {"Rossi", "ROSSI MARIO"}, 1},
        {"txtModello", "punto", {"Rossi"}, 1},
        {"txtProgramma", "AGO", {"Rossi"}, 1},
        {"txtNote", "esp", {"NICCOLÒ Verdi"}, 1},
        // Only blanks: no criterion given, every driver listed.
        {"txtModello", " ", {"NICCOLÒ Verdi", "Rossi", "ROSSI MARIO"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.edit) + " = '" + c.testo + "'");
        TfrmTrovaAnagrafica w(h.app);
        w.Show();
        w.Get<ui::Edit>(c.edit).SetText(c.testo);
        const std::vector<std::string> righe = Cerca(h, w);
        std::vector<std::string> nomi;
        for (const std::string& r : righe)
            nomi.push_back(rtl::Trim(r.substr(0, r.find("  Cel. "))));
        EXPECT_EQ(nomi, c.nomi);
        EXPECT_EQ(w.lblConta.Text(), std::to_string(c.conta));
    }
    // A criterion of blanks is no criterion: it cannot make up for a plate
    // that does not match.
    TfrmTrovaAnagrafica b(h.app);
    b.Show();
    EXPECT_TRUE(Cerca(h, b, {{&b.txtModello, " "}, {&b.txtTarga, "zz"}}).empty());
    EXPECT_EQ(b.lblConta.Text(), "1");

    TfrmTrovaAnagrafica w(h.app);
    w.Show();
    const auto righe = Cerca(h, w, {{&w.txtMarca, "fiat"}, {&w.txtCitta, "roma"}});
    ASSERT_EQ(righe.size(), 1u);
    EXPECT_EQ(righe[0].rfind("ROSSI MARIO", 0), 0u);
    EXPECT_EQ(w.lblConta.Text(), "2");
    EXPECT_EQ(w.lblTrovate.Text(), "Il presente elenco contiene 1 schede.");
}

TEST(DriverSearch, EnterRingAndHighlight) {
    ts::Harness h;
    TfrmTrovaAnagrafica w(h.app);
    w.Show();
    const char* ring[] = {"Conducente", "CodFisc", "Patenti", "Citta",     "Veicolo",
                          "Targa",      "Marca",   "Modello", "Programma", "Note"};
    for (std::size_t i = 0; i < std::size(ring); ++i) {
        SCOPED_TRACE(ring[i]);
        ui::Edit& e = w.Get<ui::Edit>(std::string("txt") + ring[i]);
        ui::Rectangle& eff =
            w.Get<ui::Rectangle>("effCampo" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1));
        h.Focus(e);
        EXPECT_TRUE(eff.Visible());
        h.Press(w, ui::vk::Return);
        EXPECT_FALSE(eff.Visible());
        EXPECT_EQ(w.Focused(), w.FindControl(std::string("txt") + ring[(i + 1) % std::size(ring)]));
    }
    // The "wait" note shows as soon as the mouse goes down on "Cerca", and
    // goes when the window closes.
    ui::MouseEvent e;
    w.btnCerca.OnMouseDown(e);
    EXPECT_TRUE(w.lblAttendere.Visible());
    EXPECT_EQ(w.lblAttendere.Text(), "Ricerca schede in corso. Attendere...");
    h.Click(w.btnCerca);
    ui::Rectangle& effTrova = w.Get<ui::Rectangle>("effTrova");
    EXPECT_TRUE(effTrova.Visible());
    h.Press(w, ui::vk::Return);
    EXPECT_EQ(w.Focused(), &w.btnTrova);
    EXPECT_FALSE(effTrova.Visible());
    h.Click(w.btnChiudi);
    EXPECT_FALSE(w.lblAttendere.Visible());
    EXPECT_EQ(w.lstRecords.Count(), 0);
}

TEST(DriverSearch, FindNextAndPrint) {
    ts::Harness h;
    ts::GetHeadlessOutput() = ts::HeadlessOutput();
    TfrmTrovaAnagrafica vuota(h.app);
    vuota.Show();
    Cerca(h, vuota);
    h.Type(vuota, "x");
    h.ExpectShowMessage("Ricerca non applicabile: la lista non contiene nessuna voce.");
    h.Click(vuota.btnTrova);
    h.Verify();

    dt::AggiungiConduttore("Anna", "1", "Fiat", "Panda", "A", "No", "No", "turni di notte");
    dt::AggiungiConduttore("Bruno", "2", "Fiat", "Punto", "B");
    dt::AggiungiConduttore("Carla", "3", "Iveco", "Daily", "C", "No", "No", "notte");
    TfrmTrovaAnagrafica w(h.app);
    w.Show();
    Cerca(h, w);
    h.Type(w, "NOTTE");
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 0);
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 2);
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 0);
    w.txtTrova.SetText("punto");
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 1);

    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo conduttori in archivio");
    EXPECT_EQ(w.frxReport.GetMemo("txtRiepilogo").Lines(), w.lstRecords.Items());
}

class RecallTest : public dt::CardTest {
protected:
    TfrmFogli fogli{h.app};
    RecallTest() {
        frmFogli = &fogli;
        dt::AggiungiConduttore({{"Conducente", "Rossi"},
                                {"TelCel", "333"},
                                {"Marca", "Fiat"},
                                {"Modello", "Panda"},
                                {"Targa", "AB123CD"},
                                {"Prov", "RM"},
                                {"Iban", "IT60"},
                                {"Ferie", "Sì"},
                                {"Trasferte", ""},
                                {"File02", "b.pdf"},
                                {"Desc02", "Libretto"}});
        dt::AggiungiConduttore({{"Conducente", "Verdi"},
                                {"TelCel", "444"},
                                {"Marca", "Iveco"},
                                {"Modello", "Daily"},
                                {"Targa", "ZZ999ZZ"},
                                {"Ferie", "No"},
                                {"Trasferte", "Sì"}});
    }
    ~RecallTest() override { frmFogli = nullptr; }

    // Opens the search as `chiamante` opens it (its owner and its way back)
    // and recalls line `riga` (-1: none selected) under `tag`.
    template <class Chiamante> void Richiama(Chiamante& chiamante, const std::string& tag, int riga) {
        h.OnModal<TfrmTrovaAnagrafica>([&](TfrmTrovaAnagrafica& w) {
            w.lblMemory.SetText(tag);
            Cerca(h, w);
            if (riga >= 0)
                h.DblClickItem(w.lstRecords, riga);
            else
                h.DblClick(w.lstRecords);
            EXPECT_FALSE(w.Visible());
        });
        auto w = std::make_unique<TfrmTrovaAnagrafica>(h.app, &chiamante, &chiamante);
        w->ShowModal();
    }
    std::string Fogli(const char* edit) { return fogli.Get<ui::Edit>(edit).Text(); }
};

TEST_F(RecallTest, IntoTheDriverCard) {
    card.chkTrasferte.SetChecked(true);
    card.lblFile01.SetText("vecchio");
    Richiama(card, " anagrafica ", 0);
    EXPECT_EQ(card.txtConducente.Text(), "Rossi");
    EXPECT_EQ(card.txtProv.Text(), "RM");
    EXPECT_EQ(card.txtIban.Text(), "IT60");
    EXPECT_TRUE(card.chkFerie.Checked());
    EXPECT_TRUE(card.chkTrasferte.Checked()); // an empty flag leaves the box
    EXPECT_EQ(card.lblFile01.Text(), "");
    EXPECT_EQ(card.lblFile02.Text(), "b.pdf");
    EXPECT_EQ(card.lblDesc02.Text(), "Libretto");
    EXPECT_EQ(card.lblPosizione.Text(), "1");
    EXPECT_EQ(Fogli("txtConduttore"), "");

    Richiama(card, "anagrafica", 1);
    EXPECT_EQ(card.txtConducente.Text(), "Verdi");
    EXPECT_FALSE(card.chkFerie.Checked());
    EXPECT_EQ(card.lblPosizione.Text(), "2");
    // Edited and saved, the recalled record is rewritten.
    card.txtNote.SetText("nota");
    Save(dt::kModificata);
    EXPECT_EQ(dt::Archivio().size(), 2u * 3206u);
}

TEST_F(RecallTest, IntoTheTripSheet) {
    fogli.Get<ui::Edit>("txtDataApertura").SetText("01/02/2026");
    Richiama(fogli, "fogli", 0);
    EXPECT_EQ(Fogli("txtConduttore"), "Rossi");
    EXPECT_EQ(Fogli("txtTelCel"), "333");
    EXPECT_EQ(Fogli("txtVeicolo"), "Fiat Panda");
    EXPECT_EQ(Fogli("txtTarga"), "AB123CD");
    EXPECT_EQ(Fogli("txtDataApertura"), "01/02/2026");
    EXPECT_EQ(card.txtConducente.Text(), "");
    EXPECT_EQ(card.lblPosizione.Text(), "");
}

TEST_F(RecallTest, OtherTagsAndNoSelectionCopyNothing) {
    for (const char* tag : {"", "Anagrafica", "autoparco", "registro"}) {
        SCOPED_TRACE(tag);
        Richiama(card, tag, 0);
        Richiama(fogli, tag, 0);
        EXPECT_EQ(card.txtConducente.Text(), "");
        EXPECT_EQ(Fogli("txtConduttore"), "");
    }
    Richiama(card, "anagrafica", -1);
    EXPECT_EQ(card.txtConducente.Text(), "");
    EXPECT_EQ(card.lblPosizione.Text(), "");
}

TEST(DriverSearch, AnArchiveThatCannotBeReadIsReported) {
    ts::Harness h;
    rtl::CreateFolders(h.DataFolder() + "Conducenti.pro");
    TfrmTrovaAnagrafica w(h.app);
    w.Show();
    h.ExpectShowMessage(
        "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
        "programma.");
    h.Click(w.btnCerca);
    h.Verify();
    EXPECT_TRUE(w.panAvvio.Visible());
    EXPECT_FALSE(w.panContainer.Visible());
    EXPECT_FALSE(w.lblAttendere.Visible());
}

} // namespace
