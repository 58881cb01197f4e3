#pragma once
// The preview of the trip sheet shown in the trip-sheet window (see
// FoglioDiMarcia.h).
#include "common/DialogoDocumento.h"
#include "tripsheets/AnteprimaFoglio.controls.h"

class TfrmAnteprimaFoglio : public common::TfrmDocumento, public controls::AnteprimaFoglio {
public:
    explicit TfrmAnteprimaFoglio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaFoglio* frmAnteprimaFoglio;
