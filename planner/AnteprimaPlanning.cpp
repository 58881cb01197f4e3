#include "planner/AnteprimaPlanning.h"

TfrmAnteprimaPlanning* frmAnteprimaPlanning = nullptr;
