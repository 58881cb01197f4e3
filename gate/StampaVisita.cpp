#include "gate/StampaVisita.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "gate/Registro.h"
#include "gate/Visite.h"

TfrmStampaVisita* frmStampaVisita = nullptr;

namespace {

// Both copies from the card's sixteen edits, trimmed.
void Riempi(report::Report& rep) {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (std::string_view campo : gate::kCampiVisita)
            names.push_back("txt" + std::string(campo));
        return names;
    }();
    const TfrmRegistro& scheda = common::SchedaAperta(frmRegistro, "scheda dei visitatori assente");
    common::RiempiMemo(rep, scheda, memo, "_A");
    common::RiempiMemo(rep, scheda, memo, "_B");
}

} // namespace

TfrmStampaVisita::TfrmStampaVisita(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "gate/StampaVisita.layout",
                            {"gate/StampaVisita.report", Riempi, common::kMsgStampaNonRiuscita}),
      controls::StampaVisita(this) {}
