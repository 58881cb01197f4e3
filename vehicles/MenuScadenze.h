#pragma once
// The deadline menu.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmMenuScadenze : public ui::Form {
public:
    explicit TfrmMenuScadenze(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& imgGuida;
    ui::Picture& imgEsci;

private:
    void FormClose(ui::CloseAction& action);
    void imgGuidaClick();
    void imgEsciClick();
};

extern TfrmMenuScadenze* frmMenuScadenze;
