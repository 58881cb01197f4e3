#pragma once
// The IBAN check.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmIban : public ui::Form {
public:
    explicit TfrmIban(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmIban* frmIban;
