#pragma once
// Print and preview of the vehicle card: the card as shown, with its photo,
// on one A4 page ("Scheda Veicolo"), printed through the print dialog or
// shown in the preview window. The two dialogs differ only in their layout
// (caption and button) and in that last step.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace vehicles {

class DialogoSchedaVeicolo : public ui::Form {
public:
    DialogoSchedaVeicolo(ui::Application& app, ui::Form* owner, const char* layout, bool anteprima);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    ui::Picture& imgLogo;
    ui::Picture& imgTemp;
    report::Report repDocumento;

private:
    // imgLogo takes the picture of the card's photo, or imgTemp's when the
    // card has none.
    void FormShow();
    // Fills the page from the vehicle card (the photo, then the 32 data memos
    // with the trimmed texts of the card's edits of the same names), prints
    // or previews it and closes the dialog; a failure shows the failure text
    // of the print or the preview and closes it.
    void btnStampaClick();
    void btnAnnullaClick();

    bool anteprima_;
};

} // namespace vehicles

class TfrmStampaAutomezzo : public vehicles::DialogoSchedaVeicolo {
public:
    explicit TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner = nullptr)
        : DialogoSchedaVeicolo(app, owner, "vehicles/StampaAutomezzo.layout", false) {}
};

extern TfrmStampaAutomezzo* frmStampaAutomezzo;
