#pragma once
// The list of drivers in service.
#include "drivers/ElencoConduttori.h"
#include "drivers/Servizio.controls.h"

class TfrmServizio : public drivers::ElencoConduttori, public controls::Servizio {
public:
    explicit TfrmServizio(ui::Application& app, ui::Form* owner = nullptr,
                          RitornoTrovaAnagrafica* ritorno = nullptr);
};

extern TfrmServizio* frmServizio;
