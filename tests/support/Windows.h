#pragma once
// What the window tests of several work areas check alike: the help window
// a command opens, and the status-line hints of an export window.
#include <string>

#include "platform/ui/Form.h"
#include "tests/support/Harness.h"

namespace ts {

// The title and the text of the help window opened by clicking `comando`.
struct Guida {
    std::string titolo;
    std::string testo;
};
Guida ApriGuida(Harness& h, ui::Control& comando);

// An export window's status line: the first hint at the showing, the hint of
// each command (cmdEsporta, cmdGuida, cmdEsci) under the mouse, nothing over
// the grid.
void VerificaSuggerimentiEsportazione(Harness& h, ui::Form& finestra);

} // namespace ts
