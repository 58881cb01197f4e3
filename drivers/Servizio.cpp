#include "drivers/Servizio.h"

TfrmServizio* frmServizio = nullptr;

TfrmServizio::TfrmServizio(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Servizio.layout") {
}
