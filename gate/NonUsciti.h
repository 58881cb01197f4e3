#pragma once
// The list of vehicles not yet left.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmNonUsciti : public ui::Form {
public:
    explicit TfrmNonUsciti(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmNonUsciti* frmNonUsciti;
