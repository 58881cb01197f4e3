#include "vehicles/StampaAutomezzo.h"

#include <string>
#include <vector>

#include "common/Reports.h"
#include "vehicles/Autoparco.h"
#include "vehicles/AutomezzoRec.h"

TfrmStampaAutomezzo* frmStampaAutomezzo = nullptr;

namespace vehicles {

void MostraFotoScheda(ui::Picture& imgLogo, const ui::Picture& imgTemp) {
    ui::BitmapPtr photo;
    try {
        if (frmAutoparco) photo = frmAutoparco->imgFoto.Bitmap();
    } catch (...) {
        photo = nullptr;
    }
    imgLogo.SetBitmap(photo && !photo->empty() ? photo : imgTemp.Bitmap());
}

void StampaSchedaVeicolo(ui::Form& dialog, report::Report& rep, const ui::Picture& imgLogo, bool anteprima) {
    static const std::vector<std::string> memo = [] {
        std::vector<std::string> names;
        for (int i = 0; i < kCampiInEdit; ++i) names.push_back(ControlloCampo(i));
        return names;
    }();
    common::EseguiDocumento(
        dialog, rep, report::Orientation::Portrait, anteprima,
        [&] {
            if (!frmAutoparco) throw report::Error("scheda del veicolo assente");
            rep.picture("imgLogo").setPicture(imgLogo.Bitmap());
            common::RiempiMemo(rep, *frmAutoparco, memo);
        },
        anteprima ? common::kMsgAnteprimaDocumentoFoto : common::kMsgStampaDocumentoFoto);
}

} // namespace vehicles

TfrmStampaAutomezzo::TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/StampaAutomezzo.layout"),
      btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")),
      imgLogo(Get<ui::Picture>("imgLogo")),
      imgTemp(Get<ui::Picture>("imgTemp")),
      repDocumento(report::Report::fromResource("vehicles/SchedaVeicolo.report")) {
    OnShow = [this] { FormShow(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

void TfrmStampaAutomezzo::FormShow() { vehicles::MostraFotoScheda(imgLogo, imgTemp); }

void TfrmStampaAutomezzo::btnStampaClick() {
    vehicles::StampaSchedaVeicolo(*this, repDocumento, imgLogo, false);
}

void TfrmStampaAutomezzo::btnAnnullaClick() { Close(); }
