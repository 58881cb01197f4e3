#include "bookings/Intervallo.h"

TfrmIntervallo* frmIntervallo = nullptr;

TfrmIntervallo::TfrmIntervallo(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "bookings/Intervallo.layout"),
      txtPrenotazione(Get<ui::Edit>("txtPrenotazione")) {
}
