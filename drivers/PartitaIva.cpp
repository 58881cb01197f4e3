#include "drivers/PartitaIva.h"

TfrmPartitaIva* frmPartitaIva = nullptr;

TfrmPartitaIva::TfrmPartitaIva(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/PartitaIva.layout") {
}
