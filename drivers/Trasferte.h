#pragma once
// The list of drivers available for transfers.
#include "drivers/ElencoConduttori.h"

class TfrmTrasferte : public drivers::ElencoConduttori {
public:
    explicit TfrmTrasferte(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmTrasferte* frmTrasferte;
