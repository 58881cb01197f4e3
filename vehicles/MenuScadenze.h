#pragma once
// The deadline menu: opens the four lists of vehicles whose revision,
// service, insurance or road tax is past or due within seven days.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"
#include "vehicles/MenuScadenze.controls.h"

class TfrmMenuScadenze : public ui::Form, public controls::MenuScadenze {
public:
    explicit TfrmMenuScadenze(ui::Application& app, ui::Form* owner = nullptr);

private:
    void FormClose(ui::CloseAction& action);
    template <class Lista> void ApriLista();
    void imgGuidaClick();
};

extern TfrmMenuScadenze* frmMenuScadenze;
