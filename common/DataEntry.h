#pragma once
// The data-entry behaviours that the windows give their edits: the yellow
// highlight of the focused field (drawn in the edit's "background" style
// element, or as an `eff` rectangle of the layout), the Enter-key focus chain,
// date fields filled by the date picker, the digit and amount key filters,
// upper-case typing and the hints of the status line.
//
// Each behaviour is a handler that a window calls from its own handler of the
// edit's event (txtTipoEnter, txtLetturaKeyDown ...); the Bind helpers wire
// the common cases in one line.
#include <string>
#include <string_view>

#include "platform/ui/Control.h"
#include "platform/ui/Form.h"
#include "platform/ui/Types.h"

namespace entry {

// Colours of the field highlight.
inline constexpr ui::Color Focused = 0xFFFFFF00;      // yellow, while the edit has the focus
inline constexpr ui::Color Stroke = 0xFF87CEEB;       // the rectangle's stroke
inline constexpr ui::Color Resting = 0xFFF0F8FF;      // the common resting colour
inline constexpr ui::Color RestingWhite = 0xFFFFFFFF; // fields that their window names
inline constexpr ui::Color RestingTotal = 0xFFB0C4DE; // computed totals, never yellow

// --- Highlight in the style element ---
// Style applied: margins zero and one new rectangle in the resting colour.
void StyleApplied(ui::Edit& edit, ui::Color resting);
// Enter and exit: the rectangle turns yellow, or back to the resting colour.
void StyleEnter(ui::Edit& edit);
void StyleExit(ui::Edit& edit, ui::Color resting);
// Binds the three to the edit. With `turnsYellow` false (fields that only show
// values) the style is applied and nothing happens on enter and exit.
void BindStyleHighlight(ui::Edit& edit, ui::Color resting = Resting, bool turnsYellow = true);

// --- Highlight rectangle `eff<Field>` ---
void RectEnter(ui::Rectangle& eff);
void RectExit(ui::Rectangle& eff);
void BindHighlightRect(ui::Edit& edit, ui::Rectangle& eff);

// --- Enter-key focus chain ---
// Enter moves the focus to `next`; the key is not consumed and no other key
// is touched.
void ChainKeyDown(ui::KeyEvent& key, ui::Control& next);

// --- Date fields ---
// Backspace or Delete empties the field; Enter moves to `next` (when `next`
// is null, Enter opens the picker like any other key); Tab and a modifier key
// alone (Shift, Ctrl, Alt ...) do nothing here; every other key opens the
// date picker, owned by the field's window, with the field's routing tag;
// the picker writes the date it imports into the field.
void DateFieldKeyDown(ui::Edit& field, ui::KeyEvent& key, std::string_view routingTag, ui::Control* next);

// --- Digit and amount filters ---
// Enter moves to `next`; Backspace, Delete, Left, Right, Tab and Escape pass;
// a key whose character is a digit (or "," for amounts) passes; every other
// key is swallowed. Without `next`, Enter passes too: it presses the window's
// default command.
void DigitKeyDown(ui::KeyEvent& key, ui::Control& next);
void DigitKeyDown(ui::KeyEvent& key);
void AmountKeyDown(ui::KeyEvent& key, ui::Control& next);

// --- Upper-case typing ---
// The text becomes its trimmed text with a-z upper-cased; the caret stays
// where it was as far as the text allows.
void UpperCaseTyping(ui::Edit& edit);

// --- Status line ---
// The command's hint into the status line; the background empties it.
void ShowHint(ui::Control& panInfo, const std::string& hint);
void ClearHint(ui::Control& panInfo);

} // namespace entry
