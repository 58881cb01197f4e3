#include "vehicles/ScadRevisione.h"

TfrmScadRevisione* frmScadRevisione = nullptr;

TfrmScadRevisione::TfrmScadRevisione(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/ScadRevisione.layout") {
}
