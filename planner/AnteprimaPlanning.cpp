#include "planner/AnteprimaPlanning.h"

#include "planner/PlanningAnnuale.h"

TfrmAnteprimaPlanning* frmAnteprimaPlanning = nullptr;

TfrmAnteprimaPlanning::TfrmAnteprimaPlanning(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "planner/AnteprimaPlanning.layout", planner::PlanningAnnuale(true)),
      controls::AnteprimaPlanning(this) {}
