#pragma once
// The preview of the planner year sheet.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAnteprimaPlanning : public ui::Form {
public:
    explicit TfrmAnteprimaPlanning(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaPlanning* frmAnteprimaPlanning;
