#pragma once
// Preview of the vehicle card (see StampaAutomezzo.h).
#include "vehicles/StampaAutomezzo.h"

class TfrmAnteprimaAutomezzo : public vehicles::DialogoSchedaVeicolo {
public:
    explicit TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner = nullptr)
        : DialogoSchedaVeicolo(app, owner, "vehicles/AnteprimaAutomezzo.layout", true) {}
};

extern TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo;
