#pragma once
// The print of the driver card: the card as shown, on one A4 page
// ("Scheda Conduttore"), printed through the print dialog.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaConduttore : public ui::Form {
public:
    explicit TfrmStampaConduttore(ui::Application& app, ui::Form* owner = nullptr);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    report::Report repDocumento;

private:
    // Fills the page from the driver card (the data memos with the trimmed
    // texts of the card's edits of the same names, town with province, card
    // number with expiry, the footer with date and time), prints it and
    // closes the dialog; a failure shows the print's failure text.
    void btnStampaClick();
    void btnAnnullaClick();
};

extern TfrmStampaConduttore* frmStampaConduttore;
