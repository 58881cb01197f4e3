#include "tripsheets/StampaFoglio.h"

#include "tripsheets/FoglioDiMarcia.h"

TfrmStampaFoglio* frmStampaFoglio = nullptr;

TfrmStampaFoglio::TfrmStampaFoglio(ui::Application& app, ui::Form* owner)
    : common::TfrmDocumento(app, owner, "tripsheets/StampaFoglio.layout", tripsheets::FoglioDiMarcia(false)),
      controls::StampaFoglio(this) {}
