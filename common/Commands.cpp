#include "common/Commands.h"

#include "common/DataEntry.h"

namespace common {

void LegaSuggerimento(ui::Control& controllo, ui::Control& panInfo, std::string hint) {
    controllo.OnMouseMove = [&panInfo, hint = std::move(hint)](ui::MouseEvent&) {
        entry::ShowHint(panInfo, hint);
    };
}

void LegaSfondo(ui::Form& form, ui::Control& panInfo, std::span<const std::string_view> sfondo) {
    const auto cancella = [&panInfo](ui::MouseEvent&) { entry::ClearHint(panInfo); };
    form.OnMouseMove = cancella;
    for (std::string_view nome : sfondo)
        form.Get<ui::Control>(std::string(nome)).OnMouseMove = cancella;
}

} // namespace common
