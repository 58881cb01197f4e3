#pragma once
// The print of the driver card: the card as shown, on one A4 page
// ("Scheda Conduttore"), with the date and time of printing at the foot,
// printed through the print dialog; a failure shows the print's failure
// text.
#include "common/DialogoDocumento.h"
#include "drivers/StampaConduttore.controls.h"
#include "platform/ui/Form.h"

// The card's part of the document: the data memos, then town with province
// and card number with expiry, from the driver card's edits.
void RiempiSchedaConduttore(report::Report& rep, const ui::Form& card);

class TfrmStampaConduttore : public common::TfrmDocumento, public controls::StampaConduttore {
public:
    explicit TfrmStampaConduttore(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaConduttore* frmStampaConduttore;
