#include "tripsheets/RiepAperti.h"

TfrmRiepAperti* frmRiepAperti = nullptr;

TfrmRiepAperti::TfrmRiepAperti(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "tripsheets/RiepAperti.layout") {
}
