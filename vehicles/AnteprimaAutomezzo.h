#pragma once
// The preview of a vehicle card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAnteprimaAutomezzo : public ui::Form {
public:
    explicit TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo;
