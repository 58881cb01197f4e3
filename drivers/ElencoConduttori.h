#pragma once
// The three driver lists (available for transfers, on holiday, in service):
// one design, configured three times. Each lists, as it opens, the drivers
// whose flag field holds the list's value, sorted by their lines; it offers
// find-next, the printed list and the recall of a driver into the card.
#include <cstddef>
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "drivers/ElencoConduttori.controls.h"
#include "drivers/TrovaAnagrafica.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace drivers {

struct ConfigElenco {
    std::string_view layout;
    std::string_view campoFiltro; // "Ferie" or "Trasferte"
    std::string_view valore;      // the value a listed driver holds, trimmed
    std::size_t larghezza = 26;   // driver column and make-and-model column
    std::string_view prima;       // the fixed text before the last column
    std::string_view ultimo;      // the field of the last column
    std::string_view titolo;      // of the printed list
};

class ElencoConduttori : public ui::Form, public controls::ElencoConduttori {
public:
    // `ritorno` receives the recalled driver (ConduttoreRichiamato); without
    // it a recall copies nothing.
    ElencoConduttori(ui::Application& app, ui::Form* owner, const ConfigElenco& config,
                     RitornoTrovaAnagrafica* ritorno);

    report::Report frxReport;

    // The list line of a driver in this list (whether listed or not).
    std::string Riga(const common::RecordView& conduttore) const;

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void lstRecordsDblClick();
    void btnStampaClick();

    ConfigElenco config_;
    RitornoTrovaAnagrafica* ritorno_;
    common::FormatoRiga formato_;
    std::string valore_; // config_.valore as stored
    common::ListaRecord lista_;
    std::string trovaRicordato_;
};

} // namespace drivers
