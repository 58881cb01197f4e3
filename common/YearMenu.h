#pragma once
// What the year menus share (the visit register, the trip sheets and the
// booking planner each open the archive of one year): the year edit, preset
// at every showing with the current year, digits only, Enter pressing "Apri"
// (the window's default command, marked in its layout); and the check of the
// year on "Apri".
#include <optional>
#include <string>

#include "platform/ui/Ui.h"

namespace common {

// Binds the year edit: digits and the editing keys only; Enter presses the
// window's default command, the "Apri" beside the year.
void LegaAnno(ui::Edit& txtAnno);

// The showing of a year menu: the current year in `txtAnno`, the route back
// to the start menu ("avvio") in `lblMemory`, the focus on the year.
void MostraMenuAnno(ui::Edit& txtAnno, ui::Label& lblMemory);

// The year of "Apri": four digits 0-9 and nothing else, so that the name of
// the year's archive never holds a path separator or "..". Otherwise the
// warning is shown, the focus goes back to the year, and nothing is returned.
std::optional<std::string> AnnoScelto(ui::Edit& txtAnno);

} // namespace common
