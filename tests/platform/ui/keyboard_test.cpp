// What a user does at the keyboard besides typing: the caret of a text the
// program sets, the keys of a combo and its drop-down list, and the window's
// default and cancel commands under Enter and Escape.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Text.h"
#include "platform/ui/Ui.h"
#include "tests/support/Harness.h"

namespace {

constexpr const char* kLayout = R"(
form TfrmTastiera caption=" Tastiera" client=500x300 border=single closebox=no
edit txtNome bounds=10,10,200,22 taborder=0
memo memNote bounds=10,40,200,60 taborder=1
combo cboMese bounds=10,110,120,22 readonly=yes taborder=2
combo cboProv bounds=140,110,60,22 taborder=3
button btnApri bounds=10,150,80,25 text="Apri" default=yes taborder=4
button btnAltro bounds=100,150,80,25 text="Altro" taborder=5
panel panPrimo bounds=200,150,100,60
button btnAnnulla parent=panPrimo bounds=0,0,80,25 text="Annulla" cancel=yes
panel panSecondo bounds=300,150,100,60 visible=no
picture cmdEsci parent=panSecondo bounds=0,0,32,32 cancel=yes
item cboMese "Gennaio"
item cboMese "Febbraio"
item cboMese "Marzo"
item cboMese "Aprile"
item cboMese "Maggio"
item cboProv "MI"
item cboProv "MO"
item cboProv "RM"
)";

struct TfrmTastiera : ui::Form {
    explicit TfrmTastiera(ui::Application& app) : ui::Form(app) {
        ui::LoadLayout(*this, kLayout, "keyboard");
    }
};

struct Keyboard : ::testing::Test {
    ts::Harness h;
    TfrmTastiera f{h.app};
    std::vector<std::string> log;
    ui::Edit& txtNome = f.Get<ui::Edit>("txtNome");
    ui::Memo& memNote = f.Get<ui::Memo>("memNote");
    ui::ComboEdit& cboMese = f.Get<ui::ComboEdit>("cboMese");
    ui::ComboEdit& cboProv = f.Get<ui::ComboEdit>("cboProv");
    ui::Button& btnApri = f.Get<ui::Button>("btnApri");
    ui::Button& btnAltro = f.Get<ui::Button>("btnAltro");

    void SetUp() override {
        for (const char* name : {"btnApri", "btnAltro", "btnAnnulla", "cmdEsci"})
            f.Get<ui::Control>(name).OnClick = [this, name] { log.push_back(name); };
        f.Show();
    }
};

TEST_F(Keyboard, ATextSetByTheProgramStartsAtItsFirstCharacterWithNothingSelected) {
    const std::string longText = "205/55 R16 91V Hankook Ventus Prime 3 K125";
    for (ui::Edit* e : std::vector<ui::Edit*>{&txtNome, &memNote, &cboProv}) {
        // The user left the caret at the end of a long value, or the field
        // selected its whole text when it took the focus by Tab.
        e->SetText("Contratto nazionale trasporti e logistica");
        e->SetFocus();
        e->SetCaretPosition(int(e->Length()));
        e->SetText(longText); // the next record shown
        EXPECT_EQ(e->CaretPosition(), 0) << e->Name();
        EXPECT_EQ(e->SelLength(), 0) << e->Name();
        e->SelectAll();
        e->SetText("");
        e->SetText("R16");
        EXPECT_EQ(e->CaretPosition(), 0) << e->Name();
        EXPECT_EQ(e->SelLength(), 0) << e->Name();
    }
    cboMese.SetItemIndex(4);
    EXPECT_EQ(cboMese.CaretPosition(), 0);
}

TEST_F(Keyboard, WhatTheUserTypesKeepsItsCaretAlsoWhenAHandlerRewritesIt) {
    // A field that upper-cases what is typed, as the plate fields do.
    txtNome.OnTyping = [this] { txtNome.SetText(rtl::UpperAscii(txtNome.Text())); };
    txtNome.SetFocus();
    h.Type(f, "ab");
    h.Press(f, ui::vk::Left);
    h.Type(f, "x");
    EXPECT_EQ(txtNome.Text(), "AXB");
    EXPECT_EQ(txtNome.CaretPosition(), 2);
    h.Press(f, ui::vk::End);
    h.Press(f, ui::vk::Back);
    EXPECT_EQ(txtNome.Text(), "AX");
    EXPECT_EQ(txtNome.CaretPosition(), 2);
}

TEST_F(Keyboard, AClosedComboStepsWithTheArrowsFromTheItemItsTextNames) {
    cboMese.SetFocus();
    cboMese.SetText("Marzo"); // an item's text, with no item index (as a window resets it)
    ASSERT_EQ(cboMese.ItemIndex(), -1);
    const struct {
        std::uint16_t key;
        const char* text;
    } steps[] = {{ui::vk::Down, "Aprile"}, {ui::vk::Down, "Maggio"}, {ui::vk::Down, "Maggio"},
                 {ui::vk::Up, "Aprile"},   {ui::vk::Up, "Marzo"},    {ui::vk::Up, "Febbraio"},
                 {ui::vk::Up, "Gennaio"},  {ui::vk::Up, "Gennaio"}};
    for (const auto& s : steps) {
        h.Press(f, s.key);
        EXPECT_EQ(cboMese.Text(), s.text) << s.key;
    }
    // An empty combo: Down takes the first item, Up nothing.
    cboMese.SetItemIndex(-1);
    cboMese.SetText("");
    h.Press(f, ui::vk::Up);
    EXPECT_EQ(cboMese.Text(), "");
    h.Press(f, ui::vk::Down);
    EXPECT_EQ(cboMese.Text(), "Gennaio");
}

TEST_F(Keyboard, LettersTypedIntoAPickOnlyComboPickTheItemTheyBegin) {
    cboMese.SetFocus();
    const struct {
        char ch;
        const char* text;
    } steps[] = {
        {'m', "Marzo"},                                   // the first item it begins
        {'m', "Maggio"},                                  // the same letter again: the next such item
        {'m', "Marzo"},                                   // round again
        {'x', "Marzo"},                                   // a letter that begins nothing changes nothing
        {'a', "Aprile"},                                  // "a" alone, after the current item
        {'G', "Gennaio"}, {'m', "Marzo"}, {'a', "Marzo"}, // "ma"
        {'g', "Maggio"},                                  // "mag"
    };
    for (const auto& s : steps) {
        h.Type(f, std::string(1, s.ch));
        EXPECT_EQ(cboMese.Text(), s.text) << s.ch;
    }
    // Any other key starts the letters anew: "g" alone, not "mag".
    h.Type(f, "ma");
    h.Press(f, ui::vk::Right);
    h.Type(f, "g");
    EXPECT_EQ(cboMese.Text(), "Gennaio");

    // A combo that takes typing takes the letters as text.
    cboProv.SetFocus();
    h.Type(f, "mo");
    EXPECT_EQ(cboProv.Text(), "mo");
}

TEST_F(Keyboard, TheDropDownListOpensHighlightsAndPicksByKey) {
    cboMese.SetFocus();
    cboMese.SetText("Febbraio");
    for (const auto& open :
         {ui::KeyEvent{ui::vk::F4, 0, ui::Mod::None}, ui::KeyEvent{ui::vk::Down, 0, ui::Mod::Alt},
          ui::KeyEvent{ui::vk::Up, 0, ui::Mod::Alt}, ui::KeyEvent{ui::vk::Space, U' '}}) {
        h.Press(f, open.key, open.ch, open.mods);
        ASSERT_TRUE(cboMese.DroppedDown()) << open.key;
        EXPECT_EQ(cboMese.Highlighted(), 1);
        h.Press(f, ui::vk::Down);
        h.Press(f, ui::vk::Down);
        EXPECT_EQ(cboMese.Text(), "Febbraio"); // the text waits for the pick
        // Escape closes the list alone: neither a pick nor the window's cancel.
        h.Press(f, ui::vk::Escape);
        EXPECT_FALSE(cboMese.DroppedDown());
        EXPECT_EQ(cboMese.Text(), "Febbraio");
    }
    EXPECT_TRUE(log.empty());

    const struct {
        std::uint16_t key;
        char32_t ch;
        ui::Mod mods;
        int highlighted;
    } keys[] = {{ui::vk::End, 0, ui::Mod::None, 4},  {ui::vk::Up, 0, ui::Mod::None, 3},
                {ui::vk::Home, 0, ui::Mod::None, 0}, {ui::vk::Up, 0, ui::Mod::None, 0},
                {'M', U'm', ui::Mod::None, 2},       {'M', U'm', ui::Mod::None, 4}};
    h.Press(f, ui::vk::F4);
    for (const auto& k : keys) {
        h.Press(f, k.key, k.ch, k.mods);
        EXPECT_EQ(cboMese.Highlighted(), k.highlighted) << k.key;
    }
    // Enter picks and closes, without pressing the default button.
    h.Press(f, ui::vk::Return);
    EXPECT_FALSE(cboMese.DroppedDown());
    EXPECT_EQ(cboMese.Text(), "Maggio");
    EXPECT_EQ(cboMese.ItemIndex(), 4);
    EXPECT_TRUE(log.empty());

    // Leaving the combo closes its list; so does a pick with the mouse.
    h.Press(f, ui::vk::F4);
    h.Tab(f);
    EXPECT_FALSE(cboMese.DroppedDown());
    EXPECT_TRUE(cboProv.IsFocused());
    h.Press(f, ui::vk::F4);
    ASSERT_TRUE(cboProv.DroppedDown());
    h.Select(cboProv, 2);
    EXPECT_FALSE(cboProv.DroppedDown());
    EXPECT_EQ(cboProv.Text(), "RM");
}

TEST_F(Keyboard, EnterAndEscapePressTheWindowsDefaultAndCancelCommands) {
    // From an edit: the commands.
    txtNome.SetFocus();
    h.Press(f, ui::vk::Return);
    h.Press(f, ui::vk::Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"btnApri", "btnAnnulla"}));
    EXPECT_TRUE(txtNome.IsFocused()); // a command pressed by key takes no focus

    // A focused button presses itself; a memo takes Enter as a new line.
    log.clear();
    btnAltro.SetFocus();
    h.Press(f, ui::vk::Return);
    memNote.SetFocus();
    h.Press(f, ui::vk::Return);
    EXPECT_EQ(memNote.Text(), "\n");
    h.Press(f, ui::vk::Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"btnAltro", "btnAnnulla"}));

    // The first cancel command showing: the panel that is on screen decides.
    log.clear();
    f.Get<ui::Control>("panPrimo").SetVisible(false);
    f.Get<ui::Control>("panSecondo").SetVisible(true);
    h.Press(f, ui::vk::Escape);
    EXPECT_EQ(log, (std::vector<std::string>{"cmdEsci"}));

    // A key handler that uses the key keeps it: swallowed, or moving the focus.
    log.clear();
    txtNome.OnKeyDown = [this](ui::KeyEvent& k) {
        if (k.key == ui::vk::Return) btnAltro.SetFocus();
        if (k.key == ui::vk::Escape) k.Swallow();
    };
    txtNome.SetFocus();
    h.Press(f, ui::vk::Return);
    txtNome.SetFocus();
    h.Press(f, ui::vk::Escape);
    EXPECT_TRUE(log.empty());

    // A disabled or hidden command is not pressed, and with none the key
    // does nothing.
    btnApri.SetEnabled(false);
    f.Get<ui::Control>("panSecondo").SetVisible(false);
    txtNome.OnKeyDown = nullptr;
    h.Press(f, ui::vk::Return);
    h.Press(f, ui::vk::Escape);
    EXPECT_TRUE(log.empty());
}

TEST_F(Keyboard, EscapeEndsAModalRunThroughTheCancelButtonsOwnHandler) {
    ui::Form dialog(h.app);
    ui::LoadLayout(dialog, R"(form TfrmDomanda client=200x100
edit txtValore bounds=10,10,100,22
button btnAnnulla bounds=10,40,80,25 text="Annulla" cancel=yes
)");
    auto& annulla = dialog.Get<ui::Button>("btnAnnulla");
    annulla.OnClick = [&] {
        if (ui::MessageDlg("Uscire?", ui::DialogType::Confirmation, ui::Buttons::YesNo) == ui::Answer::Yes)
            dialog.Close();
    };
    h.OnModal("TfrmDomanda", [&](ui::Form& d) {
        d.Get<ui::Edit>("txtValore").SetFocus();
        h.ExpectMessage(ui::DialogType::Confirmation, "Uscire?", ui::Answer::No);
        h.Press(d, ui::vk::Escape);
        EXPECT_TRUE(d.Visible()); // the answer No keeps it open
        h.ExpectMessage(ui::DialogType::Confirmation, "Uscire?", ui::Answer::Yes);
        h.Press(d, ui::vk::Escape);
    });
    EXPECT_EQ(dialog.ShowModal(), ui::ModalResult::Cancel);
    h.Verify();
}

} // namespace
