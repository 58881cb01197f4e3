// The three driver lists: drivers available for transfers, on holiday, in
// service.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "drivers/Ferie.h"
#include "drivers/Servizio.h"
#include "drivers/Trasferte.h"
#include "platform/report/Report.h"
#include "tests/drivers/DriverCard.h"
#include "tests/support/Outputs.h"

using dt::CardTest;

namespace {

std::string Pad(std::string s, std::size_t width) {
    s.resize(width, ' ');
    return s;
}

// Each list as its card command opens it: the list's lines, its caption and
// the title of its printed list.
struct Elenco {
    const char* comando;
    const char* classe;
    std::string caption;
    std::string titolo;
};
const Elenco kTrasferte = {"cmdTrasferte", "TfrmTrasferte", " Riepilogo conduttori disponibili per trasferte",
                           "Riepilogo conduttori disponibili per trasferte"};
const Elenco kFerie = {"cmdFerie", "TfrmFerie", " Riepilogo conduttori in ferie",
                       "Riepilogo conduttori in ferie"};
const Elenco kServizio = {"cmdServizio", "TfrmServizio", " Riepilogo conduttori in servizio",
                          "Riepilogo conduttori in servizio"};

class ListTest : public CardTest {
protected:
    ListTest() { ts::GetHeadlessOutput() = ts::HeadlessOutput(); }

    // Opens the list from the card and runs `fai` on it while it is shown.
    void Apri(const Elenco& e, const std::function<void(drivers::ElencoConduttori&)>& fai) {
        h.OnModal(e.classe, [&](ui::Form& f) {
            auto& w = dynamic_cast<drivers::ElencoConduttori&>(f);
            EXPECT_EQ(w.Caption(), e.caption);
            EXPECT_EQ(w.Owner(), &card);
            fai(w);
        });
        h.Click(card.Get<ui::Picture>(e.comando));
        EXPECT_EQ(h.ModalCount(e.classe), ++aperture_[e.classe]);
    }
    std::vector<std::string> Righe(const Elenco& e) {
        std::vector<std::string> righe;
        Apri(e, [&](drivers::ElencoConduttori& w) { righe = w.lstRecords.Items(); });
        return righe;
    }

private:
    std::map<std::string, int> aperture_;
};

TEST_F(ListTest, EachListFiltersAndEndsItsLines) {
    dt::AggiungiConduttore("Rossi Mario", "333", "Fiat", "Panda", "AB123CD", "Sì", "Sì", "note R", "agosto");
    dt::AggiungiConduttore("Bianchi", "444", "Iveco", "Daily", "ZZ999ZZ", "No", "No", "note B", "luglio");
    dt::AggiungiConduttore("Verdi Giuseppe Alessandro Maria", "555", "Alfa Romeo",
                           "Giulia Quadrifoglio Verde", "CD456EF", "No", "Sì", "note V", "mai");
    dt::AggiungiConduttore("Neri", "666", "Fiat", "Uno", "X", "si", "SI", "", ""); // neither Sì nor No
    dt::AggiungiConduttore("Gialli", "777", "Fiat", "Uno", "Y", "", "", "", "");

    EXPECT_EQ(
        Righe(kTrasferte),
        (std::vector<std::string>{
            Pad("Rossi Mario", 30) + "  Cel. " + Pad("333", 14) + "  " + Pad("Fiat Panda", 30) +
                "  Targa: " + Pad("AB123CD", 12) + "  Note: note R",
            "Verdi Giuseppe Alessandro Mari  Cel. " + Pad("555", 14) + "  Alfa Romeo Giulia Quadrifoglio" +
                "  Targa: " + Pad("CD456EF", 12) + "  Note: note V",
        }));
    EXPECT_EQ(Righe(kFerie), (std::vector<std::string>{
                                 Pad("Rossi Mario", 26) + "  Cel. " + Pad("333", 14) + "  " +
                                     Pad("Fiat Panda", 26) + "  Targa: " + Pad("AB123CD", 12) + "  agosto",
                             }));
    EXPECT_EQ(Righe(kServizio),
              (std::vector<std::string>{
                  Pad("Bianchi", 26) + "  Cel. " + Pad("444", 14) + "  " + Pad("Iveco Daily", 26) +
                      "  Targa: " + Pad("ZZ999ZZ", 12) + "  luglio",
                  "Verdi Giuseppe Alessandro   Cel. " + Pad("555", 14) + "  Alfa Romeo Giulia Quadrifo" +
                      "  Targa: " + Pad("CD456EF", 12) + "  mai",
              }));
}

TEST_F(ListTest, SortedByLineWithAToZReadAsUpperCase) {
    for (const char* nome : {"bruno", "Anna", "Èva", "BRUNO", "carla"})
        dt::AggiungiConduttore(nome, "1", "Fiat", "Panda", "X", "No", "Sì");
    std::vector<std::string> nomi;
    for (const std::string& r : Righe(kServizio))
        nomi.push_back(r.substr(0, r.find(' ')));
    // Lines equal but for the case of a to z keep the order of the file.
    EXPECT_EQ(nomi, (std::vector<std::string>{"Anna", "bruno", "BRUNO", "carla", "Èva"}));
}

TEST_F(ListTest, RecallFillsTheCardEvenWithACutName) {
    dt::AggiungiConduttore("Uno", "1", "Fiat", "Panda", "A", "No", "Sì");
    dt::AggiungiConduttore("Verdi Giuseppe Alessandro Maria", "555", "Alfa Romeo", "Giulia", "CD456EF", "No",
                           "Sì", "nota");
    card.txtConducente.SetText("prima");
    Apri(kTrasferte, [&](drivers::ElencoConduttori& w) {
        ASSERT_EQ(w.lstRecords.Count(), 2);
        h.DblClickItem(w.lstRecords, 1);
        EXPECT_FALSE(w.Visible());
    });
    EXPECT_EQ(card.txtConducente.Text(), "Verdi Giuseppe Alessandro Maria");
    EXPECT_EQ(card.txtNote.Text(), "nota");
    EXPECT_FALSE(card.chkFerie.Checked());
    EXPECT_TRUE(card.chkTrasferte.Checked());
    EXPECT_EQ(card.lblPosizione.Text(), "2");

    // A double click without a selected line copies nothing.
    h.Click(card.cmdNuovo);
    Apri(kServizio, [&](drivers::ElencoConduttori& w) {
        h.DblClick(w.lstRecords);
        EXPECT_FALSE(w.Visible());
    });
    EXPECT_EQ(card.txtConducente.Text(), "");
    EXPECT_EQ(card.lblPosizione.Text(), "");
}

TEST_F(ListTest, EqualLinesRecallTheLaterDriver) {
    dt::AggiungiConduttore({{"Conducente", "Rossi"}, {"Ferie", "Sì"}, {"Recapito", "primo"}});
    dt::AggiungiConduttore({{"Conducente", "Rossi"}, {"Ferie", "Sì"}, {"Recapito", "secondo"}});
    Apri(kFerie, [&](drivers::ElencoConduttori& w) {
        ASSERT_EQ(w.lstRecords.Count(), 2);
        EXPECT_EQ(w.lstRecords.Items()[0], w.lstRecords.Items()[1]);
        h.DblClickItem(w.lstRecords, 1);
    });
    EXPECT_EQ(card.txtRecapito.Text(), "secondo");
    EXPECT_EQ(card.lblPosizione.Text(), "2");
}

TEST_F(ListTest, FindNextPrintAndTheFindField) {
    dt::AggiungiConduttore("Anna", "1", "Fiat", "Panda", "A", "Sì", "No", "", "notte");
    dt::AggiungiConduttore("Bruno", "2", "Fiat", "Punto", "B", "Sì", "No", "", "giorno");
    dt::AggiungiConduttore("Carla", "3", "Fiat", "Uno", "C", "Sì", "No", "", "NOTTE");
    Apri(kFerie, [&](drivers::ElencoConduttori& w) {
        EXPECT_EQ(w.Focused(), &w.txtTrova);
        EXPECT_TRUE(w.Get<ui::Rectangle>("effTrova").Visible());
        h.Type(w, "notte");
        h.Press(w, ui::vk::Return);
        EXPECT_EQ(w.Focused(), &w.btnTrova);
        EXPECT_FALSE(w.Get<ui::Rectangle>("effTrova").Visible());
        EXPECT_EQ(w.lstRecords.ItemIndex(), -1); // Enter does not search
        h.Click(w.btnTrova);
        EXPECT_EQ(w.lstRecords.ItemIndex(), 0);
        h.Click(w.btnTrova);
        EXPECT_EQ(w.lstRecords.ItemIndex(), 2);
        h.Click(w.btnStampa);
        ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
        EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo conduttori in ferie");
        EXPECT_EQ(w.frxReport.GetMemo("txtRiepilogo").Lines(), w.lstRecords.Items());
        h.Click(w.btnChiudi);
        EXPECT_EQ(w.lstRecords.Count(), 0);
    });
    for (const Elenco* e : {&kTrasferte, &kServizio}) {
        Apri(*e, [&](drivers::ElencoConduttori& w) {
            EXPECT_EQ(w.lstRecords.Count(), 0);
            h.Type(w, "x");
            h.ExpectShowMessage("Ricerca non applicabile: la lista non contiene nessuna voce.");
            h.Click(w.btnTrova);
            h.Verify();
            h.Click(w.btnStampa);
            EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), e->titolo);
        });
    }
}

// A missing archive is created and lists nothing; one that cannot be read
// is said so, never shown as an empty list in silence.
TEST_F(ListTest, MissingAndUnreadableArchives) {
    EXPECT_TRUE(Righe(kFerie).empty());
    EXPECT_TRUE(rtl::FileExists(rtl::DataPath("Conducenti.pro")));
    rtl::DeleteFile(rtl::DataPath("Conducenti.pro"));
    rtl::CreateFolders(rtl::DataPath("Conducenti.pro"));
    for (const Elenco* e : {&kTrasferte, &kFerie, &kServizio}) {
        SCOPED_TRACE(e->classe);
        h.ExpectShowMessage(
            "Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
            "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione del "
            "programma.");
        EXPECT_TRUE(Righe(*e).empty());
        h.Verify();
    }
}

// A damaged archive: a cut-short last record is not listed, and nothing is
// written.
TEST_F(ListTest, CutShortLastRecordIsNotListed) {
    dt::AggiungiConduttore("Uno", "1", "Fiat", "Panda", "A", "Sì", "No");
    dt::AggiungiConduttore("Due", "2", "Fiat", "Panda", "B", "Sì", "No");
    std::string file = dt::Archivio();
    file.resize(3206 + 1700);
    rtl::WriteWholeFile(rtl::DataPath("Conducenti.pro"), file);
    EXPECT_EQ(Righe(kFerie).size(), 1u);
    EXPECT_EQ(dt::Archivio(), file);
}

} // namespace
