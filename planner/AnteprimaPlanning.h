#pragma once
// The preview of the planner's year sheet (see PlanningAnnuale.h).
#include "common/DialogoDocumento.h"
#include "planner/AnteprimaPlanning.controls.h"

class TfrmAnteprimaPlanning : public common::TfrmDocumento, public controls::AnteprimaPlanning {
public:
    explicit TfrmAnteprimaPlanning(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaPlanning* frmAnteprimaPlanning;
