#pragma once
// The list of service deadlines.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmScadTagliando : public ui::Form {
public:
    explicit TfrmScadTagliando(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadTagliando* frmScadTagliando;
