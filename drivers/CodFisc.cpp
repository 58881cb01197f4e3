#include "drivers/CodFisc.h"

TfrmCodFisc* frmCodFisc = nullptr;

TfrmCodFisc::TfrmCodFisc(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/CodFisc.layout") {
}
