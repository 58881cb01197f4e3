#pragma once
// Print and preview of the trip sheet shown in the trip-sheet window, as its
// edits stand (saved or not), on one A4 page ("Foglio di Marcia"), printed
// through the print dialog or shown in the preview window. The two dialogs
// differ only in their layout (caption, button, picture) and in that step.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace tripsheets {

class DialogoFoglio : public ui::Form {
public:
    DialogoFoglio(ui::Application& app, ui::Form* owner, const char* layout, bool anteprima);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    report::Report repDocumento;

private:
    // Fills the page from the trip-sheet window, prints or previews it and
    // closes the dialog; a failure shows the dialog's failure text and
    // closes it.
    void btnStampaClick();

    bool anteprima_;
};

} // namespace tripsheets

class TfrmStampaFoglio : public tripsheets::DialogoFoglio {
public:
    explicit TfrmStampaFoglio(ui::Application& app, ui::Form* owner = nullptr)
        : DialogoFoglio(app, owner, "tripsheets/StampaFoglio.layout", false) {}
};

extern TfrmStampaFoglio* frmStampaFoglio;
