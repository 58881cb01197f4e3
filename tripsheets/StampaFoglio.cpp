#include "tripsheets/StampaFoglio.h"

TfrmStampaFoglio* frmStampaFoglio = nullptr;

TfrmStampaFoglio::TfrmStampaFoglio(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/StampaFoglio.layout") {
}
