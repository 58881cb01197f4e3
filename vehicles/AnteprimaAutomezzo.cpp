#include "vehicles/AnteprimaAutomezzo.h"

TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo = nullptr;

TfrmAnteprimaAutomezzo::TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/AnteprimaAutomezzo.layout") {
}
