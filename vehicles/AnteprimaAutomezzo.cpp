#include "vehicles/AnteprimaAutomezzo.h"

#include "vehicles/StampaAutomezzo.h"

TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo = nullptr;

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/AnteprimaAutomezzo.layout"),
      btnAnnulla(Get<ui::Button>("btnAnnulla")),
      btnStampa(Get<ui::Button>("btnStampa")),
      imgLogo(Get<ui::Picture>("imgLogo")),
      imgTemp(Get<ui::Picture>("imgTemp")),
      repDocumento(report::Report::fromResource("vehicles/SchedaVeicolo.report")) {
    OnShow = [this] { FormShow(); };
    btnStampa.OnClick = [this] { btnStampaClick(); };
    btnAnnulla.OnClick = [this] { btnAnnullaClick(); };
}

void TfrmAnteprimaAutomezzo::FormShow() { vehicles::MostraFotoScheda(imgLogo, imgTemp); }

void TfrmAnteprimaAutomezzo::btnStampaClick() {
    vehicles::StampaSchedaVeicolo(*this, repDocumento, imgLogo, true);
}

void TfrmAnteprimaAutomezzo::btnAnnullaClick() { Close(); }
