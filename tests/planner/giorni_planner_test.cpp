// The planner calendar table and the day cells of the planner window.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "common/GiorniPlanner.h"
#include "planner/Planning.h"
#include "tests/support/Harness.h"

namespace {

using planner::Giorni;

TEST(GiorniPlanner, TableRunsInCalendarOrderWith29FebruaryAlways) {
    const auto& g = Giorni();
    ASSERT_EQ(g.size(), 366u);
    for (int i = 0; i < 366; ++i)
        EXPECT_EQ(g[i].index, i);
    struct Case {
        int index, month, day;
    };
    for (const Case c :
         {Case{0, 1, 1}, Case{30, 1, 31}, Case{31, 2, 1}, Case{59, 2, 29}, Case{60, 3, 1}, Case{90, 3, 31},
          Case{91, 4, 1}, Case{121, 5, 1}, Case{152, 6, 1}, Case{182, 7, 1}, Case{213, 8, 1}, Case{244, 9, 1},
          Case{274, 10, 1}, Case{305, 11, 1}, Case{335, 12, 1}, Case{365, 12, 31}}) {
        EXPECT_EQ(g[c.index].month, c.month) << c.index;
        EXPECT_EQ(g[c.index].day, c.day) << c.index;
        EXPECT_EQ(planner::IndiceGiorno(c.month, c.day), c.index);
    }
    EXPECT_EQ(planner::IndiceGiorno(2, 30), std::nullopt);
    EXPECT_EQ(planner::IndiceGiorno(4, 31), std::nullopt);
    EXPECT_EQ(planner::IndiceGiorno(13, 1), std::nullopt);
    EXPECT_EQ(planner::IndiceGiorno(1, 0), std::nullopt);
}

TEST(GiorniPlanner, MonthTagsAndNames) {
    const char* tags[] = {"Gen", "Feb", "Mar", "Apr", "Mag", "Giu", "Lug", "Ago", "Set", "Ott", "Nov", "Dic"};
    const char* names[] = {"gennaio", "febbraio", "marzo",     "aprile",  "maggio",   "giugno",
                           "luglio",  "agosto",   "settembre", "ottobre", "novembre", "dicembre"};
    const int lengths[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int m = 1; m <= 12; ++m) {
        EXPECT_EQ(planner::TagMese(m), tags[m - 1]);
        EXPECT_EQ(planner::NomeMese(m), names[m - 1]);
        EXPECT_EQ(planner::GiorniMese(m), lengths[m - 1]);
    }
    EXPECT_EQ(planner::TagMese(0), "");
    EXPECT_EQ(planner::NomeMese(13), "");
}

TEST(GiorniPlanner, KeysAndCellNames) {
    const auto& g = Giorni();
    EXPECT_EQ(planner::ChiaveGiorno(g[0]), "gen_01");
    EXPECT_EQ(planner::ChiaveGiorno(g[59]), "feb_29");
    EXPECT_EQ(planner::ChiaveGiorno(g[365]), "dic_31");
    EXPECT_EQ(planner::NomeCella("lib", g[0]), "libGen_01");
    EXPECT_EQ(planner::NomeCella("occ", g[59]), "occFeb_29");
    EXPECT_EQ(planner::NomeCella("mem", g[365]), "memDic_31");
    std::set<std::string> keys;
    for (const auto& d : g) {
        const std::string k = planner::ChiaveGiorno(d);
        keys.insert(k);
        EXPECT_EQ(planner::IndiceChiave(k), d.index) << k;
    }
    EXPECT_EQ(keys.size(), 366u);
    // Exact and case-sensitive: no trimming, no other spelling.
    for (const char* bad : {"", "Gen_01", "GEN_01", " gen_01", "gen_01 ", "gen_1", "feb_30", "gen_32", "xyz"})
        EXPECT_EQ(planner::IndiceChiave(bad), std::nullopt) << bad;
}

TEST(PlanningCells, LayoutOfTheCellsAsCreated) {
    ts::Harness h;
    TfrmPlanning f(h.app);
    for (const auto& g : Giorni()) {
        auto c = f.Cella(g.index);
        EXPECT_EQ(c.lib.Name(), planner::NomeCella("lib", g));
        EXPECT_EQ(&f.Get<ui::Picture>(planner::NomeCella("occ", g)), &c.occ);
        EXPECT_EQ(&f.Get<ui::Label>(planner::NomeCella("mem", g)), &c.mem);
        EXPECT_EQ(c.mem.Parent(), &f.panMemGiorni);
        for (ui::Picture* p : {&c.lib, &c.occ}) {
            EXPECT_EQ(p->Left(), 166 + 26 * (g.day - 1));
            EXPECT_EQ(p->Top(), 152 + 40 * (g.month - 1));
            EXPECT_EQ(p->Width(), 24);
            EXPECT_EQ(p->Height(), 33);
            EXPECT_EQ(p->GetCursor(), ui::Cursor::Hand);
            EXPECT_NE(p->Bitmap(), nullptr);
        }
        EXPECT_TRUE(c.lib.Visible());
        EXPECT_FALSE(c.occ.Visible());
        EXPECT_EQ(c.mem.Text(), "");
    }
    EXPECT_FALSE(f.panMemGiorni.Visible());
    EXPECT_EQ(f.Cella(59).lib.Left(), 894);
    EXPECT_EQ(f.Cella(59).lib.Top(), 192);
    EXPECT_EQ(f.Cella(365).occ.Left(), 946);
    EXPECT_EQ(f.Cella(365).occ.Top(), 592);
    EXPECT_THROW(f.Cella(366), std::out_of_range);
    EXPECT_THROW(f.Cella(-1), std::out_of_range);
}

TEST(PlanningCells, CreatingTheWindowTouchesNoFileAndNoOtherWindow) {
    ts::Harness h;
    TfrmPlanning f(h.app);
    EXPECT_TRUE(std::filesystem::is_empty(h.DataFolder()));
    EXPECT_FALSE(f.Visible());
    EXPECT_EQ(h.ModalCount(), 0);
}

TEST(PlanningCells, ScriviGiornoSetsTheThreePartsTogether) {
    ts::Harness h;
    TfrmPlanning f(h.app);
    f.ScriviGiorno(59, "Rossi");
    auto c = f.Cella(59);
    EXPECT_FALSE(c.lib.Visible());
    EXPECT_TRUE(c.occ.Visible());
    EXPECT_EQ(c.mem.Text(), "Rossi");
    EXPECT_TRUE(f.Cella(58).lib.Visible());
    EXPECT_TRUE(f.Cella(60).lib.Visible());
    f.ScriviGiorno(59, "");
    EXPECT_TRUE(c.lib.Visible());
    EXPECT_FALSE(c.occ.Visible());
    EXPECT_EQ(c.mem.Text(), "");
    // Blanks alone book nothing: the cell stays free.
    f.ScriviGiorno(0, "   ");
    EXPECT_TRUE(f.Cella(0).lib.Visible());
    EXPECT_FALSE(f.Cella(0).occ.Visible());
}

} // namespace
