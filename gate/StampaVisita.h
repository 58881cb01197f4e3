#pragma once
// The two-copy print of the visit card: the card as shown, twice on one A4
// sheet ("Entrata Uscita Veicolo"), one copy for the driver and one for the
// company, with the date and time of printing at the foot.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaVisita : public ui::Form {
public:
    explicit TfrmStampaVisita(ui::Application& app, ui::Form* owner = nullptr);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    report::Report repDocumento;

private:
    void btnStampaClick();
};

extern TfrmStampaVisita* frmStampaVisita;
