#include "vehicles/Zoom.h"

TfrmZoom* frmZoom = nullptr;

TfrmZoom::TfrmZoom(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "vehicles/Zoom.layout") {
}
