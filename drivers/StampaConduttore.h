#pragma once
// The print of a driver card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaConduttore : public ui::Form {
public:
    explicit TfrmStampaConduttore(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaConduttore* frmStampaConduttore;
