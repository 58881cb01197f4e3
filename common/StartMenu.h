#pragma once
// The way back to the start menu. The work windows and the menus show the
// start menu again when they close; the start menu belongs to the shell,
// above them, so they call this hook, which the shell sets at start-up.
#include <functional>

namespace common {

// Shows the start menu again; does nothing while no hook is set.
void MostraAvvio();

// Sets the hook; an empty function removes it. The shell sets it when it
// creates its windows and removes it before it destroys them.
void ImpostaMostraAvvio(std::function<void()> mostra);

} // namespace common
