#pragma once
// The list of drivers in service.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmServizio : public ui::Form {
public:
    explicit TfrmServizio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmServizio* frmServizio;
