#pragma once
// The planner window.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmPlanning : public ui::Form {
public:
    explicit TfrmPlanning(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtVeicolo;
    ui::Edit& txtMarca;
    ui::Edit& txtModello;
    ui::Edit& txtTarga;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;

private:
    void FormClose(ui::CloseAction& action);
    void cmdGuidaClick();
    void cmdEsciClick();
};

extern TfrmPlanning* frmPlanning;
