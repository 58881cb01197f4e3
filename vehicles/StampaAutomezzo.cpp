#include "vehicles/StampaAutomezzo.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "vehicles/AutomezzoRec.h"
#include "vehicles/Autoparco.h"

TfrmStampaAutomezzo* frmStampaAutomezzo = nullptr;

namespace vehicles {

DialogoSchedaVeicolo::DialogoSchedaVeicolo(ui::Application& app, ui::Form* owner, const char* layout,
                                           bool anteprima)
    : ui::Form(app, owner, layout), btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")), imgLogo(Get<ui::Picture>("imgLogo")),
      imgTemp(Get<ui::Picture>("imgTemp")),
      repDocumento(report::Report::fromResource("vehicles/SchedaVeicolo.report")), anteprima_(anteprima) {
    OnShow = [this] { FormShow(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

// The card's photo, or the placeholder. A picture that does not decode
// already reads as none.
void DialogoSchedaVeicolo::FormShow() {
    const ui::BitmapPtr photo = frmAutoparco ? frmAutoparco->imgFoto.Bitmap() : nullptr;
    imgLogo.SetBitmap(photo && !photo->empty() ? photo : imgTemp.Bitmap());
}

void DialogoSchedaVeicolo::btnStampaClick() {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (int i = 0; i < kCampiInEdit; ++i)
            names.push_back(ControlloCampo(i));
        return names;
    }();
    common::EseguiDocumento(
        *this, repDocumento, report::Orientation::Portrait, anteprima_,
        [this] {
            if (!frmAutoparco) throw report::Error("scheda del veicolo assente");
            repDocumento.picture("imgLogo").setPicture(imgLogo.Bitmap());
            common::RiempiMemo(repDocumento, *frmAutoparco, memo);
        },
        anteprima_ ? common::kMsgAnteprimaDocumentoFoto : common::kMsgStampaDocumentoFoto);
}

void DialogoSchedaVeicolo::btnAnnullaClick() {
    Close();
}

} // namespace vehicles
