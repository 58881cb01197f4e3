// The open-sheet list and the search: the list line, which sheets are
// listed, find-next, print, and the recall into the trip-sheet window.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform/report/Report.h"
#include "platform/rtl/Text.h"
#include "tests/support/Outputs.h"
#include "tests/tripsheets/TripSheet.h"
#include "tripsheets/ExpFogli.h"
#include "tripsheets/RiepAperti.h"
#include "tripsheets/TrovaFogli.h"

using tt::SheetTest;

namespace {

const std::string kListaVuota = "Ricerca non applicabile: la lista non contiene nessuna voce.";

// A sheet of a fixture: number, opening, driver, mobile, vehicle, plate and
// the closing date.
std::map<std::string, std::string> Foglio(const std::string& num, const std::string& conduttore,
                                          const std::string& chiusura = "",
                                          const std::string& targa = "AB123CD") {
    return {{"NumFoglio", num},         {"DataApertura", "05/03/2024"}, {"OraApertura", "09:07"},
            {"Conduttore", conduttore}, {"TelCel", "333 1234567"},      {"Veicolo", "Fiat Panda"},
            {"Targa", targa},           {"DataChiusura", chiusura}};
}

class ListTest : public SheetTest {
protected:
    ListTest() { ts::GetHeadlessOutput() = ts::HeadlessOutput(); }
};

} // namespace

// The line: fixed pieces and padded columns up to the plate (144
// characters), the driver cut to 25 characters, then the plate as it is.
TEST_F(ListTest, OpenListShowsOnlyOpenSheetsInFileOrder) {
    AddSheet(Foglio("  12 ", "Rossi Mario Alessandro Giovanni"));
    AddSheet(Foglio("13", "Bianchi", "06/03/2024"));
    AddSheet({{"NumFoglio", "14"}, {"OraChiusura", "18:00"}, {"Conduttore", "Verdi"}, {"Targa", "ZZ999ZZ"}});
    AddSheet(Foglio("2", "Neri"));
    TfrmRiepAperti w(h.app, &fogli, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    ASSERT_EQ(w.lstRecords.Count(), 3u);
    EXPECT_EQ(w.lstRecords.Items()[0], "Foglio n. 12            Data: 05/03/2024  Ora: 09:07  Rossi Mario "
                                       "Alessandro Gi  Cel. 333 1234567    "
                                       "  Mezzo: Fiat Panda                 Targa: AB123CD");
    EXPECT_EQ(w.lstRecords.Items()[0].find("  Targa: "), 135u);
    EXPECT_EQ(w.lstRecords.Items()[1], "Foglio n. 14            Data:             Ora:        Verdi          "
                                       "            Cel.                "
                                       "  Mezzo:                            Targa: ZZ999ZZ");
    EXPECT_EQ(w.lstRecords.Items()[2].substr(0, 24), "Foglio n. 2             ");
    EXPECT_EQ(w.Focused(), &w.txtTrova);
    EXPECT_EQ(w.Caption(), " Riepilogo Fogli di Marcia non ancora chiusi");
}

TEST_F(ListTest, OpenListOfAYearWithoutArchive) {
    TfrmRiepAperti w(h.app, &fogli, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    EXPECT_EQ(w.lstRecords.Count(), 0u);
    EXPECT_TRUE(rtl::FileExists(ArchivePath()));
    h.ExpectShowMessage(kListaVuota);
    h.Click(w.btnTrova);
    // An empty list prints the title and an empty body.
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo Fogli di Marcia non ancora chiusi");
    EXPECT_TRUE(w.frxReport.GetMemo("txtRiepilogo").Lines().empty() ||
                w.frxReport.GetMemo("txtRiepilogo").Text().empty());
}

// An archive that cannot be read is said so: an empty list must mean that
// every sheet is closed.
TEST_F(ListTest, OpenListOverAnUnreadableArchiveIsReported) {
    rtl::CreateFolders(ArchivePath());
    TfrmRiepAperti w(h.app, &fogli, &fogli);
    w.ImpostaArchivio(OpenArchive());
    h.ExpectShowMessage(tt::kErroreArchivio);
    w.Show();
    h.Verify();
    EXPECT_EQ(w.lstRecords.Count(), 0u);
    EXPECT_EQ(w.Focused(), &w.txtTrova);
}

TEST_F(ListTest, OpenListFindNextWrapsAndPrints) {
    AddSheet(Foglio("1", "ROSSI MARIO"));
    AddSheet(Foglio("2", "Bianchi"));
    AddSheet(Foglio("3", "Rossini"));
    TfrmRiepAperti w(h.app, &fogli, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    h.Type(w, "rossi");
    h.Press(w, ui::vk::Return);
    EXPECT_EQ(w.Focused(), &w.btnTrova);
    for (int expected : {0, 2, 0}) {
        h.Click(w.btnTrova);
        EXPECT_EQ(w.lstRecords.ItemIndex(), expected);
    }
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo Fogli di Marcia non ancora chiusi");
    EXPECT_EQ(w.frxReport.GetMemo("txtRiepilogo").Lines(), w.lstRecords.Items());
}

// The recall loads the record of the line clicked, whole, with its number,
// even when a later closed sheet gives the same line.
TEST_F(ListTest, OpenListRecallsTheClickedSheet) {
    std::map<std::string, std::string> tutto;
    int i = 0;
    for (const auto& e : common::TFoglioRec.Elements())
        tutto[e.name] = "v" + std::to_string(++i);
    tutto["DataChiusura"] = "";
    AddSheet(Foglio("1", "Altro"));
    AddSheet(tutto);
    auto chiuso = tutto;
    chiuso["DataChiusura"] = "31/03/2024";
    chiuso["KmPercorsi"] = "diverso";
    AddSheet(chiuso);
    fogli.txtUfficio.SetText("Sede");
    fogli.txtKmPercorsi.SetText("tot");

    TfrmRiepAperti w(h.app, &fogli, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    ASSERT_EQ(w.lstRecords.Count(), 2u);
    h.DblClickItem(w.lstRecords, 1);
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(fogli.lblPosizione.Text(), "2");
    for (const auto& e : common::TFoglioRec.Elements())
        EXPECT_EQ(fogli.Campo(e.name).Text(), tutto[e.name]) << e.name;
    EXPECT_EQ(w.lstRecords.Count(), 0u); // emptied on close
}

// The window's commands hand the list and the search the year it has open and
// take the recalled sheet back themselves: no global instance is read.
TEST_F(ListTest, CommandsHandOverTheYearAndTakeTheRecallBack) {
    AddSheet(Foglio("1", "Rossi"));
    AddSheet(Foglio("2", "Bianchi"));
    frmFogli = nullptr;
    h.OnModal<TfrmRiepAperti>([&](TfrmRiepAperti& w) {
        ASSERT_EQ(w.lstRecords.Count(), 2u);
        h.DblClickItem(w.lstRecords, 1);
    });
    h.Click(fogli.cmdFogliAperti);
    EXPECT_EQ(fogli.lblPosizione.Text(), "2");
    EXPECT_EQ(fogli.txtConduttore.Text(), "Bianchi");
    h.OnModal<TfrmTrovaFogli>([&](TfrmTrovaFogli& s) {
        h.Click(s.btnCerca);
        h.DblClickItem(s.lstRecords, 0);
    });
    h.Click(fogli.cmdTrova);
    EXPECT_EQ(fogli.lblPosizione.Text(), "1");
    EXPECT_EQ(fogli.txtConduttore.Text(), "Rossi");
}

// A recall that cannot read the archive, or with no line chosen, leaves the
// trip-sheet window as it was; the list closes.
TEST_F(ListTest, FailedRecallLeavesTheWindowAsItWas) {
    AddSheet(Foglio("1", "Rossi"));
    fogli.txtConduttore.SetText("In corso");
    fogli.lblPosizione.SetText("");
    {
        TfrmRiepAperti w(h.app, &fogli, &fogli);
        w.ImpostaArchivio(OpenArchive());
        w.Show();
        rtl::DeleteFile(ArchivePath());
        rtl::CreateFolders(ArchivePath());
        h.DblClickItem(w.lstRecords, 0);
        EXPECT_FALSE(w.Visible());
    }
    EXPECT_EQ(fogli.txtConduttore.Text(), "In corso");
    EXPECT_EQ(fogli.lblPosizione.Text(), "");
    std::filesystem::remove(ArchivePath());
    AddSheet(Foglio("1", "Rossi"));
    TfrmRiepAperti w(h.app, &fogli, &fogli);
    w.ImpostaArchivio(OpenArchive());
    w.Show();
    w.lstRecords.SetItemIndex(-1);
    h.DblClick(w.lstRecords);
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(fogli.txtConduttore.Text(), "In corso");
}

namespace {

class SearchTest : public ListTest {
protected:
    TfrmTrovaFogli w{h.app, &fogli, &fogli};
    void Open() {
        w.lblMemory.SetText("fogli");
        w.ImpostaArchivio(OpenArchive());
        w.Show();
    }
    void Search(const std::map<std::string, std::string>& criteri) {
        for (const auto& [edit, testo] : criteri)
            w.Get<ui::Edit>(edit).SetText(testo);
        h.Click(w.btnCerca);
    }
    std::vector<std::string> Numbers() const {
        std::vector<std::string> n;
        for (const std::string& riga : w.lstRecords.Items())
            n.push_back(rtl::Trim(riga.substr(10, 12)));
        return n;
    }
};

} // namespace

TEST_F(SearchTest, NoCriterionListsEverySheetInFileOrder) {
    AddSheet(Foglio("3", "Rossi", "01/04/2024"));
    AddSheet(Foglio("1", "Bianchi"));
    Open();
    EXPECT_EQ(w.Focused(), &w.txtNumFoglio);
    Search({});
    EXPECT_EQ(Numbers(), (std::vector<std::string>{"3", "1"}));
    EXPECT_EQ(w.lblConta.Text(), "0");
    EXPECT_EQ(w.lblTrovate.Text(), "Il presente elenco contiene 2 schede.");
    EXPECT_TRUE(w.panContainer.Visible());
    EXPECT_FALSE(w.panAvvio.Visible());
    EXPECT_EQ(w.Focused(), &w.txtTrova);
}

TEST_F(SearchTest, CriteriaAreSubstringsCaseFoldedForAToZOnly) {
    auto maggio = Foglio("1", "ROSSI MARIO");
    maggio["DataApertura"] = "12/05/2024";
    maggio["Ufficio"] = "CITTÀ";
    maggio["LuogoPar02"] = "Torino";
    AddSheet(maggio);
    auto altro = Foglio("2", "Rossi");
    altro["Ufficio"] = "città";
    altro["LuogoPar01"] = "Milano";
    AddSheet(altro);
    AddSheet(Foglio("3", "Verdi"));
    const struct {
        std::map<std::string, std::string> criteri;
        std::vector<std::string> found;
        const char* conta;
    } cases[] = {
        {{{"txtDataApertura", "05/2024"}}, {"1"}, "1"},
        {{{"txtDataApertura", "2024"}}, {"1", "2", "3"}, "1"},
        {{{"txtConduttore", "rossi"}}, {"1", "2"}, "1"},
        {{{"txtUfficio", "città"}}, {"2"}, "1"},
        {{{"txtConduttore", "rossi"}, {"txtNumFoglio", "2"}}, {"2"}, "2"},
        {{{"txtLuogoPar01", "torino"}}, {}, "1"}, // legs 2 to 8 are not searched
        {{{"txtLuogoPar01", "mila"}}, {"2"}, "1"},
        {{{"txtDataChiusura", "   "}, {"txtConduttore", "verdi"}}, {"3"}, "1"}, // blanks never count
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.criteri.begin()->second);
        TfrmTrovaFogli s(h.app, &fogli, &fogli);
        s.ImpostaArchivio(OpenArchive());
        s.lblMemory.SetText("fogli");
        s.Show();
        for (const auto& [edit, testo] : c.criteri)
            s.Get<ui::Edit>(edit).SetText(testo);
        h.Click(s.btnCerca);
        std::vector<std::string> n;
        for (const std::string& riga : s.lstRecords.Items())
            n.push_back(rtl::Trim(riga.substr(10, 12)));
        EXPECT_EQ(n, c.found);
        EXPECT_EQ(s.lblConta.Text(), c.conta);
        EXPECT_EQ(s.lblTrovate.Text(),
                  "Il presente elenco contiene " + std::to_string(c.found.size()) + " schede.");
    }
}

TEST_F(SearchTest, MissingArchiveGivesZero) {
    Open();
    Search({{"txtTarga", "AB"}});
    EXPECT_EQ(w.lblTrovate.Text(), "Il presente elenco contiene 0 schede.");
    EXPECT_TRUE(rtl::FileExists(ArchivePath()));
}

TEST_F(SearchTest, UnreadableArchiveIsReported) {
    rtl::CreateFolders(ArchivePath());
    Open();
    h.ExpectShowMessage(tt::kErroreArchivio);
    Search({});
    EXPECT_TRUE(w.panAvvio.Visible());
    EXPECT_FALSE(w.panContainer.Visible());
    EXPECT_FALSE(w.Get<ui::Label>("lblAttendere").Visible());
}

TEST_F(SearchTest, EnterChainClosesOnTheFirstCriterion) {
    Open();
    const char* chain[] = {"txtNumFoglio",  "txtUfficio",    "txtDataApertura", "txtDataChiusura",
                           "txtConduttore", "txtTelCel",     "txtVeicolo",      "txtTarga",
                           "txtLuogoPar01", "txtLuogoArr01", "txtNumFoglio"};
    for (int i = 0; i < 10; ++i) {
        h.Focus(w.Get<ui::Edit>(chain[i]));
        EXPECT_TRUE(w.Get<ui::Rectangle>("effCampo" + std::string(i < 9 ? "0" : "") + std::to_string(i + 1))
                        .Visible());
        h.Press(w, ui::vk::Return);
        EXPECT_EQ(w.Focused(), &w.Get<ui::Edit>(chain[i + 1])) << chain[i];
    }
}

// The search recalls the sheet of the line clicked, with its number; with
// another tag nothing is copied; the search closes in both cases.
TEST_F(SearchTest, RecallByTag) {
    AddSheet(Foglio("7", "Rossi"));
    AddSheet(Foglio("7", "Rossi", "02/04/2024"));
    Open();
    Search({{"txtConduttore", "rossi"}});
    ASSERT_EQ(w.lstRecords.Count(), 2u);
    h.DblClickItem(w.lstRecords, 0);
    EXPECT_FALSE(w.Visible());
    EXPECT_EQ(fogli.lblPosizione.Text(), "1");
    EXPECT_EQ(fogli.txtDataChiusura.Text(), "");
    EXPECT_EQ(fogli.txtNumFoglio.Text(), "7");

    fogli.PreparaNuovaScheda();
    for (const char* tag : {"", "Fogli", "anagrafica"}) {
        TfrmTrovaFogli s(h.app, &fogli, &fogli);
        s.ImpostaArchivio(OpenArchive());
        s.lblMemory.SetText(tag);
        s.Show();
        h.Click(s.btnCerca);
        h.DblClickItem(s.lstRecords, 1);
        EXPECT_FALSE(s.Visible()) << tag;
        EXPECT_EQ(fogli.txtNumFoglio.Text(), "") << tag;
        EXPECT_EQ(fogli.lblPosizione.Text(), "") << tag;
    }
}

TEST_F(SearchTest, FindNextAndPrint) {
    AddSheet(Foglio("1", "Rossi"));
    AddSheet(Foglio("2", "Bianchi"));
    Open();
    Search({});
    h.Type(w, "bianchi");
    h.Click(w.btnTrova);
    EXPECT_EQ(w.lstRecords.ItemIndex(), 1);
    h.Click(w.btnStampa);
    ASSERT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(w.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo Fogli di Marcia");
    EXPECT_EQ(w.frxReport.GetMemo("txtRiepilogo").Lines(), w.lstRecords.Items());
}

// A damaged archive (a length byte above its field, bytes that are no text,
// a cut-short last record) is read without a crash: the list, the search
// and the export go on, and the fragment is no sheet.
TEST_F(SearchTest, DamagedArchiveIsReadByListSearchAndExport) {
    AddSheet(Foglio("1", "Rossi"));
    AddSheet(Foglio("2", "Bianchi"));
    std::string file = Archive();
    file[176] = char(250); // Conduttore: capacity 50
    file[177] = '\0';
    file[178] = char(0x81);
    file[179] = char(0x9D);
    file[3373 + 38] = char(255); // DataChiusura of sheet 2
    file[3373 + 45] = char(0xFF);
    file += std::string(500, '\x7F');
    rtl::WriteWholeFile(ArchivePath(), file);

    TfrmRiepAperti aperti(h.app, &fogli, &fogli);
    aperti.ImpostaArchivio(OpenArchive());
    aperti.Show();
    EXPECT_EQ(aperti.lstRecords.Count(), 1u); // sheet 2 now reads as closed
    Open();
    Search({});
    EXPECT_EQ(w.lblTrovate.Text(), "Il presente elenco contiene 2 schede.");
    h.DblClickItem(w.lstRecords, 0);
    EXPECT_EQ(fogli.lblPosizione.Text(), "1");
    EXPECT_LE(rtl::Utf8Length(fogli.txtConduttore.Text()), 50u);
    TfrmExpFogli exp(h.app, &fogli);
    exp.ImpostaArchivio(OpenArchive());
    exp.Show();
    EXPECT_EQ(exp.grdRecords.RowCount(), 2);
    EXPECT_EQ(exp.grdRecords.Cell(4, 1), "\xC3\xBF"); // the stray byte read as windows-1252
}
