#include "vehicles/AllegaExcel.h"

TfrmAllegaExcel* frmAllegaExcel = nullptr;

TfrmAllegaExcel::TfrmAllegaExcel(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/AllegaExcel.layout") {
}
