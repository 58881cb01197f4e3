#pragma once
// The visit card.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmRegistro : public ui::Form {
public:
    explicit TfrmRegistro(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtDataEnt;
    ui::Edit& txtDataUsc;
    ui::Edit& txtVeicolo;
    ui::Edit& txtTarga;
    ui::Edit& txtConduttore;
    ui::Picture& impVeicolo;
    ui::Label& lblFile;
    ui::Picture& cmdGuida;
    ui::Picture& cmdEsci;

private:
    void FormClose(ui::CloseAction& action);
    void txtDataEntKeyDown(ui::KeyEvent& key);
    void txtDataUscKeyDown(ui::KeyEvent& key);
    void impVeicoloClick();
    void cmdGuidaClick();
    void cmdEsciClick();
};

extern TfrmRegistro* frmRegistro;
