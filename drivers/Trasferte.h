#pragma once
// The list of drivers available for transfers.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrasferte : public ui::Form {
public:
    explicit TfrmTrasferte(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmTrasferte* frmTrasferte;
