#pragma once
// The vehicles whose insurance deadline is past or due within seven days.
#include "vehicles/ListaScadenze.h"

class TfrmScadAssicurazione : public TfrmListaScadenze {
public:
    explicit TfrmScadAssicurazione(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadAssicurazione* frmScadAssicurazione;
