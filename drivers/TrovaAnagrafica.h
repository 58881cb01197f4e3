#pragma once
// The driver search.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrovaAnagrafica : public ui::Form {
public:
    explicit TfrmTrovaAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& lblMemory;
};

extern TfrmTrovaAnagrafica* frmTrovaAnagrafica;
