#include "planner/RiepPrenotazioni.h"

#include <stdexcept>

#include "planner/Planning.h"

TfrmRiepPrenotazioni* frmRiepPrenotazioni = nullptr;

TfrmRiepPrenotazioni::TfrmRiepPrenotazioni(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/RiepPrenotazioni.layout") {
    // The summary is built from the day texts of the planner window, which
    // therefore exists before this window is created.
    if (!frmPlanning) throw std::logic_error("the planner window must exist before the booking summary");
}
