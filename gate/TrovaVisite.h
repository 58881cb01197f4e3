#pragma once
// The visit search.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrovaVisite : public ui::Form {
public:
    explicit TfrmTrovaVisite(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& lblMemory;
};

extern TfrmTrovaVisite* frmTrovaVisite;
