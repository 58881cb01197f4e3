// The three daily visit lists: which cards each holds under a set clock, the
// lines character by character, the order, find-next, the print titles, the
// recall into the card, and unreadable archives.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "gate/EntratiOggi.h"
#include "gate/NonUsciti.h"
#include "gate/UscitiOggi.h"
#include "platform/report/Report.h"
#include "tests/gate/GateFixture.h"
#include "tests/support/Outputs.h"

using gt::GateTest;

namespace {

class ListTest : public GateTest {
protected:
    ListTest() {
        ts::GetHeadlessOutput() = ts::HeadlessOutput();
        // Today is 05/03/2024.
        AddVisits({
            // 1: entered yesterday, still inside
            {{"DataEnt", "04/03/2024"},
             {"OraEnt", "08:10"},
             {"Veicolo", "Fiat Ducato"},
             {"Targa", "AA111AA"},
             {"Conduttore", "Luca Bianchi"}},
            // 2: entered and left today
            {{"DataEnt", "05/03/2024"},
             {"OraEnt", "09:00"},
             {"Veicolo", "Iveco Daily con cassone ribaltabile"},
             {"Targa", "BB222BB"},
             {"Conduttore", "Anna"},
             {"DataUsc", "05/03/2024"},
             {"OraUsc", "11:30"}},
            // 3: entered yesterday, left today, date written without padding
            {{"DataEnt", "4/3/2024"},
             {"OraEnt", "07:00"},
             {"Veicolo", "alfa Romeo"},
             {"Targa", "CC333CC"},
             {"DataUsc", "05/03/2024"},
             {"OraUsc", "12:00"}},
            // 4: entered today, still inside
            {{"DataEnt", " 05/03/2024 "},
             {"OraEnt", "10:00"},
             {"Veicolo", "BMW"},
             {"Targa", "DD444DD"},
             {"Conduttore", "Carlo"}},
            // 5: left on a date of another shape
            {{"DataEnt", "05/03/2024"},
             {"OraEnt", "06:00"},
             {"Veicolo", "Opel"},
             {"Targa", "EE555EE"},
             {"DataUsc", "5/3/2024"},
             {"OraUsc", "06:30"}},
        });
    }

    // Opens a list from its card command and returns its lines.
    template <class List> std::vector<std::string> Lines(ui::Picture& cmd) {
        std::vector<std::string> lines;
        h.OnModal<List>([&](List& l) {
            EXPECT_EQ(l.lstRecords.ItemIndex(), -1);
            EXPECT_EQ(l.lstRecords.ItemWidth(), 1600);
            EXPECT_EQ(l.lstRecords.ItemFont().family, "Courier New");
            EXPECT_EQ(l.Focused(), &l.txtTrova);
            lines = l.lstRecords.Items();
            h.Click(l.btnChiudi);
        });
        h.Click(cmd);
        return lines;
    }
};

std::string Pad(const std::string& s, std::size_t n) {
    return (s + std::string(n, ' ')).substr(0, n);
}

} // namespace

TEST_F(ListTest, LeftTodayLinesAndOrder) {
    const auto lines = Lines<TfrmUscitiOggi>(card.cmdUscitiOggi);
    ASSERT_EQ(lines.size(), 2u);
    // Sorted with a-z read as A-Z: "alfa" before "Iveco".
    EXPECT_EQ(lines[0], Pad("alfa Romeo", 30) + "  Targa: " + Pad("CC333CC", 12) + "  Ora uscita: 12:00" +
                            "  Entrata: 4/3/2024  " + "  Ora: 07:00" + "  Conduttore: ");
    EXPECT_EQ(lines[1], "Iveco Daily con cassone ribalt  Targa: BB222BB       Ora uscita: 11:30  Entrata: "
                        "05/03/2024  Ora: 09:00  Conduttore: Anna");
    EXPECT_EQ(lines[1].find("Anna"), 117u); // the driver from position 118
}

TEST_F(ListTest, EnteredTodayAndNotYetLeft) {
    auto lines = Lines<TfrmEntratiOggi>(card.cmdEntratiOggi);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "BMW                             Targa: DD444DD       Ora entrata: 10:00  Uscita: "
                        "            Ora:        Conduttore: Carlo");
    EXPECT_EQ(lines[1].substr(0, 5), "Iveco");
    EXPECT_EQ(lines[2].substr(0, 4), "Opel");
    EXPECT_EQ(lines[0].find("Carlo"), 117u);

    lines = Lines<TfrmNonUsciti>(card.cmdNonUsciti);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], Pad("BMW", 30) + "  Targa: DD444DD     " + "  Entrata: 05/03/2024  Ora: 10:00" +
                            "  Conduttore: Carlo");
    EXPECT_EQ(lines[1], Pad("Fiat Ducato", 30) + "  Targa: AA111AA     " +
                            "  Entrata: 04/03/2024  Ora: 08:10" + "  Conduttore: Luca Bianchi");
    EXPECT_EQ(lines[1].find("Luca"), 98u);
}

TEST_F(ListTest, AMissingYearGivesEmptyListsAndLeavesAnEmptyFile) {
    card.lblFile.SetText(Path("2031.vis"));
    EXPECT_TRUE(Lines<TfrmNonUsciti>(card.cmdNonUsciti).empty());
    EXPECT_EQ(rtl::ReadWholeFile(Path("2031.vis")), "");
    // Find-next has nothing to search.
    h.OnModal<TfrmUscitiOggi>([&](TfrmUscitiOggi& l) {
        h.ExpectShowMessage("Ricerca non applicabile: la lista non contiene nessuna voce.");
        h.Click(l.btnTrova);
        h.Click(l.btnChiudi);
    });
    h.Click(card.cmdUscitiOggi);
}

// The print title carries the day of the lines listed: a list opened before
// midnight and printed after it keeps its own day.
TEST_F(ListTest, PrintTitlesCarryTheDayOfTheLines) {
    const struct {
        ui::Picture* cmd;
        const char* title;
    } cases[] = {
        {&card.cmdUscitiOggi, "Veicoli usciti in data 05/03/2024"},
        {&card.cmdEntratiOggi, "Veicoli entrati in data 05/03/2024"},
        {&card.cmdNonUsciti, "Veicoli non ancora usciti"},
    };
    for (const auto& c : cases) {
        h.SetNow({*rtl::Date::FromYmd(2024, 3, 5), {23, 59, 0}});
        std::vector<std::string> listed, printed;
        std::string title;
        const auto print = [&](gate::TfrmListaVisite& l) {
            h.SetNow({*rtl::Date::FromYmd(2024, 3, 6), {0, 1, 0}});
            listed = l.lstRecords.Items();
            h.Click(l.btnStampa);
            title = l.frxReport.GetMemo("txtTitolo").Text();
            printed = l.frxReport.GetMemo("txtRiepilogo").Lines();
            h.Click(l.btnChiudi);
        };
        h.OnModal<TfrmUscitiOggi>(print);
        h.OnModal<TfrmEntratiOggi>(print);
        h.OnModal<TfrmNonUsciti>(print);
        h.Click(*c.cmd);
        EXPECT_EQ(title, c.title);
        EXPECT_EQ(printed, listed);
        EXPECT_FALSE(listed.empty());
    }
    EXPECT_EQ(ts::GetHeadlessOutput().printed.size(), 3u);
}

TEST_F(ListTest, FindNextWalksTheMatchesAndStartsAgainForANewText) {
    AddVisits({{{"Veicolo", "Fiat Panda"}, {"Targa", "FF666FF"}, {"DataEnt", "01/03/2024"}},
               {{"Veicolo", "FIAT Punto"}, {"Targa", "GG777GG"}, {"DataEnt", "01/03/2024"}}});
    h.OnModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) {
        // BMW, Fiat Ducato, Fiat Panda, FIAT Punto
        ASSERT_EQ(l.lstRecords.Count(), 4u);
        h.Type(l, "fiat");
        h.Press(l, ui::vk::Return, U'\r');
        EXPECT_EQ(l.Focused(), &l.btnTrova);
        int found[4];
        for (int& f : found) {
            h.Click(l.btnTrova);
            f = l.lstRecords.ItemIndex();
        }
        EXPECT_EQ(std::vector<int>(found, found + 4), (std::vector<int>{1, 2, 3, 1}));
        l.txtTrova.SetText("bmw");
        h.Click(l.btnTrova);
        EXPECT_EQ(l.lstRecords.ItemIndex(), 0);
        l.txtTrova.SetText("nessuno");
        h.Click(l.btnTrova);
        EXPECT_EQ(l.lstRecords.ItemIndex(), 0);
        h.Click(l.btnChiudi);
    });
    h.Click(card.cmdNonUsciti);
    // The remembered text is emptied at every showing: "fiat" starts from
    // the top again.
    h.OnModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) {
        EXPECT_EQ(l.txtTrova.Text(), "");
        l.txtTrova.SetText("fiat");
        h.Click(l.btnTrova);
        EXPECT_EQ(l.lstRecords.ItemIndex(), 1);
        h.Click(l.btnChiudi);
    });
    h.Click(card.cmdNonUsciti);
}

// A double click loads the clicked card, also when another card has the same
// line; the card takes all sixteen fields and the number.
TEST_F(ListTest, RecallLoadsTheClickedCard) {
    frmRegistro = nullptr; // the card hands itself over: no global instance is read
    AddVisits({
        {{"DataEnt", "05/03/2024"},
         {"OraEnt", "10:00"},
         {"Veicolo", "BMW"},
         {"Targa", "DD444DD"},
         {"Conduttore", "Carlo"},
         {"Note", " seconda "},
         {"OperatoreUsc", "Piero"}},
    });
    TypeInto(card.txtNote, "da perdere");
    h.OnModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) {
        ASSERT_EQ(l.lstRecords.Item(0), l.lstRecords.Item(1)); // cards 4 and 6 list alike
        h.DblClickItem(l.lstRecords, 0);
        EXPECT_FALSE(l.Visible());
    });
    h.Click(card.cmdNonUsciti);
    EXPECT_EQ(card.lblPosizione.Text(), "4");
    EXPECT_EQ(card.txtNote.Text(), "");
    EXPECT_EQ(card.txtDataEnt.Text(), "05/03/2024");

    h.OnModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) { h.DblClickItem(l.lstRecords, 1); });
    h.Click(card.cmdNonUsciti);
    EXPECT_EQ(card.lblPosizione.Text(), "6");
    std::vector<std::string> expected = {"05/03/2024", "10:00", "", "BMW", "DD444DD", "Carlo", "", "",
                                         "",           "",      "", "",    "seconda", "",      "", "Piero"};
    EXPECT_EQ(CardFields(), expected);

    // A double click with no line selected closes and leaves the card.
    h.OnModal<TfrmUscitiOggi>([&](TfrmUscitiOggi& l) { h.DblClick(l.lstRecords); });
    h.Click(card.cmdUscitiOggi);
    EXPECT_EQ(card.lblPosizione.Text(), "6");
}

// An archive that cannot be read is reported, never shown as an empty list;
// a card that cannot be read leaves the card as it was and the list open.
TEST_F(ListTest, UnreadableArchiveOrCardIsReported) {
    card.lblFile.SetText(Path("cartella.vis"));
    rtl::CreateFolders(Path("cartella.vis"));
    for (ui::Picture* cmd : {&card.cmdUscitiOggi, &card.cmdEntratiOggi, &card.cmdNonUsciti}) {
        bool open = false;
        const auto check = [&](gate::TfrmListaVisite& l) {
            open = l.Visible();
            h.Click(l.btnChiudi);
        };
        h.OnModal<TfrmUscitiOggi>(check);
        h.OnModal<TfrmEntratiOggi>(check);
        h.OnModal<TfrmNonUsciti>(check);
        h.ExpectShowMessage(gt::kAccesso);
        h.Click(*cmd);
        h.Verify();
        EXPECT_TRUE(open);
    }

    card.lblFile.SetText(Path("2024.vis"));
    TypeInto(card.txtNote, "in corso");
    h.OnModal<TfrmNonUsciti>([&](TfrmNonUsciti& l) {
        // The year shrinks under the list (another workstation, a restore).
        rtl::WriteWholeFile(Path("2024.vis"), std::string(1366, '\0'));
        h.ExpectShowMessage(gt::kAccesso);
        h.DblClickItem(l.lstRecords, 0); // BMW, card 4: gone
        h.Verify();
        EXPECT_TRUE(l.Visible());
        h.Click(l.btnChiudi);
    });
    h.Click(card.cmdNonUsciti);
    EXPECT_EQ(card.txtNote.Text(), "in corso");
    EXPECT_EQ(card.lblPosizione.Text(), "");
}
