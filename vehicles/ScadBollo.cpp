#include "vehicles/ScadBollo.h"

TfrmScadBollo* frmScadBollo = nullptr;

TfrmScadBollo::TfrmScadBollo(ui::Application& app, ui::Form* owner)
    : TfrmListaScadenze(app, owner, "vehicles/ScadBollo.layout", "ScadBollo",
                        "Veicoli con bollo in scadenza o scaduto"),
      controls::ScadBollo(this) {}
