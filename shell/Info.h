#pragma once
// The about window, with the mail link to the maker.
#include "common/FinestraLink.h"

class TfrmInfo : public common::TfrmLink {
public:
    explicit TfrmInfo(ui::Application& app, ui::Form* owner = nullptr);

    ui::Picture& imgEmail;
};

extern TfrmInfo* frmInfo;
