#pragma once
// The deadline menu: opens the four lists of vehicles whose revision,
// service, insurance or road tax is past or due within seven days.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmMenuScadenze : public ui::Form {
public:
    explicit TfrmMenuScadenze(ui::Application& app, ui::Form* owner = nullptr);

    ui::Label& lblIstruzioni;
    ui::Picture& btnRevisione;
    ui::Picture& btnTagliando;
    ui::Picture& btnAssicurazione;
    ui::Picture& btnBollo;
    ui::Picture& imgGuida;
    ui::Picture& imgEsci;
    ui::Label& lblMemory;

private:
    void FormClose(ui::CloseAction& action);
    template <class Lista> void ApriLista();
    void imgGuidaClick();
};

extern TfrmMenuScadenze* frmMenuScadenze;
