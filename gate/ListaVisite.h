#pragma once
// The three daily visit lists (left today, entered today, not yet left) share
// one design: the visits of the year open in the visit card that pass the
// list's filter, sorted by their lines, find-next, the printed list, and the
// recall of a double-clicked visit into the card. Each window names its
// filter, its line and its print title.
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "common/ListWindow.h"
#include "common/Record.h"
#include "gate/ListaVisite.controls.h"
#include "gate/Visite.h"
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace gate {

struct ConfigLista {
    // Whether a visit is listed, given the today text of the showing.
    std::function<bool(const common::RecordView& visita, std::string_view oggi)> filtro;
    const common::FormatoRiga* formato = nullptr; // the line of a listed visit
    // The print title from the today text of the listed lines.
    std::function<std::string(std::string_view oggi)> titolo;
};

class TfrmListaVisite : public ui::Form, public controls::ListaVisite {
public:
    report::Report frxReport;

    // The year archive that the visit card has open, set by the card before
    // showing the list.
    void ImpostaArchivio(std::string archivio) { archivio_ = std::move(archivio); }

protected:
    // `ricordato` is the last text searched for, one per window class;
    // `ritorno` receives the recalled visit.
    TfrmListaVisite(ui::Application& app, ui::Form* owner, std::string_view layout, ConfigLista config,
                    std::string& ricordato, RitornoVisita* ritorno);

private:
    void FormShow();
    void FormClose(ui::CloseAction& action);
    void btnStampaClick();
    void lstRecordsDblClick();

    ConfigLista config_;
    std::string& ricordato_;
    RitornoVisita* ritorno_;
    std::string archivio_;
    std::string oggi_;
    common::ListaRecord lista_;
};

} // namespace gate
