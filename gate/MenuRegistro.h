#pragma once
// The gate-register year menu.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmMenuRegistro : public ui::Form {
public:
    explicit TfrmMenuRegistro(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& titAnnoFatture;
    ui::Edit& txtAnnoFatture;
    ui::Picture& imgGuida;
    ui::Picture& imgEsci;
    ui::Label& lblMemory;

private:
    void FormClose(ui::CloseAction& action);
    void FormShow();
    void imgGuidaClick();
    void imgEsciClick();
};

extern TfrmMenuRegistro* frmMenuRegistro;
