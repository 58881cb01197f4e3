#pragma once
// The preview of the trip sheet shown in the trip-sheet window.
#include "tripsheets/StampaFoglio.h"

class TfrmAnteprimaFoglio : public tripsheets::DialogoFoglio {
public:
    explicit TfrmAnteprimaFoglio(ui::Application& app, ui::Form* owner = nullptr)
        : DialogoFoglio(app, owner, "tripsheets/AnteprimaFoglio.layout", true) {}
};

extern TfrmAnteprimaFoglio* frmAnteprimaFoglio;
