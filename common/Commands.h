#pragma once
// What the windows with a status line share: each command's click and the
// hint it shows in `panInfo` while the mouse moves over it, and the
// background that clears the hint.
#include <functional>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

#include "platform/ui/Form.h"

namespace common {

// While the mouse moves over `controllo`, `hint` stands in `panInfo`.
void LegaSuggerimento(ui::Control& controllo, ui::Control& panInfo, std::string hint);

// The form itself and the controls named (its background and decoration)
// clear the status line `panInfo` when the mouse moves over them.
void LegaSfondo(ui::Form& form, ui::Control& panInfo, std::span<const std::string_view> sfondo);
inline void LegaSfondo(ui::Form& form, ui::Control& panInfo, std::initializer_list<std::string_view> sfondo) {
    LegaSfondo(form, panInfo, std::span<const std::string_view>(sfondo.begin(), sfondo.size()));
}

// A command of window `W`: its control, the window's handler of a click
// (none: the click is bound elsewhere) and its hint.
template <class W> struct ComandoDi {
    ui::Control& cmd;
    void (W::*click)();
    const char* hint;
};

template <class W>
void LegaComandi(W& finestra, ui::Control& panInfo, std::initializer_list<ComandoDi<W>> comandi) {
    for (const ComandoDi<W>& c : comandi) {
        if (auto click = c.click) c.cmd.OnClick = [&finestra, click] { (finestra.*click)(); };
        LegaSuggerimento(c.cmd, panInfo, c.hint);
    }
}

} // namespace common
