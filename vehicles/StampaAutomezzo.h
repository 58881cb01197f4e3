#pragma once
// Print of the vehicle card: the card as shown, with its photo, on one A4
// page ("Scheda Veicolo"), through the print dialog.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaAutomezzo : public ui::Form {
public:
    explicit TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner = nullptr);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    ui::Picture& imgLogo;
    ui::Picture& imgTemp;
    report::Report repDocumento;

private:
    void FormShow();
    void btnStampaClick();
    void btnAnnullaClick();
};

extern TfrmStampaAutomezzo* frmStampaAutomezzo;

namespace vehicles {

// What the print and the preview dialog share. On showing: the dialog's
// imgLogo takes the picture of the card's photo, or imgTemp's when there is
// none. On the button: fills "Scheda Veicolo" from the vehicle card (the
// photo, then the 32 data memos with the trimmed texts of the card's edits of
// the same names), prints or previews it, and closes the dialog; a failure
// shows the failure text of the print or the preview and closes it.
void MostraFotoScheda(ui::Picture& imgLogo, const ui::Picture& imgTemp);
void StampaSchedaVeicolo(ui::Form& dialog, report::Report& rep, const ui::Picture& imgLogo, bool anteprima);

} // namespace vehicles
