#include "planner/StampaPlanning.h"

TfrmStampaPlanning* frmStampaPlanning = nullptr;

TfrmStampaPlanning::TfrmStampaPlanning(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/StampaPlanning.layout") {
}
