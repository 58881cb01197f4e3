#pragma once
// The print of the trip sheet shown in the trip-sheet window (see
// FoglioDiMarcia.h).
#include "common/DialogoDocumento.h"
#include "tripsheets/StampaFoglio.controls.h"

class TfrmStampaFoglio : public common::TfrmDocumento, public controls::StampaFoglio {
public:
    explicit TfrmStampaFoglio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaFoglio* frmStampaFoglio;
