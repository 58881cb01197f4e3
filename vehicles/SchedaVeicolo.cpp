#include "vehicles/SchedaVeicolo.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Autoparco.h"

namespace vehicles {

DialogoSchedaVeicolo::DialogoSchedaVeicolo(ui::Application& app, ui::Form* owner, std::string_view layout,
                                           bool anteprima)
    : common::TfrmDocumento(
          app, owner, layout,
          {.modello = "vehicles/SchedaVeicolo.report",
           .riempi = [this](report::Report& rep) { Riempi(rep); },
           .testoErrore = anteprima ? common::kMsgAnteprimaDocumentoFoto : common::kMsgStampaDocumentoFoto,
           .anteprima = anteprima}),
      controls::SchedaVeicolo(this) {
    OnShow = [this] { FormShow(); };
}

// The card's photo, or the placeholder. A picture that does not decode
// already reads as none.
void DialogoSchedaVeicolo::FormShow() {
    const ui::BitmapPtr photo = frmAutoparco ? frmAutoparco->imgFoto.Bitmap() : nullptr;
    imgLogo.SetBitmap(photo && !photo->empty() ? photo : imgTemp.Bitmap());
}

void DialogoSchedaVeicolo::Riempi(report::Report& rep) {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (int i = 0; i < kCampiInEdit; ++i)
            names.push_back(ControlloCampo(i));
        return names;
    }();
    const TfrmAutoparco& scheda = common::SchedaAperta(frmAutoparco, "scheda del veicolo assente");
    rep.Picture("imgLogo").SetPicture(imgLogo.Bitmap());
    common::RiempiMemo(rep, scheda, memo);
}

} // namespace vehicles
