#pragma once
// The trip-sheet search.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmTrovaFogli : public ui::Form {
public:
    explicit TfrmTrovaFogli(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmTrovaFogli* frmTrovaFogli;
