#pragma once
// The vehicles whose service deadline is past or due within seven days.
#include "vehicles/ListaScadenze.h"
#include "vehicles/ScadTagliando.controls.h"

class TfrmScadTagliando : public TfrmListaScadenze, public controls::ScadTagliando {
public:
    explicit TfrmScadTagliando(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadTagliando* frmScadTagliando;
