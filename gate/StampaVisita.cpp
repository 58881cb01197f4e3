#include "gate/StampaVisita.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "gate/Visite.h"

TfrmStampaVisita* frmStampaVisita = nullptr;

void RiempiStampaVisita(report::Report& rep, const ui::Form& scheda) {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (std::string_view campo : gate::kCampiVisita)
            names.push_back("txt" + std::string(campo));
        return names;
    }();
    common::RiempiMemo(rep, scheda, memo, "_A");
    common::RiempiMemo(rep, scheda, memo, "_B");
}

TfrmStampaVisita::TfrmStampaVisita(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "gate/StampaVisita.layout",
                            {"gate/StampaVisita.report", nullptr, common::kMsgStampaNonRiuscita}),
      controls::StampaVisita(this) {}
