#pragma once
// Pieces shared by the model's own sources; not for window code.
#include <string>
#include <string_view>

#include "platform/ui/Application.h"

namespace ui::detail {

// UTF-8 to code points and back; a malformed byte reads as U+FFFD.
std::u32string Decode(std::string_view s);
std::string Encode(std::u32string_view s);
std::string Encode(char32_t c);

void FinishPendingModals(Application& app);

// Runs a user action: an exception escaping a handler is shown in the error
// box, and modal runs ended meanwhile are finished afterwards.
template <class Fn> bool Dispatch(Application& app, Fn&& fn) {
    bool done = false;
    try {
        done = fn();
    } catch (...) {
        // The program's one top-level error box: every failure that no
        // handler expected is shown here with its own text.
        app.ShowException(std::current_exception());
        done = true;
    }
    try {
        FinishPendingModals(app);
    } catch (...) {
        // A close handler's failure, shown in the same box.
        app.ShowException(std::current_exception());
    }
    return done;
}

} // namespace ui::detail
