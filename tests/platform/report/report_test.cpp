#include "platform/report/Report.h"

#include "platform/image/Image.h"
#include "platform/rtl/Clock.h"
#include "platform/rtl/Resources.h"
#include "tests/support/Bounded.h"
#include "tests/support/Drawing.h"
#include "tests/support/Outputs.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>

using report::Px;

namespace {

// A list report: landscape, title, one splitting block of lines, dated footer.
const char* const listTemplate = R"(# list of lines
report name="Riepilogo dati"
page size=A4 orientation=landscape margins=10
band ReportTitle kind=title height=30.2362px
memo txtTitolo 7.55906px 3.77953px 1031.81px 18.8976px font=Verdana size=12px bold color=white fill=slategray halign=center text=Riepilogo
band MasterData kind=data height=105.827px split
memo txtRiepilogo 11.3386px 0 1031.81px 102.047px font="Courier New" size=8pt
band Footer kind=footer height=30.2362px
memo txtPagina 11.3386px 7.55906px 1028.03px 18.8976px font=Verdana size=10.6667px bold color=white fill=#FF708090 halign=center text="Stampa eseguita in data [DATE]"
)";

// A card printed twice on one sheet, with a cut line between the copies.
const char* const twoCopyTemplate = R"(report name="Entrata Uscita Veicolo"
page size=A4 orientation=portrait margins=10
repeat dy=108 labels=_A,_B
  rect - 1 1 188 5.8 fill=lightsteelblue frame=none
  memo - 1 1 188 5.8 size=9pt halign=center valign=center text="SCHEDA RIEPILOGATIVA INGRESSO E USCITA VEICOLO"
  memo - 2 7.5 37.8 3.5 size=7pt text="Targa:"
  memo txtTarga 44 7.5 144 3.5 size=7pt
  memo txtNote 44 12.5 144 3.5 size=7pt
end
line - 0 102 190 0 arrows=both
rect - 1 270 188 5.8 fill=gold
memo txtCalce 2 270.8 186 4.2 size=8pt halign=center text="Data e ora stampa"
picture imgLogo 0 120 100 100 frame=black
)";

std::vector<const report::TextItem*> Texts(const report::Page& page, const std::string& object) {
    std::vector<const report::TextItem*> out;
    for (const auto& item : page.items)
        if (auto* t = std::get_if<report::TextItem>(&item); t && t->object == object) out.push_back(t);
    return out;
}

const report::TextItem& OnlyText(const report::Document& doc, const std::string& object) {
    const report::TextItem* found = nullptr;
    int count = 0;
    for (const auto& page : doc.pages)
        for (auto* t : Texts(page, object))
            found = t, ++count;
    EXPECT_EQ(count, 1) << object;
    if (!found) throw std::runtime_error("no text for " + object);
    return *found;
}

std::vector<std::string> ListLines(int n) {
    std::vector<std::string> lines;
    for (int i = 1; i <= n; ++i) {
        char buf[64];
        std::snprintf(buf, sizeof buf, "%05d  FIAT PANDA          AB%03dCD   ", i, i % 1000);
        lines.push_back(buf);
    }
    return lines;
}

report::Report FilledList(const std::vector<std::string>& lines) {
    report::Report r = report::Report::FromText(listTemplate, "list");
    r.GetMemo("txtTitolo").SetText("[ditta] Riepilogo schede");
    auto& memo = r.GetMemo("txtRiepilogo");
    memo.ClearLines();
    for (const auto& l : lines)
        memo.AddLine(l);
    memo.SetHeight(Px(double(lines.size()) * 12.822));
    r.GetBand("MasterData").SetHeight(memo.Height() + Px(10));
    return r;
}

} // namespace

TEST(Report, ListLinesRunOverPagesEachOnceInOrderWithTheFooterAfterThem) {
    struct ClockGuard {
        ~ClockGuard() { rtl::ResetClock(); }
    } guard;
    rtl::SetClock({*rtl::Date::FromYmd(2026, 3, 5), {14, 5, 9}});
    const auto lines = ListLines(300);
    report::Report r = FilledList(lines);
    const report::Document& doc = r.Prepare();
    EXPECT_EQ(doc.name, "Riepilogo dati");
    ASSERT_GT(doc.pages.size(), 3u);

    std::vector<std::string> printed;
    for (const auto& page : doc.pages) {
        EXPECT_EQ(page.orientation, report::Orientation::Landscape);
        EXPECT_DOUBLE_EQ(page.width, 297);
        EXPECT_DOUBLE_EQ(page.height, 210);
        double lastY = -1;
        for (auto* t : Texts(page, "txtRiepilogo")) {
            printed.push_back(t->text);
            EXPECT_GT(t->box.y, lastY);
            EXPECT_GE(t->box.y, 10 - 1e-9);
            EXPECT_LE(t->box.Bottom(), 200 + 1e-9); // never into the bottom margin
            EXPECT_GE(t->box.y, t->clip.y - 1e-9);  // whole line inside its clip box
            EXPECT_LE(t->box.Bottom(), t->clip.Bottom() + 1e-6);
            lastY = t->box.y;
        }
        EXPECT_FALSE(Texts(page, "txtRiepilogo").empty());
    }
    EXPECT_EQ(printed, lines); // trailing blanks kept, nothing lost, nothing twice

    // Title once, on the first page, printed literally.
    EXPECT_EQ(OnlyText(doc, "txtTitolo").text, "[ditta] Riepilogo schede");
    EXPECT_EQ(Texts(doc.pages[0], "txtTitolo").size(), 1u);
    // Footer once, on the last page, below the last line.
    const auto& last = doc.pages.back();
    ASSERT_EQ(Texts(last, "txtPagina").size(), 1u);
    EXPECT_GT(Texts(last, "txtPagina")[0]->box.y, Texts(last, "txtRiepilogo").back()->box.Bottom());
    EXPECT_EQ(OnlyText(doc, "txtPagina").text, "Stampa eseguita in data 05/03/2026");

    // Preparing again starts from nothing.
    std::vector<std::size_t> sizes;
    for (const auto& p : doc.pages)
        sizes.push_back(p.items.size());
    const report::Document& again = r.Prepare();
    ASSERT_EQ(again.pages.size(), sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i)
        EXPECT_EQ(again.pages[i].items.size(), sizes[i]);

    // The date is the one of the moment of preparing.
    rtl::SetClock({*rtl::Date::FromYmd(2027, 1, 31), {8, 0, 0}});
    EXPECT_EQ(OnlyText(r.Prepare(), "txtPagina").text, "Stampa eseguita in data 31/01/2027");
}

TEST(Report, LineBreaksOfATextMakeItsLines) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {}},
        {"uno", {"uno"}},
        {"uno\r\ndue", {"uno", "due"}},
        {"uno\ndue\n", {"uno", "due"}},
        {"uno\rdue", {"uno", "due"}},
        {"uno\n\ndue", {"uno", "", "due"}},
        {"\n", {""}},
        {"  spazi  ", {"  spazi  "}},
    };
    report::Memo m;
    for (const auto& c : cases) {
        m.SetText(c.text);
        EXPECT_EQ(m.Lines(), c.lines) << c.text;
    }
}

TEST(Report, EmptyListPrintsTitleAndFooterOnOnePage) {
    report::Report r = FilledList({});
    const report::Document& doc = r.Prepare();
    ASSERT_EQ(doc.pages.size(), 1u);
    EXPECT_TRUE(Texts(doc.pages[0], "txtRiepilogo").empty());
    // The footer follows a data band 10 px tall.
    EXPECT_NEAR(OnlyText(doc, "txtPagina").clip.y, 10 + Px(30.2362) + Px(10) + Px(7.55906), 1e-9);
}

TEST(Report, TwoCopiesOnOneSheetAndLiteralTexts) {
    report::Report r = report::Report::FromText(twoCopyTemplate, "card");
    for (const char* copy : {"_A", "_B"}) {
        r.GetMemo(std::string("txtTarga") + copy).SetText("AB123CD");
        r.GetMemo(std::string("txtNote") + copy).SetText("vedi [DATE] e [ditta]");
    }
    r.GetMemo("txtCalce").SetText("Stampa eseguita in data [DATE]");
    img::Bitmap wide = ts::Filled(200, 100, 0xFF336699);
    r.Picture("imgLogo").SetPicture(wide);

    const report::Document& doc = r.Prepare();
    ASSERT_EQ(doc.pages.size(), 1u);
    const report::Page& page = doc.pages[0];
    EXPECT_EQ(page.orientation, report::Orientation::Portrait);
    EXPECT_DOUBLE_EQ(page.width, 210);
    EXPECT_DOUBLE_EQ(page.height, 297);

    const auto& a = OnlyText(doc, "txtTarga_A");
    const auto& b = OnlyText(doc, "txtTarga_B");
    EXPECT_EQ(a.text, "AB123CD");
    EXPECT_EQ(b.text, "AB123CD");
    EXPECT_DOUBLE_EQ(a.clip.x, 10 + 44);
    EXPECT_DOUBLE_EQ(a.clip.y, 10 + 7.5);
    EXPECT_DOUBLE_EQ(b.clip.y, 10 + 7.5 + 108);
    EXPECT_DOUBLE_EQ(a.clip.width, 144);
    // Code's texts are never expanded.
    EXPECT_EQ(OnlyText(doc, "txtNote_B").text, "vedi [DATE] e [ditta]");
    EXPECT_EQ(OnlyText(doc, "txtCalce").text, "Stampa eseguita in data [DATE]");
    // Anonymous objects are repeated too.
    int titles = 0, arrows = 0;
    for (const auto& item : page.items) {
        if (auto* t = std::get_if<report::TextItem>(&item))
            titles += t->text == "SCHEDA RIEPILOGATIVA INGRESSO E USCITA VEICOLO";
        if (auto* l = std::get_if<report::LineItem>(&item)) arrows += l->arrowStart && l->arrowEnd;
    }
    EXPECT_EQ(titles, 2);
    EXPECT_EQ(arrows, 1);
    // The picture is fitted and centred in its box.
    const report::PictureItem* pic = nullptr;
    for (const auto& item : page.items)
        if (auto* p = std::get_if<report::PictureItem>(&item)) pic = p;
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->box, (report::Box{10, 10 + 120 + 25, 100, 50}));
    EXPECT_EQ(*pic->bitmap, wide);

    r.SetOrientation(report::Orientation::Landscape);
    const report::Document& land = r.Prepare();
    ASSERT_EQ(land.pages.size(), 1u);
    EXPECT_DOUBLE_EQ(land.pages[0].width, 297);
    EXPECT_DOUBLE_EQ(land.pages[0].height, 210);
}

TEST(Report, MissingObjectsAreNamedInTheError) {
    report::Report r = report::Report::FromText(twoCopyTemplate, "card");
    const struct {
        const char* name;
        std::function<void()> lookup;
    } cases[] = {
        {"txtNope", [&] { r.GetMemo("txtNope"); }},
        {"txtTarga", [&] { r.GetMemo("txtTarga"); }}, // only the copies exist
        {"MasterData", [&] { r.GetBand("MasterData"); }},
        {"txtTarga_A", [&] { r.Picture("txtTarga_A"); }}, // a memo, not a picture
        {"imgLogo", [&] { r.GetMemo("imgLogo"); }},
    };
    for (const auto& c : cases) {
        try {
            c.lookup();
            ADD_FAILURE() << "no error for " << c.name;
        } catch (const report::Error& e) {
            EXPECT_NE(std::string(e.what()).find(std::string("'") + c.name + "'"), std::string::npos)
                << e.what();
        }
    }
    EXPECT_TRUE(r.Has("txtTarga_B"));
    EXPECT_FALSE(r.Has("txtTarga"));
}

TEST(Report, BadTemplatesNameTheirLine) {
    const struct {
        const char* text;
        int line;
    } cases[] = {
        {"report name=x\nfrobnicate 1 2\n", 2},
        {"memo a 1 2 3\n", 1},                          // no height
        {"memo a 1 2 x 4\n", 1},                        // bad number
        {"\nmemo a 1 2 3 4\nmemo a 1 2 3 4\n", 3},      // duplicate name
        {"repeat dy=5 labels=_A\nmemo a 1 2 3 4\n", 1}, // no end
        {"end\n", 1},
        {"memo a 1 2 3 4 colour=red\n", 1}, // unknown attribute
        {"memo a 1 2 3 4 color=reddish\n", 1},
        {"memo a 1 2 3 4 text=\"open\n", 1},
        {"band B kind=middle height=3\n", 1},
        {"page size=A3\n", 1},
        {"repeat dy=5 labels=_A\nband B kind=data height=1\nend\n", 2},
        {"# fine\nrepeat dy=5 labels=_A,_B\nmemo a 1 2 3 4\nend\nmemo a_B 0 0 1 1\n", 5},
    };
    for (const auto& c : cases) {
        try {
            report::Report::FromText(c.text, "bad.report");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const report::Error& e) {
            EXPECT_NE(std::string(e.what()).find("bad.report, line " + std::to_string(c.line) + ":"),
                      std::string::npos)
                << e.what();
        }
    }
    EXPECT_THROW(report::Report::FromResource("no/such.report"), report::Error);
}

TEST(Report, PageHeaderAndPageFooterOnEveryPage) {
    report::Report r = report::Report::FromText(R"(page size=A4 margins=10
band Head kind=header height=10
memo txtHead 0 0 190 10 text=Intestazione
band Body kind=data height=10 split
memo txtBody 0 0 190 10 size=10pt
band Foot kind=pagefooter height=12
memo txtFoot 0 2 190 8 text="Pie' di pagina"
)");
    auto lines = ListLines(150);
    auto& body = r.GetMemo("txtBody");
    body.SetLines(lines);
    body.SetHeight(double(lines.size()) * report::LineHeight(body.font));
    r.GetBand("Body").SetHeight(body.Height());
    const report::Document& doc = r.Prepare();
    ASSERT_GT(doc.pages.size(), 1u);
    std::vector<std::string> printed;
    for (const auto& page : doc.pages) {
        ASSERT_EQ(Texts(page, "txtHead").size(), 1u);
        ASSERT_EQ(Texts(page, "txtFoot").size(), 1u);
        EXPECT_DOUBLE_EQ(Texts(page, "txtFoot")[0]->clip.y, 297 - 10 - 12 + 2);
        for (auto* t : Texts(page, "txtBody")) {
            EXPECT_GE(t->box.y, 20 - 1e-9);
            EXPECT_LE(t->box.Bottom(), 297 - 10 - 12 + 1e-9);
            printed.push_back(t->text);
        }
    }
    EXPECT_EQ(printed, lines);
}

TEST(Report, WordWrapOnlyWhereAsked) {
    report::Report r = report::Report::FromText(R"(memo wrapped 0 0 25 40 font="Courier New" size=10pt wrap
memo plain 0 50 25 5 font="Courier New" size=10pt
)");
    // 25 mm hold eleven Courier characters of 10 points.
    r.GetMemo("wrapped").SetText("uno due tre quattro cinque");
    r.GetMemo("plain").SetText("uno due tre quattro cinque");
    const report::Document& doc = r.Prepare();
    std::vector<std::string> wrapped;
    for (auto* t : Texts(doc.pages[0], "wrapped"))
        wrapped.push_back(t->text);
    EXPECT_EQ(wrapped, (std::vector<std::string>{"uno due tre", "quattro", "cinque"}));
    EXPECT_EQ(OnlyText(doc, "plain").text, "uno due tre quattro cinque");
    EXPECT_DOUBLE_EQ(OnlyText(doc, "plain").clip.width, 25);
}

TEST(Report, PrintAndPreviewGoToTheInstalledOutput) {
    ts::HeadlessOutput out;
    report::SetOutput(&out);
    report::Report r = FilledList(ListLines(3));
    out.confirm = false;
    EXPECT_FALSE(r.Print());
    EXPECT_TRUE(out.printed.empty());
    out.confirm = true;
    r.GetMemo("txtTitolo").SetText("Secondo titolo");
    EXPECT_TRUE(r.Print());
    ASSERT_EQ(out.printed.size(), 1u);
    EXPECT_EQ(OnlyText(out.printed[0], "txtTitolo").text, "Secondo titolo"); // prepared anew
    r.Preview();
    EXPECT_EQ(out.previewed.size(), 1u);
    report::SetOutput(nullptr);
}

// Without an installed output nothing "prints" into memory with success:
// the print and the preview fail, saying why.
TEST(Report, WithoutAnOutputPrintAndPreviewFailLoudly) {
    const report::Output* earlier = report::SetOutput(nullptr);
    report::Report r = FilledList(ListLines(1));
    for (const auto& run :
         {std::function<void()>([&] { r.Print(); }), std::function<void()>([&] { r.Preview(); })}) {
        try {
            run();
            ADD_FAILURE() << "no failure";
        } catch (const std::logic_error& e) {
            EXPECT_STREQ(e.what(), "report: no output installed to print or preview into");
        }
    }
    EXPECT_EQ(earlier, nullptr);
}

TEST(Report, BandHeightsBeyondReasonDoNotRunAway) {
    const double heights[] = {1e9, std::numeric_limits<double>::quiet_NaN(), -5,
                              std::numeric_limits<double>::infinity()};
    for (double h : heights) {
        report::Report r = FilledList(ListLines(3));
        r.GetBand("MasterData").SetHeight(h);
        const report::Document& doc = r.Prepare();
        EXPECT_LE(doc.pages.size(), 2u) << h;
        std::vector<std::string> printed;
        for (const auto& page : doc.pages)
            for (auto* t : Texts(page, "txtRiepilogo"))
                printed.push_back(t->text);
        EXPECT_EQ(printed, ListLines(3)) << h;
        EXPECT_EQ(Texts(doc.pages.back(), "txtPagina").size(), 1u) << h;
    }
}

TEST(Report, APageWithoutRoomForItsBandsIsRefusedWhenLoaded) {
    const struct {
        const char* text;
        int line;
        const char* why;
    } refused[] = {
        {"report name=x\npage size=A4 margins=150\nband D kind=data height=10\n", 2, "no room on the page"},
        {"page size=A4 orientation=landscape margins=10,110,10,100\nband D kind=data height=5\n", 1,
         "no room on the page"},
        {"page margins=110,10,100,10\n", 1, "no room on the page"},
        {"page size=A4 margins=10\nband H kind=header height=200\nband F kind=pagefooter height=77\n"
         "band D kind=data height=5 split\n",
         4, "no room for band D"},
        {"page size=A4 margins=10\nband H kind=header height=270\nband T kind=footer height=1\n"
         "band P kind=pagefooter height=10\n",
         3, "no room for band T"},
    };
    for (const auto& c : refused) {
        try {
            report::Report::FromText(c.text, "stretta.report");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const report::Error& e) {
            const std::string what = e.what();
            EXPECT_NE(what.find("stretta.report, line " + std::to_string(c.line) + ":"), std::string::npos)
                << what;
            EXPECT_NE(what.find(c.why), std::string::npos) << what;
        }
    }
    // Headers and footers that leave a little room are taken.
    EXPECT_NO_THROW(
        report::Report::FromText("page size=A4 margins=10\nband H kind=header height=200\n"
                                 "band F kind=pagefooter height=70\nband D kind=data height=5\n"));
}

// A page that code leaves without room (margins set after loading) still
// ends: the band's objects go on one page, and nothing runs on and on.
TEST(Report, APageLeftWithoutRoomByCodeStillEnds) {
    report::Report r = report::Report::FromText(R"(page size=A4 margins=10
band Body kind=data height=20 split
memo txtBody 0 0 190 60 size=10pt
)");
    r.GetMemo("txtBody").SetLines(ListLines(5));
    r.marginTop = 150;
    r.marginBottom = 150;
    ts::Bounded([&] {
        const report::Document& doc = r.Prepare();
        EXPECT_LE(doc.pages.size(), 2u);
        std::size_t printed = 0;
        for (const auto& page : doc.pages)
            printed += Texts(page, "txtBody").size();
        EXPECT_EQ(printed, 5u);
    });
}

TEST(Report, EveryEmbeddedTemplateLoads) {
    std::vector<std::string> loaded;
    for (const std::string& name : res::Names()) {
        if (!name.ends_with(".report")) continue;
        EXPECT_NO_THROW(report::Report::FromResource(name)) << name;
        loaded.push_back(name);
    }
    for (const char* expected : {"vehicles/SchedaVeicolo.report", "planner/PlanningAnnuale.report",
                                 "common/RiepilogoDati.report", "gate/StampaVisita.report"})
        EXPECT_NE(std::find(loaded.begin(), loaded.end(), expected), loaded.end()) << expected;
}
