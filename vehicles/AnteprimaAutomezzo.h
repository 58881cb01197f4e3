#pragma once
// The preview of the vehicle card (see SchedaVeicolo.h).
#include "vehicles/AnteprimaAutomezzo.controls.h"
#include "vehicles/SchedaVeicolo.h"

class TfrmAnteprimaAutomezzo : public vehicles::DialogoSchedaVeicolo, public controls::AnteprimaAutomezzo {
public:
    explicit TfrmAnteprimaAutomezzo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmAnteprimaAutomezzo* frmAnteprimaAutomezzo;
