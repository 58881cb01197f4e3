#pragma once
// The vehicles whose insurance deadline is past or due within seven days.
#include "vehicles/ListaScadenze.h"
#include "vehicles/ScadAssicurazione.controls.h"

class TfrmScadAssicurazione : public TfrmListaScadenze, public controls::ScadAssicurazione {
public:
    explicit TfrmScadAssicurazione(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadAssicurazione* frmScadAssicurazione;
