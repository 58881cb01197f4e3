#include "drivers/Ferie.h"

TfrmFerie* frmFerie = nullptr;

TfrmFerie::TfrmFerie(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Ferie.layout") {
}
