#include "vehicles/ScadAssicurazione.h"

TfrmScadAssicurazione* frmScadAssicurazione = nullptr;

TfrmScadAssicurazione::TfrmScadAssicurazione(ui::Application& app, ui::Form* owner)
    : TfrmListaScadenze(app, owner, "vehicles/ScadAssicurazione.layout", "ScadAssicurazione",
                        "Veicoli con assicurazione in scadenza o scadute"),
      controls::ScadAssicurazione(this) {}
