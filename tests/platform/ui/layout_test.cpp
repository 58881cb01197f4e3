// Layout files, control lookup, list boxes and the edit's style element.
#include <gtest/gtest.h>

#include <string>

#include "tests/platform/ui/TestForm.h"
#include "tests/support/Harness.h"

namespace {

constexpr const char* kFullLayout = R"(
form TfrmCompleta caption=" Importazione data" client=253x294 border=single closebox=no
     position=ownercenter fill=gradient:#FFFFFFFF:#FF4682B4 font=Verdana size=12
panel panContainer bounds=0,0,253,250 fill=#FFD6DCE1 dock=center
groupbox grpData parent=panContainer bounds=5,5,240,60 text=" Data inizio intervallo: "
combo txtGiornoInizio parent=grpData bounds=10,20,72,24 font=Verdana size=12 bold=yes itemindex=-1
item txtGiornoInizio "01"
item txtGiornoInizio "02"
label lblCampo001 parent=panContainer bounds=10,70,200,20 text="Importare una data:\tdue\\uno \"citato\"" visible=no
edit txtTarga bounds=10,100,100,22 maxlength=10 readonly=yes hint="Targa" fontcolor=#FF000080 taborder=3
button btnImporta bounds=10,130,80,25 text="Importa" enabled=no modalresult=ok cursor=hand
rectangle effTarga bounds=6,96,108,30 fill=#FFFFFF00 stroke=gradient:#FFFFFF00:#FFFFFFFF hittest=no visible=no
listbox lstRecords bounds=10,160,200,80 itemwidth=1600 itemfont="Courier New" itemsize=12
checkbox chkFerie bounds=220,100,30,20 text="Ferie" checked=yes
calendar calAppuntamenti bounds=10,10,182,164 visible=no
memo txtGuida bounds=0,0,10,10 readonly=yes wordwrap=yes visible=no
item txtGuida "Prima riga"
item txtGuida "Seconda riga"
grid grdRecords bounds=0,0,10,10 rows=10 rowheight=21 alternating=yes visible=no
column grdRecords colNum "N." width=40 readonly=yes
column grdRecords colTarga "Targa" width=120
picture imgLogo bounds=0,0,328,160 wrap=stretch visible=no
timer tmrSlide interval=3000 enabled=no
)";

TEST(Layout, LoadsTheFormAndEveryControlKindWithItsDesignState) {
    ts::Harness h;
    ui::Form f(h.app);
    ui::LoadLayout(f, kFullLayout);

    EXPECT_EQ(f.ClassName(), "TfrmCompleta");
    EXPECT_EQ(f.Caption(), " Importazione data");
    EXPECT_EQ(f.ClientWidth(), 253);
    EXPECT_EQ(f.ClientHeight(), 294);
    EXPECT_GT(f.Width(), 253);
    EXPECT_EQ(f.GetBorderStyle(), ui::BorderStyle::Single);
    EXPECT_FALSE(f.CloseBox());
    EXPECT_EQ(f.Position(), ui::FormPosition::OwnerFormCenter);
    EXPECT_EQ(f.Fill(), ui::Brush::Gradient(0xFFFFFFFF, 0xFF4682B4));
    EXPECT_EQ(f.GetFont().family, "Verdana");

    auto& grp = f.Get<ui::Panel>("grpData");
    EXPECT_EQ(grp.Kind(), ui::ControlKind::GroupBox);
    EXPECT_EQ(grp.Parent(), &f.Get<ui::Panel>("panContainer"));
    EXPECT_EQ(grp.Parent()->GetDock(), ui::Dock::Center);
    EXPECT_EQ(grp.Text(), " Data inizio intervallo: ");

    auto& giorno = f.Get<ui::ComboEdit>("txtGiornoInizio");
    EXPECT_EQ(giorno.Items(), (std::vector<std::string>{"01", "02"}));
    EXPECT_EQ(giorno.ItemIndex(), -1);
    EXPECT_TRUE(giorno.GetFont().bold);
    EXPECT_EQ(giorno.Parent(), &grp);
    EXPECT_EQ(giorno.Left(), 10);
    EXPECT_EQ(giorno.Width(), 72);

    auto& lbl = f.Get<ui::Label>("lblCampo001");
    EXPECT_EQ(lbl.Text(), "Importare una data:\tdue\\uno \"citato\"");
    EXPECT_FALSE(lbl.Visible());

    auto& targa = f.Get<ui::Edit>("txtTarga");
    EXPECT_EQ(targa.MaxLength(), 10);
    EXPECT_TRUE(targa.ReadOnly());
    EXPECT_EQ(targa.Hint(), "Targa");
    EXPECT_EQ(targa.GetFont().color, 0xFF000080u);
    EXPECT_EQ(targa.TabOrder(), 3);

    auto& btn = f.Get<ui::Button>("btnImporta");
    EXPECT_FALSE(btn.Enabled());
    EXPECT_EQ(btn.GetModalResult(), ui::ModalResult::OK);
    EXPECT_EQ(btn.GetCursor(), ui::Cursor::Hand);

    auto& eff = f.Get<ui::Rectangle>("effTarga");
    EXPECT_EQ(eff.Fill(), ui::Brush::Solid(ui::colors::Yellow));
    EXPECT_EQ(eff.Stroke(), ui::Brush::Gradient(0xFFFFFF00, 0xFFFFFFFF));
    EXPECT_FALSE(eff.HitTest());

    auto& lst = f.Get<ui::ListBox>("lstRecords");
    EXPECT_EQ(lst.ItemWidth(), 1600);
    EXPECT_EQ(lst.ItemFont().family, "Courier New");
    EXPECT_TRUE(f.Get<ui::CheckBox>("chkFerie").Checked());
    EXPECT_EQ(f.Get<ui::Memo>("txtGuida").Lines(), (std::vector<std::string>{"Prima riga", "Seconda riga"}));

    auto& grd = f.Get<ui::StringGrid>("grdRecords");
    EXPECT_EQ(grd.RowCount(), 10);
    ASSERT_EQ(grd.ColumnCount(), 2);
    EXPECT_EQ(grd.Columns()[0], (ui::GridColumn{"colNum", "N.", 40, true}));
    EXPECT_EQ(grd.ColumnIndex("colTarga"), 1);

    EXPECT_EQ(f.Get<ui::Picture>("imgLogo").WrapMode(), ui::Picture::Wrap::Stretch);
    auto& tmr = f.Get<ui::Timer>("tmrSlide");
    EXPECT_EQ(tmr.Interval(), 3000);
    EXPECT_FALSE(tmr.Enabled());
}

TEST(Layout, MissingOrMistypedControlFailsLoudlyNamingIt) {
    ts::Harness h;
    TfrmProva f(h.app);
    try {
        f.Get<ui::Edit>("txtNonCe");
        FAIL() << "no exception";
    } catch (const ui::LayoutError& e) {
        EXPECT_NE(std::string(e.what()).find("TfrmProva: no control named \"txtNonCe\""), std::string::npos)
            << e.what();
    }
    try {
        f.Get<ui::Edit>("cmdOK");
        FAIL() << "no exception";
    } catch (const ui::LayoutError& e) {
        EXPECT_NE(std::string(e.what()).find("\"cmdOK\" is a button"), std::string::npos) << e.what();
    }
    EXPECT_THROW(ui::LoadLayoutResource(f, "tests/NonEsiste.layout"), ui::LayoutError);
}

TEST(Layout, MalformedLinesFailWithTheirLineNumber) {
    struct Case {
        const char* text;
        const char* message;
    } cases[] = {
        {"form T\nslider x", "L:2: unknown kind: slider"},
        {"form T\nedit x colour=#FF000000", "L:2: unknown attribute for edit: colour"},
        {"form T\nedit x parent=nessuno", "L:2: unknown parent: nessuno"},
        {"form T\nedit x\nedit x", "L:3: duplicate control name: x"},
        {"form T\nlabel x text=\"aperta", "L:2: unterminated quoted text"},
        {"form T\nlabel x bounds=1,2,3", "L:2: expected 4 numbers"},
        {"form T\nlabel x visible=forse", "L:2: not a yes/no value"},
        {"form T\nrectangle r fill=#GG000000", "L:2: not a colour"},
        {"form T\nitem lblX \"a\"", "L:2: item for an unknown list"},
        {"form T border=thin", "L:1: unknown border"},
    };
    for (const Case& c : cases) {
        ts::Harness h;
        ui::Form f(h.app);
        try {
            ui::LoadLayout(f, c.text, "L");
            ADD_FAILURE() << "no error for: " << c.text;
        } catch (const ui::LayoutError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
}

TEST(ListBox, HoldsAHundredThousandLinesWithSparseStyles) {
    ts::Harness h;
    ui::Form f(h.app);
    auto& l = f.Add<ui::ListBox>("lstRecords");
    int changes = 0;
    l.OnChange = [&] { ++changes; };
    std::vector<std::string> lines;
    lines.reserve(100000);
    for (int i = 0; i < 100000; ++i)
        lines.push_back("Riga " + std::to_string(i));
    l.AddItems(std::move(lines));
    l.SetItemFont(ui::Font{"Courier New", 12});
    ui::Font red{"Courier New", 12};
    red.color = 0xFFFF0000;
    l.SetItemStyle(50000, ui::ItemStyle{red, std::nullopt});
    ASSERT_EQ(l.Count(), 100000u);
    EXPECT_EQ(l.ItemIndex(), -1);
    EXPECT_EQ(l.FontOfItem(1).family, "Courier New");
    EXPECT_EQ(l.FontOfItem(50000).color, 0xFFFF0000u);

    f.Show();
    h.Select(l, 99999);
    EXPECT_EQ(*l.SelectedText(), "Riga 99999");
    l.SetItemIndex(99999);
    EXPECT_EQ(changes, 1);

    // Styles and the selection follow their items when lines come and go.
    l.DeleteItem(0);
    EXPECT_EQ(l.ItemIndex(), 99998);
    EXPECT_EQ(l.FontOfItem(49999).color, 0xFFFF0000u);
    EXPECT_EQ(l.ItemStyleAt(50000), nullptr);
    l.Clear();
    EXPECT_EQ(l.Count(), 0u);
    EXPECT_EQ(l.ItemIndex(), -1);
    EXPECT_EQ(l.SelectedText(), nullptr);
}

// The field highlight as the windows build it on an edit's style element.
struct Highlight {
    ui::Edit& e;
    ui::Color resting;
    void Bind() {
        e.OnApplyStyleLookup = [this] {
            if (auto* bg = e.FindStyleResource("background")) {
                bg->SetMargins(0);
                ui::StyleRect& r = bg->AddRect();
                r.stroke = 0xFF87CEEB;
                r.fill = resting;
            }
        };
        e.OnEnter = [this] { Paint(ui::colors::Yellow); };
        e.OnExit = [this] { Paint(resting); };
    }
    void Paint(ui::Color c) {
        if (auto* bg = e.FindStyleResource("background"); bg && !bg->children.empty())
            bg->children.back()->fill = c;
    }
};

TEST(Style, HighlightRectangleIsCreatedOncePerStyleAndOnlyRecoloured) {
    ts::Harness h;
    TfrmProva f(h.app);
    Highlight a{f.txtA, ui::colors::AliceBlue};
    a.Bind();
    EXPECT_EQ(f.txtA.FindStyleResource("background"), nullptr);
    f.Show();
    f.txtA.SetFocus();
    auto* bg = f.txtA.FindStyleResource("background");
    ASSERT_NE(bg, nullptr);
    EXPECT_EQ(bg->marginLeft, 0);
    for (int i = 0; i < 1000; ++i)
        h.Tab(f);
    // 1000 tabs over three stops: the focus is back at txtA after 999, on txtB after 1000.
    ASSERT_EQ(bg->children.size(), 1u);
    EXPECT_EQ(bg->children[0]->fill, ui::colors::AliceBlue);
    h.Tab(f, true);
    EXPECT_EQ(bg->children[0]->fill, ui::colors::Yellow);

    // Hidden and shown again: the style is not applied again, the field rests.
    f.Hide();
    EXPECT_EQ(bg->children[0]->fill, ui::colors::AliceBlue);
    f.Show();
    EXPECT_EQ(f.txtA.StyleApplications(), 1);

    // A new application of the style gives a fresh element with one rectangle.
    ASSERT_TRUE(ui::input::ApplyStyle(f.txtA));
    EXPECT_EQ(f.txtA.StyleApplications(), 2);
    ASSERT_EQ(f.txtA.FindStyleResource("background")->children.size(), 1u);
}

} // namespace
