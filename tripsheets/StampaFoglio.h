#pragma once
// The print of a trip sheet.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaFoglio : public ui::Form {
public:
    explicit TfrmStampaFoglio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaFoglio* frmStampaFoglio;
