#pragma once
// The driver card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAnagrafica : public ui::Form {
public:
    explicit TfrmAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;

private:
    void FormClose(ui::CloseAction& action);
    void cmdGuidaClick();
    void cmdEsciClick();
};

extern TfrmAnagrafica* frmAnagrafica;
