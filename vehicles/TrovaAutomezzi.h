#pragma once
// The vehicle search.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrovaAutomezzi : public ui::Form {
public:
    explicit TfrmTrovaAutomezzi(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& lblMemory;
};

extern TfrmTrovaAutomezzi* frmTrovaAutomezzi;
