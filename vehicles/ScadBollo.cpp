#include "vehicles/ScadBollo.h"

TfrmScadBollo* frmScadBollo = nullptr;

TfrmScadBollo::TfrmScadBollo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/ScadBollo.layout") {
}
