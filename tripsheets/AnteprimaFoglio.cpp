#include "tripsheets/AnteprimaFoglio.h"

TfrmAnteprimaFoglio* frmAnteprimaFoglio = nullptr;

TfrmAnteprimaFoglio::TfrmAnteprimaFoglio(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/AnteprimaFoglio.layout") {
}
