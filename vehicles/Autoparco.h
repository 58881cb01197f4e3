#pragma once
// The vehicle card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAutoparco : public ui::Form {
public:
    explicit TfrmAutoparco(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtLettura;
    ui::Edit& txtScadRevisione;
    ui::Edit& txtScadTagliando;
    ui::Edit& txtScadAssicurazione;
    ui::Edit& txtScadBollo;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;

private:
    void FormClose(ui::CloseAction& action);
    void cmdGuidaClick();
    void cmdEsciClick();
};

extern TfrmAutoparco* frmAutoparco;
