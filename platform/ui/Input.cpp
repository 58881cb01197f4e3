#include "platform/ui/Input.h"

#include <algorithm>

#include "platform/rtl/Text.h"
#include "platform/ui/Application.h"
#include "platform/ui/Internal.h"

namespace ui::input {

namespace {

// Whether a user can reach the control with the mouse.
bool Reachable(const Control& c) {
    const Form& f = c.GetForm();
    return f.App().TakesInput(f) && c.IsShowing() && c.IsEnabled() && c.HitTest();
}

bool TakesKeys(const Form& f) {
    return f.App().TakesInput(f);
}

void Navigate(Form& f, bool backwards) {
    std::vector<Control*> seq = f.TabSequence();
    if (seq.empty()) return;
    auto it = std::find(seq.begin(), seq.end(), f.Focused());
    const std::size_t n = seq.size();
    const bool none = it == seq.end();
    std::size_t i = none ? (backwards ? 0 : n - 1) : std::size_t(it - seq.begin());
    // The next control that accepts the focus (OnCanFocus may refuse it).
    for (std::size_t step = 0; step < n; ++step) {
        i = backwards ? (i + n - 1) % n : (i + 1) % n;
        if (!none && seq[i] == *it) return;
        seq[i]->SetFocus();
        if (seq[i]->IsFocused()) return;
    }
}

// A button pressed (clicked, or Enter/Space while focused).
void Press(Button& b) {
    if (b.OnClick) b.OnClick();
    if (b.GetModalResult() != ModalResult::None) b.GetForm().SetModalResult(b.GetModalResult());
}

// The window's command for Enter or Escape, unless the focused control takes
// the key itself: a button presses itself on Enter, a memo starts a new line,
// a grid ends the editing of its cell.
Control* CommandFor(const Form& f, const Control* focused, const KeyEvent& k) {
    if (k.Ctrl() || k.Alt()) return nullptr;
    if (auto* g = dynamic_cast<const StringGrid*>(focused); g && g->Editing()) return nullptr;
    if (k.key == vk::Escape) return f.CancelCommand();
    if (k.key != vk::Return || dynamic_cast<const Button*>(focused)) return nullptr;
    if (focused && focused->Kind() == ControlKind::Memo) return nullptr;
    return f.DefaultCommand();
}

// A command pressed by its key, as a click on it would: a button, or a
// picture that a window uses as one.
void PressCommand(Control& c) {
    if (auto* b = dynamic_cast<Button*>(&c))
        Press(*b);
    else if (c.OnClick)
        c.OnClick();
}

// Arrows, Home, End and the page keys move a list's selection; a page is
// the lines the box shows.
void ListKey(ListBox& l, std::uint16_t key) {
    const int last = int(l.Count()) - 1;
    if (last < 0) return;
    const int lineHeight = l.ItemHeight() > 0 ? l.ItemHeight() : std::max(1, int(l.ItemFont().size * 5 / 3));
    const int page = std::max(1, l.Height() / lineHeight - 1);
    const int at = l.ItemIndex();
    int to = at;
    switch (key) {
    case vk::Up:
        to = at > 0 ? at - 1 : at;
        break;
    case vk::Down:
        to = std::min(last, at + 1);
        break;
    case vk::Home:
        to = 0;
        break;
    case vk::End:
        to = last;
        break;
    case vk::PageUp:
        to = at < 0 ? at : std::max(0, at - page);
        break;
    case vk::PageDown:
        to = std::min(last, std::max(0, at) + page);
        break;
    default:
        return;
    }
    if (to != at) l.SetItemIndex(to);
}

// Keys of an open drop-down list, which take them before the combo's own key
// handler: Up, Down, Home, End and typed letters move the highlight; Enter,
// F4, Alt+Up and Alt+Down pick the highlighted item and close the list;
// Escape closes it without a pick, and so does Tab, which then moves on.
// Returns whether the key ends here.
bool DropDownKey(ComboEdit& cb, const KeyEvent& k) {
    const int last = int(cb.Items().size()) - 1;
    const int at = cb.Highlighted();
    const bool letter = k.ch >= 32 && k.ch != 127 && !k.Ctrl() && !k.Alt();
    if (!letter) cb.ForgetTyped();
    switch (k.key) {
    case vk::Up:
    case vk::Down:
        if (k.Alt()) break;
        cb.SetHighlighted(k.key == vk::Down ? std::min(last, at + 1) : std::max(0, at - 1));
        return true;
    case vk::Home:
        cb.SetHighlighted(0);
        return true;
    case vk::End:
        cb.SetHighlighted(last);
        return true;
    case vk::Escape:
        cb.SetDroppedDown(false);
        return true;
    case vk::Tab:
        cb.SetDroppedDown(false);
        return false;
    case vk::Return:
    case vk::F4:
        break;
    default:
        if (letter)
            if (const int i = cb.FindTyped(k.ch, at); i >= 0) cb.SetHighlighted(i);
        return true;
    }
    cb.SetDroppedDown(false);
    if (at >= 0) cb.SetItemIndex(at);
    return true;
}

// Keys of a closed combo: F4, Alt+Down and Alt+Up open its list (so does
// Space in a combo that takes no typing); Up and Down step to the item before
// or after the current one; in a combo that takes no typing a typed letter
// picks the item it begins (ComboEdit::FindTyped). Returns whether the key
// was the combo's.
bool ComboKey(ComboEdit& cb, const KeyEvent& k) {
    const bool pickOnly = cb.ReadOnly();
    const bool arrow = k.key == vk::Up || k.key == vk::Down;
    if ((k.key == vk::F4 && !k.Alt() && !k.Ctrl()) || (arrow && k.Alt()) ||
        (pickOnly && k.key == vk::Space && k.mods == Mod::None)) {
        cb.SetDroppedDown(true);
        return true;
    }
    if (arrow) {
        cb.ForgetTyped();
        const int to = cb.CurrentItem() + (k.key == vk::Down ? 1 : -1);
        if (to >= 0 && to < int(cb.Items().size())) cb.SetItemIndex(to);
        return true;
    }
    if (!pickOnly) return false;
    if (k.ch >= 32 && k.ch != 127 && !k.Ctrl() && !k.Alt()) {
        if (const int i = cb.FindTyped(k.ch, cb.CurrentItem()); i >= 0) cb.SetItemIndex(i);
        return true;
    }
    cb.ForgetTyped();
    return false;
}

// Up and Down in a memo: the caret goes to the same column of the line above
// or below (or that line's end when it is shorter).
void MemoLineKey(Edit& e, bool up) {
    const std::u32string text = detail::Decode(e.Text());
    const auto caret = std::size_t(std::min<int>(e.CaretPosition(), int(text.size())));
    const std::size_t lineStart = caret == 0 ? 0 : text.rfind(U'\n', caret - 1) + 1; // npos + 1 == 0
    const std::size_t column = caret - lineStart;
    std::size_t targetStart;
    if (up) {
        if (lineStart == 0) return;
        targetStart = lineStart == 1 ? 0 : text.rfind(U'\n', lineStart - 2) + 1;
    } else {
        const std::size_t lineEnd = text.find(U'\n', caret);
        if (lineEnd == std::u32string::npos) return;
        targetStart = lineEnd + 1;
    }
    std::size_t targetEnd = text.find(U'\n', targetStart);
    if (targetEnd == std::u32string::npos) targetEnd = text.size();
    e.SetCaretPosition(int(std::min(targetStart + column, targetEnd)));
}

bool CellEditable(const StringGrid& g, int col) {
    return !g.ReadOnly() && col >= 0 && col < g.ColumnCount() && !g.Columns()[std::size_t(col)].readOnly;
}

// A cell's text goes to files written in windows-1252 (the exports): a
// user's edit keeps only the text that code page holds.
std::string CellText(std::string_view typed) {
    std::u32string text = detail::Decode(typed);
    std::erase_if(text, [](char32_t c) { return !rtl::IsCp1252Text(c); });
    return detail::Encode(text);
}

// A cell changed by the user.
void StoreCell(StringGrid& g, int col, int row, const std::string& text) {
    g.SetCell(col, row, text);
    if (g.OnCellEdited) g.OnCellEdited(col, row);
}

// Keys editing the selected cell of a focused grid.
void GridKey(StringGrid& g, const KeyEvent& k) {
    const int col = g.Col(), row = g.Row();
    if (row < 0 || !CellEditable(g, col)) return;
    if (k.key == vk::Return || k.key == vk::Escape) {
        g.SetEditing(false);
        return;
    }
    if (k.key == vk::F2 && k.mods == Mod::None) {
        g.SetEditing(true);
        return;
    }
    if (k.key == vk::Back && g.Editing()) {
        std::u32string text = detail::Decode(g.Cell(col, row));
        if (text.empty()) return;
        text.pop_back();
        StoreCell(g, col, row, detail::Encode(text));
        return;
    }
    if (!rtl::IsCp1252Text(k.ch) || k.Ctrl() || k.Alt()) return;
    const std::string typed = detail::Encode(k.ch);
    const std::string text = g.Editing() ? g.Cell(col, row) + typed : typed;
    g.SetEditing(true);
    StoreCell(g, col, row, text);
}

// The key-down path of one key; returns false when there is no window to take it.
void KeyDownPath(Form& f, KeyEvent& k) {
    Control* c = f.Focused();
    if (!c) {
        if (f.OnKeyDown) f.OnKeyDown(k);
        if (k.Swallowed()) return;
        if (k.key == vk::Tab)
            Navigate(f, k.Shift());
        else if (Control* command = CommandFor(f, nullptr, k))
            PressCommand(*command);
        return;
    }
    if (auto* cb = dynamic_cast<ComboEdit*>(c); cb && cb->DroppedDown() && DropDownKey(*cb, k)) return;
    if (c->OnKeyDown) c->OnKeyDown(k);
    if (k.Swallowed() || f.Focused() != c) return; // swallowed, or taken elsewhere
    if (k.key == vk::Tab && !k.Ctrl() && !k.Alt()) {
        Navigate(f, k.Shift());
        return;
    }
    if (Control* command = CommandFor(f, c, k)) {
        PressCommand(*command);
        return;
    }
    if (auto* b = dynamic_cast<Button*>(c)) {
        if (k.key == vk::Return || k.key == vk::Space) Press(*b);
        return;
    }
    if (auto* cb = dynamic_cast<CheckBox*>(c)) {
        if (k.key == vk::Space) {
            cb->SetChecked(!cb->Checked());
            if (cb->OnClick) cb->OnClick();
        }
        return;
    }
    if (auto* l = dynamic_cast<ListBox*>(c)) {
        ListKey(*l, k.key);
        return;
    }
    if (auto* g = dynamic_cast<StringGrid*>(c)) {
        GridKey(*g, k);
        return;
    }
    if (auto* cb = dynamic_cast<ComboEdit*>(c); cb && ComboKey(*cb, k)) return;
    if (auto* e = dynamic_cast<Edit*>(c);
        e && e->Kind() == ControlKind::Memo && (k.key == vk::Up || k.key == vk::Down)) {
        MemoLineKey(*e, k.key == vk::Up);
        return;
    }
    if (auto* e = dynamic_cast<Edit*>(c)) {
        switch (k.key) {
        case vk::Back:
        case vk::Delete:
        case vk::Left:
        case vk::Right:
        case vk::Home:
        case vk::End:
            e->EditKey(k.key, k.mods);
            return;
        case vk::Return:
            if (e->Kind() == ControlKind::Memo) e->InsertTyped("\n");
            return;
        default:
            break;
        }
        if (k.ch >= 32 && k.ch != 127 && !k.Ctrl() && !k.Alt()) e->InsertTyped(detail::Encode(k.ch));
    }
}

} // namespace

std::uint16_t KeyCodeFor(char32_t ch) {
    if (ch >= U'a' && ch <= U'z') return std::uint16_t(ch - U'a' + 'A');
    if ((ch >= U'A' && ch <= U'Z') || (ch >= U'0' && ch <= U'9')) return std::uint16_t(ch);
    switch (ch) {
    case U' ':
        return vk::Space;
    case U',':
        return vk::Comma;
    case U'.':
        return vk::Period;
    case U'-':
        return vk::Minus;
    default:
        return 0;
    }
}

bool KeyDown(Form& f, std::uint16_t key, char32_t ch, Mod mods) {
    // Without a focused control only Tab (to the first stop) and the form's
    // own key handler can do something.
    KeyEvent k{key, ch, mods};
    return KeyDown(f, k);
}

bool KeyDown(Form& f, KeyEvent& k) {
    if (!TakesKeys(f) || (!f.Focused() && k.key != vk::Tab && !f.OnKeyDown && !CommandFor(f, nullptr, k)))
        return false;
    return detail::Dispatch(f.App(), [&] {
        KeyDownPath(f, k);
        return true;
    });
}

bool KeyUp(Form& f, std::uint16_t key, char32_t ch, Mod mods) {
    if (!TakesKeys(f)) return false;
    return detail::Dispatch(f.App(), [&] {
        KeyEvent k{key, ch, mods};
        if (Control* c = f.Focused()) {
            if (c->OnKeyUp) c->OnKeyUp(k);
        }
        return true;
    });
}

bool PressKey(Form& f, std::uint16_t key, char32_t ch, Mod mods) {
    if (!KeyDown(f, key, ch, mods)) return false;
    KeyUp(f, key, ch, mods);
    return true;
}

bool TypeText(Form& f, std::string_view utf8) {
    for (char32_t ch : detail::Decode(utf8)) {
        Mod mods = (ch >= U'A' && ch <= U'Z') ? Mod::Shift : Mod::None;
        if (!PressKey(f, KeyCodeFor(ch), ch, mods)) return false;
    }
    return true;
}

bool Paste(Form& f, std::string_view utf8) {
    const auto* edit = dynamic_cast<const Edit*>(f.Focused());
    if (!TakesKeys(f) || !edit || edit->ReadOnly()) return false;
    Control* target = f.Focused();
    return detail::Dispatch(f.App(), [&] {
        for (char32_t ch : detail::Decode(utf8)) {
            if (f.Focused() != target) break;
            if (ch == U'\r' || (ch == U'\n' && target->Kind() != ControlKind::Memo)) continue;
            KeyEvent k{ch == U'\n' ? vk::Return : KeyCodeFor(ch), ch == U'\n' ? char32_t(0) : ch, Mod::None};
            KeyDownPath(f, k);
        }
        return true;
    });
}

bool Tab(Form& f, bool backwards) {
    return PressKey(f, vk::Tab, 0, backwards ? Mod::Shift : Mod::None);
}

bool Focus(Control& c) {
    if (!Reachable(c) || !c.Focusable()) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        c.SetFocusByMouse();
        return c.IsFocused();
    });
}

bool MouseDown(Control& c, const MouseEvent& e) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        if (c.Focusable()) c.SetFocusByMouse();
        MouseEvent m = e;
        if (c.OnMouseDown) c.OnMouseDown(m);
        return true;
    });
}

bool MouseUp(Control& c, const MouseEvent& e) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        MouseEvent m = e;
        if (c.OnMouseUp) c.OnMouseUp(m);
        return true;
    });
}

bool MouseMove(Control& c, const MouseEvent& e) {
    if (!TakesKeys(c.GetForm()) || !c.IsShowing() || !c.HitTest()) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        MouseEvent m = e;
        if (c.OnMouseMove) c.OnMouseMove(m);
        return true;
    });
}

bool FormMouseMove(Form& f, const MouseEvent& e) {
    if (!TakesKeys(f)) return false;
    return detail::Dispatch(f.App(), [&] {
        MouseEvent m = e;
        if (f.OnMouseMove) f.OnMouseMove(m);
        return true;
    });
}

// One click: mouse down (focus), the click itself, mouse up; without the
// mouse-down handler when the press already ran it.
static void ClickPath(Control& c, bool mouseDown = true) {
    MouseEvent m;
    if (c.Focusable()) c.SetFocusByMouse();
    if (mouseDown && c.OnMouseDown) c.OnMouseDown(m);
    if (auto* b = dynamic_cast<Button*>(&c))
        Press(*b);
    else if (auto* cb = dynamic_cast<CheckBox*>(&c)) {
        cb->SetChecked(!cb->Checked());
        if (cb->OnClick) cb->OnClick();
    } else if (c.OnClick)
        c.OnClick();
    if (c.OnMouseUp) c.OnMouseUp(m);
}

bool Click(Control& c) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        ClickPath(c);
        return true;
    });
}

bool PressMouse(Control& c, const MouseEvent& e) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        MouseEvent m = e;
        if (c.OnMouseDown) c.OnMouseDown(m);
        return true;
    });
}

bool ReleaseMouse(Control& c, const MouseEvent& e, bool over) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        if (over) {
            ClickPath(c, false);
        } else {
            MouseEvent m = e;
            if (c.OnMouseUp) c.OnMouseUp(m);
        }
        return true;
    });
}

bool DoubleClick(Control& c) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        ClickPath(c);
        if (c.OnDblClick) c.OnDblClick();
        return true;
    });
}

bool SecondClick(Control& c) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        if (c.OnDblClick) c.OnDblClick();
        return true;
    });
}

bool SelectItem(ListBox& l, int index) {
    if (!Reachable(l) || index < 0 || index >= int(l.Count())) return false;
    return detail::Dispatch(l.GetForm().App(), [&] {
        l.SetFocus();
        l.SetItemIndex(index);
        if (l.OnClick) l.OnClick();
        return true;
    });
}

bool DoubleClickItem(ListBox& l, int index) {
    if (!Reachable(l) || index < 0 || index >= int(l.Count())) return false;
    return detail::Dispatch(l.GetForm().App(), [&] {
        l.SetFocus();
        l.SetItemIndex(index);
        if (l.OnClick) l.OnClick();
        if (l.OnDblClick) l.OnDblClick();
        return true;
    });
}

bool SecondClickItem(ListBox& l, int index) {
    if (!Reachable(l) || index < 0 || index >= int(l.Count())) return false;
    return detail::Dispatch(l.GetForm().App(), [&] {
        if (l.ItemIndex() != index) {
            l.SetFocus();
            l.SetItemIndex(index);
            if (l.OnClick) l.OnClick();
        }
        if (l.OnDblClick) l.OnDblClick();
        return true;
    });
}

bool SelectItem(ComboEdit& c, int index) {
    if (!Reachable(c) || index < 0 || index >= int(c.Items().size())) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        c.SetFocus();
        c.SetDroppedDown(false);
        c.SetItemIndex(index);
        return true;
    });
}

bool DropDown(ComboEdit& c, bool open) {
    if (!Reachable(c) || c.DroppedDown() == open) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        if (open) c.SetFocus();
        if (c.IsFocused() || !open) c.SetDroppedDown(open);
        return true;
    });
}

bool Toggle(CheckBox& c) {
    return Click(c);
}

bool PickDate(Calendar& c, rtl::Date d) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        c.SetFocus();
        c.SetDate(d);
        if (c.OnClick) c.OnClick();
        return true;
    });
}

bool MoveDate(Calendar& c, rtl::Date d) {
    if (!Reachable(c)) return false;
    return detail::Dispatch(c.GetForm().App(), [&] {
        c.SetFocus();
        c.SetDate(d);
        return true;
    });
}

bool SelectCell(StringGrid& g, int col, int row) {
    if (!Reachable(g) || col < 0 || col >= g.ColumnCount() || row < 0 || row >= g.RowCount()) return false;
    return detail::Dispatch(g.GetForm().App(), [&] {
        g.SetFocus();
        g.SelectCell(col, row);
        return true;
    });
}

bool EditCell(StringGrid& g, int col, int row, std::string_view text) {
    if (!Reachable(g) || col < 0 || col >= g.ColumnCount() || row < 0 || row >= g.RowCount()) return false;
    if (!CellEditable(g, col)) return false;
    return detail::Dispatch(g.GetForm().App(), [&] {
        g.SetFocus();
        g.SelectCell(col, row);
        StoreCell(g, col, row, CellText(text));
        return true;
    });
}

bool Resize(Form& f, int clientWidth, int clientHeight) {
    if (clientWidth <= 0 || clientHeight <= 0) return false;
    return detail::Dispatch(f.App(), [&] {
        f.ClientResized(clientWidth, clientHeight);
        return true;
    });
}

bool CloseWindow(Form& f) {
    if (!TakesKeys(f) || !f.CloseBox() || f.GetBorderStyle() == BorderStyle::None) return false;
    return detail::Dispatch(f.App(), [&] {
        f.Close();
        return true;
    });
}

bool ApplyStyle(Edit& e) {
    return detail::Dispatch(e.GetForm().App(), [&] {
        e.ApplyStyle();
        return true;
    });
}

bool TimerTick(Timer& t) {
    if (!t.Enabled()) return false;
    return detail::Dispatch(t.GetForm().App(), [&] {
        if (t.OnTimer) t.OnTimer();
        return true;
    });
}

} // namespace ui::input
