#pragma once
// The preview of a trip sheet.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAnteprimaFoglio : public ui::Form {
public:
    explicit TfrmAnteprimaFoglio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaFoglio* frmAnteprimaFoglio;
