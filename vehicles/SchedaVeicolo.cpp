#include "vehicles/SchedaVeicolo.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "vehicles/AutomezzoRec.h"

namespace vehicles {

DialogoSchedaVeicolo::DialogoSchedaVeicolo(ui::Application& app, ui::Form* owner, std::string_view layout,
                                           bool anteprima)
    : common::TfrmDocumento(
          app, owner, layout,
          {.modello = "vehicles/SchedaVeicolo.report",
           .riempi = [this](report::Report& rep) { rep.Picture("imgLogo").SetPicture(imgLogo.Bitmap()); },
           .testoErrore = anteprima ? common::kMsgAnteprimaDocumentoFoto : common::kMsgStampaDocumentoFoto,
           .anteprima = anteprima}),
      controls::SchedaVeicolo(this) {
    OnShow = [this] { FormShow(); };
}

// The card's photo, or the placeholder. A picture that does not decode
// already reads as none.
void DialogoSchedaVeicolo::FormShow() {
    imgLogo.SetBitmap(foto_ && !foto_->empty() ? foto_ : imgTemp.Bitmap());
}

void RiempiSchedaVeicolo(report::Report& rep, const ui::Form& scheda) {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (int i = 0; i < kCampiInEdit; ++i)
            names.push_back(ControlloCampo(i));
        return names;
    }();
    common::RiempiMemo(rep, scheda, memo);
}

} // namespace vehicles
