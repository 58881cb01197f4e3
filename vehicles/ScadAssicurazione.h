#pragma once
// The list of insurance deadlines.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmScadAssicurazione : public ui::Form {
public:
    explicit TfrmScadAssicurazione(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadAssicurazione* frmScadAssicurazione;
