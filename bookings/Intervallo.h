#pragma once
// The date-range booking dialog.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmIntervallo : public ui::Form {
public:
    explicit TfrmIntervallo(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtPrenotazione;
};

extern TfrmIntervallo* frmIntervallo;
