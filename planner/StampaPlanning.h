#pragma once
// The print of the planner year sheet.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaPlanning : public ui::Form {
public:
    explicit TfrmStampaPlanning(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaPlanning* frmStampaPlanning;
