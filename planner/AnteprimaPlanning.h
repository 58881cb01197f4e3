#pragma once
// Preview of the planner's year sheet (see StampaPlanning.h).
#include "planner/StampaPlanning.h"

class TfrmAnteprimaPlanning : public planner::DialogoPlanning {
public:
    explicit TfrmAnteprimaPlanning(ui::Application& app, ui::Form* owner = nullptr)
        : DialogoPlanning(app, owner, "planner/AnteprimaPlanning.layout", true) {}
};

extern TfrmAnteprimaPlanning* frmAnteprimaPlanning;
