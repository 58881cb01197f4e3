#pragma once
// The list of drivers on holiday.
#include "drivers/ElencoConduttori.h"
#include "drivers/Ferie.controls.h"

class TfrmFerie : public drivers::ElencoConduttori, public controls::Ferie {
public:
    explicit TfrmFerie(ui::Application& app, ui::Form* owner = nullptr,
                       RitornoTrovaAnagrafica* ritorno = nullptr);
};

extern TfrmFerie* frmFerie;
