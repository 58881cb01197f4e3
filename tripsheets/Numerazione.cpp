#include "tripsheets/Numerazione.h"

TfrmNumerazione* frmNumerazione = nullptr;

TfrmNumerazione::TfrmNumerazione(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/Numerazione.layout") {
}
