#include "drivers/Iban.h"

TfrmIban* frmIban = nullptr;

TfrmIban::TfrmIban(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Iban.layout") {
}
