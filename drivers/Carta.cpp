#include "drivers/Carta.h"

TfrmCarta* frmCarta = nullptr;

TfrmCarta::TfrmCarta(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "drivers/Carta.layout") {
}
