#pragma once
// The two-copy print of the visit card: the card as shown, twice on one A4
// sheet ("Entrata Uscita Veicolo"), one copy for the driver and one for the
// company, with the date and time of printing at the foot. Any failure is
// reported; the window closes in every case.
#include "common/DialogoDocumento.h"
#include "gate/StampaVisita.controls.h"
#include "platform/ui/Form.h"

// The card's part of the document: both copies from the card's sixteen
// edits, trimmed.
void RiempiStampaVisita(report::Report& rep, const ui::Form& scheda);

class TfrmStampaVisita : public common::TfrmDocumento, public controls::StampaVisita {
public:
    explicit TfrmStampaVisita(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaVisita* frmStampaVisita;
