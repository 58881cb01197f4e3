#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>
#include <vector>

#include "common/Reports.h"
#include "platform/rtl/Clock.h"
#include "tests/support/Harness.h"
#include "tests/support/Outputs.h"

using namespace common;

namespace {
struct ClockAt {
    explicit ClockAt(rtl::DateTime t) { rtl::SetClock(t); }
    ~ClockAt() { rtl::ResetClock(); }
};
std::vector<std::string> TextsOf(const report::Document& doc, const std::string& object,
                                 std::vector<int>* pages = nullptr) {
    std::vector<std::string> out;
    for (std::size_t p = 0; p < doc.pages.size(); ++p)
        for (const auto& item : doc.pages[p].items)
            if (const auto* t = std::get_if<report::TextItem>(&item); t && t->object == object) {
                out.push_back(t->text);
                if (pages) pages->push_back(int(p));
            }
    return out;
}
} // namespace

TEST(ListReport, EveryLineOnceInOrderAcrossLandscapePagesWithDatedFooter) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 100; ++i)
        lines.push_back("Riga " + std::to_string(i) + "   col  ");
    const std::vector<std::string> extra = {"", "Totale: 12,50"};

    report::Report rep = RiepilogoDati();
    RiempiRiepilogo(rep, "Riepilogo schede veicoli in archivio", lines, extra);
    EXPECT_NEAR(rep.GetMemo("txtRiepilogo").Height(), report::Px(102 * 12.822), 1e-9);
    EXPECT_NEAR(rep.GetBand("MasterData").height, report::Px(102 * 12.822 + 10), 1e-9);

    const report::Document& doc = rep.Prepare();
    EXPECT_EQ(doc.name, "Riepilogo dati");
    ASSERT_GE(doc.pages.size(), 2u);
    for (const auto& page : doc.pages) {
        EXPECT_EQ(page.orientation, report::Orientation::Landscape);
        EXPECT_GT(page.width, page.height);
    }
    std::vector<std::string> expected = lines;
    expected.insert(expected.end(), extra.begin(), extra.end());
    EXPECT_EQ(TextsOf(doc, "txtRiepilogo"), expected); // trailing blanks kept
    EXPECT_EQ(TextsOf(doc, "txtTitolo"), std::vector<std::string>{"Riepilogo schede veicoli in archivio"});
    std::vector<int> footerPages;
    // The engine puts the date of printing in place of [DATE].
    const auto footer = TextsOf(doc, "txtPagina", &footerPages);
    ASSERT_EQ(footer.size(), 1u);
    const std::string prefix = "Stampa eseguita in data ";
    ASSERT_EQ(footer[0].substr(0, prefix.size()), prefix);
    EXPECT_TRUE(rtl::IsValidDate(footer[0].substr(prefix.size())));
    EXPECT_EQ(footer[0].size(), prefix.size() + 10);
    EXPECT_EQ(footerPages, std::vector<int>{int(doc.pages.size()) - 1});

    // Filling again replaces the lines.
    RiempiRiepilogo(rep, "Vuoto", {});
    EXPECT_TRUE(TextsOf(rep.Prepare(), "txtRiepilogo").empty());
    EXPECT_NEAR(rep.GetBand("MasterData").height, report::Px(10), 1e-9);
    EXPECT_EQ(TextsOf(rep.Prepared(), "txtPagina").size(), 1u);
}

// The footer is the data's footer: it comes right after the last line, not
// at the foot of the page.
TEST(ListReport, FooterFollowsTheLastLine) {
    report::Report rep = RiepilogoDati();
    RiempiRiepilogo(rep, "Titolo", std::vector<std::string>{"uno", "due", "tre"});
    const report::Document& doc = rep.Prepare();
    ASSERT_EQ(doc.pages.size(), 1u);
    double lastLine = 0, footer = 0;
    for (const auto& item : doc.pages[0].items)
        if (const auto* t = std::get_if<report::TextItem>(&item)) {
            if (t->object == "txtRiepilogo") lastLine = std::max(lastLine, t->box.Bottom());
            if (t->object == "txtPagina") footer = t->box.y;
        }
    ASSERT_GT(lastLine, 0);
    EXPECT_GT(footer, lastLine);
    EXPECT_LT(footer - lastLine, 10.0) << "millimetres between the last line and the footer";
}

TEST(ListReport, PrintGoesThroughThePrintDialog) {
    ts::Harness h; // installs the headless output
    auto& out = ts::GetHeadlessOutput();
    out.printed.clear();
    report::Report rep = RiepilogoDati();
    const std::vector<std::string> lines = {"uno", "due"};
    out.confirm = false;
    EXPECT_FALSE(StampaRiepilogo(rep, "Titolo", lines));
    EXPECT_TRUE(out.printed.empty());
    out.confirm = true;
    EXPECT_TRUE(StampaRiepilogo(rep, "Titolo", lines));
    ASSERT_EQ(out.printed.size(), 1u);
    EXPECT_EQ(TextsOf(out.printed[0], "txtRiepilogo"), lines);
    EXPECT_TRUE(out.previewed.empty());
}

TEST(DocumentReport, FooterTextFromTheClock) {
    ClockAt clock({*rtl::Date::FromYmd(2025, 12, 31), {9, 5, 59}});
    EXPECT_EQ(PiePaginaStampa(), "Stampa eseguita in data 31/12/2025 alle ore 09:05");
}
