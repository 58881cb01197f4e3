#pragma once
// Print and preview of the planner's year sheet ("Planning Annuale"): one
// landscape A4 page with an "X" in the box of every booked day, the vehicle
// and the moment of printing. The two dialogs differ only in their layout
// (caption, button, pictures) and in the last step: print or preview.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

namespace planner {

class DialogoPlanning : public ui::Form {
public:
    DialogoPlanning(ui::Application& app, ui::Form* owner, const char* layout, bool anteprima);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    report::Report repDocumento;

private:
    // Fills the sheet from the planner window, then prints or previews it
    // and closes the dialog. A failure reaches the standard error box and
    // leaves the dialog open.
    void btnStampaClick();
    void btnAnnullaClick();
    void Riempi();

    bool anteprima_;
};

} // namespace planner

class TfrmStampaPlanning : public planner::DialogoPlanning {
public:
    explicit TfrmStampaPlanning(ui::Application& app, ui::Form* owner = nullptr)
        : DialogoPlanning(app, owner, "planner/StampaPlanning.layout", false) {}
};

extern TfrmStampaPlanning* frmStampaPlanning;
