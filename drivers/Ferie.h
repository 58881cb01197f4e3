#pragma once
// The list of drivers on holiday.
#include "drivers/ElencoConduttori.h"

class TfrmFerie : public drivers::ElencoConduttori {
public:
    explicit TfrmFerie(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmFerie* frmFerie;
