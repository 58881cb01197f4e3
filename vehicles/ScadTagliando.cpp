#include "vehicles/ScadTagliando.h"

TfrmScadTagliando* frmScadTagliando = nullptr;

TfrmScadTagliando::TfrmScadTagliando(ui::Application& app, ui::Form* owner)
    : TfrmListaScadenze(app, owner, "vehicles/ScadTagliando.layout", "ScadTagliando",
                        "Veicoli con tagliando in scadenza o scaduto"),
      controls::ScadTagliando(this) {}
