#pragma once
// The tax code check.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmCodFisc : public ui::Form {
public:
    explicit TfrmCodFisc(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmCodFisc* frmCodFisc;
