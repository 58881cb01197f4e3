#pragma once
// The list of road-tax deadlines.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmScadBollo : public ui::Form {
public:
    explicit TfrmScadBollo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadBollo* frmScadBollo;
