#include "drivers/Trasferte.h"

TfrmTrasferte* frmTrasferte = nullptr;

TfrmTrasferte::TfrmTrasferte(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Trasferte.layout") {
}
