// The visit search: the criteria and their matching, the count line, the
// line, find-next, print, the caller tag of the recall and failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gate/TrovaVisite.h"
#include "platform/report/Report.h"
#include "platform/rtl/Text.h"
#include "tests/gate/GateFixture.h"
#include "tests/support/Outputs.h"

using gt::GateTest;

namespace {

class SearchTest : public GateTest {
protected:
    SearchTest() {
        ts::GetHeadlessOutput() = ts::HeadlessOutput();
        AddVisits({
            {{"DataEnt", "02/03/2024"},
             {"OraEnt", "08:00"},
             {"Veicolo", "Fiat Ducato"},
             {"Targa", "AB111CD"},
             {"Conduttore", "Luca"},
             {"DataUsc", "02/03/2024"},
             {"OraUsc", "09:00"},
             {"Merce", "Pallet  legno"}},
            {{"DataEnt", "15/04/2024"},
             {"OraEnt", "10:30"},
             {"Veicolo", "fiat Panda"},
             {"Targa", "ZZ999ZZ"},
             {"Conduttore", "Anna Città"},
             {"Luogo", "Uffici"}},
            {{"DataEnt", "20/03/2024"},
             {"OraEnt", "14:00"},
             {"Veicolo", "Iveco Daily"},
             {"Targa", "XAB22"},
             {"Note", "DDT n. 5"},
             {"DataUsc", "21/03/2024"},
             {"OraUsc", "07:45"}},
        });
    }
    // Opens the search from the card, runs `drive` on it.
    void Search(const std::function<void(TfrmTrovaVisite&)>& drive) {
        h.OnModal<TfrmTrovaVisite>([&](TfrmTrovaVisite& s) {
            EXPECT_EQ(s.lblMemory.Text(), "registro");
            EXPECT_EQ(s.Focused(), &s.txtDataEnt);
            drive(s);
            if (s.Visible()) h.Click(s.panContainer.Visible() ? s.btnChiudi : s.btnAnnulla);
        });
        h.Click(card.cmdTrova);
    }
    static std::vector<std::string> Plates(const TfrmTrovaVisite& s) {
        std::vector<std::string> out;
        for (const std::string& line : s.lstRecords.Items())
            out.push_back(rtl::Trim(line.substr(37, 12)));
        return out;
    }
};

} // namespace

TEST_F(SearchTest, NoCriterionListsTheYearSortedWithItsCountLine) {
    Search([&](TfrmTrovaVisite& s) {
        ui::input::MouseDown(s.btnCerca, ui::MouseEvent{});
        EXPECT_TRUE(s.lblAttendere.Visible());
        h.Click(s.btnCerca);
        EXPECT_TRUE(s.panContainer.Visible());
        EXPECT_FALSE(s.panAvvio.Visible());
        EXPECT_EQ(s.Focused(), &s.txtTrova);
        EXPECT_EQ(s.lblConta.Text(), "0");
        EXPECT_EQ(s.lblTrovate.Text(), "Il presente riepilogo contiene 3 schede.");
        EXPECT_EQ(s.lstRecords.ItemWidth(), 1600);
        EXPECT_EQ(Plates(s), (std::vector<std::string>{"AB111CD", "ZZ999ZZ", "XAB22"}));
        EXPECT_EQ(s.lstRecords.Item(0),
                  "Fiat Ducato                   Targa: AB111CD       Entrata: 02/03/2024"
                  "  Ora: 08:00  Uscita: 02/03/2024  Ora: 09:00  Conduttore: Luca");
        EXPECT_EQ(s.lstRecords.Item(2).find("  Conduttore: "), 114u);
    });
}

TEST_F(SearchTest, EveryGivenCriterionMustOccurIgnoringTheCaseOfAToZ) {
    const struct {
        std::vector<std::pair<const char*, std::string>> criteria;
        std::vector<std::string> plates;
        const char* count;
    } cases[] = {
        {{{"txtVeicolo", "FIAT"}, {"txtTarga", "ab"}}, {"AB111CD"}, "2"},
        {{{"txtTarga", "ab"}}, {"AB111CD", "XAB22"}, "1"},
        {{{"txtDataEnt", "03/2024"}}, {"AB111CD", "XAB22"}, "1"},
        {{{"txtDataUsc", "2024"}}, {"AB111CD", "XAB22"}, "1"},
        {{{"txtVeicolo", "fiat "}}, {"AB111CD", "ZZ999ZZ"}, "1"},
        {{{"txtVeicolo", "panda "}}, {}, "1"}, // a trailing blank must be matched too
        {{{"txtConduttore", "città"}}, {"ZZ999ZZ"}, "1"},
        {{{"txtConduttore", "CITTÀ"}}, {}, "1"}, // accented letters match in their own case only
        {{{"txtNote", "ddt"}, {"txtFoglio", ""}, {"txtLuogo", ""}}, {"XAB22"}, "1"},
        {{{"txtMerce", "pallet"}, {"txtPersone", "nessuno"}}, {}, "2"},
        // Criteria made only of blanks are no criteria: they neither count
        // nor match.
        {{{"txtMerce", "  "}}, {"AB111CD", "ZZ999ZZ", "XAB22"}, "0"},
        {{{"txtMerce", "  "}, {"txtLuogo", "uffici"}}, {"ZZ999ZZ"}, "1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.criteria.front().second);
        Search([&](TfrmTrovaVisite& s) {
            for (const auto& [edit, text] : c.criteria)
                s.Get<ui::Edit>(edit).SetText(text);
            h.Click(s.btnCerca);
            EXPECT_EQ(Plates(s), c.plates);
            EXPECT_EQ(s.lblConta.Text(), c.count);
            EXPECT_EQ(s.lblTrovate.Text(),
                      "Il presente riepilogo contiene " + std::to_string(c.plates.size()) + " schede.");
        });
    }
}

TEST_F(SearchTest, CriteriaEnterRingAndHighlight) {
    Search([&](TfrmTrovaVisite& s) {
        const std::vector<ui::Edit*> ring = {&s.txtDataEnt,    &s.txtDataUsc, &s.txtVeicolo, &s.txtTarga,
                                             &s.txtConduttore, &s.txtFoglio,  &s.txtPersone, &s.txtMerce,
                                             &s.txtLuogo,      &s.txtNote,    &s.txtDataEnt};
        EXPECT_TRUE(s.Get<ui::Rectangle>("effDataEnt").Visible());
        for (std::size_t i = 1; i < ring.size(); ++i) {
            h.Press(s, ui::vk::Return, U'\r');
            EXPECT_EQ(s.Focused(), ring[i]) << i;
        }
        EXPECT_TRUE(s.panAvvio.Visible()); // Enter never searches
        EXPECT_FALSE(s.Get<ui::Rectangle>("effNote").Visible());
        EXPECT_FALSE(s.lblAttendere.Visible());
    });
}

TEST_F(SearchTest, FindNextPrintAndRecall) {
    TypeInto(card.txtNote, "perduta");
    Search([&](TfrmTrovaVisite& s) {
        h.Click(s.btnCerca);
        h.Type(s, "fiat");
        h.Click(s.btnTrova);
        EXPECT_EQ(s.lstRecords.ItemIndex(), 0);
        h.Click(s.btnTrova);
        EXPECT_EQ(s.lstRecords.ItemIndex(), 1);
        h.Click(s.btnStampa);
        EXPECT_EQ(s.frxReport.GetMemo("txtTitolo").Text(), "Riepilogo ingressi e uscite veicoli");
        EXPECT_EQ(s.frxReport.GetMemo("txtRiepilogo").Lines(), s.lstRecords.Items());
        h.DblClickItem(s.lstRecords, 2);
        EXPECT_FALSE(s.Visible());
    });
    EXPECT_EQ(ts::GetHeadlessOutput().printed.size(), 1u);
    EXPECT_EQ(card.lblPosizione.Text(), "3");
    EXPECT_EQ(card.txtNote.Text(), "DDT n. 5");
    EXPECT_EQ(card.txtOraUsc.Text(), "07:45");
}

TEST_F(SearchTest, OnlyTheTagRegistroRecalls) {
    for (const char* tag : {" registro ", "autoparco", ""}) {
        TfrmTrovaVisite s(h.app, &card, &card);
        s.ImpostaArchivio(rtl::Trim(card.lblFile.Text()));
        s.lblMemory.SetText(tag);
        s.Show();
        card.lblPosizione.SetText("");
        h.Click(s.btnCerca);
        h.DblClickItem(s.lstRecords, 0);
        EXPECT_FALSE(s.Visible());
        EXPECT_EQ(card.lblPosizione.Text(), std::string(tag) == " registro " ? "1" : "") << tag;
    }
}

TEST_F(SearchTest, FailuresAreReported) {
    // A search on a year that cannot be read keeps the criteria panel.
    card.lblFile.SetText(Path("cartella.vis"));
    rtl::CreateFolders(Path("cartella.vis"));
    Search([&](TfrmTrovaVisite& s) {
        s.txtVeicolo.SetText("fiat");
        h.ExpectShowMessage(gt::kAccesso);
        h.Click(s.btnCerca);
        h.Verify();
        EXPECT_TRUE(s.panAvvio.Visible());
        EXPECT_FALSE(s.panContainer.Visible());
        EXPECT_EQ(s.lblConta.Text(), "1");
    });
    // A card that cannot be read leaves the card and the search as they were.
    card.lblFile.SetText(Path("2024.vis"));
    Search([&](TfrmTrovaVisite& s) {
        h.Click(s.btnCerca);
        rtl::WriteWholeFile(Path("2024.vis"), "");
        h.ExpectShowMessage(gt::kAccesso);
        h.DblClickItem(s.lstRecords, 0);
        h.Verify();
        EXPECT_TRUE(s.Visible());
    });
    EXPECT_EQ(card.lblPosizione.Text(), "");
    EXPECT_EQ(card.txtDataEnt.Text(), "05/03/2024");
}
