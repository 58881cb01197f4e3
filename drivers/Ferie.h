#pragma once
// The list of drivers on holiday.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmFerie : public ui::Form {
public:
    explicit TfrmFerie(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmFerie* frmFerie;
