#pragma once
// The export of a trip-sheet year.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpFogli : public ui::Form {
public:
    explicit TfrmExpFogli(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& cmdGuida;

private:
    void cmdGuidaClick();
};

extern TfrmExpFogli* frmExpFogli;
