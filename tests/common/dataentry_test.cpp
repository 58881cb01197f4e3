#include <gtest/gtest.h>

#include "common/Calendario.h"
#include "common/DataEntry.h"
#include "planner/Planning.h"
#include "platform/ui/Layout.h"
#include "tests/support/Harness.h"

namespace {

// A small window with edits of each kind, bound as the windows bind them.
struct EntryLayout : ui::Form {
    explicit EntryLayout(ui::Application& app) : ui::Form(app) {
        ui::LoadLayout(*this, R"(form TfrmProva caption="Prova" client=400x300
edit txtNome bounds=10,10,200,22 taborder=0
edit txtData bounds=10,40,100,22 readonly=yes taborder=1
edit txtKm bounds=10,70,100,22 taborder=2
edit txtImporto bounds=10,100,100,22 taborder=3
edit txtTarga bounds=10,130,100,22 taborder=4
edit txtTotale bounds=10,160,100,22 readonly=yes taborder=5
button btnCalcola bounds=10,200,100,30 text="Calcola" taborder=6
label panInfo bounds=0,270,400,30 text="Scheda pronta."
)");
    }
};

class EntryForm : public EntryLayout {
public:
    explicit EntryForm(ui::Application& app) : EntryLayout(app) {
        entry::BindStyleHighlight(txtNome);
        entry::BindStyleHighlight(txtTotale, entry::RestingTotal, false);
        txtNome.OnKeyDown = [this](ui::KeyEvent& k) { entry::ChainKeyDown(k, txtData); };
        txtData.OnKeyDown = [this](ui::KeyEvent& k) {
            entry::DateFieldKeyDown(txtData, k, "dataent", &txtKm);
        };
        txtKm.OnKeyDown = [this](ui::KeyEvent& k) { entry::DigitKeyDown(k, txtImporto); };
        txtImporto.OnKeyDown = [this](ui::KeyEvent& k) { entry::AmountKeyDown(k, btnCalcola); };
        txtTarga.OnTyping = [this] { entry::UpperCaseTyping(txtTarga); };
        btnCalcola.OnMouseMove = [this](ui::MouseEvent&) { entry::ShowHint(panInfo, "Calcola i totali."); };
        OnMouseMove = [this](ui::MouseEvent&) { entry::ClearHint(panInfo); };
    }
    ui::Edit& txtNome = Get<ui::Edit>("txtNome");
    ui::Edit& txtData = Get<ui::Edit>("txtData");
    ui::Edit& txtKm = Get<ui::Edit>("txtKm");
    ui::Edit& txtImporto = Get<ui::Edit>("txtImporto");
    ui::Edit& txtTarga = Get<ui::Edit>("txtTarga");
    ui::Edit& txtTotale = Get<ui::Edit>("txtTotale");
    ui::Button& btnCalcola = Get<ui::Button>("btnCalcola");
    ui::Label& panInfo = Get<ui::Label>("panInfo");
};

ui::StyleRect* Highlight(ui::Edit& e) {
    ui::StyleElement* bg = e.FindStyleResource("background");
    return bg && bg->children.size() == 1 ? bg->children.front().get() : nullptr;
}

} // namespace

class DataEntry : public ::testing::Test {
protected:
    void SetUp() override { f.Show(); }
    ts::Harness h;
    EntryForm f{h.app};
};

TEST_F(DataEntry, HighlightStaysOneRectangleYellowExactlyWhileFocused) {
    const ui::Brush ownFill = f.txtNome.Fill();
    for (int i = 0; i < 1000; ++i) {
        h.Focus(f.txtNome);
        ui::StyleRect* r = Highlight(f.txtNome);
        ASSERT_NE(r, nullptr) << i;
        ASSERT_EQ(r->fill, 0xFFFFFF00u) << i;
        h.Focus(f.txtKm);
        ASSERT_EQ(Highlight(f.txtNome), r) << i; // recoloured, never added
        ASSERT_EQ(r->fill, 0xFFF0F8FFu) << i;
    }
    ui::StyleRect* r = Highlight(f.txtNome);
    EXPECT_EQ(f.txtNome.Fill(), ownFill); // the highlight lives in the style element only
    EXPECT_EQ(r->stroke, 0xFF87CEEBu);
    EXPECT_FALSE(r->hitTest);
    EXPECT_EQ(f.txtNome.FindStyleResource("background")->marginLeft, 0);
    // A new application of the style gives the new element its one rectangle.
    ui::input::ApplyStyle(f.txtNome);
    ASSERT_NE(Highlight(f.txtNome), nullptr);
    EXPECT_EQ(Highlight(f.txtNome)->fill, 0xFFF0F8FFu);
}

TEST_F(DataEntry, ARealWindowHearsOfEveryRecolouring) {
    // Records the highlight's colour each time the backend is told that the
    // edit's style changed: that is when a real window repaints it.
    struct Recorder : ui::Backend {
        ui::Edit* watched = nullptr;
        std::vector<ui::Color> heard;
        void PropertyChanged(ui::Control& c, ui::Property p) override {
            if (&c == watched && p == ui::Property::Style && Highlight(*watched))
                heard.push_back(Highlight(*watched)->fill);
        }
        void RunModal(ui::Form&) override {}
        void EndModal(ui::Form&) override {}
        void Run(ui::Application&) override {}
        void Terminate() override {}
    } backend;
    backend.watched = &f.txtNome;
    h.app.SetBackend(&backend);
    struct Detach {
        ui::Application& app;
        ~Detach() { app.SetBackend(nullptr); }
    } detach{h.app};
    struct Step {
        ui::Control& focus;
        ui::Color shown;
    } steps[] = {{f.txtNome, 0xFFFFFF00}, {f.txtKm, 0xFFF0F8FF}, {f.txtNome, 0xFFFFFF00}};
    for (auto& s : steps) {
        backend.heard.clear();
        h.Focus(s.focus);
        ASSERT_FALSE(backend.heard.empty()) << s.focus.Name();
        EXPECT_EQ(backend.heard.back(), s.shown) << s.focus.Name();
    }
    backend.heard.clear();
    ui::input::ApplyStyle(f.txtNome); // a new style element: its rectangle is drawn at once
    ASSERT_FALSE(backend.heard.empty());
    EXPECT_EQ(backend.heard.back(), 0xFFF0F8FFu);
}

TEST_F(DataEntry, ComputedTotalAndPlannerEditsNeverTurnYellow) {
    h.Focus(f.txtTotale);
    ASSERT_NE(Highlight(f.txtTotale), nullptr);
    EXPECT_EQ(Highlight(f.txtTotale)->fill, 0xFFB0C4DEu);
    TfrmPlanning planning(h.app);
    planning.Show();
    h.Focus(planning.txtMarca);
    ASSERT_NE(Highlight(planning.txtMarca), nullptr);
    EXPECT_EQ(Highlight(planning.txtMarca)->fill, 0xFFF0F8FFu);
}

TEST_F(DataEntry, EnterChainMovesTheFocusAndLeavesOtherKeys) {
    h.Focus(f.txtNome);
    h.Type(f, "ab");
    EXPECT_EQ(f.Focused(), &f.txtNome);
    h.Press(f, ui::vk::Return, U'\r');
    EXPECT_EQ(f.Focused(), &f.txtData);
    EXPECT_EQ(f.txtNome.Text(), "ab");
}

TEST_F(DataEntry, DateFieldKeys) {
    f.txtData.SetText("01/02/2025");
    h.Focus(f.txtData);
    h.Press(f, ui::vk::Back); // no picker: none is expected
    EXPECT_EQ(f.txtData.Text(), "");
    f.txtData.SetText("01/02/2025");
    h.Press(f, ui::vk::Delete);
    EXPECT_EQ(f.txtData.Text(), "");
    h.Press(f, ui::vk::Return, U'\r');
    EXPECT_EQ(f.Focused(), &f.txtKm);

    // Shift, Ctrl or Alt pressed on its own (Shift+Tab, Alt+F4) opens no
    // picker, and Tab leaves the field as it leaves any other.
    h.Focus(f.txtData);
    for (std::uint16_t modifier : {16, 17, 18})
        h.Press(f, modifier);
    EXPECT_EQ(f.Focused(), &f.txtData);
    h.Press(f, ui::vk::Tab);
    EXPECT_EQ(f.Focused(), &f.txtKm);

    struct Key {
        std::uint16_t code;
        char32_t ch;
    } keys[] = {{ui::vk::Space, U' '}, {'X', U'x'}, {'7', U'7'}};
    for (auto& k : keys) {
        h.Focus(f.txtData);
        h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) {
            EXPECT_EQ(c.Owner(), &f);
            EXPECT_EQ(c.lblMemory.Text(), "dataent");
            h.Click(c.btnAnnulla);
        });
        h.Press(f, k.code, k.ch);
        EXPECT_EQ(f.txtData.Text(), "");
    }
    EXPECT_EQ(h.ModalCount("TfrmCalendario"), 3);
}

TEST_F(DataEntry, DigitAndAmountFilters) {
    struct Key {
        std::uint16_t code;
        char32_t ch;
        ui::Mod mods;
    } refused[] = {{'A', U'a', ui::Mod::None},
                   {'A', U'A', ui::Mod::Shift},
                   {ui::vk::Space, U' ', ui::Mod::None},
                   {ui::vk::Home, 0, ui::Mod::None},
                   {ui::vk::End, 0, ui::Mod::Shift},
                   {ui::vk::Up, 0, ui::Mod::None},
                   {ui::vk::Period, U'.', ui::Mod::None},
                   {ui::vk::Comma, U',', ui::Mod::None},
                   {'1', U'!', ui::Mod::Shift}};
    h.Focus(f.txtKm);
    h.Type(f, "123");
    f.txtKm.SetCaretPosition(1);
    for (auto& k : refused) {
        h.Press(f, k.code, k.ch, k.mods);
        EXPECT_EQ(f.txtKm.Text(), "123") << k.code;
        EXPECT_EQ(f.txtKm.CaretPosition(), 1) << k.code;
    }
    h.Press(f, ui::vk::Right);
    h.Press(f, ui::vk::Back);
    EXPECT_EQ(f.txtKm.Text(), "13");
    h.Press(f, ui::vk::Left);
    h.Press(f, ui::vk::Delete);
    EXPECT_EQ(f.txtKm.Text(), "3");
    h.Paste(f, "4a5");
    EXPECT_EQ(f.txtKm.Text(), "453");
    h.Press(f, ui::vk::Return, U'\r');
    EXPECT_EQ(f.Focused(), &f.txtImporto);

    h.Type(f, "12,50.3");
    EXPECT_EQ(f.txtImporto.Text(), "12,503");
    h.Press(f, ui::vk::Return, U'\r');
    EXPECT_EQ(f.Focused(), &f.btnCalcola); // the chain ends on the command

    // Tab changes no text, so the filters let the focus leave by it.
    h.Focus(f.txtKm);
    h.Press(f, ui::vk::Tab);
    EXPECT_EQ(f.Focused(), &f.txtImporto);
    h.Press(f, ui::vk::Tab);
    EXPECT_EQ(f.Focused(), &f.txtTarga);
}

TEST_F(DataEntry, UpperCaseTypingTrimsAtEachKeystroke) {
    h.Focus(f.txtTarga);
    h.Type(f, "ab ");
    EXPECT_EQ(f.txtTarga.Text(), "AB"); // the blank at the end went at once
    h.Type(f, "cè");
    EXPECT_EQ(f.txtTarga.Text(), "ABCè");
    f.txtTarga.SetCaretPosition(2);
    h.Type(f, " x");
    EXPECT_EQ(f.txtTarga.Text(), "AB XCè"); // a blank between letters stays
}

TEST_F(DataEntry, StatusLineShowsTheHintOfTheCommandUnderTheMouse) {
    EXPECT_EQ(f.panInfo.Text(), "Scheda pronta.");
    h.MouseMove(f.btnCalcola);
    EXPECT_EQ(f.panInfo.Text(), "Calcola i totali.");
    h.MouseMove(f);
    EXPECT_EQ(f.panInfo.Text(), "");
}
