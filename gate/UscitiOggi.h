#pragma once
// The list of vehicles that left today.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmUscitiOggi : public ui::Form {
public:
    explicit TfrmUscitiOggi(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmUscitiOggi* frmUscitiOggi;
