#include "common/DataEntry.h"

#include <algorithm>
#include <memory>

#include "common/Calendario.h"
#include "platform/rtl/Text.h"

namespace entry {

namespace {

// The highlight rectangle of the edit's current "background" element: the one
// its last style application added. Null when there is none.
ui::StyleElement* Background(ui::Edit& edit) {
    ui::StyleElement* bg = edit.FindStyleResource("background");
    if (bg) bg->SetMargins(0);
    return bg;
}

void Recolour(ui::Edit& edit, ui::Color fill) {
    ui::StyleElement* bg = Background(edit);
    if (!bg || bg->children.empty()) return;
    edit.SetStyleRectFill(*bg->children.back(), fill);
}

// Shift, Ctrl, Alt, Caps Lock, the Windows keys and Num Lock.
bool IsModifierKey(std::uint16_t code) {
    return (code >= 16 && code <= 18) || code == 20 || code == 91 || code == 92 || code == 144;
}

} // namespace

void StyleApplied(ui::Edit& edit, ui::Color resting) {
    ui::StyleElement* bg = Background(edit);
    if (!bg) return;
    ui::StyleRect& r = bg->AddRect();
    r.stroke = Stroke;
    r.hitTest = false;
    r.fillParent = true;
    r.fill = resting; // the edit announces its new element when this handler returns
}

void StyleEnter(ui::Edit& edit) {
    Recolour(edit, Focused);
}

void StyleExit(ui::Edit& edit, ui::Color resting) {
    Recolour(edit, resting);
}

void BindStyleHighlight(ui::Edit& edit, ui::Color resting, bool turnsYellow) {
    edit.OnApplyStyleLookup = [&edit, resting] { StyleApplied(edit, resting); };
    if (!turnsYellow) return;
    edit.OnEnter = [&edit] { StyleEnter(edit); };
    edit.OnExit = [&edit, resting] { StyleExit(edit, resting); };
}

void RectEnter(ui::Rectangle& eff) {
    eff.SetVisible(true);
}

void RectExit(ui::Rectangle& eff) {
    eff.SetVisible(false);
}

void BindHighlightRect(ui::Edit& edit, ui::Rectangle& eff) {
    edit.OnEnter = [&eff] { RectEnter(eff); };
    edit.OnExit = [&eff] { RectExit(eff); };
}

void ChainKeyDown(ui::KeyEvent& key, ui::Control& next) {
    if (key.key == ui::vk::Return) next.SetFocus();
}

void DateFieldKeyDown(ui::Edit& field, ui::KeyEvent& key, std::string_view routingTag, ui::Control* next) {
    // Tab leaves the field as everywhere else, and a modifier pressed on its
    // own (the start of Shift+Tab, Alt+F4, Ctrl+C) is not yet a key for the
    // field: neither opens the picker.
    if (key.key == ui::vk::Tab || IsModifierKey(key.key)) return;
    if (key.key == ui::vk::Back || key.key == ui::vk::Delete) {
        field.SetText("");
        return;
    }
    if (key.key == ui::vk::Return && next) {
        next->SetFocus();
        return;
    }
    ui::Form& owner = field.GetForm();
    auto picker = std::make_unique<TfrmCalendario>(owner.App(), &owner);
    picker->ImpostaChiamante(routingTag);
    picker->ImpostaCampo(field);
    picker->ShowModal();
}

namespace {

void FilterKeyDown(ui::KeyEvent& key, ui::Control* next, bool amount) {
    switch (key.key) {
    case ui::vk::Return:
        if (next) next->SetFocus();
        return;
    case ui::vk::Back:
    case ui::vk::Delete:
    case ui::vk::Left:
    case ui::vk::Right:
    case ui::vk::Tab:    // changes no text: the focus may always leave the field
    case ui::vk::Escape: // and the window may always be left by its cancel command
        return;
    default:
        break;
    }
    if ((key.ch >= U'0' && key.ch <= U'9') || (amount && key.ch == U',')) return;
    key.Swallow();
}

} // namespace

void DigitKeyDown(ui::KeyEvent& key, ui::Control& next) {
    FilterKeyDown(key, &next, false);
}

void DigitKeyDown(ui::KeyEvent& key) {
    FilterKeyDown(key, nullptr, false);
}

void AmountKeyDown(ui::KeyEvent& key, ui::Control& next) {
    FilterKeyDown(key, &next, true);
}

void UpperCaseTyping(ui::Edit& edit) {
    std::string text = rtl::UpperAscii(rtl::Trim(edit.Text()));
    if (text == edit.Text()) return;
    int caret = edit.CaretPosition();
    edit.SetText(text);
    edit.SetCaretPosition(std::min<int>(caret, static_cast<int>(edit.Length())));
}

void ShowHint(ui::Control& panInfo, const std::string& hint) {
    panInfo.SetText(hint);
}

void ClearHint(ui::Control& panInfo) {
    panInfo.SetText("");
}

} // namespace entry
