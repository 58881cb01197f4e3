#include "tripsheets/AnteprimaFoglio.h"

#include "tripsheets/FoglioDiMarcia.h"

TfrmAnteprimaFoglio* frmAnteprimaFoglio = nullptr;

TfrmAnteprimaFoglio::TfrmAnteprimaFoglio(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "tripsheets/AnteprimaFoglio.layout",
                            tripsheets::FoglioDiMarcia(true)),
      controls::AnteprimaFoglio(this) {}
