#pragma once
// The print of the planner's year sheet (see PlanningAnnuale.h).
#include "common/DialogoDocumento.h"
#include "planner/StampaPlanning.controls.h"

class TfrmStampaPlanning : public common::TfrmDocumento, public controls::StampaPlanning {
public:
    explicit TfrmStampaPlanning(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaPlanning* frmStampaPlanning;
