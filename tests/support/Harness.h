#pragma once
// The headless test harness. One Harness per test:
//
//   ts::Harness h;                       // application, services, temp data folder
//   TfrmPassword f(h.app);
//   f.Show();
//   h.Type(f, "segreto");
//   h.ExpectMessage(ui::DialogType::Plain, "Attenzione: password errata.");
//   h.Press(f, ui::vk::Return);
//   h.OnModal<TfrmCalendario>([&](TfrmCalendario& c) { h.Click(c.btnImportaData); });
//
// The harness installs the headless report output and chart printer
// (tests/support/Outputs.h) for its lifetime.
//
// Dialogs must be expected, in order, with their type and exact text; an
// unexpected dialog fails the test and prints its text, and an expected one
// never shown fails it when the harness ends (or at verify()). A window shown
// modally runs the hook registered for its class; without one the test fails.
// Input helpers go through platform/ui/Input.h and fail the test when a user
// could not do what they ask (a hidden or disabled control).
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <typeindex>
#include <vector>

#include "platform/chart/Chart.h"
#include "platform/report/Report.h"
#include "platform/rtl/Clock.h"
#include "platform/ui/Application.h"
#include "platform/ui/Input.h"
#include "platform/ui/Services.h"

namespace ts {

class Harness : public ui::Services {
public:
    Harness();
    ~Harness() override;

    ui::Application app;

    // The temporary data folder of this test, with its trailing separator;
    // rtl::DataFolder() answers it until the harness ends.
    const std::string& DataFolder() const { return dataFolder_; }
    // Fixes the clock (rtl::Today, rtl::Now) until the harness ends.
    void SetNow(rtl::DateTime moment);
    void SetToday(rtl::Date day) { SetNow(rtl::DateTime{day, {9, 0, 0}}); }

    // --- Dialogs ---
    void ExpectMessage(ui::DialogType type, std::string text, ui::Answer answer = ui::Answer::OK);
    // The plain message box (ShowMessage).
    void ExpectShowMessage(std::string text) { ExpectMessage(ui::DialogType::Plain, std::move(text)); }
    // An input query; nothing as the value means the user cancels it.
    void ExpectInputQuery(std::string caption, std::string prompt, std::optional<std::string> value);
    void ExpectOpenFile(std::optional<std::string> path);
    void ExpectSaveFile(std::optional<std::string> path);
    void ExpectPrintDialog(std::optional<int> copies);
    // Fails the test for every expected dialog not yet shown, and forgets them.
    void Verify();
    // The last file dialog requests seen.
    const std::vector<ui::FileDialogRequest>& FileDialogs() const { return fileRequests_; }

    // --- Modal windows ---
    // The hook of a class runs at every modal showing of that class until it
    // is replaced; it drives the window (clicks, keys, SetModalResult, Close)
    // and ShowModal returns the result it leaves (Cancel when none).
    template <class F> void OnModal(std::function<void(F&)> hook) {
        modalByType_[std::type_index(typeid(F))] = [hook](ui::Form& f) { hook(dynamic_cast<F&>(f)); };
    }
    template <class F, class Fn> void OnModal(Fn&& hook) {
        OnModal<F>(std::function<void(F&)>(std::forward<Fn>(hook)));
    }
    void OnModal(const std::string& className, std::function<void(ui::Form&)> hook) {
        modalByName_[className] = std::move(hook);
    }
    // How many windows were shown modally, by class name (from the layout)
    // and in total.
    int ModalCount(const std::string& className) const;
    int ModalCount() const { return int(modalLog_.size()); }

    // --- Shell and clipboard ---
    const std::vector<std::string>& ShellOpened() const { return shellOpened_; }
    // A desktop with no program for what is opened: every shell open fails.
    void SetDesktopOpens(bool opens) { desktopOpens_ = opens; }
    const std::optional<std::string>& Clipboard() const { return clipboard_; }
    void SetClipboardAvailable(bool a) { clipboardAvailable_ = a; }
    // A clipboard that fails: putting a text on it throws std::runtime_error
    // with this text (nothing: it works again).
    void SetClipboardFailure(std::optional<std::string> error) { clipboardFailure_ = std::move(error); }

    // --- Wait cursor ---
    // How many times the wait cursor was shown (a file locked elsewhere was
    // awaited), and whether it shows now.
    int WaitCursorShown() const { return waitCursorShown_; }
    bool WaitCursorOn() const { return waitCursorOn_; }

    // --- Input ---
    void Type(ui::Form& f, std::string_view text);
    void Paste(ui::Form& f, std::string_view text);
    void Press(ui::Form& f, std::uint16_t key, char32_t ch = 0, ui::Mod mods = ui::Mod::None);
    void KeyDown(ui::Form& f, std::uint16_t key, char32_t ch = 0, ui::Mod mods = ui::Mod::None);
    void KeyUp(ui::Form& f, std::uint16_t key, char32_t ch = 0, ui::Mod mods = ui::Mod::None);
    void Tab(ui::Form& f, bool backwards = false);
    void Focus(ui::Control& c);
    void Click(ui::Control& c);
    void DblClick(ui::Control& c);
    void MouseMove(ui::Control& c, int x = 1, int y = 1);
    void MouseMove(ui::Form& f, int x = 1, int y = 1);
    void Select(ui::ListBox& l, int index);
    void DblClickItem(ui::ListBox& l, int index);
    void Select(ui::ComboEdit& c, int index);
    void Toggle(ui::CheckBox& c);
    void PickDate(ui::Calendar& c, rtl::Date d);
    void EditCell(ui::StringGrid& g, int col, int row, std::string_view text);
    void CloseWindow(ui::Form& f);
    // Headless time: timers tick as many times as fall due.
    void Advance(long long ms) { app.AdvanceTime(ms); }

    // --- ui::Services ---
    ui::Answer Message(ui::DialogType type, const std::string& text, ui::Buttons buttons) override;
    bool InputQuery(const std::string& caption, const std::string& prompt, std::string& value) override;
    std::optional<std::string> OpenFile(const ui::FileDialogRequest& r) override;
    std::optional<std::string> SaveFile(const ui::FileDialogRequest& r) override;
    std::optional<int> PrintDialog(int copies) override;
    bool SetClipboardText(const std::string& text) override;
    void ShellOpen(const std::string& target, const std::function<void()>& failed) override;
    void ShowWaitCursor(bool on) override;

private:
    struct Expected {
        enum class Kind { Message, Input, Open, Save, Print } kind = Kind::Message;
        ui::DialogType type = ui::DialogType::Plain;
        std::string text;   // message text, or input caption
        std::string prompt; // input prompt
        ui::Answer answer = ui::Answer::OK;
        std::optional<std::string> value; // input value or file path
        std::optional<int> copies;
    };
    std::optional<Expected> Take(Expected::Kind kind, const std::string& what);
    void RunModal(ui::Form& f);
    static std::string Describe(const Expected& e);

    std::string dataFolder_;
    report::Output* earlierReports_ = nullptr;
    chart::Printer* earlierCharts_ = nullptr;
    std::deque<Expected> expected_;
    std::vector<ui::FileDialogRequest> fileRequests_;
    std::map<std::type_index, std::function<void(ui::Form&)>> modalByType_;
    std::map<std::string, std::function<void(ui::Form&)>> modalByName_;
    std::vector<std::string> modalLog_;
    std::vector<std::string> shellOpened_;
    bool desktopOpens_ = true;
    std::optional<std::string> clipboard_;
    bool clipboardAvailable_ = true;
    std::optional<std::string> clipboardFailure_;
    int waitCursorShown_ = 0;
    bool waitCursorOn_ = false;
};

} // namespace ts
