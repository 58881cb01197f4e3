#pragma once
// The print of the vehicle card (see SchedaVeicolo.h).
#include "vehicles/SchedaVeicolo.h"
#include "vehicles/StampaAutomezzo.controls.h"

class TfrmStampaAutomezzo : public vehicles::DialogoSchedaVeicolo, public controls::StampaAutomezzo {
public:
    explicit TfrmStampaAutomezzo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmStampaAutomezzo* frmStampaAutomezzo;
