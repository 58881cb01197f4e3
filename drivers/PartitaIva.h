#pragma once
// The VAT number check.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmPartitaIva : public ui::Form {
public:
    explicit TfrmPartitaIva(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmPartitaIva* frmPartitaIva;
