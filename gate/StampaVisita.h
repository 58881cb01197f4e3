#pragma once
// The two-copy print of a visit card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmStampaVisita : public ui::Form {
public:
    explicit TfrmStampaVisita(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaVisita* frmStampaVisita;
