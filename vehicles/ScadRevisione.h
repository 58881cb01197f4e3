#pragma once
// The vehicles whose revision deadline is past or due within seven days.
#include "vehicles/ListaScadenze.h"
#include "vehicles/ScadRevisione.controls.h"

class TfrmScadRevisione : public TfrmListaScadenze, public controls::ScadRevisione {
public:
    explicit TfrmScadRevisione(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadRevisione* frmScadRevisione;
