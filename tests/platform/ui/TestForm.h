#pragma once
// A small window of the tests' own: two edits, a button, a hidden button and
// a hidden label, in Tab order txtA, txtB, cmdOK.
#include "platform/ui/Ui.h"

inline constexpr const char* kTestLayout = R"(
# test window
form TfrmProva caption=" Prova" client=300x200 border=single closebox=yes position=screencenter
     fill=gradient:#FF4682B4:#FFFFFFFF
edit txtA bounds=10,10,100,22 taborder=0
edit txtB bounds=10,40,100,22 taborder=1 maxlength=5
button cmdOK bounds=10,70,80,25 text="OK" taborder=2 modalresult=ok
button btnFocus bounds=0,0,1,1 visible=no
label lblMemory visible=no
)";

// Loads the layout before the window's members fetch their controls, as the
// resource-loading constructor of ui::Form does for the real windows.
struct TestFormBase : ui::Form {
    TestFormBase(ui::Application& app, ui::Form* owner) : ui::Form(app, owner) {
        ui::LoadLayout(*this, kTestLayout, "TestForm");
    }
};

class TfrmProva : public TestFormBase {
public:
    explicit TfrmProva(ui::Application& app, ui::Form* owner = nullptr) : TestFormBase(app, owner) {}
    ui::Edit& txtA = Get<ui::Edit>("txtA");
    ui::Edit& txtB = Get<ui::Edit>("txtB");
    ui::Button& cmdOK = Get<ui::Button>("cmdOK");
    ui::Button& btnFocus = Get<ui::Button>("btnFocus");
    ui::Label& lblMemory = Get<ui::Label>("lblMemory");
};

// The digit filter the windows put on numeric fields: Enter, Backspace,
// Delete, Left and Right pass; a digit passes; every other key is swallowed.
inline void DigitFilter(ui::KeyEvent& k) {
    if (k.key == ui::vk::Return || k.key == ui::vk::Back || k.key == ui::vk::Delete ||
        k.key == ui::vk::Left || k.key == ui::vk::Right)
        return;
    if (k.ch >= U'0' && k.ch <= U'9') return;
    k.Swallow();
}
