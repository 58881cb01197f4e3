#pragma once
// The export of the vehicle archive.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpAutoparco : public ui::Form {
public:
    explicit TfrmExpAutoparco(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& cmdGuida;

private:
    void cmdGuidaClick();
};

extern TfrmExpAutoparco* frmExpAutoparco;
