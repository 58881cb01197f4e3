#include "bookings/Giorno.h"

TfrmGiorno* frmGiorno = nullptr;

TfrmGiorno::TfrmGiorno(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "bookings/Giorno.layout"),
      txtPrenotazione(Get<ui::Edit>("txtPrenotazione")) {
}
