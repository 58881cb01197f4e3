#include "vehicles/ScadAssicurazione.h"

TfrmScadAssicurazione* frmScadAssicurazione = nullptr;

TfrmScadAssicurazione::TfrmScadAssicurazione(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/ScadAssicurazione.layout") {
}
