#pragma once
// The list of drivers available for transfers.
#include "drivers/ElencoConduttori.h"
#include "drivers/Trasferte.controls.h"

class TfrmTrasferte : public drivers::ElencoConduttori, public controls::Trasferte {
public:
    explicit TfrmTrasferte(ui::Application& app, ui::Form* owner = nullptr,
                           RitornoTrovaAnagrafica* ritorno = nullptr);
};

extern TfrmTrasferte* frmTrasferte;
