#pragma once
// Preview of the vehicle card: the page of the print ("Scheda Veicolo") in
// the report engine's preview window.
#include "platform/report/Report.h"
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmAnteprimaAutomezzo : public ui::Form {
public:
    explicit TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner = nullptr);

    ui::Button& btnAnnulla;
    ui::Button& btnStampa;
    ui::Picture& imgLogo;
    ui::Picture& imgTemp;
    report::Report repDocumento;

private:
    void FormShow();
    void btnStampaClick();
    void btnAnnullaClick();
};

extern TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo;
