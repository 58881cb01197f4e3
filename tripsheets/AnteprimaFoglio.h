#pragma once
// The preview of the trip sheet shown in the trip-sheet window (see
// FoglioDiMarcia.h).
#include "common/DialogoDocumento.h"

class TfrmAnteprimaFoglio : public common::TfrmDocumento {
public:
    explicit TfrmAnteprimaFoglio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaFoglio* frmAnteprimaFoglio;
