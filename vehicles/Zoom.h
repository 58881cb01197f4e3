#pragma once
// The full-screen zoom of a vehicle photo.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmZoom : public ui::Form {
public:
    explicit TfrmZoom(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmZoom* frmZoom;
