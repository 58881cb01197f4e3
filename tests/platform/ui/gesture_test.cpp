// Double clicks, the real client size with docked controls, and the chart
// control, driven through the user entry points.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/ui/Ui.h"
#include "tests/support/Harness.h"

namespace {

constexpr const char* kLayout = R"(
form TfrmGesti caption=" Gesti" client=400x300 border=sizeable
label lblVoce bounds=10,10,100,20 text="Voce"
listbox lstVoci bounds=10,40,100,80
item lstVoci "Uno"
item lstVoci "Due"
panel panCentro bounds=0,0,200,100 dock=center
button cmdDentro parent=panCentro bounds=10,10,80,25 text="Dentro"
panel panTutto bounds=5,5,10,10 dock=client visible=no
label lblFondo bounds=20,250,100,20 text="Fondo"
)";

struct Gestures : ::testing::Test {
    ts::Harness h;
    ui::Form f{h.app};
    std::vector<std::string> log;
    void SetUp() override {
        ui::LoadLayout(f, kLayout, "gestures");
        f.Show();
    }
};

TEST_F(Gestures, SecondClickOfARealDoubleClickRunsOnlyTheDoubleClick) {
    auto& lbl = f.Get<ui::Label>("lblVoce");
    lbl.OnClick = [&] { log.push_back("click"); };
    lbl.OnDblClick = [&] { log.push_back("dbl"); };
    // What the backend sends for a real double click: the first press and
    // release as a click, the second press as the double click.
    ASSERT_TRUE(ui::input::Click(lbl));
    ASSERT_TRUE(ui::input::SecondClick(lbl));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "dbl"}));
    // The harness's whole gesture gives the same.
    log.clear();
    ASSERT_TRUE(ui::input::DoubleClick(lbl));
    EXPECT_EQ(log, (std::vector<std::string>{"click", "dbl"}));

    auto& list = f.Get<ui::ListBox>("lstVoci");
    list.OnClick = [&] { log.push_back("item " + std::to_string(list.ItemIndex())); };
    list.OnDblClick = [&] { log.push_back("dbl " + std::to_string(list.ItemIndex())); };
    log.clear();
    ASSERT_TRUE(ui::input::SelectItem(list, 1));
    ASSERT_TRUE(ui::input::SecondClickItem(list, 1));
    EXPECT_EQ(log, (std::vector<std::string>{"item 1", "dbl 1"}));
    // A second press on another item than the first (the list scrolled
    // meanwhile) selects and clicks it before the double click.
    log.clear();
    ASSERT_TRUE(ui::input::SecondClickItem(list, 0));
    EXPECT_EQ(log, (std::vector<std::string>{"item 0", "dbl 0"}));

    lbl.SetVisible(false);
    EXPECT_FALSE(ui::input::SecondClick(lbl));
    EXPECT_FALSE(ui::input::SecondClickItem(list, 5));
}

TEST_F(Gestures, HandlersSeeWhetherTheirKeyWasLetThrough) {
    auto& list = f.Get<ui::ListBox>("lstVoci");
    list.SetFocus();
    list.OnKeyDown = [](ui::KeyEvent& k) {
        if (k.key == ui::vk::Down) k.Swallow();
        if (k.key == ui::vk::Up) k.key = ui::vk::Down;
    };
    struct Case {
        std::uint16_t key;
        bool swallowed;
        std::uint16_t after;
    } cases[] = {
        {ui::vk::Down, true, 0}, {ui::vk::Up, false, ui::vk::Down}, {ui::vk::Left, false, ui::vk::Left}};
    for (const auto& c : cases) {
        ui::KeyEvent k{c.key, 0, ui::Mod::None};
        ASSERT_TRUE(ui::input::KeyDown(f, k));
        EXPECT_EQ(k.Swallowed(), c.swallowed) << c.key;
        EXPECT_EQ(k.key, c.after) << c.key;
    }
}

TEST(ListAndMemoKeys, ArrowsHomeEndAndPagesMoveTheSelectionOrTheCaret) {
    ts::Harness h;
    ui::Form f(h.app);
    // 100 lines of 20 pixels in a box of 200: a page is 9 lines.
    ui::LoadLayout(f, R"(form TfrmTasti client=400x300
listbox lstVoci bounds=10,10,100,200 itemheight=20
combo cboTipo bounds=120,10,100,22 readonly=yes
item cboTipo "Auto"
item cboTipo "Furgone"
memo memNote bounds=120,40,200,100
)");
    f.Show();
    auto& list = f.Get<ui::ListBox>("lstVoci");
    for (int i = 0; i < 100; ++i)
        list.AddItem("riga " + std::to_string(i));
    list.SetFocus();
    struct Case {
        std::uint16_t key;
        int from, to;
    } cases[] = {
        {ui::vk::Down, -1, 0},    {ui::vk::Up, -1, -1},       {ui::vk::Up, 0, 0},
        {ui::vk::Down, 99, 99},   {ui::vk::End, 3, 99},       {ui::vk::Home, 50, 0},
        {ui::vk::PageDown, 0, 9}, {ui::vk::PageDown, 95, 99}, {ui::vk::PageUp, 20, 11},
        {ui::vk::PageUp, 4, 0},   {ui::vk::PageDown, -1, 9},  {ui::vk::PageUp, -1, -1},
    };
    for (const auto& c : cases) {
        list.SetItemIndex(c.from);
        h.Press(f, c.key);
        EXPECT_EQ(list.ItemIndex(), c.to) << c.key << " from " << c.from;
    }

    auto& combo = f.Get<ui::ComboEdit>("cboTipo");
    combo.SetFocus();
    const struct {
        std::uint16_t key;
        int index;
        const char* text;
    } comboSteps[] = {{ui::vk::Up, -1, ""},
                      {ui::vk::Down, 0, "Auto"},
                      {ui::vk::Down, 1, "Furgone"},
                      {ui::vk::Down, 1, "Furgone"},
                      {ui::vk::Up, 0, "Auto"}};
    for (const auto& c : comboSteps) {
        h.Press(f, c.key);
        EXPECT_EQ(combo.ItemIndex(), c.index) << c.text;
        EXPECT_EQ(combo.Text(), c.text);
    }

    auto& memo = f.Get<ui::Memo>("memNote");
    memo.SetLines({"prima riga", "", "terza", "quarta riga lunga"});
    memo.SetFocus();
    // Offsets: "prima riga" 0-10, "" 11, "terza" 12-17, "quarta riga lunga" 18-35.
    const struct {
        int from;
        std::uint16_t key;
        int to;
    } memoSteps[] = {
        {7, ui::vk::Down, 11}, {11, ui::vk::Down, 12}, {16, ui::vk::Down, 22}, {30, ui::vk::Up, 17},
        {12, ui::vk::Up, 11},  {11, ui::vk::Up, 0},    {3, ui::vk::Up, 3},     {30, ui::vk::Down, 30},
    };
    for (const auto& c : memoSteps) {
        memo.SetCaretPosition(c.from);
        h.Press(f, c.key);
        EXPECT_EQ(memo.CaretPosition(), c.to) << c.key << " from " << c.from;
    }
    EXPECT_EQ(memo.Text(), "prima riga\n\nterza\nquarta riga lunga");
}

TEST_F(Gestures, RealClientSizeReachesTheFormAndItsDockedControls) {
    auto& centre = f.Get<ui::Panel>("panCentro");
    auto& all = f.Get<ui::Panel>("panTutto");
    auto& inside = f.Get<ui::Button>("cmdDentro");
    auto& bottom = f.Get<ui::Label>("lblFondo");
    // As designed: centred and filling in 400 x 300.
    EXPECT_EQ((std::vector<int>{centre.Left(), centre.Top(), centre.Width(), centre.Height()}),
              (std::vector<int>{100, 100, 200, 100}));
    EXPECT_EQ((std::vector<int>{all.Left(), all.Top(), all.Width(), all.Height()}),
              (std::vector<int>{0, 0, 400, 300}));

    std::vector<std::string> sizes;
    f.OnResize = [&] {
        sizes.push_back(std::to_string(f.ClientWidth()) + "x" + std::to_string(f.ClientHeight()));
    };
    ASSERT_TRUE(ui::input::Resize(f, 1000, 700));
    EXPECT_EQ(sizes, (std::vector<std::string>{"1000x700"}));
    EXPECT_EQ(centre.Left(), 400);
    EXPECT_EQ(centre.Top(), 300);
    EXPECT_EQ(all.Width(), 1000);
    EXPECT_EQ(all.Height(), 700);
    EXPECT_EQ(inside.Left(), 10); // children keep their place in their parent
    // A normal window keeps undocked controls at the corner.
    EXPECT_EQ(bottom.Left(), 20);
    EXPECT_EQ(bottom.Top(), 250);
    // Smaller than the centred panel: it never goes above or left of the corner.
    ASSERT_TRUE(ui::input::Resize(f, 150, 80));
    EXPECT_EQ(centre.Left(), 0);
    EXPECT_EQ(centre.Top(), 0);
    // No size to take: refused.
    EXPECT_FALSE(ui::input::Resize(f, 0, 80));
    EXPECT_EQ(f.ClientWidth(), 150);
}

TEST_F(Gestures, MaximisedWindowKeepsItsDesignAreaCentred) {
    f.SetWindowState(ui::WindowState::Maximized);
    auto& bottom = f.Get<ui::Label>("lblFondo");
    auto& centre = f.Get<ui::Panel>("panCentro");
    // Design 400 x 300 in a 1000 x 700 screen: the block moves by 300, 200.
    ASSERT_TRUE(ui::input::Resize(f, 1000, 700));
    EXPECT_EQ(bottom.Left(), 320);
    EXPECT_EQ(bottom.Top(), 450);
    EXPECT_EQ(centre.Left(), 400); // docked: centred by its own dock
    // Another real size moves it from the design place, never cumulatively.
    ASSERT_TRUE(ui::input::Resize(f, 600, 300));
    EXPECT_EQ(bottom.Left(), 120);
    EXPECT_EQ(bottom.Top(), 250);
    ASSERT_TRUE(ui::input::Resize(f, 1000, 700));
    EXPECT_EQ(bottom.Left(), 320);
    EXPECT_EQ(bottom.Top(), 450);
}

TEST(ChartControl, LayoutChartKeepsItsSeriesAndTellsTheBackendOfChanges) {
    struct Recorder : ui::Backend {
        std::vector<std::string> seen;
        void PropertyChanged(ui::Control& c, ui::Property) override { seen.push_back(c.Name()); }
        void RunModal(ui::Form&) override {}
        void EndModal(ui::Form&) override {}
        void Run(ui::Application&) override {}
        void Terminate() override {}
    } backend;
    ts::Harness h;
    ui::Form f(h.app);
    ui::LoadLayout(f, R"(form TfrmGrafico client=600x400
chart ChartStats bounds=10,10,500,300 series=Series1 kind=bar view3d=yes
  title="Statistiche mensili" titlefont=Verdana titlesize=20.0843 titlebold=yes titlecolor=#FFD04498
  foot="Piede" footsize=10.9277 legendpos=bottom legendtitle="Numero transiti veicoli:"
)");
    auto& view = f.Get<ui::ChartView>("ChartStats");
    EXPECT_EQ(view.Kind(), ui::ControlKind::Chart);
    EXPECT_STREQ(ui::KindName(view.Kind()), "chart");
    chart::Chart& c = view.Chart();
    EXPECT_EQ(c.SeriesName(), "Series1");
    EXPECT_EQ(c.Title().text, "Statistiche mensili");
    EXPECT_EQ(c.Title().font.family, "Verdana");
    EXPECT_NEAR(c.Title().font.size, 20.0843, 1e-9);
    EXPECT_TRUE(c.Title().font.bold);
    EXPECT_EQ(c.Title().font.color, 0xFFD04498u);
    EXPECT_EQ(c.Foot().text, "Piede");
    EXPECT_EQ(c.GetLegend().position, chart::LegendPosition::Bottom);
    EXPECT_EQ(c.GetLegend().title, "Numero transiti veicoli:");

    h.app.SetBackend(&backend);
    c.Add(3, "Gennaio", 0xFF0000FF);
    c.Add(5, "Febbraio", 0xFFFF0000);
    c.SetKind(chart::SeriesKind::Pie);
    h.app.SetBackend(nullptr);
    EXPECT_EQ(backend.seen, (std::vector<std::string>(3, "ChartStats")));
    ASSERT_EQ(c.Points().size(), 2u);
    EXPECT_EQ(c.Points()[1], (chart::Point{5, "Febbraio", 0xFFFF0000}));

    ui::Form bad(h.app);
    EXPECT_THROW(ui::LoadLayout(bad, "form TfrmX client=10x10\nchart c kind=torta\n"), ui::LayoutError);
    EXPECT_THROW(ui::LoadLayout(bad, "form TfrmY client=10x10\nchart d titlewidth=3\n"), ui::LayoutError);
}

} // namespace
