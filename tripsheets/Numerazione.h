#pragma once
// The numbering start dialog.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmNumerazione : public ui::Form {
public:
    explicit TfrmNumerazione(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmNumerazione* frmNumerazione;
