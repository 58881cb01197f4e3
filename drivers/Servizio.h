#pragma once
// The list of drivers in service.
#include "drivers/ElencoConduttori.h"

class TfrmServizio : public drivers::ElencoConduttori {
public:
    explicit TfrmServizio(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmServizio* frmServizio;
