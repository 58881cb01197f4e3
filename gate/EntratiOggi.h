#pragma once
// The list of vehicles that entered today.
#include "platform/ui/Application.h"
#include "platform/ui/Form.h"

class TfrmEntratiOggi : public ui::Form {
public:
    explicit TfrmEntratiOggi(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmEntratiOggi* frmEntratiOggi;
