#pragma once
// What the two booking dialogs do alike with their booking text: its length
// limit and the clear and clipboard commands beside it.
#include "platform/ui/Control.h"

namespace bookings {

// The booking text (the customer's name) holds at most this many characters.
inline constexpr int kLunghezzaPrenotazione = 50;

// The clear command: empties the text (its change handler runs when it held
// something) and puts the focus in it.
void CancellaTesto(ui::Edit& txtPrenotazione);

// The clipboard command: a blank text gives a warning and the focus; otherwise
// the text, untrimmed, goes to the clipboard and an information message says
// so. Without a clipboard nothing happens; a failing clipboard is not caught
// here, so its own text reaches the error box and no information is shown.
void CopiaTesto(ui::Edit& txtPrenotazione);

} // namespace bookings
