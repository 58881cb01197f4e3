#pragma once
// The one-day booking dialog.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmGiorno : public ui::Form {
public:
    explicit TfrmGiorno(ui::Application& app, ui::Form* owner = nullptr);

    ui::Edit& txtPrenotazione;
};

extern TfrmGiorno* frmGiorno;
