#pragma once
// The vehicles whose road-tax deadline is past or due within seven days.
#include "vehicles/ListaScadenze.h"
#include "vehicles/ScadBollo.controls.h"

class TfrmScadBollo : public TfrmListaScadenze, public controls::ScadBollo {
public:
    explicit TfrmScadBollo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadBollo* frmScadBollo;
