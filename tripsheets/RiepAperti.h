#pragma once
// The list of trip sheets not yet closed.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmRiepAperti : public ui::Form {
public:
    explicit TfrmRiepAperti(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmRiepAperti* frmRiepAperti;
