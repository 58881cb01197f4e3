#pragma once
// The vehicles whose road-tax deadline is past or due within seven days.
#include "vehicles/ListaScadenze.h"

class TfrmScadBollo : public TfrmListaScadenze {
public:
    explicit TfrmScadBollo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadBollo* frmScadBollo;
