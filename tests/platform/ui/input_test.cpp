// Keys, typing, focus and change events, driven through the user entry points.
#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/rtl/Text.h"
#include "tests/platform/ui/TestForm.h"
#include "tests/support/Harness.h"

namespace {

struct InputTest : ::testing::Test {
    ts::Harness h;
    TfrmProva f{h.app};
    std::vector<std::string> log;

    void SetUp() override { f.Show(); }

    void Record(ui::Edit& e) {
        const std::string n = e.Name();
        e.OnKeyDown = [this, n](ui::KeyEvent& k) { log.push_back(n + ".down " + std::to_string(k.key)); };
        e.OnKeyUp = [this, n](ui::KeyEvent& k) { log.push_back(n + ".up " + std::to_string(k.key)); };
        e.OnTyping = [this, n, &e] { log.push_back(n + ".typing " + e.Text()); };
        e.OnChange = [this, n, &e] { log.push_back(n + ".change " + e.Text()); };
        e.OnEnter = [this, n] { log.push_back(n + ".enter"); };
        e.OnExit = [this, n] { log.push_back(n + ".exit"); };
    }
};

TEST_F(InputTest, TypedKeyRunsDownTypingChangeUpInOrder) {
    f.txtA.SetFocus();
    Record(f.txtA);
    h.Type(f, "a");
    EXPECT_EQ(log,
              (std::vector<std::string>{"txtA.down 65", "txtA.typing a", "txtA.change a", "txtA.up 65"}));
    EXPECT_EQ(f.txtA.CaretPosition(), 1);
}

TEST_F(InputTest, HandlerCanChangeOrSwallowTheKey) {
    f.txtA.SetFocus();
    f.txtA.OnKeyDown = [](ui::KeyEvent& k) {
        if (k.ch == U'x') k.ch = U'y';
        if (k.ch == U'z') k.Swallow();
    };
    int changes = 0;
    f.txtA.OnChange = [&] { ++changes; };
    h.Type(f, "axz");
    EXPECT_EQ(f.txtA.Text(), "ay");
    EXPECT_EQ(changes, 2);
}

TEST_F(InputTest, EditingKeysActAtTheCaret) {
    struct Case {
        const char* start;
        int caret;
        std::uint16_t key;
        const char* text;
        int caretAfter;
    } cases[] = {
        {"abcd", 2, ui::vk::Back, "acd", 1},  {"abcd", 2, ui::vk::Delete, "abd", 2},
        {"abcd", 0, ui::vk::Back, "abcd", 0}, {"abcd", 4, ui::vk::Delete, "abcd", 4},
        {"abcd", 2, ui::vk::Left, "abcd", 1}, {"abcd", 2, ui::vk::Right, "abcd", 3},
        {"abcd", 2, ui::vk::Home, "abcd", 0}, {"abcd", 2, ui::vk::End, "abcd", 4},
        {"àèìò", 2, ui::vk::Back, "àìò", 1},  {"àèìò", 1, ui::vk::Delete, "àìò", 1},
    };
    f.txtA.SetFocus();
    for (const Case& c : cases) {
        f.txtA.SetText(c.start);
        f.txtA.SetCaretPosition(c.caret);
        h.Press(f, c.key);
        EXPECT_EQ(f.txtA.Text(), c.text) << c.start << " key " << c.key;
        EXPECT_EQ(f.txtA.CaretPosition(), c.caretAfter) << c.start << " key " << c.key;
    }
    // Typing goes in at the caret.
    f.txtA.SetText("ac");
    f.txtA.SetCaretPosition(1);
    h.Type(f, "b");
    EXPECT_EQ(f.txtA.Text(), "abc");
}

TEST_F(InputTest, ReadOnlyEditChangesOnlyByCode) {
    f.txtA.SetReadOnly(true);
    f.txtA.SetText("fisso");
    f.txtA.SetFocus();
    f.txtA.SetCaretPosition(5);
    h.Type(f, "x");
    h.Press(f, ui::vk::Back);
    h.Press(f, ui::vk::Delete);
    EXPECT_FALSE(ui::input::Paste(f, "y")); // as the real field, which takes no paste
    EXPECT_EQ(f.txtA.Text(), "fisso");
    f.txtA.SetText("nuovo");
    EXPECT_EQ(f.txtA.Text(), "nuovo");
}

TEST_F(InputTest, ChangeFiresOnlyWhenTheTextReallyChanges) {
    int changes = 0;
    f.txtA.OnChange = [&] { ++changes; };
    f.txtA.SetText("uno");
    f.txtA.SetText("uno");
    EXPECT_EQ(changes, 1);
    f.txtA.SetText("");
    EXPECT_EQ(changes, 2);

    // A typing handler that rewrites the text (upper-case typing) still gives
    // one change per key; a key that leaves the text as it was gives none.
    f.txtA.OnTyping = [&] { f.txtA.SetText(rtl::UpperAscii(rtl::Trim(f.txtA.Text()))); };
    f.txtA.SetFocus();
    h.Type(f, "ab ");
    EXPECT_EQ(f.txtA.Text(), "AB");
    EXPECT_EQ(changes, 4);
    h.Press(f, ui::vk::Back);
    EXPECT_EQ(f.txtA.Text(), "A");
    EXPECT_EQ(changes, 5);
}

TEST_F(InputTest, MaxLengthLimitsTypingAndPastingButNotCode) {
    f.txtB.SetFocus();
    h.Type(f, "abcdefg");
    EXPECT_EQ(f.txtB.Text(), "abcde");

    f.txtB.SetText("àè");
    f.txtB.SetCaretPosition(2);
    h.Paste(f, "ìòùxy"); // counted in characters, not bytes
    EXPECT_EQ(f.txtB.Text(), "àèìòù");

    f.txtB.SetText("codice lungo");
    EXPECT_EQ(f.txtB.Text(), "codice lungo");
    h.Type(f, "z");
    EXPECT_EQ(f.txtB.Text(), "codice lungo");
}

TEST_F(InputTest, PasteGoesThroughTheKeyFilter) {
    f.txtA.OnKeyDown = DigitFilter;
    f.txtA.SetFocus();
    h.Paste(f, "12a 3.4\r\n5");
    EXPECT_EQ(f.txtA.Text(), "12345");
}

TEST_F(InputTest, DigitFilterSwallowsLettersAndNavigationWhateverTheModifiers) {
    f.txtA.OnKeyDown = DigitFilter;
    f.txtA.SetFocus();
    h.Type(f, "12");
    f.txtA.SetCaretPosition(1);
    for (auto mods : {ui::Mod::None, ui::Mod::Shift, ui::Mod::Ctrl, ui::Mod::Alt}) {
        h.Press(f, 'A', U'a', mods);
        h.Press(f, ui::vk::Space, U' ', mods);
        h.Press(f, ui::vk::Home, 0, mods);
        h.Press(f, ui::vk::End, 0, mods);
    }
    EXPECT_EQ(f.txtA.Text(), "12");
    EXPECT_EQ(f.txtA.CaretPosition(), 1);
    h.Press(f, ui::vk::Left);
    h.Type(f, "0");
    EXPECT_EQ(f.txtA.Text(), "012");
}

TEST_F(InputTest, TabFollowsTheTabOrderUnlessSwallowed) {
    f.txtA.SetFocus();
    h.Tab(f);
    EXPECT_EQ(f.Focused(), &f.txtB);
    h.Tab(f);
    EXPECT_EQ(f.Focused(), &f.cmdOK); // the hidden btnFocus is skipped
    h.Tab(f);
    EXPECT_EQ(f.Focused(), &f.txtA);
    h.Tab(f, true);
    EXPECT_EQ(f.Focused(), &f.cmdOK);

    f.txtA.SetFocus();
    f.txtA.OnKeyDown = [](ui::KeyEvent& k) {
        if (k.key == ui::vk::Tab) k.Swallow();
    };
    h.Tab(f);
    EXPECT_EQ(f.Focused(), &f.txtA);

    // A control that refuses the focus when asked is passed over.
    f.txtA.OnKeyDown = nullptr;
    int asked = 0;
    f.txtB.OnCanFocus = [&](bool& accept) {
        ++asked;
        accept = false;
    };
    h.Tab(f);
    EXPECT_EQ(f.Focused(), &f.cmdOK);
    EXPECT_EQ(asked, 1);
}

TEST_F(InputTest, AnEditTakingTheFocusByKeyOrCodeSelectsItsTextAndAClickPlacesTheCaret) {
    // Tab: the whole text selected, what is typed replaces it.
    f.txtA.SetFocus();
    f.txtB.SetText("100");
    h.Tab(f);
    ASSERT_TRUE(f.txtB.IsFocused());
    EXPECT_EQ(f.txtB.SelStart(), 0);
    EXPECT_EQ(f.txtB.SelLength(), 3);
    h.Type(f, "250");
    EXPECT_EQ(f.txtB.Text(), "250");

    // The program moving the focus (a window's show, an Enter chain) does the same.
    f.txtA.SetText("2026");
    f.txtA.SetFocus();
    EXPECT_EQ(f.txtA.SelLength(), 4);

    // A mouse click keeps the caret where it is put, with nothing selected.
    f.cmdOK.SetFocus();
    f.txtA.SetCaretPosition(2);
    ASSERT_TRUE(ui::input::Focus(f.txtA));
    EXPECT_EQ(f.txtA.SelLength(), 0);
    h.Type(f, "x");
    EXPECT_EQ(f.txtA.Text(), "20x26");
}

// A read-only edit (a shown value, a date filled by the picker) takes the
// focus with nothing selected: no typing can replace its text.
TEST_F(InputTest, AReadOnlyEditTakingTheFocusSelectsNothing) {
    f.txtB.SetText("Autovettura");
    f.txtB.SetReadOnly(true);
    f.txtB.SetFocus();
    ASSERT_TRUE(f.txtB.IsFocused());
    EXPECT_EQ(f.txtB.SelLength(), 0);
    f.txtA.SetFocus();
    h.Tab(f);
    ASSERT_TRUE(f.txtB.IsFocused());
    EXPECT_EQ(f.txtB.SelLength(), 0);
}

TEST_F(InputTest, KeyWhoseHandlerMovedTheFocusIsNotDeliveredAgain) {
    int clicks = 0;
    f.cmdOK.SetModalResult(ui::ModalResult::None);
    f.cmdOK.OnClick = [&] { ++clicks; };
    f.txtA.OnKeyDown = [&](ui::KeyEvent& k) {
        if (k.key == ui::vk::Return) f.cmdOK.SetFocus();
    };
    f.txtA.SetFocus();
    h.Press(f, ui::vk::Return);
    EXPECT_EQ(f.Focused(), &f.cmdOK);
    EXPECT_EQ(clicks, 0);
    // A second Enter presses the focused button, as does Space.
    h.Press(f, ui::vk::Return);
    h.Press(f, ui::vk::Space, U' ');
    EXPECT_EQ(clicks, 2);
    // Enter alone never moves the focus.
    f.txtB.SetFocus();
    h.Press(f, ui::vk::Return);
    EXPECT_EQ(f.Focused(), &f.txtB);
}

TEST_F(InputTest, EnterAndExitFireOnEveryFocusChangeAndOnHide) {
    Record(f.txtA);
    Record(f.txtB);
    f.txtA.SetFocus();
    h.Focus(f.txtB);
    f.btnFocus.SetFocus(); // hidden, yet it takes the focus
    EXPECT_EQ(f.Focused(), &f.btnFocus);
    f.txtA.SetFocus();
    f.Hide();
    EXPECT_EQ(log, (std::vector<std::string>{"txtA.enter", "txtA.exit", "txtB.enter", "txtB.exit",
                                             "txtA.enter", "txtA.exit"}));
    EXPECT_EQ(f.Focused(), nullptr);
}

TEST_F(InputTest, UserCannotReachHiddenOrDisabledControls) {
    f.cmdOK.SetEnabled(false);
    EXPECT_FALSE(ui::input::Click(f.cmdOK));
    EXPECT_FALSE(ui::input::Click(f.btnFocus));
    EXPECT_NONFATAL_FAILURE(h.Click(f.btnFocus), "btnFocus");
    f.cmdOK.SetFocus();
    EXPECT_NE(f.Focused(), &f.cmdOK); // nor can code focus a disabled control
}

TEST(InputRefusal, KeysNeedAShownWindowAndAFocusedControl) {
    ts::Harness h;
    TfrmProva f(h.app);
    EXPECT_FALSE(ui::input::TypeText(f, "x"));
    f.Show();
    EXPECT_FALSE(ui::input::TypeText(f, "x"));
    EXPECT_TRUE(ui::input::Tab(f));
    EXPECT_EQ(f.Focused(), &f.txtA);
    EXPECT_TRUE(ui::input::TypeText(f, "x"));
    EXPECT_EQ(f.txtA.Text(), "x");
}

} // namespace

namespace {

TEST(GridTyping, KeysEditTheSelectedCellThroughTheModel) {
    ts::Harness h;
    ui::Form f{h.app};
    ui::LoadLayout(f, R"(form TfrmGriglia caption="Griglia" client=300x200
grid grdCosti bounds=10,10,280,150 rows=2 taborder=0
column grdCosti colData "Data" width=80 readonly=yes
column grdCosti colImporto "Importo" width=80
)");
    auto& g = f.Get<ui::StringGrid>("grdCosti");
    g.SetCell(0, 0, "01/02/2025");
    g.SetCell(1, 0, "9,00");
    g.SetCell(1, 1, "3");
    std::vector<std::string> edited;
    g.OnCellEdited = [&](int col, int row) {
        edited.push_back(std::to_string(col) + "," + std::to_string(row) + " " + g.Cell(col, row));
    };
    bool swallowX = true;
    g.OnKeyDown = [&](ui::KeyEvent& k) {
        if (swallowX && k.ch == U'x') k.Swallow();
    };
    f.Show();
    ASSERT_TRUE(ui::input::SelectCell(g, 1, 0));
    ASSERT_TRUE(ui::input::TypeText(f, "7x,5"));
    EXPECT_EQ(g.Cell(1, 0), "7,5"); // the first key replaced the text; the handler swallowed x
    EXPECT_EQ(edited, (std::vector<std::string>{"1,0 7", "1,0 7,", "1,0 7,5"}));
    ui::input::PressKey(f, ui::vk::Back);
    EXPECT_EQ(g.Cell(1, 0), "7,");
    ui::input::PressKey(f, ui::vk::Return);
    ui::input::TypeText(f, "8");
    EXPECT_EQ(g.Cell(1, 0), "8"); // Enter ended the editing: a new one replaces
    ui::input::PressKey(f, ui::vk::F2);
    ui::input::TypeText(f, "0");
    EXPECT_EQ(g.Cell(1, 0), "80"); // F2 keeps the text
    // Another cell starts afresh; Backspace outside editing changes nothing.
    ui::input::SelectCell(g, 1, 1);
    ui::input::PressKey(f, ui::vk::Back);
    EXPECT_EQ(g.Cell(1, 1), "3");
    ui::input::TypeText(f, "4");
    EXPECT_EQ(g.Cell(1, 1), "4");
    // Read-only: a read-only column, then the whole grid.
    swallowX = false;
    edited.clear();
    ui::input::SelectCell(g, 0, 0);
    ui::input::TypeText(f, "x");
    ui::input::PressKey(f, ui::vk::F2);
    ui::input::PressKey(f, ui::vk::Back);
    EXPECT_EQ(g.Cell(0, 0), "01/02/2025");
    g.SetReadOnly(true);
    ui::input::SelectCell(g, 1, 0);
    ui::input::TypeText(f, "x");
    EXPECT_EQ(g.Cell(1, 0), "80");
    EXPECT_TRUE(edited.empty());
}

} // namespace

namespace {

// Edits hand their text to files written in windows-1252: typed or pasted,
// what the code page cannot hold is left out, as a digit field leaves out
// letters, so the edit shows what will be stored.
struct CodePageTest : ::testing::Test {
    ts::Harness h;
    ui::Form f{h.app};
    CodePageTest() {
        ui::LoadLayout(f, R"(form TfrmTesti caption="Testi" client=300x240
edit txtNote bounds=10,10,200,22 taborder=0
edit txtCodice bounds=10,40,200,22 taborder=1 maxlength=4
combo txtProv bounds=10,70,200,22 taborder=2
memo memNote bounds=10,100,200,60 taborder=3
edit txtPassword bounds=10,170,200,22 password=yes taborder=4
)");
        f.Show();
    }
    ui::Edit& GetEdit(const char* name) { return f.Get<ui::Edit>(name); }
};

const struct {
    const char* utf8;
    bool taken;
} kCaratteri[] = {
    {"é", true},         {"€", true},         {"Ÿ", true},   {"™", true},     {"ä", true},
    {"\xC2\xA0", true},  {"ł", false},        {"ź", false},  {"🚗", false},    {"\xC2\x85", false},
    {"\xC2\x9F", false}, {"\xC2\x81", false}, {"中", false}, {"\x7F", false}, {"\t", false},
};

TEST_F(CodePageTest, EditsComboEditsAndMemosTakeOnlyWhatTheCodePageHolds) {
    for (const char* name : {"txtNote", "txtProv", "memNote"}) {
        ui::Edit& e = GetEdit(name);
        int changes = 0;
        e.OnChange = [&] { ++changes; };
        for (const auto& c : kCaratteri) {
            SCOPED_TRACE(std::string(name) + " " + c.utf8);
            const std::string expected = std::string("a") + (c.taken ? c.utf8 : "") + "b";
            e.SetText("");
            h.Focus(e);
            changes = 0;
            h.Type(f, std::string("a") + c.utf8 + "b");
            EXPECT_EQ(e.Text(), expected);
            EXPECT_EQ(changes, c.taken ? 3 : 2); // a refused key changes nothing
            EXPECT_EQ(e.CaretPosition(), c.taken ? 3 : 2);
            e.SetText("");
            h.Paste(f, std::string("a") + c.utf8 + "b");
            EXPECT_EQ(e.Text(), expected);
        }
        e.OnChange = nullptr;
    }
    // A memo keeps the pasted line breaks, the edits none.
    h.Focus(GetEdit("memNote"));
    GetEdit("memNote").SetText("");
    h.Paste(f, "uno\xC2\x85\r\ndue\tł");
    EXPECT_EQ(GetEdit("memNote").Text(), "uno\ndue");
    h.Focus(GetEdit("txtNote"));
    GetEdit("txtNote").SetText("");
    h.Paste(f, "uno\r\ndue");
    EXPECT_EQ(GetEdit("txtNote").Text(), "unodue");
}

TEST_F(CodePageTest, RefusedCharactersTakeNoRoomInTheMaximumLength) {
    h.Focus(GetEdit("txtCodice"));
    h.Paste(f, "ł€łé🚗x中yz");
    EXPECT_EQ(GetEdit("txtCodice").Text(), "€éxy");
    GetEdit("txtCodice").SetText("ab");
    GetEdit("txtCodice").SetCaretPosition(2);
    h.Type(f, "źcźdź");
    EXPECT_EQ(GetEdit("txtCodice").Text(), "abcd");
}

// A password goes to the password store, not to the code page: its edit
// takes every character but the controls, and its window decides.
TEST_F(CodePageTest, APasswordEditTakesEveryCharacterButTheControls) {
    h.Focus(GetEdit("txtPassword"));
    h.Type(f, "ł€\xC2\x85中");
    h.Paste(f, "🚗\t\x7F!");
    EXPECT_EQ(GetEdit("txtPassword").Text(), "ł€\xC2\x85中🚗!");
}

TEST_F(CodePageTest, GridCellsTakeOnlyWhatTheCodePageHolds) {
    ui::Form g{h.app};
    ui::LoadLayout(g, R"(form TfrmGriglia caption="Griglia" client=300x200
grid grdRecords bounds=10,10,280,150 rows=2 taborder=0
column grdRecords colNote "Note" width=120
)");
    g.Show();
    auto& grid = g.Get<ui::StringGrid>("grdRecords");
    for (const auto& c : kCaratteri) {
        SCOPED_TRACE(c.utf8);
        const std::string expected = std::string("a") + (c.taken ? c.utf8 : "") + "b";
        ASSERT_TRUE(ui::input::SelectCell(grid, 0, 0));
        h.Type(g, std::string("a") + c.utf8 + "b");
        EXPECT_EQ(grid.Cell(0, 0), expected);
        // What a cell editor hands over is cut the same way.
        ASSERT_TRUE(ui::input::EditCell(grid, 0, 1, std::string("a") + c.utf8 + "b"));
        EXPECT_EQ(grid.Cell(0, 1), expected);
    }
    ASSERT_TRUE(ui::input::EditCell(grid, 0, 1, "riga\r\ndue\x01"));
    EXPECT_EQ(grid.Cell(0, 1), "rigadue");
}

} // namespace
