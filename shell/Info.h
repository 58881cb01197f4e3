#pragma once
// The about window, with the mail link to the maker.
#include "common/FinestraLink.h"
#include "shell/Info.controls.h"

class TfrmInfo : public common::TfrmLink, public controls::Info {
public:
    explicit TfrmInfo(ui::Application& app, ui::Form* owner = nullptr);
};

extern TfrmInfo* frmInfo;
