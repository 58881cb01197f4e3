#pragma once
// The export of the driver archive.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmExpAnagrafica : public ui::Form {
public:
    explicit TfrmExpAnagrafica(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& cmdGuida;

private:
    void cmdGuidaClick();
};

extern TfrmExpAnagrafica* frmExpAnagrafica;
