#pragma once
// The credit card check.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmCarta : public ui::Form {
public:
    explicit TfrmCarta(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmCarta* frmCarta;
