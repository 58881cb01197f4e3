#include "planner/AnteprimaPlanning.h"

TfrmAnteprimaPlanning* frmAnteprimaPlanning = nullptr;

TfrmAnteprimaPlanning::TfrmAnteprimaPlanning(ui::Application& app, ui::Form* owner)
    : ui::Form(app, owner, "planner/AnteprimaPlanning.layout") {
}
