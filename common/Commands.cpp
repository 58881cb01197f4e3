#include "common/Commands.h"

#include "common/DataEntry.h"
#include "common/Guida.h"

namespace common {

void LegaSuggerimento(ui::Control& controllo, ui::Control& panInfo, std::string hint) {
    controllo.OnMouseMove = [&panInfo, hint = std::move(hint)](ui::MouseEvent&) {
        entry::ShowHint(panInfo, hint);
    };
}

void LegaSfondo(ui::Form& form, ui::Control& panInfo, std::initializer_list<std::string_view> sfondo) {
    const auto cancella = [&panInfo](ui::MouseEvent&) { entry::ClearHint(panInfo); };
    form.OnMouseMove = cancella;
    for (std::string_view nome : sfondo)
        form.Get<ui::Control>(std::string(nome)).OnMouseMove = cancella;
}

void LegaEsportazione(ui::Form& form, Esportazione& esportazione, std::string titoloGuida, std::string guida,
                      std::initializer_list<std::string_view> sfondo) {
    ui::Control& panInfo = form.Get<ui::Control>("panInfo");
    ui::Control& cmdEsporta = form.Get<ui::Control>("cmdEsporta");
    ui::Control& cmdGuida = form.Get<ui::Control>("cmdGuida");
    ui::Control& cmdEsci = form.Get<ui::Control>("cmdEsci");
    form.OnShow = [&esportazione] { esportazione.RiempiGriglia(); };
    cmdEsporta.OnClick = [&esportazione] { esportazione.Esporta(); };
    cmdGuida.OnClick = [&form, titoloGuida = std::move(titoloGuida), guida = std::move(guida)] {
        ShowHelpTopic(form, titoloGuida, guida);
    };
    cmdEsci.OnClick = [&form] { form.Close(); };
    LegaSuggerimento(cmdEsporta, panInfo, "Esporta l'archivio in formato Microsoft Excel.");
    LegaSuggerimento(cmdGuida, panInfo, "Visualizza la pagina della guida sensibile al contesto.");
    LegaSuggerimento(cmdEsci, panInfo, "Esci da questo ambiente di lavoro.");
    LegaSfondo(form, panInfo, sfondo);
}

} // namespace common
