#pragma once
// The print of a vehicle card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaAutomezzo : public ui::Form {
public:
    explicit TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaAutomezzo* frmStampaAutomezzo;
