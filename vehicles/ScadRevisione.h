#pragma once
// The list of revision deadlines.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmScadRevisione : public ui::Form {
public:
    explicit TfrmScadRevisione(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmScadRevisione* frmScadRevisione;
