#pragma once
// The booking summary of the vehicle in the planner window.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmRiepPrenotazioni : public ui::Form {
public:
    explicit TfrmRiepPrenotazioni(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmRiepPrenotazioni* frmRiepPrenotazioni;
