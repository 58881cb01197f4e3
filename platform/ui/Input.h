#pragma once
// What a user does, as entry points into the model. The Qt backend turns real
// input into these calls; the tests call them directly, so a headless test
// runs the same paths as a user.
//
// Each call is one dispatch: an exception escaping a handler is caught here
// and shown in the standard error box, and a modal run ended by a handler
// (a modal result, a Close) is finished when the handlers have returned.
// A call returns false, changing nothing, when a user could not do it: a
// hidden or disabled control, a window hidden or lying under a window in a
// modal run, a key with no focused control to take it (but Tab, and Enter or
// Escape that press a command of the window).
#include <cstdint>
#include <string_view>

#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/Types.h"

namespace ui::input {

// Key down and key up for the focused control of the form (or the form's
// own OnKeyDown when nothing has the focus). Key down order: an open
// drop-down list takes its keys first (below); then the control's OnKeyDown
// (it may change or swallow the key); then, unless swallowed or the focus
// moved meanwhile: Tab moves the focus; Escape presses the window's cancel
// command and Enter its default command (Form::CancelCommand, as a click
// would), except where the focused control takes the key itself (Enter on a
// button, in a memo, either key in a grid's cell being edited); Enter or
// Space presses a focused button, an edit applies editing keys and typed
// characters (text change, OnTyping, OnChange), a grid edits its selected
// cell when the cell is editable (a typed character replaces the text, or
// adds to it while the cell is being edited; Backspace takes off the last
// character; F2 starts editing keeping the text; Enter and Escape end it),
// with OnCellEdited. Edits and cells take only the characters they can hand
// on to a file (Edit::TakesCharacter); a key with any other character
// changes no text.
// A combo: F4, Alt+Down and Alt+Up open its drop-down list (Space too in a
// combo that takes no typing, ReadOnly); Up and Down step to the item before
// or after its current one; in a combo that takes no typing, typed letters
// pick the item they begin (ComboEdit::FindTyped). An open list takes Up,
// Down, Home, End and typed letters to move its highlight; Enter, F4 and
// Alt+Up or Alt+Down pick the highlighted item and close it, Escape closes it
// without a pick, Tab closes it and moves on.
bool KeyDown(Form& f, std::uint16_t key, char32_t ch = 0, Mod mods = Mod::None);
bool KeyUp(Form& f, std::uint16_t key, char32_t ch = 0, Mod mods = Mod::None);
// The same key down, leaving in `k` what the handlers made of it: a key that
// reads Swallowed(), or whose code a handler changed, was not let through as
// it came, and a real widget must not act on it.
bool KeyDown(Form& f, KeyEvent& k);
// Key down then key up.
bool PressKey(Form& f, std::uint16_t key, char32_t ch = 0, Mod mods = Mod::None);
// Types a UTF-8 text character by character, each as a key press with the
// key code of a real keyboard (letters 65-90, digits 48-57, blank 32, ...).
bool TypeText(Form& f, std::string_view utf8);
// Pastes into the focused edit (not a read-only one, whose text only the
// program sets): each character passes the same key-down path
// as typing, so key filters apply; characters refused by a filter, or that
// the edit does not take, are dropped.
bool Paste(Form& f, std::string_view utf8);
// The key code a keyboard gives for a character (0 when none).
std::uint16_t KeyCodeFor(char32_t ch);

// Tab and Shift+Tab.
bool Tab(Form& f, bool backwards = false);
// Puts the focus on a control as a mouse click into it would.
bool Focus(Control& c);

// Mouse: down, up and click on the control (focusing it when focusable).
bool Click(Control& c);
// The whole double-click gesture: a click, then the double click.
bool DoubleClick(Control& c);
// The second press of a real double click, whose first press and release
// already went through Click: only the double-click handler runs.
bool SecondClick(Control& c);
// A real pointer's click in two steps: the mouse-down handler runs when the
// button goes down, so that what it shows is drawn while the button is held;
// the release runs the rest of the click when it comes up over the control
// (focus, the click, mouse up), or only the mouse-up handler elsewhere.
bool PressMouse(Control& c, const MouseEvent& e);
bool ReleaseMouse(Control& c, const MouseEvent& e, bool over);
bool MouseDown(Control& c, const MouseEvent& e);
bool MouseUp(Control& c, const MouseEvent& e);
bool MouseMove(Control& c, const MouseEvent& e);
bool FormMouseMove(Form& f, const MouseEvent& e);

// Lists and pickers.
bool SelectItem(ListBox& l, int index);      // a click on the item
bool DoubleClickItem(ListBox& l, int index); // both clicks on the item
// The second press of a real double click on an item, whose first press
// already selected it (SelectItem): only the double-click handler runs (the
// item is selected first, with its click, if the first press missed it).
bool SecondClickItem(ListBox& l, int index);
bool SelectItem(ComboEdit& c, int index); // picked from the drop-down
// The drop-down list opened (a click on the combo's arrow) or closed (a click
// elsewhere) by the real widget; opening focuses the combo.
bool DropDown(ComboEdit& c, bool open);
bool Toggle(CheckBox& c);                // a click on the box
bool PickDate(Calendar& c, rtl::Date d); // a click on a day
bool MoveDate(Calendar& c, rtl::Date d); // moved by keyboard: no click
bool SelectCell(StringGrid& g, int col, int row);
// The text of a cell editor put into the cell, less the characters that
// windows-1252 does not hold as text (rtl::IsCp1252Text).
bool EditCell(StringGrid& g, int col, int row, std::string_view text);

// The real window's client area took this size (maximised, or resized by
// the user): the form's client size follows, docked controls are placed
// again and the form's OnResize runs.
bool Resize(Form& f, int clientWidth, int clientHeight);

// The close box of the window manager (refused when the window has none).
bool CloseWindow(Form& f);
// Asks an edit to apply its style again (as a theme change would).
bool ApplyStyle(Edit& e);
// A timer's interval elapsed (the backend's real timer).
bool TimerTick(Timer& t);

} // namespace ui::input
