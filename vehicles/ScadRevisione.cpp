#include "vehicles/ScadRevisione.h"

TfrmScadRevisione* frmScadRevisione = nullptr;

TfrmScadRevisione::TfrmScadRevisione(ui::Application& app, ui::Form* owner)
    : TfrmListaScadenze(app, owner, "vehicles/ScadRevisione.layout", "ScadRevisione",
                        "Veicoli con revisione in scadenza o scadute"),
      controls::ScadRevisione(this) {}
