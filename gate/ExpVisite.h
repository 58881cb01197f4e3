#pragma once
// The export of a visit year.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpVisite : public ui::Form {
public:
    explicit TfrmExpVisite(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& cmdGuida;

private:
    void cmdGuidaClick();
};

extern TfrmExpVisite* frmExpVisite;
