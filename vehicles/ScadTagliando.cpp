#include "vehicles/ScadTagliando.h"

TfrmScadTagliando* frmScadTagliando = nullptr;

TfrmScadTagliando::TfrmScadTagliando(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/ScadTagliando.layout") {
}
