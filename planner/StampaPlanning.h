#pragma once
// The print of the planner's year sheet (see PlanningAnnuale.h).
#include "common/DialogoDocumento.h"

class TfrmStampaPlanning : public common::TfrmDocumento {
public:
    explicit TfrmStampaPlanning(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaPlanning* frmStampaPlanning;
