#include "planner/StampaPlanning.h"

#include "planner/PlanningAnnuale.h"

TfrmStampaPlanning* frmStampaPlanning = nullptr;

TfrmStampaPlanning::TfrmStampaPlanning(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "planner/StampaPlanning.layout", planner::PlanningAnnuale(false)),
      controls::StampaPlanning(this) {}
