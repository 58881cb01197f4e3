#include "tests/support/Harness.h"

#include <cxxabi.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "platform/rtl/Files.h"
#include "tests/support/Outputs.h"

namespace ts {

namespace {

std::string Quoted(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '\r')
            out += "\\r";
        else if (c == '\n')
            out += "\\n";
        else
            out += c;
    }
    return out + "\"";
}

std::string ClassOf(const ui::Form& f) {
    if (!f.ClassName().empty()) return f.ClassName();
    int status = 0;
    std::unique_ptr<char, void (*)(void*)> name(
        abi::__cxa_demangle(typeid(f).name(), nullptr, nullptr, &status), std::free);
    return status == 0 && name ? name.get() : typeid(f).name();
}

} // namespace

Harness::Harness() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "dorneval-test-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) ADD_FAILURE() << "cannot create a temporary data folder";
    dataFolder_ = tmpl + "/";
    rtl::SetDataFolderForTesting(dataFolder_);
    app.SetServices(this);
    app.SetModalHook([this](ui::Form& f) { RunModal(f); });
    earlierReports_ = report::SetOutput(&GetHeadlessOutput());
    earlierCharts_ = chart::SetPrinter(&GetHeadlessPrinter());
}

Harness::~Harness() {
    Verify();
    report::SetOutput(earlierReports_);
    chart::SetPrinter(earlierCharts_);
    app.SetServices(nullptr);
    app.SetModalHook(nullptr);
    rtl::ResetClock();
    rtl::ResetDataFolder();
    std::error_code ec;
    std::filesystem::remove_all(dataFolder_, ec);
}

std::string Harness::Describe(const Expected& e) {
    switch (e.kind) {
    case Expected::Kind::Message:
        return std::string(ui::DialogTypeName(e.type)) + " " + Quoted(e.text);
    case Expected::Kind::Input:
        return "input query " + Quoted(e.text) + " / " + Quoted(e.prompt);
    case Expected::Kind::Open:
        return "open file dialog";
    case Expected::Kind::Save:
        return "save file dialog";
    case Expected::Kind::Print:
        return "print dialog";
    }
    return "?";
}

void Harness::SetNow(rtl::DateTime moment) {
    rtl::SetClock(moment);
}

void Harness::ExpectMessage(ui::DialogType type, std::string text, ui::Answer answer) {
    Expected e;
    e.kind = Expected::Kind::Message;
    e.type = type;
    e.text = std::move(text);
    e.answer = answer;
    expected_.push_back(std::move(e));
}

void Harness::ExpectInputQuery(std::string caption, std::string prompt, std::optional<std::string> value) {
    Expected e;
    e.kind = Expected::Kind::Input;
    e.text = std::move(caption);
    e.prompt = std::move(prompt);
    e.value = std::move(value);
    expected_.push_back(std::move(e));
}

void Harness::ExpectOpenFile(std::optional<std::string> path) {
    Expected e;
    e.kind = Expected::Kind::Open;
    e.value = std::move(path);
    expected_.push_back(std::move(e));
}

void Harness::ExpectSaveFile(std::optional<std::string> path) {
    Expected e;
    e.kind = Expected::Kind::Save;
    e.value = std::move(path);
    expected_.push_back(std::move(e));
}

void Harness::ExpectPrintDialog(std::optional<int> copies) {
    Expected e;
    e.kind = Expected::Kind::Print;
    e.copies = copies;
    expected_.push_back(std::move(e));
}

void Harness::Verify() {
    for (const auto& e : expected_)
        ADD_FAILURE() << "expected dialog never shown: " << Describe(e);
    expected_.clear();
}

std::optional<Harness::Expected> Harness::Take(Expected::Kind kind, const std::string& what) {
    if (expected_.empty()) {
        ADD_FAILURE() << "unexpected dialog: " << what;
        return std::nullopt;
    }
    Expected e = std::move(expected_.front());
    expected_.pop_front();
    if (e.kind != kind) {
        ADD_FAILURE() << "unexpected dialog: " << what << "\n  expected: " << Describe(e);
        return std::nullopt;
    }
    return e;
}

ui::Answer Harness::Message(ui::DialogType type, const std::string& text, ui::Buttons buttons) {
    std::string what = std::string(ui::DialogTypeName(type)) + " " + Quoted(text);
    auto e = Take(Expected::Kind::Message, what);
    ui::Answer none = buttons == ui::Buttons::OK      ? ui::Answer::OK
                      : buttons == ui::Buttons::YesNo ? ui::Answer::No
                                                      : ui::Answer::Cancel;
    if (!e) return none;
    if (e->type != type || e->text != text) {
        ADD_FAILURE() << "unexpected dialog: " << what << "\n  expected: " << Describe(*e);
        return none;
    }
    return e->answer;
}

bool Harness::InputQuery(const std::string& caption, const std::string& prompt, std::string& value) {
    auto e = Take(Expected::Kind::Input, "input query " + Quoted(caption) + " / " + Quoted(prompt));
    if (!e) return false;
    if (e->text != caption || e->prompt != prompt) {
        ADD_FAILURE() << "unexpected input query " << Quoted(caption) << " / " << Quoted(prompt)
                      << "\n  expected: " << Describe(*e);
        return false;
    }
    if (!e->value) return false;
    value = *e->value;
    return true;
}

std::optional<std::string> Harness::OpenFile(const ui::FileDialogRequest& r) {
    fileRequests_.push_back(r);
    auto e = Take(Expected::Kind::Open, "open file dialog " + Quoted(r.title));
    return e ? e->value : std::nullopt;
}

std::optional<std::string> Harness::SaveFile(const ui::FileDialogRequest& r) {
    fileRequests_.push_back(r);
    auto e = Take(Expected::Kind::Save, "save file dialog " + Quoted(r.title));
    return e ? e->value : std::nullopt;
}

std::optional<int> Harness::PrintDialog(int copies) {
    auto e = Take(Expected::Kind::Print, "print dialog (" + std::to_string(copies) + " copies)");
    return e ? e->copies : std::nullopt;
}

bool Harness::SetClipboardText(const std::string& text) {
    if (!clipboardAvailable_) return false;
    if (clipboardFailure_) throw std::runtime_error(*clipboardFailure_);
    clipboard_ = text;
    return true;
}

void Harness::ShellOpen(const std::string& target, const std::function<void()>& failed) {
    shellOpened_.push_back(target);
    if (!desktopOpens_ && failed) failed();
}

void Harness::ShowWaitCursor(bool on) {
    if (on) ++waitCursorShown_;
    waitCursorOn_ = on;
}

void Harness::RunModal(ui::Form& f) {
    std::string name = ClassOf(f);
    modalLog_.push_back(name);
    auto byType = modalByType_.find(std::type_index(typeid(f)));
    if (byType != modalByType_.end()) {
        byType->second(f);
        return;
    }
    auto byName = modalByName_.find(name);
    if (byName != modalByName_.end()) {
        byName->second(f);
        return;
    }
    ADD_FAILURE() << "unexpected modal window: " << name;
}

int Harness::ModalCount(const std::string& className) const {
    int n = 0;
    for (const auto& m : modalLog_)
        n += m == className;
    return n;
}

// --- Input ---

#define TS_INPUT(call, what)                                                                                 \
    do {                                                                                                     \
        if (!(call)) ADD_FAILURE() << "a user could not " << what;                                           \
    } while (0)

static std::string NameOf(const ui::Control& c) {
    return ClassOf(c.GetForm()) + "." + c.Name();
}

void Harness::Type(ui::Form& f, std::string_view text) {
    TS_INPUT(ui::input::TypeText(f, text), "type " << Quoted(std::string(text)) << " into " << ClassOf(f));
}
void Harness::Paste(ui::Form& f, std::string_view text) {
    TS_INPUT(ui::input::Paste(f, text), "paste " << Quoted(std::string(text)) << " into " << ClassOf(f));
}
void Harness::Press(ui::Form& f, std::uint16_t key, char32_t ch, ui::Mod mods) {
    TS_INPUT(ui::input::PressKey(f, key, ch, mods), "press key " << key << " in " << ClassOf(f));
}
void Harness::KeyDown(ui::Form& f, std::uint16_t key, char32_t ch, ui::Mod mods) {
    TS_INPUT(ui::input::KeyDown(f, key, ch, mods), "press key " << key << " in " << ClassOf(f));
}
void Harness::KeyUp(ui::Form& f, std::uint16_t key, char32_t ch, ui::Mod mods) {
    TS_INPUT(ui::input::KeyUp(f, key, ch, mods), "release key " << key << " in " << ClassOf(f));
}
void Harness::Tab(ui::Form& f, bool backwards) {
    TS_INPUT(ui::input::Tab(f, backwards), "tab in " << ClassOf(f));
}
void Harness::Focus(ui::Control& c) {
    TS_INPUT(ui::input::Focus(c), "focus " << NameOf(c));
}
void Harness::Click(ui::Control& c) {
    TS_INPUT(ui::input::Click(c), "click " << NameOf(c));
}
void Harness::DblClick(ui::Control& c) {
    TS_INPUT(ui::input::DoubleClick(c), "double click " << NameOf(c));
}
void Harness::MouseMove(ui::Control& c, int x, int y) {
    TS_INPUT(ui::input::MouseMove(c, ui::MouseEvent{ui::MouseButton::Left, ui::Mod::None, x, y}),
             "move the mouse over " << NameOf(c));
}
void Harness::MouseMove(ui::Form& f, int x, int y) {
    TS_INPUT(ui::input::FormMouseMove(f, ui::MouseEvent{ui::MouseButton::Left, ui::Mod::None, x, y}),
             "move the mouse over " << ClassOf(f));
}
void Harness::Select(ui::ListBox& l, int index) {
    TS_INPUT(ui::input::SelectItem(l, index), "select item " << index << " of " << NameOf(l));
}
void Harness::DblClickItem(ui::ListBox& l, int index) {
    TS_INPUT(ui::input::DoubleClickItem(l, index), "double click item " << index << " of " << NameOf(l));
}
void Harness::Select(ui::ComboEdit& c, int index) {
    TS_INPUT(ui::input::SelectItem(c, index), "pick item " << index << " of " << NameOf(c));
}
void Harness::Toggle(ui::CheckBox& c) {
    TS_INPUT(ui::input::Toggle(c), "click " << NameOf(c));
}
void Harness::PickDate(ui::Calendar& c, rtl::Date d) {
    TS_INPUT(ui::input::PickDate(c, d), "pick a date in " << NameOf(c));
}
void Harness::EditCell(ui::StringGrid& g, int col, int row, std::string_view text) {
    TS_INPUT(ui::input::EditCell(g, col, row, text),
             "edit cell " << col << "," << row << " of " << NameOf(g));
}
void Harness::CloseWindow(ui::Form& f) {
    TS_INPUT(ui::input::CloseWindow(f), "close " << ClassOf(f));
}

#undef TS_INPUT

} // namespace ts
